#include <gtest/gtest.h>

#include <initializer_list>

#include "app/CmdLine.h"

using replika::CCmdLine;

namespace {

// Feeds arguments the way the framework's parser does: "-x" and "/x" come as flag "x".
void Parse(CCmdLine& cmd, std::initializer_list<const char*> args)
{
    size_t i = 0;
    for (const char* arg : args) {
        bool bFlag = arg[0] == '-' || arg[0] == '/';
        cmd.ParseParam(bFlag ? arg + 1 : arg, bFlag, ++i == args.size());
    }
}

struct Parsed {
    CString ctx, protocol;
};

Parsed ParseArgs(std::initializer_list<const char*> args)
{
    CCmdLine cmd;
    Parse(cmd, args);
    return {cmd.GetCtxID(), cmd.GetProtocol()};
}

} // namespace

TEST(CmdLine, BothFlagsCarryTheContextIDAndNameTheProtocol)
{
    Parsed p = ParseArgs({"-CtxID", "#QV#Jet#1"});
    EXPECT_STREQ("#QV#Jet#1", p.ctx);
    EXPECT_STREQ("CtxID", p.protocol);

    p = ParseArgs({"/n", "#QV#Scan#2"});
    EXPECT_STREQ("#QV#Scan#2", p.ctx);
    EXPECT_STREQ("n", p.protocol);
}

TEST(CmdLine, FlagsMatchInAnyCaseAndKeepTheirSpelling)
{
    Parsed p = ParseArgs({"-ctxid", "#a#b#c"});
    EXPECT_STREQ("#a#b#c", p.ctx);
    EXPECT_STREQ("ctxid", p.protocol);

    p = ParseArgs({"-N", "#x"});
    EXPECT_STREQ("#x", p.ctx);
    EXPECT_STREQ("N", p.protocol);
}

TEST(CmdLine, OnlyTheValueRightAfterTheFlagCounts)
{
    Parsed p = ParseArgs({"stray", "-CtxID", "#first", "#second"});
    EXPECT_STREQ("#first", p.ctx);

    p = ParseArgs({"-CtxID", "#old", "-n", "#new"});
    EXPECT_STREQ("#new", p.ctx);
    EXPECT_STREQ("n", p.protocol);
}

TEST(CmdLine, OtherFlagsNeitherTakeValuesNorResetTheState)
{
    Parsed p = ParseArgs({"-CtxID", "-verbose", "#ctx"});
    EXPECT_STREQ("#ctx", p.ctx);
    EXPECT_STREQ("CtxID", p.protocol);

    p = ParseArgs({"-x", "#ignored"});
    EXPECT_STREQ("", p.ctx);
    EXPECT_STREQ("", p.protocol);
}

TEST(CmdLine, FlagAsLastArgumentLeavesTheContextIDEmpty)
{
    Parsed p = ParseArgs({"-CtxID"});
    EXPECT_STREQ("", p.ctx);
    EXPECT_STREQ("CtxID", p.protocol);
}
