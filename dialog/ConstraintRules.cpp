#include "dialog/ConstraintRules.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "log/RKLog.h"

namespace replika {

namespace {
bool IsOneOf(int n, std::initializer_list<int> values)
{
    for (int v : values)
        if (n == v)
            return true;
    return false;
}

// Plain paper: Best is not offered; a checked Best moves to Normal.
void QualityWithoutBest(CRKCopyState& s, RuleControls& c)
{
    c.best.bEnabled = false;
    c.fast.bEnabled = true;
    c.normal.bEnabled = true;
    if (c.best.bChecked) {
        c.normal.bChecked = true;
        c.best.bChecked = false;
        c.fast.bChecked = false;
        s.nQuality = QUALITY_NORMAL;
    }
}

void QualityBestOnly(CRKCopyState& s, RuleControls& c)
{
    c.best = {true, true};
    c.fast = {false, false};
    c.normal = {false, false};
    s.nQuality = QUALITY_BEST;
}

void NoFitToPageNorBorderless(RuleControls& c)
{
    c.fitToPage = {false, false};
    c.borderless = {false, false};
}

void CheckFitToPage(CRKCopyState& s, RuleControls& c)
{
    c.fitToPage.bChecked = true;
    s.nSpecialFeatureRadio = SFR_FIT_TO_PAGE;
    s.nSpecialFeatureMode = SFM_FIT_TO_PAGE;
}
}  // namespace

void ApplyRuleAD(CRKCopyState& s, RuleControls& c)
{
    if (s.nPaperType == 1)
        QualityWithoutBest(s, c);
    else
        QualityBestOnly(s, c);
}

void ApplyRuleAE(CRKCopyState&, RuleControls& c)
{
    c.bPercentEnabled = c.customSize.bChecked;
    c.bScaleSpinEnabled = c.customSize.bChecked;
}

void ApplyRuleAG(CRKCopyState&, RuleControls& c)
{
    if (c.bDocInADF) {
        g_pLog->LogDetailedTrace("Doc in ADF");
        if (c.actualSize.bEnabled)
            c.actualSize.bChecked = true;
        NoFitToPageNorBorderless(c);
    } else {
        g_pLog->LogDetailedTrace("No Doc in ADF");
        c.fitToPage.bEnabled = true;
        c.borderless.bEnabled = true;
    }
}

bool RuleAIApplies(const CRKCopyState& s) { return IsOneOf(s.nPaperSize, {118, 76, 121}); }

bool RuleAIWantsType3(const CRKCopyState& s) { return IsOneOf(s.nPaperType, {1, 5, 7}); }

void ApplyRuleAIImageSize(CRKCopyState& s, RuleControls& c)
{
    if (s.nSpecialFeatureRadio == 4)
        CheckFitToPage(s, c);
}

bool RuleAJRunsAA(const CRKCopyState& s) { return IsOneOf(s.nPaperSize, {121, 71, 118, 76}); }

void ApplyRuleAK(CRKCopyState& s, RuleControls& c)
{
    c.bAdfOnly = true;
    if (!c.fitToPage.bChecked)
        return;
    const long nShown = strtol(c.szCopies, nullptr, 10);
    if (nShown != 0 && nShown != s.nMinCopies) {
        snprintf(c.szCopies, sizeof c.szCopies, "%d", static_cast<int>(s.nMinCopies));
        s.nNbrCopies = s.nMinCopies;
    }
}

void ApplyRuleAL(CRKCopyState& s, RuleControls& c)
{
    if (!c.bDocInADF)
        return;
    NoFitToPageNorBorderless(c);
    c.bSelectDefaultSize = s.nPaperSize == 12 || s.nPaperSize == 76;
}

void ApplyRuleAM(CRKCopyState& s, RuleControls& c)
{
    if (s.nPaperSize != 71) {
        c.actualSize.bEnabled = true;
        return;
    }
    if (!c.fitToPage.bChecked)
        CheckFitToPage(s, c);
    c.actualSize.bEnabled = false;
}

void ApplyRuleAN(CRKCopyState&, RuleControls& c) { c.bScaleSpinEnabled = false; }

void ApplyRuleAO(CRKCopyState& s, RuleControls& c)
{
    if (!IsOneOf(c.nSelectedTypeID, {3, 10, 11, 12, 13, 14, 16})) {
        c.fast.bEnabled = true;
        return;
    }
    if (c.fast.bChecked) {
        c.fast.bChecked = false;
        c.best.bChecked = true;
        s.nQuality = QUALITY_BEST;
    }
    c.fast.bEnabled = false;
}

void ApplyRuleAP(CRKCopyState& s, RuleControls& c)
{
    if (s.nPaperType == 1) {
        QualityWithoutBest(s, c);
    } else if (s.nPaperType == 15) {
        c.best.bEnabled = true;
        c.fast.bEnabled = true;
        c.normal.bEnabled = true;
    } else {
        QualityBestOnly(s, c);
    }
}

}  // namespace replika
