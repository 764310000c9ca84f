#include "app/AboutDlg.h"

#include "records/AppGlobals.h"
#include "res/resource.h"
#include "res/version.h"

namespace replika {

static const COLORREF kWhite = RGB(255, 255, 255);

const char CAboutDlg::kBuildNumber[] = QV_VERSION_TEXT;
const char CAboutDlg::kVersionDate[] = QV_VERSION_DATE;
static const char kNotice[] = "QV Copy, the copy program of the all-in-one device";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD, NULL) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BOOL bRTL = g_bRTLLayout;
    RECT rcClient;
    GetClientRect(&rcClient);
    m_brBackground.CreateSolidBrush(kWhite);

    m_btnOK.SendMessage(BM_SETSTYLE, BS_OWNERDRAW, TRUE);
    m_btnOK.ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0);
    m_btnOK.SetImages(IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_BUTTON_DISABLED, IMAGE_KIND_PNG, bRTL);
    m_btnOK.SetOwnerBackground(rcClient, kWhite, kWhite);

    const struct
    {
        int nID;
        const char* pszText;
    } texts[] = {{IDC_ABOUT_NOTICE, kNotice}, {IDC_ABOUT_BUILD, kBuildNumber}, {IDC_ABOUT_DATE, kVersionDate}};
    for (const auto& text : texts)
        if (CWnd* pItem = GetDlgItem(text.nID))
            pItem->SetWindowText(text.pszText);
    return TRUE;
}

void CAboutDlg::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    CPen pen(PS_SOLID, 1, kWhite);
    CPen* pOldPen = dc.SelectObject(&pen);
    for (int y = rc.top; y < rc.bottom; ++y) {
        dc.MoveTo(rc.left, y);
        dc.LineTo(rc.right, y);
    }
    dc.SelectObject(pOldPen);
}

HBRUSH CAboutDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH hBrush = BackgroundCtlColor(pDC, nCtlColor, m_brBackground))
        return hBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

}  // namespace replika
