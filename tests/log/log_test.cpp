#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <regex>
#include <string>
#include <vector>

#include "log/RKLog.h"

namespace
{
std::string ShellFolder(int nFolder)
{
    char szPath[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, szPath, nFolder, FALSE);
    return szPath;
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, NULL) && n > 0)
        bytes.append(buf, n);
    CloseHandle(h);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    CloseHandle(h);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> SplitRecords(const std::string& bytes)
{
    std::vector<std::string> records;
    size_t start = 0, end;
    while ((end = bytes.find("\r\r\n", start)) != std::string::npos)
    {
        records.push_back(bytes.substr(start, end - start));
        start = end + 3;
    }
    EXPECT_EQ(start, bytes.size()) << "bytes after the last record end";
    return records;
}

// Each test gets its own log file and a configuration file it may rewrite; the
// configuration found before the test is put back afterwards.
class LogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_configFolder = ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV";
        m_configPath = m_configFolder + "\\RKLogConfig.ini";
        m_createdFolder = CreateDirectoryA(m_configFolder.c_str(), NULL) != 0;
        m_hadConfig = Exists(m_configPath);
        if (m_hadConfig)
            m_savedConfig = ReadBytes(m_configPath);

        static int s_nCounter = 0;
        m_prefix = "QVLogTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++s_nCounter);
        m_logPath = ShellFolder(CSIDL_APPDATA) + "\\" + m_prefix + "_UI.log";
    }

    void TearDown() override
    {
        DeleteFileA(m_logPath.c_str());
        if (m_hadConfig)
            WriteBytes(m_configPath, m_savedConfig);
        else
            DeleteFileA(m_configPath.c_str());
        FlushProfileCache();
        if (m_createdFolder)
            RemoveDirectoryA(m_configFolder.c_str());
    }

    void FlushProfileCache() { WritePrivateProfileStringA(NULL, NULL, NULL, m_configPath.c_str()); }

    void WriteConfig(const std::string& uiLine, const std::string& fileSizeLine = "FILESIZE=524288",
                     const std::string& project = "Replika")
    {
        WriteBytes(m_configPath, "[Signature]\r\nPROJECT=" + project + "\r\nMANUFACTURER=QV\r\n"
                                 "[Modules]\r\n" + uiLine + "\r\nAPI=0\r\n"
                                 "[LogFileSize]\r\n" + fileSizeLine + "\r\n");
        FlushProfileCache();
    }

    std::string ConfigValue(const char* section, const char* key)
    {
        char buf[MAX_PATH];
        GetPrivateProfileStringA(section, key, "<missing>", buf, sizeof(buf), m_configPath.c_str());
        return buf;
    }

    void LogOneOfEach(CRKLog& log)
    {
        log.LogError("e");
        log.LogWarning("w");
        log.LogMainTrace("m");
        log.LogDetailedTrace("d");
    }

    // The level names of the records in the log file, in order.
    std::vector<std::string> LevelsWritten()
    {
        std::vector<std::string> levels;
        static const std::regex level(R"(\], \[UI\], \[([A-Za-z ]+)\], )");
        for (const std::string& record : SplitRecords(ReadBytes(m_logPath)))
        {
            std::smatch m;
            levels.push_back(std::regex_search(record, m, level) ? m[1].str() : "<malformed>");
        }
        return levels;
    }

    std::string m_configFolder, m_configPath, m_savedConfig, m_prefix, m_logPath;
    bool m_createdFolder = false, m_hadConfig = false;
};

TEST_F(LogTest, MissingConfigurationIsWrittenWithLoggingOff)
{
    DeleteFileA(m_configPath.c_str());
    FlushProfileCache();
    {
        CRKLog log("UI", m_prefix.c_str());
        LogOneOfEach(log);
    }
    EXPECT_FALSE(Exists(m_logPath));

    EXPECT_EQ("Replika", ConfigValue("Signature", "PROJECT"));
    EXPECT_EQ("QV", ConfigValue("Signature", "MANUFACTURER"));
    for (const char* module : {"UI", "API", "PROTOCOL", "DEFAULT"})
        EXPECT_EQ("0", ConfigValue("Modules", module)) << module;
    EXPECT_EQ("0", ConfigValue("LogLevels", "LOG_DISABLED"));
    EXPECT_EQ("1", ConfigValue("LogLevels", "LOG_ERROR"));
    EXPECT_EQ("2", ConfigValue("LogLevels", "LOG_WARNING"));
    EXPECT_EQ("4", ConfigValue("LogLevels", "LOG_MAINTRACE"));
    EXPECT_EQ("8", ConfigValue("LogLevels", "LOG_DETAILEDTRACE"));
    EXPECT_EQ("524288", ConfigValue("LogFileSize", "FILESIZE"));
    EXPECT_NE(std::string::npos, ReadBytes(m_configPath).find("[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n"));
}

