// Without a printer: where an original lands, what a file header says, which papers
// and jobs the device takes, and the tone of a copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copier/device/DeviceCodes.h"
#include "copier/device/ImageHeader.h"
#include "copier/device/JobSettings.h"
#include "copier/device/PageGeometry.h"
#include "copier/device/PrinterMedia.h"
#include "copier/device/WiaScanner.h"

namespace {

// A4 at 300 dpi: 2480 x 3508 pixels.
PrinterPage A4(int offsetX, int offsetY, int dpi = 300)
{
    int w = 2480 * dpi / 300, h = 3508 * dpi / 300;
    return PrinterPage{dpi, dpi, w, h, offsetX, offsetY, w - 2 * offsetX, h - 2 * offsetY};
}

struct PlacementCase
{
    const char* what;
    OriginalSize original;
    PrinterPage page;
    ImageSizeMode mode;
    int percent;
    PixelRect image, visible;
};

TEST(CopierGeometry, OriginalsLandWhereTheImageSizeSays)
{
    const PlacementCase cases[] = {
        {"actual size from the paper's corner", {600, 300, 300, 300}, A4(0, 0), ImageSizeMode::Scaled, 100,
         {0, 0, 600, 300}, {0, 0, 600, 300}},
        {"actual size keeps its place with margins", {600, 300, 300, 300}, A4(50, 40), ImageSizeMode::Scaled, 100,
         {-50, -40, 550, 260}, {0, 0, 600, 300}},
        {"true size from a 150 dpi original on a 600 dpi page", {300, 150, 150, 150}, A4(0, 0, 600),
         ImageSizeMode::Scaled, 100, {0, 0, 1200, 600}, {0, 0, 300, 150}},
        {"custom 50 %", {600, 300, 300, 300}, A4(0, 0), ImageSizeMode::Scaled, 50, {0, 0, 300, 150},
         {0, 0, 600, 300}},
        {"past the paper is cut", {3000, 300, 300, 300}, A4(0, 0), ImageSizeMode::Scaled, 100, {0, 0, 3000, 300},
         {0, 0, 2480, 300}},
        {"fit: width-bound, centred in the printable area", {1000, 500, 300, 300}, A4(40, 40),
         ImageSizeMode::FitToPage, 100, {0, 1114, 2400, 2314}, {0, 0, 1000, 500}},
        {"fit: height-bound, small original enlarged", {100, 300, 300, 300}, A4(0, 0), ImageSizeMode::FitToPage,
         100, {655, 0, 1824, 3508}, {0, 0, 100, 300}},
        {"borderless covers the paper, overflow cropped", {1000, 1000, 300, 300}, A4(40, 40),
         ImageSizeMode::Borderless, 100, {-554, -40, 2954, 3468}, {146, 0, 854, 1000}},
    };
    for (const PlacementCase& c : cases) {
        Placement placement(c.original, c.page, c.mode, c.percent);
        auto corners = [](const PixelRect& r) { return std::vector<int64_t>{r.left, r.top, r.right, r.bottom}; };
        EXPECT_EQ(corners(c.image), corners(placement.Image())) << c.what;
        EXPECT_EQ(corners(c.visible), corners(placement.Visible())) << c.what;
    }
}

std::string Be32(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(v) + Le16(v >> 16); }
std::string Png(uint32_t w, uint32_t h, const std::string& extra)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(w) + Be32(h) + std::string(5, '\0') +
           Be32(0) + extra + Be32(0) + "IDAT" + Be32(0);
}
std::string Phys(uint32_t perMetre, char unit)
{
    return Be32(9) + "pHYs" + Be32(perMetre) + Be32(perMetre) + std::string(1, unit) + Be32(0);
}
std::string Jpeg(char units, int density)
{
    std::string app0 = std::string("\xFF\xE0", 2) + std::string("\x00\x10JFIF\x00\x01\x02", 9) + units +
                       char(density >> 8) + char(density) + char(density >> 8) + char(density) + std::string(2, '\0');
    std::string sof = std::string("\xFF\xC0\x00\x11\x08", 5) + "\x01\x2C" + "\x01\x90" + std::string(12, '\0');
    return std::string("\xFF\xD8", 2) + app0 + sof + std::string("\xFF\xDA", 2);
}
std::string Bmp(int32_t w, int32_t h, uint32_t perMetre)
{
    return "BM" + std::string(12, '\0') + Le32(40) + Le32(w) + Le32(h) + Le16(1) + Le16(24) + Le32(0) + Le32(0) +
           Le32(perMetre) + Le32(perMetre) + Le32(0) + Le32(0);
}
std::string Tiff(uint32_t w, uint32_t h, uint32_t dpi, uint32_t unit)
{
    auto entry = [](uint32_t tag, uint32_t type, uint32_t value) { return Le16(tag) + Le16(type) + Le32(1) + Le32(value); };
    std::string ifd = Le16(5) + entry(256, 3, w) + entry(257, 4, h) + entry(282, 5, 74) + entry(283, 5, 74) +
                      entry(296, 3, unit) + Le32(0);
    return std::string("II*\0", 4) + Le32(8) + ifd + Le32(dpi) + Le32(1);  // the rational at 74
}

struct HeaderCase
{
    const char* what;
    std::string bytes;
    bool readable;
    uint32_t width, height;
    double dpi;  // 0: the file names none
};

