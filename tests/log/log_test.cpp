#include "log/RKLog.h"
#include "log/SafeFileName.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {
std::string ShellFolder(int nFolder)
{
    char szPath[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, szPath, nFolder, FALSE);
    return szPath;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Each test gets its own log file and a configuration file it may rewrite; the
// configuration found before the test is put back afterwards.
class LogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int s_nCounter = 0;
        m_bCreatedFolder = CreateDirectoryA(m_configFolder.c_str(), NULL) != 0;
        m_bHadConfig = Exists(m_configPath);
        m_savedConfig = ReadBytes(m_configPath);
        m_prefix = "QVLogTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++s_nCounter);
        m_logPath = ShellFolder(CSIDL_APPDATA) + "\\" + m_prefix + "_UI.log";
    }

    void TearDown() override
    {
        DeleteFileA(m_logPath.c_str());
        DeleteFileA(m_configPath.c_str());
        if (m_bHadConfig)
            WriteConfigBytes(m_savedConfig);
        WritePrivateProfileStringA(NULL, NULL, NULL, m_configPath.c_str());
        if (m_bCreatedFolder)
            RemoveDirectoryA(m_configFolder.c_str());
    }

    // The profile cache is flushed so the logger reads what is on disk.
    void WriteConfigBytes(const std::string& bytes)
    {
        FILE* pFile = fopen(m_configPath.c_str(), "wb");
        ASSERT_NE(pFile, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), pFile);
        fclose(pFile);
        WritePrivateProfileStringA(NULL, NULL, NULL, m_configPath.c_str());
    }

    void WriteConfig(const std::string& uiLine, const std::string& fileSizeLine = "FILESIZE=524288",
                     const std::string& project = "Replika")
    {
        WriteConfigBytes("[Signature]\r\nPROJECT=" + project + "\r\nMANUFACTURER=QV\r\n[Modules]\r\n" + uiLine +
                         "\r\nAPI=0\r\n[LogFileSize]\r\n" + fileSizeLine + "\r\n");
    }

    std::string ConfigValue(const char* pszSection, const char* pszKey)
    {
        char szValue[MAX_PATH];
        GetPrivateProfileStringA(pszSection, pszKey, "<missing>", szValue, sizeof(szValue), m_configPath.c_str());
        return szValue;
    }

    // One record of each level through a logger made for the purpose.
    void LogOneOfEach(const char* pszPrefix = nullptr)
    {
        CRKLog log("UI", pszPrefix ? pszPrefix : m_prefix.c_str());
        log.LogError("e");
        log.LogWarning("w");
        log.LogMainTrace("m");
        log.LogDetailedTrace("d");
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

    std::string m_configFolder = ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV";
    std::string m_configPath = m_configFolder + "\\RKLogConfig.ini";
    std::string m_savedConfig, m_prefix, m_logPath;
    bool m_bCreatedFolder = false, m_bHadConfig = false;
};

// A missing file or a foreign signature: the four sections are written anew
// with logging off, and the sections of others are left alone.
TEST_F(LogTest, ConfigurationWithoutOurSignatureIsRewrittenWithLoggingOff)
{
    for (std::string project : {"", "replika", "Other"}) {
        SCOPED_TRACE(project);
        DeleteFileA(m_configPath.c_str());
        if (!project.empty())
            WriteConfigBytes("[Signature]\r\nPROJECT=" + project +
                             "\r\n[Modules]\r\nUI=15\r\nCustom=7\r\n[Mine]\r\nKeep=yes\r\n");
        LogOneOfEach();
        EXPECT_FALSE(Exists(m_logPath));
        EXPECT_NE(ReadBytes(m_configPath).find("[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n"),
                  std::string::npos);
        const char* const expected[][3] = {
            {"Modules", "UI", "0"}, {"Modules", "Custom", "<missing>"}, {"LogFileSize", "FILESIZE", "524288"}};
        for (const auto& e : expected)
            EXPECT_EQ(e[2], ConfigValue(e[0], e[1])) << e[1];
        EXPECT_EQ(project.empty() ? "<missing>" : "yes", ConfigValue("Mine", "Keep"));
    }
}

