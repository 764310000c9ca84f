#include <gtest/gtest.h>

#include "dialog/RKGUIError.h"

using replika::CRKGUIError;

TEST(GUIError, StatusLow16BitsSelectTheIndex)
{
    EXPECT_EQ(26, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9E6)));
    EXPECT_EQ(21, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9FC)));
    EXPECT_EQ(21, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9FE)));
    EXPECT_EQ(21, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9FF)));
    EXPECT_EQ(2, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9FD)));
    // Only the low 16 bits matter, whatever the facility.
    EXPECT_EQ(2, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x0000F9FD)));
    EXPECT_EQ(13, CRKGUIError::MapStatusToErrorIndex(E_FAIL));
    EXPECT_EQ(13, CRKGUIError::MapStatusToErrorIndex(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(13, CRKGUIError::MapStatusToErrorIndex(static_cast<HRESULT>(0x8004F9E5)));
    EXPECT_EQ(13, CRKGUIError::MapStatusToErrorIndex(S_OK));
}

TEST(GUIError, IndexSelectsItsMessageString)
{
    const UINT expected[26] = {332, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320,
                               306, 321, 322, 323, 324, 325, 326, 327, 328, 329, 330, 331, 305};
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(expected[i], CRKGUIError::ErrorIndexToStringId(i)) << "index " << i;
    EXPECT_EQ(328u, CRKGUIError::ErrorIndexToStringId(26));
    EXPECT_EQ(328u, CRKGUIError::ErrorIndexToStringId(1000));
}

TEST(GUIError, MessagesExistInTheStringTable)
{
    HINSTANCE hRes = GetModuleHandleA(nullptr);
    char text[256];
    ASSERT_GT(LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(13), text, sizeof text), 0);
    EXPECT_STREQ("The device is not responding or is disconnected", text);
    ASSERT_GT(LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(2), text, sizeof text), 0);
    EXPECT_STREQ("The device is busy", text);
    for (int i = 0; i < 26; ++i)
        EXPECT_GT(LoadStringA(hRes, CRKGUIError::ErrorIndexToStringId(i), text, sizeof text), 0) << i;
}
