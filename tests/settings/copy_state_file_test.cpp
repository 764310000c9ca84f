// CRKCopyState read from and written into State documents.
#include "settings_test_util.h"

#include "dialog/RKCopyState.h"

#include <gtest/gtest.h>

#include <cstdlib>

extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];

using namespace settings_test;

namespace {

#define PERSISTED_BOOLEANS(X)                                                                                          \
    X(bColorCopyRequested)                                                                                             \
    X(bADFPresent) X(bADFDuplexerPresent) X(bTwoSidedInChecked) X(bPrintDuplexerPresent) X(bTwoSidedOutChecked)        \
        X(bPrintDuplexer) X(bAutoExp) X(bAutofit) X(bCollationSupported) X(bEnhanceLightClr) X(bLowerInputTrayPresent) \
            X(bRearInputTrayPresent) X(bMirror) X(bMultipleCopiesPerPage) X(bPoster) X(bTextMode)                      \
                X(bUsingCreativeCopy) X(bAutoCropMode)
#define PERSISTED_INTEGERS(X)                                                                                          \
    X(nADFMode)                                                                                                        \
    X(nAllowedCopyTypes) X(nAllowedCopyQualities) X(nBrightness) X(nCCHowMany) X(nCollate) X(nColorIntensity)          \
        X(nCreativeCopy) X(nCreativeCopyIndex) X(nNbrCopies) X(nMaxCopies) X(nMinCopies) X(nPaperSize)                 \
            X(nPaperSizeIndex) X(nPhotoSize) X(nPhotoSizeIndex) X(nPaperType) X(nPaperTypeIndex) X(nPosterWidth)       \
                X(nQuality) X(nReduceEnlarge) X(nScaleRangeHigh) X(nScaleRangeLow) X(nTraySelection)                   \
                    X(nSpecialFeatureRadio) X(nSpecialFeatureMode)

// Every persisted field gets a value of its own, different for each seed.
void FillDistinct(CRKCopyState& s, int nSeed)
{
    int n = 0;
    snprintf(s.strCtxID, sizeof(s.strCtxID), "#QV#Model %d#DEV%d", nSeed, nSeed);
    snprintf(s.strModality, sizeof(s.strModality), "USB-%d", nSeed);
    s.pStartLoc.x = -40 - nSeed;
    s.pStartLoc.y = 300 + nSeed;
#define FILL_BOOLEAN(f) s.f = (++n + nSeed) % 2;
    PERSISTED_BOOLEANS(FILL_BOOLEAN)
#define FILL_INTEGER(f)                                                                                                \
    ++n;                                                                                                               \
    s.f = nSeed * 1000 + (n % 3 == 0 ? -n : n);
    PERSISTED_INTEGERS(FILL_INTEGER)
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = (i * 7 + nSeed) % 3 == 0 ? 0 : 1;
}

void ExpectSameSettings(const CRKCopyState& a, const CRKCopyState& b)
{
    EXPECT_STREQ(a.strCtxID, b.strCtxID);
    EXPECT_STREQ(a.strModality, b.strModality);
    EXPECT_EQ(a.pStartLoc.x, b.pStartLoc.x);
    EXPECT_EQ(a.pStartLoc.y, b.pStartLoc.y);
#define EXPECT_SAME(f) EXPECT_EQ(a.f, b.f) << #f;
    PERSISTED_BOOLEANS(EXPECT_SAME)
    PERSISTED_INTEGERS(EXPECT_SAME)
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(a.bEnableXDL[i], b.bEnableXDL[i]) << "flag " << i;
}

std::string Flags(const std::vector<const char*>& values)
{
    std::string text = "  <bEnableXDL>\r\n";
    for (const char* pszValue : values)
        text += std::string("    <boolean>") + pszValue + "</boolean>\r\n";
    return text + "  </bEnableXDL>";
}

std::string DefaultFlags()
{
    std::vector<const char*> values(21, "true");
    values[15] = values[20] = "false";
    return Flags(values);
}

class CopyStateFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lstrcpynA(g_szDefaultFileName, "DQV1234.xml", MAX_PATH);
        lstrcpynA(g_szFactoryFileName, "FQV1234.xml", MAX_PATH);
    }

    const char* Write(const std::string& bytes)
    {
        WriteBytes(m_path, bytes);
        return m_path.c_str();
    }

    ScratchFolder m_folder;
    std::string m_path = m_folder.Path("DQV1234.xml");
};

