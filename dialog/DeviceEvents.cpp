// Device events: feeder, busy and idle, ink low and disconnect, for this dialog's context only.
#include "dialog/CopyUIDlg.h"

UINT g_uPaperInADFMsg = 0;
UINT g_uDeviceBusyMsg = 0;
UINT g_uInkLowMsg = 0;
UINT g_uDeviceDisconnectMsg = 0;

namespace replika {

LRESULT CCopyUIDlg::OnPaperInADF(WPARAM, LPARAM) { return 0; }
LRESULT CCopyUIDlg::OnDeviceBusy(WPARAM, LPARAM) { return 0; }
LRESULT CCopyUIDlg::OnInkLow(WPARAM, LPARAM) { return 0; }
LRESULT CCopyUIDlg::OnDeviceDisconnect(WPARAM, LPARAM) { return 0; }
void CCopyUIDlg::EnterBusyState() {}
void CCopyUIDlg::LeaveBusyState() {}
void CCopyUIDlg::CustomSizeFromWorker(CWnd*) {}
void CCopyUIDlg::OnTimer(UINT_PTR) {}

}  // namespace replika
