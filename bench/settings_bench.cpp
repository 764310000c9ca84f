// Speed of reading and writing a full settings file: GetSettings and
// SaveSettings of CRKCopyState on the embedded default document, each timed
// over many runs; the median is the figure.
#include "bench/Measure.h"
#include "records/RKCopyState.h"
#include "settings/SettingsFiles.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>


namespace {

bool WriteDefaultDocument(const std::string& path)
{
    HRSRC hInfo = FindResourceA(NULL, MAKEINTRESOURCEA(152), "XML");
    HGLOBAL hData = hInfo ? LoadResource(NULL, hInfo) : NULL;
    const void* pBytes = hData ? LockResource(hData) : NULL;
    if (!pBytes)
        return false;
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    size_t nSize = SizeofResource(NULL, hInfo);
    bool bOk = fwrite(pBytes, 1, nSize, pFile) == nSize;
    return fclose(pFile) == 0 && bOk;
}

template <typename Operation>
bool Measure(const char* pszName, int nRuns, Operation operation)
{
    std::vector<double> times;
    for (int i = 0; i < nRuns; ++i) {
        double from = NowMs();
        bool bOk = operation();
        double to = NowMs();
        if (!bOk) {
            printf("%s failed on run %d\n", pszName, i);
            return false;
        }
        times.push_back(to - from);
    }
    std::sort(times.begin(), times.end());
    printf("%-12s median %.2f ms  (min %.2f, 90%% %.2f, max %.2f) over %d runs\n", pszName, times[times.size() / 2],
           times.front(), times[times.size() * 9 / 10], times.back(), nRuns);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int nRuns = argc > 1 ? atoi(argv[1]) : 200;
    if (nRuns < 1)
        nRuns = 200;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    // The names the copy dialog would form for a device "BENCH".
    lstrcpynA(g_szDefaultFileName, "DBENCH.xml", MAX_PATH);
    lstrcpynA(g_szFactoryFileName, "FBENCH.xml", MAX_PATH);

    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    std::string folder = std::string(szTemp) + "qvsettings_bench";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string path = folder + "\\" + g_szDefaultFileName;
    if (!WriteDefaultDocument(path)) {
        printf("could not write %s\n", path.c_str());
        return 1;
    }

    CRKCopyState state;
    state.SaveSettings(path.c_str());
    bool bOk = Measure("GetSettings", nRuns, [&] { return state.GetSettings(path.c_str()) == 1; }) &&
               Measure("SaveSettings", nRuns, [&] { return state.SaveSettings(path.c_str()) == 1; });

    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    CoUninitialize();
    return bOk ? 0 : 1;
}
