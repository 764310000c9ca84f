// COM for the whole test executable (main thread, single-threaded apartment)
// and a BSTR that frees itself.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>

class CBstr
{
public:
    CBstr() : m_bstr(NULL) {}
    explicit CBstr(const wchar_t* psz) : m_bstr(SysAllocString(psz)) {}
    explicit CBstr(const std::wstring& text) : m_bstr(SysAllocStringLen(text.data(), (UINT)text.size())) {}
    ~CBstr() { SysFreeString(m_bstr); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    operator BSTR() const { return m_bstr; }
    BSTR* Out() { SysFreeString(m_bstr); m_bstr = NULL; return &m_bstr; }
    std::wstring Text() const { return m_bstr ? std::wstring(m_bstr, SysStringLen(m_bstr)) : L"<null>"; }

private:
    BSTR m_bstr;
};
