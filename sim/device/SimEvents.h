// The four registered messages by which the device reports events to the
// window given to SetNotifyWindow, and the memory their payloads point at.
#pragma once

#include <windows.h>
#include <cstdint>

struct SimEventMessages
{
    UINT uPaperInADF;  // wParam: kFeederPlaced or kFeederRemoved
    UINT uDeviceBusy;  // wParam: 1 busy, 0 idle
    UINT uInkLow;      // wParam: address of three int32 levels
    UINT uDisconnect;  // wParam: 0
};

enum : WPARAM { kFeederPlaced = 0, kFeederRemoved = 16 };

// Registered once per context: "Paper_In_ADF_" + context ID and so on.
void SimRegisterEventMessages(const char* ctxID, SimEventMessages& msgs);

// What lParam (and the ink-low wParam) point at. One block per context ID,
// allocated from the process heap and never freed: a posted message may still
// be waiting in the window's queue after the device object and even this
// library are gone.
struct SimEventPayload
{
    char szCtxID[260];
    int32_t nInkLevels[3];
};

SimEventPayload* SimEventPayloadFor(const char* ctxID);
