// CRKCopyState read from and written into State documents.
#include "settings_test_util.h"

#include "dialog/RKCopyState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];

using namespace settings_test;

namespace
{

#define PERSISTED_BOOLEANS(X)                                                                           \
    X(bColorCopyRequested) X(bADFPresent) X(bADFDuplexerPresent) X(bTwoSidedInChecked)                  \
    X(bPrintDuplexerPresent) X(bTwoSidedOutChecked) X(bPrintDuplexer) X(bAutoExp) X(bAutofit)           \
    X(bCollationSupported) X(bEnhanceLightClr) X(bLowerInputTrayPresent) X(bRearInputTrayPresent)       \
    X(bMirror) X(bMultipleCopiesPerPage) X(bPoster) X(bTextMode) X(bUsingCreativeCopy) X(bAutoCropMode)

#define PERSISTED_INTEGERS(X)                                                                           \
    X(nADFMode) X(nAllowedCopyTypes) X(nAllowedCopyQualities) X(nBrightness) X(nCCHowMany) X(nCollate)  \
    X(nColorIntensity) X(nCreativeCopy) X(nCreativeCopyIndex) X(nNbrCopies) X(nMaxCopies) X(nMinCopies) \
    X(nPaperSize) X(nPaperSizeIndex) X(nPhotoSize) X(nPhotoSizeIndex) X(nPaperType) X(nPaperTypeIndex)  \
    X(nPosterWidth) X(nQuality) X(nReduceEnlarge) X(nScaleRangeHigh) X(nScaleRangeLow)                 \
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
#define FILL_INTEGER(f) ++n; s.f = nSeed * 1000 + (n % 3 == 0 ? -n : n);
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

std::string Flags(const char* const* values, int nCount)
{
    std::string text = "  <bEnableXDL>\r\n";
    for (int i = 0; i < nCount; ++i)
        text += std::string("    <boolean>") + values[i] + "</boolean>\r\n";
    return text + "  </bEnableXDL>";
}

std::string DefaultFlags()
{
    const char* values[21];
    for (int i = 0; i < 21; ++i)
        values[i] = (i == 15 || i == 20) ? "false" : "true";
    return Flags(values, 21);
}

class CopyStateFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lstrcpynA(g_szDefaultFileName, "DQV1234.xml", MAX_PATH);
        lstrcpynA(g_szFactoryFileName, "FQV1234.xml", MAX_PATH);
        m_defaultPath = m_folder.Path(g_szDefaultFileName);
        m_factoryPath = m_folder.Path(g_szFactoryFileName);
    }

    std::string WriteDocument(const std::string& bytes)
    {
        WriteBytes(m_defaultPath, bytes);
        return m_defaultPath;
    }

    ScratchFolder m_folder;
    std::string m_defaultPath;
    std::string m_factoryPath;
};

