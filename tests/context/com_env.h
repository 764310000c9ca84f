// COM for the whole test executable (main thread, single-threaded apartment)
// and a BSTR that frees itself.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>

struct CComEnvironment : ::testing::Environment
{
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};
inline ::testing::Environment* const g_pComEnvironment = ::testing::AddGlobalTestEnvironment(new CComEnvironment);

class CBstr
{
public:
    explicit CBstr(const wchar_t* psz = NULL) : m_bstr(psz ? SysAllocString(psz) : NULL) {}
    ~CBstr() { SysFreeString(m_bstr); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    operator BSTR() const { return m_bstr; }
    BSTR* Out()
    {
        SysFreeString(m_bstr);
        m_bstr = NULL;
        return &m_bstr;
    }
    std::wstring Text() const { return m_bstr ? std::wstring(m_bstr, SysStringLen(m_bstr)) : L"<null>"; }

private:
    BSTR m_bstr;
};
