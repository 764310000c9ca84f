// Settings files: CRKXML over the XML document of Wine, CRKCopyState read from
// and written into State documents, and saves from several processes at once.
#include "common/testlib.h"
#include "records/RKCopyState.h"
#include "settings/RKXML.h"
#include "settings/SaveLock.h"
#include "settings/SettingsFiles.h"

#include <cstdlib>
#include <memory>
#include <regex>

using namespace qvtest;
using replika::CRKXML;

namespace {

::testing::Environment* const s_pCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

std::string DefaultDocument() { return ResourceBytes(NULL, 152, "XML"); }

// "  <name>value</name>\r\n" as the default document lays its elements out.
std::string Element(const char* pszName, const std::string& value)
{
    return std::string("  <") + pszName + ">" + value + "</" + pszName + ">\r\n";
}

std::string Utf16(const std::string& latin1)
{
    std::string bytes("\xff\xfe", 2);
    for (char ch : latin1)
        bytes += std::string(1, ch) + '\0';
    return bytes;
}

std::string Flags(const std::vector<const char*>& values)
{
    std::string list = "  <bEnableXDL>\r\n";
    for (const char* pszValue : values)
        list += std::string("    <boolean>") + pszValue + "</boolean>\r\n";
    return list + "  </bEnableXDL>";
}

// The default document with its bEnableXDL list made of these entries.
std::string WithFlags(const std::vector<const char*>& values)
{
    std::string document = DefaultDocument();
    size_t nFrom = document.find("  <bEnableXDL>"), nTo = document.find("</bEnableXDL>") + 13;
    return document.replace(nFrom, nTo - nFrom, Flags(values));
}

// Every persisted field gets a value of its own, different for each seed; the
// booleans and then the integers lie side by side in the record.
void FillDistinct(CRKCopyState& s, int nSeed)
{
    snprintf(s.strCtxID, sizeof(s.strCtxID), "#QV#Model %d#DEV%d", nSeed, nSeed);
    snprintf(s.strModality, sizeof(s.strModality), "USB-%d", nSeed);
    s.pStartLoc = {-40 - nSeed, 300 + nSeed};
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = (i * 7 + nSeed) % 3 != 0;
    for (int32_t* p = &s.bColorCopyRequested; p <= &s.nSpecialFeatureMode; ++p) {
        int n = static_cast<int>(p - &s.bColorCopyRequested);
        *p = p <= &s.bAutoCropMode ? (n + nSeed) % 2 : nSeed * 1000 + (n % 3 ? n : -n);
    }
}

// The persisted part of the record, word by word: bEnableXDL up to nBorderlessSupport.
std::vector<int32_t> Persisted(const CRKCopyState& s) { return {s.bEnableXDL, &s.nBorderlessSupport}; }

class SettingsTest : public ::testing::Test
{
protected:
    SettingsTest()
    {
        lstrcpynA(g_szDefaultFileName, "DQV1234.xml", MAX_PATH);
        lstrcpynA(g_szFactoryFileName, "FQV1234.xml", MAX_PATH);
    }

