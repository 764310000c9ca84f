#include "copier/device/FolderSource.h"

#include <algorithm>
#include <cstring>

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"

namespace {

// Enough of a file for its header: PNG, JPEG and TIFF keep size and resolution near the start.
const DWORD kHeaderBytes = 64 * 1024;
// Rows decoded at a time.
const uint32_t kStripBytes = 1024 * 1024;

template <class T>
void ReleaseAndClear(T*& p)
{
    if (p)
        p->Release();
    p = nullptr;
}

std::wstring WideOf(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

bool ReadHeader(const std::string& path, ImageHeader& header)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<uint8_t> bytes(kHeaderBytes);
    DWORD got = 0;
    bool ok = ReadFile(file, bytes.data(), kHeaderBytes, &got, nullptr) != FALSE;
    CloseHandle(file);
    return ok && ReadImageHeader(bytes.data(), got, header);
}

}  // namespace

FolderSource::FolderSource(const std::string& folder) : m_folder(folder), m_pFactory(nullptr)
{
    while (m_folder.size() > 3 && (m_folder.back() == '\\' || m_folder.back() == '/'))
        m_folder.pop_back();
}

FolderSource::~FolderSource() { EndJob(); }

HRESULT FolderSource::Answers() const
{
    DWORD attributes = GetFileAttributesA(m_folder.c_str());
    return (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) ? S_OK
                                                                                               : kNotResponding;
}

std::vector<std::string> FolderSource::FileNames() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; });
    return names;
}

bool FolderSource::DocumentPresent() const
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool present = false;
    do
        present = !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    while (!present && FindNextFileA(search, &found));
    FindClose(search);
    return present;
}

HRESULT FolderSource::BeginJob(const ScanRequest& /*request*/, unsigned& pageCount)
{
    EndJob();
    pageCount = 0;
    if (FAILED(Answers())) {
        CopierLog("device: the folder %s is not there", m_folder.c_str());
        return kNotResponding;
    }
    for (const std::string& name : FileNames()) {
        Page page{m_folder + "\\" + name, ImageHeader()};
        if (!ReadHeader(page.path, page.header)) {
            CopierLog("device: %s is no image it can read; nothing copied", page.path.c_str());
            m_pages.clear();
            return kOriginalUnreadable;
        }
        m_pages.push_back(page);
    }
    if (m_pages.empty()) {
        CopierLog("device: no original in %s", m_folder.c_str());
        return kNoOriginal;
    }
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&m_pFactory));
    if (FAILED(hr)) {
        CopierLog("device: no image decoder (0x%lx)", static_cast<unsigned long>(hr));
        m_pages.clear();
        return kOriginalUnreadable;
    }
    pageCount = static_cast<unsigned>(m_pages.size());
    return S_OK;
}

HRESULT FolderSource::OpenPage(unsigned index, OriginalSize& size)
{
    if (index >= m_pages.size() || !m_pFactory)
        return E_INVALIDARG;
    const Page& page = m_pages[index];
    uint32_t width = 0, height = 0;
    HRESULT hr = DecodeIntoSpool(page.path, width, height);
    if (FAILED(hr)) {
        m_spool.Close();
        CopierLog("device: %s cannot be decoded (0x%lx)", page.path.c_str(), static_cast<unsigned long>(hr));
        return kOriginalUnreadable;
    }
    bool hasDpi = page.header.dpiX > 0;
    size = OriginalSize{width, height, hasDpi ? page.header.dpiX : kDefaultOriginalDpi,
                        hasDpi ? page.header.dpiY : kDefaultOriginalDpi};
    return S_OK;
}

// Decodes the file in strips of rows into the spool, a fresh one for each page.
HRESULT FolderSource::DecodeIntoSpool(const std::string& path, uint32_t& width, uint32_t& height)
{
    IWICBitmapDecoder* pDecoder = nullptr;
    IWICBitmapFrameDecode* pFrame = nullptr;
    IWICFormatConverter* pConverter = nullptr;
    HRESULT hr = m_pFactory->CreateDecoderFromFilename(WideOf(path).c_str(), nullptr, GENERIC_READ,
                                                       WICDecodeMetadataCacheOnDemand, &pDecoder);
    if (SUCCEEDED(hr))
        hr = pDecoder->GetFrame(0, &pFrame);
    if (SUCCEEDED(hr))
        hr = m_pFactory->CreateFormatConverter(&pConverter);
    if (SUCCEEDED(hr))
        hr = pConverter->Initialize(pFrame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                    WICBitmapPaletteTypeCustom);
    UINT w = 0, h = 0;
    if (SUCCEEDED(hr))
        hr = pConverter->GetSize(&w, &h);
    SpoolPage spooled;
    spooled.width = width = w, spooled.height = height = h, spooled.bits = 32;
    spooled.stride = w * 4;
    if (SUCCEEDED(hr) && (w == 0 || h == 0 || !m_spool.Open() || !m_spool.BeginPage(spooled)))
        hr = E_FAIL;
    const uint32_t strip = std::max<uint32_t>(1, kStripBytes / std::max<uint32_t>(spooled.stride, 1));
    std::vector<uint8_t> rows(SUCCEEDED(hr) ? static_cast<size_t>(spooled.stride) * std::min(strip, h) : 0);
    for (uint32_t top = 0; SUCCEEDED(hr) && top < h; top += strip) {
        uint32_t count = std::min(strip, h - top);
        WICRect rect = {0, static_cast<INT>(top), static_cast<INT>(w), static_cast<INT>(count)};
        hr = pConverter->CopyPixels(&rect, spooled.stride, spooled.stride * count, rows.data());
        if (SUCCEEDED(hr) && !m_spool.Write(static_cast<uint64_t>(top) * spooled.stride, rows.data(),
                                            static_cast<size_t>(spooled.stride) * count))
            hr = E_FAIL;
    }
    if (SUCCEEDED(hr) && !m_spool.EndPage())
        hr = E_FAIL;
    ReleaseAndClear(pConverter);
    ReleaseAndClear(pFrame);
    ReleaseAndClear(pDecoder);
    return hr;
}

HRESULT FolderSource::ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels)
{
    return m_spool.ReadPixels(0, left, top, width, height, pixels) ? S_OK : kOriginalUnreadable;
}

void FolderSource::EndJob()
{
    m_spool.Close();
    ReleaseAndClear(m_pFactory);
    m_pages.clear();
}