TEST_F(LogTest, LevelGateFollowsTheModuleMask)
{
    const struct
    {
        const char *pszLine, *pszProject, *pszLevels;
        bool bFileExpected;
    } cases[] = {
        {"UI=15", "Replika", "Error,Warning,Main Trace,Detailed Trace,", true},
        {"UI=1", "QV", "Error,", true},
        {"UI=5", "Replika", "Error,Main Trace,", true},
        {"UI=12abc", "Replika", "Main Trace,Detailed Trace,", true},
        {"UI=31", "Replika", "", true},  // a bit beside the four levels silences all
        {"UI=", "Replika", "", true},    // present but empty: the file is still made
        {"UI=0", "Replika", "", false},
        {"UI=none", "Replika", "", false},  // no digits converts to 0
        {"API=15", "Replika", "", false},   // no key of our own; DEFAULT is no fallback
    };
    static const std::regex level(R"(\], \[UI\], \[([A-Za-z ]+)\], )");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        WriteConfig(c.pszLine, "FILESIZE=524288", c.pszProject);
        LogOneOfEach();
        EXPECT_EQ(c.bFileExpected, Exists(m_logPath));
        std::string levels;
        std::smatch m;
        for (const std::string& record : Records())
            levels += (std::regex_search(record, m, level) ? m[1].str() : "<malformed>") + ",";
        EXPECT_EQ(c.pszLevels, levels);
        EXPECT_EQ(c.pszProject, ConfigValue("Signature", "PROJECT")) << "an accepted signature is kept";
        DeleteFileA(m_logPath.c_str());
    }
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
        log.LogWarning("%s", std::string(5000, 'x').c_str());
    }
    char szUser[MAX_PATH] = "";
    DWORD dwLen = MAX_PATH;
    GetUserNameA(szUser, &dwLen);
    const std::string start =
        std::to_string(now.wYear) + "\\." + std::to_string(now.wMonth) + "\\." + std::to_string(now.wDayOfWeek) +
        "\\." + std::to_string(now.wDay) +
        "(\\.[1-9]?[0-9]){3}\\.[1-9]?[0-9]?[0-9], \\[PID: " + std::to_string(GetCurrentProcessId()) +
        " - TID: " + std::to_string(GetCurrentThreadId()) + "\\], \\[User: " + szUser + "\\], \\[UI\\], ";
    const char* const ends[] = {"\\[Main Trace\\], CCopyUIDlg::OnBtnSave- Entering", "\\[Error\\], 100% done %d",
                                "\\[Detailed Trace\\], two\r\nlines", "\\[Warning\\], x{1023}"};
    std::vector<std::string> records = Records();
    ASSERT_EQ(4u, records.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(std::regex_match(records[i], std::regex(start + ends[i]))) << records[i];
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
    std::vector<std::string> records = Records();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.back().size() - notice.size(), records.back().find(notice)) << records.back();

    // A file already over its limit gains exactly one notice per run.
    LogOneOfEach();
    LogOneOfEach();
    std::vector<std::string> after = Records();
    ASSERT_EQ(records.size() + 2, after.size());
    EXPECT_NE(std::string::npos, after[after.size() - 1].find(notice));
    EXPECT_NE(std::string::npos, after[after.size() - 2].find(notice));

    // Without a limit the notice comes first.
    DeleteFileA(m_logPath.c_str());
    WriteConfig("UI=15", "OTHER=1");
    LogOneOfEach();
    ASSERT_EQ(1u, Records().size());
    EXPECT_NE(std::string::npos,
              Records()[0].find("[Error], **** Log file size has exceeded the permissible limit of 0 ****"));
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
    {
        CRKLog log("UI", m_prefix.c_str());
        HANDLE threads[2] = {CreateThread(NULL, 0, LogFromThread, &log, 0, NULL),
                             CreateThread(NULL, 0, LogFromThread, &log, 0, NULL)};
        WaitForMultipleObjects(2, threads, TRUE, INFINITE);
        CloseHandle(threads[0]);
        CloseHandle(threads[1]);
    }
    std::vector<std::string> records = Records();
    ASSERT_EQ(400u, records.size());
    static const std::regex wellFormed(
        R"([0-9.]+, \[PID: \d+ - TID: \d+\], \[User: [^\]]*\], \[UI\], \[Main Trace\], thread record \d+ y{100})");
    for (const std::string& record : records)
        ASSERT_TRUE(std::regex_match(record, wellFormed)) << record;
}

