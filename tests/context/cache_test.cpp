// The context cache against a fake context manager: liveness probe, reconnection, retry.
#include "common/testlib.h"
#include "context/QVDSKInfcCache.h"

#include <deque>
#include <tuple>

namespace {
::testing::Environment* const g_pComEnvironment = ::testing::AddGlobalTestEnvironment(new qvtest::ComEnvironment);

// What the fake managers were told to answer and what they saw.
struct FakeScript
{
    int nCreateLimit = 1000;            // creations beyond this fail
    std::deque<HRESULT> probeResults;   // next answers of GetRootContextName; S_OK when empty
    std::deque<HRESULT> expandResults;  // next answers of ExpandMacros; S_OK when empty
    std::wstring rootName;
    int nCreated = 0, nLive = 0;
    std::vector<int> expansions;  // serials of the managers that expanded
} g_script;

HRESULT Next(std::deque<HRESULT>& results)
{
    HRESULT hr = results.empty() ? S_OK : results.front();
    return results.empty() ? hr : (results.pop_front(), hr);
}

// Aggregates the free-threaded marshaler so that the Global Interface Table takes it.
class CFakeManager : public IContextManager
{
public:
    CFakeManager() : m_nSerial(++g_script.nCreated)
    {
        ++g_script.nLive;
        CoCreateFreeThreadedMarshaler(this, &m_marshaler);
    }
    virtual ~CFakeManager() { --g_script.nLive; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMarshal)
            return m_marshaler->QueryInterface(riid, ppv);
        *ppv = (riid == IID_IUnknown || riid == IID_IContextManager) ? this : NULL;
        return *ppv ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override { return --m_cRef ? m_cRef : (delete this, 0); }
    STDMETHODIMP GetRootContextName(BSTR* pbstrName) override
    {
        *pbstrName = SysAllocString(g_script.rootName.c_str());
        return Next(g_script.probeResults);
    }
    STDMETHODIMP GetContextValue(BSTR, BSTR, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetContextObject(BSTR, IUnknown**) override { return E_NOTIMPL; }
    // Answers "<context ID>|<text>".
    STDMETHODIMP ExpandMacros(BSTR bstrCtxID, BSTR bstrText, BSTR* pbstrResult) override
    {
        std::wstring ctxID = bstrCtxID ? std::wstring(bstrCtxID, SysStringLen(bstrCtxID)) : L"<null>";
        g_script.expansions.push_back(m_nSerial);
        HRESULT hr = Next(g_script.expandResults);
        *pbstrResult = SUCCEEDED(hr) ? SysAllocString((ctxID + L"|" + bstrText).c_str()) : NULL;
        return hr;
    }

private:
    ULONG m_cRef = 1;
    int m_nSerial;
    CComPtr<IUnknown> m_marshaler;
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
        if (g_script.nCreated >= g_script.nCreateLimit)
            return *ppv = NULL, REGDB_E_CLASSNOTREG;
        return CComPtr<CFakeManager>::Adopt(new CFakeManager)->QueryInterface(riid, ppv);
    }
};

const std::wstring kNullResult = L"<null>|$FriendlyName$";

// The fake answers every CoCreateInstance of the context manager in this process.
class CacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_script = FakeScript();
        ASSERT_TRUE(m_scope.Ok());
        m_cache.SetContextID("#QV#Jet#1");
    }

    // The expansion of "$FriendlyName$"; m_hr tells how it went.
    std::wstring Expand()
    {
        CBstr text("$FriendlyName$"), result;
        m_hr = m_cache.ExpandMacros(text, &result);
        return result.Valid() ? std::wstring(result, result.Length()) : L"<null>";
    }

    CFakeFactory m_factory;
    qvtest::ClassObjectScope m_scope{CLSID_ContextManager, &m_factory};
    CQVDSKInfcCache m_cache;
    HRESULT m_hr = E_UNEXPECTED;
};

// A failed probe empties the cache (context ID included) and, for a disconnection, builds and
// registers a new manager; an expansion failing with a disconnection is retried once on a new,
// unregistered manager.
TEST_F(CacheTest, ReconnectionAndRetryRules)
{
    const HRESULT kUnavailable = (HRESULT)0x800706BA;
    // The probe's answer, the expansions' answers, the creations allowed; the result, the managers that
    // expanded, those still alive, and the one that serves the following call.
    const std::tuple<HRESULT, std::deque<HRESULT>, int, HRESULT, std::vector<int>, int, int> cases[] = {
        {RPC_E_DISCONNECTED, {}, 1000, S_OK, {2}, 1, 2},
        {kUnavailable, {}, 1, kUnavailable, {}, 0, 2},  // no new manager: the probe's code
        {E_ACCESSDENIED, {}, 1000, E_ACCESSDENIED, {}, 0, 2},
        {S_OK, {kUnavailable}, 2, S_OK, {1, 2}, 1, 1},
        {S_OK, {RPC_E_DISCONNECTED, RPC_E_SERVER_DIED}, 2, RPC_E_SERVER_DIED, {1, 2}, 1, 1},  // no second retry
        {S_OK, {E_FAIL}, 2, E_FAIL, {1}, 1, 1},                                               // not a disconnection
        {S_OK, {RPC_E_DISCONNECTED}, 1, RPC_E_DISCONNECTED, {1}, 1, 1},                       // no new manager
    };
    for (const auto& [probe, answers, nCreateLimit, hr, managers, nLive, nNextManager] : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << probe << " " << (answers.empty() ? 0 : answers.back()));
        m_cache.ReleaseAll();
        SetUp();
        Expand();
        g_script.expansions.clear();
        g_script.nCreateLimit = nCreateLimit;
        g_script.probeResults = {probe};
        g_script.expandResults = answers;
        const std::wstring expected = nNextManager == 2 ? kNullResult : L"#QV#Jet#1|$FriendlyName$";
        const std::wstring result = Expand();
        EXPECT_EQ(hr, m_hr);
        EXPECT_EQ(SUCCEEDED(hr) ? expected : result, result);
        EXPECT_EQ(managers, g_script.expansions);
        EXPECT_EQ(nLive, g_script.nLive);  // dead and retry managers are released
        g_script.nCreateLimit = 1000;
        EXPECT_EQ(expected, Expand());
        EXPECT_EQ(nNextManager, g_script.expansions.back());
    }
}

TEST_F(CacheTest, ContextIDIsConvertedWholeOrTakenFromTheRootContext)
{
    const std::string longID = "#QV#" + std::string(20000, 'P') + "#1";
    const std::tuple<const char*, const wchar_t*, std::wstring> cases[] = {
        {longID.c_str(), L"Root", std::wstring(longID.begin(), longID.end())},
        {"#QV#Caf\xe9#1", L"Root", L"#QV#Caf\u00e9#1"},  // with the ANSI code page
        {"", L"Root", L"#Root"},
        {NULL, L"Root", L"#Root"},
        {"", L"", L"<null>"},
    };
    for (const auto& [pszCtxID, pszRoot, expected] : cases) {
        g_script.rootName = pszRoot;
        m_cache.SetContextID(pszCtxID);
        EXPECT_EQ(expected + L"|$FriendlyName$", Expand()) << expected.substr(0, 20);
        EXPECT_EQ(S_OK, m_hr);
    }
}

}  // namespace
