// Ownership of COM objects and BSTRs by scope: the one way the program holds them.
// CComPtr<T> releases its interface when it goes; CBstr frees its string.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "framework/afxcore.h"
#include "framework/afxstr.h"

template <class T>
class CComPtr
{
public:
    CComPtr() : m_p(nullptr) {}
    CComPtr(const CComPtr& other) : m_p(other.m_p) { AddRefIfAny(); }
    CComPtr(CComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CComPtr() { Release(); }

    CComPtr& operator=(CComPtr other) noexcept
    {
        T* p = m_p;
        m_p = other.m_p;
        other.m_p = p;
        return *this;
    }

    // Takes over a reference the caller already owns (a creation's result).
    static CComPtr Adopt(T* p)
    {
        CComPtr ptr;
        ptr.m_p = p;
        return ptr;
    }

    // Drops the reference held now; the holder is empty afterwards.
    void Release()
    {
        T* p = m_p;
        m_p = nullptr;
        if (p)
            p->Release();
    }

    // Hands the reference to the caller, who releases it.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }

    // The out-parameter of a call that creates or finds an object; any old reference goes first.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    void** AsOut() { return reinterpret_cast<void**>(operator&()); }

    HRESULT CoCreateInstance(REFCLSID clsid, REFIID iid, DWORD dwContext = CLSCTX_INPROC_SERVER)
    {
        return ::CoCreateInstance(clsid, nullptr, dwContext, iid, AsOut());
    }

    template <class Q>
    HRESULT QueryInterface(REFIID iid, CComPtr<Q>& target) const
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, target.AsOut());
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    void AddRefIfAny()
    {
        if (m_p)
            m_p->AddRef();
    }

    T* m_p;
};

class CBstr
{
public:
    CBstr() : m_bstr(nullptr) {}
    // A narrow text in the thread's code page; NULL gives no string at all.
    explicit CBstr(LPCSTR psz) : m_bstr(psz ? AfxAllocBstr(psz) : nullptr) {}
    ~CBstr() { Free(); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    void Free()
    {
        ::SysFreeString(m_bstr);
        m_bstr = nullptr;
    }

    // The out-parameter of a call that returns a string the receiver frees.
    BSTR* operator&()
    {
        Free();
        return &m_bstr;
    }

    operator BSTR() const { return m_bstr; }
    bool Valid() const { return m_bstr != nullptr; }
    UINT Length() const { return ::SysStringLen(m_bstr); }
    CString ToString() const { return m_bstr ? CString(static_cast<LPCWSTR>(m_bstr)) : CString(); }

private:
    BSTR m_bstr;
};
