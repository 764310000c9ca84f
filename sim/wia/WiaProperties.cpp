#include "sim/wia/WiaProperties.h"

#include <wiadef.h>

#include <algorithm>
#include <string.h>

WiaProp ReadOnlyLong(PROPID id, LONG value) { return {id, VT_I4, value, L"", GUID_NULL, false, {}}; }
WiaProp ReadOnlyText(PROPID id, const std::wstring& text) { return {id, VT_BSTR, 0, text, GUID_NULL, false, {}}; }
WiaProp ListLong(PROPID id, LONG value, const std::vector<LONG>& valid)
{
    return {id, VT_I4, value, L"", GUID_NULL, true, valid};
}
WiaProp FixedGuid(PROPID id, const GUID& guid) { return {id, VT_CLSID, 0, L"", guid, true, {}}; }

namespace {
const WiaProp* FindProp(const std::vector<WiaProp>& props, const PROPSPEC& spec)
{
    if (spec.ulKind != PRSPEC_PROPID)
        return NULL;
    for (const WiaProp& prop : props)
        if (prop.id == spec.propid)
            return &prop;
    return NULL;
}

HRESULT GuidVariant(const GUID& guid, PROPVARIANT* pv)
{
    pv->puuid = static_cast<CLSID*>(CoTaskMemAlloc(sizeof(CLSID)));
    if (!pv->puuid)
        return E_OUTOFMEMORY;
    *pv->puuid = guid;
    pv->vt = VT_CLSID;
    return S_OK;
}

HRESULT ValueVariant(const WiaProp& prop, PROPVARIANT* pv)
{
    switch (prop.vt)
    {
    case VT_BSTR:
        pv->bstrVal = SysAllocString(prop.text.c_str());
        if (!pv->bstrVal)
            return E_OUTOFMEMORY;
        pv->vt = VT_BSTR;
        return S_OK;
    case VT_CLSID:
        return GuidVariant(prop.guid, pv);
    default:
        pv->vt = VT_I4;
        pv->lVal = prop.value;
        return S_OK;
    }
}

// The valid values in the list layout: count, nominal, then the values. A format list
// holds GUIDs, so its count rides in the first GUID's Data1.
HRESULT ListVariant(const WiaProp& prop, PROPVARIANT* pv)
{
    if (prop.vt == VT_CLSID)
    {
        CLSID* pElems = static_cast<CLSID*>(CoTaskMemAlloc(3 * sizeof(CLSID)));
        if (!pElems)
            return E_OUTOFMEMORY;
        pElems[WIA_LIST_COUNT] = GUID_NULL;
        pElems[WIA_LIST_COUNT].Data1 = 1;
        pElems[WIA_LIST_NOM] = prop.guid;
        pElems[WIA_LIST_VALUES] = prop.guid;
        pv->vt = VT_VECTOR | VT_CLSID;
        pv->cauuid.cElems = 3;
        pv->cauuid.pElems = pElems;
        return S_OK;
    }
    ULONG cElems = (ULONG)prop.valid.size() + WIA_LIST_NUM_ELEMS;
    LONG* pElems = static_cast<LONG*>(CoTaskMemAlloc(cElems * sizeof(LONG)));
    if (!pElems)
        return E_OUTOFMEMORY;
    pElems[WIA_LIST_COUNT] = (LONG)prop.valid.size();
    pElems[WIA_LIST_NOM] = prop.value;
    std::copy(prop.valid.begin(), prop.valid.end(), pElems + WIA_LIST_VALUES);
    pv->vt = VT_VECTOR | VT_I4;
    pv->cal.cElems = cElems;
    pv->cal.pElems = pElems;
    return S_OK;
}

bool LongOf(const PROPVARIANT& pv, LONG* pValue)
{
    switch (pv.vt)
    {
    case VT_I4:
    case VT_INT:
        *pValue = pv.lVal;
        return true;
    case VT_UI4:
    case VT_UINT:
        *pValue = (LONG)pv.ulVal;
        return true;
    case VT_I2:
        *pValue = pv.iVal;
        return true;
    case VT_UI2:
        *pValue = pv.uiVal;
        return true;
    default:
        return false;
    }
}

// One write checked against the property alone: it exists, is writable and takes the value.
HRESULT CheckWrite(const WiaProp* pProp, const PROPVARIANT& pv, WiaWrite* pWrite)
{
    if (!pProp)
        return E_INVALIDARG;
    if (!pProp->writable)
        return E_ACCESSDENIED;
    pWrite->id = pProp->id;
    if (pProp->vt == VT_CLSID)
    {
        bool same = pv.vt == VT_CLSID && pv.puuid && IsEqualGUID(*pv.puuid, pProp->guid);
        pWrite->value = 0;
        return same ? S_OK : E_INVALIDARG;
    }
    if (!LongOf(pv, &pWrite->value))
        return E_INVALIDARG;
    bool listed = std::find(pProp->valid.begin(), pProp->valid.end(), pWrite->value) != pProp->valid.end();
    return listed ? S_OK : E_INVALIDARG;
}
}  // namespace

