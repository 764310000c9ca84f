#include "dialog/RKGUIError.h"

#include "res/resource.h"

namespace replika {

int CRKGUIError::MapStatusToErrorIndex(HRESULT hrStatus)
{
    const short code = static_cast<short>(static_cast<unsigned>(hrStatus) & 0xFFFF);
    switch (code) {
    case -1562:
        return ERRIDX_INK_CARTRIDGE_EMPTY;
    case -1540:
    case -1538:
    case -1537:
        return ERRIDX_GENERAL;
    case -1539:
        return ERRIDX_DEVICE_BUSY;
    default:
        return ERRIDX_NOT_RESPONDING;
    }
}

UINT CRKGUIError::ErrorIndexToStringId(int nErrorIndex)
{
    static const UINT kStringIds[ERRIDX_INK_CARTRIDGE_EMPTY] = {IDS_ERR_NONE,
                                                                IDS_ERR_OFFLINE,
                                                                IDS_ERR_BUSY,
                                                                IDS_ERR_INK_LOW,
                                                                IDS_ERR_NO_BLACK_CARTRIDGE,
                                                                IDS_ERR_NO_COLOR_CARTRIDGE,
                                                                IDS_ERR_CARTRIDGE_DOOR_OPEN,
                                                                IDS_ERR_CARRIAGE_JAM,
                                                                IDS_ERR_TRAY_NOT_IN_PLACE,
                                                                IDS_ERR_PAPER_JAM,
                                                                IDS_ERR_OUT_OF_PAPER,
                                                                IDS_ERR_ADF_JAM,
                                                                IDS_ERR_ADF_NOT_READY,
                                                                IDS_ERR_NOT_RESPONDING,
                                                                IDS_ERR_DUPLEX_SCAN,
                                                                IDS_ERR_DUPLEX_PRINT,
                                                                IDS_ERR_COVER_OPEN,
                                                                IDS_ERR_NO_ORIGINAL_IN_ADF,
                                                                IDS_ERR_ORIGINAL_MISALIGNED,
                                                                IDS_ERR_INSERT_ORIGINAL,
                                                                IDS_ERR_REMOVE_ORIGINAL,
                                                                IDS_ERR_GENERAL,
                                                                IDS_ERR_TRY_AGAIN,
                                                                IDS_ERR_CHECK_STATUS,
                                                                IDS_ERR_TRY_LATER,
                                                                IDS_ERR_INK_EMPTY};
    if (nErrorIndex < 0 || nErrorIndex >= ERRIDX_INK_CARTRIDGE_EMPTY)
        return kStringIds[ERRIDX_GENERAL];
    return kStringIds[nErrorIndex];
}

}  // namespace replika