// The embedded default document: its exact bytes, their layout and the record they hold.
TEST_F(CopyStateFileTest, EmbeddedDefaultDocument)
{
    const std::string document = DefaultDocument();
    ASSERT_EQ(document.size(), 2914u);
    EXPECT_EQ(document.compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0);
    EXPECT_NE(document.find("<State xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\r\n"),
              std::string::npos);
    for (size_t i = 0; i < document.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(document[i]), 128u) << "at " << i;
        ASSERT_EQ(document[i] == '\n', i > 0 && document[i - 1] == '\r') << "at " << i;
    }
    EXPECT_NE(document.find("\r\n    <X>200</X>\r\n    <Y>0</Y>\r\n  </pStartLoc>\r\n"), std::string::npos);
    EXPECT_NE(document.find(ElementLine("bPrinterSetupRequested", "false")), std::string::npos);
    EXPECT_EQ(document.substr(document.size() - DefaultFlags().size() - 10), DefaultFlags() + "\r\n</State>");

    CRKCopyState s;
    ASSERT_EQ(s.GetSettings(Write(document)), 1);
    EXPECT_STREQ(s.strFileName, "D1069370723.xml");
    EXPECT_STREQ(s.strDateTime, "Wednesday, December 17, 2003 12:43:24 PM");
    EXPECT_STREQ(s.strCtxID, "Unknown");
    EXPECT_STREQ(s.strModality, "Unknown");
    EXPECT_EQ(s.pStartLoc.x, 200);
    EXPECT_EQ(s.pStartLoc.y, 0);
#define VALUE(f) s.f,
#define NAME(f)  #f,
    const int32_t read[] = {PERSISTED_BOOLEANS(VALUE) PERSISTED_INTEGERS(VALUE)};
    const char* names[] = {PERSISTED_BOOLEANS(NAME) PERSISTED_INTEGERS(NAME)};
    const int32_t expected[] = {1, 1, 1, 0,  1, 0, 0, 0, 0, 0, 0,  1, 0, 0, 1, 0, 1,  1, 0,  // the booleans
                                0, 7, 7, 50, 2, 0, 0, 0, 0, 1, 50, 1, 2, 0, 8, 0, 15, 0, 2, 1, 100, 400, 25, 2, 1, 1};
    static_assert(sizeof(read) == sizeof(expected), "one expected value per field");
    for (size_t i = 0; i < sizeof(read) / sizeof(read[0]); ++i)
        EXPECT_EQ(read[i], expected[i]) << names[i];
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], (i == 15 || i == 20) ? 0 : 1) << "flag " << i;
}

// A save also names the file it writes (default or factory) and stamps the time.
TEST_F(CopyStateFileTest, FullRecordSurvivesASaveAndALoad)
{
    for (const char* pszName : {"DQV1234.xml", "FQV1234.xml"}) {
        SCOPED_TRACE(pszName);
        const std::string path = m_folder.Path(pszName);
        WriteBytes(path, DefaultDocument());
        CRKCopyState saved, loaded;
        FillDistinct(saved, pszName[0]);
        saved.nBorderlessSupport = 2;
        ASSERT_EQ(saved.SaveSettings(path.c_str()), 1);
        FillDistinct(loaded, pszName[0] + 1);
        ASSERT_EQ(loaded.GetSettings(path.c_str()), 1);
        ExpectSameSettings(saved, loaded);
        EXPECT_STREQ(loaded.strFileName, pszName);
        EXPECT_STREQ(loaded.strDateTime, saved.strDateTime);
        EXPECT_EQ(loaded.nBorderlessSupport, 0) << "not persisted";
        SYSTEMTIME now;
        GetLocalTime(&now);
        EXPECT_NE(std::string(saved.strDateTime).find(", " + std::to_string(now.wYear) + " "), std::string::npos);

        std::string file = ReadBytes(path);
        // Only the two elements that are not the record's keep the lower-case form.
        EXPECT_EQ(file.find("true<"), file.rfind("true<"));
        EXPECT_EQ(file.find("false<"), file.rfind("false<"));
        EXPECT_NE(file.find(ElementLine("bAIODevice", "true")), std::string::npos);
        EXPECT_NE(file.find(ElementLine("bPrinterSetupRequested", "false")), std::string::npos);
        EXPECT_EQ(file.substr(file.size() - 10), "\r\n</State>");
    }
    EXPECT_EQ(m_folder.Files().size(), 2u) << "no temporary file is left behind";

    SYSTEMTIME st = {2027, 12, 5, 31, 23, 5, 9, 0};
    char szText[STATE_TEXT_LEN];
    FormatStateDateTime(st, szText, sizeof(szText));
    EXPECT_STREQ(szText, "Friday,December 31, 2027 23:5:9");
}

