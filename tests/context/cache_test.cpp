#include "com_env.h"

#include <deque>
#include <vector>

#include "context/QVDSKInfcCache.h"

namespace
{
// What the fake managers were told to answer and what they saw.
struct FakeScript
{
    int nCreateLimit = 1000;            // creations beyond this fail
    HRESULT hrCreateFailure = REGDB_E_CLASSNOTREG;
    std::deque<HRESULT> probeResults;   // next answers of GetRootContextName; S_OK when empty
    std::deque<HRESULT> expandResults;  // next answers of ExpandMacros; S_OK when empty
    std::wstring rootName;

    int nCreated = 0, nLive = 0, nProbes = 0;
    struct Expansion { int nManager; std::wstring ctxID; };
    std::vector<Expansion> expansions;
};
FakeScript g_script;

class CFakeManager : public IContextManager
{
public:
    CFakeManager() : m_cRef(1), m_nSerial(++g_script.nCreated), m_pMarshaler(NULL)
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
        *ppv = NULL;
        if (riid == IID_IMarshal)
            return m_pMarshaler->QueryInterface(riid, ppv);
        if (riid != IID_IUnknown && riid != IID_IContextManager)
            return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
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
    static HRESULT Next(std::deque<HRESULT>& results)
    {
        if (results.empty())
            return S_OK;
        HRESULT hr = results.front();
        results.pop_front();
        return hr;
    }

    ULONG m_cRef;
    int m_nSerial;
    IUnknown* m_pMarshaler;
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
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (g_script.nCreated >= g_script.nCreateLimit)
            return g_script.hrCreateFailure;
        CFakeManager* pManager = new CFakeManager;
        HRESULT hr = pManager->QueryInterface(riid, ppv);
        pManager->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class CacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_script = FakeScript();
        ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_ContextManager, &m_factory, CLSCTX_INPROC_SERVER,
                                              REGCLS_MULTIPLEUSE, &m_dwClassCookie));
    }
    void TearDown() override { CoRevokeClassObject(m_dwClassCookie); }

    // Expands "$FriendlyName$"; the fake answers "<context ID>|<text>".
    std::wstring Expand(CQVDSKInfcCache& cache, HRESULT* phr)
    {
        CBstr text(L"$FriendlyName$");
        CBstr result;
        *phr = cache.ExpandMacros(text, result.Out());
        return result.Text();
    }

    CFakeFactory m_factory;
    DWORD m_dwClassCookie = 0;
};

TEST(ContextHelpers, DisconnectCodes)
{
    for (HRESULT hr : {(HRESULT)0x80010108, (HRESULT)0x800401FD, (HRESULT)0x80010006, (HRESULT)0x80010007,
                       (HRESULT)0x800706BA, (HRESULT)0x807F06BA, (HRESULT)0x000006BA})
        EXPECT_TRUE(IsDisconnectError(hr)) << std::hex << hr;
    for (HRESULT hr : {S_OK, E_FAIL, E_NOINTERFACE, (HRESULT)0x800706BB, (HRESULT)0x80010012, (HRESULT)0x80010105})
        EXPECT_FALSE(IsDisconnectError(hr)) << std::hex << hr;
}

TEST(ContextHelpers, MakeContextID)
{
    CBstr name(L"Root");
    EXPECT_EQ(E_POINTER, MakeContextID(name, NULL));

    BSTR untouched = reinterpret_cast<BSTR>(0x1234);
    EXPECT_EQ(E_FAIL, MakeContextID(NULL, &untouched));
    CBstr empty(L"");
    EXPECT_EQ(E_FAIL, MakeContextID(empty, &untouched));
    EXPECT_EQ(reinterpret_cast<BSTR>(0x1234), untouched);

    CBstr ctxID;
    ASSERT_EQ(S_OK, MakeContextID(name, ctxID.Out()));
    EXPECT_EQ(L"#Root", ctxID.Text());
}

