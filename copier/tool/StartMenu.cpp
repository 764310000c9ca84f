// The set-ups' Start-menu entries: one shortcut per set-up that starts the copy program
// beside the tool for the set-up's context ID.
#include "copier/tool/ToolCommands.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string.h>

namespace {
const char kMenuFolder[] = "QV Copy";
const char kProgram[] = "qvkcopy2.exe";

bool IsUnsafeCharacter(unsigned char c) { return c < 0x20 || c == 0x7f || strchr("<>:\"/\\|?*", c) != NULL; }

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices, with any extension.
bool IsDeviceName(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    for (const char* pszDevice : {"CON", "PRN", "AUX", "NUL"})
        if (lstrcmpiA(stem.c_str(), pszDevice) == 0)
            return true;
    return stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
           (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, stem.c_str(), 3, "COM", 3) == CSTR_EQUAL ||
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, stem.c_str(), 3, "LPT", 3) == CSTR_EQUAL);
}

// The folder of the entries: %QVCOPIER_STARTMENU%, or "QV Copy" in the user's programs menu.
bool MenuFolder(std::string& folder, std::string& error)
{
    char sz[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QVCOPIER_STARTMENU", sz, sizeof(sz));
    if (n > 0 && n < sizeof(sz))
        folder = sz;
    else if (SHGetSpecialFolderPathA(NULL, sz, CSIDL_PROGRAMS, TRUE))
        folder = std::string(sz) + "\\" + kMenuFolder;
    else
        error = "the user's Start-menu folder cannot be found";
    return error.empty();
}

bool EntryPath(const CopierSetup& setup, std::string& folder, std::string& path, std::string& error)
{
    if (!MenuFolder(folder, error))
        return false;
    path = folder + "\\" + StartMenuEntryName(setup);
    if (path.size() < MAX_PATH)
        return true;
    error = "the Start-menu entry's path is too long: " + path;
    return false;
}

std::wstring Wide(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
    return wide;
}

HRESULT SaveShortcut(const std::string& linkPath, const CopierSetup& setup)
{
    IShellLinkA* pLink = NULL;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&pLink);
    if (FAILED(hr))
        return hr;
    const std::string folder = ToolFolder(), program = folder + "\\" + kProgram;
    pLink->SetPath(program.c_str());
    pLink->SetArguments(("-CtxID \"" + CopierContextID(setup) + "\"").c_str());
    pLink->SetWorkingDirectory(folder.c_str());
    pLink->SetDescription(("QV Copy for " + setup.name).c_str());
    pLink->SetIconLocation(program.c_str(), 0);
    IPersistFile* pFile = NULL;
    hr = pLink->QueryInterface(IID_IPersistFile, (void**)&pFile);
    if (SUCCEEDED(hr)) {
        hr = pFile->Save(Wide(linkPath).c_str(), TRUE);
        pFile->Release();
    }
    pLink->Release();
    return hr;
}
}  // namespace

std::string StartMenuEntryName(const CopierSetup& setup)
{
    std::string name = setup.name;
    for (char& c : name)
        if (IsUnsafeCharacter((unsigned char)c))
            c = '_';
    bool bSafe = !name.empty() && name == setup.name && !IsDeviceName(name) && name.back() != '.' && name.back() != ' ';
    return (bSafe ? name : name + " (" + setup.deviceId + ")") + ".lnk";
}

bool AddStartMenuEntry(const CopierSetup& setup, std::string& error)
{
    std::string folder, path;
    if (!EntryPath(setup, folder, path, error))
        return false;
    int rc = SHCreateDirectoryExA(NULL, folder.c_str(), NULL);
    if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS) {
        error = "cannot make the folder " + folder + " (error " + std::to_string(rc) + ")";
        return false;
    }
    HRESULT hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    HRESULT hr = SaveShortcut(path, setup);
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    if (FAILED(hr))
        error = "cannot write the Start-menu entry " + path + " (error " + std::to_string((unsigned long)hr) + ")";
    return SUCCEEDED(hr);
}

bool RemoveStartMenuEntry(const CopierSetup& setup, std::string& error)
{
    std::string folder, path;
    if (!EntryPath(setup, folder, path, error))
        return false;
    DWORD err = DeleteFileA(path.c_str()) ? ERROR_SUCCESS : GetLastError();
    if (err != ERROR_SUCCESS && err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) {
        error = "cannot remove the Start-menu entry " + path + " (error " + std::to_string(err) + ")";
        return false;
    }
    RemoveDirectoryA(folder.c_str());  // only when no entry is left in it
    return true;
}
