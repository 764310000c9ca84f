// Framework internals shared by its sources; not part of the API.
#pragma once
#include "framework/afxwin.h"

#include <unordered_map>

// Wrappers for handles no object owns, one map per kind and thread. A wrapper lives until its thread ends; those whose
// handle died are dropped when the map grows. Take(p, h) gives a new wrapper its
// handle; Take(p, NULL) takes it back before the wrapper is deleted.
template <class T, class H>
class AfxTempMap
{
public:
    typedef BOOL (*IsAlive)(H);
    typedef void (*Take)(T*, H);
    AfxTempMap(IsAlive pfnAlive, Take pfnTake) : m_pfnAlive(pfnAlive), m_pfnTake(pfnTake) {}
    ~AfxTempMap()
    {
        for (auto& entry : m_map)
            Drop(entry.second);
    }
    T* FromHandle(H h)
    {
        if (!h)
            return NULL;
        auto it = m_map.find(h);
        if (it != m_map.end())
            return it->second;
        if (m_map.size() >= 64)
            Prune();
        T* p = new T;
        m_pfnTake(p, h);
        m_map[h] = p;
        return p;
    }

private:
    void Drop(T* p)
    {
        m_pfnTake(p, NULL);
        delete p;
    }
    void Prune()
    {
        for (auto it = m_map.begin(); it != m_map.end();) {
            if (m_pfnAlive(it->first)) {
                ++it;
            } else {
                Drop(it->second);
                it = m_map.erase(it);
            }
        }
    }
    std::unordered_map<H, T*> m_map;
    IsAlive m_pfnAlive;
    Take m_pfnTake;
};

// Every FromHandle: the calling thread's wrapper for the handle. The map is made on
// the thread's first call, so a thread that never asks pays nothing.
template <class T, class H>
T* AfxTempFromHandle(H h, typename AfxTempMap<T, H>::IsAlive pfnAlive, typename AfxTempMap<T, H>::Take pfnTake)
{
    thread_local AfxTempMap<T, H> t_map(pfnAlive, pfnTake);
    return t_map.FromHandle(h);
}

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
CWinThread* AfxGetThread();

// Common controls are registered once, before the first window is made.
void AfxInitCommonControls();
