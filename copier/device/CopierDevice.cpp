#include "copier/device/CopierDevice.h"

#include <cstdio>

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"
#include "copier/device/JobSettings.h"

namespace {
const int kPrinterRetries = 5;
const DWORD kPrinterRetryMs = 400;

class Lock
{
public:
    explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Lock() { LeaveCriticalSection(&m_cs); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

// Unique among every job of every run, so that the printed document can be found by it.
std::string DocumentName(const std::string& setupName, unsigned job)
{
    char suffix[64];
    snprintf(suffix, sizeof(suffix), " copy %u-%lu-%lu", job, GetCurrentProcessId(), GetTickCount());
    return setupName.substr(0, 160) + suffix;
}

}  // namespace

CopierDevice::CopierDevice() : CComServerObject(IID_ICopyAPI), m_bPrinterKnown(false), m_nJobs(0)
{
    InitializeCriticalSection(&m_lock);
}

CopierDevice::~CopierDevice()
{
    Shutdown();
    DeleteCriticalSection(&m_lock);
}

HRESULT STDMETHODCALLTYPE CopierDevice::InitProtocol(BSTR /*bstrProtocol*/, BSTR bstrCtxID)
{
    std::string contextId = NarrowOf(bstrCtxID);
    Lock lock(m_lock);
    Unbind();
    CopierSetup setup;
    if (!FindCopierSetup(contextId, setup)) {
        CopierLog("device: no set-up has the context ID \"%s\"", contextId.c_str());
        return kNotResponding;
    }
    std::unique_ptr<IImageSource> source = OpenImageSource(setup.source);
    if (!source) {
        CopierLog("device: set-up \"%s\": the source \"%s\" is not served", setup.name.c_str(), setup.source.c_str());
        return kNotResponding;
    }
    m_setup = setup;
    m_source = std::move(source);
    m_events.Bind(contextId);
    m_worker.reset(new DeviceWorker(*m_source, m_setup.printer, m_events));
    if (!m_worker->Start()) {
        Unbind();
        return kNotResponding;
    }
    CopierLog("device: bound to set-up \"%s\" (%s -> %s)", m_setup.name.c_str(), m_setup.source.c_str(),
              m_setup.printer.c_str());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CopierDevice::GetCapabilities(CopierFunctional* pCaps)
{
    if (!pCaps)
        return E_POINTER;
    Lock lock(m_lock);
    HRESULT hr = m_source ? RefreshPrinter() : kNotResponding;
    if (FAILED(hr))
        return hr;
    SourceTraits traits = {m_source->HasFeeder(), m_source->FeederOnly()};
    FillCapabilities(m_printer, m_media, traits, *pCaps);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CopierDevice::SetNotifyWindow(HWND hWnd)
{
    Lock lock(m_lock);
    m_events.SetWindow(hWnd);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CopierDevice::StartMonitoring()
{
    Lock lock(m_lock);
    if (!m_worker)
        return E_UNEXPECTED;
    m_events.Monitor(true);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CopierDevice::Shutdown()
{
    Lock lock(m_lock);
    Unbind();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CopierDevice::GetDocInADF(LONG* pbDocInADF)
{
    if (!pbDocInADF)
        return E_POINTER;
    *pbDocInADF = 0;
    Lock lock(m_lock);
    HRESULT hr = Answers();
    if (SUCCEEDED(hr))
        *pbDocInADF = m_source->DocumentPresent() ? 1 : 0;
    return hr;
}

HRESULT STDMETHODCALLTYPE CopierDevice::SetStatusPaused(LONG /*bPaused*/) { return S_OK; }

HRESULT STDMETHODCALLTYPE CopierDevice::SubmitCopy(CopyJobParams job)
{
    Lock lock(m_lock);
    HRESULT hr = Answers();
    if (SUCCEEDED(hr) && !PrinterAnswers(m_setup.printer)) {
        CopierLog("device: the printer %s is gone", m_setup.printer.c_str());
        hr = kNotResponding;
    }
    if (FAILED(hr))
        return hr;
    if (m_worker->Busy())
        return kDeviceBusy;
    if (!m_bPrinterKnown && FAILED(hr = RefreshPrinter()))
        return hr;
    DeviceWorker::Job work;
    std::string reason;
    if (FAILED(hr = SettingsForJob(job, m_printer, m_media, work.settings, reason))) {
        CopierLog("device: job refused: %s", reason.c_str());
        return hr;
    }
    work.documentName = DocumentName(m_setup.name, ++m_nJobs);
    return m_worker->Submit(work);
}

HRESULT CopierDevice::Answers() const
{
    if (!m_worker || !m_source)
        return kNotResponding;
    if (m_worker->Lost())
        return kNotResponding;
    return m_source->Answers();
}

HRESULT CopierDevice::RefreshPrinter()
{
    // A spooler that has just started (a new Wine prefix installs the driver on the first
    // query) can refuse the first queries of a printer that is there: ask a few times.
    HRESULT hr = QueryPrinter(m_setup.printer, m_printer);
    for (int nRetry = 0; FAILED(hr) && !m_bPrinterKnown && nRetry < kPrinterRetries; ++nRetry) {
        Sleep(kPrinterRetryMs);
        hr = QueryPrinter(m_setup.printer, m_printer);
    }
    m_bPrinterKnown = SUCCEEDED(hr);
    if (FAILED(hr)) {
        CopierLog("device: the printer %s does not answer", m_setup.printer.c_str());
        return hr;
    }
    m_media = MapPrinterMedia(m_printer);
    return S_OK;
}

void CopierDevice::Unbind()
{
    m_events.Monitor(false);
    m_events.SetWindow(nullptr);
    m_worker.reset();  // ends the thread once a running job is printed
    m_source.reset();
    m_bPrinterKnown = false;
}
