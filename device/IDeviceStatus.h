// The device-status component: start-up asks it once whether the device answers.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

// {C4E2A9D1-6B37-4F08-9A15-3D7E2B8C0F64}
static const CLSID CLSID_DeviceStatus = {0xc4e2a9d1, 0x6b37, 0x4f08, {0x9a, 0x15, 0x3d, 0x7e, 0x2b, 0x8c, 0x0f, 0x64}};
// {D9A1F5B2-4C73-4E29-8B06-5F2C7A3E1D48}
static const IID IID_IDeviceStatus = {0xd9a1f5b2, 0x4c73, 0x4e29, {0x8b, 0x06, 0x5f, 0x2c, 0x7a, 0x3e, 0x1d, 0x48}};

// Vtable positions count from 0 (QueryInterface). This program calls 8 and 23;
// the reserved positions answer E_NOTIMPL unless a component overrides them.
//
//  0 QueryInterface   1 AddRef   2 Release
//  3..7 Reserved
//  8 OpenDevice(BSTR ctxID)
//  9..22 Reserved
// 23 QueryDevice(BSTR* status)     fails when the device does not answer; caller frees
struct IDeviceStatus : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved7() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE OpenDevice(BSTR bstrCtxID) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved10() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved11() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved12() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved13() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved14() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved15() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved16() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved17() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved18() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved19() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved20() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved21() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved22() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE QueryDevice(BSTR* pbstrStatus) = 0;
};

__CRT_UUID_DECL(IDeviceStatus, 0xd9a1f5b2, 0x4c73, 0x4e29, 0x8b, 0x06, 0x5f, 0x2c, 0x7a, 0x3e, 0x1d, 0x48)
