#include <gtest/gtest.h>

#include <string>

#include "dialog/CopyUIDlg.h"

using replika::CCopyUIDlg;

TEST(ParseContextID, SplitsIntoManufacturerProductAndDeviceID)
{
    const std::string overlong = "#" + std::string(400, 'M') + "#P#D";
    const struct
    {
        const char* id;
        int result;
        const char *manfctr, *product, *deviceID;
    } cases[] = {
        {"#Maker#Model 100#CN12345", 1, "Maker", "Model 100", "CN12345"},
        {"Maker#Model 100#CN12345", 1, "Maker", "Model 100", "CN12345"},
        // Runs of separators count as one; extra fields are ignored.
        {"#Maker##CN12345", 1, "Maker", "CN12345", ""},
        {"##Maker#Model#ID#Extra#More##", 1, "Maker", "Model", "ID"},
        {"#Maker", 1, "Maker", "", ""},
        {"###", 1, "", "", ""},
        {"", 0, "unset", "unset", "unset"},  // nothing is touched
        {overlong.c_str(), 1, nullptr, "P", "D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        CString manfctr = "unset", product = "unset", deviceID = "unset";
        EXPECT_EQ(c.result, CCopyUIDlg::ParseContextID(c.id, manfctr, product, deviceID));
        if (c.manfctr)
            EXPECT_STREQ(c.manfctr, manfctr);
        else
            EXPECT_EQ(259, manfctr.GetLength());  // cut to its buffer
        EXPECT_STREQ(c.product, product);
        EXPECT_STREQ(c.deviceID, deviceID);
    }
}
