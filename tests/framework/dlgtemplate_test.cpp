#include "testsupport.h"


namespace {

// Ends during initialisation, having noted its width, its items and one item's text.
struct CMeasureDlg : public CDialog
{
    int nWidth = 0, nItems = 0, nIdSum = 0;
    std::string text;
    BOOL OnInitDialog() override
    {
        CRect rc;
        GetClientRect(&rc);
        nWidth = rc.right;
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT), ++nItems)
            nIdSum += ::GetDlgCtrlID(h);
        text = qvtest::WindowText(::GetDlgItem(m_hWnd, 1012));
        EndDialog(IDOK);
        return TRUE;
    }
};

}  // namespace

// The copy dialog's own template (extended, with a font) runs with a smaller font.
TEST(DialogTemplateTest, ExtendedTemplateCopyTakesAnotherFont)
{
    CDialogTemplate original, smaller;
    ASSERT_TRUE(original.Load(MAKEINTRESOURCEA(102)));
    ASSERT_TRUE(smaller.Load(MAKEINTRESOURCEA(102)));
    ASSERT_TRUE(smaller.SetFont("Arial", 6));
    CMeasureDlg big, small;
    big.InitModalIndirect(original.m_hTemplate);
    small.InitModalIndirect(smaller.m_hTemplate);
    ASSERT_EQ(IDOK, big.DoModal());
    ASSERT_EQ(IDOK, small.DoModal());
    EXPECT_GT(big.nItems, 40);
    EXPECT_EQ(big.nItems, small.nItems);
    EXPECT_EQ(big.nIdSum, small.nIdSum);
    EXPECT_EQ(big.text, small.text);
    EXPECT_LT(small.nWidth, big.nWidth);
}
