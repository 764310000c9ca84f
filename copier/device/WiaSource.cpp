#include "copier/device/WiaSource.h"

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"

namespace {

// A feeder that never runs empty still ends a job.
const unsigned kMaxFeederPages = 500;

}  // namespace

bool WiaSource::Open(const std::string& deviceId)
{
    m_deviceId = deviceId;
    WiaScanner scanner(deviceId);  // this thread's own, let go at once
    ScannerState state;
    HRESULT hr = scanner.ReadState(state);
    m_capabilities = state.capabilities;
    Remember(hr, state);
    return SUCCEEDED(hr);
}

void WiaSource::Remember(HRESULT hr, const ScannerState& state)
{
    InterlockedExchange(&m_lAnswers, SUCCEEDED(hr) ? 1 : 0);
    InterlockedExchange(&m_lDocument, SUCCEEDED(hr) && HasFeeder() && (state.status & FEED_READY) ? 1 : 0);
}

void WiaSource::Refresh()
{
    if (!m_scanner)
        m_scanner.reset(new WiaScanner(m_deviceId));
    ScannerState state;
    Remember(m_scanner->ReadState(state), state);
}

HRESULT WiaSource::BeginJob(const ScanRequest& request, unsigned& pageCount)
{
    EndJob();
    pageCount = 0;
    Refresh();
    if (!m_lAnswers)
        return kNotResponding;
    bool feeder = m_lDocument != 0;
    if (!feeder && !(m_capabilities & FLAT)) {
        CopierLog("device: no original in the feeder of %s", m_deviceId.c_str());
        return kNoOriginal;
    }
    HRESULT hr = ScanAll(feeder, request);
    if (FAILED(hr)) {
        EndJob();
        HRESULT code = CopyCodeOfScanFailure(hr);
        CopierLog("device: the scan failed (0x%lx), nothing is printed", static_cast<unsigned long>(hr));
        if (code == kNotResponding)
            Remember(hr, ScannerState());
        return code;
    }
    pageCount = static_cast<unsigned>(m_spool.Pages());
    return S_OK;
}

HRESULT WiaSource::ScanAll(bool feeder, const ScanRequest& request)
{
    long dpi = request.dpi;
    HRESULT hr = m_scanner->Prepare(feeder, request, dpi);
    if (FAILED(hr))
        return hr;
    if (!m_spool.Open())
        return E_OUTOFMEMORY;
    CopierLog("device: scanning from the %s of %s at %ld dpi, %s", feeder ? "feeder" : "flatbed", m_deviceId.c_str(),
              dpi, request.color ? "colour" : "grey");
    do {
        hr = m_scanner->Transfer(m_spool, static_cast<double>(dpi));
        if (hr == WIA_ERROR_PAPER_EMPTY && m_spool.Pages() > 0)
            return S_OK;  // the feeder ran empty: every sheet is in
        if (FAILED(hr))
            return hr;
        if (feeder) {
            ScannerState state;
            hr = m_scanner->ReadState(state);
            if (FAILED(hr))
                return hr;
            feeder = (state.status & FEED_READY) != 0;
        }
    } while (feeder && m_spool.Pages() < kMaxFeederPages);
    return S_OK;
}

HRESULT WiaSource::OpenPage(unsigned index, OriginalSize& size)
{
    if (index >= m_spool.Pages())
        return E_INVALIDARG;
    const SpoolPage& page = m_spool.Page(index);
    m_openPage = index;
    size = OriginalSize{page.width, page.height, page.dpiX, page.dpiY};
    return S_OK;
}

HRESULT WiaSource::ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels)
{
    return m_spool.ReadPixels(m_openPage, left, top, width, height, pixels) ? S_OK : kScanFailed;
}

void WiaSource::EndJob() { m_spool.Close(); }