TEST_F(CacheTest, ExpandsForTheNarrowContextIDConvertedWithTheAnsiCodePage)
{
    CQVDSKInfcCache cache;
    EXPECT_EQ(0, g_script.nCreated);  // nothing is created before the first use
    cache.SetContextID("#QV#Caf\xe9#1");
    HRESULT hr;
    EXPECT_EQ(L"#QV#Caf\u00e9#1|$FriendlyName$", Expand(cache, &hr));
    EXPECT_EQ(S_OK, hr);
}

TEST_F(CacheTest, EveryUseProbesTheOneRegisteredManager)
{
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#1");
    HRESULT hr;
    Expand(cache, &hr);
    Expand(cache, &hr);
    IContextManager* pManager = NULL;
    ASSERT_EQ(S_OK, cache.GetContextManager(&pManager));
    pManager->Release();
    EXPECT_EQ(S_OK, cache.GetContextManager(NULL));

    EXPECT_EQ(1, g_script.nCreated);
    EXPECT_EQ(4, g_script.nProbes);
    EXPECT_EQ(1, g_script.nLive);
}

TEST_F(CacheTest, DisconnectedProbeRebuildsTheManagerAndForgetsTheContext)
{
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#1");
    HRESULT hr;
    Expand(cache, &hr);
    g_script.probeResults = {RPC_E_DISCONNECTED};
    EXPECT_EQ(L"<null>|$FriendlyName$", Expand(cache, &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(2, g_script.nCreated);
    EXPECT_EQ(1, g_script.nLive);  // the dead one was revoked and released

    // The new manager is the registered one from now on.
    Expand(cache, &hr);
    EXPECT_EQ(2, g_script.nCreated);
    EXPECT_EQ(2, g_script.expansions.back().nManager);
}

TEST_F(CacheTest, DisconnectedProbeWithoutANewManagerGivesTheProbeCode)
{
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#1");
    g_script.nCreateLimit = 1;
    g_script.probeResults = {(HRESULT)0x800706BA};
    HRESULT hr;
    Expand(cache, &hr);
    EXPECT_EQ((HRESULT)0x800706BA, hr);
    EXPECT_TRUE(g_script.expansions.empty());
}

TEST_F(CacheTest, OtherProbeFailureIsReturnedAndTheNextCallStartsOver)
{
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#1");
    g_script.probeResults = {S_OK, E_ACCESSDENIED};
    HRESULT hr;
    Expand(cache, &hr);
    Expand(cache, &hr);
    EXPECT_EQ(E_ACCESSDENIED, hr);
    EXPECT_EQ(1, g_script.nCreated);
    EXPECT_EQ(0, g_script.nLive);

    EXPECT_EQ(L"<null>|$FriendlyName$", Expand(cache, &hr));
    EXPECT_EQ(2, g_script.nCreated);
}

TEST_F(CacheTest, ExpansionFailingWithADisconnectionIsRetriedOnceOnANewManager)
{
    const HRESULT disconnections[] = {(HRESULT)0x800706BA, (HRESULT)0x801206BA, RPC_E_SERVER_DIED,
                                      CO_E_OBJNOTCONNECTED};
    for (HRESULT code : disconnections)
    {
        g_script = FakeScript();
        CQVDSKInfcCache cache;
        cache.SetContextID("#QV#Jet#1");
        g_script.expandResults = {code};
        HRESULT hr;
        EXPECT_EQ(L"#QV#Jet#1|$FriendlyName$", Expand(cache, &hr)) << std::hex << code;
        EXPECT_EQ(S_OK, hr);
        ASSERT_EQ(2u, g_script.expansions.size());
        EXPECT_EQ(2, g_script.expansions[1].nManager);
        EXPECT_EQ(L"#QV#Jet#1", g_script.expansions[1].ctxID);

        // The retry's manager was not registered: the next call uses the first one.
        Expand(cache, &hr);
        EXPECT_EQ(1, g_script.expansions.back().nManager);
    }
}

TEST_F(CacheTest, ExpansionIsRetriedNoMoreThanOnce)
{
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#1");
    g_script.expandResults = {RPC_E_DISCONNECTED, RPC_E_SERVER_DIED, S_OK};
    HRESULT hr;
    Expand(cache, &hr);
    EXPECT_EQ(RPC_E_SERVER_DIED, hr);
    EXPECT_EQ(2u, g_script.expansions.size());

    g_script.expandResults = {E_FAIL};
    Expand(cache, &hr);
    EXPECT_EQ(E_FAIL, hr);
    EXPECT_EQ(3u, g_script.expansions.size());

    g_script.nCreateLimit = g_script.nCreated;
    g_script.expandResults = {RPC_E_DISCONNECTED};
    Expand(cache, &hr);
    EXPECT_EQ(RPC_E_DISCONNECTED, hr);  // no new manager: the first failure stands
    EXPECT_EQ(4u, g_script.expansions.size());
}

TEST_F(CacheTest, ManagerThatCannotBeCreatedGivesTheCreationCode)
{
    g_script.nCreateLimit = 0;
    CQVDSKInfcCache cache;
    cache.SetContextID("");
    HRESULT hr;
    Expand(cache, &hr);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, hr);
    IContextManager* pManager = reinterpret_cast<IContextManager*>(1);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, cache.GetContextManager(&pManager));
    EXPECT_EQ(nullptr, pManager);

    g_script.nCreateLimit = 1000;
    EXPECT_EQ(L"<null>|$FriendlyName$", Expand(cache, &hr));
}

