#include "PrintCheck.h"

#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace copiertest {

namespace {

int Px(double mm) { return static_cast<int>(std::lround(mm * kOriginalDpi / 25.4)); }

// BGRx pixels of the original, top-down.
std::vector<BYTE> OriginalPixels(int& width, int& height)
{
    width = Px(100);
    height = Px(140);
    std::vector<BYTE> bgrx(static_cast<size_t>(width) * height * 4, 255);
    auto paint = [&](int x, int y, BYTE b, BYTE g, BYTE r) {
        BYTE* p = &bgrx[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = b, p[1] = g, p[2] = r;
    };
    for (int mm = 0; mm <= 140; ++mm)
        for (int x = 0; x < width; ++x)
            paint(x, std::min(Px(mm), height - 1), 255, 200, 160);
    for (int mm = 0; mm <= 100; ++mm)
        for (int y = 0; y < height; ++y)
            paint(std::min(Px(mm), width - 1), y, 255, 200, 160);
    for (int y = Px(20); y < Px(20 + kSquareMm); ++y)
        for (int x = Px(20); x < Px(20 + kSquareMm); ++x)
            paint(x, y, 0, 0, 0);
    return bgrx;
}

std::string WindowsPathOfUnix(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string UnixPathOf(const std::string& windowsPath)
{
    std::string path = windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string PdfFolder()
{
    const char* home = getenv("HOME");
    return WindowsPathOfUnix(std::string(home && *home ? home : "/root") + "/PDF");
}

}  // namespace

// Wine starts a program that is no Windows program natively but gives it neither our pipes
// nor its exit code: both come back through files in a folder of Linux's /tmp, and the
// code's file appears last.
qvtest::RunResult RunLinux(const std::string& command)
{
    static LONG s_nRuns = 0;
    char folder[64];
    snprintf(folder, sizeof(folder), "/tmp/qvtool-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&s_nRuns));
    std::string unixFolder = folder, winFolder = WindowsPathOfUnix(folder);
    CreateDirectoryA(winFolder.c_str(), nullptr);
    std::string script = command + " > " + unixFolder + "/out 2>/dev/null; echo $? > " + unixFolder + "/rc.tmp; mv " +
                         unixFolder + "/rc.tmp " + unixFolder + "/rc";
    qvtest::ChildProcess child("\"" + WindowsPathOfUnix("/bin/sh") + "\" -c \"" + script + "\"");
    qvtest::RunResult result = {~0u, std::string()};
    if (qvtest::PumpUntil([&] { return GetFileAttributesA((winFolder + "\\rc").c_str()) != INVALID_FILE_ATTRIBUTES; })) {
        result.exitCode = static_cast<DWORD>(atoi(qvtest::ReadBytes(winFolder + "\\rc").c_str()));
        result.output = qvtest::ReadBytes(winFolder + "\\out");
    }
    for (const char* name : {"\\out", "\\rc"})
        DeleteFileA((winFolder + name).c_str());
    RemoveDirectoryA(winFolder.c_str());
    return result;
}

namespace {

std::string FindPdf(const std::string& tag)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((PdfFolder() + "\\*" + tag + "*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    std::string path = PdfFolder() + "\\" + found.cFileName;
    FindClose(search);
    return path;
}

}  // namespace

bool WriteOriginal(const std::string& path, const char* format)
{
    int width = 0, height = 0;
    std::vector<BYTE> pixels = OriginalPixels(width, height);
    IWICImagingFactory* pFactory = nullptr;
    IWICStream* pStream = nullptr;
    IWICBitmapEncoder* pEncoder = nullptr;
    IWICBitmapFrameEncode* pFrame = nullptr;
    std::wstring wide(path.begin(), path.end());
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat32bppBGR;
    bool bmp = strcmp(format, "bmp") == 0;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&pFactory));
    const std::function<HRESULT()> steps[] = {
        [&] { return pFactory->CreateStream(&pStream); },
        [&] { return pStream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE); },
        [&] { return pFactory->CreateEncoder(bmp ? GUID_ContainerFormatBmp : GUID_ContainerFormatPng, nullptr, &pEncoder); },
        [&] { return pEncoder->Initialize(pStream, WICBitmapEncoderNoCache); },
        [&] { return pEncoder->CreateNewFrame(&pFrame, nullptr); },
        [&] { return pFrame->Initialize(nullptr); },
        [&] { return pFrame->SetSize(width, height); },
        [&] { return pFrame->SetResolution(kOriginalDpi, kOriginalDpi); },
        [&] { return pFrame->SetPixelFormat(&pixelFormat); },
        [&] { return pFrame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size()), pixels.data()); },
        [&] { return pFrame->Commit(); },
        [&] { return pEncoder->Commit(); }};
    for (const auto& step : steps)
        if (SUCCEEDED(hr))
            hr = step();
    for (IUnknown* p : {static_cast<IUnknown*>(pFrame), static_cast<IUnknown*>(pEncoder),
                        static_cast<IUnknown*>(pStream), static_cast<IUnknown*>(pFactory)})
        if (p)
            p->Release();
    return SUCCEEDED(hr);
}

