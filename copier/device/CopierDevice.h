// The copier's device copy component: ICopyAPI served by an image source (the
// set-up's folder) and a printer. Jobs run on the component's own thread; every
// method may be called from any thread (the copy dialog's status thread asks for
// the feeder).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "copier/common/ComServer.h"
#include "copier/common/CopierSetup.h"
#include "copier/device/DeviceEvents.h"
#include "copier/device/DeviceWorker.h"
#include "copier/device/ImageSource.h"
#include "copier/device/PrinterMedia.h"
#include "device/ICopyAPI.h"

class CopierDevice : public CComServerObject<ICopyAPI>
{
public:
    CopierDevice();
    ~CopierDevice() override;

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
    // With m_lock held.
    HRESULT Answers() const;
    HRESULT RefreshPrinter();
    void Unbind();

    CRITICAL_SECTION m_lock;
    CopierSetup m_setup;
    std::unique_ptr<IImageSource> m_source;
    std::unique_ptr<DeviceWorker> m_worker;
    DeviceEvents m_events;
    PrinterInfo m_printer;
    DeviceMedia m_media;
    bool m_bPrinterKnown;
    unsigned m_nJobs;
};