TEST_F(CopyStateFileTest, EmbeddedDocumentReadsAsItsTable)
{
    CRKCopyState s;
    ASSERT_EQ(s.GetSettings(WriteDocument(DefaultDocument()).c_str()), 1);
    EXPECT_STREQ(s.strFileName, "D1069370723.xml");
    EXPECT_STREQ(s.strDateTime, "Wednesday, December 17, 2003 12:43:24 PM");
    EXPECT_STREQ(s.strCtxID, "Unknown");
    EXPECT_STREQ(s.strModality, "Unknown");
    EXPECT_EQ(s.pStartLoc.x, 200);
    EXPECT_EQ(s.pStartLoc.y, 0);
    const int32_t trueFlags[] = {s.bColorCopyRequested, s.bADFPresent, s.bADFDuplexerPresent,
                                 s.bPrintDuplexerPresent, s.bLowerInputTrayPresent, s.bMultipleCopiesPerPage,
                                 s.bTextMode, s.bUsingCreativeCopy};
    for (int32_t b : trueFlags)
        EXPECT_EQ(b, 1);
    const int32_t falseFlags[] = {s.bTwoSidedInChecked, s.bTwoSidedOutChecked, s.bPrintDuplexer, s.bAutoExp,
                                  s.bAutofit, s.bCollationSupported, s.bEnhanceLightClr, s.bRearInputTrayPresent,
                                  s.bMirror, s.bPoster, s.bAutoCropMode};
    for (int32_t b : falseFlags)
        EXPECT_EQ(b, 0);
    const int32_t integers[] = {s.nADFMode, s.nAllowedCopyTypes, s.nAllowedCopyQualities, s.nBrightness,
                                s.nCCHowMany, s.nCollate, s.nColorIntensity, s.nCreativeCopy,
                                s.nCreativeCopyIndex, s.nNbrCopies, s.nMaxCopies, s.nMinCopies,
                                s.nPaperSize, s.nPaperSizeIndex, s.nPhotoSize, s.nPhotoSizeIndex,
                                s.nPaperType, s.nPaperTypeIndex, s.nPosterWidth, s.nQuality,
                                s.nReduceEnlarge, s.nScaleRangeHigh, s.nScaleRangeLow, s.nTraySelection,
                                s.nSpecialFeatureRadio, s.nSpecialFeatureMode};
    const int32_t expected[] = {0, 7, 7, 50, 2, 0, 0, 0, 0, 1, 50, 1, 2, 0, 8, 0, 15, 0, 2, 1, 100, 400, 25, 2, 1, 1};
    for (size_t i = 0; i < sizeof(expected) / sizeof(expected[0]); ++i)
        EXPECT_EQ(integers[i], expected[i]) << "integer " << i;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], (i == 15 || i == 20) ? 0 : 1) << "flag " << i;
}

TEST_F(CopyStateFileTest, FullRecordSurvivesASaveAndALoad)
{
    for (int nSeed = 1; nSeed <= 2; ++nSeed)
    {
        CRKCopyState saved;
        FillDistinct(saved, nSeed);
        saved.nBorderlessSupport = 2;
        ASSERT_EQ(saved.SaveSettings(WriteDocument(DefaultDocument()).c_str()), 1);

        CRKCopyState loaded;
        FillDistinct(loaded, nSeed + 10);
        ASSERT_EQ(loaded.GetSettings(m_defaultPath.c_str()), 1);
        ExpectSameSettings(saved, loaded);
        EXPECT_STREQ(loaded.strFileName, "DQV1234.xml");
        EXPECT_STREQ(loaded.strDateTime, saved.strDateTime);
        EXPECT_EQ(loaded.nBorderlessSupport, 0) << "not persisted";
    }
    std::string file = ReadBytes(m_defaultPath);
    // Only the two elements that are not the record's keep the lower-case form.
    EXPECT_EQ(file.find("true<"), file.rfind("true<"));
    EXPECT_EQ(file.find("false<"), file.rfind("false<"));
    EXPECT_NE(file.find(ElementLine("bAIODevice", "true")), std::string::npos) << "not the record's";
    EXPECT_NE(file.find(ElementLine("bPrinterSetupRequested", "false")), std::string::npos);
    EXPECT_EQ(file.compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0);
    EXPECT_EQ(file.substr(file.size() - 10), "\r\n</State>");
    EXPECT_EQ(m_folder.Files().size(), 1u);
}

