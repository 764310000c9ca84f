// The dialog's lists, rules, handlers and submission on a window made from its
// template, bound to a fake device component registered in this process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog/MediaItemData.h"
#include "tests/device/DialogAccess.h"
#include "tests/device/FakeCopyAPI.h"

using replika::CCopyUIDlg;

namespace {
// Answers GetCapabilities with a prepared record and counts the jobs.
struct DeviceFake : FakeCopyAPI
{
    CopierFunctional asked{}, answer{};
    HRESULT hrCapabilities = S_OK, hrSubmit = S_OK;
    LONG bDocInADF = 0;
    int jobs = 0;

    STDMETHODIMP GetCapabilities(CopierFunctional* p) override
    {
        asked = *p;
        *p = answer;
        return hrCapabilities;
    }
    STDMETHODIMP GetDocInADF(LONG* p) override
    {
        *p = bDocInADF;
        return S_OK;
    }
    STDMETHODIMP SubmitCopy(CopyJobParams job) override
    {
        lastJob = job;
        ++jobs;
        return hrSubmit;
    }
};

struct Factory : IClassFactory
{
    IUnknown* pObject = nullptr;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        return pObject->QueryInterface(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void SetSlot(char (*names)[COPIER_MEDIA_NAME_LEN], int32_t* ids, int32_t* flags, int slot, const char* name, int id,
             int borderless)
{
    lstrcpynA(names[slot], name, COPIER_MEDIA_NAME_LEN);
    ids[slot] = id;
    flags[slot] = borderless;
}

class CopyDialog : public ::testing::Test
{
protected:
    CopyDialog() : dlg(nullptr, "#Maker#Model#DM1", "-CtxID") {}

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        factory.pObject = static_cast<ICopyAPI*>(&device);
        ASSERT_EQ(S_OK,
                  CoRegisterClassObject(CLSID_CopyAPI, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102), nullptr, PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg);
        Dlg(dlg).BindToWindow(hDlg);
        SendMessageA(Item(IDC_SPN_COPIES), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_EDB_COPIES)), 0);
        SendMessageA(Item(IDC_SPN_SCALE), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_EDB_SCALE)), 0);
        dlg.SetDefaultState();
        ASSERT_EQ(S_OK, dlg.InitializeAPI());

        // Types at slots 0, 3 and 7; sizes at 0, 1, 2 and 5; the default size is slot 2's.
        CopierFunctional& a = device.answer;
        SetSlot(a.szMediaTypeName, a.nMediaTypeID, a.bMediaTypeBorderless, 0, "Plain", 1, 0);
        SetSlot(a.szMediaTypeName, a.nMediaTypeID, a.bMediaTypeBorderless, 3, "Photo", 3, 1);
        SetSlot(a.szMediaTypeName, a.nMediaTypeID, a.bMediaTypeBorderless, 7, "Glossy", 5, 1);
        SetSlot(a.szMediaSizeName, a.nMediaSizeID, a.bMediaSizeBorderless, 0, "Letter", 2, 0);
        SetSlot(a.szMediaSizeName, a.nMediaSizeID, a.bMediaSizeBorderless, 1, "4x6", 76, 1);
        SetSlot(a.szMediaSizeName, a.nMediaSizeID, a.bMediaSizeBorderless, 2, "A4", 11, 0);
        SetSlot(a.szMediaSizeName, a.nMediaSizeID, a.bMediaSizeBorderless, 5, "Panorama", 71, 1);
        a.nDefaultMediaSize = 11;
        a.nBorderlessSupport = 2;
    }
    void TearDown() override
    {
        if (hDlg)
            DestroyWindow(Dlg(dlg).Unbind());
        CoRevokeClassObject(cookie);
        CoUninitialize();
    }

    HWND Item(int id) const { return GetDlgItem(hDlg, id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    void Check(int id, bool b) { SendMessageA(Item(id), BM_SETCHECK, b ? BST_CHECKED : BST_UNCHECKED, 0); }
    int Selected(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    std::vector<std::string> Texts(int id) const
    {
        std::vector<std::string> texts;
        char text[COPIER_MEDIA_NAME_LEN];
        for (int i = 0; i < SendMessageA(Item(id), CB_GETCOUNT, 0, 0); ++i) {
            SendMessageA(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    const MediaItemData& Data(int id, int pos) const
    {
        return *reinterpret_cast<const MediaItemData*>(SendMessageA(Item(id), CB_GETITEMDATA, pos, 0));
    }
    CRKCopyState& State() { return Dlg(dlg).m_rkCopyState; }

    DeviceFake device;
    Factory factory;
    DWORD cookie = 0;
    CCopyUIDlg dlg;
    HWND hDlg = nullptr;
};
}  // namespace

TEST_F(CopyDialog, ListsComeFromTheCapabilityRecord)
{
    ASSERT_TRUE(dlg.FillCombos());
    EXPECT_EQ((std::vector<std::string>{"Plain", "Photo", "Glossy"}), Texts(IDC_COB_TYPE));
    EXPECT_EQ(3, Data(IDC_COB_TYPE, 1).nMediaID);  // position 1 is slot 3
    EXPECT_EQ(1, Data(IDC_COB_TYPE, 1).bBorderless);
    EXPECT_EQ((std::vector<std::string>{"Letter", "4x6", "A4", "Panorama"}), Texts(IDC_COB_SIZE));
    EXPECT_EQ(71, Data(IDC_COB_SIZE, 3).nMediaID);
    EXPECT_EQ(0, Selected(IDC_COB_TYPE));
    EXPECT_EQ(0, Selected(IDC_COB_SIZE));
    EXPECT_EQ(1, Dlg(dlg).m_bBorderlessCapable);
    // The device was asked with the settings and the fixed inputs.
    EXPECT_EQ(50, device.asked.nConstraintMask);
    EXPECT_EQ(50, device.asked.nBrightness);
    EXPECT_EQ(1, device.asked.bSettingSupported[20]);
}

TEST_F(CopyDialog, SourceListFollowsTheTrays)
{
    const struct
    {
        int lower, rear;
        std::vector<std::string> texts;
        int lastData;
    } rows[] = {{0, 0, {"Upper"}, 1},
                {0, 1, {"Upper", "Rear"}, 3},
                {1, 0, {"Upper", "Lower"}, 2},
                {1, 1, {"Upper", "Lower", "Rear"}, 3}};
    for (const auto& row : rows) {
        device.answer.bLowerInputTrayPresent = row.lower;
        device.answer.bRearInputTrayPresent = row.rear;
        State().nTraySelection = 3;
        ASSERT_TRUE(dlg.FillCombos());
        EXPECT_EQ(row.texts, Texts(IDC_COB_SOURCE));
        const int last = static_cast<int>(row.texts.size()) - 1;
        EXPECT_EQ(row.lastData, SendMessageA(Item(IDC_COB_SOURCE), CB_GETITEMDATA, last, 0));
        EXPECT_EQ(1, State().nTraySelection);
    }
}

TEST_F(CopyDialog, FailedCapabilitiesLeaveNoRecord)
{
    device.hrCapabilities = static_cast<HRESULT>(0x8004F9FD);
    EXPECT_FALSE(dlg.FillCombos());
    EXPECT_EQ(nullptr, Dlg(dlg).m_pCopierFunctional);
    EXPECT_EQ(replika::ERRIDX_DEVICE_BUSY, Dlg(dlg).m_rkGUIError.GetErrorIndex());
    EXPECT_EQ(1, Dlg(dlg).m_bBorderlessCapable);  // read whatever the call answered
}

TEST_F(CopyDialog, DefaultPaperSizeIsSelectedOrTheListEndsOnItsLastEntry)
{
    ASSERT_TRUE(dlg.FillCombos());
    dlg.SetDefaultPaperSize();
    EXPECT_EQ(2, Selected(IDC_COB_SIZE));
    EXPECT_EQ(2, State().nPaperSizeIndex);
    EXPECT_EQ(11, State().nPaperSize);

    Dlg(dlg).m_pCopierFunctional->nDefaultMediaSize = 999;
    State().nPaperSize = 2;
    State().nPaperSizeIndex = 0;
    dlg.SetDefaultPaperSize();
    EXPECT_EQ(3, Selected(IDC_COB_SIZE));
    EXPECT_EQ(2, State().nPaperSize);
    EXPECT_EQ(0, State().nPaperSizeIndex);
}

TEST_F(CopyDialog, SizeWithoutBorderlessMovesTheCheckToFitToPage)
{
    ASSERT_TRUE(dlg.FillCombos());
    SendMessageA(Item(IDC_COB_TYPE), CB_SETCURSEL, 1, 0);
    SendMessageA(Item(IDC_COB_SIZE), CB_SETCURSEL, 1, 0);
    Dlg(dlg).OnSelchangeCobSize();
    EXPECT_TRUE(Enabled(IDC_RBN_BORDERLESS));
    Check(IDC_RBN_BORDERLESS, true);
    State().nSpecialFeatureRadio = SFR_BORDERLESS;

    SendMessageA(Item(IDC_COB_SIZE), CB_SETCURSEL, 2, 0);
    Dlg(dlg).OnSelchangeCobSize();
    EXPECT_EQ(11, State().nPaperSize);
    EXPECT_EQ(2, State().nPaperSizeIndex);
    EXPECT_FALSE(Enabled(IDC_RBN_BORDERLESS));
    EXPECT_FALSE(Checked(IDC_RBN_BORDERLESS));
    EXPECT_TRUE(Checked(IDC_RBN_FIT_TO_PAGE));
    EXPECT_EQ(SFR_BORDERLESS, State().nSpecialFeatureRadio);  // until another size is chosen
}

TEST_F(CopyDialog, RulesRunInBitOrderOnTheControls)
{
    SetSlot(device.answer.szMediaTypeName, device.answer.nMediaTypeID, device.answer.bMediaTypeBorderless, 9, "Matte",
            7, 0);
    SetSlot(device.answer.szMediaTypeName, device.answer.nMediaTypeID, device.answer.bMediaTypeBorderless, 11,
            "Photo Plus", 3, 1);
    ASSERT_TRUE(dlg.FillCombos());  // types: Plain 1, Photo 3, Glossy 5, Matte 7, Photo Plus 3

    // Rule AI: size 76 with type 5 jumps to the first type 3, then runs the rules again.
    State().nPaperSize = 76;
    State().nPaperType = 5;
    State().nPaperTypeIndex = 2;
    Dlg(dlg).m_nConstraintMask = 1 << 8;
    dlg.UIConstraints(1 << 8);
    EXPECT_EQ(1, Selected(IDC_COB_TYPE));
    EXPECT_EQ(3, State().nPaperType);
    EXPECT_EQ(1, State().nPaperTypeIndex);

    // Rules AG and AK with an original in the feeder and Custom Size checked.
    device.bDocInADF = 1;
    Check(IDC_RBN_CUSTOM_SIZE, true);
    State().nSpecialFeatureRadio = SFR_CUSTOM_SIZE;
    dlg.UIConstraints((1 << 6) | (1 << 10));
    EXPECT_TRUE(Checked(IDC_RBN_ACTUAL_SIZE));
    EXPECT_FALSE(Enabled(IDC_RBN_FIT_TO_PAGE));
    EXPECT_FALSE(Enabled(IDC_RBN_BORDERLESS));
    EXPECT_EQ(SFR_CUSTOM_SIZE, State().nSpecialFeatureRadio);
    EXPECT_EQ(1, Dlg(dlg).m_bAdfOnly);

    // Bits 3 and 15 on type 15: AD checks Best, AP then enables all three.
    State().nPaperType = 15;
    dlg.UIConstraints((1 << 3) | (1 << 15));
    EXPECT_TRUE(Checked(IDC_RBN_BEST));
    for (int id : {IDC_RBN_BEST, IDC_RBN_NORMAL, IDC_RBN_FAST})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(QUALITY_BEST, State().nQuality);
}

TEST_F(CopyDialog, SettingsComeUpInTheControls)
{
    ASSERT_TRUE(dlg.FillCombos());
    const struct
    {
        int nQuality, nRadio, nTypeIndex;
        int checkedQuality, checkedSize, storedQuality, storedRadio, selectedType;
    } rows[] = {
        {0, 4, 25, IDC_RBN_BEST, IDC_RBN_ACTUAL_SIZE, 3, 16, 0},
        {1, 2, 1, IDC_RBN_FAST, IDC_RBN_FIT_TO_PAGE, 1, 2, 1},
        {2, 1, 12, IDC_RBN_NORMAL, IDC_RBN_CUSTOM_SIZE, 2, 1, -1},  // inside 0..19 past the end: no selection
    };
    for (const auto& row : rows) {
        State().nQuality = row.nQuality;
        State().nSpecialFeatureRadio = row.nRadio;
        State().nPaperTypeIndex = row.nTypeIndex;
        State().nReduceEnlarge = 150;
        dlg.PreInitializeUI();
        EXPECT_TRUE(Checked(row.checkedQuality)) << row.nQuality;
        EXPECT_TRUE(Checked(row.checkedSize)) << row.nRadio;
        EXPECT_EQ(row.storedQuality, State().nQuality);
        EXPECT_EQ(row.storedRadio, State().nSpecialFeatureRadio);
        EXPECT_EQ(row.selectedType, Selected(IDC_COB_TYPE));
        EXPECT_EQ(row.nRadio == 1, Enabled(IDC_EDB_SCALE)) << row.nRadio;
    }
    char text[8];
    GetWindowTextA(Item(IDC_EDB_SCALE), text, sizeof text);
    EXPECT_STREQ("150", text);  // Custom Size shows the kept percentage
}

TEST_F(CopyDialog, ContrastSnapsAndStepsWithinItsRange)
{
    SendMessageA(Item(IDC_SLD_CONTRAST), TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    const struct
    {
        int from;
        void (replika::CCopyUIDlgTestAccess::*action)();
        int to;
    } rows[] = {
        {47, &replika::CCopyUIDlgTestAccess::OnReleasedCaptureContrast, 50},
        {44, &replika::CCopyUIDlgTestAccess::OnReleasedCaptureContrast, 40},
        {5, &replika::CCopyUIDlgTestAccess::OnBtnLight, 0},
        {0, &replika::CCopyUIDlgTestAccess::OnBtnLight, 0},
        {95, &replika::CCopyUIDlgTestAccess::OnBtnDark, 100},
        {100, &replika::CCopyUIDlgTestAccess::OnBtnDark, 100},
    };
    for (const auto& row : rows) {
        SendMessageA(Item(IDC_SLD_CONTRAST), TBM_SETPOS, TRUE, row.from);
        auto access = Dlg(dlg);
        (access.*row.action)();
        EXPECT_EQ(row.to, SendMessageA(Item(IDC_SLD_CONTRAST), TBM_GETPOS, 0, 0)) << row.from;
        EXPECT_EQ(row.to, State().nBrightness) << row.from;
    }
}

TEST_F(CopyDialog, JobTakesTheSpinPositionAndFailuresSetTheErrorIndex)
{
    SendMessageA(Item(IDC_SPN_COPIES), UDM_SETRANGE32, 1, 99);
    SendMessageA(Item(IDC_SPN_COPIES), UDM_SETPOS32, 0, 7);
    State().nNbrCopies = 3;
    State().bColorCopyRequested = 0;
    EXPECT_EQ(S_OK, dlg.Copy_Click());
    EXPECT_EQ(7, device.lastJob.nNbrCopies);
    EXPECT_EQ(7, State().nNbrCopies);
    EXPECT_EQ(0, device.lastJob.bColorCopyRequested);

    const struct
    {
        HRESULT hr;
        int index;
    } rows[] = {{HRESULT(0x8004F9FD), 2}, {HRESULT(0x8004F9FC), 21}, {E_FAIL, 13}};
    for (const auto& row : rows) {
        device.hrSubmit = row.hr;
        EXPECT_EQ(row.hr, dlg.Copy_Click());
        EXPECT_EQ(row.index, Dlg(dlg).m_rkGUIError.GetErrorIndex()) << std::hex << row.hr;
    }
}
