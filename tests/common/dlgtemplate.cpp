#include "testlib.h"

namespace qvtest {

DlgTemplate::DlgTemplate(short cx, short cy, const char* pszCaption, const char* pszFont, WORD wPointSize,
                         DWORD dwStyle)
{
    PushDword(dwStyle | (pszFont ? DS_SETFONT : 0));
    PushDword(0);  // extended style
    // item count (counted by AddItem), x, y, cx, cy, no menu, standard class
    m_words.insert(m_words.end(), {0, 10, 10, (WORD)cx, (WORD)cy, 0, 0});
    PushString(pszCaption);
    if (pszFont) {
        m_words.push_back(wPointSize);
        PushString(pszFont);
    }
}

void DlgTemplate::AddItem(const char* pszClass, const char* pszText, WORD wID, DWORD dwStyle, short x, short y,
                          short cx, short cy)
{
    if (m_words.size() % 2)
        m_words.push_back(0);  // items start on a DWORD
    PushDword(dwStyle | WS_CHILD | WS_VISIBLE);
    PushDword(0);
    m_words.insert(m_words.end(), {(WORD)x, (WORD)y, (WORD)cx, (WORD)cy, wID});
    PushString(pszClass);
    PushString(pszText);
    m_words.push_back(0);  // no creation data
    ++m_words[4];          // cdit
}

void DlgTemplate::PushDword(DWORD d)
{
    m_words.push_back(LOWORD(d));
    m_words.push_back(HIWORD(d));
}

void DlgTemplate::PushString(const char* psz)
{
    for (; psz && *psz; ++psz)
        m_words.push_back((WORD)(unsigned char)*psz);
    m_words.push_back(0);
}

}  // namespace qvtest
