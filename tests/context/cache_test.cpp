#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "context/QVDSKInfcCache.h"

namespace {
// COM for the whole executable: main thread, single-threaded apartment.
struct CComEnvironment : ::testing::Environment
{
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};
::testing::Environment* const g_pComEnvironment = ::testing::AddGlobalTestEnvironment(new CComEnvironment);

std::wstring Text(const CBstr& bstr) { return bstr.Valid() ? std::wstring(bstr, bstr.Length()) : L"<null>"; }

// What the fake managers were told to answer and what they saw.
struct FakeScript
{
    int nCreateLimit = 1000;            // creations beyond this fail
    std::deque<HRESULT> probeResults;   // next answers of GetRootContextName; S_OK when empty
    std::deque<HRESULT> expandResults;  // next answers of ExpandMacros; S_OK when empty
    std::wstring rootName;
    int nCreated = 0, nLive = 0, nProbes = 0;
    std::vector<std::pair<int, std::wstring>> expansions;  // manager's serial, context ID
} g_script;

HRESULT Next(std::deque<HRESULT>& results)
{
    HRESULT hr = results.empty() ? S_OK : results.front();
    if (!results.empty())
        results.pop_front();
    return hr;
}

// Aggregates the free-threaded marshaler so that the Global Interface Table takes it.
class CFakeManager : public IContextManager
{
public:
    CFakeManager() : m_nSerial(++g_script.nCreated)
    {
        ++g_script.nLive;
        CoCreateFreeThreadedMarshaler(this, &m_pMarshaler);
    }
    virtual ~CFakeManager()
    {
        m_pMarshaler->Release();
        --g_script.nLive;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMarshal)
            return m_pMarshaler->QueryInterface(riid, ppv);
        *ppv = (riid == IID_IUnknown || riid == IID_IContextManager) ? this : NULL;
        return *ppv ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG cRef = --m_cRef;
        if (cRef == 0)
            delete this;
        return cRef;
    }
    STDMETHODIMP GetRootContextName(BSTR* pbstrName) override
    {
        ++g_script.nProbes;
        *pbstrName = SysAllocString(g_script.rootName.c_str());
        return Next(g_script.probeResults);
    }
    STDMETHODIMP GetContextValue(BSTR, BSTR, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetContextObject(BSTR, IUnknown**) override { return E_NOTIMPL; }
    // Answers "<context ID>|<text>".
    STDMETHODIMP ExpandMacros(BSTR bstrCtxID, BSTR bstrText, BSTR* pbstrResult) override
    {
        std::wstring ctxID = bstrCtxID ? std::wstring(bstrCtxID, SysStringLen(bstrCtxID)) : L"<null>";
        g_script.expansions.push_back({m_nSerial, ctxID});
        HRESULT hr = Next(g_script.expandResults);
        if (SUCCEEDED(hr))
            *pbstrResult = SysAllocString((ctxID + L"|" + bstrText).c_str());
        return hr;
    }

private:
    ULONG m_cRef = 1;
    int m_nSerial;
    IUnknown* m_pMarshaler = NULL;
};

class CFakeFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : NULL;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (g_script.nCreated >= g_script.nCreateLimit)
            return REGDB_E_CLASSNOTREG;
        CFakeManager* pManager = new CFakeManager;
        HRESULT hr = pManager->QueryInterface(riid, ppv);
        pManager->Release();
        return hr;
    }
};

const std::wstring kJetResult = L"#QV#Jet#1|$FriendlyName$";
const std::wstring kNullResult = L"<null>|$FriendlyName$";

// The fake answers every CoCreateInstance of the context manager in this process.
class CacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_script = FakeScript();
        ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_ContextManager, &m_factory, CLSCTX_INPROC_SERVER,
                                              REGCLS_MULTIPLEUSE, &m_dwClassCookie));
        m_cache.SetContextID("#QV#Jet#1");
    }
    void TearDown() override { CoRevokeClassObject(m_dwClassCookie); }

    std::wstring Expand(HRESULT* phr = NULL)
    {
        CBstr text("$FriendlyName$"), result;
        HRESULT hr = m_cache.ExpandMacros(text, &result);
        if (phr)
            *phr = hr;
        return Text(result);
    }

    CFakeFactory m_factory;
    DWORD m_dwClassCookie = 0;
    CQVDSKInfcCache m_cache;
};

