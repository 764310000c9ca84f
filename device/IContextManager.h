// The context manager: the outside COM component that knows each device
// context's values and expands macros ("$FriendlyName$") in text. Start-up asks
// it for the copy mode through the context object it hands out.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

// {3A97B78E-743A-4E12-88FF-71374FE62037}
static const CLSID CLSID_ContextManager = {
    0x3a97b78e, 0x743a, 0x4e12, {0x88, 0xff, 0x71, 0x37, 0x4f, 0xe6, 0x20, 0x37}};
// {5A5FC772-8A14-4E08-9A05-EE70C79646F5}
static const IID IID_IContextManager = {0x5a5fc772, 0x8a14, 0x4e08, {0x9a, 0x05, 0xee, 0x70, 0xc7, 0x96, 0x46, 0xf5}};
// {7B3C9E15-2A84-4D6F-B0C7-E19A5D2F3864}
static const IID IID_IContextObject = {0x7b3c9e15, 0x2a84, 0x4d6f, {0xb0, 0xc7, 0xe1, 0x9a, 0x5d, 0x2f, 0x38, 0x64}};
// {2F8D4A67-9C1E-4B35-A7D2-6E0F3B9C5A81}
static const IID IID_IDeviceCopyInfo = {0x2f8d4a67, 0x9c1e, 0x4b35, {0xa7, 0xd2, 0x6e, 0x0f, 0x3b, 0x9c, 0x5a, 0x81}};

// Vtable positions count from 0 (QueryInterface). This program calls 7, 17 and
// 19. Position 8 is ours; the reserved positions keep the called ones in their
// fixed places: they answer E_NOTIMPL unless a component overrides them, and
// this program never calls them.
//
//  0 QueryInterface   1 AddRef   2 Release
//  3..6 Reserved
//  7 GetRootContextName(BSTR* name)                     caller frees name
//  8 GetContextValue(BSTR ctxID, BSTR key, BSTR* value)  one context value, caller frees
//  9..16 Reserved
// 17 GetContextObject(BSTR ctxID, IUnknown** object)    object answers IContextObject
// 18 Reserved
// 19 ExpandMacros(BSTR ctxID, BSTR text, BSTR* result)  caller frees result
struct IContextManager : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GetRootContextName(BSTR* pbstrName) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetContextValue(BSTR bstrCtxID, BSTR bstrKey, BSTR* pbstrValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved10() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved11() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved12() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved13() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved14() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved15() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved16() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GetContextObject(BSTR bstrCtxID, IUnknown** ppObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved18() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE ExpandMacros(BSTR bstrCtxID, BSTR bstrText, BSTR* pbstrResult) = 0;
};

// The context object of one device context.
//  3 GetContextID(BSTR* ctxID)                 caller frees
//  4 GetValue(BSTR key, BSTR* value)           caller frees
struct IContextObject : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetContextID(BSTR* pbstrCtxID) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(BSTR bstrKey, BSTR* pbstrValue) = 0;
};

// Copy facts of a device context, asked of its context object. This program
// calls only 15; 3..14 are reserved as above.
// 15 GetCopyMode(LONG* mode)    3 hands the device to the Hublet launcher
struct IDeviceCopyInfo : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved7() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved8() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved9() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved10() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved11() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved12() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved13() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Reserved14() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE GetCopyMode(LONG* pnCopyMode) = 0;
};

__CRT_UUID_DECL(IContextManager, 0x5a5fc772, 0x8a14, 0x4e08, 0x9a, 0x05, 0xee, 0x70, 0xc7, 0x96, 0x46, 0xf5)
__CRT_UUID_DECL(IContextObject, 0x7b3c9e15, 0x2a84, 0x4d6f, 0xb0, 0xc7, 0xe1, 0x9a, 0x5d, 0x2f, 0x38, 0x64)
__CRT_UUID_DECL(IDeviceCopyInfo, 0x2f8d4a67, 0x9c1e, 0x4b35, 0xa7, 0xd2, 0x6e, 0x0f, 0x3b, 0x9c, 0x5a, 0x81)
