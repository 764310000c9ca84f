#include <gtest/gtest.h>

#include "dialog/RKGUIError.h"

using replika::CRKGUIError;

TEST(GUIError, StatusLow16BitsSelectTheIndex)
{
    const struct
    {
        HRESULT status;
        int index;
    } cases[] = {
        {HRESULT(0x8004F9E6), 26},
        {HRESULT(0x8004F9FC), 21},
        {HRESULT(0x8004F9FE), 21},
        {HRESULT(0x8004F9FF), 21},
        {HRESULT(0x8004F9FD), 2},
        {HRESULT(0x0000F9FD), 2},
        {E_FAIL, 13},
        {REGDB_E_CLASSNOTREG, 13},
        {HRESULT(0x8004F9E5), 13},
        {S_OK, 13},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.index, CRKGUIError::MapStatusToErrorIndex(c.status)) << std::hex << c.status;
}

TEST(GUIError, IndexSelectsItsMessageString)
{
    const UINT expected[26] = {332, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320,
                               306, 321, 322, 323, 324, 325, 326, 327, 328, 329, 330, 331, 305};
    HINSTANCE hRes = GetModuleHandleA(nullptr);
    char text[256];
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(expected[i], CRKGUIError::ErrorIndexToStringId(i)) << "index " << i;
        EXPECT_GT(LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(i), text, sizeof text), 0) << i;
    }
    EXPECT_EQ(328u, CRKGUIError::ErrorIndexToStringId(26));
    EXPECT_EQ(328u, CRKGUIError::ErrorIndexToStringId(1000));

    LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(13), text, sizeof text);
    EXPECT_STREQ("The device is not responding or is disconnected", text);
    LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(2), text, sizeof text);
    EXPECT_STREQ("The device is busy", text);
}
