// The device copy component: the outside COM server through which the copy
// dialog reaches the device. Created in-process, one instance per dialog.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

#include "records/CopierFunctional.h"
#include "records/CopyJobParams.h"

// {E6A3C8F2-5D19-4A7B-9E04-B1C73F2D8A56}
static const CLSID CLSID_CopyAPI = {0xe6a3c8f2, 0x5d19, 0x4a7b, {0x9e, 0x04, 0xb1, 0xc7, 0x3f, 0x2d, 0x8a, 0x56}};
// {8C1B7E4D-3F62-4D90-A5E8-7D2A9B0C6F13}
static const IID IID_ICopyAPI = {0x8c1b7e4d, 0x3f62, 0x4d90, {0xa5, 0xe8, 0x7d, 0x2a, 0x9b, 0x0c, 0x6f, 0x13}};

// Vtable positions count from 0 (QueryInterface). The dialog calls 7, 8, 9 and
// 11 to 15. Positions 3 to 6 and 10 are kept reserved: a component returns
// E_NOTIMPL from them and the dialog never calls them; they exist only so the
// called methods keep their fixed positions.
//
//  0 QueryInterface   1 AddRef   2 Release
//  3 Reserved3        4 Reserved4        5 Reserved5        6 Reserved6
//  7 SubmitCopy(CopyJobParams by value)
//  8 InitProtocol(BSTR protocol, BSTR context ID)
//  9 GetCapabilities(CopierFunctional*)
// 10 Reserved10
// 11 SetNotifyWindow(HWND)
// 12 Shutdown()
// 13 StartMonitoring()
// 14 GetDocInADF(LONG* flag)      also called from the status-message thread
// 15 SetStatusPaused(LONG flag)
struct ICopyAPI : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE SubmitCopy(CopyJobParams job) = 0;
    virtual HRESULT STDMETHODCALLTYPE InitProtocol(BSTR bstrProtocol, BSTR bstrCtxID) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(CopierFunctional* pCaps) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNotifyWindow(HWND hWnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE Shutdown() = 0;
    virtual HRESULT STDMETHODCALLTYPE StartMonitoring() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDocInADF(LONG* pbDocInADF) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStatusPaused(LONG bPaused) = 0;
};

__CRT_UUID_DECL(ICopyAPI, 0x8c1b7e4d, 0x3f62, 0x4d90, 0xa5, 0xe8, 0x7d, 0x2a, 0x9b, 0x0c, 0x6f, 0x13)
