#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <map>
#include <string>
#include <vector>
#include "modules.h"
#include "res/resource.h"

namespace {

enum class Kind {
    Text, GroupBox, FirstRadio, Radio, PushButton, WhiteFrame, BlackFrame, Bitmap,
    NumberEdit, UpDown, Trackbar, DropList
};

struct ExpectedControl {
    int id;
    Kind kind;
    int left, top, width, height;   // dialog units
    const char* text;               // nullptr: no text to compare
};

// The copy dialog's controls in template (tab) order.
const ExpectedControl kCopyDialogControls[] = {
    {IDC_STC_ORIGINAL, Kind::Text, 18, 39, 36, 9, "Original: "},
    {IDC_GRP_ORIGINAL, Kind::GroupBox, 7, 43, 378, 36, ""},
    {IDC_RBN_TEXT, Kind::FirstRadio, 14, 49, 83, 8, "&Text"},
    {IDC_RBN_PHOTO, Kind::Radio, 14, 58, 83, 8, "&Photo"},
    {IDC_RBN_MIXED, Kind::Radio, 14, 67, 83, 8, "&Mixed"},
    {IDC_STC_COPY_IN_PROGRESS, Kind::Text, 285, 59, 83, 8, "Copy in Progress"},
    {IDC_STC_BUSY_STRIP, Kind::WhiteFrame, 270, 68, 90, 6, nullptr},
    {IDC_GRP_COPY, Kind::GroupBox, 7, 85, 378, 59, ""},
    {IDC_STC_COPY, Kind::Text, 18, 81, 26, 9, "Copy: "},
    {IDC_GRP_PAPER, Kind::GroupBox, 7, 139, 238, 89, " "},
    {IDC_STC_COPIES, Kind::Text, 38, 102, 75, 8, "N&umber of copies:"},
    {IDC_EDB_COPIES, Kind::NumberEdit, 51, 114, 24, 14, nullptr},
    {IDC_SPN_COPIES, Kind::UpDown, 74, 114, 11, 14, nullptr},
    {IDC_LINE_COPIES, Kind::BlackFrame, 128, 94, 1, 42, nullptr},
    {IDC_STC_QUALITY, Kind::Text, 164, 93, 28, 8, "Quality:"},
    {IDC_RBN_BEST, Kind::FirstRadio, 164, 104, 62, 8, "&Best"},
    {IDC_RBN_NORMAL, Kind::Radio, 164, 113, 62, 8, "&Normal"},
    {IDC_RBN_FAST, Kind::Radio, 164, 122, 62, 8, "&Fast"},
    {IDC_LINE_QUALITY, Kind::BlackFrame, 245, 94, 1, 42, nullptr},
    {IDC_STC_CONTRAST, Kind::Text, 301, 102, 31, 8, "C&ontrast:"},
    {IDC_PIC_LIGHTER, Kind::Bitmap, 260, 113, 15, 13, nullptr},
    {IDC_PIC_DARKER, Kind::Bitmap, 362, 113, 15, 13, nullptr},
    {IDC_SLD_CONTRAST, Kind::Trackbar, 274, 112, 84, 24, nullptr},
    {IDC_LINE_PAPER, Kind::BlackFrame, 16, 143, 222, 1, nullptr},
    {IDC_STC_PAPER, Kind::Text, 52, 149, 62, 8, "Paper:"},
    {IDC_STC_SOURCE, Kind::Text, 14, 160, 89, 9, "&Source"},
    {IDC_COB_SOURCE, Kind::DropList, 14, 168, 105, 50, nullptr},
    {IDC_STC_SIZE, Kind::Text, 14, 180, 89, 9, "Si&ze"},
    {IDC_COB_SIZE, Kind::DropList, 14, 189, 105, 50, nullptr},
    {IDC_STC_TYPE, Kind::Text, 14, 200, 89, 9, "Typ&e"},
    {IDC_COB_TYPE, Kind::DropList, 14, 209, 105, 50, nullptr},
    {IDC_LINE_IMAGE_SIZE, Kind::BlackFrame, 128, 158, 1, 61, nullptr},
    {IDC_STC_IMAGE_SIZE, Kind::Text, 163, 149, 78, 8, "Copy Image Size:"},
    {IDC_RBN_ACTUAL_SIZE, Kind::FirstRadio, 164, 162, 77, 8, "&Actual Size"},
    {IDC_RBN_FIT_TO_PAGE, Kind::Radio, 164, 171, 77, 8, "Fit To Pa&ge"},
    {IDC_RBN_BORDERLESS, Kind::Radio, 164, 180, 77, 8, "Bor&derless"},
    {IDC_RBN_CUSTOM_SIZE, Kind::Radio, 164, 189, 77, 8, "&Custom Size"},
    {IDC_STC_PERCENT, Kind::Text, 174, 200, 26, 8, "Pe&rcent"},
    {IDC_EDB_SCALE, Kind::NumberEdit, 167, 210, 29, 14, nullptr},
    {IDC_SPN_SCALE, Kind::UpDown, 195, 210, 11, 14, nullptr},
    {IDC_GRP_SETTINGS, Kind::GroupBox, 252, 152, 133, 75, " "},
    {IDC_STC_SETTINGS, Kind::Text, 261, 148, 37, 9, "Settings: "},
    {IDC_BTN_RESTORE_FACTORY, Kind::PushButton, 260, 169, 117, 16, "Restore Factor&y"},
    {IDC_BTN_SAVE, Kind::PushButton, 260, 196, 117, 15, "Sa&ve Settings"},
    {IDC_BTN_COLOR, Kind::PushButton, 7, 232, 117, 15, "Co&lor Copy"},
    {IDC_BTN_BLACK, Kind::PushButton, 129, 232, 117, 15, "Blac&k Copy"},
    {IDC_BTN_HELP, Kind::PushButton, 260, 232, 117, 15, "&Help"},
};

INT_PTR CALLBACK NoLogicDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

// A dialog created modeless from a template, destroyed with the test.
class ModelessDialog {
public:
    ModelessDialog(HMODULE module, int templateId)
        : hwnd_(CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), nullptr, NoLogicDialogProc, 0)) {}
    ~ModelessDialog() { if (hwnd_) DestroyWindow(hwnd_); }
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;
    HWND hwnd() const { return hwnd_; }
