// Help and the dialog's appearance.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::OnBtnHelp() {}
HBRUSH CCopyUIDlg::OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
BOOL CCopyUIDlg::OnEraseBkgnd(CDC* pDC) { return CDialog::OnEraseBkgnd(pDC); }

}  // namespace replika
