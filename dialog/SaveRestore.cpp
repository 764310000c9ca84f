// Save Settings and Restore Factory.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::OnBtnRestoreFactory() {}
void CCopyUIDlg::OnBtnSave() {}

}  // namespace replika
