// One opened scanner: the settings its root and child items share, and the property
// tables both items serve, computed from the settings and the steering at each read.
#pragma once

#include "sim/wia/SimScanners.h"
#include "sim/wia/WiaPage.h"
#include "sim/wia/WiaProperties.h"

#include <vector>

struct WiaScanSettings
{
    LONG source;  // FLATBED or FEEDER
    LONG pages;
    LONG dataType;  // WIA_DATA_COLOR or WIA_DATA_GRAYSCALE
    LONG depth;
    LONG xres;
    LONG yres;
};

WiaScanSettings DefaultScanSettings(const WiaScannerModel& model);
std::vector<WiaProp> RootPropertiesOf(const WiaScannerModel& model, const WiaSteering& steering,
                                      const WiaScanSettings& settings);
std::vector<WiaProp> ChildPropertiesOf(const WiaScannerModel& model, const WiaScanSettings& settings);
// Each write already holds a valid value of its property; this applies them together.
HRESULT ApplyRootWrites(const std::vector<WiaWrite>& writes, WiaScanSettings* pSettings);
HRESULT ApplyChildWrites(const std::vector<WiaWrite>& writes, WiaScanSettings* pSettings);
WiaScanFormat ScanFormatOf(const WiaScannerModel& model, const WiaScanSettings& settings);

class CWiaDevice
{
public:
    explicit CWiaDevice(const WiaScannerModel& model) : m_model(model), m_settings(DefaultScanSettings(model)) {}
    CWiaDevice(const CWiaDevice&) = delete;
    CWiaDevice& operator=(const CWiaDevice&) = delete;

    const WiaScannerModel& Model() const { return m_model; }
    WiaScanSettings Settings() const;
    // S_OK while the device is plugged in, else WIA_ERROR_OFFLINE.
    HRESULT CheckOnline() const;
    HRESULT Apply(HRESULT (*pfnApply)(const std::vector<WiaWrite>&, WiaScanSettings*),
                  const std::vector<WiaWrite>& writes);

private:
    const WiaScannerModel& m_model;
    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    WiaScanSettings m_settings;
};
