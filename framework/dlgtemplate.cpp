#include "framework/afximpl.h"

#include <string.h>

// Layout of the two template formats, in bytes from the template's start.
namespace {

const WORD kExSignature = 0xFFFF;

struct TemplateHeader
{
    bool bEx;
    DWORD dwStyle;
    size_t nFontOffset;   // where the font block is, or would be
    size_t nItemsOffset;  // first item, DWORD-aligned
    WORD wWeight;         // these three when the style has DS_SETFONT
    BYTE bItalic;
    BYTE bCharSet;
};

WORD ReadWord(const BYTE* p)
{
    WORD w;
    memcpy(&w, p, sizeof w);
    return w;
}

DWORD ReadDword(const BYTE* p)
{
    DWORD d;
    memcpy(&d, p, sizeof d);
    return d;
}

size_t Align4(size_t n) { return (n + 3) & ~(size_t)3; }

// A string, or 0x0000 (none), or 0xFFFF and an ordinal.
const BYTE* SkipSzOrOrd(const BYTE* p)
{
    WORD w = ReadWord(p);
    if (w == 0)
        return p + 2;
    if (w == 0xFFFF)
        return p + 4;
    while (ReadWord(p))
        p += 2;
    return p + 2;
}

const BYTE* SkipString(const BYTE* p)
{
    while (ReadWord(p))
        p += 2;
    return p + 2;
}

void ParseHeader(const DLGTEMPLATE* pTemplate, TemplateHeader& h)
{
    const BYTE* pStart = (const BYTE*)pTemplate;
    const BYTE* p = pStart;
    h = TemplateHeader();
    h.bEx = ReadWord(p + 2) == kExSignature;
    if (h.bEx) {
        h.dwStyle = ReadDword(p + 12);
        p += 26;
    } else {
        h.dwStyle = ReadDword(p);
        p += 18;
    }
    p = SkipSzOrOrd(p);  // menu
    p = SkipSzOrOrd(p);  // class
    p = SkipString(p);   // title
    h.nFontOffset = (size_t)(p - pStart);
    if (h.dwStyle & DS_SETFONT) {
        p += 2;  // point size
        if (h.bEx) {
            h.wWeight = ReadWord(p);
            h.bItalic = p[2];
            h.bCharSet = p[3];
            p += 4;
        }
        p = SkipString(p);
    }
    h.nItemsOffset = Align4((size_t)(p - pStart));
}

}  // namespace

CDialogTemplate::~CDialogTemplate()
{
    if (m_hTemplate)
        ::GlobalFree(m_hTemplate);
}

BOOL CDialogTemplate::Load(LPCSTR lpDialogTemplateID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpDialogTemplateID, (LPCSTR)RT_DIALOG);
    if (!hRsrc)
        return FALSE;
    HGLOBAL hRes = ::LoadResource(hInst, hRsrc);
    const DLGTEMPLATE* pTemplate = hRes ? (const DLGTEMPLATE*)::LockResource(hRes) : NULL;
    DWORD cb = ::SizeofResource(hInst, hRsrc);
    if (!pTemplate || cb < sizeof(DLGTEMPLATE))
        return FALSE;
    HGLOBAL hNew = ::GlobalAlloc(GPTR, cb);
    if (!hNew)
        return FALSE;
    memcpy((void*)hNew, pTemplate, cb);
    if (m_hTemplate)
        ::GlobalFree(m_hTemplate);
    m_hTemplate = hNew;
    m_dwTemplateSize = cb;
    return TRUE;
}

// Rebuilds the header with the new font block; the items move as a whole to
// the next DWORD boundary.
BOOL CDialogTemplate::SetFont(LPCSTR lpFaceName, WORD nFontSize)
{
    if (!m_hTemplate || !lpFaceName)
        return FALSE;
    const BYTE* pOld = (const BYTE*)m_hTemplate;
    TemplateHeader h;
    ParseHeader((const DLGTEMPLATE*)pOld, h);
    if (h.nItemsOffset > m_dwTemplateSize)
        return FALSE;

    WCHAR szFace[LF_FACESIZE] = L"";
    int nFace = ::MultiByteToWideChar(CP_ACP, 0, lpFaceName, -1, szFace, LF_FACESIZE);
    if (nFace <= 0)
        return FALSE;
    szFace[LF_FACESIZE - 1] = 0;
    nFace = (int)wcslen(szFace) + 1;

    size_t nFontBlock = 2 + (h.bEx ? 4 : 0) + (size_t)nFace * sizeof(WCHAR);
    size_t nNewItemsOffset = Align4(h.nFontOffset + nFontBlock);
    size_t nItemsSize = m_dwTemplateSize - h.nItemsOffset;
    size_t nNewSize = nNewItemsOffset + nItemsSize;
    HGLOBAL hNew = ::GlobalAlloc(GPTR, nNewSize);
    if (!hNew)
        return FALSE;
    BYTE* pNew = (BYTE*)hNew;

    memcpy(pNew, pOld, h.nFontOffset);
    DWORD dwStyle = h.dwStyle | DS_SETFONT;
    memcpy(pNew + (h.bEx ? 12 : 0), &dwStyle, sizeof dwStyle);
    BYTE* p = pNew + h.nFontOffset;
    memcpy(p, &nFontSize, 2);
    p += 2;
    if (h.bEx) {
        WORD wWeight = (h.dwStyle & DS_SETFONT) ? h.wWeight : (WORD)FW_NORMAL;
        memcpy(p, &wWeight, 2);
        p[2] = (h.dwStyle & DS_SETFONT) ? h.bItalic : 0;
        p[3] = (h.dwStyle & DS_SETFONT) ? h.bCharSet : (BYTE)DEFAULT_CHARSET;
        p += 4;
    }
    memcpy(p, szFace, (size_t)nFace * sizeof(WCHAR));
    memcpy(pNew + nNewItemsOffset, pOld + h.nItemsOffset, nItemsSize);

    ::GlobalFree(m_hTemplate);
    m_hTemplate = hNew;
    m_dwTemplateSize = (DWORD)nNewSize;
    return TRUE;
}
