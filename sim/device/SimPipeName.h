// The control channel of a simulated device: a byte-mode named pipe per
// context ID. A client writes one command line ending in '\n' and reads one
// reply line ("OK ..." or "ERROR ...") until the device closes the pipe.
#pragma once

#include <cstddef>
#include <cstdio>

inline void SimPipeName(const char* ctxID, char* name, size_t cap)
{
    // A pipe name may hold anything but '\' after the prefix, up to 256 characters.
    snprintf(name, cap < 257 ? cap : 257, "\\\\.\\pipe\\qvsim_device_%s", ctxID ? ctxID : "");
    for (char* c = name + 9; *c; ++c)
        if (*c == '\\')
            *c = '/';
}