private:
    HWND hwnd_;
};

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string TextOf(HWND w) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

LONG_PTR StyleOf(HWND w) { return GetWindowLongPtrA(w, GWL_STYLE); }

// Like the dialog manager, position and size are converted separately, each rounded.
RECT DialogUnitsToPixels(HWND dlg, int left, int top, int width, int height) {
    RECT r = {left, top, width, height};
    MapDialogRect(dlg, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT RectInDialog(HWND dlg, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A drop-down list shows its scroll bar style only while it is open with more entries
// than fit.
bool ListScrollsVertically(HWND combo) {
    for (int i = 0; i < 40; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    const bool scrolls = (StyleOf(info.hwndList) & WS_VSCROLL) != 0;
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    return scrolls;
}

bool Is(const char* expected, const std::string& actual) { return lstrcmpiA(expected, actual.c_str()) == 0; }

// Checks the window class and the styles that make the control what the table says.
void ExpectKind(HWND w, Kind kind) {
    const std::string cls = ClassOf(w);
    const LONG_PTR style = StyleOf(w);
    switch (kind) {
    case Kind::Text:
        EXPECT_TRUE(Is("Static", cls)) << cls;
        EXPECT_EQ(SS_LEFT, style & SS_TYPEMASK);
        break;
    case Kind::WhiteFrame:
    case Kind::BlackFrame:
        EXPECT_TRUE(Is("Static", cls)) << cls;
        EXPECT_EQ(kind == Kind::WhiteFrame ? SS_WHITEFRAME : SS_BLACKFRAME, style & SS_TYPEMASK);
        break;
    case Kind::Bitmap:
        EXPECT_TRUE(Is("Static", cls)) << cls;
        EXPECT_EQ(SS_BITMAP, style & SS_TYPEMASK);
        EXPECT_NE(0, SendMessageA(w, STM_GETIMAGE, IMAGE_BITMAP, 0)) << "bitmap not loaded";
        break;
    case Kind::GroupBox:
        EXPECT_TRUE(Is("Button", cls)) << cls;
        EXPECT_EQ(BS_GROUPBOX, style & BS_TYPEMASK);
        break;
    case Kind::FirstRadio:
    case Kind::Radio:
        EXPECT_TRUE(Is("Button", cls)) << cls;
        EXPECT_EQ(BS_AUTORADIOBUTTON, style & BS_TYPEMASK);
        EXPECT_EQ(kind == Kind::FirstRadio, (style & WS_GROUP) != 0) << "first of its group";
        break;
    case Kind::PushButton:
        EXPECT_TRUE(Is("Button", cls)) << cls;
        EXPECT_EQ(BS_PUSHBUTTON, style & BS_TYPEMASK);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    case Kind::NumberEdit: {
        EXPECT_TRUE(Is("Edit", cls)) << cls;
        const LONG_PTR wanted = ES_NUMBER | ES_READONLY | ES_CENTER;
        EXPECT_EQ(wanted, style & wanted);
        const bool bordered = (style & WS_BORDER) || (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_TRUE(bordered);
        break;
    }
    case Kind::UpDown: {
        EXPECT_TRUE(Is(UPDOWN_CLASSA, cls)) << cls;
        const LONG_PTR wanted = UDS_ARROWKEYS | UDS_SETBUDDYINT;
        EXPECT_EQ(wanted, style & wanted);
        break;
    }
    case Kind::Trackbar:
        EXPECT_TRUE(Is(TRACKBAR_CLASSA, cls)) << cls;
        EXPECT_TRUE(style & TBS_AUTOTICKS);
        break;
    case Kind::DropList:
        EXPECT_TRUE(Is("ComboBox", cls)) << cls;
        EXPECT_EQ(CBS_DROPDOWNLIST, style & 3);
        EXPECT_TRUE(ListScrollsVertically(w));
        break;
    }
}

// A drop-down list shows its selection field; its template height is that of the opened
// list, which the system reports with or without the field. A bitmap static takes the size
// of its bitmap. An up-down control may narrow itself to the system's standard width.
void ExpectRectangle(HWND dlg, HWND w, const ExpectedControl& c) {
    const RECT want = DialogUnitsToPixels(dlg, c.left, c.top, c.width, c.height);
    const RECT got = RectInDialog(dlg, w);
    switch (c.kind) {
    case Kind::DropList: {
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right);
        RECT dropped = {};
        SendMessageA(w, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        EXPECT_NEAR(want.bottom - want.top, dropped.bottom - dropped.top, got.bottom - got.top + 2);
        break;
    }
    case Kind::Bitmap:
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_NEAR(want.right - want.left, got.right - got.left, 2) << "picture width";
        EXPECT_NEAR(want.bottom - want.top, got.bottom - got.top, 2) << "picture height";
        break;
    case Kind::UpDown:
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.bottom, got.bottom);
        EXPECT_GE(want.right, got.right);
        EXPECT_LT(want.left + 8, got.right);
        break;
    default:
        EXPECT_TRUE(EqualRect(&want, &got)) << "want " << Describe(want) << " got " << Describe(got);
    }
}

class Dialogs : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
    }
    // The copy dialog is visible by its template, and taking a visible window down costs
    // Wine seconds without a window manager: one copy per module serves every test.
    static void TearDownTestSuite() {
        for (auto& entry : copyDialogs_) delete entry.second;
        copyDialogs_.clear();
    }
    HMODULE Module() const {
        HMODULE m = ResourceModuleNamed(GetParam());
        EXPECT_NE(nullptr, m) << GetParam() << " not found beside the test";
        return m;
    }
    HWND CopyDialog() const {
        ModelessDialog*& dlg = copyDialogs_[GetParam()];
        if (!dlg) dlg = new ModelessDialog(Module(), IDD_COPY);
        return dlg->hwnd();
    }
    static std::map<std::string, ModelessDialog*> copyDialogs_;
};
std::map<std::string, ModelessDialog*> Dialogs::copyDialogs_;

TEST_P(Dialogs, CopyDialogFrameAndFont) {
    HWND dlg = CopyDialog();
    ASSERT_NE(nullptr, dlg);
    const LONG_PTR style = StyleOf(dlg);
    const LONG_PTR wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_CHILD));
    EXPECT_TRUE(GetWindowLongPtrA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ("QV Copy:", TextOf(dlg));

    RECT client;
    GetClientRect(dlg, &client);
    const RECT want = DialogUnitsToPixels(dlg, 0, 0, 389, 288);
    EXPECT_EQ(want.right, client.right);
    EXPECT_EQ(want.bottom, client.bottom);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);
    LOGFONTA lf = {};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72), lf.lfHeight);
    ReleaseDC(nullptr, screen);
}

