// The device's own thread: takes a submitted job's originals from the source (a
// scanner scans them), then prints them (busy when printing starts, idle when it
// ends), and between jobs polls the source's feeder and whether the printer and the
// source still answer. The source is used on this thread only.
#pragma once

#include <windows.h>

#include <string>

#include "copier/device/DeviceEvents.h"
#include "copier/device/ImageSource.h"
#include "copier/device/JobSettings.h"

class DeviceWorker
{
public:
    struct Job
    {
        std::string documentName;
        PrintSettings settings;
    };

    DeviceWorker(IImageSource& source, const std::string& printer, DeviceEvents& events);
    ~DeviceWorker();
    DeviceWorker(const DeviceWorker&) = delete;
    DeviceWorker& operator=(const DeviceWorker&) = delete;

    bool Start();
    void Stop();  // a submitted job is printed first; returns when the thread has ended
    // Hands the job to the thread and waits until the source has taken its originals;
    // returns that outcome (kDeviceBusy while the previous job still runs). The window
    // of the calling thread keeps painting meanwhile. The thread then prints on its own.
    HRESULT Submit(const Job& job);
    bool Busy() const { return m_lBusy != 0; }
    // Set when the printer or the source stopped answering, until both answer again; for
    // good once a job failed at the printer (a spooler may still list a printer it cannot
    // print on, and a copy must not vanish silently).
    bool Lost() const { return m_lLost != 0; }

private:
    static DWORD WINAPI Main(void* self);
    void Run();
    void RunJob();
    HRESULT TakeOriginals(unsigned& pageCount);
    void MarkLost(bool forGood);
    void Poll();

    IImageSource& m_source;
    std::string m_printer;
    DeviceEvents& m_events;
    Job m_job;
    HANDLE m_hThread = nullptr;
    HANDLE m_hWake = nullptr;
    HANDLE m_hTaken = nullptr;     // set once a submitted job's originals are taken (or not)
    HRESULT m_hrTaken = S_OK;
    volatile LONG m_lStop = 0;
    volatile LONG m_lBusy = 0;     // from Submit until the job has ended
    volatile LONG m_lPending = 0;  // a submitted job waits for the thread
    volatile LONG m_lLost = 0;
    volatile LONG m_lLostForGood = 0;
    bool m_bDocument = false;
    DWORD m_dwNextPrinterCheck = 0;
};
