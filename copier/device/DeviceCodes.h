// The failure codes the device copy component answers. The copy dialog shows a
// message chosen by the low 16 bits: 0xF9FD "busy", 0xF9FC/0xF9FE/0xF9FF "an error
// occurred", anything else "not responding or disconnected" (and then it closes).
#pragma once

#include <windows.h>

const HRESULT kDeviceBusy = static_cast<HRESULT>(0x8004F9FD);          // a job is still running
const HRESULT kJobRefused = static_cast<HRESULT>(0x8004F9FC);          // the job asks for what the device lacks
const HRESULT kOriginalUnreadable = static_cast<HRESULT>(0x8004F9FE);  // an original is not an image we can read
const HRESULT kNoOriginal = static_cast<HRESULT>(0x8004F9FF);          // nothing to copy from
const HRESULT kScanFailed = static_cast<HRESULT>(0x8004F9FE);          // the scanner stopped: cover, jam, cancel
const HRESULT kNotResponding = E_FAIL;                                 // printer or source gone; not bound