TEST_F(CopyStateFileTest, SaveNamesTheFileItWritesAndStampsTheTime)
{
    WriteBytes(m_factoryPath, DefaultDocument());
    CRKCopyState s;
    lstrcpynA(s.strFileName, "DQV1234.xml", STATE_TEXT_LEN);
    SYSTEMTIME before;
    GetLocalTime(&before);
    ASSERT_EQ(s.SaveSettings(m_factoryPath.c_str()), 1);
    EXPECT_STREQ(s.strFileName, "FQV1234.xml");
    EXPECT_NE(ReadBytes(m_factoryPath).find(ElementLine("strFileName", "FQV1234.xml")), std::string::npos);

    char szDay[16] = "", szMonth[16] = "";
    int nDay = 0, nYear = 0, nHour = -1, nMinute = -1, nSecond = -1;
    ASSERT_EQ(sscanf(s.strDateTime, "%15[A-Za-z],%15[A-Za-z] %d, %d %d:%d:%d", szDay, szMonth, &nDay, &nYear,
                     &nHour, &nMinute, &nSecond),
              7)
        << s.strDateTime;
    EXPECT_EQ(nYear, before.wYear);
    EXPECT_TRUE(nHour >= 0 && nHour <= 23 && nMinute >= 0 && nMinute <= 59 && nSecond >= 0 && nSecond <= 59);
    EXPECT_NE(ReadBytes(m_factoryPath).find(ElementLine("strDateTime", s.strDateTime)), std::string::npos);

    ASSERT_EQ(s.SaveSettings(WriteDocument(DefaultDocument()).c_str()), 1);
    EXPECT_STREQ(s.strFileName, "DQV1234.xml");
    EXPECT_NE(ReadBytes(m_defaultPath).find(ElementLine("strFileName", "DQV1234.xml")), std::string::npos);

    SYSTEMTIME st = {2027, 12, 5, 31, 23, 5, 9, 0};
    char szText[STATE_TEXT_LEN];
    FormatStateDateTime(st, szText, sizeof(szText));
    EXPECT_STREQ(szText, "Friday,December 31, 2027 23:5:9");
}

TEST_F(CopyStateFileTest, OnlyFalseInAnyCaseReadsAsFalse)
{
    struct Case
    {
        const char* pszText;
        int32_t bExpected;
    };
    const Case cases[] = {{"FALSE", 0}, {"False", 0}, {"false", 0}, {"fAlSe", 0}, {"no", 1},
                          {"0", 1},     {"", 1},      {"TRUE", 1},  {" false", 1}, {"falsefalsefalse", 1}};
    for (const Case& c : cases)
    {
        std::string document =
            DefaultDocumentWith(ElementLine("bMirror", "false"), ElementLine("bMirror", c.pszText));
        document.replace(document.find("<boolean>true</boolean>"), 23,
                         std::string("<boolean>") + c.pszText + "</boolean>");
        CRKCopyState s;
        s.bMirror = 1 - c.bExpected;
        s.bEnableXDL[0] = 1 - c.bExpected;
        ASSERT_EQ(s.GetSettings(WriteDocument(document).c_str()), 1);
        EXPECT_EQ(s.bMirror, c.bExpected) << "'" << c.pszText << "'";
        EXPECT_EQ(s.bEnableXDL[0], c.bExpected) << "'" << c.pszText << "'";
    }
}

TEST_F(CopyStateFileTest, IntegersReadTheirLeadingDigits)
{
    struct Case
    {
        const char* pszText;
        int32_t nExpected;
    };
    const Case cases[] = {{"42", 42}, {"  42", 42}, {"-7", -7}, {"+5", 5},     {"12abc", 12},
                          {"abc", 0}, {"", 0},      {"007", 7}, {"999999999", 999999999}};
    for (const Case& c : cases)
    {
        CRKCopyState s;
        s.nBrightness = -1;
        s.pStartLoc.x = -1;
        std::string document =
            DefaultDocumentWith(ElementLine("nBrightness", "50"), ElementLine("nBrightness", c.pszText));
        document.replace(document.find("<X>200</X>"), 10, std::string("<X>") + c.pszText + "</X>");
        ASSERT_EQ(s.GetSettings(WriteDocument(document).c_str()), 1);
        EXPECT_EQ(s.nBrightness, c.nExpected) << "'" << c.pszText << "'";
        EXPECT_EQ(s.pStartLoc.x, c.nExpected) << "'" << c.pszText << "'";
    }
}

