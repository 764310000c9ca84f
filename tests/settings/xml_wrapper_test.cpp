// CRKXML over the real MSXML 4.0 document of Wine.
#include "settings_test_util.h"

#include "settings/RKXML.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace settings_test;
using replika::CRKXML;

namespace
{

class XmlWrapperTest : public ::testing::Test
{
protected:
    std::string WriteDocument(const std::string& bytes, const char* pszName = "state.xml")
    {
        std::string path = m_folder.Path(pszName);
        WriteBytes(path, bytes);
        return path;
    }

    ScratchFolder m_folder;
};

TEST_F(XmlWrapperTest, EmbeddedDocumentIsTheDefaultStateLaidOutWithCrLf)
{
    std::string document = DefaultDocument();
    ASSERT_EQ(document.size(), 2914u);
    EXPECT_EQ(document.compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0);
    EXPECT_NE(document.find("<State xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\r\n"),
              std::string::npos);
    const std::string end = "  </bEnableXDL>\r\n</State>";
    EXPECT_EQ(document.substr(document.size() - end.size()), end);
    for (size_t i = 0; i < document.size(); ++i)
    {
        ASSERT_LT(static_cast<unsigned char>(document[i]), 128u) << "at " << i;
        if (document[i] == '\n')
        {
            ASSERT_EQ(document[i - 1], '\r') << "at " << i;
        }
        if (document[i] == '\r')
        {
            ASSERT_EQ(document[i + 1], '\n') << "at " << i;
        }
    }
    EXPECT_NE(document.find("\r\n    <X>200</X>\r\n    <Y>0</Y>\r\n  </pStartLoc>\r\n"), std::string::npos);
    EXPECT_NE(document.find(ElementLine("strDateTime", "Wednesday, December 17, 2003 12:43:24 PM")),
              std::string::npos);
    EXPECT_NE(document.find(ElementLine("bPrinterSetupRequested", "false")), std::string::npos);
    EXPECT_NE(document.find(ElementLine("nPaperType", "15")), std::string::npos);
    std::string flags;
    for (int i = 0; i < 21; ++i)
        flags += std::string("    <boolean>") + (i == 15 || i == 20 ? "false" : "true") + "</boolean>\r\n";
    EXPECT_NE(document.find("  <bEnableXDL>\r\n" + flags + "  </bEnableXDL>"), std::string::npos);
}

TEST_F(XmlWrapperTest, SavingKeepsTheLayoutByteForByte)
{
    std::string path = WriteDocument(DefaultDocument());
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    ASSERT_EQ(xml.SaveFile(), 1);
    EXPECT_EQ(ReadBytes(path), DefaultDocument());

    ASSERT_EQ(xml.Select("pStartLoc/X"), 1);
    ASSERT_EQ(xml.UpdateValue("-1234"), 1);
    ASSERT_EQ(xml.SaveFile(), 1);
    EXPECT_EQ(ReadBytes(path), DefaultDocumentWith("<X>200</X>", "<X>-1234</X>"));
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
    xml.Unload();
}

TEST_F(XmlWrapperTest, TextsBeyondAsciiSurviveASave)
{
    const char szAnsi[] = "B\xfcro & <\xe9t\xe9>";   // the program's narrow texts are ANSI
    std::string plain = WriteDocument(DefaultDocument(), "plain.xml");
    std::string latin = WriteDocument(
        DefaultDocumentWith("<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"),
        "latin.xml");
    for (const std::string& path : {plain, latin})
    {
        {
            CRKXML xml;
            ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
            ASSERT_EQ(xml.Select("strModality"), 1);
            ASSERT_EQ(xml.UpdateValue(szAnsi), 1);
            ASSERT_EQ(xml.SaveFile(), 1);
            xml.Unload();
        }
        CRKXML xml;
        ASSERT_EQ(xml.Load(path.c_str(), 1), 1) << path;
        ASSERT_EQ(xml.Select("strModality"), 1);
        char szText[260];
        ASSERT_EQ(xml.GetCurrentNodeValue(szText), 1);
        EXPECT_STREQ(szText, szAnsi) << path;
        xml.Unload();
    }
    EXPECT_NE(ReadBytes(plain).find(ElementLine("strModality", "B\xc3\xbcro &amp; &lt;\xc3\xa9t\xc3\xa9&gt;")),
              std::string::npos)
        << "without a declared encoding the file is UTF-8";
    EXPECT_NE(ReadBytes(latin).find(ElementLine("strModality", "B\xfcro &amp; &lt;\xe9t\xe9&gt;")), std::string::npos);
}

TEST_F(XmlWrapperTest, SelectCountsMatchesAndWalksThemByIndex)
{
    std::string path = WriteDocument(DefaultDocumentWith(
        ElementLine("nQuality", "1"), ElementLine("nQuality", "1") + ElementLine("nQuality", "3")));
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    char szValue[10];

    EXPECT_EQ(xml.Select("nQuality"), 2);
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "1") << "the first match is current";

