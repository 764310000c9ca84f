// Help and the dialog's appearance.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::AttachGroupBoxes() {}
void CCopyUIDlg::AttachCaptions() {}
void CCopyUIDlg::LayOutFrames() {}
void CCopyUIDlg::SetUpPictureButtons() {}
void CCopyUIDlg::LoadBandsAndPictures() {}
void CCopyUIDlg::InitializeToolTip() {}
void CCopyUIDlg::OnBtnHelp() {}
void CCopyUIDlg::InitFliteRec() {}
void CCopyUIDlg::UpdateFliteRecorder() {}
HBRUSH CCopyUIDlg::OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
BOOL CCopyUIDlg::OnEraseBkgnd(CDC* pDC) { return CDialog::OnEraseBkgnd(pDC); }

}  // namespace replika
