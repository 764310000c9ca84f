#include "records/AppGlobals.h"

BOOL g_bRTLLayout = 0;
UINT g_uInstanceProbeMsg = 0;
