// Constraint rules: the device's mask chooses which of the sixteen rules run.
#include "dialog/CopyUIDlg.h"

namespace replika {

void CCopyUIDlg::UIConstraints(int) {}
void CCopyUIDlg::RestrictnAA() {}
void CCopyUIDlg::RestrictnAB() {}
void CCopyUIDlg::RestrictnAC() {}
void CCopyUIDlg::RestrictnAD() {}
void CCopyUIDlg::RestrictnAE() {}
void CCopyUIDlg::RestrictnAF() {}
void CCopyUIDlg::RestrictnAG() {}
void CCopyUIDlg::RestrictnAH() {}
void CCopyUIDlg::RestrictnAI() {}
void CCopyUIDlg::RestrictnAJ() {}
void CCopyUIDlg::RestrictnAK() {}
void CCopyUIDlg::RestrictnAL() {}
void CCopyUIDlg::RestrictnAM() {}
void CCopyUIDlg::RestrictnAN() {}
void CCopyUIDlg::RestrictnAO() {}
void CCopyUIDlg::RestrictnAP() {}

}  // namespace replika
