#include "copier/device/PrinterMedia.h"

#include <cstdlib>
#include <cstring>

#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"
#include "records/CopierFunctional.h"

namespace {

struct KnownSize
{
    int32_t id;
    int widthTenthMm, heightTenthMm;
};

// The size codes the copy dialog and its rules know.
const KnownSize kKnownSizes[] = {
    {2, 2159, 2794},   // Letter
    {3, 2159, 3556},   // Legal
    {9, 2100, 2970},   // A4
    {11, 1480, 2100},  // A5
    {12, 1050, 1480},  // A6
    {76, 1016, 1524},  // 4 x 6 in
    {118, 1270, 1778}, // 5 x 7 in
    {121, 1000, 1500}, // 10 x 15 cm
    {71, 1016, 2540},  // 4 x 10 in panorama
};
const int kSizeToleranceTenthMm = 10;

const int32_t kPlainPaper = 1;
struct KnownType
{
    DWORD driverCode;
    int32_t id;
};
const KnownType kKnownTypes[] = {{DMMEDIA_STANDARD, kPlainPaper}, {DMMEDIA_GLOSSY, 3}, {DMMEDIA_TRANSPARENCY, 15}};

bool Near(int a, int b) { return std::abs(a - b) <= kSizeToleranceTenthMm; }

int32_t SizeCodeOf(const PrinterPaper& paper)
{
    for (const KnownSize& known : kKnownSizes) {
        bool upright = Near(paper.widthTenthMm, known.widthTenthMm) && Near(paper.heightTenthMm, known.heightTenthMm);
        bool turned = Near(paper.widthTenthMm, known.heightTenthMm) && Near(paper.heightTenthMm, known.widthTenthMm);
        if (upright || turned)
            return known.id;
    }
    return 0;
}

int32_t TypeCodeOf(DWORD driverCode)
{
    for (const KnownType& known : kKnownTypes)
        if (known.driverCode == driverCode)
            return known.id;
    return static_cast<int32_t>(driverCode);  // the driver's own types keep its numbers (256 and up)
}

bool HasId(const std::vector<MediaChoice>& list, int32_t id)
{
    for (const MediaChoice& choice : list)
        if (choice.id == id)
            return true;
    return false;
}

// The fixed-width names DeviceCapabilities returns, one per entry.
std::vector<std::string> Names(const std::vector<char>& block, size_t count, size_t width)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        const char* name = block.data() + i * width;
        names.emplace_back(name, strnlen(name, width));
    }
    return names;
}

template <class T>
std::vector<T> Capability(const char* printer, WORD capability, size_t width = sizeof(T))
{
    int count = DeviceCapabilitiesA(printer, nullptr, capability, nullptr, nullptr);
    std::vector<T> values;
    if (count <= 0)
        return values;
    std::vector<char> block(static_cast<size_t>(count) * width + width);
    count = DeviceCapabilitiesA(printer, nullptr, capability, block.data(), nullptr);
    for (int i = 0; i < count; ++i) {
        T value;
        memcpy(&value, block.data() + i * width, sizeof(T));
        values.push_back(value);
    }
    return values;
}

std::vector<std::string> CapabilityNames(const char* printer, WORD capability, size_t width)
{
    int count = DeviceCapabilitiesA(printer, nullptr, capability, nullptr, nullptr);
    if (count <= 0)
        return {};
    std::vector<char> block(static_cast<size_t>(count + 1) * width, '\0');
    count = DeviceCapabilitiesA(printer, nullptr, capability, block.data(), nullptr);
    return Names(block, count > 0 ? count : 0, width);
}

