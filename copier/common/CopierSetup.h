// A copier set-up: a name, an image source and a printer, kept in the user's
// set-up file. The tool manages them; the copier's components look them up by
// the context ID the copy dialog was started with.
#pragma once

#include <string>
#include <vector>

struct CopierSetup
{
    std::string name;       // what the user called it; the dialog's friendly name
    std::string deviceId;   // unique, safe as a file name: "D" + deviceId + ".xml"
    std::string source;     // a folder path, or "wia:" + a scanner's device ID
    std::string printer;    // a printer name as the spooler knows it
};

// The manufacturer and product fields of every set-up's context ID.
extern const char kCopierManufacturer[];
extern const char kCopierProduct[];

// "#" manufacturer "#" product "#" deviceId.
std::string CopierContextID(const CopierSetup& setup);

// The set-up file of the current user (created on first save, with its folder):
// %QVCOPIER_SETUPS% when set, else %APPDATA%\QV\Copier\setups.txt.
std::string CopierSetupsPath();

// A device ID no set-up has had in this file: "copier-" + a number above every
// one the file has ever given out.
std::string NewCopierDeviceId(const std::vector<CopierSetup>& setups);

// Every set-up in the file, in file order; an absent file is an empty list.
// False, with a one-line reason, when the file cannot be read.
bool LoadCopierSetups(std::vector<CopierSetup>& setups, std::string& error);
// Replaces the file with these set-ups; false, with a reason, when it cannot be written.
bool SaveCopierSetups(const std::vector<CopierSetup>& setups, std::string& error);
// The set-up a context ID names; false when there is none.
bool FindCopierSetup(const std::string& contextId, CopierSetup& setup);
