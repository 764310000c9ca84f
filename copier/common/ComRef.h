// The copier's one way to hold a COM interface: released when the holder goes.
#pragma once

#include <objbase.h>

template <class T>
class ComRef
{
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For an out-parameter: what was held is released first.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    template <class Q>
    HRESULT As(REFIID iid, ComRef<Q>& other) const
    {
        return m_p ? m_p->QueryInterface(iid, other.PutVoid()) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

// COM for the calling thread while the scope lives (a thread that has it keeps its own).
class ComScope
{
public:
    explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED) : m_hr(CoInitializeEx(nullptr, model)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_hr;
};
