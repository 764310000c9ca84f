// What the first bytes of an image file say: its format, size and resolution. Read
// without decoding, so a copy can refuse a file that is no image before printing.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ImageFormat { Unknown, Png, Jpeg, Tiff, Bmp };

struct ImageHeader
{
    ImageFormat format = ImageFormat::Unknown;
    uint32_t width = 0;
    uint32_t height = 0;
    double dpiX = 0;  // 0: the file gives no resolution
    double dpiY = 0;
};

// The resolution an original without one is taken at.
const double kDefaultOriginalDpi = 300.0;

// False when the bytes are no PNG, JPEG, TIFF or BMP, or their size cannot be found in them.
bool ReadImageHeader(const uint8_t* bytes, size_t count, ImageHeader& header);
