// InitializeAPI against a fake device copy component that the test process
// registers for the component's class.
#include <gtest/gtest.h>

#include <string>

#include "dialog/CopyUIDlg.h"

using replika::CCopyUIDlg;

namespace
{
struct FakeCopyAPI : ICopyAPI
{
    LONG refs = 1;
    HRESULT hrInitProtocol = S_OK;
    std::wstring protocol, ctxID;
    int initCalls = 0;
    int notifyCalls = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ICopyAPI))
        {
            *ppv = static_cast<ICopyAPI*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved5() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved6() override { return E_NOTIMPL; }
    STDMETHODIMP SubmitCopy(CopyJobParams) override { return S_OK; }
    STDMETHODIMP InitProtocol(BSTR bstrProtocol, BSTR bstrCtxID) override
    {
        ++initCalls;
        protocol = bstrProtocol ? bstrProtocol : L"";
        ctxID = bstrCtxID ? bstrCtxID : L"";
        return hrInitProtocol;
    }
    STDMETHODIMP GetCapabilities(CopierFunctional*) override { return S_OK; }
    STDMETHODIMP Reserved10() override { return E_NOTIMPL; }
    STDMETHODIMP SetNotifyWindow(HWND) override { ++notifyCalls; return E_NOTIMPL; }
    STDMETHODIMP Shutdown() override { return S_OK; }
    STDMETHODIMP StartMonitoring() override { return S_OK; }
    STDMETHODIMP GetDocInADF(LONG* p) override { *p = 0; return S_OK; }
    STDMETHODIMP SetStatusPaused(LONG) override { return S_OK; }
};

struct FakeFactory : IClassFactory
{
    FakeCopyAPI* pObject = nullptr;
    HRESULT hrCreate = S_OK;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
        {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        if (FAILED(hrCreate))
            return hrCreate;
        return pObject->QueryInterface(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class InitializeAPI : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        factory.pObject = &fake;
        ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_CopyAPI, &factory, CLSCTX_INPROC_SERVER,
                                              REGCLS_MULTIPLEUSE, &cookie));
    }
    void TearDown() override
    {
        CoRevokeClassObject(cookie);
        CoUninitialize();
    }

    FakeCopyAPI fake;
    FakeFactory factory;
    DWORD cookie = 0;
};
}

TEST_F(InitializeAPI, BindsTheComponentToTheContext)
{
    {
        CCopyUIDlg dlg(nullptr, "#Maker#Model 100#CN12345", "-CtxID");
        HRESULT hr = dlg.InitializeAPI();
        EXPECT_EQ(S_OK, hr);
        ASSERT_NE(nullptr, dlg.m_pCopyAPI);
        EXPECT_EQ(1, fake.initCalls);
        EXPECT_EQ(L"-CtxID", fake.protocol);
        EXPECT_EQ(L"#Maker#Model 100#CN12345", fake.ctxID);
        EXPECT_EQ(1, fake.notifyCalls);   // its failure is not looked at
        EXPECT_EQ(0, dlg.m_rkGUIError.GetErrorIndex());
        EXPECT_EQ(24, dlg.m_nCtxLength);
        ASSERT_NE(nullptr, g_pszCtx);
        EXPECT_GE(GlobalSize(g_pszCtx), 25u);
        ASSERT_NE(nullptr, g_pnInkLowData);
        EXPECT_GE(GlobalSize(g_pnInkLowData), 12u);
    }
    // The dialog let go of the component and of the event buffers.
    EXPECT_EQ(1, fake.refs);
    EXPECT_EQ(nullptr, g_pszCtx);
    EXPECT_EQ(nullptr, g_pnInkLowData);
}

TEST_F(InitializeAPI, CreationFailureIsReturnedAndMapped)
{
    CCopyUIDlg dlg(nullptr, "#Maker#Model#ID", "-CtxID");
    factory.hrCreate = static_cast<HRESULT>(0x8004F9FD);
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9FD), dlg.InitializeAPI());
    EXPECT_EQ(nullptr, dlg.m_pCopyAPI);
    EXPECT_EQ(2, dlg.m_rkGUIError.GetErrorIndex());
    EXPECT_EQ(0, fake.initCalls);
    EXPECT_EQ(nullptr, g_pszCtx);   // nothing else is allocated

    CCopyUIDlg dlg2(nullptr, "#Maker#Model#ID", "-CtxID");
    factory.hrCreate = E_OUTOFMEMORY;
    EXPECT_EQ(E_OUTOFMEMORY, dlg2.InitializeAPI());
    EXPECT_EQ(13, dlg2.m_rkGUIError.GetErrorIndex());
}

TEST_F(InitializeAPI, InitProtocolFailureKeepsTheComponent)
{
    fake.hrInitProtocol = static_cast<HRESULT>(0x8004F9FE);
    {
        CCopyUIDlg dlg(nullptr, "#Maker#Model#ID", "-CtxID");
        EXPECT_EQ(static_cast<HRESULT>(0x8004F9FE), dlg.InitializeAPI());
        EXPECT_NE(nullptr, dlg.m_pCopyAPI);
        EXPECT_EQ(21, dlg.m_rkGUIError.GetErrorIndex());
        EXPECT_EQ(0, fake.notifyCalls);
    }
    EXPECT_EQ(1, fake.refs);
}
