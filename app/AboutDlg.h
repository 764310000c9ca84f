// The "About QV Copy" box (template 100): program icon, notice line, build number,
// version date and a picture OK button on a white background.
#pragma once

#include "controls/ImgButton.h"
#include "framework/afxwin.h"

namespace replika {

class CAboutDlg : public CDialog
{
public:
    enum { IDD = 100 };

    CAboutDlg();

    static const char kBuildNumber[];
    static const char kVersionDate[];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brBackground;
    CImgButton m_btnOK;
};

}  // namespace replika
