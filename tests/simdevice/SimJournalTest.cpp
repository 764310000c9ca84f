// Accepted jobs land in the device's journal, decoded field by field.
#include "SimDeviceHarness.h"

#include <map>

using namespace simtest;

namespace {

// The blocks of a journal, each as its name=value pairs.
std::vector<std::map<std::string, std::string>> JournalBlocks(const std::string& text)
{
    std::vector<std::map<std::string, std::string>> blocks;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t eq = line.find('=');
        if (line == "[Job]")
            blocks.emplace_back();
        else if (!blocks.empty() && eq != std::string::npos)
            blocks.back()[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return blocks;
}

}  // namespace

class SimJournal : public SimDeviceTest
{};

TEST_F(SimJournal, EachAcceptedJobIsOneDecodedBlock)
{
    ASSERT_EQ(S_OK, Bind());
    CopyJobParams job = {};
    job.nTraySelection = 3;
    job.nNbrCopies = 12;
    job.nPaperSize = 76;
    job.nBrightness = -4;
    job.nBorderlessSupport = 2;
    for (int i = 0; i < 21; ++i)
        job.bEnableXDL[i] = i % 3 == 0 ? 0 : 1;
    ASSERT_EQ(S_OK, m_device->SubmitCopy(job));
    job.nNbrCopies = 1;
    ASSERT_EQ(S_OK, m_device->SubmitCopy(job));

    auto blocks = JournalBlocks(Journal());
    ASSERT_EQ(2u, blocks.size());
    auto& first = blocks[0];
    EXPECT_EQ(kCtx, first["Context"]);
    EXPECT_FALSE(first["Time"].empty());
    EXPECT_EQ("3", first["nTraySelection"]);
    EXPECT_EQ("12", first["nNbrCopies"]);
    EXPECT_EQ("76", first["nPaperSize"]);
    EXPECT_EQ("-4", first["nBrightness"]);
    EXPECT_EQ("2", first["nBorderlessSupport"]);
    EXPECT_EQ("0", first["nReserved"]);
    EXPECT_EQ("0,1,1,0,1,1,0,1,1,0,1,1,0,1,1,0,1,1,0,1,1", first["bEnableXDL"]);
    EXPECT_EQ(22u, first.size());  // Time, Context, 19 fields, bEnableXDL
    EXPECT_EQ("1", blocks[1]["nNbrCopies"]);
}

TEST_F(SimJournal, DeviceIDIsMadeSafeForTheFileName)
{
    ASSERT_EQ(S_OK, Bind("QV#Model 7#A/B:C"));  // no leading '#', still the third field
    ASSERT_EQ(S_OK, m_device->SubmitCopy(CopyJobParams{}));
    auto blocks = JournalBlocks(ReadFileText(m_dir + "\\journal-A_B_C.txt"));
    ASSERT_EQ(1u, blocks.size());
    EXPECT_EQ("QV#Model 7#A/B:C", blocks[0]["Context"]);
}
