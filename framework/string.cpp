#include "framework/afxwin.h"

#include <string.h>

#include <algorithm>

CString::CString(LPCSTR psz)
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else if (psz)
        m_str = psz;
}

CString::CString(LPCWSTR pwsz)
{
    int cb = pwsz ? ::WideCharToMultiByte(CP_THREAD_ACP, 0, pwsz, -1, NULL, 0, NULL, NULL) : 0;
    if (cb <= 1)
        return;
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, pwsz, -1, GetBuffer(cb), cb, NULL, NULL);
    ReleaseBuffer(cb - 1);
}

BSTR WINAPI AfxAllocBstr(LPCSTR psz)
{
    int cch = psz ? ::MultiByteToWideChar(CP_THREAD_ACP, 0, psz, -1, NULL, 0) : 0;
    BSTR bstr = ::SysAllocStringLen(NULL, cch > 0 ? (UINT)(cch - 1) : 0);
    if (bstr && cch > 0)
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, psz, -1, bstr, cch);
    return bstr;
}

CString& CString::operator=(LPCSTR psz)
{
    m_str = psz ? psz : "";  // std::string copies first: psz may point into this string
    return *this;
}

CString& CString::operator+=(const CString& src)
{
    m_str += src.m_str;
    return *this;
}

static int IndexOf(size_t nAt) { return nAt == std::string::npos ? -1 : (int)nAt; }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    return IndexOf(m_str.find(ch, (size_t)nStart));
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    return IndexOf(m_str.find(pszSub, (size_t)nStart));
}

CString CString::Left(int nCount) const
{
    CString s;
    s.m_str = m_str.substr(0, nCount > 0 ? (size_t)nCount : 0);
    return s;
}

CString CString::Mid(int nFirst) const
{
    CString s;
    if (nFirst < GetLength())
        s.m_str = m_str.substr(nFirst > 0 ? (size_t)nFirst : 0);
    return s;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        ::CharLowerBuffA(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::Trim()
{
    static const char kWhiteSpace[] = " \t\r\n\v\f";
    size_t nLast = m_str.find_last_not_of(kWhiteSpace);
    m_str.erase(nLast == std::string::npos ? 0 : nLast + 1);
    m_str.erase(0, m_str.find_first_not_of(kWhiteSpace));
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (char& ch : m_str)
        if (ch == chOld) {
            ch = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    size_t nOld = pszOld ? strlen(pszOld) : 0;
    if (!nOld)
        return 0;
    const std::string replacement(pszNew ? pszNew : "");
    int n = 0;
    for (size_t at = m_str.find(pszOld); at != std::string::npos; at = m_str.find(pszOld, at)) {
        m_str.replace(at, nOld, replacement);
        at += replacement.size();
        ++n;
    }
    return n;
}

int CString::Remove(char ch)
{
    size_t nBefore = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return (int)(nBefore - m_str.size());
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

BOOL CString::LoadString(UINT nID)
{
    // A zero-length buffer makes LoadStringA fail; ask with growing buffers.
    for (int nSize = 256; nSize <= 65536; nSize *= 4) {
        int n = ::LoadStringA(AfxGetResourceHandle(), nID, GetBuffer(nSize), nSize + 1);
        if (n < nSize) {
            ReleaseBuffer(n > 0 ? n : 0);
            return n > 0;
        }
    }
    Empty();
    return FALSE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize((size_t)nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    m_str.resize((size_t)nNewLength);
}

CString operator+(const CString& a, LPCSTR b)
{
    CString s(a);
    s += CString(b);
    return s;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}
