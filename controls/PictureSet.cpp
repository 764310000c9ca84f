#include "controls/PictureSet.h"

GdiPicture CPictureSet::Load(UINT nResourceID, int nKind)
{
    Entry* pEntry = nullptr;
    for (Entry& entry : m_entries)
        if (entry.nResourceID == nResourceID && entry.nKind == nKind)
            pEntry = &entry;
    if (pEntry == nullptr) {
        m_entries.push_back(Entry{nResourceID, nKind, LoadProgramImage(nResourceID, nKind)});
        pEntry = &m_entries.back();
    }
    Gdiplus::Bitmap* pOriginal = pEntry->picture.get();
    if (pOriginal == nullptr)
        return nullptr;
    GdiPicture copy(pOriginal->Clone(0, 0, (INT)pOriginal->GetWidth(), (INT)pOriginal->GetHeight(),
                                     pOriginal->GetPixelFormat()));
    if (copy && copy->GetLastStatus() != Gdiplus::Ok)
        copy.reset();
    return copy;
}
