// The three modules that carry the program's resources: the test executable itself,
// the resource library and the program, both found beside the test executable.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ResourceModule {
    const char* name;
    HMODULE handle;
};

inline std::string ModuleBesideTest(const char* fileName) {
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    size_t slash = folder.find_last_of("\\/");
    folder.resize(slash == std::string::npos ? 0 : slash + 1);
    return folder + fileName;
}

// Loaded once, kept for the life of the process. The program's executable can only be
// mapped as data; the library is loaded the way the program loads it.
inline const std::vector<ResourceModule>& ResourceModules() {
    static const std::vector<ResourceModule> modules = {
        {"TestExe", GetModuleHandleA(nullptr)},
        {"Copy2Dll", LoadLibraryA(ModuleBesideTest("copy2.dll").c_str())},
        {"ProgramExe", LoadLibraryExA(ModuleBesideTest("qvkcopy2.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE)},
    };
    return modules;
}

inline std::vector<const char*> ResourceModuleNames() {
    return {"TestExe", "Copy2Dll", "ProgramExe"};
}

inline HMODULE ResourceModuleNamed(const std::string& name) {
    for (const ResourceModule& m : ResourceModules())
        if (name == m.name) return m.handle;
    return nullptr;
}
