// Pictures that several controls show, decoded once: each request gets its own copy of
// the decoded picture, so the buttons of a dialog that share faces share one decode.
// The set, like every picture, must go before GDI+ is shut down.
#pragma once

#include <vector>

#include "controls/DrawToolkit.h"

class CPictureSet
{
public:
    CPictureSet() = default;
    CPictureSet(const CPictureSet&) = delete;
    CPictureSet& operator=(const CPictureSet&) = delete;

    // A copy of the program's picture (as LoadProgramImage finds it); null when it cannot be loaded.
    GdiPicture Load(UINT nResourceID, int nKind);

private:
    struct Entry
    {
        UINT nResourceID;
        int nKind;
        GdiPicture picture;  // null when the picture could not be loaded
    };
    std::vector<Entry> m_entries;
};
