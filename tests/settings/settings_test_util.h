// Helpers of the settings tests: files, the embedded default document, a
// scratch folder per test, and a view of what the logger wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace settings_test
{

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// The embedded default document (resource "XML" 152) as its bytes.
std::string DefaultDocument();
// The default document with the first occurrence of `from` replaced by `to`.
std::string DefaultDocumentWith(const std::string& from, const std::string& to);

// "  <name>value</name>\r\n" as the default document lays its elements out.
std::string ElementLine(const char* pszName, const std::string& value);

// A fresh, empty folder under the temporary path, removed with its files.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }
    const std::string& Folder() const { return m_path; }
    std::vector<std::string> Files() const;

private:
    std::string m_path;
};

// The logger's file is read from the size it had when the watch began.
class LogWatch
{
public:
    LogWatch();
    std::string Text() const;
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }

private:
    size_t m_nStart;
};

// The concurrency test starts this program again as a saving child; the
// child is told the file to save through this environment variable.
extern const char kChildFile[];

// What the error dump would have shown; tests install this instead of the message box.
extern std::vector<std::string> g_errorDumps;

} // namespace settings_test
