#include "sim/device/SimEvents.h"

#include <cstdio>
#include <cstring>

namespace {

struct PayloadNode
{
    SimEventPayload payload;
    PayloadNode* next;
};

PayloadNode* g_payloads = nullptr;
SRWLOCK g_payloadLock = SRWLOCK_INIT;

UINT RegisterWithContext(const char* prefix, const char* ctxID)
{
    char name[400];
    snprintf(name, sizeof(name), "%s%s", prefix, ctxID);
    return RegisterWindowMessageA(name);
}

}  // namespace

void SimRegisterEventMessages(const char* ctxID, SimEventMessages& msgs)
{
    msgs.uPaperInADF = RegisterWithContext("Paper_In_ADF_", ctxID);
    msgs.uDeviceBusy = RegisterWithContext("Device_s_Busy_", ctxID);
    msgs.uInkLow = RegisterWithContext("Ink_Low_", ctxID);
    msgs.uDisconnect = RegisterWithContext("Device_Disconnect_", ctxID);
}

SimEventPayload* SimEventPayloadFor(const char* ctxID)
{
    AcquireSRWLockExclusive(&g_payloadLock);
    PayloadNode* node = g_payloads;
    while (node && strcmp(node->payload.szCtxID, ctxID) != 0)
        node = node->next;
    if (!node) {
        node = static_cast<PayloadNode*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PayloadNode)));
        if (node) {
            lstrcpynA(node->payload.szCtxID, ctxID, sizeof(node->payload.szCtxID));
            node->next = g_payloads;
            g_payloads = node;
        }
    }
    ReleaseSRWLockExclusive(&g_payloadLock);
    return node ? &node->payload : nullptr;
}
