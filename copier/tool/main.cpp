// qvcopier.exe: the command line of the copier's set-ups.
#include "copier/tool/ToolCommands.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {
struct ToolCommand
{
    const char* pszName;
    int (*pfnRun)(const ToolArgs& args);
};

const ToolCommand kCommands[] = {
    {"list-devices", &CmdListDevices},
    {"add", &CmdAdd},
    {"remove", &CmdRemove},
    {"list", &CmdList},
    {"use", &CmdUse},
};

const char kUsage[] =
    "usage: qvcopier list-devices | list | add <name> --source <folder>|wia:<scanner ID> --printer <printer> | remove <name> | "
    "use [copier|simulated]";
}  // namespace

int ToolFail(int code, const char* pszFormat, ...)
{
    char szLine[1024];
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(szLine, sizeof(szLine), pszFormat, args);
    va_end(args);
    fprintf(stderr, "qvcopier: %s\n", szLine);
    fflush(stderr);
    return code;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return ToolFail(kExitBadInput, "%s", kUsage);
    for (const ToolCommand& command : kCommands)
        if (strcmp(argv[1], command.pszName) == 0) {
            int code = command.pfnRun(ToolArgs(argv + 2, argv + argc));
            fflush(stdout);
            return code;
        }
    return ToolFail(kExitBadInput, "unknown command \"%s\"; %s", argv[1], kUsage);
}