// Booleans are false only for "false" in any case; integers take their leading digits.
TEST_F(CopyStateFileTest, ReadingRulesOfBooleansAndIntegers)
{
    const struct
    {
        const char* pszText;
        int32_t bBoolean, nInteger;
    } cases[] = {{"FALSE", 0, 0},
                 {"False", 0, 0},
                 {"fAlSe", 0, 0},
                 {"false", 0, 0},
                 {" false", 1, 0},
                 {"no", 1, 0},
                 {"0", 1, 0},
                 {"", 1, 0},
                 {"TRUE", 1, 0},
                 {"abc", 1, 0},
                 {"42", 1, 42},
                 {"  42", 1, 42},
                 {"-7", 1, -7},
                 {"+5", 1, 5},
                 {"12abc", 1, 12},
                 {"007", 1, 7},
                 {"999999999", 1, 999999999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.pszText + "'");
        std::string document =
            Replaced(DefaultDocument(), ElementLine("bMirror", "false"), ElementLine("bMirror", c.pszText));
        document = Replaced(document, "<boolean>true<", std::string("<boolean>") + c.pszText + "<");
        document = Replaced(document, ElementLine("nBrightness", "50"), ElementLine("nBrightness", c.pszText));
        document = Replaced(document, "<X>200<", std::string("<X>") + c.pszText + "<");
        CRKCopyState s;
        s.bMirror = s.bEnableXDL[0] = 1 - c.bBoolean;
        s.nBrightness = s.pStartLoc.x = -1;
        ASSERT_EQ(s.GetSettings(Write(document)), 1);
        EXPECT_EQ(s.bMirror, c.bBoolean);
        EXPECT_EQ(s.bEnableXDL[0], c.bBoolean);
        EXPECT_EQ(s.nBrightness, c.nInteger);
        EXPECT_EQ(s.pStartLoc.x, c.nInteger);
    }
}

// strModality follows strCtxID in the record: an overrun would show there.
TEST_F(CopyStateFileTest, OverlongTextsAndNumbersNeverOverrun)
{
    std::string document =
        Replaced(DefaultDocument(), "<strCtxID>Unknown<", "<strCtxID>" + std::string(1000, 'c') + "<");
    document = Replaced(document, ElementLine("strModality", "Unknown"), "");
    document = Replaced(document, ElementLine("nBrightness", "50"), ElementLine("nBrightness", "12345678901234567890"));
    document = Replaced(document, ElementLine("bMirror", "false"), ElementLine("bMirror", std::string(500, 'f')));
    CRKCopyState s;
    lstrcpynA(s.strModality, "kept", STATE_TEXT_LEN);
    s.nBrightness = 33;
    ASSERT_EQ(s.GetSettings(Write(document)), 1);
    EXPECT_EQ(std::string(s.strCtxID), std::string(259, 'c'));
    EXPECT_STREQ(s.strModality, "kept");
    EXPECT_EQ(s.nBrightness, 33) << "a number too long for its buffer is refused";
    EXPECT_EQ(s.bMirror, 1);

    s.nBrightness = INT32_MIN;
    s.nQuality = 123456789;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    std::string file = ReadBytes(m_path);
    EXPECT_NE(file.find(ElementLine("nBrightness", "12345678901234567890")), std::string::npos)
        << "a number that does not fit nine characters is not written";
    EXPECT_NE(file.find(ElementLine("nQuality", "123456789")), std::string::npos);
}

