// The four registered messages by which the device tells the copy dialog what
// happens, named after the context ID, and what their lParam points at.
#pragma once

#include <windows.h>

#include <string>

enum : WPARAM { kFeederPlaced = 0, kFeederRemoved = 16 };

class DeviceEvents
{
public:
    DeviceEvents() = default;
    // Registers the messages for a context; a name the system refuses (too long) stays 0.
    void Bind(const std::string& contextId);
    void SetWindow(HWND window) { m_hWindow = window; }
    // Events are posted only while monitoring, to the window last set.
    void Monitor(bool on) { m_bMonitoring = on; }

    void FeederChanged(bool present) const { Post(m_uPaperInFeeder, present ? kFeederPlaced : kFeederRemoved); }
    void Busy(bool busy) const { Post(m_uBusy, busy ? 1 : 0); }
    void Disconnected() const { Post(m_uDisconnect, 0); }

private:
    void Post(UINT message, WPARAM wParam) const;

    UINT m_uPaperInFeeder = 0, m_uBusy = 0, m_uDisconnect = 0;
    const char* m_pszContext = nullptr;  // lives as long as the process
    volatile HWND m_hWindow = nullptr;
    volatile bool m_bMonitoring = false;
};
