// Parts of the dialog's lifecycle that need no window: the font rule and resume from standby.
#include <gtest/gtest.h>

#include "device/DialogAccess.h"
#include "device/FakeCopyAPI.h"

using replika::CCopyUIDlg;

TEST(CopyDialogFont, PixelsPerInchAndScreenWidthChooseThePointSize)
{
    const struct
    {
        int nPixelsPerInch, nScreenWidth, nPoints;  // 0: the template's own font
    } rows[] = {{96, 800, 8},   {96, 1023, 8},   {96, 1024, 0},   {120, 800, 6},
                {120, 1023, 6}, {120, 1024, 8},  {120, 1280, 0},  {144, 800, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(row.nPoints, CCopyUIDlg::DialogFontPointSize(row.nPixelsPerInch, row.nScreenWidth))
            << row.nPixelsPerInch << " ppi, " << row.nScreenWidth << " px";
}

TEST(CopyDialogPower, OnlyTheThreeResumeEventsStartMonitoringAgain)
{
    const struct
    {
        UINT nEvent;
        bool bRestarts;
    } rows[] = {{PBT_APMRESUMECRITICAL, true}, {PBT_APMRESUMESUSPEND, true}, {PBT_APMRESUMEAUTOMATIC, true},
                {PBT_APMSUSPEND, false},       {PBT_APMPOWERSTATUSCHANGE, false}};
    for (const auto& row : rows) {
        FakeCopyAPI device;
        CCopyUIDlg dlg(nullptr, "#QV#Jet#P1", "CtxID");
        Dlg(dlg).m_pCopyAPI = CComPtr<ICopyAPI>::Adopt(&device);
        CWnd& wnd = dlg;
        EXPECT_EQ(0, wnd.WindowProc(WM_POWERBROADCAST, row.nEvent, 0));
        EXPECT_EQ(row.bRestarts ? 13 : -1, device.lastSlot) << row.nEvent;
        Dlg(dlg).m_pCopyAPI.Detach();
    }
    CCopyUIDlg unbound(nullptr, "#QV#Jet#P1", "CtxID");
    CWnd& wnd = unbound;
    EXPECT_EQ(0, wnd.WindowProc(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0));  // no device: nothing to call
}
