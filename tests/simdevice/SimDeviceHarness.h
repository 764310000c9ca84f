// Helpers for the simulated-device tests: a private profile folder, the device
// created through COM (the test scripts register it), qvsimctl run as a child
// process, a window that collects the device's events.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/ICopyAPI.h"

namespace simtest {

inline std::string ReadFileText(const std::string& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

struct RunResult
{
    DWORD exitCode;
    std::string output;
};

// qvsimctl.exe <ctxID> <args>, with its standard output captured.
inline RunResult RunCtl(const std::string& ctxID, const std::string& args)
{
    RunResult result = {~0u, ""};
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    char exe[MAX_PATH];
    std::string cmd(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
    cmd = "\"" + cmd.substr(0, cmd.find_last_of('\\')) + "\\qvsimctl.exe\" \"" + ctxID + "\" " + args;
    std::vector<char> line(cmd.c_str(), cmd.c_str() + cmd.size() + 1);
    BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char buf[256];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof(buf), &n, nullptr) && n > 0)
            result.output.append(buf, n);
        WaitForSingleObject(pi.hProcess, 30000);
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return result;
}

// Each test gets an empty profile folder (QVSIM_DIR) and a device for kCtx.
class SimDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_dir = temp + ("qvsim_" + std::to_string(GetCurrentProcessId()) + "_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        SetEnvironmentVariableA("QVSIM_DIR", m_dir.c_str());
    }

    void TearDown() override
    {
        if (m_window)
            DestroyWindow(m_window);
        if (m_device) {
            m_device->Shutdown();
            m_device->Release();
        }
        SetEnvironmentVariableA("QVSIM_DIR", nullptr);
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((m_dir + "\\*.*").c_str(), &found);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found))
            DeleteFileA((m_dir + "\\" + found.cFileName).c_str());
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
        RemoveDirectoryA(m_dir.c_str());
        CoUninitialize();
    }

    HRESULT Bind(const std::string& ctx = kCtx)
    {
        HRESULT hr = m_device ? S_OK
                              : CoCreateInstance(CLSID_CopyAPI, nullptr, CLSCTX_INPROC_SERVER, IID_ICopyAPI,
                                                 reinterpret_cast<void**>(&m_device));
        if (FAILED(hr))
            return hr;
        BSTR protocol = SysAllocString(L"-CtxID");
        BSTR bstrCtx = SysAllocString(std::wstring(ctx.begin(), ctx.end()).c_str());
        hr = m_device->InitProtocol(protocol, bstrCtx);
        SysFreeString(protocol);
        SysFreeString(bstrCtx);
        return hr;
    }

    void WriteProfile(const std::string& text)
    {
        std::ofstream(m_dir + "\\device-SIMTEST1.ini", std::ios::binary | std::ios::trunc) << text;
    }
    std::string Journal() { return ReadFileText(m_dir + "\\journal-SIMTEST1.txt"); }

    LONG DocInADF()
    {
        LONG doc = -1;
        EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
        return doc;
    }

    // A message-only window given to SetNotifyWindow, with monitoring started.
    void Monitor()
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_window);
        m_device->SetNotifyWindow(m_window);
        ASSERT_EQ(S_OK, m_device->StartMonitoring());
    }

    // The next posted event of this kind (a failure after 20 s); every event
    // names our context.
    MSG WaitForEvent(const char* prefix)
    {
        UINT kind = RegisterWindowMessageA((prefix + std::string(kCtx)).c_str());
        MSG m = {};
        for (DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.hwnd == m_window && m.message == kind) {
                    EXPECT_STREQ(kCtx, reinterpret_cast<const char*>(m.lParam)) << prefix;
                    return m;
                }
                DispatchMessageA(&m);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        ADD_FAILURE() << "no " << prefix << " event";
        return MSG{};
    }

    static constexpr const char* kCtx = "#QV#QV Jet 2140#SIMTEST1";
    std::string m_dir;
    ICopyAPI* m_device = nullptr;
    HWND m_window = nullptr;
};

}  // namespace simtest