STDMETHODIMP CWiaPropertyStorageBase::ReadMultiple(ULONG cpspec, const PROPSPEC rgpspec[], PROPVARIANT rgpropvar[])
{
    if (cpspec && (!rgpspec || !rgpropvar))
        return E_INVALIDARG;
    for (ULONG i = 0; i < cpspec; ++i)
        PropVariantInit(&rgpropvar[i]);
    HRESULT hr = CheckOnline();
    if (FAILED(hr))
        return hr;
    std::vector<WiaProp> props = CurrentProperties();
    bool allFound = true;
    for (ULONG i = 0; i < cpspec && SUCCEEDED(hr); ++i)
    {
        const WiaProp* pProp = FindProp(props, rgpspec[i]);
        allFound = allFound && pProp;
        if (pProp)
            hr = ValueVariant(*pProp, &rgpropvar[i]);
    }
    if (FAILED(hr))
    {
        FreePropVariantArray(cpspec, rgpropvar);
        return hr;
    }
    return allFound ? S_OK : S_FALSE;
}

STDMETHODIMP CWiaPropertyStorageBase::WriteMultiple(ULONG cpspec, const PROPSPEC rgpspec[],
                                                    const PROPVARIANT rgpropvar[], PROPID)
{
    if (cpspec && (!rgpspec || !rgpropvar))
        return E_INVALIDARG;
    HRESULT hr = CheckOnline();
    if (FAILED(hr))
        return hr;
    std::vector<WiaProp> props = CurrentProperties();
    std::vector<WiaWrite> writes(cpspec);
    for (ULONG i = 0; i < cpspec; ++i)
    {
        hr = CheckWrite(FindProp(props, rgpspec[i]), rgpropvar[i], &writes[i]);
        if (FAILED(hr))
            return hr;
    }
    return ApplyWrites(writes);
}

STDMETHODIMP CWiaPropertyStorageBase::GetPropertyAttributes(ULONG cpspec, PROPSPEC rgpspec[], ULONG rgflags[],
                                                            PROPVARIANT rgpropvar[])
{
    if (cpspec && (!rgpspec || !rgflags || !rgpropvar))
        return E_INVALIDARG;
    for (ULONG i = 0; i < cpspec; ++i)
    {
        PropVariantInit(&rgpropvar[i]);
        rgflags[i] = 0;
    }
    HRESULT hr = CheckOnline();
    if (FAILED(hr))
        return hr;
    std::vector<WiaProp> props = CurrentProperties();
    for (ULONG i = 0; i < cpspec && SUCCEEDED(hr); ++i)
    {
        const WiaProp* pProp = FindProp(props, rgpspec[i]);
        if (!pProp)
            hr = E_INVALIDARG;
        else if (!pProp->writable)
            rgflags[i] = WIA_PROP_READ | WIA_PROP_NONE;
        else
        {
            rgflags[i] = WIA_PROP_RW | WIA_PROP_LIST;
            hr = ListVariant(*pProp, &rgpropvar[i]);
        }
    }
    if (FAILED(hr))
        FreePropVariantArray(cpspec, rgpropvar);
    return hr;
}

STDMETHODIMP CWiaPropertyStorageBase::GetCount(ULONG* pulNumProps)
{
    if (!pulNumProps)
        return E_POINTER;
    *pulNumProps = 0;
    HRESULT hr = CheckOnline();
    if (FAILED(hr))
        return hr;
    *pulNumProps = (ULONG)CurrentProperties().size();
    return S_OK;
}
