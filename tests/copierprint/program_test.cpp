// The real program for a scanner set-up, started as a user starts it: Color Copy scans
// the original on the glass and the printer's page carries it at true size.
#include <gtest/gtest.h>

#include "../copier/CopierFixture.h"
#include "PrintCheck.h"
#include "res/resource.h"

using copiertest::CopierFixture;

TEST_F(CopierFixture, TheProgramCopiesFromAScannerToThePrinter)
{
    copiertest::RegistrationScope registrations;
    qvtest::SimFolder sim;  // the stand-in scanner with an empty feeder
    const std::string tag = copiertest::Tag("program");
    ASSERT_EQ(0u, Tool("add " + tag + " --source \"wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000\" --printer PDF")
                      .exitCode);
    if (Tool("use copier").exitCode != 0)
        GTEST_SKIP() << "the copier's device component is not built";
    qvtest::ChildProcess app(qvtest::ProgramCommand("-CtxID \"#QV#Copier#copier-1\""));
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg) << app.State();
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_BTN_COLOR, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDC_BTN_COLOR)));

    copiertest::PrintedPdf pdf(tag);
    ASSERT_TRUE(pdf.Found());
    EXPECT_EQ(1, pdf.Pages());
    copiertest::RenderedPage page = pdf.Render(1, 150);
    std::array<int, 4> square = page.Box(copiertest::Dark);
    EXPECT_NEAR(copiertest::kSquareMm, page.Mm(square[2] - square[0]), 1.0);
    EXPECT_NEAR(copiertest::kSquareMm, page.Mm(square[3] - square[1]), 1.0);
    EXPECT_TRUE(app.Running()) << "the dialog stays after the copy";
}
