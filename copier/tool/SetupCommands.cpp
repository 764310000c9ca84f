// The set-up commands: list-devices, add, remove and list.
#include "copier/common/CopierDevices.h"
#include "copier/common/WiaDevices.h"
#include "copier/tool/ToolCommands.h"

#include <windows.h>
#include <stdio.h>

namespace {
const size_t kMaxNameLength = 100;

bool HasControlCharacter(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f)
            return true;
    return false;
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string FullPath(const std::string& path)
{
    char szFull[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(szFull), szFull, NULL);
    return (n > 0 && n < sizeof(szFull)) ? std::string(szFull) : path;
}

bool CheckName(const std::string& name, const std::vector<CopierSetup>& others, std::string& error)
{
    if (name.empty() || name.size() > kMaxNameLength || HasControlCharacter(name))
        error = "a set-up name is 1 to " + std::to_string(kMaxNameLength) + " characters without control characters";
    else
        for (const CopierSetup& other : others)
            if (SameText(other.name, name))
                error = "a set-up named \"" + other.name + "\" already exists";
    return error.empty();
}

// A scanner's source keeps WIA's spelling of its device ID.
bool CheckScanner(std::string& source, const std::string& deviceId, std::string& error)
{
    for (const ScannerInfo& scanner : ListScanners())
        if (SameText(scanner.id, deviceId)) {
            source = kScannerSourcePrefix + scanner.id;
            return true;
        }
    error = "unknown scanner \"" + deviceId + "\" (qvcopier list-devices shows the scanners)";
    return false;
}

bool CheckSource(std::string& source, std::string& error)
{
    std::string scanner;
    if (ScannerOfSource(source, scanner))
        return CheckScanner(source, scanner, error);
    if (source.empty() || HasControlCharacter(source) || !FolderExists(source))
        error = "the source folder \"" + source + "\" does not exist";
    else
        source = FullPath(source);
    return error.empty();
}

bool CheckPrinter(std::string& printer, const std::vector<std::string>& printers, std::string& error)
{
    for (const std::string& known : printers)
        if (SameText(known, printer)) {
            printer = known;
            return true;
        }
    error = "unknown printer \"" + printer + "\" (qvcopier list-devices shows the printers)";
    return false;
}

// "<name> --source <folder> --printer <printer>", the options in any order.
bool ParseAddArgs(const ToolArgs& args, CopierSetup& setup)
{
    if (args.size() != 5)
        return false;
    setup.name = args[0];
    bool bSource = false, bPrinter = false;
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--source" && !bSource)
            bSource = true, setup.source = args[i + 1];
        else if (args[i] == "--printer" && !bPrinter)
            bPrinter = true, setup.printer = args[i + 1];
        else
            return false;
    }
    return bSource && bPrinter;
}

bool LoadOrReport(std::vector<CopierSetup>& setups, int& code)
{
    std::string error;
    if (LoadCopierSetups(setups, error))
        return true;
    code = ToolFail(kExitFailed, "%s", error.c_str());
    return false;
}

int SaveOrReport(const std::vector<CopierSetup>& setups)
{
    std::string error;
    return SaveCopierSetups(setups, error) ? kExitOk : ToolFail(kExitFailed, "%s", error.c_str());
}
}  // namespace

bool CheckNewSetup(CopierSetup& setup, const std::vector<CopierSetup>& others, const std::vector<std::string>& printers,
                   std::string& error)
{
    error.clear();
    return CheckName(setup.name, others, error) && CheckSource(setup.source, error) &&
           CheckPrinter(setup.printer, printers, error);
}

int CmdListDevices(const ToolArgs& args)
{
    if (!args.empty())
        return ToolFail(kExitBadInput, "usage: qvcopier list-devices");
    for (const std::string& printer : ListPrinters())
        printf("printer\t%s\n", printer.c_str());
    for (const ScannerInfo& scanner : ListScanners())
        printf("scanner\t%s\t%s\n", scanner.id.c_str(), scanner.name.c_str());
    return kExitOk;
}

int CmdAdd(const ToolArgs& args)
{
    CopierSetup setup;
    if (!ParseAddArgs(args, setup))
        return ToolFail(kExitBadInput, "usage: qvcopier add <name> --source <folder>|wia:<scanner ID> --printer <printer>");
    std::vector<CopierSetup> setups;
    int code = kExitOk;
    if (!LoadOrReport(setups, code))
        return code;
    std::string error;
    if (!CheckNewSetup(setup, setups, ListPrinters(), error))
        return ToolFail(kExitBadInput, "%s", error.c_str());
    setup.deviceId = NewCopierDeviceId(setups);
    setups.push_back(setup);
    code = SaveOrReport(setups);
    if (code == kExitOk && !AddStartMenuEntry(setup, error))
        return ToolFail(kExitFailed, "the set-up was added, but %s", error.c_str());
    return code;
}

int CmdRemove(const ToolArgs& args)
{
    if (args.size() != 1)
        return ToolFail(kExitBadInput, "usage: qvcopier remove <name>");
    std::vector<CopierSetup> setups;
    int code = kExitOk;
    if (!LoadOrReport(setups, code))
        return code;
    for (auto it = setups.begin(); it != setups.end(); ++it)
        if (it->name == args[0]) {
            CopierSetup removed = *it;
            setups.erase(it);
            code = SaveOrReport(setups);
            std::string error;
            if (code == kExitOk && !RemoveStartMenuEntry(removed, error))
                return ToolFail(kExitFailed, "the set-up was removed, but %s", error.c_str());
            return code;
        }
    return ToolFail(kExitBadInput, "no set-up is named \"%s\"", args[0].c_str());
}

int CmdList(const ToolArgs& args)
{
    if (!args.empty())
        return ToolFail(kExitBadInput, "usage: qvcopier list");
    std::vector<CopierSetup> setups;
    int code = kExitOk;
    if (!LoadOrReport(setups, code))
        return code;
    for (const CopierSetup& s : setups)
        printf("%s\t%s\t%s\t%s\n", s.name.c_str(), CopierContextID(s).c_str(), s.source.c_str(), s.printer.c_str());
    return kExitOk;
}
