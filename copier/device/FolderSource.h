// A folder of image files as the source of originals: every file in it is one page,
// in name order; the files stay where they are. "An original in the feeder" holds
// while the folder has a file. PNG, JPEG, TIFF and BMP are decoded by WIC; the
// resolution is the one the file's header gives, else 300 dpi. An opened page is
// decoded once into the spool and the decoder let go, so that printing never holds
// a decoded image in memory.
#pragma once

#include <wincodec.h>

#include <string>
#include <vector>

#include "copier/device/ImageHeader.h"
#include "copier/device/ImageSource.h"
#include "copier/device/ScanSpool.h"

class FolderSource : public IImageSource
{
public:
    explicit FolderSource(const std::string& folder);
    ~FolderSource() override;

    bool HasFeeder() const override { return true; }
    bool FeederOnly() const override { return true; }  // a folder has no glass
    HRESULT Answers() const override;
    bool DocumentPresent() const override;

    HRESULT BeginJob(const ScanRequest& request, unsigned& pageCount) override;
    HRESULT OpenPage(unsigned index, OriginalSize& size) override;
    HRESULT ReadPixels(uint32_t left, uint32_t top, uint32_t width, uint32_t height, uint8_t* pixels) override;
    void EndJob() override;

    // The plain files of the folder, in name order (not case-sensitive).
    std::vector<std::string> FileNames() const;

private:
    HRESULT DecodeIntoSpool(const std::string& path, uint32_t& width, uint32_t& height);

    std::string m_folder;
    struct Page
    {
        std::string path;
        ImageHeader header;
    };
    std::vector<Page> m_pages;
    IWICImagingFactory* m_pFactory;
    ScanSpool m_spool;  // the open page, 32-bit BGRx (what WIC converts every format to)
};
