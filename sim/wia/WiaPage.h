// The page every scan returns, as a bottom-up DIB without file header, drawn row by row:
// white, a black 50 x 50 mm square at (20 mm, 20 mm) and a red 20 x 10 mm bar at
// (20 mm, 80 mm), measured from the scanning area's top-left corner.
#pragma once

#include <windows.h>

#include <vector>

struct WiaScanFormat
{
    LONG areaWidth;  // thousandths of an inch
    LONG areaHeight;
    LONG xres;
    LONG yres;
    bool color;  // 24-bit BGR, else 8-bit grey with a palette
};

struct WiaPageGeometry
{
    LONG pixelsPerLine;
    LONG lines;
    LONG bytesPerLine;  // DWORD-padded
    LONG depth;
    DWORD headerBytes;  // BITMAPINFOHEADER and palette
    ULONGLONG imageBytes;
};

WiaPageGeometry WiaGeometryOf(const WiaScanFormat& format);

// Hands out the DIB's bytes in order, drawing each row only when it is reached.
class CWiaPageStream
{
public:
    explicit CWiaPageStream(const WiaScanFormat& format);
    const WiaPageGeometry& Geometry() const { return m_geometry; }
    ULONGLONG Position() const { return m_position; }
    // Copies the next cb bytes (fewer at the end); returns how many.
    DWORD Read(BYTE* pb, DWORD cb);

private:
    void DrawRow(LONG rowFromTop);

    WiaScanFormat m_format;
    WiaPageGeometry m_geometry;
    std::vector<BYTE> m_header;
    std::vector<BYTE> m_row;
    LONG m_rowInBuffer = -1;
    ULONGLONG m_position = 0;
};
