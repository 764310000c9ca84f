// A device copy component that records the vtable slot each call arrived at
// and what InitProtocol was given.
#pragma once

#include <string>

#include "device/ICopyAPI.h"

struct FakeCopyAPI : ICopyAPI
{
    LONG refs = 1;
    int lastSlot = -1, initCalls = 0, notifyCalls = 0;
    HRESULT hrInitProtocol = S_OK;
    std::wstring protocol, ctxID;
    CopyJobParams lastJob{};

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ICopyAPI);
        *ppv = known ? static_cast<ICopyAPI*>(this) : nullptr;
        return known ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }
    STDMETHODIMP Reserved3() override { return Hit(3, E_NOTIMPL); }
    STDMETHODIMP Reserved4() override { return Hit(4, E_NOTIMPL); }
    STDMETHODIMP Reserved5() override { return Hit(5, E_NOTIMPL); }
    STDMETHODIMP Reserved6() override { return Hit(6, E_NOTIMPL); }
    STDMETHODIMP SubmitCopy(CopyJobParams job) override
    {
        lastJob = job;
        return Hit(7, S_OK);
    }
    STDMETHODIMP InitProtocol(BSTR bstrProtocol, BSTR bstrCtxID) override
    {
        ++initCalls;
        protocol = bstrProtocol ? bstrProtocol : L"";
        ctxID = bstrCtxID ? bstrCtxID : L"";
        return Hit(8, hrInitProtocol);
    }
    STDMETHODIMP GetCapabilities(CopierFunctional*) override { return Hit(9, S_OK); }
    STDMETHODIMP Reserved10() override { return Hit(10, E_NOTIMPL); }
    // Fails, so the dialog is seen not to look at its result.
    STDMETHODIMP SetNotifyWindow(HWND) override
    {
        ++notifyCalls;
        return Hit(11, E_NOTIMPL);
    }
    STDMETHODIMP Shutdown() override { return Hit(12, S_OK); }
    STDMETHODIMP StartMonitoring() override { return Hit(13, S_OK); }
    STDMETHODIMP GetDocInADF(LONG* p) override
    {
        *p = 1;
        return Hit(14, S_OK);
    }
    STDMETHODIMP SetStatusPaused(LONG) override { return Hit(15, S_OK); }

private:
    HRESULT Hit(int slot, HRESULT hr)
    {
        lastSlot = slot;
        return hr;
    }
};
