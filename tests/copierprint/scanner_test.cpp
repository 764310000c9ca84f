// The copier's scanner source against the WIA stand-in: what a scan prints, what the
// scanner's failures answer, and what a scanner set-up offers.
#include <gtest/gtest.h>

#include "PrintCheck.h"
#include "copier/device/DeviceCodes.h"

namespace {

using copiertest::BoundCopier;
using copiertest::PrintedPdf;
using copiertest::Tag;

const char kPdfPrinter[] = "PDF";
const char kFlatbed[] = "wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000";
const char kSheetFed[] = "wia:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001";
const int32_t kFast = 1, kNormal = 2;

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

struct ScanCase
{
    const char* what;
    const char* source;
    const char* scanner;  // its section of wia.ini
    const char* sheets;
    int32_t color, quality;
    int pages;
    const char* transfer;  // each page's line in the stand-in's log
};

// True size, every sheet of a loaded feeder, grey for Black Copy, the nearest resolution.
TEST(CopierScan, ScansPrintAtTrueSizeEverySheetAndInTheirColour)
{
    qvtest::ComApartment com;
    const ScanCase cases[] = {
        {"the glass in colour", kFlatbed, "Flatbed", "0", 1, kNormal, 1, "Flatbed flatbed 300x300 dpi color 24 bits"},
        {"a feeder of three sheets", kFlatbed, "Flatbed", "3", 1, kNormal, 3, "Flatbed feeder 300x300 dpi color"},
        {"black copy in grey at the nearest of 100/200/300 dpi to Fast", kSheetFed, "SheetFed", "1", 0, kFast, 1,
         "SheetFed feeder 200x200 dpi grayscale 8 bits"},
    };
    int index = 0;
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.what);
        qvtest::SimFolder sim;
        sim.WriteIni("wia.ini", c.scanner, "Sheets", c.sheets);
        BoundCopier copier(Tag(("s" + std::to_string(++index)).c_str()), c.source, kPdfPrinter);
        ASSERT_EQ(S_OK, copier.BindResult());
        CopierFunctional caps = {};
        ASSERT_EQ(S_OK, copier.Api()->GetCapabilities(&caps));
        CopyJobParams job = copiertest::PlainJob();
        job.bColorCopyRequested = c.color;
        job.nQuality = c.quality;
        ASSERT_EQ(S_OK, copier.Api()->SubmitCopy(job));

        PrintedPdf pdf(copier.Tag());
        ASSERT_TRUE(pdf.Found());
        EXPECT_EQ(c.pages, pdf.Pages());
        EXPECT_EQ(static_cast<size_t>(c.pages), Count(qvtest::ReadBytes(sim.File("wia.log")), c.transfer));
        copiertest::RenderedPage page = pdf.Render(c.pages, 150);
        page.ExpectSquare(copiertest::kSquareMm);
        EXPECT_NEAR(20.0, page.Mm(page.Box(copiertest::Dark)[1]), 1.5) << "the scan's top stays at the paper's top";
        EXPECT_EQ(c.color != 0, page.Box(copiertest::Coloured)[2] >= 0);
        LONG doc = -1;
        EXPECT_TRUE(SUCCEEDED(copier.Api()->GetDocInADF(&doc)) && doc == 0) << "the feeder is empty afterwards";
    }
}

struct ScanFailure
{
    const char* what;
    const char* key;
    const char* value;
    HRESULT submit;
};

// Each failure at the scanner gives the code whose message fits, and nothing is printed.
TEST(CopierScan, ScannerFailuresGiveTheirCodesAndPrintNothing)
{
    qvtest::ComApartment com;
    const ScanFailure cases[] = {
        {"the scanner is busy", "Fail", "busy", kDeviceBusy},
        {"its cover is open", "Fail", "cover", kScanFailed},
        {"a sheet jams half way", "Fail", "jam", kScanFailed},
        {"the transfer is cancelled half way", "Fail", "cancel", kScanFailed},
        {"unplugged since the last copy", "Present", "0", kNotResponding},
    };
    int index = 0;
    for (const ScanFailure& c : cases) {
        SCOPED_TRACE(c.what);
        qvtest::SimFolder sim;
        sim.WriteIni("wia.ini", "Flatbed", "Sheets", "2");
        BoundCopier copier(Tag(("x" + std::to_string(++index)).c_str()), kFlatbed, kPdfPrinter);
        ASSERT_EQ(S_OK, copier.BindResult());
        sim.WriteIni("wia.ini", "Flatbed", c.key, c.value);
        EXPECT_EQ(c.submit, copier.Api()->SubmitCopy(copiertest::PlainJob()));
        EXPECT_FALSE(copiertest::AnyPdfFor(copier.Tag()));
    }
}

// The record follows the scanner: a feeder on both, copies only from it without glass;
// the feeder's sheets are the dialog's "document in feeder", and an empty one refuses a copy.
TEST(CopierScan, ASetupOffersWhatItsScannerHas)
{
    qvtest::ComApartment com;
    const struct
    {
        const char* source;
        const char* scanner;
        bool feederOnly;
        HRESULT emptySubmit;
    } cases[] = {
        {kFlatbed, "Flatbed", false, S_OK},
        {kSheetFed, "SheetFed", true, kNoOriginal},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scanner);
        qvtest::SimFolder sim;
        BoundCopier copier(Tag(("t" + std::to_string(++index)).c_str()), c.source, kPdfPrinter);
        ASSERT_EQ(S_OK, copier.BindResult());
        CopierFunctional caps = {};
        ASSERT_EQ(S_OK, copier.Api()->GetCapabilities(&caps));
        EXPECT_EQ(1, caps.bADFPresent);
        EXPECT_EQ(c.feederOnly, (caps.nConstraintMask & 0x400) != 0);
        LONG doc = -1;
        EXPECT_TRUE(SUCCEEDED(copier.Api()->GetDocInADF(&doc)) && doc == 0);
        sim.WriteIni("wia.ini", c.scanner, "Sheets", "2");
        EXPECT_TRUE(qvtest::PumpUntil([&] { return SUCCEEDED(copier.Api()->GetDocInADF(&doc)) && doc == 1; }, 5000));
        sim.WriteIni("wia.ini", c.scanner, "Sheets", "0");
        EXPECT_TRUE(qvtest::PumpUntil([&] { return SUCCEEDED(copier.Api()->GetDocInADF(&doc)) && doc == 0; }, 5000));
        EXPECT_EQ(c.emptySubmit, copier.Api()->SubmitCopy(copiertest::PlainJob()));
        if (SUCCEEDED(c.emptySubmit)) {
            EXPECT_TRUE(PrintedPdf(copier.Tag()).Found()) << "the glass is copied";
        }
    }
}

}  // namespace
