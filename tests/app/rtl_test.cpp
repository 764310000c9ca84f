#include <gtest/gtest.h>

#include "app/CopyApp.h"
#include "child_app.h"

namespace {

// Runs DetectRightToLeft against the registered stand-in context manager.
class RightToLeft : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL))); }
    void TearDown() override
    {
        m_cache.ReleaseAll();
        CoUninitialize();
    }
    BOOL Detect(const char* pszKey, const char* pszValue)
    {
        m_sim.WriteIni("contexts.ini", "#QV#Jet#RTL", pszKey, pszValue);
        m_cache.SetContextID("#QV#Jet#RTL");
        g_bRTLLayout = 7;   // anything: the detection must set it either way
        replika::DetectRightToLeft(m_cache);
        return g_bRTLLayout;
    }

    SimFolder m_sim;
    CQVDSKInfcCache m_cache;
};

} // namespace

TEST_F(RightToLeft, HebrewAndArabicMirror)
{
    EXPECT_EQ(1, Detect("DefLangAbbrev", "heb"));
    EXPECT_EQ(1, Detect("DefLangAbbrev", "ara"));
}

TEST_F(RightToLeft, OtherLanguagesAndOtherCaseDoNot)
{
    EXPECT_EQ(0, Detect("DefLangAbbrev", "enu"));
    EXPECT_EQ(0, Detect("DefLangAbbrev", "HEB"));
    EXPECT_EQ(0, Detect("DefLangAbbrev", "hebr"));
}

TEST_F(RightToLeft, FailedExpansionMeansLeftToRight)
{
    Detect("DefLangAbbrev", "heb");
    EXPECT_EQ(0, Detect("FailExpand", "1"));
}
