// Work whose first run in a process is slow, done on threads of their own while the
// dialog's window is being built: the settings file's XML component, and GDI+ with its
// font list and picture decoder. The dialog's own thread waits for the GDI+ warm-up
// before it starts GDI+ itself, so the two never use it at the same time.
#include "dialog/CopyUIDlg.h"

#include <gdiplus.h>
#include <msxml2.h>

#include "res/resource.h"

namespace replika {

namespace {

// The apartment stays until the process ends, so the component stays loaded.
DWORD WINAPI WarmXmlComponent(LPVOID)
{
    if (SUCCEEDED(::CoInitializeEx(NULL, COINIT_MULTITHREADED))) {
        IUnknown* pDocument = NULL;
        if (SUCCEEDED(::CoCreateInstance(CLSID_DOMDocument40, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         reinterpret_cast<void**>(&pDocument))))
            pDocument->Release();
    }
    return 0;
}

struct GdiplusWarmUp
{
    HMODULE hResources;
    ULONG_PTR* pulToken;
};

// One picture of the resources decoded and thrown away.
void DecodeOnePicture(HMODULE hResources)
{
    HRSRC hResource = ::FindResourceA(hResources, MAKEINTRESOURCEA(IDP_BUTTON_NORMAL), RES_TYPE_PNG);
    const void* pBytes = hResource ? ::LockResource(::LoadResource(hResources, hResource)) : NULL;
    DWORD cbBytes = hResource ? ::SizeofResource(hResources, hResource) : 0;
    HGLOBAL hCopy = pBytes ? ::GlobalAlloc(GMEM_MOVEABLE, cbBytes) : NULL;
    void* pCopy = hCopy ? ::GlobalLock(hCopy) : NULL;
    if (pCopy == NULL) {
        if (hCopy)
            ::GlobalFree(hCopy);
        return;
    }
    memcpy(pCopy, pBytes, cbBytes);
    ::GlobalUnlock(hCopy);
    IStream* pStream = NULL;
    if (FAILED(::CreateStreamOnHGlobal(hCopy, TRUE, &pStream))) {
        ::GlobalFree(hCopy);
        return;
    }
    Gdiplus::GpBitmap* pBitmap = NULL;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(pStream, &pBitmap) == Gdiplus::Ok)
        Gdiplus::DllExports::GdipDisposeImage(pBitmap);
    pStream->Release();
}

DWORD WINAPI WarmGdiplus(LPVOID pParam)
{
    GdiplusWarmUp* pWarmUp = static_cast<GdiplusWarmUp*>(pParam);
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(pWarmUp->pulToken, &input, NULL) == Gdiplus::Ok) {
        Gdiplus::GpFontFamily* pFamily = NULL;
        if (Gdiplus::DllExports::GdipCreateFontFamilyFromName(L"Arial", NULL, &pFamily) == Gdiplus::Ok)
            Gdiplus::DllExports::GdipDeleteFontFamily(pFamily);
        DecodeOnePicture(pWarmUp->hResources);
    } else {
        *pWarmUp->pulToken = 0;
    }
    delete pWarmUp;
    return 0;
}

}  // namespace

void CCopyUIDlg::StartWarmUps()
{
    static LONG s_bXmlStarted = 0;
    if (::InterlockedExchange(&s_bXmlStarted, 1) == 0) {
        if (HANDLE hThread = ::CreateThread(NULL, 0, WarmXmlComponent, NULL, 0, NULL))
            ::CloseHandle(hThread);
    }
    GdiplusWarmUp* pWarmUp = new GdiplusWarmUp{AfxGetResourceHandle(), &m_ulWarmGdiplusToken};
    m_hGdiplusWarmUp = ::CreateThread(NULL, 0, WarmGdiplus, pWarmUp, 0, NULL);
    if (m_hGdiplusWarmUp == NULL)
        delete pWarmUp;
}

void CCopyUIDlg::FinishGdiplusWarmUp()
{
    if (m_hGdiplusWarmUp == NULL)
        return;
    ::WaitForSingleObject(m_hGdiplusWarmUp, INFINITE);
    ::CloseHandle(m_hGdiplusWarmUp);
    m_hGdiplusWarmUp = NULL;
}

}  // namespace replika
