#include "dialog/CopyJob.h"

#include <cstring>

namespace replika {

CopyJobParams MakeCopyJob(const CRKCopyState& s)
{
    CopyJobParams job;
    memset(&job, 0, sizeof job);
    job.nTraySelection = s.nTraySelection;
    job.bPrintDuplexerPresent = s.bPrintDuplexerPresent;
    job.bTwoSidedOutChecked = s.bTwoSidedOutChecked;
    job.nSpecialFeatureMode = s.nSpecialFeatureMode;
    job.nNbrCopies = s.nNbrCopies;
    job.bEnhanceLightClr = s.bEnhanceLightClr;
    job.bTextMode = s.bTextMode;
    job.bColorCopyRequested = s.bColorCopyRequested;
    job.nQuality = s.nQuality;
    job.nReduceEnlarge = s.nReduceEnlarge;
    job.nPaperType = s.nPaperType;
    job.nPaperSize = s.nPaperSize;
    job.nPhotoSize = s.nPhotoSize;
    job.nBrightness = s.nBrightness;
    job.nPosterWidth = s.nPosterWidth;
    job.nCCHowMany = s.nCCHowMany;
    job.bMultipleCopiesPerPage = s.bMultipleCopiesPerPage;
    job.nBorderlessSupport = s.nBorderlessSupport;
    memcpy(job.bEnableXDL, s.pbEnableXDL, sizeof job.bEnableXDL);
    return job;
}

}  // namespace replika
