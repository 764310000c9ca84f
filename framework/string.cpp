#include "framework/afxwin.h"

#include <stdio.h>
#include <string.h>
#include <new>

static char s_chEmpty[1] = {0};

CString::CString() : m_pch(s_chEmpty), m_nLength(0), m_nAlloc(0) {}

CString::CString(const CString& src) : CString() { Assign(src.m_pch, src.m_nLength); }

CString::CString(CString&& src) noexcept : m_pch(src.m_pch), m_nLength(src.m_nLength), m_nAlloc(src.m_nAlloc)
{
    src.m_pch = s_chEmpty;
    src.m_nLength = 0;
    src.m_nAlloc = 0;
}

CString::CString(LPCSTR psz) : CString()
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else
        Assign(psz, SafeLength(psz));
}

CString::CString(LPCSTR pch, int nLength) : CString() { Assign(pch, pch ? nLength : 0); }

CString::CString(LPCWSTR pwsz) : CString()
{
    if (!pwsz || !pwsz[0])
        return;
    int cb = ::WideCharToMultiByte(CP_THREAD_ACP, 0, pwsz, -1, NULL, 0, NULL, NULL);
    if (cb <= 1)
        return;
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, pwsz, -1, GetBuffer(cb), cb, NULL, NULL);
    ReleaseBuffer(cb - 1);
}

BSTR AFXAPI AfxAllocBstr(LPCSTR psz)
{
    int cch = psz ? ::MultiByteToWideChar(CP_THREAD_ACP, 0, psz, -1, NULL, 0) : 0;
    BSTR bstr = ::SysAllocStringLen(NULL, cch > 0 ? (UINT)(cch - 1) : 0);
    if (bstr && cch > 0)
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, psz, -1, bstr, cch);
    return bstr;
}

BSTR CString::AllocSysString() const
{
    BSTR bstr = AfxAllocBstr(m_pch);
    if (!bstr)
        AfxThrowMemoryException();
    return bstr;
}

CString::CString(char ch, int nRepeat) : CString()
{
    if (nRepeat <= 0)
        return;
    Reserve(nRepeat);
    memset(m_pch, ch, (size_t)nRepeat);
    m_nLength = nRepeat;
    m_pch[m_nLength] = 0;
}

CString::~CString()
{
    if (m_nAlloc)
        delete[] m_pch;
}

int CString::SafeLength(LPCSTR psz) { return psz ? (int)strlen(psz) : 0; }

void CString::Reserve(int nChars)
{
    if (nChars <= m_nAlloc)
        return;
    int nNew = m_nAlloc + m_nAlloc / 2;
    if (nNew < nChars)
        nNew = nChars;
    if (nNew < 15)
        nNew = 15;
    char* p = new char[(size_t)nNew + 1];
    memcpy(p, m_pch, (size_t)m_nLength + 1);
    if (m_nAlloc)
        delete[] m_pch;
    m_pch = p;
    m_nAlloc = nNew;
}

void CString::Assign(LPCSTR pch, int nLength)
{
    if (nLength <= 0) {
        Empty();
        return;
    }
    if (pch >= m_pch && pch <= m_pch + m_nLength) {  // a piece of itself
        CString copy(pch, nLength);
        *this = std::move(copy);
        return;
    }
    m_nLength = 0;
    m_pch[0] = 0;
    Reserve(nLength);
    memcpy(m_pch, pch, (size_t)nLength);
    m_nLength = nLength;
    m_pch[m_nLength] = 0;
}

CString& CString::operator=(const CString& src)
{
    if (this != &src)
        Assign(src.m_pch, src.m_nLength);
    return *this;
}

CString& CString::operator=(CString&& src) noexcept
{
    if (this != &src) {
        if (m_nAlloc)
            delete[] m_pch;
        m_pch = src.m_pch;
        m_nLength = src.m_nLength;
        m_nAlloc = src.m_nAlloc;
        src.m_pch = s_chEmpty;
        src.m_nLength = 0;
        src.m_nAlloc = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    Assign(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator=(char ch)
{
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& src)
{
    Append(src.m_pch, src.m_nLength);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    Append(psz);
    return *this;
}

CString& CString::operator+=(char ch)
{
    AppendChar(ch);
    return *this;
}

void CString::Empty()
{
    m_nLength = 0;
    if (m_nAlloc)
        m_pch[0] = 0;
}

char CString::GetAt(int nIndex) const { return (nIndex >= 0 && nIndex < m_nLength) ? m_pch[nIndex] : 0; }

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < m_nLength)
        m_pch[nIndex] = ch;
}

int CString::Compare(LPCSTR psz) const { return strcmp(m_pch, psz ? psz : ""); }

int CString::CompareNoCase(LPCSTR psz) const { return _stricmp(m_pch, psz ? psz : ""); }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= m_nLength)
        return -1;
    const char* p = strchr(m_pch + nStart, ch);
    return (p && ch) ? (int)(p - m_pch) : -1;
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > m_nLength)
        return -1;
    const char* p = strstr(m_pch + nStart, pszSub);
    return p ? (int)(p - m_pch) : -1;
}

int CString::ReverseFind(char ch) const
{
    const char* p = strrchr(m_pch, ch);
    return (p && ch) ? (int)(p - m_pch) : -1;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pch, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, m_nLength); }

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > m_nLength)
        nFirst = m_nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CString(m_pch + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pch + m_nLength - nCount, nCount);
}

CString& CString::MakeLower()
{
    if (m_nLength)
        CharLowerBuffA(m_pch, (DWORD)m_nLength);
    return *this;
}

CString& CString::MakeUpper()
{
    if (m_nLength)
        CharUpperBuffA(m_pch, (DWORD)m_nLength);
    return *this;
}

