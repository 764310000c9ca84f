// Resource identifiers of the copy program, shared by copy2.rc, copy2.dll and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_COPY     102
#define IDD_STATUS   137

// Icons
#define IDI_APP    128
#define IDI_STATUS 138

// Pictures of resource type "PNG": button faces (184 x 28) and the header and footer bands
#define IDP_BUTTON_NORMAL     1107
#define IDP_COPYBUTTON_NORMAL 1108
#define IDP_BUTTON_HOVER      1111
#define IDP_COPYBUTTON_HOVER  1112
#define IDP_BUTTON_DISABLED   1113
#define IDP_HEADER_LEFT       1120
#define IDP_FOOTER            1121
#define IDP_HEADER_RIGHT      1122

// Settings template of resource type "XML"
#define IDR_DEFAULT_STATE 152

#ifndef RC_INVOKED
// Named resources: the contrast bitmaps and the custom resource types
#define IDB_LIGHTU   "LIGHTU"
#define IDB_DARKU    "DARKU"
#define RES_TYPE_PNG "PNG"
#define RES_TYPE_XML "XML"
#endif

// About box (100)
#define IDC_ABOUT_NOTICE 1045
#define IDC_ABOUT_BUILD  1093
#define IDC_ABOUT_DATE   1094

// Status dialog (137)
#define IDC_STATUS_ICON    1042
#define IDC_STATUS_MESSAGE 1043
#define IDC_BTN_SINGLE     1088
#define IDC_BTN_CONTINUE   1091
#define IDC_BTN_CANCEL     1092

// Copy dialog (102), in template order
#define IDC_STC_ORIGINAL         1211
#define IDC_GRP_ORIGINAL         1011
#define IDC_RBN_TEXT             1000
#define IDC_RBN_PHOTO            1001
#define IDC_RBN_MIXED            1002
#define IDC_STC_COPY_IN_PROGRESS 1109
#define IDC_STC_BUSY_STRIP       1110
#define IDC_GRP_COPY             1213
#define IDC_STC_COPY             1209
#define IDC_GRP_PAPER            1214
#define IDC_STC_COPIES           1028
#define IDC_EDB_COPIES           1033
#define IDC_SPN_COPIES           1029
#define IDC_LINE_COPIES          1104
#define IDC_STC_QUALITY          1097
#define IDC_RBN_BEST             1025
#define IDC_RBN_NORMAL           1031
#define IDC_RBN_FAST             1032
#define IDC_LINE_QUALITY         1208
#define IDC_STC_CONTRAST         1036
#define IDC_PIC_LIGHTER          1095
#define IDC_PIC_DARKER           1096
#define IDC_SLD_CONTRAST         1035
#define IDC_LINE_PAPER           1106
#define IDC_STC_PAPER            1100
#define IDC_STC_SOURCE           1019
#define IDC_COB_SOURCE           1003
#define IDC_STC_SIZE             1020
#define IDC_COB_SIZE             1004
#define IDC_STC_TYPE             1021
#define IDC_COB_TYPE             1005
#define IDC_LINE_IMAGE_SIZE      1105
#define IDC_STC_IMAGE_SIZE       1101
#define IDC_RBN_ACTUAL_SIZE      1022
#define IDC_RBN_FIT_TO_PAGE      1024
#define IDC_RBN_BORDERLESS       1115
#define IDC_RBN_CUSTOM_SIZE      1023
#define IDC_STC_PERCENT          1027
#define IDC_EDB_SCALE            1034
#define IDC_SPN_SCALE            1026
#define IDC_GRP_SETTINGS         1017
#define IDC_STC_SETTINGS         1212
#define IDC_BTN_RESTORE_FACTORY  1009
#define IDC_BTN_SAVE             1010
#define IDC_BTN_COLOR            1012
#define IDC_BTN_BLACK            1008
#define IDC_BTN_HELP             1007

// System-menu command of the about box
#define IDM_ABOUTBOX 0x0010

// Strings: system menu and the Enter-key button captions
#define IDS_ABOUTBOX            101
#define IDS_KEY_CLOSE           108
#define IDS_KEY_HELP            109
#define IDS_KEY_BLACK           110
#define IDS_KEY_RESTORE_FACTORY 111
#define IDS_KEY_SAVE            112
#define IDS_KEY_COLOR           114

// Strings: paper sources
#define IDS_SOURCE_UPPER 130
#define IDS_SOURCE_LOWER 131
#define IDS_SOURCE_REAR  132

// Strings: tooltips
#define IDS_TIP_HELP            134
#define IDS_TIP_BLACK           135
#define IDS_TIP_RESTORE_FACTORY 136
#define IDS_TIP_SAVE            137
#define IDS_TIP_COLOR           138
#define IDS_TIP_FIT_TO_PAGE     149
#define IDS_TIP_CUSTOM_SIZE     150
#define IDS_TIP_BEST            154
#define IDS_TIP_NORMAL          155
#define IDS_TIP_FAST            156
#define IDS_TIP_CONTRAST        157
#define IDS_TIP_SIZE            158
#define IDS_TIP_TYPE            159
#define IDS_TIP_SCALE           160
#define IDS_TIP_TEXT            300
#define IDS_TIP_PHOTO           301
#define IDS_TIP_MIXED           302
#define IDS_TIP_COPIES          341
#define IDS_TIP_SOURCE          342
#define IDS_TIP_ACTUAL_SIZE     343
#define IDS_TIP_BORDERLESS      1116

// Strings: status dialog captions and device messages (error index in brackets)
#define IDS_ERR_INK_EMPTY           305  // [25]
#define IDS_ERR_NOT_RESPONDING      306  // [13]
#define IDS_CANCEL                  308
#define IDS_ERR_OFFLINE             309  // [1]
#define IDS_ERR_BUSY                310  // [2]
#define IDS_ERR_INK_LOW             311  // [3]
#define IDS_ERR_NO_BLACK_CARTRIDGE  312  // [4]
#define IDS_ERR_NO_COLOR_CARTRIDGE  313  // [5]
#define IDS_ERR_CARTRIDGE_DOOR_OPEN 314  // [6]
#define IDS_ERR_CARRIAGE_JAM        315  // [7]
#define IDS_ERR_TRAY_NOT_IN_PLACE   316  // [8]
#define IDS_ERR_PAPER_JAM           317  // [9]
#define IDS_ERR_OUT_OF_PAPER        318  // [10]
#define IDS_ERR_ADF_JAM             319  // [11]
#define IDS_ERR_ADF_NOT_READY       320  // [12]
#define IDS_ERR_DUPLEX_SCAN         321  // [14]
#define IDS_ERR_DUPLEX_PRINT        322  // [15]
#define IDS_ERR_COVER_OPEN          323  // [16]
#define IDS_ERR_NO_ORIGINAL_IN_ADF  324  // [17]
#define IDS_ERR_ORIGINAL_MISALIGNED 325  // [18]
#define IDS_ERR_INSERT_ORIGINAL     326  // [19]
#define IDS_ERR_REMOVE_ORIGINAL     327  // [20]
#define IDS_ERR_GENERAL             328  // [21]
#define IDS_ERR_TRY_AGAIN           329  // [22]
#define IDS_ERR_CHECK_STATUS        330  // [23]
#define IDS_ERR_TRY_LATER           331  // [24]
#define IDS_ERR_NONE                332  // [0]
#define IDS_OK                      333

// Strings: titles
#define IDS_HEADER_TITLE 345
#define IDS_CAPTION      1114
