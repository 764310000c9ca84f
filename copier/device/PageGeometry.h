// Where an original lands on the printed page. Pure arithmetic over the printer's
// page (in device pixels) and the original's size and resolution, so the print path
// can be checked without a printer.
#pragma once

#include <cstdint>

// The page of a printer DC, as GetDeviceCaps reports it.
struct PrinterPage
{
    int dpiX, dpiY;                 // LOGPIXELSX/Y
    int paperWidth, paperHeight;    // PHYSICALWIDTH/HEIGHT
    int offsetX, offsetY;           // PHYSICALOFFSETX/Y: corner of the printable area
    int printWidth, printHeight;    // HORZRES/VERTRES
};

struct OriginalSize
{
    uint32_t width, height;  // pixels
    double dpiX, dpiY;
};

enum class ImageSizeMode { Scaled, FitToPage, Borderless };

struct PixelRect
{
    int64_t left, top, right, bottom;
};

// An original placed on the page. Coordinates are those of the DC: (0,0) is the
// printable area's corner, so the paper's corner is (-offsetX, -offsetY).
class Placement
{
public:
    // Scaled: true size times percent / 100 from the paper's corner (100 % is Actual
    // Size). FitToPage: as large as the printable area allows, aspect kept, centred.
    // Borderless: covers the whole paper, aspect kept, centred, the overflow cropped.
    Placement(const OriginalSize& original, const PrinterPage& page, ImageSizeMode mode, int percent);

    // The whole image, possibly reaching past the paper.
    const PixelRect& Image() const { return m_image; }
    // The original's pixels that land on the paper: columns [left, right), rows [top, bottom).
    const PixelRect& Visible() const { return m_visible; }
    // Device edges of original column / row i (0..width / 0..height); bands meet without gaps.
    int64_t ColumnEdge(uint32_t i) const { return Edge(i, m_width, m_image.left, m_image.right); }
    int64_t RowEdge(uint32_t i) const { return Edge(i, m_height, m_image.top, m_image.bottom); }

private:
    static int64_t Edge(uint32_t i, uint32_t count, int64_t from, int64_t to);
    static void VisibleSpan(uint32_t count, int64_t from, int64_t to, int64_t clipFrom, int64_t clipTo,
                            int64_t& first, int64_t& last);

    uint32_t m_width, m_height;
    PixelRect m_image;
    PixelRect m_visible;
};

// Rows per band so that one band of `width` 32-bit pixels stays within `budgetBytes`.
uint32_t BandRows(uint32_t width, uint32_t budgetBytes);