TEST_F(CacheTest, EmptyContextIDTakesTheRootContext)
{
    g_script.rootName = L"Root";
    CQVDSKInfcCache cache;
    HRESULT hr;
    cache.SetContextID("");
    EXPECT_EQ(L"#Root|$FriendlyName$", Expand(cache, &hr));
    cache.SetContextID(static_cast<const char*>(NULL));
    EXPECT_EQ(L"#Root|$FriendlyName$", Expand(cache, &hr));
    cache.SetContextID(static_cast<BSTR>(NULL));
    EXPECT_EQ(L"#Root|$FriendlyName$", Expand(cache, &hr));

    g_script.rootName = L"";
    cache.SetContextID("");
    EXPECT_EQ(L"<null>|$FriendlyName$", Expand(cache, &hr));

    // A new context replaces the old one.
    CBstr wide(L"#QV#Wide#7");
    cache.SetContextID(static_cast<BSTR>(wide));
    EXPECT_EQ(L"#QV#Wide#7|$FriendlyName$", Expand(cache, &hr));
}

TEST_F(CacheTest, VeryLongContextIDIsKeptWhole)
{
    std::string longID = "#QV#" + std::string(20000, 'P') + "#1";
    CQVDSKInfcCache cache;
    cache.SetContextID(longID.c_str());
    HRESULT hr;
    std::wstring result = Expand(cache, &hr);
    ASSERT_EQ(S_OK, hr);
    EXPECT_EQ(std::wstring(longID.begin(), longID.end()) + L"|$FriendlyName$", result);
}

TEST_F(CacheTest, ReleaseAndDestructionRevokeTheManager)
{
    {
        CQVDSKInfcCache cache;
        cache.SetContextID("#QV#Jet#1");
        HRESULT hr;
        Expand(cache, &hr);
        EXPECT_EQ(1, g_script.nLive);
        cache.ReleaseAll();
        EXPECT_EQ(0, g_script.nLive);
        EXPECT_EQ(L"<null>|$FriendlyName$", Expand(cache, &hr));
        EXPECT_EQ(1, g_script.nLive);
    }
    EXPECT_EQ(0, g_script.nLive);
    EXPECT_EQ(2, g_script.nCreated);

    {
        CQVDSKInfcCache neverConnected;
        neverConnected.SetContextID("#QV#Jet#1");
    }
    EXPECT_EQ(2, g_script.nCreated);
}
} // namespace
