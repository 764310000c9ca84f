// Object root, run-time classes, exceptions and the module's resource handle.
#pragma once
#include <windows.h>
#include <commctrl.h>

#define afx_msg
#define AFXAPI PASCAL

class CObject;

// Enough of a run-time class to create objects by class (AfxBeginThread).
struct CRuntimeClass
{
    CObject*(PASCAL* m_pfnCreateObject)();
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNCREATE(class_name)                                                                                  \
public:                                                                                                                \
    static CRuntimeClass class##class_name;                                                                            \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                                              \
    CRuntimeClass class_name::class##class_name = {class_name::CreateObject};

class CObject
{
public:
    virtual ~CObject() {}

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Exceptions are thrown as pointers (throw new ...) and caught as
// catch (CException* e) { ...; e->Delete(); }.
class CException : public CObject
{
public:
    void Delete() { delete this; }
    // The base kind has no text: an empty one, FALSE.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
};

// The module whose dialogs, strings, icons and pictures are used; the
// executable itself until AfxSetResourceHandle names another (copy2.dll).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxGetInstanceHandle();
