// The print tests' original of known geometry, the copier component bound to a set-up,
// and the PDF printer's output read back with the poppler tools.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/testlib.h"
#include "copier/common/CopierSetup.h"
#include "device/ICopyAPI.h"

namespace copiertest {

// The original: 100 x 140 mm at 300 dpi, white with a light blue 1 mm grid framing it
// and a black 50 mm square 20 mm from the top-left corner.
const double kOriginalDpi = 300.0;
const double kSquareMm = 50.0;
// Writes it as PNG (with its resolution) or, given "bmp", as BMP.
bool WriteOriginal(const std::string& path, const char* format = "png");

// The component bound to a set-up (in a file of the test's own) named `tag`, letters and
// digits unique per run, by which its PDF is found.
class BoundCopier
{
public:
    BoundCopier(const std::string& tag, const std::string& folder, const std::string& printer);
    ~BoundCopier();
    BoundCopier(const BoundCopier&) = delete;
    BoundCopier& operator=(const BoundCopier&) = delete;

    ICopyAPI* Api() const { return m_pApi; }
    HRESULT BindResult() const { return m_hrBind; }
    const std::string& Tag() const { return m_tag; }

private:
    qvtest::TempFolder m_setups;
    qvtest::EnvVar m_setupsEnv;
    std::string m_tag;
    HMODULE m_hModule = nullptr;
    ICopyAPI* m_pApi = nullptr;
    HRESULT m_hrBind = E_FAIL;
};

// Letters and digits unique per run, ending in `what`: a set-up's name by which its PDF is found.
std::string Tag(const char* what);

// A colour copy, one A4 page at Actual Size, Normal quality.
CopyJobParams PlainJob();

struct Rgb
{
    unsigned char r, g, b;
};

inline bool Dark(const Rgb& p) { return p.r < 60 && p.g < 60 && p.b < 60; }  // black, not red nor its grey
inline bool Inked(const Rgb& p) { return p.r < 235 || p.g < 235 || p.b < 235; }
inline bool Coloured(const Rgb& p) { return std::abs(p.r - p.g) > 3 || std::abs(p.g - p.b) > 3; }

class RenderedPage
{
public:
    int width = 0, height = 0;
    double dpi = 0;
    std::vector<Rgb> pixels;

    // Bounding box {left, top, right, bottom} of the pixels `match` picks; right is -1 when none.
    template <class Match>
    std::array<int, 4> Box(Match match) const
    {
        std::array<int, 4> box = {width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (match(pixels[static_cast<size_t>(y) * width + x]))
                    box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
        return box;
    }
    double Mm(int pixels) const { return pixels * 25.4 / dpi; }
    // Expects the black square `sideMm` wide and high, within 1 %.
    void ExpectSquare(double sideMm) const
    {
        std::array<int, 4> square = Box(Dark);
        EXPECT_NEAR(sideMm, Mm(square[2] - square[0]), sideMm / 100);
        EXPECT_NEAR(sideMm, Mm(square[3] - square[1]), sideMm / 100);
    }
};

// The PDF of a job whose document name holds `tag`, once the printer has written it.
class PrintedPdf
{
public:
    explicit PrintedPdf(const std::string& tag, DWORD waitMs = 60000);
    ~PrintedPdf();
    bool Found() const { return !m_path.empty(); }
    int Pages() const { return m_nPages; }
    // Page size in points, as pdfinfo reads it.
    double WidthPt() const { return m_widthPt; }
    double HeightPt() const { return m_heightPt; }
    RenderedPage Render(int page, int dpi) const;

private:
    std::string m_path;  // Windows path
    int m_nPages = 0;
    double m_widthPt = 0, m_heightPt = 0;
};

// A Linux command run through /bin/sh: its exit code and standard output.
qvtest::RunResult RunLinux(const std::string& command);

// The spare CUPS printer the scripts add beside "PDF", for a test to remove; put back
// with the scope, whatever happened to it meanwhile.
class SparePrinter
{
public:
    SparePrinter() = default;
    ~SparePrinter();
    SparePrinter(const SparePrinter&) = delete;
    SparePrinter& operator=(const SparePrinter&) = delete;

    static const char* Name() { return "QVSpare"; }
    bool Remove();

private:
    bool m_bRemoved = false;
};

// Whether any PDF holds `tag` in its name (no wait).
bool AnyPdfFor(const std::string& tag);

}  // namespace copiertest
