// What a printer offers, asked through DeviceCapabilities, and the device's media
// lists made from it: paper sizes with the size codes of the copy dialog's world,
// paper types, sources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct PrinterPaper
{
    int driverCode;              // DMPAPER_* or the driver's own number
    int widthTenthMm, heightTenthMm;
    std::string name;
};

struct PrinterMediaType
{
    DWORD driverCode;  // DMMEDIA_* or the driver's own number
    std::string name;
};

struct PrinterInfo
{
    std::vector<PrinterPaper> papers;
    std::vector<WORD> bins;
    std::vector<PrinterMediaType> types;
    int defaultPaper = 0;        // the driver's default paper code
    bool printsToEdge = false;   // no unprintable margin on any side
    bool color = false;
};

// The printer's papers, bins, types and margins; kNotResponding when it is not there.
HRESULT QueryPrinter(const std::string& printer, PrinterInfo& info);
// Cheap: whether the spooler still knows the printer.
bool PrinterAnswers(const std::string& printer);

// One entry of a media list in the capability record and the driver value it selects.
struct MediaChoice
{
    int32_t id;
    int32_t driverCode;
    std::string name;
};

struct DeviceMedia
{
    std::vector<MediaChoice> sizes;   // at most 50
    std::vector<MediaChoice> types;   // at most 20; plain paper when the printer names none
    int32_t defaultSize = 0;
};

// Sizes the copy dialog has a code for (within 1 mm either way round), the rest left out
// and logged; the printer's types, or plain paper alone.
DeviceMedia MapPrinterMedia(const PrinterInfo& info);
