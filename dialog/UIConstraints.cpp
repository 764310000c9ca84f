// Constraint rules: the device's mask chooses which of the sixteen rules run.
// Each rule reads the controls it touches, applies its logic and writes back
// only what changed (the status-message thread may run rules at the same time).
#include "dialog/CopyUIDlg.h"

#include <cstdio>
#include <cstring>

#include "dialog/ConstraintRules.h"
#include "dialog/MediaItemData.h"
#include "log/RKLog.h"

namespace replika {

namespace {
// Rules log in three forms, chosen by their letters: "CCopyUIDlg::RestrictnAH()-- Entering",
// "CCopyUIDlg::RestrictnAI() - - Entering" (AI to AN) and "Entering RestrictnAA" (the others).
class CRuleTrace
{
public:
    explicit CRuleTrace(const char* pszLetters) : m_scope(ScopeFor(pszLetters, m_szName, sizeof m_szName)) {}
    CRuleTrace(const CRuleTrace&) = delete;
    CRuleTrace& operator=(const CRuleTrace&) = delete;

private:
    static CRKTraceScope ScopeFor(const char* pszLetters, char* pszName, size_t cchName)
    {
        const char second = pszLetters[1];
        if (second == 'H') {
            snprintf(pszName, cchName, "CCopyUIDlg::Restrictn%s()-", pszLetters);
            return CRKTraceScope(pszName);
        }
        if (second >= 'I' && second <= 'N') {
            snprintf(pszName, cchName, "CCopyUIDlg::Restrictn%s() - ", pszLetters);
            return CRKTraceScope(pszName);
        }
        snprintf(pszName, cchName, "Restrictn%s", pszLetters);
        return CRKTraceScope::Prefixed(pszName);
    }

    char m_szName[40];
    CRKTraceScope m_scope;
};

}  // namespace

void CCopyUIDlg::UIConstraints(int nMask)
{
    CRKTraceScope trace("CCopyUIDlg::UIConstraints() - ");
    for (int nBit = 0; nBit < RULE_COUNT; ++nBit)
        if (nMask & (1 << nBit))
            (this->*m_pfnRules[nBit])();
}

void CCopyUIDlg::ApplyRule(void (*pfnLogic)(CRKCopyState&, RuleControls&), bool bAskDevice)
{
    const struct
    {
        RuleButton RuleControls::*pState;
        CButton* pButton;
    } buttons[] = {
        {&RuleControls::best, &m_rbnBest},
        {&RuleControls::normal, &m_rbnNormal},
        {&RuleControls::fast, &m_rbnFast},
        {&RuleControls::actualSize, &m_rbnActualSize},
        {&RuleControls::fitToPage, &m_rbnFitToPage},
        {&RuleControls::borderless, &m_rbnBorderless},
        {&RuleControls::customSize, &m_rbnCustomSize},
    };
    RuleControls was = {};
    for (const auto& b : buttons)
        was.*b.pState = {b.pButton->GetCheck() == BST_CHECKED, b.pButton->IsWindowEnabled() != FALSE};
    was.bPercentEnabled = m_edbScale.IsWindowEnabled() != FALSE;
    was.bScaleSpinEnabled = m_spnScale.IsWindowEnabled() != FALSE;
    m_edbCopies.GetWindowText(was.szCopies, sizeof was.szCopies);
    const MediaItemData* pType = MediaItemAt(m_cobType, m_cobType.GetCurSel());
    was.nSelectedTypeID = pType ? pType->nMediaID : RULE_NO_TYPE;
    was.bDocInADF = bAskDevice && IsDocInADF();
    was.bAdfOnly = m_bAdfOnly != 0;

    RuleControls now = was;
    pfnLogic(m_rkCopyState, now);

    for (const auto& b : buttons) {
        const RuleButton &before = was.*b.pState, &after = now.*b.pState;
        if (after.bChecked != before.bChecked)
            b.pButton->SetCheck(after.bChecked ? BST_CHECKED : BST_UNCHECKED);
        if (after.bEnabled != before.bEnabled)
            b.pButton->EnableWindow(after.bEnabled);
    }
    if (now.bPercentEnabled != was.bPercentEnabled) {
        m_stcPercent.EnableWindow(now.bPercentEnabled);
        m_edbScale.EnableWindow(now.bPercentEnabled);
    }
    if (now.bScaleSpinEnabled != was.bScaleSpinEnabled)
        m_spnScale.EnableWindow(now.bScaleSpinEnabled);
    if (now.bAdfOnly)
        m_bAdfOnly = 1;
    // The new copies text re-runs the rules through the copies handler.
    if (strcmp(now.szCopies, was.szCopies) != 0)
        m_edbCopies.SetWindowText(now.szCopies);
    if (now.bSelectDefaultSize)
        SetDefaultPaperSize();
}

bool CCopyUIDlg::IsDocInADF()
{
    if (m_nFeederDocInADF >= 0)  // asked already by the status-message thread
        return m_nFeederDocInADF != 0;
    LONG bDocInADF = 0;
    return m_pCopyAPI && SUCCEEDED(m_pCopyAPI->GetDocInADF(&bDocInADF)) && bDocInADF == 1;
}

void CCopyUIDlg::RestrictnAA() { CRuleTrace trace("AA"); }
void CCopyUIDlg::RestrictnAB() { CRuleTrace trace("AB"); }
void CCopyUIDlg::RestrictnAC() { CRuleTrace trace("AC"); }
void CCopyUIDlg::RestrictnAF() { CRuleTrace trace("AF"); }
void CCopyUIDlg::RestrictnAH() { CRuleTrace trace("AH"); }

void CCopyUIDlg::RestrictnAD()
{
    CRuleTrace trace("AD");
    ApplyRule(&ApplyRuleAD);
}

void CCopyUIDlg::RestrictnAE()
{
    CRuleTrace trace("AE");
    ApplyRule(&ApplyRuleAE);
}

void CCopyUIDlg::RestrictnAG()
{
    CRuleTrace trace("AG");
    ApplyRule(&ApplyRuleAG, true);
}

void CCopyUIDlg::RestrictnAI()
{
    CRuleTrace trace("AI");
    if (!RuleAIApplies(m_rkCopyState))
        return;
    if (RuleAIWantsType3(m_rkCopyState) && SelectFirstTypeWithID(3)) {
        m_rkCopyState.nPaperType = 3;
        OnSelchangeCobType();
    }
    ApplyRule(&ApplyRuleAIImageSize);
}

void CCopyUIDlg::RestrictnAJ()
{
    CRuleTrace trace("AJ");
    if (RuleAJRunsAA(m_rkCopyState))
        RestrictnAA();
}

void CCopyUIDlg::RestrictnAK()
{
    CRuleTrace trace("AK");
    ApplyRule(&ApplyRuleAK);
}

void CCopyUIDlg::RestrictnAL()
{
    CRuleTrace trace("AL");
    ApplyRule(&ApplyRuleAL, true);
}

void CCopyUIDlg::RestrictnAM()
{
    CRuleTrace trace("AM");
    ApplyRule(&ApplyRuleAM);
}

void CCopyUIDlg::RestrictnAN()
{
    CRuleTrace trace("AN");
    ApplyRule(&ApplyRuleAN);
}

void CCopyUIDlg::RestrictnAO()
{
    CRuleTrace trace("AO");
    ApplyRule(&ApplyRuleAO);
}

void CCopyUIDlg::RestrictnAP()
{
    CRuleTrace trace("AP");
    ApplyRule(&ApplyRuleAP);
}

}  // namespace replika
