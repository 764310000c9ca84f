#include "app/CmdLine.h"

namespace replika {

CCmdLine::CCmdLine() : m_nState(EXPECT_NOTHING) {}

// The framework's own handling (file names, print verbs) is left out on purpose.
void CCmdLine::ParseParam(const char* pszParam, BOOL bFlag, BOOL /*bLast*/)
{
    if (bFlag) {
        if (lstrcmpiA(pszParam, "CtxID") == 0) {
            m_cstrProtocol = pszParam;
            m_nState = EXPECT_CTXID;
        } else if (lstrcmpiA(pszParam, "n") == 0) {
            m_cstrProtocol = pszParam;
            m_nState = EXPECT_SCANNER_CTXID;
        }
        return;
    }
    if (m_nState == EXPECT_CTXID || m_nState == EXPECT_SCANNER_CTXID)
        m_cstrCtxID = pszParam;
    m_nState = EXPECT_NOTHING;
}

}  // namespace replika
