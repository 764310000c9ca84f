// Helpers of the settings tests: files, the embedded default document, a
// scratch folder per test, and what the logger wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace settings_test {

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The embedded default document (resource "XML" 152) as its bytes.
std::string DefaultDocument();
// `text` with the first `from`, which must be there, replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to);
// "  <name>value</name>\r\n" as the default document lays its elements out.
std::string ElementLine(const char* pszName, const std::string& value);
// Latin-1 text as UTF-16 with its byte-order mark.
std::string Utf16(const std::string& latin1);

// A fresh, empty folder under the temporary path, removed with its files.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }
    std::vector<std::string> Files() const;

private:
    std::string m_path;
};

// Whether the logger wrote `text` since the watch began.
class LogWatch
{
public:
    LogWatch();
    bool Contains(const std::string& text) const;

private:
    size_t m_nStart;
};

// Set in every child's environment: a child logs nothing.
extern const char kChildMarker[];

// What the error dump would have shown; tests install this instead of the message box.
extern std::vector<std::string> g_errorDumps;

}  // namespace settings_test
