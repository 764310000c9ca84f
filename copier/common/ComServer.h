// A small in-process COM server: objects that keep their DLL loaded while they
// live, a class factory per class, and the exports (common/ComServer.cpp) for the
// classes a server lists in g_comServerClasses.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <new>
#include <string>

#include "copier/common/ComText.h"

// The server's count of live objects and locks; DllCanUnloadNow answers from it.
void LockComModule();
void UnlockComModule();
LONG ComModuleLocks();

// An object serving TInterface (identified by iidInterface, also handed out as
// IUnknown). A class with more interfaces overrides FindInterface.
template <class TInterface>
class CComServerObject : public TInterface
{
public:
    explicit CComServerObject(REFIID iidInterface) : m_iidInterface(iidInterface) { LockComModule(); }
    virtual ~CComServerObject() { UnlockComModule(); }
    CComServerObject(const CComServerObject&) = delete;
    CComServerObject& operator=(const CComServerObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = FindInterface(riid);
        if (!*ppv)
            return E_NOINTERFACE;
        static_cast<IUnknown*>(*ppv)->AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG cRef = InterlockedDecrement(&m_cRef);
        if (cRef == 0)
            delete this;
        return cRef;
    }

protected:
    virtual void* FindInterface(REFIID riid)
    {
        return (riid == IID_IUnknown || riid == m_iidInterface) ? static_cast<TInterface*>(this) : NULL;
    }

private:
    const IID m_iidInterface;
    LONG m_cRef = 1;
};

// Lives as long as the DLL; makes TObject with its default constructor (reference count 1).
template <class TObject>
class CComServerFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : NULL;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        TObject* pObject = new (std::nothrow) TObject();
        if (!pObject)
            return E_OUTOFMEMORY;
        HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL bLock) override
    {
        if (bLock)
            LockComModule();
        else
            UnlockComModule();
        return S_OK;
    }
};

// The classes one server DLL serves; each server defines both.
struct ComServerClass
{
    const CLSID& clsid;
    IClassFactory& factory;
};
extern const ComServerClass g_comServerClasses[];
extern const size_t g_comServerClassCount;