TEST_P(Dialogs, CopyDialogControlsInTemplateOrder) {
    HWND dlg = CopyDialog();
    ASSERT_NE(nullptr, dlg);
    std::vector<int> want, got;
    for (const ExpectedControl& c : kCopyDialogControls) want.push_back(c.id);
    for (HWND w = GetWindow(dlg, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        got.push_back(GetDlgCtrlID(w));
    EXPECT_EQ(want, got);
}

TEST_P(Dialogs, CopyDialogControlsHaveKindTextAndRectangle) {
    HWND dlg = CopyDialog();
    ASSERT_NE(nullptr, dlg);
    for (const ExpectedControl& c : kCopyDialogControls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND w = GetDlgItem(dlg, c.id);
        ASSERT_NE(nullptr, w);
        EXPECT_TRUE(StyleOf(w) & WS_VISIBLE);
        ExpectKind(w, c.kind);
        if (c.text) {
            EXPECT_EQ(c.text, TextOf(w));
        }
        ExpectRectangle(dlg, w, c);
    }
}

TEST_P(Dialogs, AboutBoxHasIconTextsAndOk) {
    ModelessDialog dlg(Module(), IDD_ABOUTBOX);
    ASSERT_NE(nullptr, dlg.hwnd());
    for (int id : {IDC_ABOUT_NOTICE, IDC_ABOUT_BUILD, IDC_ABOUT_DATE})
        EXPECT_TRUE(Is("Static", ClassOf(GetDlgItem(dlg.hwnd(), id)))) << id;
    HWND ok = GetDlgItem(dlg.hwnd(), IDOK);
    ASSERT_NE(nullptr, ok);
    EXPECT_EQ("OK", TextOf(ok));
    bool iconShown = false;
    for (HWND w = GetWindow(dlg.hwnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if ((StyleOf(w) & SS_TYPEMASK) == SS_ICON && Is("Static", ClassOf(w)))
            iconShown = iconShown || SendMessageA(w, STM_GETICON, 0, 0) != 0;
    EXPECT_TRUE(iconShown);
}

TEST_P(Dialogs, StatusDialogHasMessageIconAndThreeButtons) {
    ModelessDialog dlg(Module(), IDD_STATUS);
    ASSERT_NE(nullptr, dlg.hwnd());
    HWND message = GetDlgItem(dlg.hwnd(), IDC_STATUS_MESSAGE);
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(SS_LEFT, StyleOf(message) & SS_TYPEMASK) << "the message wraps";
    const RECT room = DialogUnitsToPixels(dlg.hwnd(), 0, 0, 252, 35);
    const RECT got = RectInDialog(dlg.hwnd(), message);
    EXPECT_EQ(room.right, got.right - got.left);
    EXPECT_EQ(room.bottom, got.bottom - got.top);

    HWND icon = GetDlgItem(dlg.hwnd(), IDC_STATUS_ICON);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(SS_ICON, StyleOf(icon) & SS_TYPEMASK);
    EXPECT_NE(0, SendMessageA(icon, STM_GETICON, 0, 0));

    HWND cont = GetDlgItem(dlg.hwnd(), IDC_BTN_CONTINUE);
    HWND cancel = GetDlgItem(dlg.hwnd(), IDC_BTN_CANCEL);
    HWND single = GetDlgItem(dlg.hwnd(), IDC_BTN_SINGLE);
    ASSERT_TRUE(cont && cancel && single);
    EXPECT_EQ(BS_DEFPUSHBUTTON, StyleOf(cont) & BS_TYPEMASK);
    EXPECT_TRUE(StyleOf(cont) & WS_VISIBLE);
    EXPECT_TRUE(StyleOf(cancel) & WS_VISIBLE);
    EXPECT_FALSE(StyleOf(single) & WS_VISIBLE);

    // The single button stands in the middle, between Continue and Cancel.
    RECT client, c = RectInDialog(dlg.hwnd(), cont), x = RectInDialog(dlg.hwnd(), cancel),
                 s = RectInDialog(dlg.hwnd(), single);
    GetClientRect(dlg.hwnd(), &client);
    EXPECT_NEAR(client.right / 2, (s.left + s.right) / 2, 2);
    EXPECT_LT(c.right, x.left);
    EXPECT_LT(c.left, s.left);
    EXPECT_GT(x.right, s.right);
}

INSTANTIATE_TEST_SUITE_P(Modules, Dialogs, testing::ValuesIn(ResourceModuleNames()),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
