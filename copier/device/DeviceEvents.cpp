#include "copier/device/DeviceEvents.h"

#include <cstdio>
#include <cstring>

namespace {

// lParam of every event points at the context ID. The text is kept in memory of the
// process that is never freed: a posted message may wait in the dialog's queue after
// the component and even its DLL are gone.
struct ContextText
{
    ContextText* next;
    char text[260];
};
ContextText* g_contexts = nullptr;
SRWLOCK g_contextsLock = SRWLOCK_INIT;

const char* LastingContextText(const std::string& contextId)
{
    AcquireSRWLockExclusive(&g_contextsLock);
    ContextText* node = g_contexts;
    while (node && contextId != node->text)
        node = node->next;
    if (!node) {
        node = static_cast<ContextText*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ContextText)));
        if (node) {
            lstrcpynA(node->text, contextId.c_str(), sizeof(node->text));
            node->next = g_contexts;
            g_contexts = node;
        }
    }
    ReleaseSRWLockExclusive(&g_contextsLock);
    return node ? node->text : nullptr;
}

UINT Register(const char* prefix, const std::string& contextId)
{
    char name[600];
    snprintf(name, sizeof(name), "%s%s", prefix, contextId.c_str());
    return RegisterWindowMessageA(name);
}

}  // namespace

void DeviceEvents::Bind(const std::string& contextId)
{
    m_uPaperInFeeder = Register("Paper_In_ADF_", contextId);
    m_uBusy = Register("Device_s_Busy_", contextId);
    m_uDisconnect = Register("Device_Disconnect_", contextId);
    m_pszContext = LastingContextText(contextId);
}

void DeviceEvents::Post(UINT message, WPARAM wParam) const
{
    HWND window = m_hWindow;
    if (message && window && m_bMonitoring && m_pszContext)
        PostMessageA(window, message, wParam, reinterpret_cast<LPARAM>(m_pszContext));
}
