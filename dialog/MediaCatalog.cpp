#include "dialog/MediaCatalog.h"

#include <cstring>

#include "res/resource.h"

namespace replika {

namespace {
struct MediaArrays
{
    int nSlots;
    const int32_t* pnIDs;
    const char (*pszNames)[COPIER_MEDIA_NAME_LEN];
    const int32_t* pbBorderless;
};

MediaArrays ArraysOf(const CopierFunctional& caps, MediaListKind kind)
{
    if (kind == MEDIA_TYPES)
        return {COPIER_MAX_MEDIA_TYPES, caps.nMediaTypeID, caps.szMediaTypeName, caps.bMediaTypeBorderless};
    return {COPIER_MAX_MEDIA_SIZES, caps.nMediaSizeID, caps.szMediaSizeName, caps.bMediaSizeBorderless};
}
}  // namespace

std::vector<MediaEntry> MediaEntries(const CopierFunctional& caps, MediaListKind kind)
{
    const MediaArrays a = ArraysOf(caps, kind);
    std::vector<MediaEntry> entries;
    for (int slot = 0; slot < a.nSlots; ++slot) {
        // The device need not end a full-length name: never read past its slot.
        const size_t len = strnlen(a.pszNames[slot], COPIER_MEDIA_NAME_LEN);
        if (len == 0)
            continue;
        entries.push_back({std::string(a.pszNames[slot], len), {a.pnIDs[slot], a.pbBorderless[slot]}});
    }
    return entries;
}

std::vector<SourceEntry> SourceEntries(const CopierFunctional& caps)
{
    std::vector<SourceEntry> entries{{IDS_SOURCE_UPPER, 1, "Upper"}};
    if (caps.bLowerInputTrayPresent)
        entries.push_back({IDS_SOURCE_LOWER, 2, "Lower"});
    if (caps.bRearInputTrayPresent)
        entries.push_back({IDS_SOURCE_REAR, 3, "Rear"});
    return entries;
}

}  // namespace replika
