#include "sim/launch_record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AppendLaunchRecord("qvkhblt.exe") ? 0 : 1;
}
