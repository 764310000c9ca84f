// The process-wide logger: one log file per device context, switched on and
// sized by "RKLogConfig.ini" in the all-users application-data folder under "QV".
#pragma once

#include <windows.h>
#include <stdio.h>

// Level bits, as the configuration file's [LogLevels] legend names them.
enum RKLogLevel { LOG_DISABLED = 0, LOG_ERROR = 1, LOG_WARNING = 2, LOG_MAINTRACE = 4, LOG_DETAILEDTRACE = 8 };

class CRKLog
{
public:
    CRKLog(const char* pszModuleName, const char* pszFilePrefix);
    ~CRKLog();

    void LogError(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void LogWarning(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void LogMainTrace(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void LogDetailedTrace(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    // The logger that g_pLog stands for while no real one exists: writes nothing.
    static CRKLog& Silent();

    CRKLog(const CRKLog&) = delete;
    CRKLog& operator=(const CRKLog&) = delete;

private:
    struct SilentTag
    {};
    explicit CRKLog(SilentTag);

    void Configure(const char* pszModuleName, const char* pszFilePrefix);
    bool SignatureAccepted() const;
    bool WriteDefaultSections() const;
    void OpenLogFile();
    void LogAt(int nLevelBit, const char* pszLevelName, const char* pszFormat, va_list args);
    void WriteRecord(const char* pszMessage, const char* pszLevelName);

    FILE* m_pStream;
    int m_nLevelMask;
    int m_nSizeLimit;
    volatile LONG m_nCurrentSize;
    CRITICAL_SECTION m_csLock;
    char m_szModuleName[MAX_PATH];
    char m_szUserName[MAX_PATH];
    char m_szFilePrefix[MAX_PATH];
    char m_szLogFilePath[MAX_PATH];
    char m_szConfigPath[MAX_PATH];
    volatile LONG m_lEnabled;
};

// g_pLog behaves as a plain CRKLog pointer (assign, test, compare, delete), but
// "g_pLog->LogError(...)" is safe while no logger exists: the call does nothing.
class CRKLogPtr
{
public:
    constexpr CRKLogPtr() : m_pLog(nullptr) {}
    CRKLogPtr& operator=(CRKLog* pLog)
    {
        m_pLog = pLog;
        return *this;
    }
    CRKLog* operator->() const { return m_pLog ? m_pLog : &CRKLog::Silent(); }
    operator CRKLog*() const { return m_pLog; }

    CRKLogPtr(const CRKLogPtr&) = delete;
    CRKLogPtr& operator=(const CRKLogPtr&) = delete;

private:
    CRKLog* m_pLog;
};

extern CRKLogPtr g_pLog;

// The system's text for a status without its line end, or "Unknown error 0x..." when it has none.
void RKSystemMessageText(HRESULT hr, char* pszText, size_t cchText);

// The Error record of a caught COM error exception: "<operation> - _com_error exception (hr: 0x... = <text>)",
// the code in lower-case hex, or upper-case where the operation's record writes it so.
void RKLogComError(const char* pszOperation, HRESULT hr, bool bUpperHexCode = false);

// A lone entry record, for a function that writes no exit record.
inline void RKTraceEnter(const char* pszFunction) { g_pLog->LogMainTrace("%s%s", pszFunction, "- Entering"); }

// Writes the entry record now and the exit record when the scope ends. The usual form is
// "<qualified name>- Entering" / "<qualified name>- Exiting"; Prefixed gives the form
// "Entering <name>" / "Exiting <name>" that a few functions write instead, some of them
// with an entry word of their own ("Entered method ...").
class CRKTraceScope
{
public:
    explicit CRKTraceScope(const char* pszFunction) : CRKTraceScope(pszFunction, nullptr) {}
    static CRKTraceScope Prefixed(const char* pszName, const char* pszEntryWord = "Entering ")
    {
        return CRKTraceScope(pszName, pszEntryWord);
    }
    ~CRKTraceScope()
    {
        if (m_bWriteExit)
            Write(false);
    }
    CRKTraceScope(const CRKTraceScope&) = delete;
    CRKTraceScope& operator=(const CRKTraceScope&) = delete;

    // For a failure path of a function that logs its exit only when it succeeds.
    void OmitExit() { m_bWriteExit = false; }

private:
    CRKTraceScope(const char* pszName, const char* pszEntryWord)
        : m_pszName(pszName), m_pszEntryWord(pszEntryWord), m_bWriteExit(true)
    {
        Write(true);
    }
    void Write(bool bEntering) const
    {
        if (m_pszEntryWord)
            g_pLog->LogMainTrace("%s%s", bEntering ? m_pszEntryWord : "Exiting ", m_pszName);
        else
            g_pLog->LogMainTrace("%s%s", m_pszName, bEntering ? "- Entering" : "- Exiting");
    }

    const char* m_pszName;
    const char* m_pszEntryWord;  // null for the usual form
    bool m_bWriteExit;
};
