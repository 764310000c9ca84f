// Helpers for the simulated-device tests: a private profile folder, the device
// created through COM, qvsimctl run as a child process, a window that collects
// the device's events.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/ICopyAPI.h"

namespace simtest
{

inline std::string BinDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

inline HMODULE SimModule()
{
    static HMODULE module = LoadLibraryA((BinDir() + "\\qvsim_device.dll").c_str());
    return module;
}

template <class F> F SimExport(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(SimModule(), name)));
}

inline HRESULT RegisterSim()
{
    auto reg = SimExport<HRESULT(STDAPICALLTYPE*)()>("DllRegisterServer");
    return reg ? reg() : E_FAIL;
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
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + BinDir() + "\\qvsimctl.exe\" \"" + ctxID + "\" " + args;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started)
    {
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

inline std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline void RemoveFolder(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((dir + "\\" + found.cFileName).c_str());
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

struct Event
{
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Each test gets an empty profile folder (QVSIM_DIR) and a device bound to ctxID.
class SimDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_NE(nullptr, SimModule()) << "qvsim_device.dll beside the test";
        ASSERT_EQ(S_OK, RegisterSim());
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::string(temp) + "qvsim_" + std::to_string(GetCurrentProcessId()) + "_" + info->name();
        CreateDirectoryA(m_dir.c_str(), nullptr);
        DeleteFileA((m_dir + "\\journal-" + kDeviceID + ".txt").c_str());
        DeleteFileA((m_dir + "\\device-" + kDeviceID + ".ini").c_str());
        SetEnvironmentVariableA("QVSIM_DIR", m_dir.c_str());
        m_ctx = std::string("#QV#QV Jet 2140#") + kDeviceID;
    }

    void TearDown() override
    {
        if (m_window)
            DestroyWindow(m_window);
        if (m_device)
        {
            m_device->Shutdown();
            m_device->Release();
        }
        SetEnvironmentVariableA("QVSIM_DIR", nullptr);
        RemoveFolder(m_dir);
        CoUninitialize();
    }

    ICopyAPI* Create()
    {
        ICopyAPI* device = nullptr;
        HRESULT hr = CoCreateInstance(CLSID_CopyAPI, nullptr, CLSCTX_INPROC_SERVER, IID_ICopyAPI,
                                      reinterpret_cast<void**>(&device));
        EXPECT_EQ(S_OK, hr);
        return device;
    }

    HRESULT Bind(const std::string& ctx)
    {
        if (!m_device)
            m_device = Create();
        if (!m_device)
            return E_FAIL;
        BSTR protocol = SysAllocString(L"-CtxID");
        std::wstring wide(ctx.begin(), ctx.end());
        BSTR bstrCtx = SysAllocString(wide.c_str());
        HRESULT hr = m_device->InitProtocol(protocol, bstrCtx);
        SysFreeString(protocol);
        SysFreeString(bstrCtx);
        return hr;
    }
    HRESULT Bind() { return Bind(m_ctx); }

    void WriteProfile(const std::string& text)
    {
        WriteFileText(m_dir + "\\device-" + kDeviceID + ".ini", text);
    }

    std::string Journal() { return ReadFileText(m_dir + "\\journal-" + kDeviceID + ".txt"); }

    // A hidden window given to SetNotifyWindow, with monitoring started.
    void Monitor()
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_window);
        m_device->SetNotifyWindow(m_window);
        ASSERT_EQ(S_OK, m_device->StartMonitoring());
    }

    UINT EventMessage(const char* prefix) { return RegisterWindowMessageA((prefix + m_ctx).c_str()); }

    // Pumps the thread's queue until the message arrives (false after 20 s).
    bool WaitForEvent(UINT msg, Event& event)
    {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 20000)
        {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            {
                if (m.hwnd == m_window && m.message == msg)
                {
                    event = {m.message, m.wParam, m.lParam};
                    return true;
                }
                DispatchMessageA(&m);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return false;
    }

    // Everything already posted, without waiting.
    std::vector<Event> PendingEvents()
    {
        std::vector<Event> events;
        MSG m;
        while (PeekMessageA(&m, m_window, 0, 0, PM_REMOVE))
            events.push_back({m.message, m.wParam, m.lParam});
        return events;
    }

    static constexpr const char* kDeviceID = "SIMTEST1";
    std::string m_dir;
    std::string m_ctx;
    ICopyAPI* m_device = nullptr;
    HWND m_window = nullptr;
};

} // namespace simtest