TEST_F(CopyStateFileTest, MissingDuplicatedAndExtraElements)
{
    const std::string twice = ElementLine("nBrightness", "10") + ElementLine("nBrightness", "20");
    const std::string extra = ElementLine("strComment", "left alone") + ElementLine("nFuture", "77");
    std::string document = Replaced(DefaultDocument(), ElementLine("nQuality", "1"), "");
    document = Replaced(document, ElementLine("nBrightness", "50"), twice);
    document = Replaced(document, ElementLine("bMirror", "false"), extra + ElementLine("bMirror", "false"));
    document = Replaced(document, "    <Y>0</Y>", "    <Z>5</Z>\r\n    <Y>0</Y>");
    CRKCopyState s;
    s.nQuality = 3;
    s.nBrightness = 44;
    ASSERT_EQ(s.GetSettings(Write(document)), 1);
    EXPECT_EQ(s.nQuality, 3);
    EXPECT_EQ(s.nBrightness, 44);
    EXPECT_EQ(s.pStartLoc.y, 0);
    EXPECT_EQ(s.nPaperType, 15) << "elements after the unknown ones are still read";

    s.nQuality = 2;
    s.nBrightness = 66;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    std::string file = ReadBytes(m_path);
    EXPECT_EQ(file.find("<nQuality>"), std::string::npos) << "a save adds no element";
    EXPECT_NE(file.find(twice), std::string::npos);
    EXPECT_NE(file.find(extra), std::string::npos);
    EXPECT_NE(file.find("    <Z>5</Z>\r\n"), std::string::npos);
}

TEST_F(CopyStateFileTest, EnableFlagListsOfAnyLength)
{
    CRKCopyState s;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = 1 - i % 2;
    ASSERT_EQ(s.GetSettings(Write(Replaced(DefaultDocument(), DefaultFlags(), ""))), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], 1 - i % 2) << "no list: flag " << i << " stays";

    // Five entries: flags 0 to 4 only, and a save writes back only those.
    ASSERT_EQ(s.GetSettings(
                  Write(Replaced(DefaultDocument(), DefaultFlags(), Flags({"false", "true", "FALSE", "x", "False"})))),
              1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i < 5 ? i % 2 : 1 - i % 2) << "flag " << i;
    for (int32_t& b : s.bEnableXDL)
        b = 1;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    EXPECT_NE(ReadBytes(m_path).find(Flags(std::vector<const char*>(5, "TRUE"))), std::string::npos);

    // Thirty entries: the first 21 are read and written, the rest keep their text.
    std::vector<const char*> thirty(30), thirtySaved(30);
    for (int i = 0; i < 30; ++i) {
        thirty[i] = i % 3 == 0 ? "false" : "true";
        thirtySaved[i] = i < 10 ? "TRUE" : i < 21 ? "FALSE" : thirty[i];
    }
    ASSERT_EQ(s.GetSettings(Write(Replaced(DefaultDocument(), DefaultFlags(), Flags(thirty)))), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i % 3 == 0 ? 0 : 1) << "flag " << i;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = i < 10 ? 1 : 0;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    EXPECT_NE(ReadBytes(m_path).find(Flags(thirtySaved)), std::string::npos);
}

TEST_F(CopyStateFileTest, StartLocationIsAllThatSaveStartLocationWrites)
{
    CRKCopyState s;
    FillDistinct(s, 3);
    s.pStartLoc.x = 640;
    s.pStartLoc.y = -12;
    ASSERT_EQ(s.SaveStartLocation(Write(DefaultDocument())), 1);
    EXPECT_EQ(ReadBytes(m_path),
              Replaced(DefaultDocument(), "<X>200</X>\r\n    <Y>0</Y>", "<X>640</X>\r\n    <Y>-12</Y>"));
    EXPECT_STREQ(s.strFileName, "") << "the record is not touched";
}