TEST_F(LogTest, ForeignSignatureRewritesTheFourSectionsOnly)
{
    for (const char* project : {"replika", "Other"})
    {
        WriteBytes(m_configPath, std::string("[Signature]\r\nPROJECT=") + project + "\r\n"
                                 "[Modules]\r\nUI=15\r\nCustom=7\r\n"
                                 "[Mine]\r\nKeep=yes\r\n");
        FlushProfileCache();
        {
            CRKLog log("UI", m_prefix.c_str());
            LogOneOfEach(log);
        }
        EXPECT_FALSE(Exists(m_logPath)) << project;
        EXPECT_EQ("Replika", ConfigValue("Signature", "PROJECT")) << project;
        EXPECT_EQ("0", ConfigValue("Modules", "UI")) << project;
        EXPECT_EQ("<missing>", ConfigValue("Modules", "Custom")) << project;
        EXPECT_EQ("yes", ConfigValue("Mine", "Keep")) << project;
    }
}

TEST_F(LogTest, LevelGateFollowsTheModuleMask)
{
    struct Case { const char* line; std::vector<std::string> levels; bool fileExpected; };
    const std::vector<Case> cases = {
        {"UI=15", {"Error", "Warning", "Main Trace", "Detailed Trace"}, true},
        {"UI=1", {"Error"}, true},
        {"UI=5", {"Error", "Main Trace"}, true},
        {"UI=12abc", {"Main Trace", "Detailed Trace"}, true},
        {"UI=31", {}, true},
        {"UI=-1", {}, true},
        {"UI=", {}, true},       // present but empty: the file is still created
        {"UI=0", {}, false},
        {"UI=none", {}, false},  // no digits converts to 0
        {"API=15", {}, false},   // no key of our own; DEFAULT is not a fallback
    };
    for (const Case& c : cases)
    {
        WriteConfig(c.line);
        {
            CRKLog log("UI", m_prefix.c_str());
            LogOneOfEach(log);
        }
        EXPECT_EQ(c.fileExpected, Exists(m_logPath)) << c.line;
        EXPECT_EQ(c.levels, LevelsWritten()) << c.line;
        DeleteFileA(m_logPath.c_str());
    }
}

TEST_F(LogTest, SignatureQVIsAccepted)
{
    WriteConfig("UI=1", "FILESIZE=524288", "QV");
    {
        CRKLog log("UI", m_prefix.c_str());
        log.LogError("x");
    }
    EXPECT_EQ(std::vector<std::string>{"Error"}, LevelsWritten());
    EXPECT_EQ("1", ConfigValue("Modules", "UI"));
}

TEST_F(LogTest, RecordBytesAreTimestampHeaderMessageAndCrCrLf)
{
    WriteConfig("UI=15");
    SYSTEMTIME now;
    GetLocalTime(&now);
    {
        CRKLog log("UI", m_prefix.c_str());
        log.LogMainTrace("%s%s", "CCopyUIDlg::OnBtnSave", "- Entering");
        log.LogError("%s", "100% done %d");
        log.LogDetailedTrace("two\nlines");
    }
    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(3u, records.size());

    char user[MAX_PATH] = "";
    DWORD len = MAX_PATH;
    GetUserNameA(user, &len);
    std::string header = "\\[PID: " + std::to_string(GetCurrentProcessId()) + " - TID: " +
                         std::to_string(GetCurrentThreadId()) + "\\], \\[User: " + user + "\\], \\[UI\\], ";
    std::string stamp = std::to_string(now.wYear) + "\\." + std::to_string(now.wMonth) + "\\." +
                        std::to_string(now.wDayOfWeek) + "\\." + std::to_string(now.wDay) +
                        "\\.[1-9]?[0-9]\\.[1-9]?[0-9]\\.[1-9]?[0-9]\\.[1-9]?[0-9]?[0-9], ";
    EXPECT_TRUE(std::regex_match(records[0], std::regex(stamp + header + "\\[Main Trace\\], CCopyUIDlg::OnBtnSave- Entering")))
        << records[0];
    EXPECT_TRUE(std::regex_match(records[1], std::regex(stamp + header + "\\[Error\\], 100% done %d"))) << records[1];
    EXPECT_TRUE(std::regex_match(records[2], std::regex(stamp + header + "\\[Detailed Trace\\], two\r\nlines"))) << records[2];
}

