// InitializeAPI against a fake device copy component that the test process
// registers for the component's class.
#include <gtest/gtest.h>

#include "FakeCopyAPI.h"
#include "common/testlib.h"
#include "dialog/CopyUIDlg.h"
#include "tests/device/DialogAccess.h"

using replika::CCopyUIDlg;

namespace {
struct FakeFactory : IClassFactory
{
    explicit FakeFactory(FakeCopyAPI* pFake) : pObject(pFake) {}
    FakeCopyAPI* pObject;
    HRESULT hrCreate = S_OK;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory);
        *ppv = known ? static_cast<IClassFactory*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        return FAILED(hrCreate) ? hrCreate : pObject->QueryInterface(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class InitializeAPI : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.Ok());
        ASSERT_TRUE(registration.Ok());
    }

    qvtest::ComApartment com;
    FakeCopyAPI fake;
    FakeFactory factory{&fake};
    qvtest::ClassObjectScope registration{CLSID_CopyAPI, &factory};
};
}  // namespace

TEST_F(InitializeAPI, BindsTheComponentToTheContext)
{
    {
        CCopyUIDlg dlg(nullptr, "#Maker#Model 100#CN12345", "-CtxID");
        EXPECT_EQ(S_OK, Dlg(dlg).InitializeAPI());
        ASSERT_NE(nullptr, Dlg(dlg).m_pCopyAPI.Get());
        EXPECT_EQ(1, fake.initCalls);
        EXPECT_EQ(L"-CtxID", fake.protocol);
        EXPECT_EQ(L"#Maker#Model 100#CN12345", fake.ctxID);
        EXPECT_EQ(1, fake.notifyCalls);
        EXPECT_EQ(0, Dlg(dlg).m_rkGUIError.GetErrorIndex());
        EXPECT_EQ(24, Dlg(dlg).m_nCtxLength);
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

TEST_F(InitializeAPI, FailuresAreReturnedAndMapped)
{
    const struct
    {
        HRESULT hrCreate, hrInit;
        bool bKept;
        int nErrorIndex;
    } cases[] = {
        {HRESULT(0x8004F9FD), S_OK, false, replika::ERRIDX_DEVICE_BUSY},
        {S_OK, HRESULT(0x8004F9FE), true, replika::ERRIDX_GENERAL},
    };
    for (const auto& c : cases) {
        factory.hrCreate = c.hrCreate;
        fake.hrInitProtocol = c.hrInit;
        {
            CCopyUIDlg dlg(nullptr, "#Maker#Model#ID", "-CtxID");
            EXPECT_EQ(FAILED(c.hrCreate) ? c.hrCreate : c.hrInit, Dlg(dlg).InitializeAPI());
            EXPECT_EQ(c.bKept, Dlg(dlg).m_pCopyAPI.Get() != nullptr);
            EXPECT_EQ(c.nErrorIndex, Dlg(dlg).m_rkGUIError.GetErrorIndex());
            EXPECT_EQ(0, fake.notifyCalls);
            EXPECT_EQ(c.bKept, g_pszCtx != nullptr);  // nothing is allocated before the component exists
        }
        EXPECT_EQ(1, fake.refs);
    }
}

TEST(GUIError, EveryIndexHasAMessage)
{
    char text[256];
    for (int i = -1; i <= 30; ++i)
        EXPECT_GT(
            LoadStringA(GetModuleHandleA(nullptr), replika::CRKGUIError::ErrorIndexToStringId(i), text, sizeof text), 0)
            << "index " << i;
}
