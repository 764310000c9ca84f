// A small WIA property store: each item builds its table of properties as they read now,
// and the storage interface serves reads, attributes and all-or-nothing writes from it.
#pragma once

#include <windows.h>
#include <wia.h>

#include <string>
#include <vector>

struct WiaProp
{
    PROPID id;
    VARTYPE vt;  // VT_I4, VT_BSTR or VT_CLSID
    LONG value;
    std::wstring text;
    GUID guid;
    bool writable;
    std::vector<LONG> valid;  // the values a writable VT_I4 property takes
};

WiaProp ReadOnlyLong(PROPID id, LONG value);
WiaProp ReadOnlyText(PROPID id, const std::wstring& text);
WiaProp ListLong(PROPID id, LONG value, const std::vector<LONG>& valid);
// A format property whose only valid value is its current one.
WiaProp FixedGuid(PROPID id, const GUID& guid);

struct WiaWrite
{
    PROPID id;
    LONG value;
};

// IWiaPropertyStorage over CurrentProperties(); IUnknown comes from the object that serves it.
class CWiaPropertyStorageBase : public IWiaPropertyStorage
{
public:
    STDMETHODIMP ReadMultiple(ULONG cpspec, const PROPSPEC rgpspec[], PROPVARIANT rgpropvar[]) override;
    STDMETHODIMP WriteMultiple(ULONG cpspec, const PROPSPEC rgpspec[], const PROPVARIANT rgpropvar[],
                               PROPID propidNameFirst) override;
    STDMETHODIMP DeleteMultiple(ULONG, const PROPSPEC[]) override { return E_NOTIMPL; }
    STDMETHODIMP ReadPropertyNames(ULONG, const PROPID[], LPOLESTR[]) override { return E_NOTIMPL; }
    STDMETHODIMP WritePropertyNames(ULONG, const PROPID[], const LPOLESTR[]) override { return E_NOTIMPL; }
    STDMETHODIMP DeletePropertyNames(ULONG, const PROPID[]) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP Enum(IEnumSTATPROPSTG**) override { return E_NOTIMPL; }
    STDMETHODIMP SetTimes(const FILETIME*, const FILETIME*, const FILETIME*) override { return E_NOTIMPL; }
    STDMETHODIMP SetClass(REFCLSID) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATPROPSETSTG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyAttributes(ULONG cpspec, PROPSPEC rgpspec[], ULONG rgflags[],
                                       PROPVARIANT rgpropvar[]) override;
    STDMETHODIMP GetCount(ULONG* pulNumProps) override;
    STDMETHODIMP GetPropertyStream(GUID*, IStream**) override { return E_NOTIMPL; }
    STDMETHODIMP SetPropertyStream(GUID*, IStream*) override { return E_NOTIMPL; }

protected:
    virtual ~CWiaPropertyStorageBase() = default;
    // S_OK, or the failure every call gives (an unplugged device).
    virtual HRESULT CheckOnline() = 0;
    virtual std::vector<WiaProp> CurrentProperties() = 0;
    // The writes passed each property's own check; the item checks how they fit together.
    virtual HRESULT ApplyWrites(const std::vector<WiaWrite>& writes) = 0;
};