TEST_F(LogTest, TraceScopesWriteBothFormsAndNeedNoLogger)
{
    ASSERT_EQ(nullptr, static_cast<CRKLog*>(g_pLog));
    {
        CRKTraceScope trace("Nowhere::Function");
        g_pLog->LogError("nobody listens");
    }
    WriteConfig("UI=4");
    g_pLog = new CRKLog("UI", m_prefix.c_str());
    {
        CRKTraceScope trace("CRKXML::Load");
        auto inner = CRKTraceScope::Prefixed("ValidateState");
        g_pLog->LogMainTrace("inside");
    }
    delete static_cast<CRKLog*>(g_pLog);
    g_pLog = nullptr;
    const std::vector<std::string> expected = {"CRKXML::Load- Entering", "Entering ValidateState", "inside",
                                               "Exiting ValidateState", "CRKXML::Load- Exiting"};
    std::vector<std::string> messages;
    for (const std::string& record : Records())
        messages.push_back(record.substr(record.find("[Main Trace], ") + 14));
    EXPECT_EQ(expected, messages);
}

TEST(SafeFileName, OutsideTextBecomesOneNameInsideItsFolder)
{
    const std::string longText(300, 'x'), kept(40, 'x');
    const struct
    {
        const char* pszText;
        size_t cchOut;
        const char* pszExpected;  // before the "~" and hash when bHashed
        bool bHashed;
    } rows[] = {
        {"QV\\..\\..\\..\\..\\evilSIM0001", 260, "QV_.._.._.._.._evilSIM0001", false},
        {"a/b:c*d?e\"f<g>h|i\tj", 260, "a_b_c_d_e_f_g_h_i_j", false},
        {"CON", 260, "_CON", false},
        {"nul.txt", 260, "_nul.txt", false},
        {"COM0", 260, "COM0", false},
        {"..", 260, "_._", false},
        {"", 260, "_", false},
        {nullptr, 260, "_", false},
        {longText.c_str(), 50, kept.c_str(), true},
        {longText.c_str(), 10, "", false},  // no room for a name at all
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszText ? row.pszText : "(null)");
        char szOut[260];
        memset(szOut, '#', sizeof(szOut));
        RKSafeFileNamePart(row.pszText, szOut, row.cchOut);
        std::string out = szOut;
        ASSERT_LT(out.size(), row.cchOut);
        if (!row.bHashed) {
            EXPECT_EQ(row.pszExpected, out);
            continue;
        }
        EXPECT_EQ(row.cchOut - 1, out.size());
        EXPECT_TRUE(std::regex_match(out, std::regex(std::string(row.pszExpected) + "~[0-9a-f]{8}"))) << out;
        std::string other = std::string(row.pszText) + "y";
        RKSafeFileNamePart(other.c_str(), szOut, row.cchOut);
        EXPECT_NE(out, szOut) << "two long texts, two names";
    }
}

// Whatever the prefix holds, the log file lands in the application-data folder itself.
TEST_F(LogTest, LogFileStaysInItsFolderWhateverThePrefix)
{
    WriteConfig("UI=15");
    const std::string folder = ShellFolder(CSIDL_APPDATA) + "\\";
    const std::string tag = "QVPath" + std::to_string(GetCurrentProcessId());
    const struct
    {
        std::string prefix, fileName, escaped;  // fileName as a search pattern
    } rows[] = {
        {tag + "\\..\\..\\..\\..\\evil", tag + "_.._.._.._.._evil_UI.log", folder + "..\\..\\..\\evil_UI.log"},
        {"/../" + tag + ":x", "_.._" + tag + "_x_UI.log", folder + "..\\" + tag + ":x_UI.log"},
        {"", "__UI.log", ""},
        {tag + std::string(400, 'Q'), tag + "QQQQ*~*_UI.log", ""},  // cut to fit, with a hash
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fileName);
        LogOneOfEach(row.prefix.c_str());
        if (!row.escaped.empty()) {
            EXPECT_FALSE(Exists(row.escaped));
            DeleteFileA(row.escaped.c_str());
        }
        WIN32_FIND_DATAA found;
        HANDLE hFind = FindFirstFileA((folder + row.fileName).c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
        FindClose(hFind);
        const std::string path = folder + found.cFileName;
        const std::string bytes = ReadBytes(path);
        DeleteFileA(path.c_str());
        EXPECT_LT(path.size(), (size_t)MAX_PATH);
        EXPECT_EQ(4, std::count(bytes.begin(), bytes.end(), '\n'));
    }
}
}  // namespace
