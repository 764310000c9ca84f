// The item data attached to every entry of the paper size and type lists:
// the device's media ID and whether borderless copies are allowed on it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/afxwin.h"

struct MediaItemData
{
    int32_t nMediaID;
    int32_t bBorderless;  // non-zero: borderless copies allowed
};

static_assert(offsetof(MediaItemData, nMediaID) == 0, "media ID first");
static_assert(offsetof(MediaItemData, bBorderless) == 4, "borderless flag second");
static_assert(sizeof(MediaItemData) == 8, "MediaItemData is two 32-bit values");

// The data of a list entry; null for no entry or an entry without data.
inline const MediaItemData* MediaItemAt(const CComboBox& cob, int nIndex)
{
    if (nIndex < 0)
        return nullptr;
    DWORD_PTR data = cob.GetItemData(nIndex);
    return data == 0 || data == static_cast<DWORD_PTR>(CB_ERR) ? nullptr : reinterpret_cast<const MediaItemData*>(data);
}

// The selection of a paper list into the settings' index and media ID (each only when
// there is one); returns the entry's borderless flag (false without a selection).
inline bool ReadBackSelection(const CComboBox& cob, int32_t& nIndex, int32_t& nMediaID)
{
    int nSel = cob.GetCurSel();
    if (nSel < 0)
        return false;
    nIndex = nSel;
    const MediaItemData* pData = MediaItemAt(cob, nSel);
    if (pData == nullptr)
        return false;
    nMediaID = pData->nMediaID;
    return pData->bBorderless != 0;
}
