#include <gtest/gtest.h>

#include "dialog/CopyUIDlg.h"

using replika::CCopyUIDlg;

namespace
{
struct Fields
{
    int result;
    CString manfctr, product, deviceID;
};

Fields Parse(const char* pszCtxID)
{
    Fields f;
    f.manfctr = "unset";
    f.product = "unset";
    f.deviceID = "unset";
    f.result = CCopyUIDlg::ParseContextID(pszCtxID, f.manfctr, f.product, f.deviceID);
    return f;
}
}

TEST(ParseContextID, SplitsManufacturerProductAndDeviceID)
{
    for (const char* id : {"#Maker#Model 100#CN12345", "Maker#Model 100#CN12345"})
    {
        Fields f = Parse(id);
        EXPECT_EQ(1, f.result) << id;
        EXPECT_STREQ("Maker", f.manfctr) << id;
        EXPECT_STREQ("Model 100", f.product) << id;
        EXPECT_STREQ("CN12345", f.deviceID) << id;
    }
}

TEST(ParseContextID, RunsOfSeparatorsCountAsOneAndExtraFieldsAreIgnored)
{
    Fields f = Parse("#Maker##CN12345");
    EXPECT_EQ(1, f.result);
    EXPECT_STREQ("Maker", f.manfctr);
    EXPECT_STREQ("CN12345", f.product);
    EXPECT_STREQ("", f.deviceID);

    f = Parse("##Maker#Model#ID#Extra#More##");
    EXPECT_STREQ("Maker", f.manfctr);
    EXPECT_STREQ("Model", f.product);
    EXPECT_STREQ("ID", f.deviceID);
}

TEST(ParseContextID, MissingFieldsAreEmpty)
{
    Fields f = Parse("#Maker");
    EXPECT_EQ(1, f.result);
    EXPECT_STREQ("Maker", f.manfctr);
    EXPECT_STREQ("", f.product);
    EXPECT_STREQ("", f.deviceID);

    f = Parse("###");
    EXPECT_EQ(1, f.result);
    EXPECT_STREQ("", f.manfctr);
    EXPECT_STREQ("", f.product);
    EXPECT_STREQ("", f.deviceID);
}

TEST(ParseContextID, EmptyIDFailsAndLeavesOutputs)
{
    Fields f = Parse("");
    EXPECT_EQ(0, f.result);
    EXPECT_STREQ("unset", f.manfctr);
    EXPECT_STREQ("unset", f.product);
    EXPECT_STREQ("unset", f.deviceID);
}

TEST(ParseContextID, OverlongFieldIsCutToItsBuffer)
{
    std::string id = "#" + std::string(400, 'M') + "#P#D";
    Fields f = Parse(id.c_str());
    EXPECT_EQ(1, f.result);
    EXPECT_EQ(259, f.manfctr.GetLength());
    EXPECT_STREQ("P", f.product);
    EXPECT_STREQ("D", f.deviceID);
}
