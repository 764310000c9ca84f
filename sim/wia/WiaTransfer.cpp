#include "sim/wia/WiaTransfer.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace {
constexpr DWORD kDefaultBandBytes = 64 * 1024;
constexpr DWORD kLargestBandBytes = 4 * 1024 * 1024;

// Why a page ends before its last row.
enum class Interruption
{
    None,
    Jam,
    Cancel,
};

Interruption InterruptionOf(WiaFault fault)
{
    if (fault == WiaFault::Jam)
        return Interruption::Jam;
    return fault == WiaFault::Cancel ? Interruption::Cancel : Interruption::None;
}

// The faults that refuse a transfer before the first callback; a feeder scan takes its sheet here.
HRESULT StartScan(const WiaScannerModel& model, const WiaSteering& steering, const WiaScanSettings& settings)
{
    if (!steering.present)
        return WIA_ERROR_OFFLINE;
    if (steering.fault == WiaFault::Busy)
        return WIA_ERROR_BUSY;
    if (steering.fault == WiaFault::Cover)
        return WIA_ERROR_COVER_OPEN;
    if (settings.source == FEEDER && !TakeWiaSheet(model))
        return WIA_ERROR_PAPER_EMPTY;
    return S_OK;
}

class CBandSender
{
public:
    CBandSender(IWiaDataCallback* pCallback, const WiaScanFormat& format, DWORD bandBytes)
        : m_pCallback(pCallback), m_page(format), m_band(bandBytes)
    {
    }

    // False when the application asks to stop.
    bool SendHeader()
    {
        WIA_DATA_CALLBACK_HEADER header = {};
        header.lSize = sizeof(header);
        header.guidFormatID = WiaImgFmt_MEMORYBMP;
        header.lBufferSize = (LONG)m_page.Geometry().imageBytes;
        header.lPageCount = 1;
        return Send(IT_MSG_DATA_HEADER, 0, 0, sizeof(header), reinterpret_cast<BYTE*>(&header));
    }
    // Sends the bytes up to end (at most the whole image); false when the application asks to stop.
    bool SendBand(ULONGLONG end)
    {
        ULONGLONG offset = m_page.Position();
        ULONGLONG wanted = end - offset;
        DWORD n = m_page.Read(m_band.data(), (DWORD)(wanted < m_band.size() ? wanted : m_band.size()));
        return Send(IT_MSG_DATA, (LONG)offset, (LONG)n, (LONG)n, m_band.data());
    }
    void SendTermination() { Send(IT_MSG_TERMINATION, 0, 0, 0, NULL); }
    ULONGLONG Position() const { return m_page.Position(); }
    ULONGLONG HalfwayPosition() const
    {
        const WiaPageGeometry& geometry = m_page.Geometry();
        return geometry.headerBytes + (ULONGLONG)geometry.bytesPerLine * (geometry.lines / 2);
    }
    ULONGLONG EndPosition() const { return m_page.Geometry().imageBytes; }

private:
    bool Send(LONG message, LONG offset, LONG length, LONG bufferLength, BYTE* pb)
    {
        LONG percent = (LONG)(m_page.Position() * 100 / EndPosition());
        HRESULT hr = m_pCallback->BandedDataCallback(message, IT_STATUS_TRANSFER_TO_CLIENT, percent, offset, length, 0,
                                                     bufferLength, pb);
        return hr == S_OK;
    }

    IWiaDataCallback* m_pCallback;
    CWiaPageStream m_page;
    std::vector<BYTE> m_band;
};

// The page after its header: bands until the end, or until a jam or the device's own
// cancel (set before the scan or while it runs) stops it.
HRESULT SendPage(CBandSender& sender, const WiaScannerModel& model, WiaSteering steering)
{
    Interruption interruption = InterruptionOf(steering.fault);
    ULONGLONG end = interruption == Interruption::None ? sender.EndPosition() : sender.HalfwayPosition();
    while (sender.Position() < end)
    {
        if (steering.delayMs)
            Sleep(steering.delayMs);
        if (!sender.SendBand(end))
            return S_FALSE;
        steering = ReadWiaSteering(model);
        if (!steering.present)
            return WIA_ERROR_OFFLINE;
        if (interruption == Interruption::None && InterruptionOf(steering.fault) != Interruption::None)
        {
            interruption = InterruptionOf(steering.fault);
            end = sender.Position();
        }
    }
    if (interruption == Interruption::Jam)
        return WIA_ERROR_PAPER_JAM;
    sender.SendTermination();
    return interruption == Interruption::Cancel ? S_FALSE : S_OK;
}

HRESULT Transfer(const WiaScannerModel& model, const WiaScanSettings& settings, const WIA_DATA_TRANSFER_INFO& info,
                 IWiaDataCallback* pCallback)
{
    WiaSteering steering = ReadWiaSteering(model);
    HRESULT hr = StartScan(model, steering, settings);
    if (FAILED(hr))
        return hr;
    DWORD bandBytes = info.ulBufferSize ? info.ulBufferSize : kDefaultBandBytes;
    CBandSender sender(pCallback, ScanFormatOf(model, settings),
                       bandBytes < kLargestBandBytes ? bandBytes : kLargestBandBytes);
    if (!sender.SendHeader())
        return S_FALSE;
    return SendPage(sender, model, steering);
}

void LogTransfer(const WiaScannerModel& model, const WiaScanSettings& settings, HRESULT hr)
{
    bool color = settings.dataType == WIA_DATA_COLOR;
    char szLine[256];
    snprintf(szLine, sizeof(szLine), "transfer %s %s %ldx%ld dpi %s %d bits -> 0x%08lX", model.pszKey,
             settings.source == FEEDER ? "feeder" : "flatbed", (long)settings.xres, (long)settings.yres,
             color ? "color" : "grayscale", color ? 24 : 8, (unsigned long)hr);
    LogWiaTransfer(szLine);
}
}  // namespace

HRESULT RunWiaBandedTransfer(CWiaDevice& device, PWIA_DATA_TRANSFER_INFO pInfo, IWiaDataCallback* pCallback)
{
    if (!pInfo || !pCallback)
        return E_INVALIDARG;
    WiaScanSettings settings = device.Settings();
    HRESULT hr = Transfer(device.Model(), settings, *pInfo, pCallback);
    LogTransfer(device.Model(), settings, hr);
    return hr;
}