TEST_F(CopyStateFileTest, MalformedOrMissingFileLeavesRecordAndFileAlone)
{
    const std::string broken = Replaced(DefaultDocument(), "</nQuality>", "</nQualit>");
    const std::string absent = m_folder.Path("absent.xml");
    CRKCopyState s, before;
    FillDistinct(s, 4);
    FillDistinct(before, 4);
    g_errorDumps.clear();
    LogWatch log;
    EXPECT_EQ(s.GetSettings(Write(broken)), 0);
    EXPECT_EQ(s.SaveSettings(m_path.c_str()), 0);
    EXPECT_EQ(s.SaveStartLocation(m_path.c_str()), 0);
    EXPECT_EQ(s.GetSettings(absent.c_str()), 0);
    EXPECT_EQ(s.SaveSettings(absent.c_str()), 0);
    EXPECT_TRUE(log.Contains("Failed to load " + m_path));
    EXPECT_TRUE(log.Contains("Could not load " + m_path));
    ExpectSameSettings(s, before);
    EXPECT_STREQ(s.strFileName, "");
    EXPECT_EQ(ReadBytes(m_path), broken);
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no file is ever created";
    EXPECT_TRUE(g_errorDumps.empty()) << "a bad file is no component error";
}

// Two processes saving the same file over and over: every save is whole, so
// the file always holds one complete record. The children run this program
// again with the test below, which ordinary runs skip.
const char kChildSeed[] = "QV_SETTINGS_CHILD_SEED";
const char kChildStart[] = "QV_SETTINGS_CHILD_START";

TEST(ConcurrentSaveChild, DISABLED_SavesRepeatedly)
{
    const char* pszFile = getenv(kChildFile);
    const char* pszSeed = getenv(kChildSeed);
    const char* pszStart = getenv(kChildStart);
    ASSERT_TRUE(pszFile && pszSeed && pszStart);
    HANDLE hStart = OpenEventA(SYNCHRONIZE, FALSE, pszStart);  // both begin together, so saves overlap
    ASSERT_NE(hStart, nullptr);
    ASSERT_EQ(WaitForSingleObject(hStart, 60000), WAIT_OBJECT_0);
    CloseHandle(hStart);
    lstrcpynA(g_szDefaultFileName, "DQVSHARED.xml", MAX_PATH);
    CRKCopyState s;
    FillDistinct(s, atoi(pszSeed));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(s.SaveSettings(pszFile), 1) << "save " << i;
}

HANDLE StartChild(const std::string& file, const char* pszSeed, const std::string& startEvent)
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    std::string command =
        std::string("\"") + szExe + "\" --gtest_also_run_disabled_tests --gtest_filter=ConcurrentSaveChild.*";
    SetEnvironmentVariableA(kChildFile, file.c_str());
    SetEnvironmentVariableA(kChildSeed, pszSeed);
    SetEnvironmentVariableA(kChildStart, startEvent.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    for (const char* pszName : {kChildFile, kChildSeed, kChildStart})
        SetEnvironmentVariableA(pszName, NULL);
    if (!bStarted)
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

TEST(ConcurrentSave, TwoProcessesLeaveOneWholeRecord)
{
    ScratchFolder folder;
    std::string file = folder.Path("DQVSHARED.xml");
    WriteBytes(file, DefaultDocument());
    std::string startEvent = "QVSettingsTestStart_" + std::to_string(GetCurrentProcessId());
    HANDLE hStart = CreateEventA(NULL, TRUE, FALSE, startEvent.c_str());
    ASSERT_NE(hStart, nullptr);
    HANDLE children[2] = {StartChild(file, "1", startEvent), StartChild(file, "2", startEvent)};
    SetEvent(hStart);
    ASSERT_TRUE(children[0] && children[1]);
    DWORD dwWait = WaitForMultipleObjects(2, children, TRUE, 300000);
    CloseHandle(hStart);
    ASSERT_EQ(dwWait, WAIT_OBJECT_0);
    for (HANDLE hChild : children) {
        DWORD dwExit = 1;
        GetExitCodeProcess(hChild, &dwExit);
        EXPECT_EQ(dwExit, 0u);
        CloseHandle(hChild);
    }

    CRKCopyState loaded, expected;
    ASSERT_EQ(loaded.GetSettings(file.c_str()), 1);
    std::string modality = loaded.strModality;
    ASSERT_TRUE(modality == "USB-1" || modality == "USB-2") << modality;
    FillDistinct(expected, modality == "USB-1" ? 1 : 2);
    ExpectSameSettings(loaded, expected);
    EXPECT_STREQ(loaded.strFileName, "DQVSHARED.xml");
    std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "\r\n</State>");
    EXPECT_EQ(folder.Files().size(), 1u) << "no temporary file is left behind";
}

}  // namespace
