// The in-process server qvcopier_device.dll: one class, the device copy component.
#include "copier/common/ComServer.h"
#include "copier/device/CopierDevice.h"

namespace {
CComServerFactory<CopierDevice> g_factory;
}  // namespace

const ComServerClass g_comServerClasses[] = {{CLSID_CopyAPI, g_factory}};
const size_t g_comServerClassCount = 1;
