// How the control handlers turn a control's new state into settings.
#pragma once

#include <windows.h>

#include "records/RKCopyState.h"

namespace replika {

// The three image-size fields for a choice (nSpecialFeatureRadio value).
void StoreImageSize(CRKCopyState& s, int nSpecialFeatureRadio);
// The contrast slider's position after a drag: the nearest multiple of 10, a half going up.
int SnappedContrast(int nPos);
// Whether a scroll notification of the contrast slider moves nBrightness.
bool ScrollSetsBrightness(UINT nSBCode);

}  // namespace replika
