// Accepted jobs land in the device's journal, decoded field by field.
#include "SimDeviceHarness.h"

#include <map>

using namespace simtest;

namespace
{

// The blocks of a journal, each as its name=value pairs.
std::vector<std::map<std::string, std::string>> JournalBlocks(const std::string& text)
{
    std::vector<std::map<std::string, std::string>> blocks;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[Job]")
            blocks.emplace_back();
        else if (!blocks.empty() && line.find('=') != std::string::npos)
            blocks.back()[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return blocks;
}

CopyJobParams SampleJob()
{
    CopyJobParams job = {};
    job.nTraySelection = 3;
    job.nSpecialFeatureMode = 7;
    job.nNbrCopies = 12;
    job.bColorCopyRequested = 1;
    job.nQuality = 3;
    job.nReduceEnlarge = 135;
    job.nPaperType = 11;
    job.nPaperSize = 76;
    job.nBrightness = -4;
    job.nCCHowMany = 2;
    job.nBorderlessSupport = 2;
    for (int i = 0; i < 21; ++i)
        job.bEnableXDL[i] = i % 3 == 0 ? 0 : 1;
    return job;
}

} // namespace

class SimJournal : public SimDeviceTest {};

TEST_F(SimJournal, EachAcceptedJobIsOneDecodedBlock)
{
    ASSERT_EQ(S_OK, Bind());
    CopyJobParams job = SampleJob();
    ASSERT_EQ(S_OK, m_device->SubmitCopy(job));
    job.bColorCopyRequested = 0;
    job.nNbrCopies = 1;
    ASSERT_EQ(S_OK, m_device->SubmitCopy(job));

    auto blocks = JournalBlocks(Journal());
    ASSERT_EQ(2u, blocks.size());
    auto& first = blocks[0];
    EXPECT_EQ(m_ctx, first["Context"]);
    EXPECT_FALSE(first["Time"].empty());
    EXPECT_EQ("3", first["nTraySelection"]);
    EXPECT_EQ("7", first["nSpecialFeatureMode"]);
    EXPECT_EQ("12", first["nNbrCopies"]);
    EXPECT_EQ("1", first["bColorCopyRequested"]);
    EXPECT_EQ("135", first["nReduceEnlarge"]);
    EXPECT_EQ("11", first["nPaperType"]);
    EXPECT_EQ("76", first["nPaperSize"]);
    EXPECT_EQ("-4", first["nBrightness"]);
    EXPECT_EQ("2", first["nBorderlessSupport"]);
    EXPECT_EQ("0", first["nReserved"]);
    EXPECT_EQ("0,1,1,0,1,1,0,1,1,0,1,1,0,1,1,0,1,1,0,1,1", first["bEnableXDL"]);
    EXPECT_EQ(20u + 3u - 1u, first.size());   // Time, Context, 19 fields, bEnableXDL

    EXPECT_EQ("0", blocks[1]["bColorCopyRequested"]);
    EXPECT_EQ("1", blocks[1]["nNbrCopies"]);
}

TEST_F(SimJournal, DeviceIDIsMadeSafeForTheFileName)
{
    ASSERT_EQ(S_OK, Bind("QV#Model 7#A/B:C"));   // no leading '#', still the third field
    ASSERT_EQ(S_OK, m_device->SubmitCopy(SampleJob()));
    std::string text = ReadFileText(m_dir + "\\journal-A_B_C.txt");
    auto blocks = JournalBlocks(text);
    ASSERT_EQ(1u, blocks.size()) << text;
    EXPECT_EQ("QV#Model 7#A/B:C", blocks[0]["Context"]);
}
