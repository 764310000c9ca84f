// What every test executable shares: files and folders, scope objects that put the
// environment back however a test ends, child processes that always end, and the
// program's folder with qvkcopy2.exe and the stand-ins beside the tests.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

class CRKLog;

namespace qvtest {

// Longest wait of any test: a healthy step takes a fraction of it.
const DWORD kHangGuardMs = 20000;

// --- files and folders -------------------------------------------------------
// The folder of the test executable (no trailing backslash): the program and the
// stand-ins lie there.
std::string BinFolder();
inline std::string BesideExe(const std::string& name) { return BinFolder() + "\\" + name; }
std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// `text` with the first `from`, which must be there, replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to);
// The bytes of a resource; empty when the module does not hold it.
std::string ResourceBytes(HMODULE hModule, int id, const char* pszType);
// A string of the test executable's table, which is the program's own.
std::string ResString(UINT nID);

// A fresh, empty folder under the temporary path, removed with everything in it.
class TempFolder
{
public:
    explicit TempFolder(const char* pszTag = "qvtest");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    std::vector<std::string> Files() const;  // plain files, by name

private:
    std::string m_path;
};

// Keeps a file's bytes (or its absence) and puts them back at scope end.
class SavedFile
{
public:
    explicit SavedFile(const std::string& path);
    ~SavedFile();
    SavedFile(const SavedFile&) = delete;
    SavedFile& operator=(const SavedFile&) = delete;

private:
    std::string m_path, m_bytes;
    bool m_bExisted;
};

// --- process environment -----------------------------------------------------
// Sets (or, given NULL, removes) an environment variable; the old value returns at scope end.
class EnvVar
{
public:
    EnvVar(const char* pszName, const char* pszValue);
    ~EnvVar();
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    std::string m_name, m_old;
    bool m_bHadOld;
};

// COM on this thread for the scope.
class ComApartment
{
public:
    explicit ComApartment(DWORD dwModel = COINIT_APARTMENTTHREADED) : m_hr(CoInitializeEx(NULL, dwModel)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Ok() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

// COM on the main thread for the whole test executable:
//   ::testing::AddGlobalTestEnvironment(new qvtest::ComEnvironment);
struct ComEnvironment : ::testing::Environment
{
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

// A class object registered in this process for the scope: CoCreateInstance of
// the class then finds the test's fake instead of a registered component.
class ClassObjectScope
{
public:
    ClassObjectScope(REFCLSID clsid, IUnknown* pFactory);
    ~ClassObjectScope();
    ClassObjectScope(const ClassObjectScope&) = delete;
    ClassObjectScope& operator=(const ClassObjectScope&) = delete;
    bool Ok() const { return m_dwCookie != 0; }

private:
    DWORD m_dwCookie = 0;
};

// --- the stand-ins -----------------------------------------------------------
// A fresh folder for the stand-ins' files (INI files, journals, launched.log), named
// to every process started within the scope through QVSIM_DIR.
class SimFolder : public TempFolder
{
public:
    SimFolder() : TempFolder("qvsim"), m_env("QVSIM_DIR", Path().c_str()) {}
    void WriteIni(const char* pszFile, const std::string& section, const char* pszKey, const char* pszValue) const;
    // What the sibling programs wrote; WaitForLaunchLog waits for a first line.
    std::string LaunchLog() const { return ReadBytes(File("launched.log")); }
    std::string WaitForLaunchLog() const;

private:
    EnvVar m_env;
};

// --- child processes and windows ---------------------------------------------
// A child process (with its own children) that ends when the object goes.
class ChildProcess
{
public:
    // bCaptureOutput: standard output and error are collected for Output().
    explicit ChildProcess(const std::string& cmdLine, bool bCaptureOutput = false, const char* pszApplication = NULL);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_pi.hProcess != NULL; }
    bool Running() const;
    DWORD Id() const { return m_pi.dwProcessId; }
    // Whether the process ended within the time; ExitCode() then tells how.
    bool WaitForExit(DWORD dwMs = kHangGuardMs) const;
    DWORD ExitCode() const;
    // Everything written, once the process has ended.
    std::string Output();
    // The process's first visible top-level window; NULL once it ended without one.
    HWND WaitForWindow(DWORD dwMs = kHangGuardMs) const;
    // "not started (error N)", "running" or "ended with code N", for failure messages.
    std::string State() const;

private:
    PROCESS_INFORMATION m_pi = {};
    DWORD m_dwStartError = 0;
    HANDLE m_hJob = NULL;
    HANDLE m_hOutput = NULL;
    std::thread m_reader;
    std::string m_output;
};

struct RunResult
{
    DWORD exitCode;
    std::string output;
};
// Runs a command line to its end (killed past the hang guard), its output captured.
RunResult Run(const std::string& cmdLine);
// The command line that starts the program under test with `arguments`.
inline std::string ProgramCommand(const std::string& arguments)
{
    return "\"" + BesideExe("qvkcopy2.exe") + "\" " + arguments;
}

// A visible top-level window of the process (with the item nItemID visible in it, when
// that is not 0); NULL when there is none.
HWND FindVisibleWindow(DWORD dwProcessId, int nItemID = 0);
// Any window's text, also across processes, without hanging on a stuck owner.
std::string WindowText(HWND hWnd);
// Dispatches this thread's messages until `done` holds; false when the time ran out.
bool PumpUntil(const std::function<bool()>& done, DWORD dwMs = kHangGuardMs);

// --- dialogs without resources -----------------------------------------------
// Builds a DLGTEMPLATE with its items in memory.
class DlgTemplate
{
public:
    DlgTemplate(short cx, short cy, const char* pszCaption, const char* pszFont = "MS Shell Dlg", WORD wPointSize = 8,
                DWORD dwStyle = WS_POPUP | WS_BORDER);
    void AddItem(const char* pszClass, const char* pszText, WORD wID, DWORD dwStyle, short x, short y, short cx,
                 short cy);
    LPCDLGTEMPLATE Get() const { return (LPCDLGTEMPLATE)m_words.data(); }
    // A copy in global memory (for a modal dialog); the caller frees it.
    HGLOBAL Copy() const
    {
        HGLOBAL hCopy = ::GlobalAlloc(GPTR, m_words.size() * sizeof(WORD));
        if (hCopy)
            CopyMemory((void*)hCopy, m_words.data(), m_words.size() * sizeof(WORD));
        return hCopy;
    }

private:
    void PushDword(DWORD d);
    void PushString(const char* psz);
    std::vector<WORD> m_words;
};

// --- the program's log ---------------------------------------------------------
// A folder the shell knows (CSIDL_APPDATA, CSIDL_COMMON_APPDATA, ...).
std::string ShellFolder(int nFolder);
// The log configuration that every logger of the machine reads.
std::string LogConfigPath();
// Makes that configuration log every level of the module "UI" (its folder made when missing).
void WriteFullLogConfig();

// A logger writing every level into a file of its own for the scope; g_pLog points at
// it. The shared configuration file is put back at once, so other programs never see
// the change.
class LogCapture
{
public:
    explicit LogCapture(const char* pszPrefix = "qvtest");
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Starts a new watch: Contains looks only at what is written after it.
    void Mark() { m_nMark = ReadBytes(m_path).size(); }
    bool Contains(const std::string& text) const;

private:
    std::string m_path;
    size_t m_nMark = 0;
    CRKLog* m_pLog = nullptr;
};

}  // namespace qvtest
