#include "copier/device/ScanSpool.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "copier/common/CopierLog.h"

namespace {

const int32_t kMaxSide = 60000;  // pixels: a 2.5 m original at 600 dpi
const double kMetresPerInch = 0.0254;

uint64_t PageBytes(const SpoolPage& page) { return static_cast<uint64_t>(page.stride) * page.height; }

}  // namespace

bool ParseDibHeader(const uint8_t* bytes, size_t length, SpoolPage& page, size_t& needed)
{
    BITMAPINFOHEADER header;
    if (length < sizeof(header))
        return false;
    memcpy(&header, bytes, sizeof(header));
    bool sane = header.biSize >= sizeof(header) && header.biSize <= 1024 && header.biWidth > 0 &&
                header.biWidth <= kMaxSide && header.biHeight != 0 && header.biHeight >= -kMaxSide &&
                header.biHeight <= kMaxSide && header.biPlanes == 1 && header.biCompression == BI_RGB &&
                (header.biBitCount == 8 || header.biBitCount == 24 || header.biBitCount == 32);
    if (!sane)
        return false;
    uint32_t colors = header.biBitCount == 8 ? (header.biClrUsed ? header.biClrUsed : 256) : 0;
    if (colors > 256)
        return false;
    page.width = static_cast<uint32_t>(header.biWidth);
    page.bottomUp = header.biHeight > 0;
    page.height = static_cast<uint32_t>(page.bottomUp ? header.biHeight : -header.biHeight);
    page.bits = header.biBitCount;
    page.stride = ((page.width * page.bits + 31) / 32) * 4;
    page.dpiX = header.biXPelsPerMeter > 0 ? header.biXPelsPerMeter * kMetresPerInch : 0;
    page.dpiY = header.biYPelsPerMeter > 0 ? header.biYPelsPerMeter * kMetresPerInch : 0;
    needed = header.biSize + colors * sizeof(RGBQUAD);
    page.palette.clear();
    if (length >= needed && colors) {
        page.palette.resize(colors);
        memcpy(page.palette.data(), bytes + header.biSize, colors * sizeof(RGBQUAD));
        page.palette.resize(256, RGBQUAD{0, 0, 0, 0});
    }
    return true;
}

bool ScanSpool::Open()
{
    Close();
    char folder[MAX_PATH], path[MAX_PATH];
    DWORD n = GetTempPathA(sizeof(folder), folder);
    if (n == 0 || n >= sizeof(folder) || !GetTempFileNameA(folder, "qvs", 0, path)) {
        CopierLog("device: no temporary file for the scan (error %lu)", GetLastError());
        return false;
    }
    m_file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        CopierLog("device: the scan's temporary file %s cannot be made (error %lu)", path, GetLastError());
        DeleteFileA(path);
        return false;
    }
    return true;
}

void ScanSpool::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_pages.clear();
    m_bOpenPage = false;
    m_end = 0;
}

bool ScanSpool::BeginPage(const SpoolPage& page)
{
    if (m_file == INVALID_HANDLE_VALUE || (page.bits == 8 && page.palette.size() != 256))
        return false;
    m_open = page;
    m_open.offset = m_end;
    m_bOpenPage = true;
    m_received = 0;
    return true;
}

bool ScanSpool::Write(uint64_t offset, const uint8_t* bytes, size_t length)
{
    const uint64_t total = PageBytes(m_open);
    if (!m_bOpenPage || offset > total || length > total - offset)
        return false;
    while (length > 0) {
        // Delivered row r lands on file row r, or on height - 1 - r for a bottom-up page.
        uint64_t row = offset / m_open.stride, column = offset % m_open.stride;
        uint64_t fileRow = m_open.bottomUp ? m_open.height - 1 - row : row;
        size_t piece = static_cast<size_t>(std::min<uint64_t>(length, m_open.stride - column));
        if (!WriteAt(m_open.offset + fileRow * m_open.stride + column, bytes, piece))
            return false;
        offset += piece;
        bytes += piece;
        length -= piece;
        m_received += piece;
    }
    return true;
}

bool ScanSpool::EndPage()
{
    if (!m_bOpenPage)
        return false;
    m_bOpenPage = false;
    if (m_received != PageBytes(m_open)) {
        CopierLog("device: a page arrived incomplete (%llu of %llu bytes)", static_cast<unsigned long long>(m_received),
                  static_cast<unsigned long long>(PageBytes(m_open)));
        return false;
    }
    m_end = m_open.offset + PageBytes(m_open);
    m_pages.push_back(m_open);
    return true;
}

bool ScanSpool::ReadPixels(size_t index, uint32_t left, uint32_t top, uint32_t width, uint32_t height,
                           uint8_t* pixels)
{
    if (index >= m_pages.size())
        return false;
    const SpoolPage& page = m_pages[index];
    if (left > page.width || width > page.width - left || top > page.height || height > page.height - top)
        return false;
    const uint32_t bytesPerPixel = page.bits / 8;
    const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    // Whole rows lie one after the other in the file: one read for all of them (the band's
    // rows stay within the band budget); a narrower window is read row by row.
    const bool wholeRows = left == 0 && width == page.width;
    const uint32_t rowsPerRead = wholeRows ? height : 1;
    const size_t readStride = wholeRows ? page.stride : rowBytes;
    m_row.resize(readStride * rowsPerRead);
    for (uint32_t y = 0; y < height; y += rowsPerRead) {
        uint64_t position = page.offset + static_cast<uint64_t>(top + y) * page.stride + left * bytesPerPixel;
        if (!ReadAt(position, m_row.data(), readStride * (rowsPerRead - 1) + rowBytes))
            return false;
        for (uint32_t r = 0; r < rowsPerRead; ++r)
            ConvertRow(page, m_row.data() + r * readStride, width, pixels + (static_cast<size_t>(y) + r) * width * 4);
    }
    return true;
}

void ScanSpool::ConvertRow(const SpoolPage& page, const uint8_t* in, uint32_t width, uint8_t* out)
{
    const uint32_t bytesPerPixel = page.bits / 8;
    for (uint32_t x = 0; x < width; ++x, out += 4, in += bytesPerPixel) {
        if (page.bits == 8) {
            const RGBQUAD& c = page.palette[*in];
            out[0] = c.rgbBlue, out[1] = c.rgbGreen, out[2] = c.rgbRed;
        } else {
            out[0] = in[0], out[1] = in[1], out[2] = in[2];
        }
        out[3] = 0;
    }
}

bool ScanSpool::WriteAt(uint64_t position, const uint8_t* bytes, size_t length)
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD written = 0;
    if (WriteFile(m_file, bytes, static_cast<DWORD>(length), &written, &at) && written == length)
        return true;
    CopierLog("device: the scan's temporary file cannot be written (error %lu)", GetLastError());
    return false;
}

bool ScanSpool::ReadAt(uint64_t position, uint8_t* bytes, size_t length)
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD got = 0;
    return ReadFile(m_file, bytes, static_cast<DWORD>(length), &got, &at) && got == length;
}