    EXPECT_EQ(xml.Select("bEnableXDL/boolean"), 21);
    ASSERT_EQ(xml.SelectByIndex(15), 1);
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "false");

    LogWatch log;
    EXPECT_EQ(xml.SelectByIndex(-1), 0);
    EXPECT_EQ(xml.SelectByIndex(21), 0);
    EXPECT_TRUE(log.Contains("Index out of bounds"));
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "false") << "a refused index leaves the current node";
    EXPECT_EQ(xml.SelectByIndex(20), 1);

    EXPECT_EQ(xml.Select("nNoSuchSetting"), -1);
    EXPECT_EQ(xml.SelectByIndex(0), 0);
    EXPECT_EQ(xml.UpdateValue("1"), 0) << "nothing is selected";
    EXPECT_EQ(xml.Select("State"), -1) << "paths are relative to the root element";
    EXPECT_EQ(xml.Select("pStartLoc/Y"), 1);
    EXPECT_EQ(xml.Select("][bad xpath"), -1);
    xml.Unload();
}

TEST_F(XmlWrapperTest, ReadingIsCutToTheCallersBuffer)
{
    std::string longText(600, 'x');
    std::string path = WriteDocument(DefaultDocumentWith("<strCtxID>Unknown<", "<strCtxID>" + longText + "<"));
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 1), 1);
    ASSERT_EQ(xml.Select("strCtxID"), 1);

    char buffer[32];
    memset(buffer, '#', sizeof(buffer));
    ASSERT_EQ(xml.GetCurrentNodeValue(buffer, 10), 1);
    EXPECT_STREQ(buffer, "xxxxxxxxx");
    EXPECT_EQ(buffer[10], '#') << "nothing is written past the buffer";

    char szText[260];
    ASSERT_EQ(xml.GetCurrentNodeValue(szText), 1);
    EXPECT_EQ(std::string(szText), longText.substr(0, 259));
    xml.Unload();
}

TEST_F(XmlWrapperTest, ReadOnlyLoadAndEmptyElementsRefuseUpdates)
{
    std::string document = DefaultDocumentWith(ElementLine("nQuality", "1"), "  <nQuality></nQuality>\r\n");
    std::string path = WriteDocument(document);
    {
        CRKXML xml;
        ASSERT_EQ(xml.Load(path.c_str(), 1), 1);
        ASSERT_EQ(xml.Select("nBrightness"), 1);
        LogWatch log;
        EXPECT_EQ(xml.UpdateValue("99"), 0);
        EXPECT_TRUE(log.Contains("File is readonly"));
        char szValue[10];
        ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
        EXPECT_STREQ(szValue, "50");
        xml.Unload();
    }
    {
        CRKXML xml;
        ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
        ASSERT_EQ(xml.Select("nQuality"), 1);
        char szValue[10] = "junk";
        ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
        EXPECT_STREQ(szValue, "");
        LogWatch log;
        EXPECT_EQ(xml.UpdateValue("3"), 0);
        EXPECT_TRUE(log.Contains("CRKXML::UpdateValue - _com_error exception ("));
        ASSERT_EQ(xml.SaveFile(), 1);
        xml.Unload();
    }
    std::string saved = ReadBytes(path);
    EXPECT_EQ(saved.find("<nQuality>3"), std::string::npos);
    EXPECT_NE(saved.find("<nQuality"), std::string::npos);
}

