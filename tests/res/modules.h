// The modules that carry the program's resources: the test executable itself, and the
// resource library and the program found beside it. Every resource test runs once per module.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

inline HMODULE ResourceModule(const std::string& name)
{
    static auto beside = [](const char* file) {
        char path[MAX_PATH] = "";
        std::string folder(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
    };
    // Loaded once for the life of the process; the program can only be mapped as data.
    static const HMODULE dll = LoadLibraryA(beside("copy2.dll").c_str());
    static const HMODULE exe = LoadLibraryExA(beside("qvkcopy2.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return name == "TestExe" ? GetModuleHandleA(nullptr) : name == "Copy2Dll" ? dll : exe;
}

class PerModule : public testing::TestWithParam<const char*>
{
protected:
    HMODULE Module() const { return ResourceModule(GetParam()); }
};

#define INSTANTIATE_PER_MODULE(suite)                                                                                  \
    INSTANTIATE_TEST_SUITE_P(Modules, suite, testing::Values("TestExe", "Copy2Dll", "ProgramExe"),                     \
                             [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); })
