// The in-process server: one class factory for the simulated device; the exports
// and the registration (ThreadingModel "Both": the object serves any thread directly,
// without marshalling) are those of every stand-in.
#include "sim/simcom.h"
#include "sim/device/SimCopyDevice.h"

namespace {
CSimClassFactory<SimCopyDevice> g_factory;
}  // namespace

const SimServer g_simServer = {CLSID_CopyAPI, "QV simulated device copy component", g_factory};