void ReadMarginsAndDefaults(const std::string& printer, PrinterInfo& info)
{
    HDC dc = CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr);
    if (!dc)
        return;
    int right = GetDeviceCaps(dc, PHYSICALWIDTH) - GetDeviceCaps(dc, HORZRES) - GetDeviceCaps(dc, PHYSICALOFFSETX);
    int bottom = GetDeviceCaps(dc, PHYSICALHEIGHT) - GetDeviceCaps(dc, VERTRES) - GetDeviceCaps(dc, PHYSICALOFFSETY);
    info.printsToEdge = GetDeviceCaps(dc, PHYSICALOFFSETX) == 0 && GetDeviceCaps(dc, PHYSICALOFFSETY) == 0 &&
                        right == 0 && bottom == 0;
    info.color = GetDeviceCaps(dc, NUMCOLORS) != 2 || GetDeviceCaps(dc, BITSPIXEL) > 1;
    DeleteDC(dc);

    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, nullptr))
        return;
    LONG size = DocumentPropertiesA(nullptr, handle, const_cast<char*>(printer.c_str()), nullptr, nullptr, 0);
    if (size > 0) {
        std::vector<char> block(size);
        DEVMODEA* devmode = reinterpret_cast<DEVMODEA*>(block.data());
        if (DocumentPropertiesA(nullptr, handle, const_cast<char*>(printer.c_str()), devmode, nullptr,
                                DM_OUT_BUFFER) == IDOK)
            info.defaultPaper = devmode->dmPaperSize;
    }
    ClosePrinter(handle);
}

}  // namespace

bool PrinterAnswers(const std::string& printer)
{
    HANDLE handle = nullptr;
    if (printer.empty() || !OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, nullptr))
        return false;
    ClosePrinter(handle);
    return true;
}

HRESULT QueryPrinter(const std::string& printer, PrinterInfo& info)
{
    info = PrinterInfo();
    if (!PrinterAnswers(printer))
        return kNotResponding;
    const char* name = printer.c_str();
    std::vector<WORD> codes = Capability<WORD>(name, DC_PAPERS);
    std::vector<POINT> sizes = Capability<POINT>(name, DC_PAPERSIZE);
    std::vector<std::string> names = CapabilityNames(name, DC_PAPERNAMES, 64);
    for (size_t i = 0; i < codes.size() && i < sizes.size(); ++i)
        info.papers.push_back({codes[i], sizes[i].x, sizes[i].y, i < names.size() ? names[i] : std::string()});
    info.bins = Capability<WORD>(name, DC_BINS);
    std::vector<DWORD> types = Capability<DWORD>(name, DC_MEDIATYPES);
    std::vector<std::string> typeNames = CapabilityNames(name, DC_MEDIATYPENAMES, 64);
    for (size_t i = 0; i < types.size(); ++i)
        info.types.push_back({types[i], i < typeNames.size() ? typeNames[i] : std::string()});
    ReadMarginsAndDefaults(printer, info);
    if (info.papers.empty()) {
        CopierLog("device: the printer %s names no paper", name);
        return kNotResponding;
    }
    return S_OK;
}

DeviceMedia MapPrinterMedia(const PrinterInfo& info)
{
    DeviceMedia media;
    for (const PrinterPaper& paper : info.papers) {
        int32_t id = SizeCodeOf(paper);
        if (id == 0 || HasId(media.sizes, id) || media.sizes.size() >= COPIER_MAX_MEDIA_SIZES) {
            CopierLog("device: paper \"%s\" (%d x %d mm/10) left out: %s", paper.name.c_str(), paper.widthTenthMm,
                      paper.heightTenthMm, id == 0 ? "no size code" : "already listed or list full");
            continue;
        }
        media.sizes.push_back({id, paper.driverCode, paper.name});
        if (paper.driverCode == info.defaultPaper && media.defaultSize == 0)
            media.defaultSize = id;
    }
    if (media.defaultSize == 0 && !media.sizes.empty())
        media.defaultSize = media.sizes.front().id;
    for (const PrinterMediaType& type : info.types) {
        int32_t id = TypeCodeOf(type.driverCode);
        if (!HasId(media.types, id) && media.types.size() < COPIER_MAX_MEDIA_TYPES && !type.name.empty())
            media.types.push_back({id, static_cast<int32_t>(type.driverCode), type.name});
    }
    if (media.types.empty())
        media.types.push_back({kPlainPaper, 0, "Plain Paper"});
    return media;
}
