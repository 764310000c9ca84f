// The copier's context manager and device status loaded from beside the tests, and the
// program started for a set-up.
#include "CopierFixture.h"

#include "device/IContextManager.h"
#include "device/IDeviceStatus.h"
#include "res/resource.h"

#include <oleauto.h>

#include <algorithm>
#include <ctype.h>

namespace {
const char kContextId[] = "#QV#Copier#copier-7";

// One object of a copier component, made through the DLL's own class object.
template <class TInterface>
class ComponentObject
{
public:
    ComponentObject(const char* pszDll, REFCLSID clsid, REFIID iid)
        : m_hDll(LoadLibraryA(qvtest::BesideExe(pszDll).c_str()))
    {
        typedef HRESULT(STDAPICALLTYPE * GetClassObject)(REFCLSID, REFIID, void**);
        GetClassObject pfn = m_hDll ? (GetClassObject)(void*)GetProcAddress(m_hDll, "DllGetClassObject") : NULL;
        IClassFactory* pFactory = NULL;
        if (pfn && SUCCEEDED(pfn(clsid, IID_IClassFactory, (void**)&pFactory))) {
            pFactory->CreateInstance(NULL, iid, (void**)&m_p);
            pFactory->Release();
        }
    }
    ~ComponentObject()
    {
        if (m_p)
            m_p->Release();
        if (m_hDll)
            FreeLibrary(m_hDll);
    }
    TInterface* operator->() const { return m_p; }
    bool Ok() const { return m_p != nullptr; }

private:
    HMODULE m_hDll;
    TInterface* m_p = nullptr;
};

struct Bstr
{
    Bstr() = default;
    explicit Bstr(const std::string& text) : b(SysAllocStringLen(NULL, (UINT)text.size()))
    {
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), b, (int)text.size());
    }
    ~Bstr() { SysFreeString(b); }
    std::string Narrow() const
    {
        char sz[512] = "";
        WideCharToMultiByte(CP_ACP, 0, b ? b : L"", -1, sz, sizeof(sz), NULL, NULL);
        return sz;
    }
    BSTR b = NULL;
};

class CopierComponents : public copiertest::CopierFixture
{
protected:
    void WriteSetup(const std::string& source, const std::string& printer)
    {
        std::string line = "setup\tFront Desk\tcopier-7\t" + source + "\t" + printer + "\r\n";
        ASSERT_TRUE(qvtest::WriteBytes(m_files.File("setups.txt"), line));
    }
};
}  // namespace

TEST_F(CopierComponents, ContextManagerAnswersForSetupsOnly)
{
    WriteSetup(m_source.Path(), "PDF");
    ComponentObject<IContextManager> manager("qvcopier_contextmgr.dll", CLSID_ContextManager, IID_IContextManager);
    ASSERT_TRUE(manager.Ok());
    const struct
    {
        const char *pszCtxID, *pszText;
        bool bOk;
        std::string expected;   // "lang": three lower-case letters
    } rows[] = {
        {kContextId, "$FriendlyName$", true, "Front Desk"},
        {"QV##Copier###copier-7#", "QV Copy: $FriendlyName$ $$", true, "QV Copy: Front Desk $"},
        {kContextId, "$DefLangAbbrev$", true, "lang"},
        {kContextId, "$NoSuchMacro$", false, ""},
        {kContextId, "$FriendlyName", false, ""},
        {"#QV#Copier#copier-8", "$FriendlyName$", false, ""},
        {"#QV#Jet 2140#copier-7", "$FriendlyName$", false, ""},
        {"", "$FriendlyName$", false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pszCtxID) + " " + row.pszText);
        Bstr ctx(row.pszCtxID), text(row.pszText), result;
        HRESULT hr = manager->ExpandMacros(ctx.b, text.b, &result.b);
        ASSERT_EQ(row.bOk, SUCCEEDED(hr)) << std::hex << hr;
        std::string value = result.Narrow();
        if (row.expected == "lang")
            EXPECT_TRUE(value.size() == 3 && std::all_of(value.begin(), value.end(), islower)) << value;
        else
            EXPECT_EQ(row.expected, value);
    }
}

// A set-up answers while its folder exists and its printer opens; others cannot be opened.
TEST_F(CopierComponents, DeviceStatusFollowsTheSourceAndThePrinter)
{
    const std::string printer = FirstPrinter();
    if (printer.empty())
        GTEST_SKIP() << "no printer";
    const struct
    {
        std::string ctxID, source, printer;
        bool bOpens, bAnswers;
    } rows[] = {
        {kContextId, m_source.Path(), printer, true, true},
        {kContextId, m_source.File("gone"), printer, true, false},
        {kContextId, m_source.Path(), "No Such Printer", true, false},
        {kContextId, "wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000", printer, true, true},
        {kContextId, "wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0009", printer, true, false},
        {"#QV#Copier#copier-9", m_source.Path(), printer, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ctxID + " " + row.source + " " + row.printer);
        WriteSetup(row.source, row.printer);
        ComponentObject<IDeviceStatus> status("qvcopier_devstatus.dll", CLSID_DeviceStatus, IID_IDeviceStatus);
        ASSERT_TRUE(status.Ok());
        Bstr ctx(row.ctxID), answer;
        EXPECT_EQ(row.bOpens, SUCCEEDED(status->OpenDevice(ctx.b)));
        EXPECT_EQ(row.bAnswers, SUCCEEDED(status->QueryDevice(&answer.b)));
    }
}

// Needs the copier's device component: without it "use copier" is refused and the row is skipped.
TEST_F(CopierComponents, ProgramForASetupShowsItsName)
{
    copiertest::RegistrationScope registrations;
    copiertest::SettingsFilesScope settings("copier-7");
    WriteSetup(m_source.Path(), FirstPrinter());
    if (Tool("use copier").exitCode != 0)
        GTEST_SKIP() << "the copier's device component is not built";
    qvtest::ChildProcess app(qvtest::ProgramCommand("-CtxID \"" + std::string(kContextId) + "\""));
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg) << app.State();
    char szCaption[256] = "";
    LoadStringA(GetModuleHandleA(NULL), IDS_CAPTION, szCaption, sizeof(szCaption));
    EXPECT_EQ(std::string(szCaption) + " Front Desk", qvtest::WindowText(hDlg));
}
