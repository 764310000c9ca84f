// The real program for a copier set-up, started as a user starts it: Color Copy takes the
// original from a folder or from a scanner's glass, and the printer's page carries it at
// true size.
#include <gtest/gtest.h>

#include "../copier/CopierFixture.h"
#include "PrintCheck.h"
#include "res/resource.h"

using copiertest::CopierFixture;


TEST_F(CopierFixture, TheProgramCopiesFromAFolderAndFromAScanner)
{
    qvtest::ComApartment com;  // the original is written through WIC
    copiertest::RegistrationScope registrations;
    qvtest::SimFolder sim;  // the stand-in scanner with an empty feeder
    ASSERT_TRUE(copiertest::WriteOriginal(m_source.File("original.png")));
    const std::string sources[] = {"\"" + m_source.Path() + "\"",
                                   "\"wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000\""};
    int device = 0;
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        const std::string tag = copiertest::Tag(std::to_string(++device).c_str());
        ASSERT_EQ(0u, Tool("add " + tag + " --source " + source + " --printer PDF").exitCode);
        if (Tool("use copier").exitCode != 0)
            GTEST_SKIP() << "the copier's device component is not built";
        copiertest::SettingsFilesScope settings("copier-" + std::to_string(device));
        qvtest::ChildProcess app(qvtest::ProgramCommand("-CtxID \"#QV#Copier#copier-" + std::to_string(device) + "\""));
        HWND hDlg = app.WaitForWindow();
        ASSERT_NE(nullptr, hDlg) << app.State();
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_BTN_COLOR, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDC_BTN_COLOR)));

        copiertest::PrintedPdf pdf(tag);
        ASSERT_TRUE(pdf.Found());
        EXPECT_EQ(1, pdf.Pages());
        copiertest::RenderedPage page = pdf.Render(1, 150);
        page.ExpectSquare(copiertest::kSquareMm);
        EXPECT_TRUE(app.Running()) << "the dialog stays after the copy";
    }
}
