// What the stand-in's two enumerators (devices, child items) share: a cursor over a
// fixed number of elements. A subclass makes element `index` and a copy of itself.
#pragma once

#include "sim/simcom.h"

template <class TEnum, class TElement>
class CSimEnum : public CSimObject<TEnum>
{
public:
    CSimEnum(REFIID iid, ULONG count, ULONG next) : CSimObject<TEnum>(iid), m_count(count), m_next(next) {}

    STDMETHODIMP Next(ULONG celt, TElement** ppElements, ULONG* pceltFetched) override
    {
        if (!ppElements)
            return E_POINTER;
        if (celt > 1 && !pceltFetched)
            return E_INVALIDARG;
        ULONG fetched = 0;
        HRESULT hr = S_OK;
        for (; fetched < celt && m_next < m_count && SUCCEEDED(hr); ++m_next)
            if (SUCCEEDED(hr = Make(m_next, &ppElements[fetched])))
                ++fetched;
        if (pceltFetched)
            *pceltFetched = fetched;
        if (FAILED(hr))
            return hr;
        return fetched == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG celt) override
    {
        ULONG skipped = celt < m_count - m_next ? celt : m_count - m_next;
        m_next += skipped;
        return skipped == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(TEnum** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = CopyAt(m_next);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetCount(ULONG* pcelt) override
    {
        if (!pcelt)
            return E_POINTER;
        *pcelt = m_count;
        return S_OK;
    }

protected:
    virtual HRESULT Make(ULONG index, TElement** ppElement) = 0;
    virtual TEnum* CopyAt(ULONG next) = 0;  // null when out of memory

private:
    const ULONG m_count;
    ULONG m_next;
};
