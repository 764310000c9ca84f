#include "sim/device/SimControlChannel.h"

#include <cstring>
#include <initializer_list>

namespace {
const DWORD kClientTimeoutMs = 2000;  // a client that stalls does not hold the device up longer
const DWORD kRetryMs = 500;
}  // namespace

SimControlChannel::SimControlChannel()
    : m_pHandler(nullptr),
      m_hThread(nullptr),
      m_hStop(nullptr),
      m_hWake(nullptr),
      m_hIo(nullptr),
      m_hPipe(INVALID_HANDLE_VALUE)
{
    m_szPipeName[0] = '\0';
}

SimControlChannel::~SimControlChannel() { Stop(); }

bool SimControlChannel::Start(const char* pipeName, Handler* handler)
{
    Stop();
    lstrcpynA(m_szPipeName, pipeName, sizeof(m_szPipeName));
    m_pHandler = handler;
    m_hStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_hWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hIo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Made here rather than on the thread, so a client can connect as soon as Start returns.
    m_hPipe = CreateNamedPipeA(m_szPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                               PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 1024, 1024, 0,
                               nullptr);
    if (m_hStop && m_hWake && m_hIo && m_hPipe != INVALID_HANDLE_VALUE)
        m_hThread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    if (m_hThread)
        return true;
    Stop();
    return false;
}

void SimControlChannel::Stop()
{
    if (m_hThread) {
        SetEvent(m_hStop);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    if (m_hPipe != INVALID_HANDLE_VALUE)
        CloseHandle(m_hPipe);
    m_hPipe = INVALID_HANDLE_VALUE;
    for (HANDLE* h : {&m_hStop, &m_hWake, &m_hIo}) {
        if (*h)
            CloseHandle(*h);
        *h = nullptr;
    }
    m_pHandler = nullptr;
}

void SimControlChannel::Wake()
{
    if (m_hWake)
        SetEvent(m_hWake);
}

DWORD WINAPI SimControlChannel::ThreadMain(void* self)
{
    static_cast<SimControlChannel*>(self)->Run();
    return 0;
}

// Waits for the overlapped operation while running the handler's timed work.
// A stop or a time-out cancels the operation before returning.
SimControlChannel::WaitResult SimControlChannel::WaitIo(OVERLAPPED& ov, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    WaitResult result = kTimedOut;
    for (;;) {
        DWORD wait = m_pHandler->OnTick();
        if (timeoutMs != INFINITE) {
            DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs)
                break;
            if (timeoutMs - elapsed < wait)
                wait = timeoutMs - elapsed;
        }
        HANDLE handles[3] = {m_hStop, m_hIo, m_hWake};
        DWORD r = WaitForMultipleObjects(3, handles, FALSE, wait);
        if (r == WAIT_OBJECT_0 + 1)
            return kIoDone;
        if (r == WAIT_OBJECT_0 || r == WAIT_FAILED) {
            result = kStopped;
            break;
        }
    }
    CancelIo(m_hPipe);
    DWORD n = 0;
    GetOverlappedResult(m_hPipe, &ov, &n, TRUE);
    return result;
}

void SimControlChannel::Run()
{
    for (;;) {
        OVERLAPPED ov = {};
        ov.hEvent = m_hIo;
        ResetEvent(m_hIo);
        bool connected = false;
        WaitResult waited = kIoDone;
        if (ConnectNamedPipe(m_hPipe, &ov))
            connected = true;
        else {
            DWORD error = GetLastError();
            if (error == ERROR_PIPE_CONNECTED)
                connected = true;
            else if (error == ERROR_IO_PENDING) {
                waited = WaitIo(ov, INFINITE);
                DWORD n = 0;
                connected = waited == kIoDone && GetOverlappedResult(m_hPipe, &ov, &n, FALSE);
            } else if (error != ERROR_NO_DATA)  // no data: the client already left
            {
                OVERLAPPED none = {};
                waited = WaitIo(none, kRetryMs);
            }
        }
        if (waited == kStopped)
            return;
        if (connected)
            ServeClient();
        DisconnectNamedPipe(m_hPipe);
        if (WaitForSingleObject(m_hStop, 0) == WAIT_OBJECT_0)
            return;
    }
}

void SimControlChannel::ServeClient()
{
    char line[512];
    if (!ReadCommand(line, sizeof(line)))
        return;
    char reply[512];
    reply[0] = '\0';
    m_pHandler->OnCommand(line, reply, sizeof(reply) - 2);
    size_t len = strlen(reply);
    reply[len++] = '\n';
    reply[len] = '\0';
    if (!WriteAll(reply, static_cast<DWORD>(len)))
        return;
    // Disconnecting throws away what the client has not read yet: wait until it
    // has closed its end (the read then fails) or gives up.
    char rest[64];
    OVERLAPPED ov = {};
    ov.hEvent = m_hIo;
    ResetEvent(m_hIo);
    if (ReadFile(m_hPipe, rest, sizeof(rest), nullptr, &ov) || GetLastError() == ERROR_IO_PENDING)
        WaitIo(ov, kClientTimeoutMs);
}

bool SimControlChannel::ReadCommand(char* line, size_t cap)
{
    size_t used = 0;
    DWORD start = GetTickCount();
    while (used + 1 < cap) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kClientTimeoutMs)
            return false;
        OVERLAPPED ov = {};
        ov.hEvent = m_hIo;
        ResetEvent(m_hIo);
        DWORD n = 0;
        if (!ReadFile(m_hPipe, line + used, static_cast<DWORD>(cap - 1 - used), nullptr, &ov)) {
            DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING)
                break;  // the client closed its end: take what came
            if (WaitIo(ov, kClientTimeoutMs - elapsed) != kIoDone)
                return false;
        }
        if (!GetOverlappedResult(m_hPipe, &ov, &n, FALSE))
            break;
        used += n;
        line[used] = '\0';
        if (memchr(line, '\n', used))
            break;
    }
    line[used] = '\0';
    char* eol = strpbrk(line, "\r\n");
    if (eol)
        *eol = '\0';
    return used > 0;
}

bool SimControlChannel::WriteAll(const char* data, DWORD len)
{
    DWORD sent = 0;
    while (sent < len) {
        OVERLAPPED ov = {};
        ov.hEvent = m_hIo;
        ResetEvent(m_hIo);
        DWORD n = 0;
        if (!WriteFile(m_hPipe, data + sent, len - sent, nullptr, &ov)) {
            if (GetLastError() != ERROR_IO_PENDING)
                return false;
            if (WaitIo(ov, kClientTimeoutMs) != kIoDone)
                return false;
        }
        if (!GetOverlappedResult(m_hPipe, &ov, &n, FALSE) || n == 0)
            return false;
        sent += n;
    }
    return true;
}
