// CRKXML over the real MSXML 4.0 document of Wine.
#include "settings_test_util.h"

#include "settings/RKXML.h"

#include <gtest/gtest.h>

using namespace settings_test;
using replika::CRKXML;

namespace {

class XmlWrapperTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& bytes)
    {
        WriteBytes(m_folder.Path("state.xml"), bytes);
        return m_folder.Path("state.xml");
    }

    // The text of the only element at `pszPath` of the file loaded read-only.
    static std::string ValueIn(const std::string& file, const char* pszPath)
    {
        CRKXML xml;
        char szText[260] = "";
        bool bRead = xml.Load(file.c_str(), 1) == 1 && xml.Select(pszPath) == 1 && xml.GetCurrentNodeValue(szText) == 1;
        xml.Unload();
        return bRead ? szText : "<unread>";
    }

    ScratchFolder m_folder;
};

TEST_F(XmlWrapperTest, SavingKeepsTheLayoutByteForByte)
{
    std::string path = Write(DefaultDocument());
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    ASSERT_EQ(xml.SaveFile(), 1);
    EXPECT_EQ(ReadBytes(path), DefaultDocument());
    ASSERT_EQ(xml.Select("pStartLoc/X"), 1);
    ASSERT_EQ(xml.UpdateValue("-1234"), 1);
    ASSERT_EQ(xml.SaveFile(), 1);
    xml.Unload();
    EXPECT_EQ(ReadBytes(path), Replaced(DefaultDocument(), "<X>200</X>", "<X>-1234</X>"));
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
}

// The program's narrow texts are ANSI; a file without a declared encoding is UTF-8.
TEST_F(XmlWrapperTest, TextsBeyondAsciiSurviveASaveInTheFilesEncoding)
{
    const char szAnsi[] = "B\xfcro & <\xe9t\xe9>";
    const struct
    {
        std::string path, declaration, written;
    } cases[] = {{m_folder.Path("plain.xml"), "<?xml version=\"1.0\"?>", "B\xc3\xbcro &amp; &lt;\xc3\xa9t\xc3\xa9&gt;"},
                 {m_folder.Path("latin.xml"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
                  "B\xfcro &amp; &lt;\xe9t\xe9&gt;"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        WriteBytes(c.path, Replaced(DefaultDocument(), "<?xml version=\"1.0\"?>", c.declaration));
        CRKXML xml;
        ASSERT_EQ(xml.Load(c.path.c_str(), 0), 1);
        ASSERT_EQ(xml.Select("strModality"), 1);
        ASSERT_EQ(xml.UpdateValue(szAnsi), 1);
        ASSERT_EQ(xml.SaveFile(), 1);
        xml.Unload();
        EXPECT_EQ(ValueIn(c.path, "strModality"), szAnsi);
        EXPECT_NE(ReadBytes(c.path).find(ElementLine("strModality", c.written)), std::string::npos);
    }
}

TEST_F(XmlWrapperTest, SelectCountsMatchesAndWalksThemByIndex)
{
    std::string path = Write(Replaced(DefaultDocument(), ElementLine("nQuality", "1"),
                                      ElementLine("nQuality", "1") + ElementLine("nQuality", "3")));
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    char szValue[10];
    EXPECT_EQ(xml.Select("nQuality"), 2);
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "1") << "the first match is current";

    EXPECT_EQ(xml.Select("bEnableXDL/boolean"), 21);
    ASSERT_EQ(xml.SelectByIndex(15), 1);
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
    EXPECT_EQ(xml.Select("][bad xpath"), -1);
    xml.Unload();
}

TEST_F(XmlWrapperTest, ReadOnlyLoadAndEmptyElementsRefuseUpdates)
{
    std::string path = Write(Replaced(DefaultDocument(), ElementLine("nQuality", "1"), "  <nQuality></nQuality>\r\n"));
    CRKXML xml;
    ASSERT_EQ(xml.Load(path.c_str(), 1), 1);
    ASSERT_EQ(xml.Select("nBrightness"), 1);
    LogWatch readOnlyLog;
    EXPECT_EQ(xml.UpdateValue("99"), 0);
    EXPECT_TRUE(readOnlyLog.Contains("File is readonly"));
    char szValue[10];
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "50");
    xml.Unload();

    ASSERT_EQ(xml.Load(path.c_str(), 0), 1);
    ASSERT_EQ(xml.Select("nQuality"), 1);
    LogWatch emptyLog;
    EXPECT_EQ(xml.UpdateValue("3"), 0);
    EXPECT_TRUE(emptyLog.Contains("CRKXML::UpdateValue - _com_error exception ("));
    ASSERT_EQ(xml.SaveFile(), 1);
    xml.Unload();
    EXPECT_EQ(ValueIn(path, "nQuality"), "");
}

TEST_F(XmlWrapperTest, SaveRefusedByAReadOnlyFileKeepsIt)
{
    std::string path = Write(DefaultDocument());
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

// A class object that refuses to make documents stands in for a machine
// without the XML component.
struct RefusingFactory : IClassFactory
{
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : NULL;
        return *ppv ? S_OK : E_NOINTERFACE;
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
    std::string path = Write(DefaultDocument());
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

}  // namespace
