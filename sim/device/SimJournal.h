// Job journal: every accepted copy job, decoded, appended to
// "journal-<deviceID>.txt" beside the profiles.
#pragma once

#include <cstddef>

#include "records/CopyJobParams.h"

// One block per job: "[Job]", Time=, Context=, then one name=value line per
// field of the job record (bEnableXDL as 21 comma-separated values), then a
// blank line. Returns false when the block could not be written.
bool SimJournalAppend(const char* deviceID, const char* ctxID, const CopyJobParams& job);

// The block as text, without the file. Returns the length written.
size_t SimJournalFormat(const char* ctxID, const CopyJobParams& job, char* text, size_t cap);
