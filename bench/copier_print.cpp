// Time from a copy request to the PDF on disk, through the copier component or through a
// plain program that prints the same image at the same size with GDI, and the copying
// process's peak working set above idle.
//   bench_copier_print.exe copier|plain <runs> <quality 1..3> "<image folder>" <printer> "<PDF folder>"
// The image folder holds one image; the PDF folder is where the printer writes.
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bench/Measure.h"
#include "copier/common/CopierSetup.h"
#include "device/ICopyAPI.h"

namespace {

const DWORD kTimeoutMs = 120000;

// The PDF whose name holds `tag`, once complete (ends with %%EOF).
bool PdfDone(const std::string& folder, const std::string& tag)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*" + tag + "*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    std::string path = folder + "\\" + found.cFileName;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char tail[16] = "";
    DWORD got = 0;
    LONG size = GetFileSize(file, NULL);
    bool done = size > 16 && SetFilePointer(file, -16, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
                ReadFile(file, tail, sizeof(tail), &got, NULL) && std::string(tail, got).find("%%EOF") != std::string::npos;
    CloseHandle(file);
    if (done)
        DeleteFileA(path.c_str());
    return done;
}

bool WaitPdf(const std::string& folder, const std::string& tag)
{
    for (double start = NowMs(); NowMs() - start < kTimeoutMs; Sleep(5))
        if (PdfDone(folder, tag))
            return true;
    return false;
}

std::string FirstFile(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.png").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    FindClose(search);
    return folder + "\\" + found.cFileName;
}

// The plain way: the whole image decoded, then one StretchDIBits at its true size (300 dpi).
bool PrintPlain(const std::string& image, const char* printer, const std::string& docName, int dpi)
{
    IWICImagingFactory* pFactory = NULL;
    IWICBitmapDecoder* pDecoder = NULL;
    IWICBitmapFrameDecode* pFrame = NULL;
    IWICFormatConverter* pConverter = NULL;
    std::wstring wide(image.begin(), image.end());
    UINT w = 0, h = 0;
    std::vector<BYTE> pixels;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  (void**)&pFactory);
    if (SUCCEEDED(hr))
        hr = pFactory->CreateDecoderFromFilename(wide.c_str(), NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                 &pDecoder);
    if (SUCCEEDED(hr))
        hr = pDecoder->GetFrame(0, &pFrame);
    if (SUCCEEDED(hr))
        hr = pFactory->CreateFormatConverter(&pConverter);
    if (SUCCEEDED(hr))
        hr = pConverter->Initialize(pFrame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, NULL, 0,
                                    WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = pConverter->GetSize(&w, &h);
    if (SUCCEEDED(hr)) {
        pixels.resize((size_t)w * h * 4);
        hr = pConverter->CopyPixels(NULL, w * 4, (UINT)pixels.size(), pixels.data());
    }
    for (IUnknown* p : {(IUnknown*)pConverter, (IUnknown*)pFrame, (IUnknown*)pDecoder, (IUnknown*)pFactory})
        if (p)
            p->Release();
    if (FAILED(hr))
        return false;
    HDC dc = CreateDCA("WINSPOOL", printer, NULL, NULL);
    if (!dc)
        return false;
    DOCINFOA doc = {sizeof(doc), docName.c_str(), NULL, NULL, 0};
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(bmi.bmiHeader), (LONG)w, -(LONG)h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    int scaleX = GetDeviceCaps(dc, LOGPIXELSX), scaleY = GetDeviceCaps(dc, LOGPIXELSY);
    bool ok = StartDocA(dc, &doc) > 0 && StartPage(dc) > 0 &&
              StretchDIBits(dc, -GetDeviceCaps(dc, PHYSICALOFFSETX), -GetDeviceCaps(dc, PHYSICALOFFSETY),
                            (int)(w * scaleX / dpi), (int)(h * scaleY / dpi), 0, 0, w, h, pixels.data(), &bmi,
                            DIB_RGB_COLORS, SRCCOPY) != 0 &&
              EndPage(dc) > 0 && EndDoc(dc) > 0;
    DeleteDC(dc);
    return ok;
}

ICopyAPI* BindCopier(const std::string& folder, const char* printer, const std::string& tag)
{
    CopierSetup setup = {tag, "copier-" + tag, folder, printer};
    std::string error;
    if (!SaveCopierSetups({setup}, error)) {
        fprintf(stderr, "set-up: %s\n", error.c_str());
        return NULL;
    }
    HMODULE hModule = LoadLibraryA("qvcopier_device.dll");
    typedef HRESULT(STDAPICALLTYPE * GetClassObject)(REFCLSID, REFIID, void**);
    GetClassObject pfn = hModule ? (GetClassObject)(void*)GetProcAddress(hModule, "DllGetClassObject") : NULL;
    IClassFactory* pFactory = NULL;
    ICopyAPI* pApi = NULL;
    if (!pfn || FAILED(pfn(CLSID_CopyAPI, IID_IClassFactory, (void**)&pFactory)))
        return NULL;
    pFactory->CreateInstance(NULL, IID_ICopyAPI, (void**)&pApi);
    pFactory->Release();
    std::string ctx = CopierContextID(setup);
    std::wstring wideCtx(ctx.begin(), ctx.end());
    BSTR protocol = SysAllocString(L"-CtxID"), context = SysAllocString(wideCtx.c_str());
    CopierFunctional caps = {};
    if (pApi && (FAILED(pApi->InitProtocol(protocol, context)) || FAILED(pApi->GetCapabilities(&caps)))) {
        pApi->Release();
        pApi = NULL;
    }
    SysFreeString(protocol);
    SysFreeString(context);
    return pApi;
}

SIZE_T WorkingSet(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        fprintf(stderr, "usage: %s copier|plain <runs> <quality> \"<image folder>\" <printer> \"<PDF folder>\"\n",
                argv[0]);
        return 2;
    }
    bool copier = strcmp(argv[1], "copier") == 0;
    int runs = std::max(1, atoi(argv[2])), quality = atoi(argv[3]);
    std::string folder = argv[4], pdfFolder = argv[6];
    const char* printer = argv[5];
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    char tag[64];
    snprintf(tag, sizeof(tag), "bench%lu", GetCurrentProcessId());
    ICopyAPI* pApi = copier ? BindCopier(folder, printer, tag) : NULL;
    if (copier && !pApi) {
        fprintf(stderr, "the copier component could not be bound\n");
        return 1;
    }
    std::string image = FirstFile(folder);
    CopyJobParams job = {1, 0, 0, 1, 1, 0, 1, 1, quality, 100, 1, 9, 0, 50, 0, 0, 0, 0, 1, {}};
    SIZE_T idle = WorkingSet(false);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        char docTag[96];
        snprintf(docTag, sizeof(docTag), "%s-%d-", tag, i);
        double start = NowMs();
        bool ok = copier ? SUCCEEDED(pApi->SubmitCopy(job)) : PrintPlain(image, printer, docTag, 300);
        // The copier names its jobs "<set-up> copy <n>-...": the n-th job of this run.
        snprintf(docTag, sizeof(docTag), copier ? "%s?copy?%d-" : "%s-%d-", tag, copier ? i + 1 : i);
        if (!ok || !WaitPdf(pdfFolder, docTag)) {
            fprintf(stderr, "run %d: no PDF\n", i + 1);
            return 1;
        }
        times.push_back(NowMs() - start);
        Sleep(200);  // the copier's thread posts idle after the spooler is done
    }
    printf("%s quality %d: median %.0f ms, fastest %.0f ms over %d; peak working set %.1f MiB above idle\n",
           argv[1], quality, Median(times), *std::min_element(times.begin(), times.end()), runs,
           (double)(WorkingSet(true) - idle) / (1024.0 * 1024.0));
    if (pApi) {
        pApi->Shutdown();
        pApi->Release();
    }
    CoUninitialize();
    return 0;
}
