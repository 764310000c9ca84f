// The lifetime every WIA stand-in object shares: its reference count, the DLL's object
// count, and the free-threaded marshaler, so items pass between apartments as they are.
#pragma once

#include "sim/simcom.h"

class CWiaLifetime
{
public:
    CWiaLifetime() { InterlockedIncrement(&g_cSimObjects); }
    ~CWiaLifetime()
    {
        if (m_pMarshaler)
            m_pMarshaler->Release();
        InterlockedDecrement(&g_cSimObjects);
    }
    CWiaLifetime(const CWiaLifetime&) = delete;
    CWiaLifetime& operator=(const CWiaLifetime&) = delete;

    ULONG AddRef() { return InterlockedIncrement(&m_cRef); }
    // The count left; the owner deletes itself at 0.
    ULONG Release() { return InterlockedDecrement(&m_cRef); }

    // IMarshal through the free-threaded marshaler aggregated by pOuter.
    HRESULT QueryMarshaler(IUnknown* pOuter, REFIID riid, void** ppv)
    {
        if (riid != IID_IMarshal)
            return E_NOINTERFACE;
        if (!m_pMarshaler)
        {
            IUnknown* pMarshaler = NULL;
            HRESULT hr = CoCreateFreeThreadedMarshaler(pOuter, &pMarshaler);
            if (FAILED(hr))
                return hr;
            if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&m_pMarshaler), pMarshaler, NULL))
                pMarshaler->Release();
        }
        return m_pMarshaler->QueryInterface(riid, ppv);
    }

private:
    LONG m_cRef = 1;
    IUnknown* m_pMarshaler = NULL;
};
