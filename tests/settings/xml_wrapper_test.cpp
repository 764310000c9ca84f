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
        WriteBytes(m_path, bytes);
        return m_path;
    }

    // Loads the file, sets the only element at pszPath to pszValue and saves; UpdateValue's result.
    int UpdateAndSave(const char* pszPath, const char* pszValue)
    {
        CRKXML xml;
        EXPECT_EQ(xml.Load(m_path.c_str(), 0), 1);
        EXPECT_EQ(xml.Select(pszPath), 1);
        int nResult = xml.UpdateValue(pszValue);
        EXPECT_EQ(xml.SaveFile(), 1);
        xml.Unload();
        return nResult;
    }

    // The text of the only element at `pszPath` of the file loaded read-only.
    std::string ValueIn(const char* pszPath)
    {
        CRKXML xml;
        char szText[260] = "";
        bool bRead =
            xml.Load(m_path.c_str(), 1) == 1 && xml.Select(pszPath) == 1 && xml.GetCurrentNodeValue(szText) == 1;
        xml.Unload();
        return bRead ? szText : "<unread>";
    }

    ScratchFolder m_folder;
    std::string m_path = m_folder.Path("state.xml");
};

// A save keeps the layout byte for byte and writes the encoding the
// declaration names, or names the one it writes. The program's narrow texts
// are ANSI; a file without a declared encoding is UTF-8.
TEST_F(XmlWrapperTest, SavesKeepTheLayoutAndWriteWhatTheDeclarationSays)
{
    const char szAnsi[] = "B\xfcro & <\xe9t\xe9>";
    const std::string utf8 = "B\xc3\xbcro &amp; &lt;\xc3\xa9t\xc3\xa9&gt;", latin1 = "B\xfcro &amp; &lt;\xe9t\xe9&gt;";
    const std::string plain = "<?xml version=\"1.0\"?>";
    auto declaring = [](const char* pszEncoding) {
        return "<?xml version=\"1.0\" encoding=\"" + std::string(pszEncoding) + "\"?>";
    };
    const struct
    {
        std::string loaded, saved, written;
        bool bUtf16;
    } cases[] = {{plain, plain, utf8, false},
                 {declaring("ISO-8859-1"), declaring("ISO-8859-1"), latin1, false},
                 {declaring("UTF-16"), declaring("UTF-16"), latin1, true},
                 {declaring("US-ASCII"), declaring("UTF-8"), utf8, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        const std::string before = Replaced(DefaultDocument(), plain, c.loaded);
        Write(c.bUtf16 ? Utf16(before) : before);
        ASSERT_EQ(UpdateAndSave("strModality", szAnsi), 1);
        EXPECT_EQ(ValueIn("strModality"), szAnsi);
        const std::string after =
            Replaced(Replaced(DefaultDocument(), plain, c.saved), ElementLine("strModality", "Unknown"),
                     ElementLine("strModality", c.written));
        EXPECT_EQ(ReadBytes(m_path), c.bUtf16 ? Utf16(after) : after);
    }
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
}

// Whatever the element held before, afterwards it holds exactly the value; an
// empty element has nothing to replace and stays empty.
TEST_F(XmlWrapperTest, AnUpdateLeavesTheElementHoldingExactlyTheValue)
{
    const struct
    {
        const char* pszContent;
        int nResult;
        const char* pszAfter;
    } cases[] = {{"4", 1, "7"},
                 {"<!--x-->4", 1, "7"},
                 {"4<!--x-->", 1, "7"},
                 {"<b>x</b>4", 1, "7"},
                 {"<![CDATA[4]]>", 1, "7"},
                 {"\r\n    4\r\n  ", 1, "7"},
                 {"", 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszContent);
        Write(Replaced(DefaultDocument(), ElementLine("nNbrCopies", "1"), ElementLine("nNbrCopies", c.pszContent)));
        EXPECT_EQ(UpdateAndSave("nNbrCopies", "7"), c.nResult);
        EXPECT_EQ(ValueIn("nNbrCopies"), c.pszAfter);
        EXPECT_EQ(ReadBytes(m_path).find(ElementLine("nNbrCopies", "7")) != std::string::npos, c.nResult == 1);
    }
}

TEST_F(XmlWrapperTest, SelectionsIndexesAndReadOnlyLoads)
{
    Write(Replaced(DefaultDocument(), ElementLine("nQuality", "1"),
                   ElementLine("nQuality", "1") + ElementLine("nQuality", "3")));
    CRKXML xml;
    ASSERT_EQ(xml.Load(m_path.c_str(), 1), 1);
    char szValue[10];
    EXPECT_EQ(xml.Select("nQuality"), 2);
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "1") << "the first match is current";
    LogWatch log;
    EXPECT_EQ(xml.UpdateValue("2"), 0);
    EXPECT_TRUE(log.Contains("File is readonly"));

    EXPECT_EQ(xml.Select("bEnableXDL/boolean"), 21);
    ASSERT_EQ(xml.SelectByIndex(15), 1);
    EXPECT_EQ(xml.SelectByIndex(-1), 0);
    EXPECT_EQ(xml.SelectByIndex(21), 0);
    EXPECT_TRUE(log.Contains("Index out of bounds"));
    ASSERT_EQ(xml.GetCurrentNodeValue(szValue), 1);
    EXPECT_STREQ(szValue, "false") << "a refused index leaves the current node";

    EXPECT_EQ(xml.Select("nNoSuchSetting"), -1);
    EXPECT_EQ(xml.SelectByIndex(0), 0);
    EXPECT_EQ(xml.Select("State"), -1) << "paths are relative to the root element";
    EXPECT_EQ(xml.Select("][bad xpath"), -1);
    xml.Unload();
}

TEST_F(XmlWrapperTest, SaveRefusedByAReadOnlyFileKeepsIt)
{
    Write(DefaultDocument());
    CRKXML xml;
    ASSERT_EQ(xml.Load(m_path.c_str(), 0), 1);
    ASSERT_EQ(xml.Select("nBrightness"), 1);
    ASSERT_EQ(xml.UpdateValue("7"), 1);
    SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_READONLY);
    LogWatch log;
    EXPECT_EQ(xml.SaveFile(), 0);
    EXPECT_TRUE(log.Contains("Error saving " + m_path));
    EXPECT_EQ(ReadBytes(m_path), DefaultDocument());
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
    Write(DefaultDocument());
    RefusingFactory factory;
    DWORD dwCookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_DOMDocument40, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie),
              S_OK);
    g_errorDumps.clear();
    {
        LogWatch log;
        CRKXML xml;
        EXPECT_EQ(CRKXML::GetSaveSemaphore(), nullptr);
        EXPECT_EQ(xml.Load(m_path.c_str(), 0), 0);
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
    EXPECT_NE(dump.find("\n\tSource = \n\tDescription = \n"), std::string::npos) << dump;
    EXPECT_EQ(ReadBytes(m_path), DefaultDocument());
}

}  // namespace
