#include "copier/device/WiaTransfer.h"

#include <algorithm>
#include <vector>

#include "copier/common/ComRef.h"
#include "copier/common/CopierLog.h"

namespace {

const ULONG kBandBufferBytes = 256 * 1024;

// Receives the bands of one page. Lives on the caller's stack for one transfer, so its
// reference count does not own it.
class PageReceiver : public IWiaDataCallback
{
public:
    PageReceiver(ScanSpool& spool, double fallbackDpi) : m_spool(spool), m_fallbackDpi(fallbackDpi) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == IID_IWiaDataCallback) ? static_cast<IWiaDataCallback*>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP BandedDataCallback(LONG message, LONG /*status*/, LONG /*percent*/, LONG offset, LONG length,
                                    LONG /*reserved*/, LONG /*resultLength*/, BYTE* buffer) override
    {
        if (message != IT_MSG_DATA)
            return S_OK;
        if (offset < 0 || length < 0 || (length > 0 && !buffer) || !Take(static_cast<uint64_t>(offset), buffer,
                                                                           static_cast<size_t>(length))) {
            m_bFailed = true;
            return S_FALSE;  // stop the transfer
        }
        return S_OK;
    }

    bool Complete() { return !m_bFailed && m_bStarted && m_spool.EndPage(); }

private:
    // The first bytes are the bitmap's header and palette; the rows follow them.
    bool Take(uint64_t offset, const uint8_t* bytes, size_t length)
    {
        while (!m_bStarted && length > 0) {
            if (offset != m_header.size())
                return false;  // a header must come in order
            size_t piece = std::min(length, HeaderBytesWanted() - m_header.size());
            m_header.insert(m_header.end(), bytes, bytes + piece);
            offset += piece, bytes += piece, length -= piece;
            if (m_header.size() == HeaderBytesWanted() && m_needed && !StartPage())
                return false;
        }
        return length == 0 || m_spool.Write(offset - m_header.size(), bytes, length);
    }

    size_t HeaderBytesWanted()
    {
        if (!m_needed && m_header.size() >= sizeof(BITMAPINFOHEADER)) {
            SpoolPage probe;
            if (!ParseDibHeader(m_header.data(), m_header.size(), probe, m_needed))
                m_needed = m_header.size();  // StartPage refuses it
        }
        return m_needed ? m_needed : sizeof(BITMAPINFOHEADER);
    }

    bool StartPage()
    {
        SpoolPage page;
        size_t needed = 0;
        if (!ParseDibHeader(m_header.data(), m_header.size(), page, needed) || needed != m_header.size()) {
            CopierLog("device: the scanner sent no bitmap this copier can read");
            return false;
        }
        page.dpiX = page.dpiX > 0 ? page.dpiX : m_fallbackDpi;
        page.dpiY = page.dpiY > 0 ? page.dpiY : m_fallbackDpi;
        m_bStarted = m_spool.BeginPage(page);
        return m_bStarted;
    }

    ScanSpool& m_spool;
    double m_fallbackDpi;
    std::vector<uint8_t> m_header;
    size_t m_needed = 0;
    bool m_bStarted = false;
    bool m_bFailed = false;
};

}  // namespace

HRESULT TransferPage(IWiaItem* pItem, ScanSpool& spool, double fallbackDpi)
{
    ComRef<IWiaDataTransfer> transfer;
    HRESULT hr = pItem->QueryInterface(IID_IWiaDataTransfer, transfer.PutVoid());
    if (FAILED(hr))
        return hr;
    PageReceiver receiver(spool, fallbackDpi);
    WIA_DATA_TRANSFER_INFO info = {};
    info.ulSize = sizeof(info);
    info.ulBufferSize = kBandBufferBytes;
    info.bDoubleBuffer = FALSE;
    hr = transfer->idtGetBandedData(&info, &receiver);
    if (FAILED(hr))
        return hr;
    if (hr != S_OK || !receiver.Complete()) {
        CopierLog("device: the scanner's transfer stopped half way (0x%lx)", static_cast<unsigned long>(hr));
        return E_ABORT;
    }
    return S_OK;
}
