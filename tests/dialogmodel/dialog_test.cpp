// The dialog's lists, rules and handlers on a window made from its template, bound to a fake device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include <windows.h>
#include <commctrl.h>

#include "dialog/MediaItemData.h"
#include "res/resource.h"
#include "tests/device/DialogAccess.h"
#include "tests/device/FakeCopyAPI.h"

using replika::CCopyUIDlg;

namespace {
// Answers GetCapabilities with a prepared record and keeps what it was asked with.
struct DeviceFake : FakeCopyAPI
{
    CopierFunctional asked{}, answer{};
    HRESULT hrCapabilities = S_OK;
    LONG bDocInADF = 0;

    STDMETHODIMP GetDocInADF(LONG* p) override
    {
        *p = bDocInADF;
        return S_OK;
    }

    STDMETHODIMP GetCapabilities(CopierFunctional* p) override
    {
        asked = *p;
        *p = answer;
        return hrCapabilities;
    }
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class CopyDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102), nullptr, PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg);
        Dlg(dlg).BindToWindow(hDlg);
        Dlg(dlg).SetDefaultState();
        Dlg(dlg).m_pCopyAPI = CComPtr<ICopyAPI>::Adopt(&device);
        const std::tuple<bool, int, const char*, int, int> slots[] = {
            {true, 0, "Plain", 1, 0},   {true, 3, "Photo", 3, 1},     {true, 7, "Glossy", 5, 1},
            {true, 9, "Photo 2", 3, 1}, {false, 0, "Letter", 2, 0},   {false, 1, "4x6", 76, 1},
            {false, 2, "A4", 11, 0},    {false, 5, "Panorama", 71, 1}};
        CopierFunctional& a = device.answer;
        for (const auto& [bType, slot, name, id, borderless] : slots) {
            lstrcpynA(bType ? a.szMediaTypeName[slot] : a.szMediaSizeName[slot], name, COPIER_MEDIA_NAME_LEN);
            (bType ? a.nMediaTypeID : a.nMediaSizeID)[slot] = id;
            (bType ? a.bMediaTypeBorderless : a.bMediaSizeBorderless)[slot] = borderless;
        }
        a.nDefaultMediaSize = 11;
        a.nBorderlessSupport = 2;
        a.bRearInputTrayPresent = 1;
    }
    void TearDown() override
    {
        if (hDlg)
            DestroyWindow(Dlg(dlg).Unbind());
    }

    HWND Item(int id) const { return GetDlgItem(hDlg, id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    int Selected(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    void Select(int id, int pos) { SendMessageA(Item(id), CB_SETCURSEL, pos, 0); }

    std::string Texts(int id) const  // "first|second|..."
    {
        std::string texts;
        char text[COPIER_MEDIA_NAME_LEN];
        for (int i = 0; SendMessageA(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)) != CB_ERR; ++i)
            texts += (i ? "|" : "") + std::string(text);
        return texts;
    }
    CRKCopyState& State() { return Dlg(dlg).m_rkCopyState; }
    // The message through the dialog object's own window procedure.
    void Send(UINT message, WPARAM wParam, LPARAM lParam) { static_cast<CWnd&>(dlg).WindowProc(message, wParam, lParam); }
    void Click(int id)
    {
        SendMessageA(Item(id), BM_SETCHECK, BST_CHECKED, 0);
        Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    int Contrast() const { return static_cast<int>(SendMessageA(Item(IDC_SLD_CONTRAST), TBM_GETPOS, 0, 0)); }
    void SetContrast(int nPos) { SendMessageA(Item(IDC_SLD_CONTRAST), TBM_SETPOS, TRUE, nPos); }
    // Best, Normal, Fast, Actual Size, Fit To Page, Borderless, Custom Size: 'C' checked,
    // 'c' checked but disabled, 'E' enabled, '-' disabled.
    std::string Buttons() const
    {
        std::string text;
        for (int id : kChoices)
            text += "-EcC"[Enabled(id) + 2 * Checked(id)];
        return text;
    }
    void SetButtons(const char* text)
    {
        for (int i = 0; i < 7; ++i) {
            SendMessageA(Item(kChoices[i]), BM_SETCHECK, text[i] == 'C' ? BST_CHECKED : BST_UNCHECKED, 0);
            EnableWindow(Item(kChoices[i]), text[i] == 'C' || text[i] == 'E');
        }
    }
    static constexpr int kChoices[] = {IDC_RBN_BEST,        IDC_RBN_NORMAL,     IDC_RBN_FAST,       IDC_RBN_ACTUAL_SIZE,
                                       IDC_RBN_FIT_TO_PAGE, IDC_RBN_BORDERLESS, IDC_RBN_CUSTOM_SIZE};

    DeviceFake device;
    CCopyUIDlg dlg{nullptr, "#Maker#Model#DM1", "-CtxID"};
    HWND hDlg = nullptr;
};
}  // namespace

TEST_F(CopyDialog, ListsComeFromTheCapabilityRecord)
{
    State().nTraySelection = 3;
    ASSERT_TRUE(Dlg(dlg).FillCombos());
    EXPECT_EQ("Plain|Photo|Glossy|Photo 2", Texts(IDC_COB_TYPE));
    const MediaItemData* pSecond =
        reinterpret_cast<const MediaItemData*>(SendMessageA(Item(IDC_COB_TYPE), CB_GETITEMDATA, 1, 0));  // slot 3's
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(3, pSecond->nMediaID);
    EXPECT_EQ(1, pSecond->bBorderless);
    EXPECT_EQ("Letter|4x6|A4|Panorama", Texts(IDC_COB_SIZE));
    EXPECT_EQ("Upper|Rear", Texts(IDC_COB_SOURCE));
    EXPECT_EQ(3, SendMessageA(Item(IDC_COB_SOURCE), CB_GETITEMDATA, 1, 0));
    EXPECT_EQ(1, State().nTraySelection);
    EXPECT_EQ(0, Selected(IDC_COB_TYPE));
    EXPECT_EQ(0, Selected(IDC_COB_SIZE));
    EXPECT_EQ(1, Dlg(dlg).m_bBorderlessCapable);
    EXPECT_EQ(50, device.asked.nConstraintMask);  // asked with the settings and the fixed inputs
}

TEST_F(CopyDialog, SizeWithoutBorderlessMovesTheCheckToFitToPage)
{
    ASSERT_TRUE(Dlg(dlg).FillCombos());
    Select(IDC_COB_TYPE, 1);
    Select(IDC_COB_SIZE, 1);
    Dlg(dlg).OnSelchangeCobSize();
    EXPECT_TRUE(Enabled(IDC_RBN_BORDERLESS));
    SendMessageA(Item(IDC_RBN_BORDERLESS), BM_SETCHECK, BST_CHECKED, 0);
    State().nSpecialFeatureRadio = SFR_BORDERLESS;

    Select(IDC_COB_SIZE, 2);
    Dlg(dlg).OnSelchangeCobSize();
    EXPECT_EQ(11, State().nPaperSize);
    EXPECT_EQ(2, State().nPaperSizeIndex);
    EXPECT_FALSE(Enabled(IDC_RBN_BORDERLESS));
    EXPECT_FALSE(Checked(IDC_RBN_BORDERLESS));
    EXPECT_TRUE(Checked(IDC_RBN_FIT_TO_PAGE));
    EXPECT_EQ(SFR_BORDERLESS, State().nSpecialFeatureRadio);  // until another image size is chosen
}

TEST_F(CopyDialog, DefaultSizeIsSelectedOrTheLastEntryStays)
{
    // {default size ID, selection after, nPaperSizeIndex and nPaperSize after (were 7 and 5)}
    const int rows[][4] = {{11, 2, 2, 11}, {99, 3, 7, 5}};
    for (const auto& row : rows) {
        device.answer.nDefaultMediaSize = row[0];
        ASSERT_TRUE(Dlg(dlg).FillCombos());
        State().nPaperSizeIndex = 7;
        State().nPaperSize = 5;
        Dlg(dlg).SetDefaultPaperSize();
        EXPECT_EQ(row[1], Selected(IDC_COB_SIZE)) << row[0];
        EXPECT_EQ(row[2], State().nPaperSizeIndex) << row[0];
        EXPECT_EQ(row[3], State().nPaperSize) << row[0];
    }
}

// The rules that ask the device whether an original is in the feeder, and the one that rewrites
// the copies, act on the dialog's controls and settings.
TEST_F(CopyDialog, FeederRulesReachTheControls)
{
    // {rule bit, original in the feeder, buttons before, copies text; buttons, size selection, copies text after}
    const std::tuple<int, LONG, const char*, const char*, const char*, int, const char*> rows[] = {
        {6, 1, "EEEEEEC", "5", "EEEC--E", 1, "5"},   // AG: Actual Size takes the check
        {6, 0, "EEEE--E", "5", "EEEEEEE", 1, "5"},   // AG: no original, both back
        {11, 1, "EEEECEE", "5", "EEEE--E", 2, "5"},  // AL: no fitting, the default size (A4)
        {10, 0, "EEEECEE", "5", "EEEECEE", 1, "1"},  // AK: Fit To Page takes the least copies
    };
    device.answer.nDefaultMediaSize = 11;
    ASSERT_TRUE(Dlg(dlg).FillCombos());
    for (const auto& [nBit, bDoc, before, copies, after, nSize, copiesAfter] : rows) {
        SCOPED_TRACE(testing::Message() << nBit << " " << bDoc);
        Select(IDC_COB_SIZE, 1);
        State().nPaperSize = 76;
        State().nNbrCopies = 5;
        SetButtons(before);
        SetWindowTextA(Item(IDC_EDB_COPIES), copies);
        device.bDocInADF = bDoc;
        Dlg(dlg).m_bAdfOnly = 0;
        Dlg(dlg).UIConstraints(1 << nBit);
        EXPECT_EQ(after, Buttons());
        EXPECT_EQ(nSize, Selected(IDC_COB_SIZE));
        EXPECT_EQ(nSize == 2 ? 11 : 76, State().nPaperSize);
        char text[16] = "";
        GetWindowTextA(Item(IDC_EDB_COPIES), text, sizeof text);
        EXPECT_STREQ(copiesAfter, text);
        EXPECT_EQ(atoi(copiesAfter), State().nNbrCopies);
        EXPECT_EQ(nBit == 10, Dlg(dlg).m_bAdfOnly != 0);
    }
}

// Actual Size means 100 %; the other two keep the percentage for a later Custom Size.
TEST_F(CopyDialog, ImageSizeButtonsAndThePercentage)
{
    const std::tuple<int, int, int, int> rows[] = {{IDC_RBN_FIT_TO_PAGE, SFR_FIT_TO_PAGE, 5, 150},
                                                   {IDC_RBN_BORDERLESS, SFR_BORDERLESS, 7, 150},
                                                   {IDC_RBN_ACTUAL_SIZE, SFR_ACTUAL_SIZE, 1, 100}};
    for (const auto& [id, nRadio, nMode, nPercent] : rows) {
        State().nReduceEnlarge = 150;
        Click(id);
        EXPECT_EQ(nRadio, State().nSpecialFeatureRadio) << id;
        EXPECT_EQ(nMode, State().nSpecialFeatureMode) << id;
        EXPECT_EQ(nPercent, State().nReduceEnlarge) << id;
    }
}

// Line, page and thumb-track moves set the contrast; thumb position, top, bottom and end of
// track do not. The pictures step by ten inside the slider's range.
TEST_F(CopyDialog, ContrastFollowsTheSliderAndItsPictures)
{
    for (UINT nCode = TB_LINEUP; nCode <= TB_ENDTRACK; ++nCode) {
        SetContrast(30);
        State().nBrightness = 50;
        Send(WM_HSCROLL, MAKEWPARAM(nCode, 0), reinterpret_cast<LPARAM>(Item(IDC_SLD_CONTRAST)));
        EXPECT_EQ("YYYYNYNNN"[nCode] == 'Y' ? 30 : 50, State().nBrightness) << "code " << nCode;
    }
    // {picture, position before, position and contrast after}
    const int rows[][3] = {{IDC_PIC_LIGHTER, 47, 37}, {IDC_PIC_LIGHTER, 5, 0},   {IDC_PIC_LIGHTER, 0, 0},
                           {IDC_PIC_DARKER, 95, 100}, {IDC_PIC_DARKER, 100, 100}};
    for (const auto& row : rows) {
        RECT rc;
        GetWindowRect(Item(row[0]), &rc);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        SetContrast(row[1]);
        State().nBrightness = 77;
        Send(WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 1, rc.top + 1));
        EXPECT_EQ(row[2], Contrast()) << row[0] << " from " << row[1];
        EXPECT_EQ(row[2], State().nBrightness) << row[0] << " from " << row[1];
    }
}
