#include "copier/device/ImageSource.h"

#include "copier/common/WiaDevices.h"
#include "copier/device/FolderSource.h"
#include "copier/device/WiaSource.h"

std::unique_ptr<IImageSource> OpenImageSource(const std::string& source)
{
    std::string scanner;
    if (ScannerOfSource(source, scanner)) {
        std::unique_ptr<WiaSource> wia(new WiaSource);
        if (!wia->Open(scanner))
            return nullptr;
        return std::unique_ptr<IImageSource>(wia.release());
    }
    if (source.empty())
        return nullptr;
    return std::unique_ptr<IImageSource>(new FolderSource(source));
}
