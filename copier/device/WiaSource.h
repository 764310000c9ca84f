// A WIA scanner as the source of originals. With a document in its feeder a job
// copies every sheet of it; otherwise the flatbed, where there is one. The whole job
// is scanned into a spool before anything is printed, so a scan that fails half way
// prints nothing. The scanner is asked on the component's thread only; other threads
// read what it answered last.
#pragma once

#include <memory>
#include <string>

#include "copier/device/DeviceCodes.h"
#include "copier/device/ImageSource.h"
#include "copier/device/ScanSpool.h"
#include "copier/device/WiaScanner.h"

class WiaSource : public IImageSource
{
public:
    // Asks the scanner once on the calling thread; false when it does not answer.
    bool Open(const std::string& deviceId);

    bool HasFeeder() const override { return (m_capabilities & FEED) != 0; }
    bool FeederOnly() const override { return HasFeeder() && !(m_capabilities & FLAT); }
    HRESULT Answers() const override { return m_lAnswers ? S_OK : kNotResponding; }
    bool DocumentPresent() const override { return m_lDocument != 0; }
    void Refresh() override;

    HRESULT BeginJob(const ScanRequest& request, unsigned& pageCount) override;
    HRESULT OpenPage(unsigned index, OriginalSize& size) override;
    HRESULT ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels) override;
    void EndJob() override;

private:
    void Remember(HRESULT hr, const ScannerState& state);
    HRESULT ScanAll(bool feeder, const ScanRequest& request);

    std::string m_deviceId;
    std::unique_ptr<WiaScanner> m_scanner;  // the component thread's connection
    LONG m_capabilities = 0;
    volatile LONG m_lAnswers = 0;
    volatile LONG m_lDocument = 0;
    ScanSpool m_spool;
    unsigned m_openPage = 0;
};
