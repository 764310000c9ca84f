#include <gtest/gtest.h>

#include "dialog/RKGUIError.h"

using replika::CRKGUIError;

TEST(GUIError, StatusLow16BitsSelectTheIndex)
{
    for (HRESULT hr : {HRESULT(0x8004F9E6), HRESULT(0x8004F9FC), HRESULT(0x8004F9FD)}) {
        EXPECT_NE(replika::ERRIDX_NOT_RESPONDING, CRKGUIError::MapStatusToErrorIndex(hr)) << std::hex << hr;
        EXPECT_EQ(CRKGUIError::MapStatusToErrorIndex(hr), CRKGUIError::MapStatusToErrorIndex(hr & 0xFFFF));
    }
    for (HRESULT hr : {E_FAIL, REGDB_E_CLASSNOTREG, S_OK})
        EXPECT_EQ(replika::ERRIDX_NOT_RESPONDING, CRKGUIError::MapStatusToErrorIndex(hr)) << std::hex << hr;
}

TEST(GUIError, EveryIndexHasAMessage)
{
    char text[256];
    for (int i = -1; i <= 30; ++i)
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), CRKGUIError::ErrorIndexToStringId(i), text, sizeof text), 0)
            << "index " << i;
}