static const char s_szWhiteSpace[] = " \t\r\n\v\f";

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }
CString& CString::TrimLeft() { return TrimLeft(s_szWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(s_szWhiteSpace); }

CString& CString::TrimLeft(char chTarget)
{
    char set[2] = {chTarget, 0};
    return TrimLeft(set);
}

CString& CString::TrimRight(char chTarget)
{
    char set[2] = {chTarget, 0};
    return TrimRight(set);
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    if (!pszTargets || !*pszTargets || !m_nLength)
        return *this;
    int n = (int)strspn(m_pch, pszTargets);
    if (n)
        Delete(0, n);
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return *this;
    while (m_nLength && strchr(pszTargets, m_pch[m_nLength - 1]))
        --m_nLength;
    if (m_nAlloc)
        m_pch[m_nLength] = 0;
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pch[i] == chOld) {
            m_pch[i] = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    int nOld = SafeLength(pszOld);
    if (!nOld)
        return 0;
    int nNew = SafeLength(pszNew);
    CString result;
    int n = 0, i = 0;
    for (;;) {
        const char* p = strstr(m_pch + i, pszOld);
        if (!p)
            break;
        int at = (int)(p - m_pch);
        result.Append(m_pch + i, at - i);
        result.Append(pszNew, nNew);
        i = at + nOld;
        ++n;
    }
    if (n) {
        result.Append(m_pch + i, m_nLength - i);
        *this = std::move(result);
    }
    return n;
}

int CString::Remove(char ch)
{
    int j = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pch[i] != ch)
            m_pch[j++] = m_pch[i];
    int n = m_nLength - j;
    m_nLength = j;
    if (m_nAlloc)
        m_pch[m_nLength] = 0;
    return n;
}

int CString::Insert(int nIndex, char ch)
{
    char s[2] = {ch, 0};
    return Insert(nIndex, s);
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    int n = SafeLength(psz);
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > m_nLength)
        nIndex = m_nLength;
    if (!n)
        return m_nLength;
    CString copy(psz, n);  // psz may point into this string
    Reserve(m_nLength + n);
    memmove(m_pch + nIndex + n, m_pch + nIndex, (size_t)(m_nLength - nIndex) + 1);
    memcpy(m_pch + nIndex, copy.m_pch, (size_t)n);
    m_nLength += n;
    return m_nLength;
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= m_nLength)
        return m_nLength;
    if (nCount > m_nLength - nIndex)
        nCount = m_nLength - nIndex;
    memmove(m_pch + nIndex, m_pch + nIndex + nCount, (size_t)(m_nLength - nIndex - nCount) + 1);
    m_nLength -= nCount;
    return m_nLength;
}

void CString::Append(LPCSTR psz) { Append(psz, SafeLength(psz)); }

void CString::Append(LPCSTR pch, int nLength)
{
    if (!pch || nLength <= 0)
        return;
    if (pch >= m_pch && pch <= m_pch + m_nLength) {  // a piece of itself
        CString copy(pch, nLength);
        Append(copy.m_pch, copy.m_nLength);
        return;
    }
    Reserve(m_nLength + nLength);
    memcpy(m_pch + m_nLength, pch, (size_t)nLength);
    m_nLength += nLength;
    m_pch[m_nLength] = 0;
}

void CString::AppendChar(char ch) { Append(&ch, 1); }

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    if (!pszFormat) {
        Empty();
        return;
    }
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n <= 0) {
        Empty();
        return;
    }
    CString result;
    result.Reserve(n);
    vsnprintf(result.m_pch, (size_t)n + 1, pszFormat, args);
    result.m_nLength = n;
    *this = std::move(result);
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...)
{
    CString more;
    va_list args;
    va_start(args, pszFormat);
    more.FormatV(pszFormat, args);
    va_end(args);
    *this += more;
}

BOOL CString::LoadString(UINT nID) { return LoadString(AfxGetResourceHandle(), nID); }

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // A zero-length buffer makes LoadStringA fail; ask with growing buffers.
    for (int nSize = 256; nSize <= 65536; nSize *= 4) {
        CString text;
        int n = ::LoadStringA(hInstance, nID, text.GetBuffer(nSize), nSize + 1);
        if (n < nSize) {
            text.ReleaseBuffer(n > 0 ? n : 0);
            *this = std::move(text);
            return n > 0;
        }
    }
    Empty();
    return FALSE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    Reserve(nMinBufLength > 0 ? nMinBufLength : 1);
    return m_pch;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (!m_nAlloc)
        return;
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pch, (size_t)m_nAlloc);
    if (nNewLength > m_nAlloc)
        nNewLength = m_nAlloc;
    m_nLength = nNewLength;
    m_pch[m_nLength] = 0;
}

CString operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, char b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(char a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

INT_PTR CStringArray::Add(LPCSTR newElement)
{
    m_items.emplace_back(newElement);
    return (INT_PTR)m_items.size() - 1;
}

INT_PTR CStringArray::Add(const CString& newElement)
{
    m_items.push_back(newElement);
    return (INT_PTR)m_items.size() - 1;
}

void CStringArray::InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    if ((size_t)nIndex > m_items.size())
        m_items.resize((size_t)nIndex);
    m_items.insert(m_items.begin() + nIndex, (size_t)nCount, CString(newElement));
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0 || (size_t)nIndex >= m_items.size())
        return;
    size_t nEnd = (size_t)(nIndex + nCount);
    if (nEnd > m_items.size())
        nEnd = m_items.size();
    m_items.erase(m_items.begin() + nIndex, m_items.begin() + (ptrdiff_t)nEnd);
}
