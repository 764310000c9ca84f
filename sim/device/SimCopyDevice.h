// The simulated device copy component: ICopyAPI answered from the device's
// profile, jobs written to the journal, events posted on command from the
// control pipe. Every method may be called from any thread.
#pragma once

#include <windows.h>

#include "device/ICopyAPI.h"
#include "sim/simcom.h"
#include "sim/device/SimControlChannel.h"
#include "sim/device/SimEvents.h"
#include "sim/device/SimProfile.h"

class SimCopyDevice : public CSimObject<ICopyAPI>, private SimControlChannel::Handler
{
public:
    SimCopyDevice();
    ~SimCopyDevice() override;

    // ICopyAPI
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SubmitCopy(CopyJobParams job) override;
    HRESULT STDMETHODCALLTYPE InitProtocol(BSTR bstrProtocol, BSTR bstrCtxID) override;
    HRESULT STDMETHODCALLTYPE GetCapabilities(CopierFunctional* pCaps) override;
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNotifyWindow(HWND hWnd) override;
    HRESULT STDMETHODCALLTYPE Shutdown() override;
    HRESULT STDMETHODCALLTYPE StartMonitoring() override;
    HRESULT STDMETHODCALLTYPE GetDocInADF(LONG* pbDocInADF) override;
    HRESULT STDMETHODCALLTYPE SetStatusPaused(LONG bPaused) override;

private:
    // SimControlChannel::Handler, on the channel's thread
    void OnCommand(const char* line, char* reply, size_t cap) override;
    DWORD OnTick() override;

    // All below with m_lock held.
    HRESULT CallStatus(int SimProfile::*phrInjected);
    void ReloadProfile();
    bool PostEvent(UINT msg, WPARAM wParam);
    void SetBusy(bool busy);
    void DescribeState(char* text, size_t cap);

    CRITICAL_SECTION m_lock;
    SimControlChannel m_channel;

    bool m_bBound;
    char m_szCtxID[260];
    char m_szDeviceID[260];
    char m_szProtocol[64];

    SimProfile m_profile;
    bool m_bProfileFromFile;
    bool m_bProfileCurrent;  // m_profile is what the file held at m_profileStamp
    SimFileStamp m_profileStamp;
    int m_nFileOriginalInFeeder;  // the file's value at the last read, to notice edits
    char m_szProfilePath[MAX_PATH];
    char m_szProfileProblem[160];

    HWND m_hNotifyWnd;
    bool m_bMonitoring;
    bool m_bDocInFeeder;
    bool m_bBusy;
    bool m_bIdlePending;
    DWORD m_dwIdleDue;
    bool m_bDisconnected;
    bool m_bPaused;
    unsigned m_nJobs;

    SimEventMessages m_msgs;
    SimEventPayload* m_pPayload;
};
