#include <gtest/gtest.h>

#include <vector>

#include "app/CmdLine.h"
#include "app/Handover.h"

using namespace replika;

TEST(CmdLine, ParseParamTakesTheValueRightAfterCtxIDOrN)
{
    const struct
    {
        std::vector<const char*> args;
        const char* pszCtxID;
        const char* pszProtocol;
    } rows[] = {
        {{"-CtxID", "#QV#Jet#1"}, "#QV#Jet#1", "CtxID"},
        {{"/n", "#QV#Scan#2"}, "#QV#Scan#2", "n"},
        {{"-ctxid", "#a#b#c"}, "#a#b#c", "ctxid"},  // any case, spelling kept
        {{"-N", "#x"}, "#x", "N"},
        {{"stray", "-CtxID", "#first", "#second"}, "#first", "CtxID"},
        {{"-CtxID", "#old", "-n", "#new"}, "#new", "n"},
        {{"-CtxID", "-verbose", "#ctx"}, "#ctx", "CtxID"},  // other flags change nothing
        {{"-x", "#ignored"}, "", ""},
        {{"-CtxID"}, "", "CtxID"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0] + std::string(" ") + (row.args.size() > 1 ? row.args[1] : ""));
        CCmdLine cmd;
        // As the framework's parser hands them over: "-x" and "/x" come as flag "x".
        for (size_t i = 0; i < row.args.size(); ++i) {
            const char* arg = row.args[i];
            bool bFlag = arg[0] == '-' || arg[0] == '/';
            cmd.ParseParam(bFlag ? arg + 1 : arg, bFlag, i + 1 == row.args.size());
        }
        EXPECT_STREQ(row.pszCtxID, cmd.GetCtxID());
        EXPECT_STREQ(row.pszProtocol, cmd.GetProtocol());
    }
}

TEST(Handover, ScannerCopyCommandLineSplitsAtTheFirstDashN)
{
    const struct
    {
        const char* pszRaw;
        const char* pszExpected;  // NULL: no hand-over
    } rows[] = {
        {"C:\\QV\\QVKCopy2.exe /A-nB -n #A#B#C", "c:\\qv\\qvfcCopy.exe /a-nB -n #A#B#C"},
        {"C:\\my-nice\\QVKCopy2.exe -n #A#B#C", NULL},
        {"C:\\x\\tool.exe -n qvkcopy2.exe", NULL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszRaw);
        CString cstrOut = "unchanged";
        EXPECT_EQ(row.pszExpected != NULL, BuildScannerCopyCmdLine(row.pszRaw, cstrOut) != FALSE);
        EXPECT_STREQ(row.pszExpected ? row.pszExpected : "unchanged", cstrOut);
    }
}
