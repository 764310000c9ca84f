// The records and the interface cross a binary boundary to the device
// component. Checked here apart from the header's own assertions, so an edit
// of a record together with its assertions still shows.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeCopyAPI.h"
#include "dialog/RKCopyState.h"

#define EXPECT_OFFSET(type, field, offset) EXPECT_EQ(size_t(offset), offsetof(type, field)) << #field

TEST(RecordLayout, SizesAndOffsetsMatchTheComponent)
{
    EXPECT_EQ(21064u, sizeof(CopierFunctional));
    EXPECT_OFFSET(CopierFunctional, szMediaTypeName, 80);
    EXPECT_OFFSET(CopierFunctional, nMediaSizeID, 5360);
    EXPECT_OFFSET(CopierFunctional, byDeviceArea, 18760);
    EXPECT_OFFSET(CopierFunctional, nScaleRangeHigh, 20872);
    EXPECT_OFFSET(CopierFunctional, nBrightness, 20888);
    EXPECT_OFFSET(CopierFunctional, nConstraintMask, 20940);
    EXPECT_OFFSET(CopierFunctional, nPaperSize, 20948);
    EXPECT_OFFSET(CopierFunctional, bSettingSupported, 20980);
    EXPECT_EQ(160u, sizeof(CopyJobParams));
    EXPECT_OFFSET(CopyJobParams, nNbrCopies, 16);
    EXPECT_OFFSET(CopyJobParams, nBrightness, 52);
    EXPECT_OFFSET(CopyJobParams, nBorderlessSupport, 72);
    EXPECT_OFFSET(CopyJobParams, bEnableXDL, 76);
}

TEST(ICopyAPILayout, MethodsSitAtTheirVtablePositions)
{
    using NoArg = HRESULT(STDMETHODCALLTYPE*)(void*);
    using PtrArg = HRESULT(STDMETHODCALLTYPE*)(void*, void*);
    using TwoPtrArg = HRESULT(STDMETHODCALLTYPE*)(void*, void*, void*);
    using JobArg = HRESULT(STDMETHODCALLTYPE*)(void*, CopyJobParams);
    FakeCopyAPI fake;
    void* obj = static_cast<ICopyAPI*>(&fake);
    void** vtbl = *static_cast<void***>(obj);

    for (int slot : {3, 4, 5, 6, 10, 12, 13}) {
        reinterpret_cast<NoArg>(vtbl[slot])(obj);
        EXPECT_EQ(slot, fake.lastSlot);
    }
    LONG flag = 0;
    for (int slot : {9, 11, 14, 15}) {
        reinterpret_cast<PtrArg>(vtbl[slot])(obj, &flag);
        EXPECT_EQ(slot, fake.lastSlot);
    }
    EXPECT_EQ(1, flag);  // GetDocInADF answered through its pointer
    reinterpret_cast<TwoPtrArg>(vtbl[8])(obj, nullptr, nullptr);
    EXPECT_EQ(8, fake.lastSlot);

    // The job travels by value, all 40 words intact.
    CopyJobParams job;
    int32_t* words = reinterpret_cast<int32_t*>(&job);
    for (int i = 0; i < 40; ++i)
        words[i] = 1000 + i;
    reinterpret_cast<JobArg>(vtbl[7])(obj, job);
    EXPECT_EQ(7, fake.lastSlot);
    EXPECT_EQ(0, memcmp(&job, &fake.lastJob, sizeof job));
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

TEST(CopyStateRecord, CopiesPointAtTheirOwnFlags)
{
    CRKCopyState s;
    EXPECT_EQ(s.bEnableXDL, s.pbEnableXDL);
    EXPECT_STREQ("", s.strModality);
    s.nBrightness = 70;
    s.bEnableXDL[3] = 1;
    CRKCopyState copy(s), assigned;
    assigned = s;
    for (const CRKCopyState* c : {&copy, &assigned}) {
        EXPECT_EQ(c->bEnableXDL, c->pbEnableXDL);
        EXPECT_EQ(70, c->nBrightness);
        EXPECT_EQ(1, c->pbEnableXDL[3]);
    }
}

TEST(CopyStateRecord, DateTextHasNoLeadingZerosNorBlankAfterComma)
{
    const struct
    {
        SYSTEMTIME st;
        const char* text;
    } cases[] = {
        {{2028, 1, 0, 2, 9, 5, 7, 0}, "Sunday,January 2, 2028 9:5:7"},
        {{2027, 12, 5, 31, 23, 5, 9, 0}, "Friday,December 31, 2027 23:5:9"},
    };
    char text[STATE_TEXT_LEN];
    for (const auto& c : cases) {
        FormatStateDateTime(c.st, text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
    char tiny[8];
    FormatStateDateTime(cases[1].st, tiny, sizeof tiny);
    EXPECT_STREQ("Friday,", tiny);
}
