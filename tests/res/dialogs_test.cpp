#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <map>
#include <string>
#include "modules.h"
#include "res/resource.h"

namespace {

// The window class and the style bits that make a control what it is.
struct KindSpec
{
    const char* className;
    LONG_PTR mask, value;
};
const KindSpec kText = {"Static", SS_TYPEMASK, SS_LEFT};
const KindSpec kGroupBox = {"Button", BS_TYPEMASK, BS_GROUPBOX};
const KindSpec kFirstRadio = {"Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON | WS_GROUP};
const KindSpec kRadio = {"Button", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON};
const KindSpec kPushButton = {"Button", BS_TYPEMASK | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP};
const KindSpec kWhiteFrame = {"Static", SS_TYPEMASK, SS_WHITEFRAME};
const KindSpec kBlackFrame = {"Static", SS_TYPEMASK, SS_BLACKFRAME};
const KindSpec kBitmap = {"Static", SS_TYPEMASK, SS_BITMAP};
const KindSpec kNumberEdit = {"Edit", ES_NUMBER | ES_READONLY | ES_CENTER, ES_NUMBER | ES_READONLY | ES_CENTER};
const KindSpec kUpDown = {UPDOWN_CLASSA, UDS_ARROWKEYS | UDS_SETBUDDYINT, UDS_ARROWKEYS | UDS_SETBUDDYINT};
const KindSpec kTrackbar = {TRACKBAR_CLASSA, TBS_AUTOTICKS, TBS_AUTOTICKS};
const KindSpec kDropList = {"ComboBox", 3, CBS_DROPDOWNLIST};

struct ExpectedControl
{
    int id;
    const KindSpec& kind;
    int left, top, width, height;  // dialog units
    const char* text;              // nullptr: no text to compare
};

// The copy dialog's controls in template (tab) order.
const ExpectedControl kCopyDialogControls[] = {
    {IDC_STC_ORIGINAL, kText, 18, 39, 36, 9, "Original: "},
    {IDC_GRP_ORIGINAL, kGroupBox, 7, 43, 378, 36, ""},
    {IDC_RBN_TEXT, kFirstRadio, 14, 49, 83, 8, "&Text"},
    {IDC_RBN_PHOTO, kRadio, 14, 58, 83, 8, "&Photo"},
    {IDC_RBN_MIXED, kRadio, 14, 67, 83, 8, "&Mixed"},
    {IDC_STC_COPY_IN_PROGRESS, kText, 285, 59, 83, 8, "Copy in Progress"},
    {IDC_STC_BUSY_STRIP, kWhiteFrame, 270, 68, 90, 6, nullptr},
    {IDC_GRP_COPY, kGroupBox, 7, 85, 378, 59, ""},
    {IDC_STC_COPY, kText, 18, 81, 26, 9, "Copy: "},
    {IDC_GRP_PAPER, kGroupBox, 7, 139, 238, 89, " "},
    {IDC_STC_COPIES, kText, 38, 102, 75, 8, "N&umber of copies:"},
    {IDC_EDB_COPIES, kNumberEdit, 51, 114, 24, 14, nullptr},
    {IDC_SPN_COPIES, kUpDown, 74, 114, 11, 14, nullptr},
    {IDC_LINE_COPIES, kBlackFrame, 128, 94, 1, 42, nullptr},
    {IDC_STC_QUALITY, kText, 164, 93, 28, 8, "Quality:"},
    {IDC_RBN_BEST, kFirstRadio, 164, 104, 62, 8, "&Best"},
    {IDC_RBN_NORMAL, kRadio, 164, 113, 62, 8, "&Normal"},
    {IDC_RBN_FAST, kRadio, 164, 122, 62, 8, "&Fast"},
    {IDC_LINE_QUALITY, kBlackFrame, 245, 94, 1, 42, nullptr},
    {IDC_STC_CONTRAST, kText, 301, 102, 31, 8, "C&ontrast:"},
    {IDC_PIC_LIGHTER, kBitmap, 260, 113, 15, 13, nullptr},
    {IDC_PIC_DARKER, kBitmap, 362, 113, 15, 13, nullptr},
    {IDC_SLD_CONTRAST, kTrackbar, 274, 112, 84, 24, nullptr},
    {IDC_LINE_PAPER, kBlackFrame, 16, 143, 222, 1, nullptr},
    {IDC_STC_PAPER, kText, 52, 149, 62, 8, "Paper:"},
    {IDC_STC_SOURCE, kText, 14, 160, 89, 9, "&Source"},
    {IDC_COB_SOURCE, kDropList, 14, 168, 105, 50, nullptr},
    {IDC_STC_SIZE, kText, 14, 180, 89, 9, "Si&ze"},
    {IDC_COB_SIZE, kDropList, 14, 189, 105, 50, nullptr},
    {IDC_STC_TYPE, kText, 14, 200, 89, 9, "Typ&e"},
    {IDC_COB_TYPE, kDropList, 14, 209, 105, 50, nullptr},
    {IDC_LINE_IMAGE_SIZE, kBlackFrame, 128, 158, 1, 61, nullptr},
    {IDC_STC_IMAGE_SIZE, kText, 163, 149, 78, 8, "Copy Image Size:"},
    {IDC_RBN_ACTUAL_SIZE, kFirstRadio, 164, 162, 77, 8, "&Actual Size"},
    {IDC_RBN_FIT_TO_PAGE, kRadio, 164, 171, 77, 8, "Fit To Pa&ge"},
    {IDC_RBN_BORDERLESS, kRadio, 164, 180, 77, 8, "Bor&derless"},
    {IDC_RBN_CUSTOM_SIZE, kRadio, 164, 189, 77, 8, "&Custom Size"},
    {IDC_STC_PERCENT, kText, 174, 200, 26, 8, "Pe&rcent"},
    {IDC_EDB_SCALE, kNumberEdit, 167, 210, 29, 14, nullptr},
    {IDC_SPN_SCALE, kUpDown, 195, 210, 11, 14, nullptr},
    {IDC_GRP_SETTINGS, kGroupBox, 252, 152, 133, 75, " "},
    {IDC_STC_SETTINGS, kText, 261, 148, 37, 9, "Settings: "},
    {IDC_BTN_RESTORE_FACTORY, kPushButton, 260, 169, 117, 16, "Restore Factor&y"},
    {IDC_BTN_SAVE, kPushButton, 260, 196, 117, 15, "Sa&ve Settings"},
    {IDC_BTN_COLOR, kPushButton, 7, 232, 117, 15, "Co&lor Copy"},
    {IDC_BTN_BLACK, kPushButton, 129, 232, 117, 15, "Blac&k Copy"},
    {IDC_BTN_HELP, kPushButton, 260, 232, 117, 15, "&Help"},
};

INT_PTR CALLBACK NoLogicDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A dialog created modeless from a template, destroyed with the test.
struct ModelessDialog
{
    ModelessDialog(HMODULE module, int id)
        : hwnd(CreateDialogParamA(module, MAKEINTRESOURCEA(id), nullptr, NoLogicDialogProc, 0))
    {}
    ~ModelessDialog()
    {
        if (hwnd)
            DestroyWindow(hwnd);
    }
    const HWND hwnd;
};

bool IsOfClass(HWND w, const char* className)
{
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return lstrcmpiA(className, name) == 0;
}

std::string TextOf(HWND w)
{
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

LONG_PTR StyleOf(HWND w) { return GetWindowLongPtrA(w, GWL_STYLE); }

// Like the dialog manager, position and size are converted separately, each rounded.
RECT DialogUnitsToPixels(HWND dlg, int left, int top, int width, int height)
{
    RECT r = {left, top, width, height};
    MapDialogRect(dlg, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT RectInDialog(HWND dlg, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A drop-down list shows its scroll bar style only while it is open with more entries than fit.
bool ListScrollsVertically(HWND combo)
{
    for (int i = 0; i < 40; ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    const bool scrolls = (StyleOf(info.hwndList) & WS_VSCROLL) != 0;
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    return scrolls;
}

void ExpectKind(HWND w, const KindSpec& kind)
{
    EXPECT_TRUE(IsOfClass(w, kind.className)) << kind.className;
    EXPECT_EQ(kind.value, StyleOf(w) & kind.mask) << std::hex << StyleOf(w);
    if (&kind == &kBitmap) {
        EXPECT_NE(0, SendMessageA(w, STM_GETIMAGE, IMAGE_BITMAP, 0)) << "bitmap not loaded";
    } else if (&kind == &kNumberEdit) {
        EXPECT_TRUE((StyleOf(w) & WS_BORDER) || (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    } else if (&kind == &kDropList) {
        EXPECT_TRUE(ListScrollsVertically(w));
    }
}

// A drop-down list shows its selection field; its template height is that of the opened
// list, which the system reports with or without the field. A bitmap static takes the size
// of its bitmap. An up-down control may narrow itself to the system's standard width.
void ExpectRectangle(HWND dlg, HWND w, const ExpectedControl& c)
{
    const RECT want = DialogUnitsToPixels(dlg, c.left, c.top, c.width, c.height);
    const RECT got = RectInDialog(dlg, w);
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    if (&c.kind == &kDropList) {
        EXPECT_EQ(want.right, got.right);
        RECT dropped = {};
        SendMessageA(w, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        EXPECT_NEAR(want.bottom - want.top, dropped.bottom - dropped.top, got.bottom - got.top + 2);
    } else if (&c.kind == &kBitmap) {
        EXPECT_NEAR(want.right, got.right, 2) << "picture width";
        EXPECT_NEAR(want.bottom, got.bottom, 2) << "picture height";
    } else if (&c.kind == &kUpDown) {
        EXPECT_EQ(want.bottom, got.bottom);
        EXPECT_GE(want.right, got.right);
        EXPECT_LT(want.left + 8, got.right);
    } else {
        EXPECT_EQ(want.right, got.right);
        EXPECT_EQ(want.bottom, got.bottom);
    }
}

class Dialogs : public PerModule
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
    }
    // The copy dialog is visible by its template, and taking a visible window down costs
    // Wine seconds without a window manager: one copy per module serves every test.
    static void TearDownTestSuite()
    {
        for (auto& entry : copyDialogs_)
            delete entry.second;
        copyDialogs_.clear();
    }
    HWND CopyDialog() const
    {
        ModelessDialog*& dlg = copyDialogs_[GetParam()];
        if (!dlg)
            dlg = new ModelessDialog(Module(), IDD_COPY);
        return dlg->hwnd;
    }
    static std::map<std::string, ModelessDialog*> copyDialogs_;
};
std::map<std::string, ModelessDialog*> Dialogs::copyDialogs_;

TEST_P(Dialogs, CopyDialogFrameAndFont)
{
    HWND dlg = CopyDialog();
    ASSERT_NE(nullptr, dlg);
    const LONG_PTR wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(wanted, StyleOf(dlg) & wanted);
    EXPECT_FALSE(StyleOf(dlg) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_CHILD));
    EXPECT_TRUE(GetWindowLongPtrA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ("QV Copy:", TextOf(dlg));

    RECT client;
    GetClientRect(dlg, &client);
    const RECT want = DialogUnitsToPixels(dlg, 0, 0, 389, 288);
    EXPECT_EQ(want.right, client.right);
    EXPECT_EQ(want.bottom, client.bottom);

    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72), lf.lfHeight);
    ReleaseDC(nullptr, screen);
}

TEST_P(Dialogs, CopyDialogControlsInTemplateOrderWithKindTextAndRectangle)
{
    HWND dlg = CopyDialog();
    ASSERT_NE(nullptr, dlg);
    HWND w = GetWindow(dlg, GW_CHILD);
    for (const ExpectedControl& c : kCopyDialogControls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        ASSERT_NE(nullptr, w);
        ASSERT_EQ(c.id, GetDlgCtrlID(w)) << "tab order";
        EXPECT_TRUE(StyleOf(w) & WS_VISIBLE);
        ExpectKind(w, c.kind);
        if (c.text) {
            EXPECT_EQ(c.text, TextOf(w));
        }
        ExpectRectangle(dlg, w, c);
        w = GetWindow(w, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, w) << "a control more than the table";
}

TEST_P(Dialogs, AboutBoxHasIconTextsAndOk)
{
    ModelessDialog dlg(Module(), IDD_ABOUTBOX);
    ASSERT_NE(nullptr, dlg.hwnd);
    for (int id : {IDC_ABOUT_NOTICE, IDC_ABOUT_BUILD, IDC_ABOUT_DATE})
        EXPECT_TRUE(IsOfClass(GetDlgItem(dlg.hwnd, id), "Static")) << id;
    EXPECT_EQ("OK", TextOf(GetDlgItem(dlg.hwnd, IDOK)));
    bool iconShown = false;
    for (HWND w = GetWindow(dlg.hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        iconShown = iconShown || ((StyleOf(w) & SS_TYPEMASK) == SS_ICON && SendMessageA(w, STM_GETICON, 0, 0));
    EXPECT_TRUE(iconShown);
}

TEST_P(Dialogs, StatusDialogHasMessageIconAndThreeButtons)
{
    ModelessDialog dlg(Module(), IDD_STATUS);
    ASSERT_NE(nullptr, dlg.hwnd);
    HWND message = GetDlgItem(dlg.hwnd, IDC_STATUS_MESSAGE);
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(SS_LEFT, StyleOf(message) & SS_TYPEMASK) << "the message wraps";
    const RECT room = DialogUnitsToPixels(dlg.hwnd, 0, 0, 252, 35), got = RectInDialog(dlg.hwnd, message);
    EXPECT_EQ(room.right, got.right - got.left);
    EXPECT_EQ(room.bottom, got.bottom - got.top);
    EXPECT_NE(0, SendMessageA(GetDlgItem(dlg.hwnd, IDC_STATUS_ICON), STM_GETICON, 0, 0));

    HWND cont = GetDlgItem(dlg.hwnd, IDC_BTN_CONTINUE), cancel = GetDlgItem(dlg.hwnd, IDC_BTN_CANCEL),
         single = GetDlgItem(dlg.hwnd, IDC_BTN_SINGLE);
    ASSERT_TRUE(cont && cancel && single);
    EXPECT_EQ(BS_DEFPUSHBUTTON | WS_VISIBLE, StyleOf(cont) & (BS_TYPEMASK | WS_VISIBLE));
    EXPECT_TRUE(StyleOf(cancel) & WS_VISIBLE);
    EXPECT_FALSE(StyleOf(single) & WS_VISIBLE);

    // The single button stands in the middle, between Continue and Cancel.
    RECT client, c = RectInDialog(dlg.hwnd, cont), x = RectInDialog(dlg.hwnd, cancel),
                 s = RectInDialog(dlg.hwnd, single);
    GetClientRect(dlg.hwnd, &client);
    EXPECT_NEAR(client.right / 2, (s.left + s.right) / 2, 2);
    EXPECT_TRUE(c.right < x.left && c.left < s.left && x.right > s.right);
}

INSTANTIATE_PER_MODULE(Dialogs);

}  // namespace
