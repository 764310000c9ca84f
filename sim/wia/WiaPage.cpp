#include "sim/wia/WiaPage.h"

#include <string.h>

namespace {
struct PixelSpan
{
    LONG first;
    LONG end;
    bool Holds(LONG pixel) const { return pixel >= first && pixel < end; }
};

// The pixels whose left (top) edge lies in [fromMm, toMm) at dpi.
PixelSpan SpanOf(LONG fromMm, LONG toMm, LONG dpi)
{
    auto pixelAt = [dpi](LONG mm) { return (LONG)(((LONGLONG)mm * dpi * 10 + 253) / 254); };
    return {pixelAt(fromMm), pixelAt(toMm)};
}

struct Shape
{
    LONG leftMm, topMm, widthMm, heightMm;
    BYTE red, green, blue;
};

const Shape kShapes[] = {
    {20, 20, 50, 50, 0, 0, 0},
    {20, 80, 20, 10, 255, 0, 0},
};

BYTE LuminanceOf(BYTE red, BYTE green, BYTE blue) { return (BYTE)((299 * red + 587 * green + 114 * blue + 500) / 1000); }
}  // namespace

WiaPageGeometry WiaGeometryOf(const WiaScanFormat& format)
{
    WiaPageGeometry geometry = {};
    geometry.pixelsPerLine = (LONG)((LONGLONG)format.areaWidth * format.xres / 1000);
    geometry.lines = (LONG)((LONGLONG)format.areaHeight * format.yres / 1000);
    geometry.depth = format.color ? 24 : 8;
    geometry.bytesPerLine = ((geometry.pixelsPerLine * geometry.depth + 31) / 32) * 4;
    geometry.headerBytes = sizeof(BITMAPINFOHEADER) + (format.color ? 0 : 256 * sizeof(RGBQUAD));
    geometry.imageBytes = geometry.headerBytes + (ULONGLONG)geometry.bytesPerLine * geometry.lines;
    return geometry;
}

CWiaPageStream::CWiaPageStream(const WiaScanFormat& format)
    : m_format(format), m_geometry(WiaGeometryOf(format)), m_header(m_geometry.headerBytes),
      m_row(m_geometry.bytesPerLine)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = m_geometry.pixelsPerLine;
    bih.biHeight = m_geometry.lines;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)m_geometry.depth;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = (DWORD)((ULONGLONG)m_geometry.bytesPerLine * m_geometry.lines);
    bih.biXPelsPerMeter = (LONG)(((LONGLONG)format.xres * 10000 + 127) / 254);
    bih.biYPelsPerMeter = (LONG)(((LONGLONG)format.yres * 10000 + 127) / 254);
    bih.biClrUsed = format.color ? 0 : 256;
    memcpy(m_header.data(), &bih, sizeof(bih));
    RGBQUAD* pPalette = reinterpret_cast<RGBQUAD*>(m_header.data() + sizeof(bih));
    for (DWORD i = 0; i < bih.biClrUsed; ++i)
        pPalette[i] = RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
}

DWORD CWiaPageStream::Read(BYTE* pb, DWORD cb)
{
    DWORD copied = 0;
    while (copied < cb && m_position < m_geometry.imageBytes)
    {
        const BYTE* pSource;
        ULONGLONG available;
        if (m_position < m_geometry.headerBytes)
        {
            pSource = m_header.data() + m_position;
            available = m_geometry.headerBytes - m_position;
        }
        else
        {
            ULONGLONG offset = m_position - m_geometry.headerBytes;
            LONG rowInFile = (LONG)(offset / m_geometry.bytesPerLine);
            DrawRow(m_geometry.lines - 1 - rowInFile);
            DWORD inRow = (DWORD)(offset % m_geometry.bytesPerLine);
            pSource = m_row.data() + inRow;
            available = m_geometry.bytesPerLine - inRow;
        }
        DWORD n = (DWORD)(available < cb - copied ? available : cb - copied);
        memcpy(pb + copied, pSource, n);
        copied += n;
        m_position += n;
    }
    return copied;
}

void CWiaPageStream::DrawRow(LONG rowFromTop)
{
    if (rowFromTop == m_rowInBuffer)
        return;
    m_rowInBuffer = rowFromTop;
    memset(m_row.data(), 0xFF, m_row.size());
    memset(m_row.data() + (m_geometry.pixelsPerLine * m_geometry.depth / 8), 0,
           m_row.size() - (size_t)(m_geometry.pixelsPerLine * m_geometry.depth / 8));
    for (const Shape& shape : kShapes)
    {
        if (!SpanOf(shape.topMm, shape.topMm + shape.heightMm, m_format.yres).Holds(rowFromTop))
            continue;
        PixelSpan columns = SpanOf(shape.leftMm, shape.leftMm + shape.widthMm, m_format.xres);
        for (LONG x = columns.first; x < columns.end && x < m_geometry.pixelsPerLine; ++x)
        {
            if (m_format.color)
            {
                BYTE* pPixel = m_row.data() + x * 3;
                pPixel[0] = shape.blue;
                pPixel[1] = shape.green;
                pPixel[2] = shape.red;
            }
            else
                m_row[x] = LuminanceOf(shape.red, shape.green, shape.blue);
        }
    }
}