    const char* Write(const std::string& bytes)
    {
        WriteBytes(m_path, bytes);
        return m_path.c_str();
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

    LogCapture m_log{"qvsettingstest"};
    TempFolder m_folder{"qvsettings"};
    std::string m_path = m_folder.File("DQV1234.xml");
};

// A save also names the file it writes (default or factory) and stamps the time.
TEST_F(SettingsTest, RecordSurvivesASaveAndALoad)
{
    for (const char* pszName : {"DQV1234.xml", "FQV1234.xml"}) {
        SCOPED_TRACE(pszName);
        const std::string path = m_folder.File(pszName);
        WriteBytes(path, DefaultDocument());
        CRKCopyState saved, loaded;
        FillDistinct(saved, pszName[0]);
        FillDistinct(loaded, pszName[0] + 1);
        ASSERT_EQ(saved.SaveSettings(path.c_str()), 1);
        ASSERT_EQ(loaded.GetSettings(path.c_str()), 1);
        EXPECT_EQ(Persisted(loaded), Persisted(saved));
        EXPECT_STREQ(loaded.strFileName, pszName);
    }
    EXPECT_EQ(m_folder.Files().size(), 2u) << "no temporary file is left behind";
}

// Booleans are false only for "false" in any case; integers take their
// leading digits; white space around a value does not count.
TEST_F(SettingsTest, ReadingRulesOfBooleansAndIntegers)
{
    const struct
    {
        const char* pszText;
        int32_t bBoolean, nInteger;
        // clang-format off
    } cases[] = {{"FALSE", 0, 0}, {"fAlSe", 0, 0}, {" false ", 0, 0}, {"\r\n      false\r\n    ", 0, 0}, {"no", 1, 0},
                 {"", 1, 0}, {"-7", 1, -7}, {"12abc", 1, 12}, {"999999999", 1, 999999999}, {"\r\n  42\r\n  ", 1, 42}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.pszText + "'");
        std::string document = Replaced(DefaultDocument(), Element("bMirror", "false"), Element("bMirror", c.pszText));
        document = Replaced(document, Element("nBrightness", "50"), Element("nBrightness", c.pszText));
        CRKCopyState s;
        s.bMirror = 1 - c.bBoolean;
        s.nBrightness = -1;
        ASSERT_EQ(s.GetSettings(Write(document)), 1);
        EXPECT_EQ(s.bMirror, c.bBoolean);
        EXPECT_EQ(s.nBrightness, c.nInteger);
    }
}

// Elements missing, twice, unknown or too long: their fields keep their
// values, nothing overruns (strModality follows strCtxID in the record), and a
// save adds, drops and lengthens nothing.
TEST_F(SettingsTest, MissingDuplicatedUnknownAndOverlongElements)
{
    const std::string twice = Element("nBrightness", "10") + Element("nBrightness", "20");
    const std::string extra = Element("strComment", "left alone");
    const std::string tooLong = Element("nQuality", "12345678901234567890");
    std::string document = Replaced(DefaultDocument(), Element("strModality", "Unknown"), "");
    document = Replaced(document, "<strCtxID>Unknown<", "<strCtxID>" + std::string(1000, 'c') + "<");
    document = Replaced(document, Element("nBrightness", "50"), twice);
    document = Replaced(document, Element("bMirror", "false"), extra + Element("bMirror", "false"));
    document = Replaced(document, Element("nQuality", "1"), tooLong);
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
    EXPECT_NE(file.find(Element("nPaperType", "123456789")), std::string::npos);
}

// Only the entries both the list and the record have are read and written.
TEST_F(SettingsTest, EnableFlagListsOfAnyLength)
{
    CRKCopyState s;
    for (int32_t& b : s.bEnableXDL)
        b = 1;
    ASSERT_EQ(s.GetSettings(Write(WithFlags({"false", "true", "FALSE", "x", "False"}))), 1);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(s.bEnableXDL[i], i < 5 ? i % 2 : 1) << "flag " << i;
    ASSERT_EQ(s.SaveSettings(m_path.c_str()), 1);
    EXPECT_NE(ReadBytes(m_path).find(Flags({"FALSE", "TRUE", "FALSE", "TRUE", "FALSE"})), std::string::npos);

    ASSERT_EQ(s.GetSettings(Write(WithFlags(std::vector<const char*>(30, "false")))), 1);
    EXPECT_STREQ(s.strFileName, "D1069370723.xml") << "no entry past the record's overruns it";
}

// Files that are no settings files: refused with a record naming them, the
// record and the file left as they were, and no file ever created.
TEST_F(SettingsTest, HostileAndBrokenFilesAreRefused)
{
    const std::string declaration = "<?xml version=\"1.0\"?>\r\n", secret = m_folder.File("secret.txt");
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        CRKCopyState s;
        FillDistinct(s, 4);
        const std::vector<int32_t> before = Persisted(s);
        m_log.Mark();
        EXPECT_EQ(s.GetSettings(Write(c.bytes)), 0);
        EXPECT_EQ(s.SaveSettings(m_path.c_str()), 0);
        EXPECT_EQ(s.SaveStartLocation(m_path.c_str()), 0);
        EXPECT_TRUE(m_log.Contains(c.record));
        EXPECT_TRUE(m_log.Contains("Failed to load " + m_path));
        EXPECT_EQ(Persisted(s), before);
        EXPECT_EQ(ReadBytes(m_path), c.bytes);
    }
    const std::string absent = m_folder.File("absent.xml");
    CRKCopyState s;
    EXPECT_EQ(s.GetSettings(absent.c_str()), 0);
    EXPECT_EQ(s.SaveSettings(absent.c_str()), 0);
    EXPECT_EQ(m_folder.Files().size(), 2u) << "no file is ever created";
}

