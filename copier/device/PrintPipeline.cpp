#include "copier/device/PrintPipeline.h"

#include <algorithm>
#include <vector>

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"
#include "copier/device/Tone.h"

namespace {

// The printer's DEVMODE with the job's paper, source, type, colour and resolution.
std::vector<char> JobDevMode(const std::string& printer, const PrintSettings& settings)
{
    std::vector<char> block;
    HANDLE handle = nullptr;
    char* name = const_cast<char*>(printer.c_str());
    if (!OpenPrinterA(name, &handle, nullptr))
        return block;
    LONG size = DocumentPropertiesA(nullptr, handle, name, nullptr, nullptr, 0);
    if (size > 0) {
        block.resize(size);
        DEVMODEA* dm = reinterpret_cast<DEVMODEA*>(block.data());
        if (DocumentPropertiesA(nullptr, handle, name, dm, nullptr, DM_OUT_BUFFER) == IDOK) {
            dm->dmFields |= DM_PAPERSIZE | DM_COPIES | DM_COLOR;
            dm->dmPaperSize = static_cast<short>(settings.paper);
            dm->dmCopies = 1;  // copies are pages of the job, not the driver's count
            dm->dmColor = settings.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
            if (settings.bin) {
                dm->dmFields |= DM_DEFAULTSOURCE;
                dm->dmDefaultSource = static_cast<short>(settings.bin);
            }
            if (settings.mediaType) {
                dm->dmFields |= DM_MEDIATYPE;
                dm->dmMediaType = static_cast<DWORD>(settings.mediaType);
            }
            if (settings.printDpi) {
                dm->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
                dm->dmPrintQuality = static_cast<short>(settings.printDpi);
                dm->dmYResolution = static_cast<short>(settings.printDpi);
            }
            if (DocumentPropertiesA(nullptr, handle, name, dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
                block.clear();
        } else {
            block.clear();
        }
    }
    ClosePrinter(handle);
    return block;
}

// One page: the visible rows of the original, band by band.
HRESULT SendBands(HDC dc, IImageSource& source, const OriginalSize& original, const Placement& placement,
                  const ToneMap& tone)
{
    const PixelRect& visible = placement.Visible();
    uint32_t left = static_cast<uint32_t>(visible.left), width = static_cast<uint32_t>(visible.right - visible.left);
    if (width == 0 || visible.bottom <= visible.top)
        return S_OK;
    uint32_t band = BandRows(width, kBandBytes);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * 4 * std::min<uint32_t>(band, original.height));
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = static_cast<LONG>(width);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    int64_t x0 = placement.ColumnEdge(left), x1 = placement.ColumnEdge(left + width);
    for (uint32_t row = static_cast<uint32_t>(visible.top); row < visible.bottom; row += band) {
        uint32_t rows = std::min<uint32_t>(band, static_cast<uint32_t>(visible.bottom) - row);
        HRESULT hr = source.ReadPixels(left, row, width, rows, pixels.data());
        if (FAILED(hr))
            return hr;
        tone.Apply(pixels.data(), static_cast<size_t>(width) * rows);
        bmi.bmiHeader.biHeight = -static_cast<LONG>(rows);  // top-down
        int64_t y0 = placement.RowEdge(row), y1 = placement.RowEdge(row + rows);
        if (y1 > y0 && StretchDIBits(dc, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                                     static_cast<int>(y1 - y0), 0, 0, static_cast<int>(width), static_cast<int>(rows),
                                     pixels.data(), &bmi, DIB_RGB_COLORS, SRCCOPY) == 0)
            return kNotResponding;
    }
    return S_OK;
}

HRESULT PrintPages(HDC dc, const PrintSettings& settings, IImageSource& source, unsigned pageCount)
{
    PrinterPage page = PageOf(dc);
    ToneMap tone(settings.brightness, !settings.color);
    for (unsigned index = 0; index < pageCount; ++index) {
        OriginalSize original = {};
        HRESULT hr = source.OpenPage(index, original);
        if (FAILED(hr))
            return hr;
        Placement placement(original, page, settings.mode, settings.percent);
        for (int copy = 0; copy < settings.copies; ++copy) {
            if (StartPage(dc) <= 0)
                return kNotResponding;
            hr = SendBands(dc, source, original, placement, tone);
            if (FAILED(hr))
                return hr;
            if (EndPage(dc) <= 0)
                return kNotResponding;
        }
    }
    return S_OK;
}

}  // namespace

PrinterPage PageOf(HDC dc)
{
    return PrinterPage{GetDeviceCaps(dc, LOGPIXELSX),     GetDeviceCaps(dc, LOGPIXELSY),
                       GetDeviceCaps(dc, PHYSICALWIDTH),  GetDeviceCaps(dc, PHYSICALHEIGHT),
                       GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                       GetDeviceCaps(dc, HORZRES),        GetDeviceCaps(dc, VERTRES)};
}

HRESULT PrintOriginals(const std::string& printer, const std::string& documentName, const PrintSettings& settings,
                       IImageSource& source, unsigned pageCount)
{
    std::vector<char> devmode = JobDevMode(printer, settings);
    if (devmode.empty()) {
        CopierLog("device: the printer %s does not answer", printer.c_str());
        return kNotResponding;
    }
    HDC dc = CreateDCA("WINSPOOL", printer.c_str(), nullptr, reinterpret_cast<DEVMODEA*>(devmode.data()));
    if (!dc) {
        CopierLog("device: no device context for %s", printer.c_str());
        return kNotResponding;
    }
    DOCINFOA doc = {};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = documentName.c_str();
    HRESULT hr = StartDocA(dc, &doc) > 0 ? S_OK : kNotResponding;
    if (SUCCEEDED(hr))
        hr = PrintPages(dc, settings, source, pageCount);
    if (SUCCEEDED(hr) && EndDoc(dc) <= 0)
        hr = kNotResponding;
    if (FAILED(hr)) {
        AbortDoc(dc);
        CopierLog("device: job \"%s\" abandoned (0x%lx)", documentName.c_str(), static_cast<unsigned long>(hr));
    }
    DeleteDC(dc);
    return hr;
}
