// COM for the main thread by scope: undone once, and only when it was done.
#pragma once

#include <objbase.h>

namespace replika {

class CComApartment
{
public:
    CComApartment() : m_bInitialized(false) {}
    ~CComApartment() { Uninitialize(); }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    // Single-threaded apartment; S_FALSE (already initialised) counts and is balanced too.
    bool Initialize()
    {
        if (!m_bInitialized)
            m_bInitialized = SUCCEEDED(::CoInitialize(NULL));
        return m_bInitialized;
    }
    void Uninitialize()
    {
        if (m_bInitialized) {
            m_bInitialized = false;
            ::CoUninitialize();
        }
    }

private:
    bool m_bInitialized;
};

}  // namespace replika
