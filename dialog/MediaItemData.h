// The item data attached to every entry of the paper size and type lists:
// the device's media ID and whether borderless copies are allowed on it.
#pragma once

#include <cstdint>

struct MediaItemData
{
    int32_t nMediaID;
    int32_t bBorderless;  // non-zero: borderless copies allowed
};

static_assert(sizeof(MediaItemData) == 8, "MediaItemData is two 32-bit values");