TEST(CopierImageHeader, SizeAndResolutionComeFromTheFile)
{
    const HeaderCase cases[] = {
        {"PNG with pHYs per metre", Png(640, 480, Phys(11811, 1)), true, 640, 480, 300.0},
        {"PNG without pHYs", Png(640, 480, ""), true, 640, 480, 0},
        {"JPEG in dots per inch", Jpeg(1, 600), true, 400, 300, 600.0},
        {"JPEG in dots per cm", Jpeg(2, 118), true, 400, 300, 299.72},
        {"bottom-up BMP", Bmp(200, -100, 3937), true, 200, 100, 100.0},
        {"TIFF in inches", Tiff(800, 600, 300, 2), true, 800, 600, 300.0},
        {"TIFF in centimetres", Tiff(800, 600, 100, 3), true, 800, 600, 254.0},
        {"text", "hello, world", false, 0, 0, 0},
        {"PNG cut before its header", std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13), false, 0, 0, 0},
    };
    for (const HeaderCase& c : cases) {
        ImageHeader header;
        EXPECT_EQ(c.readable, ReadImageHeader(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(),
                                              header))
            << c.what;
        if (!c.readable)
            continue;
        EXPECT_EQ(c.width, header.width) << c.what;
        EXPECT_EQ(c.height, header.height) << c.what;
        EXPECT_NEAR(c.dpi, header.dpiX, 0.05) << c.what;
        EXPECT_NEAR(c.dpi, header.dpiY, 0.05) << c.what;
    }
}

PrinterInfo SomePrinter()
{
    PrinterInfo info;
    info.papers = {{DMPAPER_LETTER, 2159, 2794, "Letter"},
                   {DMPAPER_A4, 2100, 2970, "A4"},
                   {300, 1524, 1016, "4x6 landscape"},
                   {301, 1000, 1000, "Square"},
                   {302, 2101, 2969, "A4 again"}};
    info.bins = {DMBIN_UPPER, DMBIN_LOWER};
    info.defaultPaper = DMPAPER_A4;
    return info;
}

TEST(CopierMedia, PrinterPapersBecomeTheDialogsSizeCodes)
{
    DeviceMedia media = MapPrinterMedia(SomePrinter());
    ASSERT_EQ(3u, media.sizes.size());  // the square has no code; A4 is listed once
    EXPECT_EQ(2, media.sizes[0].id);
    EXPECT_EQ(9, media.sizes[1].id);
    EXPECT_EQ(76, media.sizes[2].id);
    EXPECT_EQ(300, media.sizes[2].driverCode);
    EXPECT_EQ(9, media.defaultSize);
    ASSERT_EQ(1u, media.types.size());  // a printer that names no type offers plain paper
    EXPECT_EQ(1, media.types[0].id);

}

CopyJobParams GoodJob()
{
    CopyJobParams job = {};
    job.nTraySelection = 2;
    job.nSpecialFeatureMode = 1;
    job.nNbrCopies = 3;
    job.bColorCopyRequested = 0;
    job.nQuality = 3;
    job.nReduceEnlarge = 100;
    job.nPaperType = 1;
    job.nPaperSize = 76;
    job.nBrightness = 50;
    return job;
}

TEST(CopierJobs, AJobBecomesThePrintersSettingsOrIsRefused)
{
    PrinterInfo info = SomePrinter();
    DeviceMedia media = MapPrinterMedia(info);
    PrintSettings settings;
    std::string reason;
    ASSERT_EQ(S_OK, SettingsForJob(GoodJob(), info, media, settings, reason)) << reason;
    EXPECT_EQ(300, settings.paper);
    EXPECT_EQ(DMBIN_LOWER, settings.bin);
    EXPECT_EQ(600, settings.printDpi);
    EXPECT_FALSE(settings.color);
    EXPECT_EQ(3, settings.copies);

    struct Refusal
    {
        const char* what;
        int32_t CopyJobParams::*field;
        int32_t value;
    };
    const Refusal refusals[] = {
        {"a size the printer lacks", &CopyJobParams::nPaperSize, 3},
        {"a type the printer lacks", &CopyJobParams::nPaperType, 3},
        {"a third tray", &CopyJobParams::nTraySelection, 3},
        {"no copies", &CopyJobParams::nNbrCopies, 0},
        {"too many copies", &CopyJobParams::nNbrCopies, 100},
        {"borderless on a printer with margins", &CopyJobParams::nSpecialFeatureMode, 7},
        {"an unknown image size", &CopyJobParams::nSpecialFeatureMode, 4},
        {"a size below the range", &CopyJobParams::nReduceEnlarge, 10},
    };
    for (const Refusal& r : refusals) {
        CopyJobParams job = GoodJob();
        job.*r.field = r.value;
        reason.clear();
        EXPECT_EQ(kJobRefused, SettingsForJob(job, info, media, settings, reason)) << r.what;
        EXPECT_FALSE(reason.empty()) << r.what;
    }
}

}  // namespace

// A scanner's resolution for a quality: the nearest it offers, the finer of two as near.
TEST(CopierScanner, TheNearestOfferedResolutionIsTaken)
{
    ResolutionChoices list, range, steps, none;
    list.list = {100, 200, 300};
    range.range = true, range.min = 50, range.max = 1200, range.step = 1;
    steps.range = true, steps.min = 75, steps.max = 475, steps.step = 100;
    const struct
    {
        const ResolutionChoices& offered;
        long wanted, taken;
    } cases[] = {
        {list, 150, 200}, {list, 600, 300}, {list, 90, 100},   {range, 600, 600},   {range, 2400, 1200},
        {range, 10, 50},  {steps, 150, 175}, {steps, 600, 475}, {steps, 225, 275}, {none, 300, 300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.taken, NearestResolution(c.offered, c.wanted)) << c.wanted;
}
