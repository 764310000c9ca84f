#include "sim/device/SimCopyDevice.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/device/SimJournal.h"
#include "sim/device/SimPipeName.h"

namespace {

void BstrToText(BSTR bstr, char* text, size_t cap)
{
    text[0] = '\0';
    if (!bstr)
        return;
    int n = WideCharToMultiByte(CP_ACP, 0, bstr, static_cast<int>(SysStringLen(bstr)), text, static_cast<int>(cap - 1),
                                nullptr, nullptr);
    text[n > 0 ? n : 0] = '\0';
}

// The third "#"-separated field; runs of "#" count as one separator.
void DeviceIDOf(const char* ctxID, char* deviceID, size_t cap)
{
    deviceID[0] = '\0';
    int field = 0;
    const char* p = ctxID;
    while (*p) {
        while (*p == '#')
            ++p;
        if (!*p)
            break;
        const char* end = strchr(p, '#');
        size_t len = end ? static_cast<size_t>(end - p) : strlen(p);
        if (++field == 3) {
            lstrcpynA(deviceID, p, static_cast<int>(len + 1 < cap ? len + 1 : cap));
            return;
        }
        p += len;
    }
}

struct Lock
{
    explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Lock() { LeaveCriticalSection(&m_cs); }
    CRITICAL_SECTION& m_cs;
};

const char kCommandHelp[] =
    "commands: placed, removed, busy, idle, ink low <a> <b> <c>, disconnect, reconnect, reload, status";

}  // namespace

SimCopyDevice::SimCopyDevice()
    : CSimObject(IID_ICopyAPI),
      m_bBound(false),
      m_bProfileFromFile(false),
      m_bProfileCurrent(false),
      m_profileStamp(),
      m_nFileOriginalInFeeder(0),
      m_hNotifyWnd(nullptr),
      m_bMonitoring(false),
      m_bDocInFeeder(false),
      m_bBusy(false),
      m_bIdlePending(false),
      m_dwIdleDue(0),
      m_bDisconnected(false),
      m_bPaused(false),
      m_nJobs(0),
      m_msgs(),
      m_pPayload(nullptr)
{
    InitializeCriticalSection(&m_lock);
    m_szCtxID[0] = m_szDeviceID[0] = m_szProtocol[0] = '\0';
    m_szProfilePath[0] = m_szProfileProblem[0] = '\0';
    SimProfileSetDefault(m_profile);
}

