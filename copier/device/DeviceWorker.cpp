#include "copier/device/DeviceWorker.h"

#include <objbase.h>

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"
#include "copier/device/PrintPipeline.h"
#include "copier/device/PrinterMedia.h"

namespace {

// The feeder is looked at this often; asking the spooler about the printer costs more.
const DWORD kFeederPollMs = 300;
const DWORD kPrinterPollMs = 2000;

// Waits for `event`, painting the calling thread's windows meanwhile: nothing else of
// its queue is handled, so no input reaches the caller before the wait is over.
void WaitPainting(HANDLE event)
{
    while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_PAINT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
            DispatchMessageA(&msg);
    }
}

}  // namespace

DeviceWorker::DeviceWorker(IImageSource& source, const std::string& printer, DeviceEvents& events)
    : m_source(source), m_printer(printer), m_events(events)
{
}

DeviceWorker::~DeviceWorker() { Stop(); }

bool DeviceWorker::Start()
{
    if (m_hThread)
        return true;
    m_lStop = 0;
    m_bDocument = m_source.DocumentPresent();
    m_hWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hTaken = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hThread = m_hWake && m_hTaken ? CreateThread(nullptr, 0, &DeviceWorker::Main, this, 0, nullptr) : nullptr;
    if (!m_hThread)
        CopierLog("device: its thread could not be started (error %lu)", GetLastError());
    return m_hThread != nullptr;
}

void DeviceWorker::Stop()
{
    if (m_hThread) {
        InterlockedExchange(&m_lStop, 1);
        SetEvent(m_hWake);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    for (HANDLE* pEvent : {&m_hWake, &m_hTaken}) {
        if (*pEvent)
            CloseHandle(*pEvent);
        *pEvent = nullptr;
    }
}

HRESULT DeviceWorker::Submit(const Job& job)
{
    if (!m_hThread)
        return kNotResponding;
    if (InterlockedCompareExchange(&m_lBusy, 1, 0) != 0)
        return kDeviceBusy;
    m_job = job;
    ResetEvent(m_hTaken);
    InterlockedExchange(&m_lPending, 1);  // the job is written before the thread may take it
    SetEvent(m_hWake);
    WaitPainting(m_hTaken);
    return m_hrTaken;
}

DWORD WINAPI DeviceWorker::Main(void* self)
{
    // WIC decodes on this thread.
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    static_cast<DeviceWorker*>(self)->Run();
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    return 0;
}

void DeviceWorker::Run()
{
    for (;;) {
        if (InterlockedExchange(&m_lPending, 0))
            RunJob();
        if (m_lStop)
            break;
        Poll();
        WaitForSingleObject(m_hWake, kFeederPollMs);
    }
}

void DeviceWorker::RunJob()
{
    unsigned pageCount = 0;
    HRESULT hr = TakeOriginals(pageCount);
    if (FAILED(hr))
        return;
    hr = PrintOriginals(m_printer, m_job.documentName, m_job.settings, m_source, pageCount);
    m_source.EndJob();
    if (SUCCEEDED(hr))
        CopierLog("device: job \"%s\" printed, %u original(s) x %d", m_job.documentName.c_str(), pageCount,
                  m_job.settings.copies);
    if (hr == kNotResponding)
        MarkLost(true);
    InterlockedExchange(&m_lBusy, 0);
    m_events.Busy(false);
}

// The outcome goes back to Submit; a job whose originals cannot be taken ends here,
// with nothing printed and no busy spell.
HRESULT DeviceWorker::TakeOriginals(unsigned& pageCount)
{
    ScanRequest request = {m_job.settings.color, m_job.settings.printDpi ? m_job.settings.printDpi : 300};
    HRESULT hr = m_source.BeginJob(request, pageCount);
    m_hrTaken = hr;
    if (FAILED(hr)) {
        if (hr == kNotResponding)
            MarkLost(false);
        InterlockedExchange(&m_lBusy, 0);
    } else {
        CopierLog("device: job \"%s\" accepted: %u original(s), %d copies", m_job.documentName.c_str(), pageCount,
                  m_job.settings.copies);
        m_events.Busy(true);
    }
    SetEvent(m_hTaken);
    return hr;
}

void DeviceWorker::MarkLost(bool forGood)
{
    if (forGood)
        InterlockedExchange(&m_lLostForGood, 1);
    if (InterlockedExchange(&m_lLost, 1) == 0)
        m_events.Disconnected();
}

void DeviceWorker::Poll()
{
    m_source.Refresh();
    bool document = m_source.DocumentPresent();
    if (document != m_bDocument) {
        m_bDocument = document;
        m_events.FeederChanged(document);
    }
    if (static_cast<LONG>(GetTickCount() - m_dwNextPrinterCheck) < 0)
        return;
    m_dwNextPrinterCheck = GetTickCount() + kPrinterPollMs;
    bool answers = SUCCEEDED(m_source.Answers()) && PrinterAnswers(m_printer);
    if (!answers && !m_lLost) {
        CopierLog("device: the printer %s or the source stopped answering", m_printer.c_str());
        MarkLost(false);
    } else if (answers && m_lLost && !m_lLostForGood) {
        InterlockedExchange(&m_lLost, 0);
    }
}
