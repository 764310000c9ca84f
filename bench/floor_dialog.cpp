// The floor under the copy dialog's start-up: the plain template dialog of
// bench_copy_template_dialog plus only the platform work that the copy dialog cannot
// leave out: a COM apartment, one XML document of the settings component holding the
// embedded settings template, GDI+ started, and the eight pictures decoded once each.
// No device, no logging, no rules. Whatever this costs over the plain dialog, the real
// program costs at least as much.
#include "bench/PlainStart.h"

#include <gdiplus.h>
#include <msxml2.h>
#include <string.h>

#include "res/resource.h"

namespace {

const int kPictures[] = {IDP_BUTTON_NORMAL, IDP_COPYBUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_COPYBUTTON_HOVER,
                         IDP_BUTTON_DISABLED, IDP_HEADER_LEFT, IDP_FOOTER, IDP_HEADER_RIGHT};

const void* ResourceBytes(HMODULE hModule, int nID, const char* pszType, DWORD* pcbBytes)
{
    HRSRC hResource = FindResourceA(hModule, MAKEINTRESOURCEA(nID), pszType);
    *pcbBytes = hResource ? SizeofResource(hModule, hResource) : 0;
    return hResource ? LockResource(LoadResource(hModule, hResource)) : NULL;
}

void DecodePicture(HMODULE hModule, int nID)
{
    DWORD cbBytes = 0;
    const void* pBytes = ResourceBytes(hModule, nID, RES_TYPE_PNG, &cbBytes);
    HGLOBAL hCopy = pBytes ? GlobalAlloc(GMEM_MOVEABLE, cbBytes) : NULL;
    if (hCopy == NULL)
        return;
    memcpy(GlobalLock(hCopy), pBytes, cbBytes);
    GlobalUnlock(hCopy);
    IStream* pStream = NULL;
    if (FAILED(CreateStreamOnHGlobal(hCopy, TRUE, &pStream))) {
        GlobalFree(hCopy);
        return;
    }
    Gdiplus::GpBitmap* pBitmap = NULL;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(pStream, &pBitmap) == Gdiplus::Ok)
        Gdiplus::DllExports::GdipDisposeImage(pBitmap);
    pStream->Release();
}

void LoadSettingsTemplate(HMODULE hModule)
{
    DWORD cbBytes = 0;
    const char* pBytes = static_cast<const char*>(ResourceBytes(hModule, IDR_DEFAULT_STATE, RES_TYPE_XML, &cbBytes));
    IXMLDOMDocument2* pDocument = NULL;
    if (pBytes == NULL || FAILED(CoCreateInstance(CLSID_DOMDocument40, NULL, CLSCTX_INPROC_SERVER,
                                                  IID_IXMLDOMDocument2, reinterpret_cast<void**>(&pDocument))))
        return;
    int cch = MultiByteToWideChar(CP_UTF8, 0, pBytes, (int)cbBytes, NULL, 0);
    BSTR bstrXml = SysAllocStringLen(NULL, (UINT)cch);
    if (bstrXml) {
        MultiByteToWideChar(CP_UTF8, 0, pBytes, (int)cbBytes, bstrXml, cch);
        VARIANT_BOOL bLoaded = VARIANT_FALSE;
        pDocument->loadXML(bstrXml, &bLoaded);
        SysFreeString(bstrXml);
    }
    pDocument->Release();
}

INT_PTR CALLBACK TemplateDialogProc(HWND hDlg, UINT uMsg, WPARAM, LPARAM)
{
    if (uMsg == WM_INITDIALOG) {
        HMODULE hProgram = GetModuleHandleA(NULL);
        ULONG_PTR ulToken = 0;
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&ulToken, &input, NULL) == Gdiplus::Ok) {
            for (int nID : kPictures)
                DecodePicture(hProgram, nID);
            Gdiplus::GdiplusShutdown(ulToken);
        }
        LoadSettingsTemplate(hProgram);
        return TRUE;
    }
    if (uMsg == WM_CLOSE) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    HINSTANCE hResources = StartPlainProgram(hInstance);
    if (FAILED(CoInitialize(NULL)))
        return 1;
    INT_PTR nResult = DialogBoxParamA(hResources, MAKEINTRESOURCEA(102), NULL, TemplateDialogProc, 0);
    CoUninitialize();
    return (int)nResult;
}