SimCopyDevice::~SimCopyDevice()
{
    m_channel.Stop();
    DeleteCriticalSection(&m_lock);
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::InitProtocol(BSTR bstrProtocol, BSTR bstrCtxID)
{
    char ctxID[260];
    BstrToText(bstrCtxID, ctxID, sizeof(ctxID));
    m_channel.Stop();  // a second bind replaces the first

    HRESULT hr;
    {
        Lock lock(m_lock);
        lstrcpynA(m_szCtxID, ctxID, sizeof(m_szCtxID));
        BstrToText(bstrProtocol, m_szProtocol, sizeof(m_szProtocol));
        DeviceIDOf(m_szCtxID, m_szDeviceID, sizeof(m_szDeviceID));
        SimRegisterEventMessages(m_szCtxID, m_msgs);
        m_pPayload = SimEventPayloadFor(m_szCtxID);

        m_bBound = true;
        m_bProfileCurrent = false;
        ReloadProfile();
        m_bDocInFeeder = m_profile.nOriginalInFeeder != 0;
        m_bDisconnected = m_bBusy = m_bIdlePending = m_bMonitoring = false;
        hr = static_cast<HRESULT>(m_profile.hrInitProtocol);
        m_bBound = SUCCEEDED(hr);
        if (!m_bBound)
            return hr;
    }

    char pipe[260];
    SimPipeName(ctxID, pipe, sizeof(pipe));
    if (!m_channel.Start(pipe, this))
        OutputDebugStringA("qvsim_device: control pipe could not be opened; events only through jobs\n");
    return hr;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::GetCapabilities(CopierFunctional* pCaps)
{
    if (!pCaps)
        return E_POINTER;
    Lock lock(m_lock);
    HRESULT hr = CallStatus(&SimProfile::hrGetCapabilities);
    if (SUCCEEDED(hr))
        SimProfileFillCapabilities(m_profile, *pCaps);
    return hr;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::SetNotifyWindow(HWND hWnd)
{
    Lock lock(m_lock);
    m_hNotifyWnd = hWnd;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::StartMonitoring()
{
    Lock lock(m_lock);
    if (!m_bBound)
        return E_UNEXPECTED;
    m_bMonitoring = true;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::Shutdown()
{
    {
        Lock lock(m_lock);
        m_bBound = m_bMonitoring = m_bBusy = m_bIdlePending = false;
        m_hNotifyWnd = nullptr;
    }
    m_channel.Stop();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::GetDocInADF(LONG* pbDocInADF)
{
    if (!pbDocInADF)
        return E_POINTER;
    *pbDocInADF = 0;
    Lock lock(m_lock);
    HRESULT hr = CallStatus(&SimProfile::hrGetDocInADF);
    if (SUCCEEDED(hr))
        *pbDocInADF = m_bDocInFeeder ? 1 : 0;
    return hr;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::SubmitCopy(CopyJobParams job)
{
    {
        Lock lock(m_lock);
        HRESULT hr = CallStatus(&SimProfile::hrSubmitCopy);
        if (FAILED(hr))
            return hr;
        if (!SimJournalAppend(m_szDeviceID, m_szCtxID, job))
            OutputDebugStringA("qvsim_device: job accepted but the journal could not be written\n");
        ++m_nJobs;
        SetBusy(true);
        m_bIdlePending = true;
        m_dwIdleDue = GetTickCount() + static_cast<DWORD>(m_profile.nBusyTimeMs > 0 ? m_profile.nBusyTimeMs : 0);
    }
    m_channel.Wake();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SimCopyDevice::SetStatusPaused(LONG bPaused)
{
    Lock lock(m_lock);
    m_bPaused = bPaused != 0;
    return S_OK;
}

// What a device call answers before it does its work: unbound, lost, or the
// status the profile injects for it. The profile is read again first, so a test
// can change it while the program runs. Called with the lock held.
HRESULT SimCopyDevice::CallStatus(int SimProfile::*phrInjected)
{
    if (!m_bBound)
        return E_UNEXPECTED;
    ReloadProfile();
    if (m_bDisconnected)
        return E_FAIL;
    return static_cast<HRESULT>(m_profile.*phrInjected);
}

// Parses the profile again when its file changed since the last read (or on a new bind).
void SimCopyDevice::ReloadProfile()
{
    char path[MAX_PATH];
    SimDeviceFilePath("device-", m_szDeviceID, ".ini", path, sizeof(path));
    SimFileStamp stamp = SimFileStampOf(path);
    if (m_bProfileCurrent && stamp == m_profileStamp && strcmp(path, m_szProfilePath) == 0)
        return;
    m_bProfileCurrent = true;
    m_profileStamp = stamp;
    m_bProfileFromFile = SimProfileLoad(m_szDeviceID, m_profile, m_szProfilePath, sizeof(m_szProfilePath),
                                        m_szProfileProblem, sizeof(m_szProfileProblem)) != 0;
    if (m_szProfileProblem[0]) {
        char text[400];
        snprintf(text, sizeof(text), "qvsim_device: %s: %s\n", m_szProfilePath, m_szProfileProblem);
        OutputDebugStringA(text);
    }
    // An edit of OriginalInFeeder while the program runs moves the original too.
    if (m_profile.nOriginalInFeeder != m_nFileOriginalInFeeder)
        m_bDocInFeeder = m_profile.nOriginalInFeeder != 0;
    m_nFileOriginalInFeeder = m_profile.nOriginalInFeeder;
}

bool SimCopyDevice::PostEvent(UINT msg, WPARAM wParam)
{
    if (!m_bMonitoring || !m_hNotifyWnd || !m_pPayload)
        return false;
    return PostMessageA(m_hNotifyWnd, msg, wParam, reinterpret_cast<LPARAM>(m_pPayload->szCtxID)) != 0;
}

void SimCopyDevice::SetBusy(bool busy)
{
    m_bBusy = busy;
    PostEvent(m_msgs.uDeviceBusy, busy ? 1 : 0);
}

DWORD SimCopyDevice::OnTick()
{
    Lock lock(m_lock);
    if (!m_bIdlePending)
        return INFINITE;
    LONG left = static_cast<LONG>(m_dwIdleDue - GetTickCount());
    if (left > 0)
        return static_cast<DWORD>(left);
    m_bIdlePending = false;
    SetBusy(false);
    return INFINITE;
}

void SimCopyDevice::DescribeState(char* text, size_t cap)
{
    snprintf(text, cap,
             "context=%s bound=%d monitoring=%d window=%p feeder=%d busy=%d disconnected=%d "
             "paused=%d jobs=%u profile=%s%s%s",
             m_szCtxID, m_bBound, m_bMonitoring, static_cast<void*>(m_hNotifyWnd), m_bDocInFeeder, m_bBusy,
             m_bDisconnected, m_bPaused, m_nJobs, m_bProfileFromFile ? m_szProfilePath : "built-in default",
             m_szProfileProblem[0] ? " problem: " : "", m_szProfileProblem);
}

void SimCopyDevice::OnCommand(const char* line, char* reply, size_t cap)
{
    char copy[512];
    lstrcpynA(copy, line, sizeof(copy));
    const char* words[8] = {};
    int count = 0;
    for (char* p = copy; *p && count < 8;) {
        while (*p == ' ' || *p == '\t')
            *p++ = '\0';
        if (!*p)
            break;
        words[count++] = p;
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    int first = (count > 0 && _stricmp(words[0], "original") == 0) ? 1 : 0;
    const char* verb = first < count ? words[first] : "";
    auto is = [verb](const char* name) { return _stricmp(verb, name) == 0; };

    Lock lock(m_lock);
    bool posted = false;
    const char* done = nullptr;
    if (is("placed")) {
        m_bDocInFeeder = true;
        posted = PostEvent(m_msgs.uPaperInADF, kFeederPlaced);
        done = "original placed";
    } else if (is("removed")) {
        m_bDocInFeeder = false;
        posted = PostEvent(m_msgs.uPaperInADF, kFeederRemoved);
        done = "original removed";
    } else if (is("busy") || is("idle")) {
        m_bIdlePending = false;
        SetBusy(is("busy"));
        posted = m_bMonitoring && m_hNotifyWnd;
        done = m_bBusy ? "busy" : "idle";
    } else if (is("ink") || is("inklow")) {
        int at = first + (is("ink") ? 2 : 1);
        bool wellFormed = count == at + 3 && (!is("ink") || _stricmp(words[first + 1], "low") == 0);
        char* end = nullptr;
        int32_t levels[3] = {};
        for (int i = 0; wellFormed && i < 3; ++i) {
            levels[i] = static_cast<int32_t>(strtol(words[at + i], &end, 10));
            wellFormed = *end == '\0';
        }
        if (!wellFormed) {
            snprintf(reply, cap, "ERROR usage: ink low <a> <b> <c>");
            return;
        }
        if (m_pPayload)
            memcpy(m_pPayload->nInkLevels, levels, sizeof(levels));
        posted = m_pPayload && PostEvent(m_msgs.uInkLow, reinterpret_cast<WPARAM>(m_pPayload->nInkLevels));
        done = "ink low";
    } else if (is("disconnect")) {
        m_bDisconnected = true;
        posted = PostEvent(m_msgs.uDisconnect, 0);
        done = "disconnected";
    } else if (is("reconnect")) {
        m_bDisconnected = false;
        snprintf(reply, cap, "OK reconnected");
        return;
    } else if (is("reload")) {
        m_bProfileCurrent = false;
        ReloadProfile();
        snprintf(reply, cap, "OK profile %s%s%s", m_bProfileFromFile ? m_szProfilePath : "built-in default",
                 m_szProfileProblem[0] ? " problem: " : "", m_szProfileProblem);
        return;
    } else if (is("status")) {
        int n = snprintf(reply, cap, "OK ");
        DescribeState(reply + n, cap - n);
        return;
    } else {
        snprintf(reply, cap, "ERROR unknown command \"%.60s\"; %s", line, kCommandHelp);
        return;
    }
    snprintf(reply, cap, "OK %s%s", done, posted ? "" : " (no event sent: not monitoring)");
}
