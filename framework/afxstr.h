// Narrow string, string array and list of the framework.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

// A narrow string with value semantics over std::string.
// Pass it to printf-style functions as (LPCSTR)str.
class CString
{
public:
    CString() {}
    CString(LPCSTR psz);  // MAKEINTRESOURCE(id) loads string id
    explicit CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? (size_t)nRepeat : 0, ch) {}
    explicit CString(LPCWSTR pwsz);  // wide text, a BSTR too, in the thread's code page

    CString& operator=(LPCSTR psz);
    CString& operator+=(const CString& src);

    operator LPCSTR() const { return m_str.c_str(); }
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    bool operator==(LPCSTR psz) const { return m_str == (psz ? psz : ""); }

    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;

    CString& MakeLower();
    CString& Trim();  // spaces, tabs and line ends at both ends
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Delete(int nIndex, int nCount = 1);

    // Loads from AfxGetResourceHandle(); FALSE (and empty) when missing.
    BOOL LoadString(UINT nID);

    // A writable buffer of at least nMinBufLength characters plus the NUL; ReleaseBuffer
    // sets the length the writer left (-1: up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
inline CString operator+(const CString& a, const CString& b) { return a + (LPCSTR)b; }

// A new BSTR of a narrow text in the thread's code page (an empty one for NULL);
// NULL when memory runs out. The caller frees it.
BSTR WINAPI AfxAllocBstr(LPCSTR psz);

class CStringArray
{
public:
    INT_PTR GetSize() const { return (INT_PTR)m_items.size(); }
    const CString& operator[](INT_PTR nIndex) const { return m_items.at((size_t)nIndex); }
    INT_PTR Add(const CString& newElement)
    {
        m_items.push_back(newElement);
        return GetSize() - 1;
    }

private:
    std::vector<CString> m_items;
};

struct __POSITION
{};
typedef __POSITION* POSITION;

// A list walked from its head. A POSITION is one past an index; NULL ends the walk.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    INT_PTR GetCount() const { return (INT_PTR)m_items.size(); }
    POSITION AddTail(ARG_TYPE newElement)
    {
        m_items.push_back(newElement);
        return ToPosition(m_items.size() - 1);
    }
    POSITION GetHeadPosition() const { return m_items.empty() ? NULL : ToPosition(0); }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        size_t nIndex = (size_t)rPosition - 1;
        rPosition = nIndex + 1 < m_items.size() ? ToPosition(nIndex + 1) : NULL;
        return m_items.at(nIndex);
    }

private:
    static POSITION ToPosition(size_t nIndex) { return (POSITION)(nIndex + 1); }
    std::vector<TYPE> m_items;
};
