#include "testsupport.h"

namespace {

// Runs the template modally, ending during initialisation: client width,
// item ids and the text of one item.
struct Measures
{
    int nWidth = 0, nItems = 0, nIdSum = 0;
    CString text;
};

Measures Measure(HGLOBAL hTemplate, int nTextID)
{
    class CMeasureDlg : public CDialog
    {
    public:
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            CRect rc;
            GetClientRect(&rc);
            m.nWidth = rc.Width();
            for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT), ++m.nItems)
                m.nIdSum += ::GetDlgCtrlID(h);
            GetDlgItemText(nTextID, m.text);
            EndDialog(IDOK);
            return TRUE;
        }
        int nTextID = 0;
        Measures m;
    } dlg;
    dlg.nTextID = nTextID;
    dlg.InitModalIndirect(hTemplate);
    EXPECT_EQ(IDOK, dlg.DoModal());
    return dlg.m;
}

}  // namespace

TEST(DialogTemplateTest, ExtendedTemplateCopyTakesAnotherFont)
{
    CDialogTemplate original, smaller;
    ASSERT_TRUE(original.Load(MAKEINTRESOURCEA(102)));
    ASSERT_TRUE(smaller.Load(MAKEINTRESOURCEA(102)));
    CString face;
    WORD nSize = 0;
    ASSERT_TRUE(original.GetFont(face, nSize));
    EXPECT_STREQ("Arial", face);
    EXPECT_EQ(10, nSize);

    ASSERT_TRUE(smaller.SetFont("Arial", 6));
    ASSERT_TRUE(smaller.GetFont(face, nSize));
    EXPECT_EQ(6, nSize);
    EXPECT_EQ(smaller.m_dwTemplateSize, CDialogTemplate::GetTemplateSize((const DLGTEMPLATE*)smaller.m_hTemplate));

    Measures big = Measure(original.m_hTemplate, 1012);
    Measures small = Measure(smaller.m_hTemplate, 1012);
    EXPECT_GT(big.nItems, 40);
    EXPECT_EQ(big.nItems, small.nItems);
    EXPECT_EQ(big.nIdSum, small.nIdSum);
    EXPECT_STREQ(big.text, small.text);
    EXPECT_LT(small.nWidth, big.nWidth);
}
