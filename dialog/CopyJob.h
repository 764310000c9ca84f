// The copy job built from the settings.
#pragma once

#include "records/CopyJobParams.h"
#include "records/RKCopyState.h"

namespace replika {

// A zeroed job filled from the settings; the caller has stored the copies to make in nNbrCopies.
CopyJobParams MakeCopyJob(const CRKCopyState& s);

}  // namespace replika
