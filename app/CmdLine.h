// The command line: "-CtxID" or "-n", each followed by the context ID.
#pragma once

#include "framework/afxwin.h"

namespace replika {

class CCmdLine : public CCommandLineInfo
{
public:
    CCmdLine();

    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    CString GetCtxID() const { return m_cstrCtxID; }
    CString GetProtocol() const { return m_cstrProtocol; }

private:
    enum { EXPECT_NOTHING = 0, EXPECT_CTXID = 1, EXPECT_SCANNER_CTXID = 2 };

    CString m_cstrCtxID;
    CString m_cstrProtocol;
    int m_nState;
};

}  // namespace replika
