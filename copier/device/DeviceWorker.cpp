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
    m_hThread = m_hWake ? CreateThread(nullptr, 0, &DeviceWorker::Main, this, 0, nullptr) : nullptr;
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
    if (m_hWake)
        CloseHandle(m_hWake);
    m_hWake = nullptr;
}

bool DeviceWorker::Submit(const Job& job)
{
    if (!m_hThread || InterlockedCompareExchange(&m_lBusy, 1, 0) != 0)
        return false;
    m_job = job;
    InterlockedExchange(&m_lPending, 1);  // the job is written before the thread may take it
    m_events.Busy(true);
    SetEvent(m_hWake);
    return true;
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
    HRESULT hr = PrintOriginals(m_printer, m_job.documentName, m_job.settings, m_source, m_job.pageCount);
    m_source.EndJob();
    if (SUCCEEDED(hr))
        CopierLog("device: job \"%s\" printed, %u original(s) x %d", m_job.documentName.c_str(), m_job.pageCount,
                  m_job.settings.copies);
    if (hr == kNotResponding && !m_lLost) {
        InterlockedExchange(&m_lLost, 1);
        m_events.Disconnected();
    }
    InterlockedExchange(&m_lBusy, 0);
    m_events.Busy(false);
}

void DeviceWorker::Poll()
{
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
        InterlockedExchange(&m_lLost, 1);
        m_events.Disconnected();
    } else if (answers && m_lLost) {
        InterlockedExchange(&m_lLost, 0);
    }
}
