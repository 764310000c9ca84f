#include <gtest/gtest.h>

#include "testsupport.h"

TEST(CStringTest, BuildsComparesAndConcatenates)
{
    CString s("QV");
    s += " Copy";
    s += ':';
    EXPECT_STREQ("QV Copy:", s);
    EXPECT_EQ(8, s.GetLength());
    EXPECT_TRUE(s == "QV Copy:" && "QV Copy:" == s && s != CString("qv copy:"));
    EXPECT_EQ(0, s.CompareNoCase("qv COPY:"));
    EXPECT_NE(0, s.CompareNoCase("qv COPY"));
    EXPECT_STREQ("a-b", CString("a") + '-' + "b");
    EXPECT_STREQ("xyz", "x" + CString("y") + CString("z"));
    EXPECT_EQ('\0', CString("ab")[5]);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("", s);
    // Pieces of itself: the source must survive the reallocation.
    s = "abc";
    s += s;
    EXPECT_STREQ("abcabc", s);
    s = s.Mid(1, 2);
    s.Insert(1, s.GetString());
    EXPECT_STREQ("bbcc", s);
}

TEST(CStringTest, FindsAndCuts)
{
    const CString s("C:\\Program Files\\QV\\qvkcopy2.exe -n #a#b");
    EXPECT_EQ(33, s.Find("-n"));
    EXPECT_EQ(-1, s.Find("-CtxID"));
    EXPECT_EQ(-1, s.Find("-n", 35));
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_EQ(19, s.ReverseFind('\\'));
    const struct
    {
        CString got;
        const char* expected;
    } cuts[] = {{s.Left(3), "C:\\"}, {s.Right(4), "#a#b"}, {s.Mid(36), "#a#b"}, {s.Mid(3, 7), "Program"},
                {s.Mid(100), ""},    {s.Left(1000), s},    {s.Right(-1), ""}};
    for (const auto& cut : cuts)
        EXPECT_STREQ(cut.expected, cut.got);
}

TEST(CStringTest, ReplacesRemovesInsertsDeletes)
{
    CString s("c:\\qv\\qvkcopy2.exe and qvkcopy2.exe");
    EXPECT_EQ(2, s.Replace("qvkcopy2.exe", "qvfcCopy.exe"));
    EXPECT_STREQ("c:\\qv\\qvfcCopy.exe and qvfcCopy.exe", s);
    EXPECT_EQ(0, s.Replace("absent", "x"));
    CString id("#QV#Model 5#1234");
    EXPECT_EQ(3, id.Remove('#'));
    EXPECT_EQ(2, id.Replace(' ', '_') + id.Replace('Q', 'q'));
    EXPECT_STREQ("qVModel_51234", id);
    id.Delete(0, 2);
    id.Delete(5, 100);
    id.Insert(0, "A ");
    id.Insert(100, '!');
    EXPECT_STREQ("A Model!", id);
}

TEST(CStringTest, TrimsAndChangesCase)
{
    CString s(" \t Sa&ve Settings \r\n");
    s.Trim();
    EXPECT_STREQ("Sa&ve Settings", s);
    CString t("xxabcxx");
    t.TrimLeft('x');
    t.TrimRight("x");
    EXPECT_STREQ("abc", t);
    CString blank("   ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
    s.MakeUpper();
    EXPECT_STREQ("SA&VE SETTINGS", s);
    s.MakeLower();
    EXPECT_STREQ("sa&ve settings", s);
}

TEST(CStringTest, FormatsAndFillsBuffers)
{
    CString s;
    s.Format("%s%s %d", "CCopyUIDlg::", "OnInitDialog", 42);
    EXPECT_STREQ("CCopyUIDlg::OnInitDialog 42", s);
    s.Format("[%s]", CString('x', 5000).GetString());
    EXPECT_EQ(5002, s.GetLength());
    s.AppendFormat("%03d", 7);
    EXPECT_STREQ("007", s.Right(3));

    s = "ab";
    lstrcpynA(s.GetBuffer(300), "a much longer text", 300);
    EXPECT_EQ(2, s.GetLength());  // until released
    s.ReleaseBuffer();
    EXPECT_EQ(18, s.GetLength());
    s.GetBuffer(10);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("a m", s);
}

TEST(CollectionTest, StringArrayAndListKeepOrder)
{
    CStringArray a;
    EXPECT_EQ(1, a.Add("LEFT") + a.Add(CString("TOP")));
    a.InsertAt(1, "RIGHT");
    a.RemoveAt(0);
    a[1] = "BOTTOM";
    ASSERT_EQ(1, a.GetUpperBound());
    EXPECT_STREQ("RIGHT", a.GetAt(0));
    EXPECT_STREQ("BOTTOM", a[1]);

    CList<CPoint, CPoint&> list(10);
    CPoint a0(0, 0), b1(1, 2), c5(-5, 5);
    list.AddTail(a0);
    list.AddTail(b1);
    list.AddHead(c5);
    POSITION pos = list.Find(a0);
    ASSERT_NE(nullptr, pos);
    list.InsertAfter(pos, c5);
    list.RemoveAt(pos);
    std::vector<int> order;
    for (pos = list.GetHeadPosition(); pos;)
        order.push_back(list.GetNext(pos).x);
    EXPECT_EQ((std::vector<int>{-5, -5, 1}), order);
    EXPECT_EQ(1, list.RemoveTail().x);
    EXPECT_EQ(-5, list.GetTail().x);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

TEST(CRectTest, Geometry)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    r.TopLeft() = CPoint(50, 60);
    EXPECT_EQ(CRect(50, 60, 110, 70), r);
    EXPECT_EQ(CRect(100, 60, 110, 65), r & CRect(100, 0, 200, 65));
    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty() && !flipped.IsRectNull());
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
}
