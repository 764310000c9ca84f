#include "copier/device/ImageHeader.h"

#include <cstdlib>
#include <cstring>

namespace {

// Reads integers at bounded offsets: an offset past the end reads as missing.
class Bytes
{
public:
    Bytes(const uint8_t* bytes, size_t count, bool bigEndian = false) : m_p(bytes), m_n(count), m_big(bigEndian) {}
    bool Has(size_t at, size_t len) const { return at <= m_n && len <= m_n - at; }
    uint32_t U16(size_t at) const { return Has(at, 2) ? Read(at, 2) : 0; }
    uint32_t U32(size_t at) const { return Has(at, 4) ? Read(at, 4) : 0; }
    uint8_t U8(size_t at) const { return Has(at, 1) ? m_p[at] : 0; }
    bool Is(size_t at, const char* text, size_t len) const { return Has(at, len) && memcmp(m_p + at, text, len) == 0; }

private:
    uint32_t Read(size_t at, size_t len) const
    {
        uint32_t v = 0;
        for (size_t i = 0; i < len; ++i)
            v |= static_cast<uint32_t>(m_p[at + i]) << (8 * (m_big ? len - 1 - i : i));
        return v;
    }
    const uint8_t* m_p;
    size_t m_n;
    bool m_big;
};

const double kInchesPerMetre = 39.37007874;

bool ReadPng(const Bytes& b, ImageHeader& h)
{
    for (size_t at = 8; b.Has(at, 8);) {
        size_t len = b.U32(at);
        if (b.Is(at + 4, "IHDR", 4)) {
            h.width = b.U32(at + 8);
            h.height = b.U32(at + 12);
        } else if (b.Is(at + 4, "pHYs", 4) && b.U8(at + 16) == 1) {
            h.dpiX = b.U32(at + 8) / kInchesPerMetre;
            h.dpiY = b.U32(at + 12) / kInchesPerMetre;
        } else if (b.Is(at + 4, "IDAT", 4) || len > 0x7FFFFFFF) {
            break;
        }
        at += 12 + len;
    }
    return h.width > 0 && h.height > 0;
}

bool IsJpegFrame(uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool ReadJpeg(const Bytes& b, ImageHeader& h)
{
    size_t at = 2;
    while (b.Has(at, 4) && b.U8(at) == 0xFF) {
        uint8_t marker = b.U8(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            break;
        size_t len = b.U16(at + 2);
        size_t data = at + 4;
        if (marker == 0xE0 && b.Is(data, "JFIF\0", 5)) {
            uint8_t units = b.U8(data + 7);
            double perInch = units == 1 ? 1.0 : units == 2 ? 2.54 : 0.0;
            h.dpiX = b.U16(data + 8) * perInch;
            h.dpiY = b.U16(data + 10) * perInch;
        } else if (IsJpegFrame(marker)) {
            h.height = b.U16(data + 1);
            h.width = b.U16(data + 3);
        }
        if (len < 2)
            break;
        at += 2 + len;
    }
    return h.width > 0 && h.height > 0;
}

double TiffRational(const Bytes& b, size_t offset)
{
    uint32_t den = b.U32(offset + 4);
    return den ? static_cast<double>(b.U32(offset)) / den : 0.0;
}

bool ReadTiff(const Bytes& b, ImageHeader& h)
{
    size_t ifd = b.U32(4);
    uint32_t entries = b.U16(ifd);
    double xRes = 0, yRes = 0;
    uint32_t unit = 2;  // inches unless the file says otherwise
    for (uint32_t i = 0; i < entries && b.Has(ifd + 2 + 12 * i, 12); ++i) {
        size_t e = ifd + 2 + 12 * i;
        uint32_t tag = b.U16(e), type = b.U16(e + 2);
        uint32_t value = type == 3 ? b.U16(e + 8) : b.U32(e + 8);
        switch (tag) {
        case 256: h.width = value; break;
        case 257: h.height = value; break;
        case 282: xRes = TiffRational(b, b.U32(e + 8)); break;
        case 283: yRes = TiffRational(b, b.U32(e + 8)); break;
        case 296: unit = value; break;
        default: break;
        }
    }
    double perInch = unit == 2 ? 1.0 : unit == 3 ? 2.54 : 0.0;
    h.dpiX = xRes * perInch;
    h.dpiY = yRes * perInch;
    return h.width > 0 && h.height > 0;
}

bool ReadBmp(const Bytes& b, ImageHeader& h)
{
    uint32_t infoSize = b.U32(14);
    if (infoSize == 12) {
        h.width = b.U16(18);
        h.height = b.U16(20);
    } else if (infoSize >= 40) {
        h.width = static_cast<uint32_t>(std::abs(static_cast<int32_t>(b.U32(18))));
        h.height = static_cast<uint32_t>(std::abs(static_cast<int32_t>(b.U32(22))));
        h.dpiX = static_cast<int32_t>(b.U32(38)) / kInchesPerMetre;
        h.dpiY = static_cast<int32_t>(b.U32(42)) / kInchesPerMetre;
    }
    return h.width > 0 && h.height > 0;
}

}  // namespace

bool ReadImageHeader(const uint8_t* bytes, size_t count, ImageHeader& header)
{
    header = ImageHeader();
    Bytes le(bytes, count), be(bytes, count, true);
    bool ok = false;
    if (le.Is(0, "\x89PNG\r\n\x1a\n", 8)) {
        header.format = ImageFormat::Png;
        ok = ReadPng(be, header);
    } else if (le.Is(0, "\xFF\xD8", 2)) {
        header.format = ImageFormat::Jpeg;
        ok = ReadJpeg(be, header);
    } else if (le.Is(0, "II*\0", 4) || be.Is(0, "MM\0*", 4)) {
        header.format = ImageFormat::Tiff;
        ok = ReadTiff(bytes[0] == 'I' ? le : be, header);
    } else if (le.Is(0, "BM", 2)) {
        header.format = ImageFormat::Bmp;
        ok = ReadBmp(le, header);
    }
    if (header.dpiX <= 0 || header.dpiY <= 0)
        header.dpiX = header.dpiY = 0;
    return ok;
}
