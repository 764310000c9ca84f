// The logic of the sixteen constraint rules over the settings and a plain
// picture of the controls they touch. The dialog reads its controls into a
// RuleControls, runs a rule and writes back what changed.
#pragma once

#include "records/RKCopyState.h"

namespace replika {

struct RuleButton
{
    bool bChecked;
    bool bEnabled;
};

enum { RULE_NO_TYPE = -1, RULE_COPIES_TEXT_LEN = 10 };

struct RuleControls
{
    RuleButton best, normal, fast;
    RuleButton actualSize, fitToPage, borderless, customSize;
    bool bPercentEnabled;                 // the "Percent" label and the percentage edit
    bool bScaleSpinEnabled;               // the percentage spin
    char szCopies[RULE_COPIES_TEXT_LEN];  // the copies edit, at most 9 characters
    int nSelectedTypeID;                  // media ID of the Type list's selection, or RULE_NO_TYPE
    bool bDocInADF;                       // asked from the device only for the rules that need it
    bool bAdfOnly;                        // the device copies only from its feeder
    bool bSelectDefaultSize;              // the rule asks for the device's default paper size
};

using RuleLogic = void (*)(CRKCopyState& s, RuleControls& c);

void ApplyRuleAD(CRKCopyState& s, RuleControls& c);  // quality by paper type
void ApplyRuleAE(CRKCopyState& s, RuleControls& c);  // percentage controls follow Custom Size
void ApplyRuleAG(CRKCopyState& s, RuleControls& c);  // original in the feeder
void ApplyRuleAK(CRKCopyState& s, RuleControls& c);  // feeder-only device; one copy set on Fit To Page
void ApplyRuleAL(CRKCopyState& s, RuleControls& c);  // original in the feeder: no fit to page, no borderless
void ApplyRuleAM(CRKCopyState& s, RuleControls& c);  // size 71 is fit to page only
void ApplyRuleAN(CRKCopyState& s, RuleControls& c);  // no percentage spin
void ApplyRuleAO(CRKCopyState& s, RuleControls& c);  // no Fast on photo papers
void ApplyRuleAP(CRKCopyState& s, RuleControls& c);  // quality by paper type, three ways

// Rule AI: on the sizes it concerns, a plain paper type gives way to type 3,
// then an image size 4 becomes fit to page.
bool RuleAIApplies(const CRKCopyState& s);
bool RuleAIWantsType3(const CRKCopyState& s);
void ApplyRuleAIImageSize(CRKCopyState& s, RuleControls& c);
// Rule AJ runs rule AA on the sizes it concerns.
bool RuleAJRunsAA(const CRKCopyState& s);

}  // namespace replika
