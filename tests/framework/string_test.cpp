#include "testsupport.h"

TEST(CStringTest, EditsKeepLengthAndTextTogether)
{
    CString s("abc");
    s += s;  // a piece of itself: the source must survive the reallocation
    EXPECT_STREQ("abcabc", s);
    CString id("#QV#Model 5#1234");
    EXPECT_EQ(3, id.Remove('#'));
    EXPECT_EQ(1, id.Replace(" ", "__"));
    id.Delete(0, 2);
    id.Insert(100, '!');
    EXPECT_STREQ("Model__51234!", id);
    EXPECT_EQ(13, id.GetLength());

    const CString path("C:\\QV\\qvkcopy2.exe -n #a#b");
    const struct
    {
        CString got;
        const char* expected;
    } cuts[] = {
        {path.Left(path.ReverseFind('\\') + 1), "C:\\QV\\"},
        {path.Mid(path.Find("-n") + 3), "#a#b"},
        {path.Mid(100), ""},
        {path.Right(-1), ""},
        {path.Left(1000), path},
        {CString(" \t Sa&ve \r\n").Trim(), "Sa&ve"},
        {CString("xxabcxx").TrimLeft('x').TrimRight("x"), "abc"},
        {CString("ab") + '-' + "cd", "ab-cd"},
    };
    for (const auto& cut : cuts)
        EXPECT_STREQ(cut.expected, cut.got);
    EXPECT_EQ(-1, path.Find("-n", 30));
    EXPECT_EQ(0, CString("QV Copy:").CompareNoCase("qv COPY:"));
}

TEST(CStringTest, FormatAndBuffersHaveNoFixedLimit)
{
    CString s;
    s.Format("[%s]%03d", CString('x', 5000).GetString(), 7);
    EXPECT_EQ(5005, s.GetLength());
    s = "ab";
    lstrcpynA(s.GetBuffer(300), "a much longer text", 300);
    EXPECT_EQ(2, s.GetLength());  // until released
    s.ReleaseBuffer();
    EXPECT_EQ(18, s.GetLength());
}
