// The dialog's lists, rules and handlers on a window made from its template, bound to a fake device.
#include <gtest/gtest.h>

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

TEST_F(CopyDialog, RuleAIRunsTheRulesAgainThroughTheTypeList)
{
    ASSERT_TRUE(Dlg(dlg).FillCombos());
    // Size 76 with type 5 jumps to the first type 3; the nested run finds type 3 and stops.
    State().nPaperSize = 76;
    State().nPaperType = 5;
    State().nPaperTypeIndex = 2;
    Dlg(dlg).m_nConstraintMask = 1 << 8;
    Dlg(dlg).UIConstraints(1 << 8);
    EXPECT_EQ(1, Selected(IDC_COB_TYPE));
    EXPECT_EQ(3, State().nPaperType);
    EXPECT_EQ(1, State().nPaperTypeIndex);
}
