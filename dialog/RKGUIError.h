// The last failure of the copy dialog as an error index, and the two fixed
// tables that turn a device status into an index and an index into a message.
#pragma once

#include <windows.h>

namespace replika {

enum {
    ERRIDX_NONE = 0,
    ERRIDX_DEVICE_BUSY = 2,
    ERRIDX_NOT_RESPONDING = 13,  // the application ends after its message
    ERRIDX_GENERAL = 21,
    ERRIDX_INK_EMPTY = 25,  // its message; status 0xF9E6 maps to ERRIDX_INK_CARTRIDGE_EMPTY
    ERRIDX_INK_CARTRIDGE_EMPTY = 26
};

class CRKGUIError
{
public:
    CRKGUIError() : m_nErrorIndex(ERRIDX_NONE) {}

    // Low 16 bits of the status, read as a signed number, select the index.
    static int MapStatusToErrorIndex(HRESULT hrStatus);
    // String resource of the message for an index; 26 and above give index 21's.
    static UINT ErrorIndexToStringId(int nErrorIndex);

    int GetErrorIndex() const { return m_nErrorIndex; }
    void SetErrorIndex(int nErrorIndex) { m_nErrorIndex = nErrorIndex; }
    void SetFromStatus(HRESULT hrStatus) { m_nErrorIndex = MapStatusToErrorIndex(hrStatus); }
    void Reset() { m_nErrorIndex = ERRIDX_NONE; }

private:
    int m_nErrorIndex;  // 0: no error
};

}  // namespace replika
