// The commands of qvcopier.exe. Each prints its own output and returns the exit code.
#pragma once

#include "copier/common/CopierSetup.h"

#include <string>
#include <vector>

enum ToolExit
{
    kExitOk = 0,
    kExitFailed = 1,     // the machine would not do it (a file or key that cannot be written)
    kExitBadInput = 2,   // what was asked is wrong; nothing changed
};

// Writes one line to the error output and returns the code.
int ToolFail(int code, const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

using ToolArgs = std::vector<std::string>;   // the arguments after the command's name

int CmdListDevices(const ToolArgs& args);
int CmdAdd(const ToolArgs& args);
int CmdRemove(const ToolArgs& args);
int CmdList(const ToolArgs& args);
int CmdUse(const ToolArgs& args);

// A new set-up checked against the others and the machine's printers: its source
// becomes a full path and its printer the spooler's spelling. False, with what is
// wrong in one line, for bad input.
bool CheckNewSetup(CopierSetup& setup, const std::vector<CopierSetup>& others, const std::vector<std::string>& printers,
                   std::string& error);