// Saves in several processes: the children run this program again with only
// the test below, which ordinary runs skip. "hold" takes the save lock and
// keeps it until it is killed; a seed saves that record over and over.
TEST(SettingsChild, DISABLED_Run)
{
    const char *pszMode = getenv("QV_SETTINGS_CHILD_MODE"), *pszFile = getenv("QV_SETTINGS_CHILD_FILE");
    HANDLE hEvent = OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, getenv("QV_SETTINGS_CHILD_EVENT"));
    ASSERT_TRUE(pszMode && pszFile && hEvent);
    if (strcmp(pszMode, "hold") == 0) {
        CRKXML xml;
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

class ConcurrentSave : public SettingsTest
{
protected:
    ConcurrentSave() { WriteBytes(m_file, DefaultDocument()); }
    ~ConcurrentSave() override { CloseHandle(m_hEvent); }

    std::unique_ptr<ChildProcess> Child(const char* pszMode)
    {
        EnvVar mode("QV_SETTINGS_CHILD_MODE", pszMode), file("QV_SETTINGS_CHILD_FILE", m_file.c_str()),
            event("QV_SETTINGS_CHILD_EVENT", m_event.c_str());
        return std::make_unique<ChildProcess>("\"" + BesideExe("test_settings.exe") +
                                              "\" --gtest_also_run_disabled_tests --gtest_filter=SettingsChild.*");
    }

    std::string m_file = m_folder.File("DQVSHARED.xml");
    std::string m_event = "QVSettingsTest_" + std::to_string(GetCurrentProcessId());
    HANDLE m_hEvent = CreateEventA(NULL, TRUE, FALSE, m_event.c_str());
};

// Every save is whole, so the file always holds one complete record.
TEST_F(ConcurrentSave, TwoProcessesLeaveOneWholeRecord)
{
    auto first = Child("1"), second = Child("2");
    SetEvent(m_hEvent);
    for (const auto& child : {first.get(), second.get()}) {
        ASSERT_TRUE(child->WaitForExit(300000));
        EXPECT_EQ(child->ExitCode(), 0u);
    }
    CRKCopyState loaded, expected;
    ASSERT_EQ(loaded.GetSettings(m_file.c_str()), 1);
    const std::string modality = loaded.strModality;
    ASSERT_TRUE(modality == "USB-1" || modality == "USB-2") << modality;
    FillDistinct(expected, modality == "USB-1" ? 1 : 2);
    lstrcpynA(expected.strFileName, "DQVSHARED.xml", STATE_TEXT_LEN);
    lstrcpynA(expected.strDateTime, loaded.strDateTime, STATE_TEXT_LEN);
    EXPECT_EQ(Persisted(loaded), Persisted(expected));
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
}

// A saver killed while it held the lock and wrote its temporary file: the
// next save neither waits for it nor keeps what it left behind.
TEST_F(ConcurrentSave, AKilledSaverHoldsNobodyUp)
{
    CRKXML keeper;  // the lock outlives the killed process, as with other instances running
    WriteBytes(m_folder.File("~1f2e"), "<?xml version=");
    {
        auto holder = Child("hold");
        ASSERT_EQ(WaitForSingleObject(m_hEvent, 60000), WAIT_OBJECT_0);
    }
    m_log.Mark();
    CRKCopyState saved, loaded;
    FillDistinct(saved, 5);
    ASSERT_EQ(saved.SaveSettings(m_file.c_str()), 1);
    EXPECT_FALSE(m_log.Contains("semaphore not obtained"));
    ASSERT_EQ(loaded.GetSettings(m_file.c_str()), 1);
    EXPECT_EQ(Persisted(loaded), Persisted(saved));
    EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"DQVSHARED.xml"});
    EXPECT_EQ(WaitForSingleObject(CRKXML::GetSaveSemaphore(), 0), WAIT_OBJECT_0) << "the lock is free";
    ReleaseSemaphore(CRKXML::GetSaveSemaphore(), 1, NULL);
}

