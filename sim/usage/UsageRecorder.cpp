// Stand-in usage recorder: the Vela object and its usage storage. Each record is appended
// as one line to usage.log in the stand-ins' folder. usage.ini, section [Recorder], can make
// a call fail: FailSetInstance=1, FailStorage=1, FailRecord=1.
#include "sim/simcom.h"
#include "device/IUsageRecorder.h"

#include <stdlib.h>

namespace {
const char kLogFile[] = "usage.log";

bool Fails(const char* pszKey)
{
    std::string value;
    return SimIniValue(SimIniPath("usage.ini"), "Recorder", pszKey, &value) && atoi(value.c_str()) != 0;
}

void AppendLine(const std::string& line)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    char szTime[32];
    snprintf(szTime, sizeof(szTime), "%04u-%02u-%02u %02u:%02u:%02u ", st.wYear, st.wMonth, st.wDay, st.wHour,
             st.wMinute, st.wSecond);
    SimAppendLine(kLogFile, szTime + line);
}

class CUsageStorage : public CSimObject<IUsageStorage>
{
public:
    explicit CUsageStorage(const std::string& instance) : CSimObject(IID_IUsageStorage), m_instance(instance) {}

    STDMETHODIMP Record(LONG nEventID, BSTR bstrEventName, LONG nCount, LONG nFlags) override
    {
        if (Fails("FailRecord"))
            return E_FAIL;
        char szLine[512];
        snprintf(szLine, sizeof(szLine), "%s event %ld %s count %ld flags %ld", m_instance.c_str(), (long)nEventID,
                 NarrowOf(bstrEventName).c_str(), (long)nCount, (long)nFlags);
        AppendLine(szLine);
        return S_OK;
    }

private:
    std::string m_instance;
};

class CVela : public CSimObject<IVela>
{
public:
    CVela() : CSimObject(IID_IVela) {}

    STDMETHODIMP SetInstance(BSTR bstrVendor, BSTR bstrInstance, LONG) override
    {
        if (Fails("FailSetInstance") || !bstrVendor || !bstrInstance)
            return E_FAIL;
        m_instance = NarrowOf(bstrInstance);
        return S_OK;
    }
    STDMETHODIMP GetUsageStorage(BSTR, LONG, IUsageStorage** ppStorage) override
    {
        if (!ppStorage)
            return E_POINTER;
        *ppStorage = NULL;
        if (m_instance.empty() || Fails("FailStorage"))
            return E_FAIL;
        *ppStorage = new (std::nothrow) CUsageStorage(m_instance);
        return *ppStorage ? S_OK : E_OUTOFMEMORY;
    }

private:
    std::string m_instance;
};

CSimClassFactory<CVela> g_factory;
}  // namespace

const SimServer g_simServer = {CLSID_Vela, "QV simulated usage recorder", g_factory};