TEST_F(CopyStateFileTest, OverlongTextsAndNumbersNeverOverrun)
{
    std::string longText(1000, 'c');
    std::string document = DefaultDocumentWith("<strCtxID>Unknown<", "<strCtxID>" + longText + "<");
    document = document.replace(document.find(ElementLine("strModality", "Unknown")),
                                ElementLine("strModality", "Unknown").size(), "");
    document.replace(document.find(ElementLine("nBrightness", "50")), ElementLine("nBrightness", "50").size(),
                     ElementLine("nBrightness", "12345678901234567890"));
    document.replace(document.find(ElementLine("bMirror", "false")), ElementLine("bMirror", "false").size(),
                     ElementLine("bMirror", std::string(500, 'f')));
    CRKCopyState s;
    lstrcpynA(s.strModality, "kept", STATE_TEXT_LEN);
    s.nBrightness = 33;
    ASSERT_EQ(s.GetSettings(WriteDocument(document).c_str()), 1);
    EXPECT_EQ(std::string(s.strCtxID), longText.substr(0, 259));
    EXPECT_STREQ(s.strModality, "kept");
    EXPECT_EQ(s.nBrightness, 33) << "a number too long for its buffer is refused";
    EXPECT_EQ(s.bMirror, 1);

    s.nBrightness = INT32_MIN;
    s.nQuality = 123456789;
    ASSERT_EQ(s.SaveSettings(m_defaultPath.c_str()), 1);
    std::string file = ReadBytes(m_defaultPath);
    EXPECT_NE(file.find(ElementLine("nBrightness", "12345678901234567890")), std::string::npos)
        << "a number that does not fit nine characters is not written";
    EXPECT_NE(file.find(ElementLine("nQuality", "123456789")), std::string::npos);
}

TEST_F(CopyStateFileTest, MissingDuplicatedAndExtraElements)
{
    std::string document = DefaultDocumentWith(ElementLine("nQuality", "1"), "");
    document = document.replace(document.find(ElementLine("nBrightness", "50")), ElementLine("nBrightness", "50").size(),
                                ElementLine("nBrightness", "10") + ElementLine("nBrightness", "20"));
    document = document.replace(document.find(ElementLine("bMirror", "false")), 0,
                                ElementLine("strComment", "left alone") + ElementLine("nFuture", "77"));
    document = document.replace(document.find("    <Y>0</Y>"), 0, "    <Z>5</Z>\r\n");
    CRKCopyState s;
    s.nQuality = 3;
    s.nBrightness = 44;
    ASSERT_EQ(s.GetSettings(WriteDocument(document).c_str()), 1);
    EXPECT_EQ(s.nQuality, 3);
    EXPECT_EQ(s.nBrightness, 44);
    EXPECT_EQ(s.pStartLoc.y, 0);
    EXPECT_EQ(s.nPaperType, 15) << "elements after the unknown ones are still read";

    s.nQuality = 2;
    s.nBrightness = 66;
    ASSERT_EQ(s.SaveSettings(m_defaultPath.c_str()), 1);
    std::string file = ReadBytes(m_defaultPath);
    EXPECT_EQ(file.find("<nQuality>"), std::string::npos) << "a save adds no element";
    EXPECT_NE(file.find(ElementLine("nBrightness", "10") + ElementLine("nBrightness", "20")), std::string::npos);
    EXPECT_NE(file.find(ElementLine("strComment", "left alone") + ElementLine("nFuture", "77")), std::string::npos);
    EXPECT_NE(file.find("    <Z>5</Z>\r\n"), std::string::npos);
}

