// The scanners WIA knows on this machine, and set-up sources that name one.
#pragma once

#include <string>
#include <vector>

struct ScannerInfo
{
    std::string id;    // WIA's device ID
    std::string name;
};

// The prefix of a set-up source that names a scanner: "wia:" + its device ID.
extern const char kScannerSourcePrefix[];

// The device ID of a "wia:..." source; false for a folder source.
bool ScannerOfSource(const std::string& source, std::string& deviceId);
// Every scanner WIA lists now (none when WIA cannot be reached; the reason is logged).
std::vector<ScannerInfo> ListScanners();
// Whether WIA lists this scanner now.
bool ScannerListed(const std::string& deviceId);
