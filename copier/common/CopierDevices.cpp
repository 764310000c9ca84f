#include "copier/common/CopierDevices.h"

#include "copier/common/WiaDevices.h"

#include <windows.h>
#include <winspool.h>

std::vector<std::string> ListPrinters()
{
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD cbNeeded = 0, count = 0;
    EnumPrintersA(flags, NULL, 4, NULL, 0, &cbNeeded, &count);
    std::vector<BYTE> buffer(cbNeeded ? cbNeeded : 1);
    std::vector<std::string> printers;
    if (!EnumPrintersA(flags, NULL, 4, buffer.data(), (DWORD)buffer.size(), &cbNeeded, &count))
        return printers;
    const PRINTER_INFO_4A* pInfo = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (pInfo[i].pPrinterName)
            printers.push_back(pInfo[i].pPrinterName);
    return printers;
}

bool PrinterAnswers(const std::string& printer)
{
    HANDLE hPrinter = NULL;
    if (printer.empty() || !OpenPrinterA(const_cast<char*>(printer.c_str()), &hPrinter, NULL))
        return false;
    ClosePrinter(hPrinter);
    return true;
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetupAnswers(const CopierSetup& setup, std::string& reason)
{
    reason.clear();
    std::string scanner;
    if (ScannerOfSource(setup.source, scanner)) {
        if (!ScannerListed(scanner))
            reason = "the scanner \"" + scanner + "\" is not connected";
    } else if (!FolderExists(setup.source))
        reason = "the source folder \"" + setup.source + "\" does not exist";
    if (reason.empty() && !PrinterAnswers(setup.printer))
        reason = "the printer \"" + setup.printer + "\" does not answer";
    return reason.empty();
}
