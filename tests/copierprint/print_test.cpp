// The copier's real print path: an original of known geometry copied through the
// component to the PDF printer, the PDF rendered back and measured.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "PrintCheck.h"
#include "copier/device/DeviceCodes.h"

namespace {

using copiertest::BoundCopier;
using copiertest::PrintedPdf;
using copiertest::Rgb;
using copiertest::Tag;

const char kPdfPrinter[] = "PDF";
const double kA4WidthPt = 595.3, kA4HeightPt = 841.9;

using copiertest::Coloured;
using copiertest::Dark;
using copiertest::Inked;

struct PrintCase
{
    const char* what;
    int files;
    int32_t mode, percent, copies, color, paperSize;
    int pages;
    double squareMm;   // 0: not measured
    bool fillsWidth;   // the inked area spans the page's width
    bool fillsPage;    // ... and its height
    double widthPt, heightPt;
};

TEST(CopierPrint, CopiesComeOutAtTheRightSizeCountAndColour)
{
    qvtest::ComApartment com;
    const PrintCase cases[] = {
        {"actual size is true size", 1, 1, 100, 1, 1, 9, 1, 50.0, false, false, kA4WidthPt, kA4HeightPt},
        {"custom 50 %", 1, 1, 50, 1, 1, 9, 1, 25.0, false, false, kA4WidthPt, kA4HeightPt},
        {"fit to page fills the printable width", 1, 5, 100, 1, 1, 9, 1, 0, true, false, kA4WidthPt, kA4HeightPt},
        {"borderless fills the page", 1, 7, 100, 1, 1, 9, 1, 0, true, true, kA4WidthPt, kA4HeightPt},
        {"three copies, three pages", 1, 1, 100, 3, 1, 9, 3, 50.0, false, false, kA4WidthPt, kA4HeightPt},
        {"black copy", 1, 1, 100, 1, 0, 9, 1, 50.0, false, false, kA4WidthPt, kA4HeightPt},
        {"four originals, four pages", 4, 1, 100, 1, 1, 9, 4, 50.0, false, false, kA4WidthPt, kA4HeightPt},
        {"the chosen paper size", 1, 1, 100, 1, 1, 2, 1, 50.0, false, false, 612.0, 792.0},
    };
    int index = 0;
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.what);
        qvtest::TempFolder originals("qvorig");
        for (int i = 0; i < c.files; ++i)
            ASSERT_TRUE(copiertest::WriteOriginal(originals.File("page" + std::to_string(i) + (i % 2 ? ".bmp" : ".png")),
                                                  i % 2 ? "bmp" : "png"));
        BoundCopier copier(Tag(std::to_string(++index).c_str()), originals.Path(), kPdfPrinter);
        ASSERT_EQ(S_OK, copier.BindResult());
        CopierFunctional caps = {};
        ASSERT_EQ(S_OK, copier.Api()->GetCapabilities(&caps));
        CopyJobParams job = copiertest::PlainJob();
        job.nSpecialFeatureMode = c.mode;
        job.nReduceEnlarge = c.percent;
        job.nNbrCopies = c.copies;
        job.bColorCopyRequested = c.color;
        job.nPaperSize = c.paperSize;
        ASSERT_EQ(S_OK, copier.Api()->SubmitCopy(job));

        PrintedPdf pdf(copier.Tag());
        ASSERT_TRUE(pdf.Found());
        EXPECT_EQ(c.pages, pdf.Pages());
        EXPECT_NEAR(c.widthPt, pdf.WidthPt(), 1.0);
        EXPECT_NEAR(c.heightPt, pdf.HeightPt(), 1.0);
        copiertest::RenderedPage page = pdf.Render(c.pages, 150);
        ASSERT_GT(page.width, 0);
        if (c.squareMm > 0) {
            page.ExpectSquare(c.squareMm);
        }
        std::array<int, 4> inked = page.Box(Inked);
        if (c.fillsWidth) {
            EXPECT_LE(inked[0], 1);
            EXPECT_GE(inked[2], page.width - 1);
        }
        if (c.fillsPage) {
            EXPECT_LE(inked[1], 1);
            EXPECT_GE(inked[3], page.height - 1);
        }
        EXPECT_EQ(c.color == 0, page.Box(Coloured)[2] < 0);
    }
}

