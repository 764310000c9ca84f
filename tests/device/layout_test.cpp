// The interface crosses a binary boundary to the device component: a method moved
// in the header still compiles but calls the wrong slot of the real component.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeCopyAPI.h"
#include "records/RKCopyState.h"

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

TEST(CopyStateRecord, CopiesPointAtTheirOwnFlags)
{
    CRKCopyState s;
    EXPECT_EQ(s.bEnableXDL, s.pbEnableXDL);
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
    const SYSTEMTIME sunday = {2028, 1, 0, 2, 9, 5, 7, 0}, friday = {2027, 12, 5, 31, 23, 5, 9, 0};
    char text[STATE_TEXT_LEN], tiny[8];
    FormatStateDateTime(sunday, text, sizeof text);
    EXPECT_STREQ("Sunday,January 2, 2028 9:5:7", text);
    FormatStateDateTime(friday, text, sizeof text);
    EXPECT_STREQ("Friday,December 31, 2027 23:5:9", text);
    FormatStateDateTime(friday, tiny, sizeof tiny);
    EXPECT_STREQ("Friday,", tiny);
}
