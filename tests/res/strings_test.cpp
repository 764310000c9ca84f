#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "modules.h"
#include "res/resource.h"

namespace {

struct ExpectedString
{
    int id;
    const char* text;
};

const ExpectedString kStrings[] = {
    {IDS_ABOUTBOX, "&About Copy..."},
    {IDS_KEY_CLOSE, "Cl&ose"},
    {IDS_KEY_HELP, "&Help"},
    {IDS_KEY_BLACK, "Blac&k"},
    {IDS_KEY_RESTORE_FACTORY, "Restore Factor&y"},
    {IDS_KEY_SAVE, "Sa&ve"},
    {IDS_KEY_COLOR, "Co&lor"},
    {IDS_SOURCE_UPPER, "Upper"},
    {IDS_SOURCE_LOWER, "Lower"},
    {IDS_SOURCE_REAR, "Rear"},
    {IDS_TIP_HELP, "Click here to display detailed on-line help"},
    {IDS_TIP_BLACK, "Click here to print a black and white or grayscale copy"},
    {IDS_TIP_RESTORE_FACTORY, "Click here to restore the copy settings that were saved in the software when "
                              "the device was first connected to your computer"},
    {IDS_TIP_SAVE, "Click here to keep the current settings for the next time you want to make copies "},
    {IDS_TIP_COLOR, "Click here to print a color copy"},
    {IDS_TIP_FIT_TO_PAGE, "Click here to make the copy fit on the selected paper size"},
    {IDS_TIP_CUSTOM_SIZE, "Click here to manually adjust the size of the copy. Then set the size in the "
                          "Reduce/Enlarge section"},
    {IDS_TIP_BEST, "Click here to print a copy with the best quality for photos and images; the printing "
                   "time is slower"},
    {IDS_TIP_NORMAL, "Click here to print a copy with typical quality and print time"},
    {IDS_TIP_FAST, "Click here to print a copy with the fastest printing time; the print quality is reduced"},
    {IDS_TIP_CONTRAST, "Click and drag the slider to lighten or darken the copy"},
    {IDS_TIP_SIZE, "Select the paper size from the list"},
    {IDS_TIP_TYPE, "Select the paper type from the list"},
    {IDS_TIP_SCALE, "Select a percentage to reduce or enlarge the copy size"},
    {IDS_TIP_TEXT, "Click here if your original document has text"},
    {IDS_TIP_PHOTO, "Click here if your original document is a photo or other image"},
    {IDS_TIP_MIXED, "Click here if your original document has both a photo and text"},
    {IDS_TIP_COPIES, "Select the number of copies to print"},
    {IDS_TIP_SOURCE, "Select the paper tray from the list"},
    {IDS_TIP_ACTUAL_SIZE, "Click here to set Custom Size to 100 percent"},
    {IDS_TIP_BORDERLESS, "Click here to make a borderless copy on the selected paper size"},
    {IDS_ERR_INK_EMPTY, "One of the ink cartridges is empty.  Refer to the control panel of your device for "
                        "details.\nTo close this message, click OK."},
    {IDS_ERR_NOT_RESPONDING, "The device is not responding or is disconnected"},
    {IDS_CANCEL, "Cance&l"},
    {IDS_ERR_OFFLINE, "The device is off-line"},
    {IDS_ERR_BUSY, "The device is busy"},
    {IDS_ERR_INK_LOW, "An ink cartridge is low or out of ink"},
    {IDS_ERR_NO_BLACK_CARTRIDGE, "The black ink cartridge is not installed"},
    {IDS_ERR_NO_COLOR_CARTRIDGE, "The color ink cartridge is not installed"},
    {IDS_ERR_CARTRIDGE_DOOR_OPEN, "The ink cartridge access door is open"},
    {IDS_ERR_CARRIAGE_JAM, "The ink cartridge carriage is jammed"},
    {IDS_ERR_TRAY_NOT_IN_PLACE, "The paper tray is not in place"},
    {IDS_ERR_PAPER_JAM, "The paper in the printer is jammed"},
    {IDS_ERR_OUT_OF_PAPER, "The device is out of paper"},
    {IDS_ERR_ADF_JAM, "The original document in the automatic document feeder (ADF) is jammed"},
    {IDS_ERR_ADF_NOT_READY, "The automatic document feeder (ADF) is not ready or is disconnected"},
    {IDS_ERR_DUPLEX_SCAN, "The two-sided scanning module is jammed or disconnected"},
    {IDS_ERR_DUPLEX_PRINT, "The two-sided printing module is jammed or disconnected"},
    {IDS_ERR_COVER_OPEN, "The device door or cover is open"},
    {IDS_ERR_NO_ORIGINAL_IN_ADF, "An original document is not loaded in the automatic feeder (ADF)"},
    {IDS_ERR_ORIGINAL_MISALIGNED, "The original document is not aligned with the guides on the scanner glass"},
    {IDS_ERR_INSERT_ORIGINAL, "Insert original document in the automatic document feeder (ADF) for this task"},
    {IDS_ERR_REMOVE_ORIGINAL, "Remove original document from the automatic document feeder (ADF) for this task"},
    {IDS_ERR_GENERAL, "An error occurred"},
    {IDS_ERR_TRY_AGAIN, "Click Start Copy button to try again"},
    {IDS_ERR_CHECK_STATUS, "Check the status of your $ProdShortName$, then click Retry to continue the task"},
    {IDS_ERR_TRY_LATER, "Click Cancel to try again later"},
    {IDS_ERR_NONE, "No Error"},
    {IDS_OK, "OK"},
    {IDS_HEADER_TITLE, "Make a Copy"},
    {IDS_CAPTION, "QV Copy:"},
};

// Exact texts, looked up by ID as the program does; a missing ID comes back empty.
class Strings : public PerModule
{};

TEST_P(Strings, EveryStringHasItsExactText)
{
    ASSERT_NE(nullptr, Module());
    for (const ExpectedString& s : kStrings) {
        char text[1024] = "";
        int n = LoadStringA(Module(), s.id, text, sizeof text);
        EXPECT_EQ(s.text, std::string(text, n > 0 ? n : 0)) << "string " << s.id;
    }
}

INSTANTIATE_PER_MODULE(Strings);

}  // namespace