TEST_F(CopyStateFileTest, EnableFlagListsOfAnyLength)
{
    // No list: the flags stay.
    CRKCopyState s;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = i % 2;
    ASSERT_EQ(s.GetSettings(WriteDocument(DefaultDocumentWith(DefaultFlags(), "")).c_str()), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i % 2);

    // Five entries: flags 0 to 4 only, and a save writes back only those.
    const char* five[] = {"false", "true", "FALSE", "x", "False"};
    ASSERT_EQ(s.GetSettings(WriteDocument(DefaultDocumentWith(DefaultFlags(), Flags(five, 5))).c_str()), 1);
    const int32_t expectedFive[] = {0, 1, 0, 1, 0};
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i < 5 ? expectedFive[i] : i % 2) << "flag " << i;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = 1;
    ASSERT_EQ(s.SaveSettings(m_defaultPath.c_str()), 1);
    const char* fiveSaved[] = {"TRUE", "TRUE", "TRUE", "TRUE", "TRUE"};
    EXPECT_NE(ReadBytes(m_defaultPath).find(Flags(fiveSaved, 5)), std::string::npos);

    // Thirty entries: the first 21 are read and written, the rest keep their text.
    const char* thirty[30];
    for (int i = 0; i < 30; ++i)
        thirty[i] = (i % 3 == 0) ? "false" : "true";
    ASSERT_EQ(s.GetSettings(WriteDocument(DefaultDocumentWith(DefaultFlags(), Flags(thirty, 30))).c_str()), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i % 3 == 0 ? 0 : 1) << "flag " << i;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = i < 10 ? 1 : 0;
    ASSERT_EQ(s.SaveSettings(m_defaultPath.c_str()), 1);
    const char* thirtySaved[30];
    for (int i = 0; i < 30; ++i)
        thirtySaved[i] = i < 10 ? "TRUE" : i < 21 ? "FALSE" : thirty[i];
    EXPECT_NE(ReadBytes(m_defaultPath).find(Flags(thirtySaved, 30)), std::string::npos);
}

TEST_F(CopyStateFileTest, StartLocationIsAllThatSaveStartLocationWrites)
{
    CRKCopyState s;
    FillDistinct(s, 3);
    s.pStartLoc.x = 640;
    s.pStartLoc.y = -12;
    ASSERT_EQ(s.SaveStartLocation(WriteDocument(DefaultDocument()).c_str()), 1);
    EXPECT_EQ(ReadBytes(m_defaultPath), DefaultDocumentWith("<X>200</X>\r\n    <Y>0</Y>", "<X>640</X>\r\n    <Y>-12</Y>"));
    EXPECT_STREQ(s.strFileName, "") << "the record is not touched";
}

TEST_F(CopyStateFileTest, UnreadableFilesLeaveRecordAndFileAlone)
{
    std::string broken = DefaultDocument();
    broken.replace(broken.find("</nQuality>"), 11, "</nQualit>");
    WriteDocument(broken);
    CRKCopyState s;
    FillDistinct(s, 4);
    CRKCopyState before;
    FillDistinct(before, 4);

    LogWatch log;
    EXPECT_EQ(s.GetSettings(m_defaultPath.c_str()), 0);
    EXPECT_EQ(s.SaveSettings(m_defaultPath.c_str()), 0);
    EXPECT_EQ(s.SaveStartLocation(m_defaultPath.c_str()), 0);
    EXPECT_EQ(s.GetSettings(m_folder.Path("absent.xml").c_str()), 0);
    EXPECT_EQ(s.SaveSettings(m_folder.Path("absent.xml").c_str()), 0);
    EXPECT_TRUE(log.Contains("Failed to load " + m_defaultPath));
    EXPECT_TRUE(log.Contains("Could not load " + m_defaultPath));
    ExpectSameSettings(s, before);
    EXPECT_STREQ(s.strFileName, "");
    EXPECT_EQ(ReadBytes(m_defaultPath), broken);
    EXPECT_FALSE(FileExists(m_folder.Path("absent.xml"))) << "no file is ever created";
}

TEST_F(CopyStateFileTest, TracesTheValuesItReadsAndWrites)
{
    CRKCopyState s;
    LogWatch log;
    ASSERT_EQ(s.GetSettings(WriteDocument(DefaultDocument()).c_str()), 1);
    ASSERT_EQ(s.SaveSettings(m_defaultPath.c_str()), 1);
    std::string text = log.Text();
    for (const char* record : {"CRKCopyState::GetSettings- Entering", "CRKCopyState::GetSettings- Exiting",
                               "Filename:D1069370723.xml", "CtxID:Unknown", "pStartLoc/X:200", "nNbrCopies:1",
                               "bEnableXDL:false", "CRKCopyState::SaveSettings- Entering", "Filename:DQV1234.xml",
                               "bMirror:FALSE", "bEnableXDL:TRUE", "Successfully saved " })
        EXPECT_NE(text.find(record), std::string::npos) << record;
}

} // namespace
