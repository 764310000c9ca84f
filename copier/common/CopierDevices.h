// What a set-up is made of, as the machine sees it now: the printers the spooler
// knows and whether a set-up's source and printer answer.
#pragma once

#include "copier/common/CopierSetup.h"

#include <string>
#include <vector>

// Every printer of the spooler (local and connected), by name.
std::vector<std::string> ListPrinters();
bool PrinterAnswers(const std::string& printer);
bool FolderExists(const std::string& path);
// True when both the source and the printer answer; otherwise why not, in one line.
bool SetupAnswers(const CopierSetup& setup, std::string& reason);
