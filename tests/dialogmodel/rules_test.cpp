// The constraint rules' logic over the settings and a picture of the controls.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dialog/ConstraintRules.h"

using namespace replika;

namespace {
// Controls as text: Best, Normal, Fast, Actual Size, Fit To Page, Borderless,
// Custom Size, then the percent label/edit and the percent spin.
// Buttons: 'C' checked, 'c' checked but disabled, 'E' enabled, '-' disabled.
// Percent and spin: 'E' enabled, '-' disabled.
RuleButton RuleControls::*const kButtons[] = {
    &RuleControls::best,      &RuleControls::normal,     &RuleControls::fast,      &RuleControls::actualSize,
    &RuleControls::fitToPage, &RuleControls::borderless, &RuleControls::customSize};

RuleControls Parse(const char* text)
{
    RuleControls c = {};
    for (int i = 0; i < 7; ++i)
        c.*kButtons[i] = {text[i] == 'C' || text[i] == 'c', text[i] == 'C' || text[i] == 'E'};
    c.bPercentEnabled = text[7] == 'E';
    c.bScaleSpinEnabled = text[8] == 'E';
    return c;
}

std::string Show(const RuleControls& c)
{
    std::string text;
    for (auto button : kButtons)
        text += "-EcC"[(c.*button).bEnabled + 2 * (c.*button).bChecked];
    return text + "-E"[c.bPercentEnabled] + "-E"[c.bScaleSpinEnabled];
}

enum { KEEP = -99 };
}  // namespace

TEST(ConstraintRules, ControlsAndSettingsAfterEachRule)
{
    const struct
    {
        const char* name;
        RuleLogic logic;
        int nPaperType, nPaperSize, nRadio, nTypeID;
        bool bDocInADF;
        const char *before, *after;
        int nQuality, nRadioAfter;  // KEEP: unchanged (quality starts at 2, radio as given)
    } rows[] = {
        {"AD plain paper moves Best to Normal", ApplyRuleAD, 1, 2, 16, 0, false, "C--CEEEEE", "-CECEEEEE", 2, KEEP},
        {"AD other paper: Best only", ApplyRuleAD, 4, 2, 16, 0, false, "EECCEEEEE", "C--CEEEEE", 3, KEEP},
        {"AP type 15 enables all", ApplyRuleAP, 15, 2, 16, 0, false, "C--CEEEEE", "CEECEEEEE", KEEP, KEEP},
        {"AE Custom Size: percent on", ApplyRuleAE, 1, 2, 1, 0, false, "ECEEEEC--", "ECEEEECEE", KEEP, KEEP},
        {"AE other size: percent off", ApplyRuleAE, 1, 2, 16, 0, false, "ECECEEEEE", "ECECEEE--", KEEP, KEEP},
        {"AG original: Actual checked too", ApplyRuleAG, 1, 2, 1, 0, true, "ECEEEECEE", "ECEC--CEE", KEEP, KEEP},
        {"AG original, Actual disabled", ApplyRuleAG, 1, 2, 1, 0, true, "ECE-CECEE", "ECE---CEE", KEEP, KEEP},
        {"AG no original re-enables", ApplyRuleAG, 1, 2, 16, 0, false, "ECEC--EEE", "ECECEEEEE", KEEP, KEEP},
        {"AL original: nothing to fit", ApplyRuleAL, 1, 2, 2, 0, true, "ECEECEEEE", "ECEE--EEE", KEEP, KEEP},
        {"AM size 71 forces Fit To Page", ApplyRuleAM, 1, 71, 16, 0, false, "ECECEEEEE", "ECEcCEEEE", KEEP, 2},
        {"AM other size re-enables Actual", ApplyRuleAM, 1, 2, 2, 0, false, "ECE-CEEEE", "ECEECEEEE", KEEP, KEEP},
        {"AN percent spin off", ApplyRuleAN, 1, 2, 1, 0, false, "ECEEEECEE", "ECEEEECE-", KEEP, KEEP},
        {"AO photo paper: Fast to Best", ApplyRuleAO, 12, 2, 16, 12, false, "EECCEEEEE", "CE-CEEEEE", 3, KEEP},
        {"AO other paper re-enables Fast", ApplyRuleAO, 2, 2, 16, 2, false, "CE-CEEEEE", "CEECEEEEE", KEEP, KEEP},
        {"AO no type: Fast", ApplyRuleAO, 2, 2, 16, RULE_NO_TYPE, false, "CE-CEEEEE", "CEECEEEEE", KEEP, KEEP},
        {"AI image size 4 to Fit", ApplyRuleAIImageSize, 1, 76, 4, 0, false, "ECECEEEEE", "ECECCEEEE", KEEP, 2},
    };
    for (const auto& row : rows) {
        CRKCopyState s;
        s.nQuality = 2;
        s.nPaperType = row.nPaperType;
        s.nPaperSize = row.nPaperSize;
        s.nSpecialFeatureRadio = row.nRadio;
        s.nSpecialFeatureMode = 1;
        RuleControls c = Parse(row.before);
        c.nSelectedTypeID = row.nTypeID;
        c.bDocInADF = row.bDocInADF;
        row.logic(s, c);
        EXPECT_EQ(row.after, Show(c)) << row.name;
        EXPECT_EQ(row.nQuality == KEEP ? 2 : row.nQuality, s.nQuality) << row.name;
        EXPECT_EQ(row.nRadioAfter == KEEP ? row.nRadio : row.nRadioAfter, s.nSpecialFeatureRadio) << row.name;
        EXPECT_EQ(row.nRadioAfter == 2 ? 5 : 1, s.nSpecialFeatureMode) << row.name;
    }
}

// {controls (Fit To Page checked or not), copies text, text after, copies after}
TEST(ConstraintRules, FeederOnlyRuleResetsTheCopiesOnFitToPage)
{
    const std::tuple<const char*, const char*, const char*, int> rows[] = {
        {"ECEECEEEE", "5", "1", 1},     {"ECEECEEEE", "1", "1", 7}, {"ECEECEEEE", "0", "0", 7},
        {"ECEECEEEE", "abc", "abc", 7}, {"ECECEEEEE", "5", "5", 7}, {"ECEECEEEE", "12x", "1", 1},
    };
    for (const auto& [controls, copies, copiesAfter, nNbrCopiesAfter] : rows) {
        CRKCopyState s;
        s.nMinCopies = 1;
        s.nNbrCopies = 7;
        RuleControls c = Parse(controls);
        lstrcpynA(c.szCopies, copies, sizeof c.szCopies);
        ApplyRuleAK(s, c);
        EXPECT_TRUE(c.bAdfOnly) << copies;  // set on every run
        EXPECT_STREQ(copiesAfter, c.szCopies) << copies;
        EXPECT_EQ(nNbrCopiesAfter, s.nNbrCopies) << copies;
    }
}
