#include "dialog/SettingsMoves.h"

#include <commctrl.h>

namespace replika {

void StoreImageSize(CRKCopyState& s, int nSpecialFeatureRadio)
{
    static const struct
    {
        int nRadio, nMode, nBorderlessSupport;
    } kImageSizes[] = {
        {SFR_ACTUAL_SIZE, SFM_ACTUAL_OR_CUSTOM, 1},
        {SFR_FIT_TO_PAGE, SFM_FIT_TO_PAGE, 1},
        {SFR_BORDERLESS, SFM_BORDERLESS, 2},
        {SFR_CUSTOM_SIZE, SFM_ACTUAL_OR_CUSTOM, 1},
    };
    for (const auto& size : kImageSizes) {
        if (size.nRadio == nSpecialFeatureRadio) {
            s.nSpecialFeatureRadio = size.nRadio;
            s.nSpecialFeatureMode = size.nMode;
            s.nBorderlessSupport = size.nBorderlessSupport;
            return;
        }
    }
}

int SnappedContrast(int nPos)
{
    const int nRest = nPos % 10;
    if (nRest == 0)
        return nPos;
    return nRest < 5 ? nPos - nRest : nPos - nRest + 10;
}

bool ScrollSetsBrightness(UINT nSBCode) { return nSBCode <= TB_PAGEDOWN || nSBCode == TB_THUMBTRACK; }

}  // namespace replika
