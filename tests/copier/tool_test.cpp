// qvcopier.exe run as a child process: set-ups, bad input and the component set in use.
#include "CopierFixture.h"

#include <algorithm>

using copiertest::CopierFixture;

namespace {
size_t LineCount(const std::string& text)
{
    size_t n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class CopierTool : public CopierFixture
{
protected:
    void SetUp() override
    {
        m_printer = FirstPrinter();
        if (m_printer.empty())
            GTEST_SKIP() << "no printer: the set-up commands need one";
    }
    std::string Add(const std::string& name)
    {
        return "add " + Quoted(name) + " --source " + Quoted(m_source.Path()) + " --printer " + Quoted(m_printer);
    }
    std::string m_printer;
};
}  // namespace

// Device numbers are never given out twice, even after the highest one is removed. Each
// set-up has a Start-menu entry while it exists; a name unsafe as a file name is made safe.
TEST_F(CopierTool, AddListRemoveRoundTrip)
{
    const struct
    {
        std::string arguments, listing;   // listing: names and device IDs after the step
        const char* pszEntries;
    } steps[] = {
        {Add("Office"), "Office #QV#Copier#copier-1|", "Office.lnk|"},
        {Add("Desk 2"), "Office #QV#Copier#copier-1|Desk 2 #QV#Copier#copier-2|", "Desk 2.lnk|Office.lnk|"},
        {"remove \"Desk 2\"", "Office #QV#Copier#copier-1|", "Office.lnk|"},
        {Add("Lab"), "Office #QV#Copier#copier-1|Lab #QV#Copier#copier-3|", "Lab.lnk|Office.lnk|"},
        {Add("..\\a/b"), "Office #QV#Copier#copier-1|Lab #QV#Copier#copier-3|..\\a/b #QV#Copier#copier-4|",
         ".._a_b (copier-4).lnk|Lab.lnk|Office.lnk|"},
        {Add("aux"), "Office #QV#Copier#copier-1|Lab #QV#Copier#copier-3|..\\a/b #QV#Copier#copier-4|aux "
         "#QV#Copier#copier-5|", ".._a_b (copier-4).lnk|Lab.lnk|Office.lnk|aux (copier-5).lnk|"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.arguments);
        qvtest::RunResult run = Tool(step.arguments);
        EXPECT_EQ(0u, run.exitCode) << run.output;
        EXPECT_EQ("", run.output);
        std::string listing, output = Tool("list").output;
        for (size_t start = 0, eol; (eol = output.find('\n', start)) != std::string::npos; start = eol + 1) {
            std::string line = output.substr(start, eol - start);
            EXPECT_NE(std::string::npos, line.find("\t" + m_source.Path() + "\t" + m_printer)) << line;
            EXPECT_EQ(std::string::npos, line.find("-n")) << line;
            listing += line.substr(0, line.find('\t', line.find('\t') + 1)) + "|";
        }
        for (char& c : listing)
            c = c == '\t' ? ' ' : c;
        EXPECT_EQ(step.listing, listing);
        EXPECT_EQ(step.pszEntries, MenuEntries());
    }
}

// Each refusal: exit code 2, one line naming what is wrong, the set-up file and the
// registrations as they were.
TEST_F(CopierTool, BadInputChangesNothing)
{
    copiertest::RegistrationScope registrations;
    ASSERT_EQ(0u, Tool(Add("Office")).exitCode);
    ASSERT_EQ(0u, Tool("use simulated").exitCode);
    const std::string before = SetupFileBytes();
    const struct
    {
        std::string arguments, message;
    } rows[] = {
        {Add("Office"), "already exists"},
        {Add("office"), "already exists"},
        {"add New --source " + Quoted(m_source.File("gone")) + " --printer " + Quoted(m_printer), "does not exist"},
        {"add New --source " + Quoted(m_source.Path()) + " --printer \"No Such Printer\"", "unknown printer"},
        {"add New --source wia:nope --printer " + Quoted(m_printer), "unknown scanner"},
        {"add New --source " + Quoted(m_source.Path()), "usage"},
        {"add \"\" --source " + Quoted(m_source.Path()) + " --printer " + Quoted(m_printer), "set-up name"},
        {"remove Nobody", "no set-up"},
        {"use scanner", "usage"},
        {"copy", "unknown command"},
        {"", "usage"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        qvtest::RunResult run = Tool(row.arguments);
        EXPECT_EQ(2u, run.exitCode);
        EXPECT_EQ(1u, LineCount(run.output)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(row.message)) << run.output;
        EXPECT_EQ(before, SetupFileBytes());
        EXPECT_EQ("simulated\n", Tool("use").output);
    }
}

// Scanners are listed with WIA's device IDs; a set-up takes one by its ID in any case and
// keeps WIA's spelling. An unplugged scanner is not listed.
TEST_F(CopierTool, ScannersAreListedAndMakeSetups)
{
    qvtest::SimFolder sim;
    const std::string flatbed = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000";
    std::string devices = Tool("list-devices").output;
    EXPECT_NE(std::string::npos, devices.find("scanner\t" + flatbed + "\tQV Sim Flatbed Scanner\n")) << devices;
    EXPECT_NE(std::string::npos, devices.find("\\0001\tQV Sim Sheet-fed Scanner\n")) << devices;
    std::string lower = flatbed;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    EXPECT_EQ(0u, Tool("add Office --source \"wia:" + lower + "\" --printer " + Quoted(m_printer)).exitCode);
    EXPECT_NE(std::string::npos, Tool("list").output.find("\twia:" + flatbed + "\t")) << Tool("list").output;
    sim.WriteIni("wia.ini", "SheetFed", "Present", "0");
    EXPECT_EQ(std::string::npos, Tool("list-devices").output.find("Sheet-fed"));
}

// The copier set needs its device component beside the tool; without it the switch is refused.
TEST_F(CopierFixture, UseSwitchesTheRegisteredSet)
{
    copiertest::RegistrationScope registrations;
    const bool bCopierBuilt =
        GetFileAttributesA(qvtest::BesideExe("qvcopier_device.dll").c_str()) != INVALID_FILE_ATTRIBUTES;
    const struct
    {
        const char* pszSet;
        DWORD exitCode;
        const char* pszActive;
    } rows[] = {
        {"simulated", 0, "simulated\n"},
        {"copier", bCopierBuilt ? 0u : 2u, bCopierBuilt ? "copier\n" : "simulated\n"},
        {"simulated", 0, "simulated\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszSet);
        EXPECT_EQ(row.exitCode, Tool(std::string("use ") + row.pszSet).exitCode);
        EXPECT_EQ(row.pszActive, Tool("use").output);
    }
}
