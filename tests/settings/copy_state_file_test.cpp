// CRKCopyState read from and written into State documents.
#include "settings_test_util.h"

#include "dialog/RKCopyState.h"
#include "settings/RKXML.h"
#include "settings/SaveLock.h"
#include "settings/SettingsFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace settings_test;

namespace {

#define PERSISTED_BOOLEANS(X)                                                                                          \
    X(bColorCopyRequested)                                                                                             \
    X(bADFPresent)                                                                                                     \
    X(bADFDuplexerPresent)                                                                                             \
    X(bTwoSidedInChecked)                                                                                              \
    X(bPrintDuplexerPresent) X(bTwoSidedOutChecked) X(bPrintDuplexer) X(bAutoExp) X(bAutofit) X(bCollationSupported)   \
        X(bEnhanceLightClr) X(bLowerInputTrayPresent) X(bRearInputTrayPresent) X(bMirror) X(bMultipleCopiesPerPage)    \
            X(bPoster) X(bTextMode) X(bUsingCreativeCopy) X(bAutoCropMode)
#define PERSISTED_INTEGERS(X)                                                                                          \
    X(nADFMode)                                                                                                        \
    X(nAllowedCopyTypes)                                                                                               \
    X(nAllowedCopyQualities)                                                                                           \
    X(nBrightness)                                                                                                     \
    X(nCCHowMany) X(nCollate) X(nColorIntensity) X(nCreativeCopy) X(nCreativeCopyIndex) X(nNbrCopies) X(nMaxCopies)    \
        X(nMinCopies) X(nPaperSize) X(nPaperSizeIndex) X(nPhotoSize) X(nPhotoSizeIndex) X(nPaperType)                  \
            X(nPaperTypeIndex) X(nPosterWidth) X(nQuality) X(nReduceEnlarge) X(nScaleRangeHigh) X(nScaleRangeLow)      \
                X(nTraySelection) X(nSpecialFeatureRadio) X(nSpecialFeatureMode)

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

const std::string kDefaultFlags =
    Flags({"true", "true", "true", "true", "true",  "true", "true", "true", "true", "true", "true",
           "true", "true", "true", "true", "false", "true", "true", "true", "true", "false"});

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

// A save also names the file it writes (default or factory) and stamps the time.
TEST_F(CopyStateFileTest, FullRecordSurvivesASaveAndALoad)
{
    for (const char* pszName : {"DQV1234.xml", "FQV1234.xml"}) {
        SCOPED_TRACE(pszName);
        const std::string path = m_folder.Path(pszName);
        WriteBytes(path, DefaultDocument());
        CRKCopyState saved, loaded;
        FillDistinct(saved, pszName[0]);
        ASSERT_EQ(saved.SaveSettings(path.c_str()), 1);
        FillDistinct(loaded, pszName[0] + 1);
        ASSERT_EQ(loaded.GetSettings(path.c_str()), 1);
        ExpectSameSettings(saved, loaded);
        EXPECT_STREQ(loaded.strFileName, pszName);
        EXPECT_STREQ(loaded.strDateTime, saved.strDateTime);

        std::string file = ReadBytes(path);
        // Only the two elements that are not the record's keep the lower-case form.
        EXPECT_EQ(file.find("true<"), file.rfind("true<"));
        EXPECT_EQ(file.find("false<"), file.rfind("false<"));
        EXPECT_NE(file.find(ElementLine("bPrinterSetupRequested", "false")), std::string::npos);
        EXPECT_EQ(file.substr(file.size() - 10), "\r\n</State>");
    }
    EXPECT_EQ(m_folder.Files().size(), 2u) << "no temporary file is left behind";
}

// Booleans are false only for "false" in any case; integers take their
// leading digits; white space around a value does not count.
TEST_F(CopyStateFileTest, ReadingRulesOfBooleansAndIntegers)
{
    // clang-format off
    const struct
    {
        const char* pszText;
        int32_t bBoolean, nInteger;
    } cases[] = {{"FALSE", 0, 0}, {"fAlSe", 0, 0}, {" false ", 0, 0}, {"\r\n      false\r\n    ", 0, 0},
                 {"no", 1, 0}, {"0", 1, 0}, {"", 1, 0}, {"TRUE", 1, 0}, {"42", 1, 42}, {"-7", 1, -7}, {"+5", 1, 5},
                 {"12abc", 1, 12}, {"007", 1, 7}, {"999999999", 1, 999999999}, {"\r\n      42\r\n    ", 1, 42}};
    // clang-format on
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

// Elements missing, twice, unknown or too long: their fields keep their
// values, nothing overruns (strModality follows strCtxID in the record), and a
// save adds, drops and lengthens nothing.
TEST_F(CopyStateFileTest, MissingDuplicatedUnknownAndOverlongElements)
{
    const std::string twice = ElementLine("nBrightness", "10") + ElementLine("nBrightness", "20");
    const std::string extra = ElementLine("strComment", "left alone");
    const std::string tooLong = ElementLine("nQuality", "12345678901234567890");
    std::string document = Replaced(DefaultDocument(), ElementLine("strModality", "Unknown"), "");
    document = Replaced(document, "<strCtxID>Unknown<", "<strCtxID>" + std::string(1000, 'c') + "<");
    document = Replaced(document, ElementLine("nBrightness", "50"), twice);
    document = Replaced(document, ElementLine("bMirror", "false"), extra + ElementLine("bMirror", "false"));
    document = Replaced(document, ElementLine("nQuality", "1"), tooLong);
    CRKCopyState s;
    lstrcpynA(s.strModality, "kept", STATE_TEXT_LEN);
    s.nBrightness = 44;
    s.nQuality = 3;
    ASSERT_EQ(s.GetSettings(Write(document)), 1);
    EXPECT_EQ(std::string(s.strCtxID), std::string(259, 'c'));
    EXPECT_STREQ(s.strModality, "kept");
    EXPECT_EQ(s.nBrightness, 44);
    EXPECT_EQ(s.nQuality, 3) << "a number too long for its buffer is refused";
    EXPECT_EQ(s.nPaperType, 15) << "elements after the unknown one are still read";

    s.nQuality = INT32_MIN;  // eleven characters
    s.nPaperType = 123456789;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    std::string file = ReadBytes(m_path);
    EXPECT_EQ(file.find("<strModality>"), std::string::npos) << "a save adds no element";
    for (const std::string& kept : {twice, extra, tooLong})
        EXPECT_NE(file.find(kept), std::string::npos) << kept;
    EXPECT_NE(file.find(ElementLine("nPaperType", "123456789")), std::string::npos);
}

TEST_F(CopyStateFileTest, EnableFlagListsOfAnyLength)
{
    CRKCopyState s;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = 1 - i % 2;
    ASSERT_EQ(s.GetSettings(Write(Replaced(DefaultDocument(), kDefaultFlags, ""))), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], 1 - i % 2) << "no list: flag " << i << " stays";

    // Five entries: flags 0 to 4 only, and a save writes back only those.
    std::string five = Flags({"false", "true", "FALSE", "x", "False"});
    ASSERT_EQ(s.GetSettings(Write(Replaced(DefaultDocument(), kDefaultFlags, five))), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i < 5 ? i % 2 : 1 - i % 2) << "flag " << i;
    for (int32_t& b : s.bEnableXDL)
        b = 1;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    EXPECT_NE(ReadBytes(m_path).find(Flags(std::vector<const char*>(5, "TRUE"))), std::string::npos);

    // Thirty entries: the first 21 are read and written, the rest keep their text.
    std::vector<const char*> thirty(30, "true"), thirtySaved(30, "FALSE");
    for (int i = 21; i < 30; ++i)
        thirtySaved[i] = thirty[i] = "x";
    thirty[3] = "false";
    ASSERT_EQ(s.GetSettings(Write(Replaced(DefaultDocument(), kDefaultFlags, Flags(thirty)))), 1);
    EXPECT_EQ(s.bEnableXDL[3], 0);
    for (int32_t& b : s.bEnableXDL)
        b = 0;
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
}

// Files that are no settings files: refused with a record naming them, the
// record and the file left as they were, and no file ever created.
TEST_F(CopyStateFileTest, HostileAndBrokenFilesAreRefused)
{
    const std::string declaration = "<?xml version=\"1.0\"?>\r\n";
    const std::string secret = m_folder.Path("secret.txt");
    WriteBytes(secret, "secret");
    auto withEntity = [&](const std::string& type, const std::string& prolog) {
        return Replaced(Replaced(DefaultDocument(), declaration, prolog + "<!DOCTYPE State [" + type + "]>\r\n"),
                        ">Unknown</strModality>", ">&e;</strModality>");
    };
    const std::string typeRefused = m_path + " declares a document type";
    const struct
    {
        std::string bytes, record;
    } cases[] = {
        {withEntity("<!ENTITY e \"USB\">", declaration), typeRefused},
        {withEntity("<!ENTITY e SYSTEM \"file:///" + secret + "\">", declaration), typeRefused},
        {Utf16(withEntity("<!ENTITY e \"USB\">", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n")), typeRefused},
        {Replaced(DefaultDocument(), "</State>", std::string(1 << 20, ' ') + "</State>"), m_path + " is larger than"},
        {Replaced(DefaultDocument(), "</nQuality>", "</nQualit>"), "Could not load " + m_path},
    };
    g_errorDumps.clear();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        CRKCopyState s, before;
        FillDistinct(s, 4);
        FillDistinct(before, 4);
        LogWatch log;
        EXPECT_EQ(s.GetSettings(Write(c.bytes)), 0);
        EXPECT_EQ(s.SaveSettings(m_path.c_str()), 0);
        EXPECT_EQ(s.SaveStartLocation(m_path.c_str()), 0);
        EXPECT_TRUE(log.Contains(c.record));
        EXPECT_TRUE(log.Contains("Failed to load " + m_path));
        ExpectSameSettings(s, before);
        EXPECT_EQ(ReadBytes(m_path), c.bytes);
    }
    const std::string absent = m_folder.Path("absent.xml");
    CRKCopyState s;
    EXPECT_EQ(s.GetSettings(absent.c_str()), 0);
    EXPECT_EQ(s.SaveSettings(absent.c_str()), 0);
    EXPECT_EQ(m_folder.Files().size(), 2u) << "no file is ever created";
    EXPECT_TRUE(g_errorDumps.empty()) << "a bad file is no component error";
}

// Saves in several processes. The children run this program again with the
// test below, which ordinary runs skip: "save" saves over and over, "hold"
// takes the save lock and keeps it until it is killed.
const char kChildMode[] = "QV_SETTINGS_CHILD_MODE";
const char kChildFile[] = "QV_SETTINGS_CHILD_FILE";
const char kChildEvent[] = "QV_SETTINGS_CHILD_EVENT";

TEST(SettingsChild, DISABLED_Run)
{
    const char* pszMode = getenv(kChildMode);
    const char* pszFile = getenv(kChildFile);
    HANDLE hEvent = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, getenv(kChildEvent));
    ASSERT_TRUE(pszMode && pszFile && hEvent);
    if (strcmp(pszMode, "hold") == 0) {
        replika::CRKXML xml;
        replika::CSaveLock lock(0);
        ASSERT_TRUE(lock.Obtained());
        SetEvent(hEvent);
        Sleep(INFINITE);
    }
    ASSERT_EQ(WaitForSingleObject(hEvent, 60000), WAIT_OBJECT_0);  // both begin together, so saves overlap
    lstrcpynA(g_szDefaultFileName, "DQVSHARED.xml", MAX_PATH);
    CRKCopyState s;
    FillDistinct(s, atoi(pszMode));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(s.SaveSettings(pszFile), 1) << "save " << i;
}

// This program run again with only the test above, ended by force if it still
// runs when the holder goes.
class ChildProcess
{
public:
    ChildProcess(const char* pszMode, const std::string& file, const std::string& event)
    {
        char szExe[MAX_PATH];
        GetModuleFileNameA(NULL, szExe, sizeof(szExe));
        std::string command =
            std::string("\"") + szExe + "\" --gtest_also_run_disabled_tests --gtest_filter=SettingsChild.*";
        const std::pair<const char*, std::string> environment[] = {
            {kChildMarker, "1"}, {kChildMode, pszMode}, {kChildFile, file}, {kChildEvent, event}};
        for (const auto& variable : environment)
            SetEnvironmentVariableA(variable.first, variable.second.c_str());
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            CloseHandle(pi.hThread);
        m_hProcess = pi.hProcess;
        for (const auto& variable : environment)
            SetEnvironmentVariableA(variable.first, NULL);
    }
    ~ChildProcess()
    {
        if (m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_hProcess, 1);
        WaitForSingleObject(m_hProcess, 30000);
        CloseHandle(m_hProcess);
    }
    HANDLE m_hProcess;
};

class ConcurrentSave : public ::testing::Test
{
protected:
    ConcurrentSave() { WriteBytes(m_file, DefaultDocument()); }
    ~ConcurrentSave() override { CloseHandle(m_hEvent); }

    ScratchFolder m_folder;
    std::string m_file = m_folder.Path("DQVSHARED.xml");
    std::string m_event = "QVSettingsTest_" + std::to_string(GetCurrentProcessId());
    HANDLE m_hEvent = CreateEventA(NULL, TRUE, FALSE, m_event.c_str());
};

// Every save is whole, so the file always holds one complete record.
TEST_F(ConcurrentSave, TwoProcessesLeaveOneWholeRecord)
{
    ChildProcess first("1", m_file, m_event), second("2", m_file, m_event);
    SetEvent(m_hEvent);
    HANDLE children[2] = {first.m_hProcess, second.m_hProcess};
    ASSERT_TRUE(children[0] && children[1]);
    ASSERT_EQ(WaitForMultipleObjects(2, children, TRUE, 300000), WAIT_OBJECT_0);
    for (HANDLE hChild : children) {
        DWORD dwExit = 1;
        GetExitCodeProcess(hChild, &dwExit);
        EXPECT_EQ(dwExit, 0u);
    }
    CRKCopyState loaded, expected;
    ASSERT_EQ(loaded.GetSettings(m_file.c_str()), 1);
    std::string modality = loaded.strModality;
    ASSERT_TRUE(modality == "USB-1" || modality == "USB-2") << modality;
    FillDistinct(expected, modality == "USB-1" ? 1 : 2);
    ExpectSameSettings(loaded, expected);
    EXPECT_STREQ(loaded.strFileName, "DQVSHARED.xml");
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
}

// A saver killed while it held the lock and wrote its temporary file: the
// next save neither waits for it nor keeps what it left behind.
TEST_F(ConcurrentSave, AKilledSaverHoldsNobodyUp)
{
    replika::CRKXML keeper;  // the lock outlives the killed process, as with other instances running
    WriteBytes(m_folder.Path("~rk1F2E.tmp"), "<?xml version=");
    {
        ChildProcess holder("hold", m_file, m_event);
        ASSERT_EQ(WaitForSingleObject(m_hEvent, 60000), WAIT_OBJECT_0);
    }
    LogWatch log;
    CRKCopyState saved, loaded;
    FillDistinct(saved, 5);
    ASSERT_EQ(saved.SaveSettings(m_file.c_str()), 1);
    EXPECT_FALSE(log.Contains("semaphore not obtained"));
    ASSERT_EQ(loaded.GetSettings(m_file.c_str()), 1);
    ExpectSameSettings(loaded, saved);
    EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"DQVSHARED.xml"});
    EXPECT_EQ(WaitForSingleObject(replika::CRKXML::GetSaveSemaphore(), 0), WAIT_OBJECT_0) << "the lock is free";
    ReleaseSemaphore(replika::CRKXML::GetSaveSemaphore(), 1, NULL);
}

}  // namespace
