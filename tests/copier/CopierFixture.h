// What the copier tests share: a private set-up file and source folder, the tool run
// as a child process, and the component registrations put back however a test ends.
#pragma once

#include "common/testlib.h"

#include <string>
#include <vector>

namespace copiertest {

// The three class registrations the tool switches, saved and restored at scope end.
class RegistrationScope
{
public:
    RegistrationScope();
    ~RegistrationScope();
    RegistrationScope(const RegistrationScope&) = delete;
    RegistrationScope& operator=(const RegistrationScope&) = delete;

private:
    struct Saved
    {
        std::string key, name, value;
        bool bExisted;
    };
    std::vector<Saved> m_saved;
};

// The copy program's settings files of a device ID, gone before and after the scope.
class SettingsFilesScope
{
public:
    explicit SettingsFilesScope(const std::string& deviceId) : m_deviceId(deviceId) { Remove(); }
    ~SettingsFilesScope() { Remove(); }
    SettingsFilesScope(const SettingsFilesScope&) = delete;
    SettingsFilesScope& operator=(const SettingsFilesScope&) = delete;

private:
    void Remove() const;
    std::string m_deviceId;
};

// A set-up file and its log in a folder of their own, named to every process started
// within the scope, and an image folder to be a source.
class CopierFixture : public ::testing::Test
{
protected:
    CopierFixture();

    // The tool's exit code and output, lines ending in "\n".
    qvtest::RunResult Tool(const std::string& arguments) const;
    std::string SetupFileBytes() const { return qvtest::ReadBytes(m_files.File("setups.txt")); }
    // The first printer the tool lists; empty when the machine has none.
    std::string FirstPrinter() const;

    // The Start-menu entries the tool has made, sorted, each followed by "|".
    std::string MenuEntries() const;

    qvtest::TempFolder m_files{"qvcopier"}, m_source{"qvsource"}, m_menu{"qvmenu"};

private:
    qvtest::EnvVar m_setupsEnv, m_logEnv, m_menuEnv;
};

}  // namespace copiertest
