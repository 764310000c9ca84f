// The two scanners the stand-in serves, and their steering in wia.ini: whether a device
// is plugged in, the sheets in its feeder and the fault it shows.
#pragma once

#include <windows.h>
#include <sti.h>

#include <string>
#include <vector>

struct WiaScannerModel
{
    const char* pszKey;  // INI section and name in the transfer log
    const wchar_t* pszDeviceId;
    const wchar_t* pszName;
    LONG handlingCapabilities;  // FLAT | FEED
    std::vector<LONG> resolutions;
    LONG bedWidth;  // thousandths of an inch; 0 without a flatbed
    LONG bedHeight;
};

// The scanning area of the sheet feeder, the same on both devices.
constexpr LONG kWiaSheetWidth = 8268;
constexpr LONG kWiaSheetHeight = 11693;
constexpr LONG kWiaDefaultResolution = 300;
constexpr LONG kWiaScannerDeviceType = MAKELONG(0, StiDeviceTypeScanner);

const std::vector<WiaScannerModel>& WiaScannerModels();
// Null for an unknown device ID.
const WiaScannerModel* FindWiaScanner(const wchar_t* pszDeviceId);

enum class WiaFault
{
    None,
    Busy,
    Cover,
    Jam,
    Cancel,
};

struct WiaSteering
{
    bool present = true;
    LONG sheets = 0;
    WiaFault fault = WiaFault::None;
    DWORD delayMs = 0;
};

WiaSteering ReadWiaSteering(const WiaScannerModel& model);
// Takes one sheet from the feeder and writes the rest back; false when it is empty.
bool TakeWiaSheet(const WiaScannerModel& model);
// WIA_DPS_DOCUMENT_HANDLING_STATUS as the device shows it now.
LONG WiaHandlingStatus(const WiaScannerModel& model, const WiaSteering& steering);

void LogWiaTransfer(const std::string& line);