TEST_F(XmlWrapperTest, MalformedOrMissingFileFailsToLoadQuietly)
{
    std::string broken = DefaultDocument().substr(0, 1500);
    std::string path = WriteDocument(broken);
    g_errorDumps.clear();
    {
        CRKXML xml;
        LogWatch log;
        EXPECT_EQ(xml.Load(path.c_str(), 0), 0);
        EXPECT_TRUE(log.Contains("Could not load " + path));
        EXPECT_EQ(xml.Select("nQuality"), -1);
        EXPECT_EQ(xml.Load(m_folder.Path("absent.xml").c_str(), 0), 0);
        xml.Unload();
    }
    EXPECT_EQ(ReadBytes(path), broken);
    EXPECT_TRUE(g_errorDumps.empty()) << "a bad file is no component error" << (g_errorDumps.empty() ? "" : g_errorDumps[0]);
}

TEST_F(XmlWrapperTest, SaveRefusedByAReadOnlyFileKeepsIt)
{
    std::string path = WriteDocument(DefaultDocument());
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    ASSERT_EQ(xml.Select("nBrightness"), 1);
    ASSERT_EQ(xml.UpdateValue("7"), 1);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    LogWatch log;
    EXPECT_EQ(xml.SaveFile(), 0);
    EXPECT_TRUE(log.Contains("Error saving " + path));
    EXPECT_EQ(ReadBytes(path), DefaultDocument());
    EXPECT_EQ(m_folder.Files().size(), 1u);
    xml.Unload();
}

TEST_F(XmlWrapperTest, SaveRefusedWhenTheFolderIsGone)
{
    std::string path = m_folder.Path("gone\\state.xml");
    CreateDirectoryA(m_folder.Path("gone").c_str(), NULL);
    WriteBytes(path, DefaultDocument());
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(m_folder.Path("gone").c_str());
    EXPECT_EQ(xml.SaveFile(), 0);
    xml.Unload();
}

TEST_F(XmlWrapperTest, SemaphoreIsSharedAndLivesWithTheWrappers)
{
    HANDLE hSemaphore;
    {
        CRKXML xml;
        hSemaphore = CRKXML::GetSaveSemaphore();
        ASSERT_NE(hSemaphore, nullptr);
        HANDLE hOpened = OpenSemaphoreA(SYNCHRONIZE | SEMAPHORE_MODIFY_STATE, FALSE,
                                        "6E0B41D7-93A2-4F5C-B8E4-2C17D9A0F365_XMLFile_Replika");
        ASSERT_NE(hOpened, nullptr);
        EXPECT_EQ(WaitForSingleObject(hOpened, 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(hSemaphore, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "count is 1";
        LONG nPrevious = -1;
        EXPECT_TRUE(ReleaseSemaphore(hOpened, 1, &nPrevious));
        EXPECT_EQ(nPrevious, 0);
        EXPECT_FALSE(ReleaseSemaphore(hOpened, 1, NULL)) << "maximum is 1";
        CloseHandle(hOpened);
        xml.Unload();
    }
    EXPECT_EQ(CRKXML::GetSaveSemaphore(), nullptr);
}

// A class object that refuses to make documents stands in for a machine
// without the XML component.
class RefusingFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory)
        {
            *ppv = this;
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID, void** ppv) override
    {
        *ppv = NULL;
        return E_OUTOFMEMORY;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

TEST_F(XmlWrapperTest, MissingComponentShowsTheErrorDumpAndFails)
{
    std::string path = WriteDocument(DefaultDocument());
    RefusingFactory factory;
    DWORD dwCookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_DOMDocument40, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie),
              S_OK);
    g_errorDumps.clear();
    {
        LogWatch log;
        CRKXML xml;
        EXPECT_EQ(CRKXML::GetSaveSemaphore(), nullptr);
        EXPECT_EQ(xml.Load(path.c_str(), 0), 0);
        EXPECT_EQ(xml.Select("nQuality"), -1);
        EXPECT_EQ(xml.UpdateValue("1"), 0);
        EXPECT_EQ(xml.SaveFile(), 0);
        xml.Unload();
        EXPECT_TRUE(log.Contains("CRKXML::Load - _com_error exception (hr: 0x80004003 = "));
    }
    CoRevokeClassObject(dwCookie);
    ASSERT_EQ(g_errorDumps.size(), 1u);
    const std::string& dump = g_errorDumps[0];
    EXPECT_EQ(dump.compare(0, 22, "Error\n\tCode = 80004003"), 0) << dump;
    EXPECT_NE(dump.find("\n\tCode meaning = "), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n\tSource = \n\tDescription = \n"), std::string::npos) << dump;
    EXPECT_LT(dump.size(), 256u);
    EXPECT_EQ(ReadBytes(path), DefaultDocument());
}

} // namespace
