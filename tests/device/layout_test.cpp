// The records cross a binary boundary to the device component; their layout
// is also checked at compile time, here it is checked from the outside.
#include <gtest/gtest.h>

#include <cstring>

#include "device/ICopyAPI.h"
#include "dialog/RKCopyState.h"

namespace
{
// Records the vtable slot each call arrived at, so a shift of one slot shows.
struct SlotProbe : ICopyAPI
{
    int lastSlot = -1;
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = this; lastSlot = 0; return S_OK; }
    STDMETHODIMP_(ULONG) AddRef() override { lastSlot = 1; return 2; }
    STDMETHODIMP_(ULONG) Release() override { lastSlot = 2; return 1; }
    STDMETHODIMP Reserved3() override { lastSlot = 3; return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { lastSlot = 4; return E_NOTIMPL; }
    STDMETHODIMP Reserved5() override { lastSlot = 5; return E_NOTIMPL; }
    STDMETHODIMP Reserved6() override { lastSlot = 6; return E_NOTIMPL; }
    STDMETHODIMP SubmitCopy(CopyJobParams job) override { lastSlot = 7; lastJob = job; return S_OK; }
    STDMETHODIMP InitProtocol(BSTR, BSTR) override { lastSlot = 8; return S_OK; }
    STDMETHODIMP GetCapabilities(CopierFunctional*) override { lastSlot = 9; return S_OK; }
    STDMETHODIMP Reserved10() override { lastSlot = 10; return E_NOTIMPL; }
    STDMETHODIMP SetNotifyWindow(HWND) override { lastSlot = 11; return S_OK; }
    STDMETHODIMP Shutdown() override { lastSlot = 12; return S_OK; }
    STDMETHODIMP StartMonitoring() override { lastSlot = 13; return S_OK; }
    STDMETHODIMP GetDocInADF(LONG* p) override { lastSlot = 14; *p = 1; return S_OK; }
    STDMETHODIMP SetStatusPaused(LONG) override { lastSlot = 15; return S_OK; }
    CopyJobParams lastJob{};
};

using NoArg = HRESULT(STDMETHODCALLTYPE*)(void*);
using PtrArg = HRESULT(STDMETHODCALLTYPE*)(void*, void*);
using TwoPtrArg = HRESULT(STDMETHODCALLTYPE*)(void*, void*, void*);
using JobArg = HRESULT(STDMETHODCALLTYPE*)(void*, CopyJobParams);

void* Slot(void* obj, int n) { return (*static_cast<void***>(obj))[n]; }
}

TEST(ICopyAPILayout, MethodsSitAtTheirVtablePositions)
{
    SlotProbe probe;
    void* obj = static_cast<ICopyAPI*>(&probe);
    LONG flag = 0;
    CopierFunctional* caps = nullptr;

    reinterpret_cast<TwoPtrArg>(Slot(obj, 8))(obj, nullptr, nullptr);
    EXPECT_EQ(8, probe.lastSlot);
    reinterpret_cast<PtrArg>(Slot(obj, 9))(obj, caps);
    EXPECT_EQ(9, probe.lastSlot);
    reinterpret_cast<PtrArg>(Slot(obj, 11))(obj, nullptr);
    EXPECT_EQ(11, probe.lastSlot);
    reinterpret_cast<NoArg>(Slot(obj, 12))(obj);
    EXPECT_EQ(12, probe.lastSlot);
    reinterpret_cast<NoArg>(Slot(obj, 13))(obj);
    EXPECT_EQ(13, probe.lastSlot);
    reinterpret_cast<PtrArg>(Slot(obj, 14))(obj, &flag);
    EXPECT_EQ(14, probe.lastSlot);
    EXPECT_EQ(1, flag);
    reinterpret_cast<PtrArg>(Slot(obj, 15))(obj, nullptr);
    EXPECT_EQ(15, probe.lastSlot);
    for (int reserved : {3, 4, 5, 6, 10})
    {
        EXPECT_EQ(E_NOTIMPL, reinterpret_cast<NoArg>(Slot(obj, reserved))(obj));
        EXPECT_EQ(reserved, probe.lastSlot);
    }
}

TEST(ICopyAPILayout, JobTravelsByValueIntact)
{
    SlotProbe probe;
    void* obj = static_cast<ICopyAPI*>(&probe);
    CopyJobParams job;
    int32_t* words = reinterpret_cast<int32_t*>(&job);
    for (int i = 0; i < 40; ++i)
        words[i] = 1000 + i;
    reinterpret_cast<JobArg>(Slot(obj, 7))(obj, job);
    EXPECT_EQ(7, probe.lastSlot);
    EXPECT_EQ(0, memcmp(&job, &probe.lastJob, sizeof job));
    EXPECT_EQ(1000 + 19, probe.lastJob.bEnableXDL[0]);
    EXPECT_EQ(1000 + 39, probe.lastJob.bEnableXDL[20]);
}

TEST(ICopyAPILayout, IdentifiersMatchTheComponent)
{
    EXPECT_TRUE(IsEqualGUID(IID_ICopyAPI, __uuidof(ICopyAPI)));
    wchar_t text[40];
    StringFromGUID2(CLSID_CopyAPI, text, 40);
    EXPECT_STREQ(L"{E6A3C8F2-5D19-4A7B-9E04-B1C73F2D8A56}", text);
    StringFromGUID2(IID_ICopyAPI, text, 40);
    EXPECT_STREQ(L"{8C1B7E4D-3F62-4D90-A5E8-7D2A9B0C6F13}", text);
}

TEST(CopyStateRecord, ConstructorClearsFieldsAndPointsAtOwnFlags)
{
    CRKCopyState s;
    EXPECT_EQ(s.bEnableXDL, s.pbEnableXDL);
    EXPECT_EQ(0, s.nBorderlessSupport);
    EXPECT_EQ(0, s.pStartLoc.x);
    EXPECT_STREQ("", s.strModality);

    s.nBrightness = 70;
    s.bEnableXDL[3] = 1;
    CRKCopyState copy(s);
    CRKCopyState assigned;
    assigned = s;
    for (const CRKCopyState* c : {&copy, &assigned})
    {
        EXPECT_EQ(c->bEnableXDL, c->pbEnableXDL);
        EXPECT_EQ(70, c->nBrightness);
        EXPECT_EQ(1, c->pbEnableXDL[3]);
    }
}

TEST(CopyStateRecord, DateTextHasNoLeadingZerosNorBlankAfterComma)
{
    char text[STATE_TEXT_LEN];
    SYSTEMTIME st{};
    st.wYear = 2028; st.wMonth = 1; st.wDay = 2; st.wDayOfWeek = 0;
    st.wHour = 9; st.wMinute = 5; st.wSecond = 7;
    FormatStateDateTime(st, text, sizeof text);
    EXPECT_STREQ("Sunday,January 2, 2028 9:5:7", text);

    st.wYear = 2027; st.wMonth = 12; st.wDay = 31; st.wDayOfWeek = 5;
    st.wHour = 23; st.wMinute = 5; st.wSecond = 9;
    FormatStateDateTime(st, text, sizeof text);
    EXPECT_STREQ("Friday,December 31, 2027 23:5:9", text);

    char tiny[8];
    FormatStateDateTime(st, tiny, sizeof tiny);
    EXPECT_STREQ("Friday,", tiny);
}
