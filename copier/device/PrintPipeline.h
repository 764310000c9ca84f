// Prints the originals of a source through GDI: one print job, each original as
// `copies` pages, sent in bands of rows so that memory stays bounded at any
// resolution.
#pragma once

#include <windows.h>

#include <string>

#include "copier/device/ImageSource.h"
#include "copier/device/JobSettings.h"

// The band budget: rows of one band together hold at most this many bytes.
const uint32_t kBandBytes = 1024 * 1024;

// A job already begun on the source (BeginJob gave pageCount). S_OK when every page went
// to the spooler; kNotResponding when the printer failed; the source's code when an
// original could not be read (nothing of the job is printed then).
HRESULT PrintOriginals(const std::string& printer, const std::string& documentName, const PrintSettings& settings,
                       IImageSource& source, unsigned pageCount);

// The printer's page as GetDeviceCaps describes it.
PrinterPage PageOf(HDC dc);