// A save keeps the layout byte for byte and writes the encoding the
// declaration names, or names the one it writes. The program's narrow texts
// are ANSI; a file without a declared encoding is UTF-8.
TEST_F(SettingsTest, SavesKeepTheLayoutAndWriteWhatTheDeclarationSays)
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
        const std::string after = Replaced(Replaced(DefaultDocument(), plain, c.saved),
                                           Element("strModality", "Unknown"), Element("strModality", c.written));
        EXPECT_EQ(ReadBytes(m_path), c.bUtf16 ? Utf16(after) : after);
    }
    EXPECT_EQ(m_folder.Files().size(), 1u) << "no temporary file is left behind";
}

// The names are "D"/"F" + device ID + ".xml" exactly while that is a valid file
// name whose path fits; otherwise the ID's part is made safe, and cut to fit.
TEST(SettingsFileNames, DeviceIDsAndFolderLengths)
{
    const struct
    {
        size_t nFolder;
        std::string id, name;
        // clang-format off
    } cases[] = {{40, "", "D.xml"}, {40, "CN12345", "DCN12345.xml"}, {40, "a b", "Da b.xml"}, {40, "..", "D...xml"},
                 {40, "x/y", "Dx_y.xml"}, {40, "x\\..\\y", "Dx_.._y.xml"}, {40, "CON", "DCON.xml"},
                 {40, "CN:1", "DCN_1.xml"}, {40, "t\tz\x7f", "Dt_z_.xml"}, {240, "CN12345", "DCN12345.xml"},
                 {253, "", "D.xml"}, {254, "", ""}, {250, "CN12345", ""}};
    // clang-format on
    char szDefault[MAX_PATH], szFactory[MAX_PATH];
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nFolder) + " " + c.id);
        const std::string folder = "C:\\" + std::string(c.nFolder - 3, 'f');
        EXPECT_EQ(replika::FormSettingsFileNames(folder.c_str(), c.id.c_str(), szDefault, szFactory), !c.name.empty());
        EXPECT_EQ(szDefault, c.name);
        EXPECT_EQ(szFactory, c.name.empty() ? "" : "F" + c.name.substr(1));
    }
    // An ID too long for the path keeps what fits and a hash of the whole ID.
    const std::string folder(40, 'f'), id(259, 'x');
    ASSERT_TRUE(replika::FormSettingsFileNames(folder.c_str(), id.c_str(), szDefault, szFactory));
    EXPECT_TRUE(std::regex_match(szDefault, std::regex("Dx+~[0-9a-f]{8}\\.xml"))) << szDefault;
    EXPECT_EQ(folder.size() + 1 + strlen(szDefault), MAX_PATH - 1u);
    ASSERT_TRUE(replika::FormSettingsFileNames(folder.c_str(), (id + "y").c_str(), szFactory, szFactory));
    EXPECT_STRNE(szDefault, szFactory) << "two long IDs keep two names";
}

