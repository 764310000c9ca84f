// Where the originals of a copy come from. Each kind of source (a folder of image
// files now, a scanner later) implements this; the device component knows no other.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "copier/device/PageGeometry.h"

class IImageSource
{
public:
    virtual ~IImageSource() = default;

    // Whether the originals come through a feeder, and whether only through one.
    virtual bool HasFeeder() const = 0;
    virtual bool FeederOnly() const = 0;
    // S_OK while the source answers; a failure code once it has gone. Any thread.
    virtual HRESULT Answers() const = 0;
    // Whether an original waits in the feeder. Cheap; any thread.
    virtual bool DocumentPresent() const = 0;

    // Takes the originals there are now; fails with a code, before anything is read,
    // when there is none or one of them is no image.
    virtual HRESULT BeginJob(unsigned& pageCount) = 0;
    // Opens page `index` of the job and tells its size and resolution.
    virtual HRESULT OpenPage(unsigned index, OriginalSize& size) = 0;
    // Pixels of the open page as 32-bit BGRx, top-down, `width * 4` bytes a row.
    virtual HRESULT ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels) = 0;
    virtual void EndJob() = 0;
};

// The source a set-up names: a folder path (a scanner's "wia:..." is not served yet: null).
std::unique_ptr<IImageSource> OpenImageSource(const std::string& source);