TEST_F(LogTest, OverlongMessageIsCutAt1023Characters)
{
    WriteConfig("UI=1");
    {
        CRKLog log("UI", m_prefix.c_str());
        log.LogError("%s", std::string(5000, 'x').c_str());
    }
    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(std::string(1023, 'x'), records[0].substr(records[0].size() - 1023));
    EXPECT_EQ(' ', records[0][records[0].size() - 1024]);
}

TEST_F(LogTest, SizeLimitWritesOneNoticeThenNothing)
{
    const std::string notice = "[Error], **** Log file size has exceeded the permissible limit of 300 ****";
    WriteConfig("UI=15", "FILESIZE=300");
    {
        CRKLog log("UI", m_prefix.c_str());
        for (int i = 0; i < 10; ++i)
            log.LogDetailedTrace("record %d", i);
    }
    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_GE(records.size(), 2u);
    std::string last = records.back();
    EXPECT_EQ(last.size() - notice.size(), last.find(notice)) << last;
    size_t sizeBeforeNotice = ReadBytes(m_logPath).size() - last.size() - 3;
    EXPECT_GT(sizeBeforeNotice, 300u);  // the crossing record was written whole
    for (size_t i = 0; i + 1 < records.size(); ++i)
        EXPECT_NE(std::string::npos, records[i].find("record " + std::to_string(i))) << records[i];

    // A file already over its limit gains exactly one notice per run.
    for (int run = 0; run < 2; ++run)
    {
        CRKLog log("UI", m_prefix.c_str());
        log.LogError("never written");
        log.LogError("never written");
    }
    std::vector<std::string> after = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(records.size() + 2, after.size());
    EXPECT_NE(std::string::npos, after[after.size() - 1].find(notice));
    EXPECT_NE(std::string::npos, after[after.size() - 2].find(notice));
}

TEST_F(LogTest, MissingSizeLimitGivesTheNoticeFirst)
{
    WriteConfig("UI=15", "OTHER=1");
    {
        CRKLog log("UI", m_prefix.c_str());
        log.LogDetailedTrace("a");
        log.LogError("b");
    }
    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(1u, records.size());
    EXPECT_NE(std::string::npos,
              records[0].find("[Error], **** Log file size has exceeded the permissible limit of 0 ****"));
}

DWORD WINAPI LogFromThread(LPVOID pLog)
{
    for (int i = 0; i < 200; ++i)
        static_cast<CRKLog*>(pLog)->LogMainTrace("%s %d %s", "thread record", i, std::string(100, 'y').c_str());
    return 0;
}

TEST_F(LogTest, RecordsFromTwoThreadsNeverInterleave)
{
    WriteConfig("UI=15");
    CRKLog log("UI", m_prefix.c_str());
    HANDLE threads[2];
    for (HANDLE& h : threads)
        h = CreateThread(NULL, 0, LogFromThread, &log, 0, NULL);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (HANDLE h : threads)
        CloseHandle(h);

    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(400u, records.size());
    static const std::regex wellFormed(R"([0-9.]+, \[PID: \d+ - TID: \d+\], \[User: [^\]]*\], \[UI\], \[Main Trace\], thread record \d+ y{100})");
    for (const std::string& record : records)
        ASSERT_TRUE(std::regex_match(record, wellFormed)) << record;
}

TEST_F(LogTest, GlobalLoggerIsOptional)
{
    ASSERT_EQ(nullptr, static_cast<CRKLog*>(g_pLog));
    g_pLog->LogError("nobody listens");
    { CRKTraceScope trace("Nowhere::Function"); }

    WriteConfig("UI=4");
    g_pLog = new CRKLog("UI", m_prefix.c_str());
    ASSERT_TRUE(g_pLog);
    {
        CRKTraceScope trace("CRKXML::Load");
        g_pLog->LogMainTrace("inside");
    }
    delete g_pLog;
    g_pLog = nullptr;

    std::vector<std::string> records = SplitRecords(ReadBytes(m_logPath));
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ("CRKXML::Load- Entering", records[0].substr(records[0].size() - 22));
    EXPECT_EQ("inside", records[1].substr(records[1].size() - 6));
    EXPECT_EQ("CRKXML::Load- Exiting", records[2].substr(records[2].size() - 21));
}
} // namespace

namespace
{
TEST_F(LogTest, PrefixTooLongForAPathTurnsLoggingOff)
{
    WriteConfig("UI=15");
    std::string longPrefix(400, 'Q');
    {
        CRKLog log("UI", longPrefix.c_str());
        LogOneOfEach(log);
    }
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((ShellFolder(CSIDL_APPDATA) + "\\QQQQ*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}
} // namespace
