// The commands of qvcopier.exe. Each prints its own output and returns the exit code.
#pragma once

#include "copier/common/CopierSetup.h"

#include <string>
#include <vector>

enum ToolExit
{
    kExitOk = 0,
    kExitFailed = 1,     // the machine would not do it (a file or key that cannot be written)
    kExitBadInput = 2,   // what was asked is wrong; nothing changed
};

// Writes one line to the error output and returns the code.
int ToolFail(int code, const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

using ToolArgs = std::vector<std::string>;   // the arguments after the command's name

int CmdListDevices(const ToolArgs& args);
int CmdAdd(const ToolArgs& args);
int CmdRemove(const ToolArgs& args);
int CmdList(const ToolArgs& args);
int CmdUse(const ToolArgs& args);

// The folder of qvcopier.exe, where the component sets and the copy program lie.
std::string ToolFolder();

// The Start-menu entry of a set-up: a shortcut that starts the copy program beside the tool
// for the set-up's context ID, in the user's Start-menu folder "QV Copy" (or the folder
// %QVCOPIER_STARTMENU% names). False, with a reason, when it cannot be made or removed.
bool AddStartMenuEntry(const CopierSetup& setup, std::string& error);
bool RemoveStartMenuEntry(const CopierSetup& setup, std::string& error);
// The entry's file name: the set-up's name where it is a safe file name, otherwise the name
// with every unsafe character as "_" followed by " (<device ID>)", so that no two collide.
std::string StartMenuEntryName(const CopierSetup& setup);

// A new set-up checked against the others and the machine's printers: its source
// becomes a full path and its printer the spooler's spelling. False, with what is
// wrong in one line, for bad input.
bool CheckNewSetup(CopierSetup& setup, const std::vector<CopierSetup>& others, const std::vector<std::string>& printers,
                   std::string& error);
