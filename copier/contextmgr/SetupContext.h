// The context values of a set-up and the expansion of "$Name$" macros with them.
#pragma once

#include "copier/common/CopierSetup.h"

#include <string>

// Copy mode of every set-up: the copy dialog serves it itself.
const long kSetupCopyMode = 1;

// One value of the set-up's context ("FriendlyName", "DefLangAbbrev", ...); false for an unknown key.
bool SetupContextValue(const CopierSetup& setup, const std::string& key, std::string& value);

// Replaces every "$Name$" by the set-up's value; "$$" gives one "$". False, with the
// result left empty, for an unknown name or an unclosed "$".
bool ExpandSetupMacros(const CopierSetup& setup, const std::string& text, std::string& result);

// The user's interface language as a three-letter lower-case abbreviation ("enu", "deu").
std::string UserLanguageAbbrev();
