// What the print tests share: a test original of known geometry written as an image
// file, the copier component loaded from beside the test for one set-up, and the PDF
// the PDF printer makes, read back with the poppler tools and measured.
#pragma once

#include <windows.h>

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

// The copier component bound to a set-up of `folder` and `printer`, named after `tag`
// (letters and digits, unique per test run) so its PDF can be found. The set-up lives
// in a file of the test's own.
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

// A colour copy, one A4 page at Actual Size, Normal quality.
CopyJobParams PlainJob();

struct Rgb
{
    unsigned char r, g, b;
};

class RenderedPage
{
public:
    int width = 0, height = 0;
    double dpi = 0;
    std::vector<Rgb> pixels;

    // Bounding box {left, top, right, bottom} in pixels of the pixels `match` picks; all -1 when none.
    template <class Match>
    std::vector<int> Box(Match match) const
    {
        std::vector<int> box = {-1, -1, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (match(pixels[static_cast<size_t>(y) * width + x])) {
                    if (box[0] < 0 || x < box[0]) box[0] = x;
                    if (box[1] < 0) box[1] = y;
                    if (x + 1 > box[2]) box[2] = x + 1;
                    box[3] = y + 1;
                }
        return box;
    }
    double Mm(int pixels) const { return pixels * 25.4 / dpi; }
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

// Whether any PDF holds `tag` in its name (no wait).
bool AnyPdfFor(const std::string& tag);

}  // namespace copiertest