// Values hold any character the program's texts can: those XML cannot hold
// travel in another form and come back as they were.
TEST_F(SettingsTest, TextsWithControlCharactersComeBack)
{
    for (const char* pszText : {"#QV#Jet#\x01\x02\x1f", "a\x0b\x0c\tb", "\x7f\x80\xe9", "\xee\x80\x81"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(pszText)));
        Write(DefaultDocument());
        CRKCopyState saved, loaded;
        FillDistinct(saved, 6);
        lstrcpynA(saved.strCtxID, pszText, STATE_TEXT_LEN);
        ASSERT_EQ(saved.SaveSettings(m_path.c_str()), 1);
        ASSERT_EQ(loaded.GetSettings(m_path.c_str()), 1);
        EXPECT_STREQ(loaded.strCtxID, pszText);
    }
}

// A file that does not load is kept once as ".bad" before it is replaced; a
// readable one, or none, leaves no copy.
TEST_F(SettingsTest, OnlyAnUnreadableFileIsKept)
{
    const std::string kept = m_path + ".bad";
    for (const std::string& bytes : {std::string(), DefaultDocument(), std::string("<State><nNbrCopies>")}) {
        SCOPED_TRACE(bytes.substr(0, 20));
        DeleteFileA(kept.c_str());
        DeleteFileA(m_path.c_str());
        if (!bytes.empty())
            Write(bytes);
        const bool bUnreadable = bytes.size() == 19;
        EXPECT_TRUE(replika::KeepUnreadableSettingsFile(m_path.c_str()));
        EXPECT_EQ(GetFileAttributesA(kept.c_str()) != INVALID_FILE_ATTRIBUTES, bUnreadable);
        EXPECT_EQ(ReadBytes(kept), bUnreadable ? bytes : "");
    }
}

// A new file appears whole: while the save waits for the lock, after the whole
// document was made, nothing is on disk yet.
TEST_F(SettingsTest, ACreatedFileAppearsOnlyComplete)
{
    CRKCopyState saved, loaded;
    FillDistinct(saved, 7);
    bool bCreated = false;
    std::thread creator;
    {
        CRKXML keeper;
        replika::CSaveLock lock(0);
        ASSERT_TRUE(lock.Obtained());
        creator = std::thread([&] { bCreated = replika::CreateSettingsFile(saved, m_path.c_str(), DefaultDocument()); });
        EXPECT_TRUE(PumpUntil([&] { return m_log.Contains("nSpecialFeatureMode:"); }));
        EXPECT_TRUE(m_folder.Files().empty());
    }
    creator.join();
    ASSERT_TRUE(bCreated);
    ASSERT_EQ(loaded.GetSettings(m_path.c_str()), 1);
    EXPECT_EQ(Persisted(loaded), Persisted(saved));
    EXPECT_STREQ(loaded.strFileName, "DQV1234.xml");
    EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"DQV1234.xml"});
}

// A folder as long as a folder can be: the files in it are read, saved and kept.
TEST_F(SettingsTest, FilesInTheLongestFolder)
{
    std::string folder = m_folder.Path();
    while (folder.size() < MAX_PATH - 12) {
        folder += "\\" + std::string(std::min<size_t>(60, MAX_PATH - 13 - folder.size()), 'l');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL)) << folder.size();
    }
    const std::string path = folder + "\\DQV12.xml", unreadable = folder + "\\DQV123.xml";
    ASSERT_EQ(path.size(), MAX_PATH - 2u);
    WriteBytes(path, DefaultDocument());
    CRKCopyState saved, loaded;
    FillDistinct(saved, 8);
    ASSERT_EQ(saved.SaveSettings(path.c_str()), 1);
    ASSERT_EQ(loaded.GetSettings(path.c_str()), 1);
    EXPECT_EQ(Persisted(loaded), Persisted(saved));
    WriteBytes(unreadable, "<State>");
    EXPECT_TRUE(replika::KeepUnreadableSettingsFile(unreadable.c_str()));
    EXPECT_EQ(ReadBytes(folder + "\\DQV123.bad"), "<State>");
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &data);
    int nEntries = 0;
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &data))
        ++nEntries;
    FindClose(hFind);
    EXPECT_EQ(nEntries, 5) << ". and .., the two files and the copy: no temporary file is left behind";
}

}  // namespace
