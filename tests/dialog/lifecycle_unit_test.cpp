// Parts of the dialog's lifecycle that need no window: the font rule and resume from standby.
#include <gtest/gtest.h>

#include "device/DialogAccess.h"
#include "device/FakeCopyAPI.h"

using replika::CCopyUIDlg;

TEST(CopyDialogLifecycle, PixelsPerInchAndScreenWidthChooseTheFontSize)
{
    const int rows[][3] = {{96, 800, 8},   {96, 1023, 8},  {96, 1024, 0},  {120, 800, 6},   // ppi, width, points
                           {120, 1023, 6}, {120, 1024, 8}, {120, 1280, 0}, {144, 800, 0}};  // 0: the template's
    for (const auto& row : rows)
        EXPECT_EQ(row[2], replika::CCopyUIDlgTestAccess::DialogFontPointSize(row[0], row[1]))
            << row[0] << " ppi, " << row[1] << " px";
}

TEST(CopyDialogLifecycle, OnlyTheThreeResumeEventsStartMonitoringAgain)
{
    for (UINT nEvent : {PBT_APMRESUMECRITICAL, PBT_APMRESUMESUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMSUSPEND,
                        PBT_APMPOWERSTATUSCHANGE}) {
        FakeCopyAPI device;
        CCopyUIDlg dlg(nullptr, "#QV#Jet#P1", "CtxID");
        Dlg(dlg).m_pCopyAPI = CComPtr<ICopyAPI>::Adopt(&device);
        EXPECT_EQ(0, static_cast<CWnd&>(dlg).WindowProc(WM_POWERBROADCAST, nEvent, 0));
        EXPECT_EQ(nEvent == PBT_APMSUSPEND || nEvent == PBT_APMPOWERSTATUSCHANGE ? -1 : 13, device.lastSlot) << nEvent;
    }
}
