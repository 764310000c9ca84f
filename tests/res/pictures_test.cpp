#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <string>
#include "modules.h"
#include "res/resource.h"

namespace {

using namespace Gdiplus::DllExports;

struct ExpectedPicture {
    int id;
    UINT width, height;
    bool roundedFace;   // a button face: transparent corners, opaque middle
};

// Header pictures must fit the band (at most 77 pixels, smaller with the small dialog font):
// the left one is drawn 12 pixels down, the right one at the top.
const ExpectedPicture kPictures[] = {
    {IDP_BUTTON_NORMAL, 184, 28, true},
    {IDP_COPYBUTTON_NORMAL, 184, 28, true},
    {IDP_BUTTON_HOVER, 184, 28, true},
    {IDP_COPYBUTTON_HOVER, 184, 28, true},
    {IDP_BUTTON_DISABLED, 184, 28, true},
    {IDP_HEADER_LEFT, 48, 48, false},
    {IDP_FOOTER, 132, 24, false},
    {IDP_HEADER_RIGHT, 160, 60, false},
};

// A picture decoded from a "PNG" resource; the stream is released once decoding is done.
class DecodedPicture {
public:
    DecodedPicture(HMODULE module, int id) {
        HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
        if (!res) return;
        DWORD size = SizeofResource(module, res);
        const void* bytes = LockResource(LoadResource(module, res));
        if (!size || !bytes) return;
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!copy) return;
        CopyMemory(GlobalLock(copy), bytes, size);
        GlobalUnlock(copy);
        IStream* stream = nullptr;
        if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK) {
            GlobalFree(copy);
            return;
        }
        Gdiplus::GpBitmap* decoded = nullptr;
        if (GdipCreateBitmapFromStream(stream, &decoded) == Gdiplus::Ok) {
            // A clone holds its own pixels, independent of the stream.
            UINT w = 0, h = 0;
            GdipGetImageWidth(decoded, &w);
            GdipGetImageHeight(decoded, &h);
            GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppARGB,
                                 decoded, &bitmap_);
            GdipGetImagePixelFormat(decoded, &sourceFormat_);
            GdipDisposeImage(decoded);
        }
        stream->Release();
    }
    ~DecodedPicture() { if (bitmap_) GdipDisposeImage(bitmap_); }
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;

    bool ok() const { return bitmap_ != nullptr; }
    UINT width() const { UINT w = 0; GdipGetImageWidth(bitmap_, &w); return w; }
    UINT height() const { UINT h = 0; GdipGetImageHeight(bitmap_, &h); return h; }
    Gdiplus::PixelFormat sourceFormat() const { return sourceFormat_; }
    BYTE alphaAt(INT x, INT y) const {
        Gdiplus::ARGB argb = 0;
        GdipBitmapGetPixel(bitmap_, x, y, &argb);
        return static_cast<BYTE>(argb >> 24);
    }

private:
    Gdiplus::GpBitmap* bitmap_ = nullptr;
    Gdiplus::PixelFormat sourceFormat_ = 0;
};

class Pictures : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token_, &input, nullptr));
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(token_); }
    HMODULE Module() const {
        HMODULE m = ResourceModuleNamed(GetParam());
        EXPECT_NE(nullptr, m) << GetParam() << " not found beside the test";
        return m;
    }
    static ULONG_PTR token_;
};
ULONG_PTR Pictures::token_ = 0;

TEST_P(Pictures, PngPicturesDecodeToTheirSizesWithAlpha) {
    HMODULE module = Module();
    ASSERT_NE(nullptr, module);
    for (const ExpectedPicture& p : kPictures) {
        SCOPED_TRACE("picture " + std::to_string(p.id));
        DecodedPicture picture(module, p.id);
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(p.width, picture.width());
        EXPECT_EQ(p.height, picture.height());
        EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(picture.sourceFormat())) << std::hex << picture.sourceFormat();
        if (p.roundedFace) {
            EXPECT_EQ(0, picture.alphaAt(0, 0));
            EXPECT_EQ(0, picture.alphaAt(p.width - 1, p.height - 1));
            EXPECT_EQ(255, picture.alphaAt(p.width / 2, p.height / 2));
        }
    }
}

TEST_P(Pictures, IconsCarryTheUsualSizes) {
    HMODULE module = Module();
    ASSERT_NE(nullptr, module);
    for (int id : {IDI_APP, IDI_STATUS}) {
        for (int size : {16, 32, 48}) {
            HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(nullptr, icon) << "icon " << id << " at " << size;
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bm = {};
            GetObjectA(info.hbmColor, sizeof bm, &bm);
            EXPECT_EQ(size, bm.bmWidth) << "icon " << id;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST_P(Pictures, ContrastBitmapsMatch) {
    HMODULE module = Module();
    ASSERT_NE(nullptr, module);
    HBITMAP lighter = LoadBitmapA(module, "LIGHTU");
    HBITMAP darker = LoadBitmapA(module, "DARKU");
    ASSERT_TRUE(lighter && darker);
    BITMAP l = {}, d = {};
    GetObjectA(lighter, sizeof l, &l);
    GetObjectA(darker, sizeof d, &d);
    EXPECT_EQ(l.bmWidth, d.bmWidth);
    EXPECT_EQ(l.bmHeight, d.bmHeight);
    DeleteObject(lighter);
    DeleteObject(darker);
}

BOOL CALLBACK CountLanguage(HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK CountLanguagesOfName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR counter) {
    EnumResourceLanguagesA(module, type, name, CountLanguage, counter);
    return TRUE;
}

// A second manifest (one the toolchain adds, or the same name in another language)
// would make the loader's choice arbitrary.
TEST_P(Pictures, OneManifestOnly) {
    HMODULE module = Module();
    ASSERT_NE(nullptr, module);
    int count = 0;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(24) /* RT_MANIFEST */, CountLanguagesOfName,
                       reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(1, count);
}

INSTANTIATE_TEST_SUITE_P(Modules, Pictures, testing::ValuesIn(ResourceModuleNames()),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
