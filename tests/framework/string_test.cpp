#include "testsupport.h"

// The edits the program makes on command lines, names, captions and buffers.
TEST(CStringTest, EditsKeepLengthAndTextTogether)
{
    CString s("abc");
    s += s;  // itself as the source
    s += (LPCSTR)s + 3;
    CString id("#QV#5 x5#1234");
    EXPECT_EQ(3, id.Remove('#'));
    EXPECT_EQ(2, id.Replace("5", "55"));  // the replacement holds the searched text
    EXPECT_EQ(8, id.Delete(4, 4));
    CString path("C:\\QV\\QVKCopy2.exe -n #a#b"), buffer("ab");
    lstrcpynA(buffer.GetBuffer(300), CString('x', 299), 300);
    buffer.ReleaseBuffer();
    const CString cuts[][2] = {
        {s, "abcabcabc"},
        {id, "QV551234"},
        {path.Left(path.Find("-n")).MakeLower(), "c:\\qv\\qvkcopy2.exe "},
        {path.Mid(path.Find('#', 23)) + path.Mid(100) + path.Left(-1), "#b"},
        {CString(" \t Sa&ve \r\n").Trim() + CString(" \t ").Trim(), "Sa&ve"},
        {CString(L"Wide"), "Wide"},
        {buffer, CString('x', 299)},
    };
    for (const auto& cut : cuts)
        EXPECT_STREQ(cut[1], cut[0]) << &cut - cuts;
    EXPECT_EQ(-1, path.Find("-n", 30));
    EXPECT_FALSE(s.LoadString(0xFFF0));  // no such string: empty
    EXPECT_TRUE(s.IsEmpty());
}
