#include "log/RKLog.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <mbstring.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "log/SafeFileName.h"

CRKLogPtr g_pLog;

namespace {
const char kConfigFolder[] = "QV";
const char kConfigFileName[] = "RKLogConfig.ini";
const int kDefaultFileSize = 0x80000;
const int kAllLevelBits = LOG_ERROR | LOG_WARNING | LOG_MAINTRACE | LOG_DETAILEDTRACE;
const size_t kRecordBufferSize = 1024;

// A shell folder, or the temporary-files path when the shell cannot give it.
void GetFolderOrTemp(int nFolder, char* pszPath)
{
    pszPath[0] = '\0';
    if (!SHGetSpecialFolderPathA(NULL, pszPath, nFolder, FALSE)) {
        DWORD dwLen = GetTempPathA(MAX_PATH, pszPath);
        if (dwLen == 0 || dwLen >= MAX_PATH)
            pszPath[0] = '\0';
    }
}

// Decimal conversion of the leading digits; text without digits gives 0.
int ToInteger(const char* pszText) { return (int)strtol(pszText, NULL, 10); }

size_t CharacterCount(const char* pszText) { return _mbslen(reinterpret_cast<const unsigned char*>(pszText)); }
}  // namespace

CRKLog::CRKLog(const char* pszModuleName, const char* pszFilePrefix) : CRKLog(SilentTag())
{
    Configure(pszModuleName ? pszModuleName : "", pszFilePrefix ? pszFilePrefix : "");
}

CRKLog::CRKLog(SilentTag) : m_pStream(NULL), m_nLevelMask(0), m_nSizeLimit(0), m_nCurrentSize(0), m_lEnabled(0)
{
    InitializeCriticalSection(&m_csLock);
    m_szModuleName[0] = m_szUserName[0] = m_szFilePrefix[0] = '\0';
    m_szLogFilePath[0] = m_szConfigPath[0] = '\0';
}

CRKLog::~CRKLog()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = NULL;
    DeleteCriticalSection(&m_csLock);
}

CRKLog& CRKLog::Silent()
{
    static CRKLog s_silent{SilentTag()};
    return s_silent;
}

void CRKLog::Configure(const char* pszModuleName, const char* pszFilePrefix)
{
    DWORD dwUserLen = MAX_PATH;
    if (!GetUserNameA(m_szUserName, &dwUserLen))
        m_szUserName[0] = '\0';

    char szFolder[MAX_PATH];
    GetFolderOrTemp(CSIDL_COMMON_APPDATA, szFolder);
    snprintf(m_szConfigPath, sizeof(m_szConfigPath), "%s", szFolder);
    PathAppendA(m_szConfigPath, kConfigFolder);
    PathAppendA(m_szConfigPath, kConfigFileName);

    if (!SignatureAccepted() && !WriteDefaultSections())
        return;

    m_lEnabled = 1;
    lstrcpynA(m_szModuleName, pszModuleName, MAX_PATH);
    lstrcpynA(m_szFilePrefix, pszFilePrefix, MAX_PATH);

    // A sentinel default tells a missing key from one that is present but empty.
    const char kMissing[] = "\x01";
    char szValue[MAX_PATH];
    GetPrivateProfileStringA("Modules", m_szModuleName, kMissing, szValue, sizeof(szValue), m_szConfigPath);
    bool bKeyMissing = strcmp(szValue, kMissing) == 0;
    bool bKeyEmpty = szValue[0] == '\0';
    if (!bKeyMissing && !bKeyEmpty)
        m_nLevelMask = ToInteger(szValue);

    GetPrivateProfileStringA("LogFileSize", "FILESIZE", "", szValue, sizeof(szValue), m_szConfigPath);
    m_nSizeLimit = ToInteger(szValue);

    if (m_nLevelMask == 0 && !bKeyEmpty)
        return;
    OpenLogFile();
}

bool CRKLog::SignatureAccepted() const
{
    char szProject[MAX_PATH];
    GetPrivateProfileStringA("Signature", "PROJECT", "MANUFACTURER", szProject, sizeof(szProject), m_szConfigPath);
    return strcmp(szProject, "Replika") == 0 || strcmp(szProject, "QV") == 0;
}

bool CRKLog::WriteDefaultSections() const
{
    static const char kSignature[] = "PROJECT=Replika\0MANUFACTURER=QV\0";
    static const char kModules[] = "UI=0\0API=0\0PROTOCOL=0\0DEFAULT=0\0";
    static const char kLogLevels[] =
        "LOG_DISABLED=0\0LOG_ERROR=1\0LOG_WARNING=2\0LOG_MAINTRACE=4\0LOG_DETAILEDTRACE=8\0";
    char szFileSize[32];
    int nLen = snprintf(szFileSize, sizeof(szFileSize) - 1, "FILESIZE=%d", kDefaultFileSize);
    szFileSize[nLen + 1] = '\0';  // a section's key list ends with an empty string

    return WritePrivateProfileSectionA("Signature", kSignature, m_szConfigPath) &&
           WritePrivateProfileSectionA("Modules", kModules, m_szConfigPath) &&
           WritePrivateProfileSectionA("LogLevels", kLogLevels, m_szConfigPath) &&
           WritePrivateProfileSectionA("LogFileSize", szFileSize, m_szConfigPath);
}