struct FailureCase
{
    const char* what;
    const char* printer;
    const char* file;     // written into the folder; null: the folder stays empty
    const char* content;  // null: the test original
    HRESULT capabilities, submit;
    LONG docInFeeder;  // -1: not asked (a gone printer is noticed by a poll)
};

TEST(CopierPrint, FailuresGiveTheDialogsCodesAndPrintNothing)
{
    qvtest::ComApartment com;
    const FailureCase cases[] = {
        {"the printer is gone", "QV No Such Printer", "a.png", nullptr, kNotResponding, kNotResponding, -1},
        {"an unreadable original", kPdfPrinter, "b.png", "no picture in here", S_OK, kOriginalUnreadable, 1},
        {"an empty folder", kPdfPrinter, nullptr, nullptr, S_OK, kNoOriginal, 0},
    };
    int index = 0;
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        qvtest::TempFolder originals("qvorig");
        if (c.file && c.content) {
            qvtest::WriteBytes(originals.File(c.file), c.content);
        } else if (c.file) {
            ASSERT_TRUE(copiertest::WriteOriginal(originals.File(c.file)));
        }
        BoundCopier copier(Tag(("f" + std::to_string(++index)).c_str()), originals.Path(), c.printer);
        ASSERT_EQ(S_OK, copier.BindResult());
        CopierFunctional caps = {};
        EXPECT_EQ(c.capabilities, copier.Api()->GetCapabilities(&caps));
        if (SUCCEEDED(c.capabilities)) {
            EXPECT_EQ(0x400, caps.nConstraintMask & 0x400);  // originals only through the feeder
        }
        LONG doc = -1;
        if (c.docInFeeder >= 0 && SUCCEEDED(copier.Api()->GetDocInADF(&doc))) {
            EXPECT_EQ(c.docInFeeder, doc);
        }
        EXPECT_EQ(c.submit, copier.Api()->SubmitCopy(copiertest::PlainJob()));
        EXPECT_FALSE(copiertest::AnyPdfFor(copier.Tag()));
    }
}

// A printer removed while a long job prints: the job is abandoned, nothing comes out, and
// the device counts as gone.
TEST(CopierPrint, APrinterRemovedMidJobEndsTheJobAndTheDevice)
{
    qvtest::ComApartment com;
    qvtest::TempFolder originals("qvorig");
    ASSERT_TRUE(copiertest::WriteOriginal(originals.File("a.png")));
    copiertest::SparePrinter printer;
    BoundCopier copier(Tag("gone"), originals.Path(), copiertest::SparePrinter::Name());
    ASSERT_EQ(S_OK, copier.BindResult());
    CopyJobParams job = copiertest::PlainJob();
    job.nNbrCopies = 40;
    ASSERT_EQ(S_OK, copier.Api()->SubmitCopy(job));
    ASSERT_TRUE(printer.Remove());
    LONG doc = 0;
    EXPECT_TRUE(qvtest::PumpUntil([&] { return copier.Api()->GetDocInADF(&doc) == kNotResponding; }, 30000));
    EXPECT_EQ(kNotResponding, copier.Api()->SubmitCopy(job));
    EXPECT_FALSE(copiertest::AnyPdfFor(copier.Tag()));
}

TEST(CopierPrint, ASecondJobWhileOneRunsIsBusy)
{
    qvtest::ComApartment com;
    qvtest::TempFolder originals("qvorig");
    ASSERT_TRUE(copiertest::WriteOriginal(originals.File("a.png")));
    BoundCopier copier(Tag("busy"), originals.Path(), kPdfPrinter);
    ASSERT_EQ(S_OK, copier.BindResult());
    CopyJobParams job = copiertest::PlainJob();
    job.nNbrCopies = 5;
    ASSERT_EQ(S_OK, copier.Api()->SubmitCopy(job));
    EXPECT_EQ(kDeviceBusy, copier.Api()->SubmitCopy(job));
    PrintedPdf pdf(copier.Tag());
    EXPECT_EQ(5, pdf.Pages());
}

}  // namespace
