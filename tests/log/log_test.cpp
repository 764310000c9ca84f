// The logger: its configuration, the level and size gates, the record format,
// the trace scopes, and a log file that stays in its folder whatever its prefix.
#include "common/testlib.h"
#include "log/RKLog.h"
#include "log/SafeFileName.h"

#include <shlobj.h>

#include <algorithm>
#include <regex>
#include <thread>

using namespace qvtest;

namespace {

// One record of each level through a logger made for the purpose.
void LogOneOfEach(const std::string& prefix)
{
    CRKLog log("UI", prefix.c_str());
    for (auto pfnLog : {&CRKLog::LogError, &CRKLog::LogWarning, &CRKLog::LogMainTrace, &CRKLog::LogDetailedTrace})
        (log.*pfnLog)("x");
}

// Each test gets its own log file and a configuration file it may rewrite, put back afterwards.
class LogTest : public ::testing::Test
{
protected:
    ~LogTest() override { DeleteFileA(m_logPath.c_str()); }

    void WriteConfig(const std::string& uiLine, const std::string& fileSizeLine = "FILESIZE=524288",
                     const std::string& project = "Replika")
    {
        WriteBytes(m_configPath, "[Signature]\r\nPROJECT=" + project + "\r\nMANUFACTURER=QV\r\n[Modules]\r\n" + uiLine +
                                     "\r\nAPI=0\r\n[LogFileSize]\r\n" + fileSizeLine + "\r\n[Mine]\r\nKeep=yes\r\n");
    }

    std::string ConfigValue(const char* pszSection, const char* pszKey)
    {
        char szValue[MAX_PATH];
        GetPrivateProfileStringA(pszSection, pszKey, "<missing>", szValue, sizeof(szValue), m_configPath.c_str());
        return szValue;
    }

    // The records of the log file, each without its CR CR LF end.
    std::vector<std::string> Records()
    {
        std::string bytes = ReadBytes(m_logPath);
        std::vector<std::string> records;
        size_t start = 0;
        for (size_t end; (end = bytes.find("\r\r\n", start)) != std::string::npos; start = end + 3)
            records.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(start, bytes.size()) << "bytes after the last record end";
        return records;
    }

