// The resources reach the three modules that carry them (the test executable, copy2.dll
// and qvkcopy2.exe) whole; the other tests use them from the test executable.
#include "common/testlib.h"

#include <map>

namespace {

std::string ResName(LPCSTR psz) { return IS_INTRESOURCE(psz) ? std::to_string((UINT_PTR)psz) : std::string(psz); }

// Every resource of a module: "type/name/language" -> bytes.
typedef std::map<std::string, std::string> ResourceMap;

BOOL CALLBACK OnLanguage(HMODULE hModule, LPCSTR pszType, LPCSTR pszName, WORD wLang, LONG_PTR lParam)
{
    HRSRC hInfo = FindResourceExA(hModule, pszType, pszName, wLang);
    const char* pBytes = static_cast<const char*>(LockResource(LoadResource(hModule, hInfo)));
    (*reinterpret_cast<ResourceMap*>(lParam))[ResName(pszType) + "/" + ResName(pszName) + "/" + std::to_string(wLang)] =
        std::string(pBytes, SizeofResource(hModule, hInfo));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCSTR pszType, LPSTR pszName, LONG_PTR lParam)
{
    return EnumResourceLanguagesA(hModule, pszType, pszName, OnLanguage, lParam);
}

BOOL CALLBACK OnType(HMODULE hModule, LPSTR pszType, LONG_PTR lParam)
{
    return EnumResourceNamesA(hModule, pszType, OnName, lParam);
}

ResourceMap AllResources(HMODULE hModule)
{
    ResourceMap found;
    EnumResourceTypesA(hModule, OnType, reinterpret_cast<LONG_PTR>(&found));
    return found;
}

}  // namespace

TEST(Resources, LibraryAndProgramCarryTheSameResourcesWithOneManifest)
{
    HMODULE hDll = LoadLibraryExA(qvtest::BesideExe("copy2.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE hExe = LoadLibraryExA(qvtest::BesideExe("qvkcopy2.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hDll && hExe);
    const ResourceMap own = AllResources(GetModuleHandleA(NULL));
    EXPECT_GT(own.size(), 10u);
    EXPECT_TRUE(own == AllResources(hDll)) << "copy2.dll differs";
    EXPECT_TRUE(own == AllResources(hExe)) << "qvkcopy2.exe differs";
    // A second manifest (the toolchain's own) would make the loader's choice arbitrary.
    int nManifests = 0;
    for (const auto& entry : own)
        nManifests += entry.first.rfind(ResName(RT_MANIFEST) + "/", 0) == 0;
    EXPECT_EQ(1, nManifests);
    FreeLibrary(hDll);
    FreeLibrary(hExe);
}
