#include <gtest/gtest.h>

#include "app/CopyApp.h"
#include "child_app.h"

// Runs DetectRightToLeft against the registered stand-in context manager.
TEST(RightToLeft, OnlyHebrewAndArabicInLowerCaseMirror)
{
    const struct
    {
        const char* pszKey;
        const char* pszValue;
        BOOL bExpected;
    } rows[] = {
        {"DefLangAbbrev", "heb", 1}, {"DefLangAbbrev", "ara", 1},  {"DefLangAbbrev", "enu", 0},
        {"DefLangAbbrev", "HEB", 0}, {"DefLangAbbrev", "hebr", 0}, {"FailExpand", "1", 0},
    };
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    {
        SimFolder sim;
        CQVDSKInfcCache cache;
        cache.SetContextID("#QV#Jet#RTL");
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.pszKey) + "=" + row.pszValue);
            sim.WriteIni("contexts.ini", "#QV#Jet#RTL", row.pszKey, row.pszValue);
            g_bRTLLayout = 7;  // the detection must set it either way
            replika::DetectRightToLeft(cache);
            EXPECT_EQ(row.bExpected, g_bRTLLayout);
        }
        cache.ReleaseAll();
    }
    CoUninitialize();
}