    const bool m_bFolder = CreateDirectoryA((ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV").c_str(), NULL);
    const std::string m_configPath = LogConfigPath();
    SavedFile m_savedConfig{m_configPath};
    const std::string m_prefix = "QVLogTest" + std::to_string(GetCurrentProcessId());
    const std::string m_logPath = ShellFolder(CSIDL_APPDATA) + "\\" + m_prefix + "_UI.log";
};

// A foreign signature rewrites our sections with logging off, leaving the others' sections alone.
TEST_F(LogTest, LevelGateFollowsTheModuleMaskUnderOurSignature)
{
    const struct
    {
        const char *pszLine, *pszProject, *pszLevels;
        bool bFile, bRewritten;
    } cases[] = {{"UI=15", "Replika", "Error,Warning,Main Trace,Detailed Trace,", true, false},
                 {"UI=1", "QV", "Error,", true, false},
                 {"UI=12abc", "Replika", "Main Trace,Detailed Trace,", true, false},
                 {"UI=31", "Replika", "", true, false},  // a bit beside the four levels silences all
                 {"UI=", "Replika", "", true, false},    // present but empty: the file is still made
                 {"UI=0", "Replika", "", false, false},
                 {"API=15", "Replika", "", false, false},  // DEFAULT is no fallback
                 {"UI=15", "replika", "", false, true},
                 {"UI=15", "Other", "", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszProject) + " " + c.pszLine);
        WriteConfig(c.pszLine, "FILESIZE=524288", c.pszProject);
        LogOneOfEach(m_prefix);
        EXPECT_EQ(c.bFile, GetFileAttributesA(m_logPath.c_str()) != INVALID_FILE_ATTRIBUTES);
        std::string levels;
        for (const std::string& record : Records())
            levels += record.substr(record.find("[UI], [") + 7, record.rfind("], ") - record.find("[UI], [") - 7) + ",";
        EXPECT_EQ(c.pszLevels, levels);
        EXPECT_EQ(c.bRewritten ? "Replika" : c.pszProject, ConfigValue("Signature", "PROJECT"));
        EXPECT_TRUE(!c.bRewritten || ConfigValue("Modules", "UI") == "0") << "logging off";
        EXPECT_EQ("yes", ConfigValue("Mine", "Keep"));
        DeleteFileA(m_logPath.c_str());
    }
}

// The trace scope writes both forms and, like every call through g_pLog, needs
// no logger; records of several threads never interleave.
TEST_F(LogTest, RecordsAreTimestampHeaderMessageAndCrCrLf)
{
    CRKTraceScope("Nowhere::Function");  // no logger yet: both records go nowhere
    g_pLog->LogError("nobody listens");
    WriteConfig("UI=15");
    SYSTEMTIME now;
    GetLocalTime(&now);
    {
        CRKLog log("UI", m_prefix.c_str());
        g_pLog = &log;
        {
            CRKTraceScope trace("CCopyUIDlg::OnBtnSave");
            auto inner = CRKTraceScope::Prefixed("ValidateState");
            log.LogError("%s", "100% done %d");
            log.LogDetailedTrace("two\nlines");
            log.LogWarning("%s", std::string(5000, 'x').c_str());
        }
        g_pLog = nullptr;
        auto flood = [&log] {
            for (int i = 0; i < 200; ++i)
                log.LogMainTrace("thread record %d %s", i, std::string(100, 'y').c_str());
        };
        std::thread other(flood);
        flood();
        other.join();
    }
    const std::string header =
        std::to_string(now.wYear) + "\\." + std::to_string(now.wMonth) + "\\." + std::to_string(now.wDayOfWeek) +
        "\\." + std::to_string(now.wDay) +
        "(\\.[1-9]?[0-9]){3}\\.[1-9]?[0-9]?[0-9], \\[PID: " + std::to_string(GetCurrentProcessId()) +
        " - TID: \\d+\\], \\[User: [^\\]]+\\], \\[UI\\], \\[";
    const std::string ends[] = {"Main Trace\\], CCopyUIDlg::OnBtnSave- Entering",
                                "Main Trace\\], Entering ValidateState",
                                "Error\\], 100% done %d",
                                "Detailed Trace\\], two\r\nlines",
                                "Warning\\], x{1023}",
                                "Main Trace\\], Exiting ValidateState",
                                "Main Trace\\], CCopyUIDlg::OnBtnSave- Exiting"};
    const std::vector<std::string> records = Records();
    ASSERT_EQ(407u, records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string end = i < 7 ? ends[i] : "Main Trace\\], thread record \\d+ y{100}";
        ASSERT_TRUE(std::regex_match(records[i], std::regex(header + end))) << records[i];
    }
}

TEST_F(LogTest, SizeLimitWritesOneNoticeThenNothing)
{
    const std::string notice = "[Error], **** Log file size has exceeded the permissible limit of ";
    WriteConfig("UI=15", "FILESIZE=300");
    {
        CRKLog log("UI", m_prefix.c_str());
        for (int i = 0; i < 10; ++i)
            log.LogDetailedTrace("record %d", i);
    }
    const std::vector<std::string> records = Records();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.back().size() - notice.size() - 8, records.back().find(notice + "300 ****")) << records.back();
    // A file already over its limit gains exactly one notice per run.
    LogOneOfEach(m_prefix);
    LogOneOfEach(m_prefix);
    const std::vector<std::string> after = Records();
    ASSERT_EQ(records.size() + 2, after.size());
    for (size_t i : {after.size() - 2, after.size() - 1})
        EXPECT_NE(std::string::npos, after[i].find(notice + "300 ****"));
}

// Whatever the prefix holds, the log file lands in the application-data folder itself.
TEST_F(LogTest, LogFileStaysInItsFolderWhateverThePrefix)
{
    WriteConfig("UI=15");
    const std::string folder = ShellFolder(CSIDL_APPDATA) + "\\", tag = m_prefix + "Path";
    const std::string rows[][2] = {// prefix, file name as a search pattern
                                   {tag + "\\..\\..\\..\\..\\evil", tag + "_.._.._.._.._evil_UI.log"},
                                   {tag + std::string(400, 'Q'), tag + "QQQQ*~*_UI.log"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row[1]);
        LogOneOfEach(row[0]);
        WIN32_FIND_DATAA found;
        HANDLE hFind = FindFirstFileA((folder + row[1]).c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
        FindClose(hFind);
        const std::string path = folder + found.cFileName, bytes = ReadBytes(path);
        DeleteFileA(path.c_str());
        EXPECT_LT(path.size(), (size_t)MAX_PATH);
        EXPECT_EQ(4, std::count(bytes.begin(), bytes.end(), '\n'));
    }
}
}  // namespace
