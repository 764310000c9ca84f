// The thread that serves a device's control pipe and runs its timed work
// (the end of a busy period). One per bound device object.
#pragma once

#include <windows.h>
#include <cstddef>

class SimControlChannel
{
public:
    struct Handler
    {
        // One command line from a client; the reply goes back as one line.
        virtual void OnCommand(const char* line, char* reply, size_t cap) = 0;
        // Timed work; returns the milliseconds until it is due again, or INFINITE.
        virtual DWORD OnTick() = 0;
    };

    SimControlChannel();
    ~SimControlChannel();

    bool Start(const char* pipeName, Handler* handler);
    void Stop();  // waits until the thread has ended; no call into the handler after
    void Wake();  // the handler's timed work changed: ask OnTick again
    bool IsRunning() const { return m_hThread != nullptr; }

private:
    enum WaitResult { kIoDone, kStopped, kTimedOut };

    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void ServeClient();
    WaitResult WaitIo(OVERLAPPED& ov, DWORD timeoutMs);
    bool ReadCommand(char* line, size_t cap);
    bool WriteAll(const char* data, DWORD len);

    SimControlChannel(const SimControlChannel&) = delete;
    SimControlChannel& operator=(const SimControlChannel&) = delete;

    Handler* m_pHandler;
    HANDLE m_hThread;
    HANDLE m_hStop;
    HANDLE m_hWake;
    HANDLE m_hIo;
    HANDLE m_hPipe;
    char m_szPipeName[260];
};