std::string Tag(const char* what)
{
    char tag[64];
    snprintf(tag, sizeof(tag), "cpt%lu%lu%s", GetCurrentProcessId(), GetTickCount() % 100000, what);
    return tag;
}

BoundCopier::BoundCopier(const std::string& tag, const std::string& folder, const std::string& printer)
    : m_setups("qvcopier"), m_setupsEnv("QVCOPIER_SETUPS", m_setups.File("setups.txt").c_str()), m_tag(tag)
{
    CopierSetup setup{tag, "copier-" + tag, folder, printer};
    std::string error;
    EXPECT_TRUE(SaveCopierSetups({setup}, error)) << error;
    m_hModule = LoadLibraryA(qvtest::BesideExe("qvcopier_device.dll").c_str());
    auto pfnGetClassObject =
        m_hModule ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
                        reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllGetClassObject")))
                  : nullptr;
    IClassFactory* pFactory = nullptr;
    if (!pfnGetClassObject || FAILED(pfnGetClassObject(CLSID_CopyAPI, IID_IClassFactory, (void**)&pFactory))) {
        ADD_FAILURE() << "qvcopier_device.dll does not serve the copy class";
        return;
    }
    pFactory->CreateInstance(nullptr, IID_ICopyAPI, reinterpret_cast<void**>(&m_pApi));
    pFactory->Release();
    if (!m_pApi)
        return;
    std::string ctx = CopierContextID(setup);
    BSTR protocol = SysAllocString(L"-CtxID"), context = SysAllocString(std::wstring(ctx.begin(), ctx.end()).c_str());
    m_hrBind = m_pApi->InitProtocol(protocol, context);
    SysFreeString(protocol);
    SysFreeString(context);
}

BoundCopier::~BoundCopier()
{
    if (m_pApi) {
        m_pApi->Shutdown();  // waits for a running job; the library stays loaded for posted events
        m_pApi->Release();
    }
}

CopyJobParams PlainJob()
{
    CopyJobParams job = {};
    job.nTraySelection = 1;
    job.nSpecialFeatureMode = 1;
    job.nNbrCopies = 1;
    job.bColorCopyRequested = 1;
    job.nQuality = 2;
    job.nReduceEnlarge = 100;
    job.nPaperType = 1;
    job.nPaperSize = 9;
    job.nBrightness = 50;
    job.nBorderlessSupport = 1;
    for (int32_t& flag : job.bEnableXDL)
        flag = 1;
    return job;
}

PrintedPdf::PrintedPdf(const std::string& tag, DWORD waitMs)
{
    std::string info;
    qvtest::PumpUntil(
        [&] {
            std::string path = FindPdf(tag);
            if (path.empty())
                return false;
            qvtest::RunResult result = RunLinux("pdfinfo '" + UnixPathOf(path) + "'");
            if (result.exitCode != 0)
                return false;
            m_path = path;
            info = result.output;
            return true;
        },
        waitMs);
    const char* pages = strstr(info.c_str(), "Pages:");
    const char* size = strstr(info.c_str(), "Page size:");
    if (pages)
        m_nPages = atoi(pages + 6);
    if (size)
        sscanf(size + 10, " %lf x %lf", &m_widthPt, &m_heightPt);
}

PrintedPdf::~PrintedPdf()
{
    if (!m_path.empty())
        DeleteFileA(m_path.c_str());
}

RenderedPage PrintedPdf::Render(int page, int dpi) const
{
    RenderedPage rendered;
    char arguments[600];
    snprintf(arguments, sizeof(arguments), "pdftoppm -r %d -f %d -l %d '%s'", dpi, page, page,
             UnixPathOf(m_path).c_str());
    std::string ppm = RunLinux(arguments).output;
    int maxValue = 0, consumed = 0;
    if (sscanf(ppm.c_str(), "P6 %d %d %d%n", &rendered.width, &rendered.height, &maxValue, &consumed) != 3 ||
        maxValue != 255)
        return RenderedPage();
    size_t count = static_cast<size_t>(rendered.width) * rendered.height;
    if (ppm.size() < consumed + 1 + count * 3)
        return RenderedPage();
    rendered.dpi = dpi;
    rendered.pixels.resize(count);
    memcpy(rendered.pixels.data(), ppm.data() + consumed + 1, count * 3);
    return rendered;
}

bool AnyPdfFor(const std::string& tag) { return !FindPdf(tag).empty(); }

bool SparePrinter::Remove()
{
    m_bRemoved = true;
    return RunLinux(std::string("lpadmin -x ") + Name()).exitCode == 0;
}

SparePrinter::~SparePrinter()
{
    if (m_bRemoved)
        RunLinux(std::string("lpadmin -p ") + Name() + " -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E");
}

}  // namespace copiertest
