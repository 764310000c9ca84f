#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, StringLoads) { char b[64]; ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 1114, b, 64), 0); EXPECT_STREQ("QV Copy:", b); }
