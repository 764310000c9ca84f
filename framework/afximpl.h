// Framework internals shared by its sources; not part of the API.
#pragma once
#include "framework/afxwin.h"

#include <unordered_map>

// Wrappers handed out by FromHandle for handles no object owns. They live
// until their thread ends; entries whose handle died are dropped when the
// map grows.
template <class T, class H>
class AfxTempMap
{
public:
    typedef BOOL (*IsAlive)(H);
    typedef void (*Release)(T*);
    AfxTempMap(IsAlive pfnAlive, Release pfnRelease) : m_pfnAlive(pfnAlive), m_pfnRelease(pfnRelease) {}
    ~AfxTempMap()
    {
        for (auto& entry : m_map)
            m_pfnRelease(entry.second);
    }
    T* Lookup(H h)
    {
        auto it = m_map.find(h);
        return it == m_map.end() ? nullptr : it->second;
    }
    void Add(H h, T* p)
    {
        if (m_map.size() >= 64)
            Prune();
        m_map[h] = p;
    }

private:
    void Prune()
    {
        for (auto it = m_map.begin(); it != m_map.end();) {
            if (m_pfnAlive(it->first)) {
                ++it;
            } else {
                m_pfnRelease(it->second);
                it = m_map.erase(it);
            }
        }
    }
    std::unordered_map<H, T*> m_map;
    IsAlive m_pfnAlive;
    Release m_pfnRelease;
};

// The message being processed on this thread, for CWnd::Default.
struct AfxCurrentMsg
{
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
extern thread_local AfxCurrentMsg t_afxCurrentMsg;

// Binds the next window this thread creates to pWnd as soon as it exists,
// before its first message. Calls nest.
void AfxHookWindowCreate(CWnd* pWnd);
void AfxUnhookWindowCreate();

// The WH_MSGFILTER hook that routes modal-loop messages to
// CWinThread::ProcessMessageFilter; counted per thread.
void AfxHookMsgFilter();
void AfxUnhookMsgFilter();

// The current thread's pre-translation of a message (PreTranslateMessage of
// its framework thread, or of the windows it concerns).
BOOL AfxPreTranslateMessage(MSG* pMsg);

void AfxSetCurrentThread(CWinThread* pThread);