// A failed probe empties the cache (context ID included) and, for a disconnection, builds and
// registers a new manager; an expansion failing with a disconnection is retried once on a new,
// unregistered manager.
TEST_F(CacheTest, ReconnectionAndRetryRules)
{
    const HRESULT kUnavailable = (HRESULT)0x800706BA;
    struct Case
    {
        HRESULT probe;
        std::deque<HRESULT> answers;
        int nCreateLimit;
        HRESULT hr;
        std::vector<int> managers;  // serials of the managers that expanded, in order
        int nLive;
        int nNextManager;  // serves the following call
    };
    const Case cases[] = {
        {RPC_E_DISCONNECTED, {}, 1000, S_OK, {2}, 1, 2},
        {kUnavailable, {}, 1, kUnavailable, {}, 0, 2},  // no new manager: the probe's code
        {E_ACCESSDENIED, {}, 1000, E_ACCESSDENIED, {}, 0, 2},
        {S_OK, {kUnavailable}, 2, S_OK, {1, 2}, 1, 1},
        {S_OK, {(HRESULT)0x801206BA}, 2, S_OK, {1, 2}, 1, 1},
        {S_OK, {RPC_E_DISCONNECTED, RPC_E_SERVER_DIED}, 2, RPC_E_SERVER_DIED, {1, 2}, 1, 1},  // no second retry
        {S_OK, {E_FAIL}, 2, E_FAIL, {1}, 1, 1},                                               // not a disconnection
        {S_OK, {RPC_E_DISCONNECTED}, 1, RPC_E_DISCONNECTED, {1}, 1, 1},                       // no new manager
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.probe << " " << (c.answers.empty() ? 0 : c.answers.back()));
        m_cache.ReleaseAll();
        g_script = FakeScript();
        m_cache.SetContextID("#QV#Jet#1");
        Expand();
        g_script.expansions.clear();
        g_script.nCreateLimit = c.nCreateLimit;
        g_script.probeResults = {c.probe};
        g_script.expandResults = c.answers;
        const std::wstring expected = c.nNextManager == 2 ? kNullResult : kJetResult;
        HRESULT hr;
        std::wstring result = Expand(&hr);
        EXPECT_EQ(c.hr, hr);
        if (SUCCEEDED(c.hr)) {
            EXPECT_EQ(expected, result);
        }
        std::vector<int> managers;
        for (const auto& expansion : g_script.expansions)
            managers.push_back(expansion.first);
        EXPECT_EQ(c.managers, managers);
        EXPECT_EQ(c.nLive, g_script.nLive);  // dead and retry managers are released

        g_script.nCreateLimit = 1000;
        EXPECT_EQ(expected, Expand());
        EXPECT_EQ(c.nNextManager, g_script.expansions.back().first);
    }
}

TEST_F(CacheTest, ContextIDIsConvertedWholeOrTakenFromTheRootContext)
{
    const std::string longID = "#QV#" + std::string(20000, 'P') + "#1";
    struct Case
    {
        const char* pszCtxID;
        const wchar_t* pszRoot;
        std::wstring expected;
    };
    const Case cases[] = {
        {longID.c_str(), L"Root", std::wstring(longID.begin(), longID.end())},
        {"#QV#Caf\xe9#1", L"Root", L"#QV#Caf\u00e9#1"},  // with the ANSI code page
        {"", L"Root", L"#Root"},
        {NULL, L"Root", L"#Root"},
        {"", L"", L"<null>"},
    };
    for (const Case& c : cases) {
        g_script.rootName = c.pszRoot;
        m_cache.SetContextID(c.pszCtxID);
        HRESULT hr;
        EXPECT_EQ(c.expected + L"|$FriendlyName$", Expand(&hr)) << c.expected.substr(0, 20);
        EXPECT_EQ(S_OK, hr);
    }
}

TEST_F(CacheTest, ManagerThatCannotBeCreatedGivesTheCreationCode)
{
    g_script.nCreateLimit = 0;
    g_script.rootName = L"Root";
    m_cache.SetContextID("");
    HRESULT hr;
    Expand(&hr);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, hr);
    IContextManager* pManager = reinterpret_cast<IContextManager*>(1);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, m_cache.GetContextManager(&pManager));
    EXPECT_EQ(nullptr, pManager);
    g_script.nCreateLimit = 1000;
    EXPECT_EQ(kNullResult, Expand());  // the empty ID stayed null
}

TEST_F(CacheTest, ReleaseAndDestructionRevokeTheManager)
{
    Expand();
    m_cache.ReleaseAll();
    EXPECT_EQ(0, g_script.nLive);
    EXPECT_EQ(kNullResult, Expand());  // the context went with the manager
    {
        CQVDSKInfcCache neverConnected;
        neverConnected.SetContextID("#QV#Jet#1");
    }
    EXPECT_EQ(2, g_script.nCreated);
    {
        CQVDSKInfcCache other;
        CBstr text("$FriendlyName$"), result;
        other.ExpandMacros(text, &result);
        EXPECT_EQ(2, g_script.nLive);
    }
    EXPECT_EQ(1, g_script.nLive);
}
}  // namespace
