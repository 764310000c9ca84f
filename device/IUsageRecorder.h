// The usage-recording component: the Vela object counts which copy choices users make
// through its usage-storage interface. Class and interface identifiers are this program's.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

// {2BCFD6F1-46BB-4021-8C6E-A50C5EB33AA9}
static const CLSID CLSID_Vela = {0x2bcfd6f1, 0x46bb, 0x4021, {0x8c, 0x6e, 0xa5, 0x0c, 0x5e, 0xb3, 0x3a, 0xa9}};
// {7B3A2C21-937B-477B-8E75-3F90F4A51FEE}
static const IID IID_IVela = {0x7b3a2c21, 0x937b, 0x477b, {0x8e, 0x75, 0x3f, 0x90, 0xf4, 0xa5, 0x1f, 0xee}};
// {3A3A5496-A8F4-4864-B69A-4D0DC541BB15}
static const IID IID_IUsageStorage = {0x3a3a5496, 0xa8f4, 0x4864, {0xb6, 0x9a, 0x4d, 0x0d, 0xc5, 0x41, 0xbb, 0x15}};

// Vtable positions count from 0 (QueryInterface). This program calls 9 only:
//  0..2 IUnknown   3..8 Reserved
//  9 Record(event ID, event name, count 1, flags 0)
struct IUsageStorage : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved7() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved8() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Record(LONG nEventID, BSTR bstrEventName, LONG nCount, LONG nFlags) = 0;
};

// This program calls 8 and 9:
//  0..2 IUnknown   3..7 Reserved
//  8 SetInstance(vendor, vendor, 0)
//  9 GetUsageStorage(vendor, 2, out usage storage)   the caller releases what it gets
struct IVela : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved7() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE SetInstance(BSTR bstrVendor, BSTR bstrInstance, LONG nReserved) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetUsageStorage(BSTR bstrVendor, LONG nKind, IUsageStorage** ppStorage) = 0;
};

__CRT_UUID_DECL(IUsageStorage, 0x3a3a5496, 0xa8f4, 0x4864, 0xb6, 0x9a, 0x4d, 0x0d, 0xc5, 0x41, 0xbb, 0x15)
__CRT_UUID_DECL(IVela, 0x7b3a2c21, 0x937b, 0x477b, 0x8e, 0x75, 0x3f, 0x90, 0xf4, 0xa5, 0x1f, 0xee)
