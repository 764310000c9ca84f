// What the paper lists show, read from the device's capability record: the
// type and size entries in slot order (slots without a name skipped) and the
// paper sources the device has.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "records/CopierFunctional.h"
#include "dialog/MediaItemData.h"

namespace replika {

enum MediaListKind { MEDIA_TYPES, MEDIA_SIZES };

struct MediaEntry
{
    std::string strName;
    MediaItemData data;
};

struct SourceEntry
{
    UINT nStringID;
    int nTraySelection;      // the entry's item data: 1 upper, 2 lower, 3 rear
    const char* pszLogName;  // names the entry in the log
};

std::vector<MediaEntry> MediaEntries(const CopierFunctional& caps, MediaListKind kind);
std::vector<SourceEntry> SourceEntries(const CopierFunctional& caps);

}  // namespace replika
