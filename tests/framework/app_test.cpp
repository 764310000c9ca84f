#include "testsupport.h"

CTestApp theApp;

// Quotes and backslashes are read the way the C runtime reads them.
TEST(AppTest, CommandLineSplitsLikeTheRuntime)
{
    struct CArgs : CCommandLineInfo
    {
        std::string got;
        void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
        {
            got += std::string(bFlag ? "flag:" : "") + pszParam + (bLast ? "." : "|");
        }
    };
    const char* const cases[][2] = {
        {"  -n  /CtxID:7 file", "flag:n|flag:CtxID:7|file."},
        {"\"a b\" c\\d", "a b|c\\d."},
        {"\\\\\"x y\"  \\\"q", "\\x y|\"q."},
        {"\"say \"\"hi\"\"\"", "say \"hi\"."},
    };
    LPSTR pszSaved = theApp.m_lpCmdLine;
    for (const auto& c : cases) {
        std::string line = c[0];
        theApp.m_lpCmdLine = &line[0];
        CArgs args;
        theApp.ParseCommandLine(args);
        EXPECT_EQ(c[1], args.got) << c[0];
    }
    theApp.m_lpCmdLine = pszSaved;
}
