// The resources reach the three modules that carry them (the test executable, copy2.dll
// and qvkcopy2.exe) whole, and each kind is usable as the program uses it.
#include "common/testlib.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <map>

namespace {

std::string ResName(LPCSTR psz) { return IS_INTRESOURCE(psz) ? std::to_string((UINT_PTR)psz) : std::string(psz); }

// Every resource of a module: "type/name/language" -> bytes.
typedef std::map<std::string, std::string> ResourceMap;
struct Walk
{
    LPCSTR pszOnlyType;         // NULL: every type
    std::vector<LPCSTR> names;  // of pszOnlyType
    ResourceMap found;
};

BOOL CALLBACK OnLanguage(HMODULE hModule, LPCSTR pszType, LPCSTR pszName, WORD wLang, LONG_PTR lParam)
{
    HRSRC hInfo = FindResourceExA(hModule, pszType, pszName, wLang);
    const char* pBytes = static_cast<const char*>(LockResource(LoadResource(hModule, hInfo)));
    reinterpret_cast<Walk*>(lParam)->found[ResName(pszType) + "/" + ResName(pszName) + "/" + std::to_string(wLang)] =
        std::string(pBytes, SizeofResource(hModule, hInfo));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCSTR pszType, LPSTR pszName, LONG_PTR lParam)
{
    Walk* pWalk = reinterpret_cast<Walk*>(lParam);
    if (pWalk->pszOnlyType && IS_INTRESOURCE(pszName))
        pWalk->names.push_back(pszName);
    return EnumResourceLanguagesA(hModule, pszType, pszName, OnLanguage, lParam);
}

BOOL CALLBACK OnType(HMODULE hModule, LPSTR pszType, LONG_PTR lParam)
{
    return EnumResourceNamesA(hModule, pszType, OnName, lParam);
}

ResourceMap AllResources(HMODULE hModule)
{
    Walk walk{NULL, {}, {}};
    EnumResourceTypesA(hModule, OnType, reinterpret_cast<LONG_PTR>(&walk));
    return walk.found;
}

std::vector<LPCSTR> NamesOf(HMODULE hModule, LPCSTR pszType)
{
    Walk walk{pszType, {}, {}};
    EnumResourceNamesA(hModule, pszType, OnName, reinterpret_cast<LONG_PTR>(&walk));
    return walk.names;
}

class Resources : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_hDll = LoadLibraryA(qvtest::BesideExe("copy2.dll").c_str());
        s_hExe = LoadLibraryExA(qvtest::BesideExe("qvkcopy2.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        FreeLibrary(s_hDll);
        FreeLibrary(s_hExe);
    }
    static HMODULE s_hDll, s_hExe;
};
HMODULE Resources::s_hDll, Resources::s_hExe;

INT_PTR CALLBACK NoLogic(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

TEST_F(Resources, LibraryAndProgramCarryTheSameResourcesWithOneManifest)
{
    ASSERT_NE(nullptr, s_hDll);
    ASSERT_NE(nullptr, s_hExe);
    const ResourceMap own = AllResources(GetModuleHandleA(NULL));
    EXPECT_GT(own.size(), 10u);
    EXPECT_TRUE(own == AllResources(s_hDll)) << "copy2.dll differs";
    EXPECT_TRUE(own == AllResources(s_hExe)) << "qvkcopy2.exe differs";
    // A second manifest (the toolchain's own) would make the loader's choice arbitrary.
    int nManifests = 0;
    for (const auto& entry : own)
        nManifests += entry.first.rfind(ResName(RT_MANIFEST) + "/", 0) == 0;
    EXPECT_EQ(1, nManifests);
}

TEST_F(Resources, EveryDialogTemplateMakesItsDialog)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_NE(nullptr, s_hDll);
    std::vector<LPCSTR> dialogs = NamesOf(s_hDll, RT_DIALOG);
    EXPECT_EQ(3u, dialogs.size());
    for (LPCSTR pszName : dialogs) {
        HWND hDlg = CreateDialogParamA(s_hDll, pszName, NULL, NoLogic, 0);
        EXPECT_NE(nullptr, hDlg) << "dialog " << ResName(pszName);
        EXPECT_NE(nullptr, GetWindow(hDlg, GW_CHILD)) << "dialog " << ResName(pszName);
        DestroyWindow(hDlg);
    }
}

TEST_F(Resources, EveryPictureDecodesWithTransparency)
{
    using namespace Gdiplus::DllExports;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, NULL));
    std::vector<LPCSTR> pictures = NamesOf(s_hDll, "PNG");
    EXPECT_FALSE(pictures.empty());
    for (LPCSTR pszName : pictures) {
        SCOPED_TRACE("picture " + ResName(pszName));
        std::string bytes = qvtest::ResourceBytes(s_hDll, (int)(UINT_PTR)pszName, "PNG");
        IStream* pStream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), (UINT)bytes.size());
        ASSERT_NE(nullptr, pStream);
        Gdiplus::GpBitmap* pPicture = NULL;
        EXPECT_EQ(Gdiplus::Ok, GdipCreateBitmapFromStream(pStream, &pPicture));
        Gdiplus::PixelFormat format = 0;
        UINT nWidth = 0;
        GdipGetImagePixelFormat(pPicture, &format);
        GdipGetImageWidth(pPicture, &nWidth);
        EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(format)) << std::hex << format;
        EXPECT_GT(nWidth, 0u);
        GdipDisposeImage(pPicture);
        pStream->Release();
    }
    Gdiplus::GdiplusShutdown(token);
}
