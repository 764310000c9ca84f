// The pages of one scan, kept in a temporary file as the scanner delivers them, so
// that a page never has to be held in memory and a failed scan leaves nothing: the
// file goes when the spool is closed (or the process ends).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One scanned page: rows top-down in the file, `stride` bytes apart, 8 (palette),
// 24 (BGR) or 32 (BGRx) bits a pixel.
struct SpoolPage
{
    uint32_t width = 0, height = 0;
    uint32_t bits = 0, stride = 0;
    bool bottomUp = false;  // as delivered; stored top-down all the same
    double dpiX = 0, dpiY = 0;
    uint64_t offset = 0;    // of the first row in the file
    std::vector<RGBQUAD> palette;
};

// Reads a device-independent bitmap's header (BITMAPINFOHEADER and palette) from the
// first bytes of a transfer. `needed` is how many bytes the whole header takes once the
// first 40 are there; false for a header that is no uncompressed 8, 24 or 32-bit image
// of sane size. Resolution 0 when the header gives none.
bool ParseDibHeader(const uint8_t* bytes, size_t length, SpoolPage& page, size_t& needed);

class ScanSpool
{
public:
    ScanSpool() = default;
    ~ScanSpool() { Close(); }
    ScanSpool(const ScanSpool&) = delete;
    ScanSpool& operator=(const ScanSpool&) = delete;

    bool Open();
    void Close();

    // A page whose header is known; its bytes follow through Write.
    bool BeginPage(const SpoolPage& page);
    // `length` bytes of the page's pixel data, `offset` bytes into it as delivered.
    bool Write(uint64_t offset, const uint8_t* bytes, size_t length);
    // True, keeping the page, when every byte of it arrived.
    bool EndPage();

    size_t Pages() const { return m_pages.size(); }
    const SpoolPage& Page(size_t index) const { return m_pages[index]; }
    // Pixels of a kept page as 32-bit BGRx, top-down, `width * 4` bytes a row.
    bool ReadPixels(size_t index, uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels);

private:
    static void ConvertRow(const SpoolPage& page, const uint8_t* in, uint32_t width, uint8_t* out);
    bool WriteAt(uint64_t position, const uint8_t* bytes, size_t length);
    bool ReadAt(uint64_t position, uint8_t* bytes, size_t length);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::vector<SpoolPage> m_pages;
    SpoolPage m_open;          // the page being written
    bool m_bOpenPage = false;
    uint64_t m_received = 0;
    uint64_t m_end = 0;        // where the next page starts
    std::vector<uint8_t> m_row;
};
