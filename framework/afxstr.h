// Narrow string, string array and linked list of the framework.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <stdarg.h>
#include <vector>

#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))

// A counted, always NUL-terminated narrow string with value semantics.
// Pass it to printf-style functions as (LPCTSTR)str or str.GetString().
class CString
{
public:
    CString();
    CString(const CString& src);
    CString(CString&& src) noexcept;
    CString(LPCSTR psz);  // MAKEINTRESOURCE(id) loads string id
    CString(LPCSTR pch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    explicit CString(LPCWSTR pwsz);  // wide text, a BSTR too, in the thread's code page
    ~CString();

    CString& operator=(const CString& src);
    CString& operator=(CString&& src) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator=(char ch);
    CString& operator+=(const CString& src);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);

    operator LPCSTR() const { return m_pch; }
    LPCSTR GetString() const { return m_pch; }
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();

    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeLower();
    CString& MakeUpper();

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);
    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void AppendChar(char ch);

    void Format(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormat(LPCSTR pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // Loads from AfxGetResourceHandle(); FALSE (and empty) when missing.
    // A new BSTR of the text that the caller frees; out of memory raises CMemoryException.
    BSTR AllocSysString() const;
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // The buffer holds at least nMinBufLength characters plus the NUL; the
    // length stays unchanged until ReleaseBuffer.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer() { return GetBuffer(0); }
    void ReleaseBuffer(int nNewLength = -1);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

private:
    void Reserve(int nChars);
    void Assign(LPCSTR pch, int nLength);
    static int SafeLength(LPCSTR psz);

    char* m_pch;
    int m_nLength;
    int m_nAlloc;  // characters the buffer holds, NUL excluded; 0: the shared empty text
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }

// A new BSTR of a narrow text in the thread's code page (an empty one for NULL);
// NULL when memory runs out. The caller frees it.
BSTR AFXAPI AfxAllocBstr(LPCSTR psz);

class CStringArray
{
public:
    CStringArray() {}
    INT_PTR GetSize() const { return (INT_PTR)m_items.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_items.size(); }
    BOOL IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_items.size() - 1; }
    void RemoveAll() { m_items.clear(); }

    const CString& GetAt(INT_PTR nIndex) const { return m_items.at((size_t)nIndex); }
    void SetAt(INT_PTR nIndex, LPCSTR newElement) { m_items.at((size_t)nIndex) = newElement; }
    CString& ElementAt(INT_PTR nIndex) { return m_items.at((size_t)nIndex); }
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    INT_PTR Add(LPCSTR newElement);
    INT_PTR Add(const CString& newElement);
    void Copy(const CStringArray& src) { m_items = src.m_items; }
    void InsertAt(INT_PTR nIndex, LPCSTR newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

private:
    std::vector<CString> m_items;
};

struct __POSITION
{};
typedef __POSITION* POSITION;

// Doubly linked list. POSITION is the address of a node.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pHead->data; }
    const TYPE& GetHead() const { return m_pHead->data; }
    TYPE& GetTail() { return m_pTail->data; }
    const TYPE& GetTail() const { return m_pTail->data; }

    TYPE RemoveHead()
    {
        TYPE v = m_pHead->data;
        Unlink(m_pHead);
        return v;
    }
    TYPE RemoveTail()
    {
        TYPE v = m_pTail->data;
        Unlink(m_pTail);
        return v;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }

    void RemoveAll()
    {
        while (m_pHead)
            Unlink(m_pHead);
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink((CNode*)position); }

    // A NULL position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNext = position ? (CNode*)position : m_pHead;
        CNode* pPrev = pNext ? pNext->pPrev : m_pTail;
        return Link(pPrev, pNext, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pPrev = position ? (CNode*)position : m_pTail;
        CNode* pNext = pPrev ? pPrev->pNext : m_pHead;
        return Link(pPrev, pNext, newElement);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* p = startAfter ? ((CNode*)startAfter)->pNext : m_pHead;
        for (; p; p = p->pNext)
            if (p->data == searchValue)
                return (POSITION)p;
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* p = m_pHead;
        while (nIndex--)
            p = p->pNext;
        return (POSITION)p;
    }

private:
    POSITION Link(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* p = new CNode{pNext, pPrev, newElement};
        if (pPrev)
            pPrev->pNext = p;
        else
            m_pHead = p;
        if (pNext)
            pNext->pPrev = p;
        else
            m_pTail = p;
        ++m_nCount;
        return (POSITION)p;
    }
    void Unlink(CNode* p)
    {
        if (p->pPrev)
            p->pPrev->pNext = p->pNext;
        else
            m_pHead = p->pNext;
        if (p->pNext)
            p->pNext->pPrev = p->pPrev;
        else
            m_pTail = p->pPrev;
        --m_nCount;
        delete p;
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};
