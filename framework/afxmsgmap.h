// Message maps: plain tables of entries (message, code, id range, signature
// kind, handler) walked from the most derived class to its bases.
#pragma once
#include "framework/afxcore.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)(void);

// WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC are all looked up under this number;
// the handler gets the CTLCOLOR_* kind.
#define AFX_WM_CTLCOLOR 0x0019

// How a handler is called; the names follow the handler's parameters.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_bD,        // BOOL (CDC*)
    AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_vt,        // void (UINT_PTR)
    AfxSig_vwl,       // void (UINT, LPARAM)
    AfxSig_vwp,       // void (UINT, CPoint)
    AfxSig_vOWNER,    // void (int, LPDRAWITEMSTRUCT)
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)
    AfxSig_uwl,       // UINT (UINT, LPARAM)
    AfxSig_hv,        // HCURSOR ()
    AfxSig_vwLP,      // void (WPARAM, LPARAM) of a thread message
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;  // notification code of WM_COMMAND / WM_NOTIFY
    UINT nID;    // control ID range of WM_COMMAND / WM_NOTIFY
    UINT nLastID;
    UINT nSig;              // AfxSig
    const UINT* pnMessage;  // registered message: its number is read at dispatch time
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Finds the first entry for the message in pMap and its base maps.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);

class CCmdTarget : public CObject
{
public:
    CCmdTarget() {}

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CWnd;
    friend class CWinThread;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                               \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"") const AFX_MSGMAP*        \
    theClass::GetMessageMap() const                                                                                    \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                             \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr, nullptr                                                                       \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }                                                                                                                  \
    _Pragma("GCC diagnostic pop")

// A handler of the given signature, stored as AFX_PMSG; the dispatcher casts
// it back to the same type before calling it.
#define AFX_PMSG_OF(signature, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<signature>(memberFxn))

#define AFX_WM_ENTRY(msg, sig, signature, fxn) {msg, 0, 0, 0, sig, nullptr, AFX_PMSG_OF(signature, &ThisClass::fxn)},

#define ON_WM_PAINT()      AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void (CCmdTarget::*)(), OnPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CCmdTarget::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_WM_ENTRY(AFX_WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DESTROY()     AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void (CCmdTarget::*)(), OnDestroy)
#define ON_WM_CLOSE()       AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, void (CCmdTarget::*)(), OnClose)
#define ON_WM_TIMER()       AFX_WM_ENTRY(WM_TIMER, AfxSig_vt, void (CCmdTarget::*)(UINT_PTR), OnTimer)
#define ON_WM_SYSCOMMAND()  AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CCmdTarget::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_MOUSEMOVE()   AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()   AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_RBUTTONUP()   AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEHOVER()  AFX_WM_ENTRY(WM_MOUSEHOVER, AfxSig_vwp, void (CCmdTarget::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSELEAVE()  AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void (CCmdTarget::*)(), OnMouseLeave)
#define ON_WM_DRAWITEM()                                                                                               \
    AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_vOWNER, void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_POWERBROADCAST()                                                                                         \
    AFX_WM_ENTRY(WM_POWERBROADCAST, AfxSig_uwl, UINT (CCmdTarget::*)(UINT, LPARAM), OnPowerBroadcast)
#define ON_WM_QUERYDRAGICON() AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CCmdTarget::*)(), OnQueryDragIcon)

// The handler is named as a member pointer: ON_MESSAGE(WM_X, &CMyDlg::OnX).
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    {message, 0, 0, 0, AfxSig_lwl, nullptr, AFX_PMSG_OF(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    {0, 0, 0, 0, AfxSig_lwl, &(nMessageVariable), AFX_PMSG_OF(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},

#define ON_COMMAND(id, memberFxn)                                                                                      \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_vv, nullptr, static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vv, nullptr, static_cast<AFX_PMSG>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn)    ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)     ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    {WM_NOTIFY,                                                                                                        \
     (UINT)(wNotifyCode),                                                                                              \
     (UINT)(id),                                                                                                       \
     (UINT)(id),                                                                                                       \
     AfxSig_vNMHDRpl,                                                                                                  \
     nullptr,                                                                                                          \
     AFX_PMSG_OF(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

#define ON_THREAD_MESSAGE(message, memberFxn)                                                                          \
    {message, 0, 0, 0, AfxSig_vwLP, nullptr, AFX_PMSG_OF(void(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                                                      \
    {0, 0, 0, 0, AfxSig_vwLP, &(nMessageVariable), AFX_PMSG_OF(void(CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
