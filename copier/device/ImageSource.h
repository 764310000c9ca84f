// Where the originals of a copy come from. Each kind of source (a folder of image
// files, a scanner) implements this; the device component knows no other.
//
// Threads: the traits and the cached answers may be asked from any thread; Refresh,
// BeginJob and the page calls come from the component's own thread only, so a source
// may keep connections that belong to that thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "copier/device/PageGeometry.h"

// What a job asks of the originals: a scanner scans at this resolution, in colour or grey.
struct ScanRequest
{
    bool color;
    int dpi;
};

class IImageSource
{
public:
    virtual ~IImageSource() = default;

    // Whether the originals come through a feeder, and whether only through one.
    virtual bool HasFeeder() const = 0;
    virtual bool FeederOnly() const = 0;
    // S_OK while the source answers; a failure code once it has gone. Cheap; any thread.
    virtual HRESULT Answers() const = 0;
    // Whether an original waits in the feeder. Cheap; any thread.
    virtual bool DocumentPresent() const = 0;
    // Brings the two answers above up to date; the component's thread calls it often.
    virtual void Refresh() {}

    // Takes the originals there are now (a scanner scans them all); fails with a copy
    // failure code, and keeps nothing, when there is none or one cannot be read.
    virtual HRESULT BeginJob(const ScanRequest& request, unsigned& pageCount) = 0;
    // Opens page `index` of the job and tells its size and resolution.
    virtual HRESULT OpenPage(unsigned index, OriginalSize& size) = 0;
    // Pixels of the open page as 32-bit BGRx, top-down, `width * 4` bytes a row.
    virtual HRESULT ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels) = 0;
    virtual void EndJob() = 0;
};

// The source a set-up names: "wia:<device ID>" a scanner, anything else a folder path.
// Null when a scanner cannot be reached now.
std::unique_ptr<IImageSource> OpenImageSource(const std::string& source);
