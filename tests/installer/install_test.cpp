// The installed program, driven from outside in the installer test's own Wine prefix
// (run.sh installs the package and sets up a copier first): a colour copy reaches the PDF
// printer, and Help opens the installed guide in the browser.
#include <cstdlib>

#include "DialogDriver.h"
#include "res/resource.h"

namespace {

std::string Env(const char* pszName) { return getenv(pszName) ? getenv(pszName) : ""; }

// Removes the files the pattern matches; false when there is none.
bool RemoveFilesLike(const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(pattern.c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    std::string folder = pattern.substr(0, pattern.find_last_of('\\') + 1);
    do
        DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return true;
}

}  // namespace

TEST(InstalledProgram, CopiesToThePrinterAndOpensTheGuide)
{
    const std::string program = Env("QV_INSTALLED_PROGRAM"), setup = Env("QV_SETUP_NAME");
    if (program.empty())
        GTEST_SKIP() << "tests/installer/run.sh installs the package and runs this";
    const std::string browserLog = Env("QV_BROWSER_LOG");
    dlgtest::CopyProgram copy(Env("QV_SETUP_CTXID"), program.c_str());
    ASSERT_NE(nullptr, copy.WaitForDialog()) << copy.Process().State();

    copy.Click(IDC_BTN_COLOR);
    const std::string pdfs = Env("QV_PDF_DIR") + "\\*" + setup + "_copy_*.pdf";
    EXPECT_TRUE(dlgtest::WaitUntil([&] { return RemoveFilesLike(pdfs); }, 120000)) << "no " << pdfs;

    copy.ClickLater(IDC_BTN_HELP);
    EXPECT_TRUE(
        dlgtest::WaitUntil([&] { return dlgtest::Has(qvtest::ReadBytes(browserLog), "docs/guide.html"); }, 30000))
        << "the browser was given: " << qvtest::ReadBytes(browserLog);
    EXPECT_TRUE(copy.Close());
}
