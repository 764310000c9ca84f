#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <string>
#include "modules.h"
#include "res/resource.h"

namespace {

using namespace Gdiplus::DllExports;

struct ExpectedPicture
{
    int id;
    UINT width, height;
    bool roundedFace;  // a button face: transparent corners, opaque middle
};

// Header pictures must fit the band (at most 77 pixels, smaller with the small dialog font):
// the left one is drawn 12 pixels down, the right one at the top.
const ExpectedPicture kPictures[] = {
    {IDP_BUTTON_NORMAL, 184, 28, true},    {IDP_COPYBUTTON_NORMAL, 184, 28, true}, {IDP_BUTTON_HOVER, 184, 28, true},
    {IDP_COPYBUTTON_HOVER, 184, 28, true}, {IDP_BUTTON_DISABLED, 184, 28, true},   {IDP_HEADER_LEFT, 48, 48, false},
    {IDP_FOOTER, 132, 24, false},          {IDP_HEADER_RIGHT, 160, 60, false},
};

// Decodes a "PNG" resource from a stream over a copy of its bytes.
Gdiplus::GpBitmap* Decode(HMODULE module, int id, IStream** stream)
{
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    DWORD size = res ? SizeofResource(module, res) : 0;
    HGLOBAL copy = size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    if (!copy)
        return nullptr;
    CopyMemory(GlobalLock(copy), LockResource(LoadResource(module, res)), size);
    GlobalUnlock(copy);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (CreateStreamOnHGlobal(copy, TRUE, stream) != S_OK) {
        GlobalFree(copy);
        return nullptr;
    }
    GdipCreateBitmapFromStream(*stream, &bitmap);
    return bitmap;
}

class Pictures : public PerModule
{
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token_, &input, nullptr));
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(token_); }
    static ULONG_PTR token_;
};
ULONG_PTR Pictures::token_ = 0;

TEST_P(Pictures, PngPicturesDecodeToTheirSizesWithAlpha)
{
    ASSERT_NE(nullptr, Module());
    for (const ExpectedPicture& p : kPictures) {
        SCOPED_TRACE("picture " + std::to_string(p.id));
        IStream* stream = nullptr;
        Gdiplus::GpBitmap* picture = Decode(Module(), p.id, &stream);
        ASSERT_NE(nullptr, picture);
        UINT width = 0, height = 0;
        Gdiplus::PixelFormat format = 0;
        GdipGetImageWidth(picture, &width);
        GdipGetImageHeight(picture, &height);
        GdipGetImagePixelFormat(picture, &format);
        EXPECT_EQ(p.width, width);
        EXPECT_EQ(p.height, height);
        EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(format)) << std::hex << format;
        auto alphaAt = [&](UINT x, UINT y) {
            Gdiplus::ARGB argb = 0;
            GdipBitmapGetPixel(picture, x, y, &argb);
            return argb >> 24;
        };
        if (p.roundedFace) {
            EXPECT_EQ(0u, alphaAt(0, 0));
            EXPECT_EQ(0u, alphaAt(p.width - 1, p.height - 1));
            EXPECT_EQ(255u, alphaAt(p.width / 2, p.height / 2));
        }
        GdipDisposeImage(picture);
        stream->Release();
    }
}

BOOL CALLBACK CountLanguage(HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR counter)
{
    return ++*reinterpret_cast<int*>(counter) > 0;
}

BOOL CALLBACK CountLanguagesOfName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR counter)
{
    return EnumResourceLanguagesA(module, type, name, CountLanguage, counter);
}

// A second manifest (one the toolchain adds, or the same name in another language)
// would make the loader's choice arbitrary.
TEST_P(Pictures, OneManifestOnly)
{
    ASSERT_NE(nullptr, Module());
    int count = 0;
    EnumResourceNamesA(Module(), MAKEINTRESOURCEA(24) /* RT_MANIFEST */, CountLanguagesOfName,
                       reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(1, count);
}

INSTANTIATE_PER_MODULE(Pictures);

}  // namespace