// The prefix comes from outside (a context ID): it is made safe, and cut with a hash when the
// path or the file name would be too long, so the log file always lands in its folder.
void CRKLog::OpenLogFile()
{
    char szFolder[MAX_PATH];
    GetFolderOrTemp(CSIDL_APPDATA, szFolder);
    PathRemoveBackslashA(szFolder);  // the temporary-files path ends with one
    char szSuffix[MAX_PATH];
    snprintf(szSuffix, sizeof(szSuffix), "_%s.log", m_szModuleName);
    // Room for the name part and its terminator: the path within MAX_PATH, the file name within 255.
    const int kMaxFileName = 255;
    int nRoom = std::min(MAX_PATH - (int)strlen(szFolder) - 1, kMaxFileName + 1) - (int)strlen(szSuffix);
    char szName[MAX_PATH] = "";
    if (nRoom > 0)
        RKSafeFileNamePart(m_szFilePrefix, szName, (size_t)nRoom);
    int nLen = snprintf(m_szLogFilePath, sizeof(m_szLogFilePath), "%s\\%s%s", szFolder, szName, szSuffix);
    if (szName[0] == '\0' || nLen < 0 || nLen >= (int)sizeof(m_szLogFilePath)) {
        m_lEnabled = 0;
        return;
    }

    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(m_szLogFilePath, GetFileExInfoStandard, &data))
        m_nCurrentSize = (LONG)data.nFileSizeLow;

    m_pStream = fopen(m_szLogFilePath, "a+");
    if (!m_pStream)
        m_lEnabled = 0;
}

void CRKLog::LogError(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    LogAt(LOG_ERROR, "Error", pszFormat, args);
    va_end(args);
}

void CRKLog::LogWarning(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    LogAt(LOG_WARNING, "Warning", pszFormat, args);
    va_end(args);
}

void CRKLog::LogMainTrace(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    LogAt(LOG_MAINTRACE, "Main Trace", pszFormat, args);
    va_end(args);
}

void CRKLog::LogDetailedTrace(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    LogAt(LOG_DETAILEDTRACE, "Detailed Trace", pszFormat, args);
    va_end(args);
}

void CRKLog::LogAt(int nLevelBit, const char* pszLevelName, const char* pszFormat, va_list args)
{
    if (m_lEnabled == 0)
        return;
    // Passes only when the mask has no bit outside the four levels and has this one.
    if ((unsigned)(m_nLevelMask | (kAllLevelBits & ~nLevelBit)) != (unsigned)kAllLevelBits)
        return;

    char szMessage[kRecordBufferSize];
    if (vsnprintf(szMessage, sizeof(szMessage), pszFormat ? pszFormat : "", args) < 0)
        szMessage[0] = '\0';
    szMessage[sizeof(szMessage) - 1] = '\0';

    if (m_nCurrentSize >= m_nSizeLimit) {
        InterlockedExchange(&m_lEnabled, 0);
        snprintf(szMessage, sizeof(szMessage), "**** Log file size has exceeded the permissible limit of %d ****",
                 m_nSizeLimit);
        pszLevelName = "Error";
    }
    WriteRecord(szMessage, pszLevelName);
}

void RKSystemMessageText(HRESULT hr, char* pszText, size_t cchText)
{
    if (cchText == 0)
        return;
    pszText[0] = '\0';
    DWORD dwLen = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                 static_cast<DWORD>(hr), 0, pszText, static_cast<DWORD>(cchText), NULL);
    while (dwLen > 0 && (pszText[dwLen - 1] == '\n' || pszText[dwLen - 1] == '\r'))
        pszText[--dwLen] = '\0';
    if (dwLen == 0)
        snprintf(pszText, cchText, "Unknown error 0x%08lX", static_cast<unsigned long>(hr));
}

void CRKLog::WriteRecord(const char* pszMessage, const char* pszLevelName)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    if (!m_pStream) {
        InterlockedExchange(&m_lEnabled, 0);
        return;
    }

    EnterCriticalSection(&m_csLock);
    char szTimestamp[kRecordBufferSize];
    snprintf(szTimestamp, sizeof(szTimestamp), "%d.%d.%d.%d.%d.%d.%d.%d, ", st.wYear, st.wMonth, st.wDayOfWeek, st.wDay,
             st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    char szHeader[kRecordBufferSize];
    snprintf(szHeader, sizeof(szHeader), "[PID: %d - TID: %d], [User: %s], [%s], [%s], ", (int)GetCurrentProcessId(),
             (int)GetCurrentThreadId(), m_szUserName, m_szModuleName, pszLevelName);

    // The stream is in text mode: the LF of the record end reaches the disk as CR LF.
    const char* pieces[] = {szTimestamp, szHeader, pszMessage, "\r\n"};
    for (const char* pszPiece : pieces) {
        if (fputs(pszPiece, m_pStream) == EOF)
            m_lEnabled = 0;
    }
    m_nCurrentSize += (LONG)(CharacterCount(szTimestamp) + CharacterCount(szHeader) + CharacterCount(pszMessage) + 3);
    fflush(m_pStream);
    LeaveCriticalSection(&m_csLock);
}

void RKLogComError(const char* pszOperation, HRESULT hr, bool bUpperHexCode)
{
    char szText[256];
    RKSystemMessageText(hr, szText, sizeof szText);
    g_pLog->LogError(bUpperHexCode ? "%s - _com_error exception (hr: 0x%X = %s)"
                                   : "%s - _com_error exception (hr: 0x%x = %s)",
                     pszOperation, static_cast<unsigned>(hr), szText);
}
