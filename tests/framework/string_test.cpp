#include <gtest/gtest.h>

#include "testsupport.h"

TEST(CStringTest, BuildsComparesAndConcatenates) {
    CString s("QV");
    s += " Copy";
    s += ':';
    EXPECT_STREQ("QV Copy:", s);
    EXPECT_EQ(8, s.GetLength());
    EXPECT_TRUE(s == "QV Copy:");
    EXPECT_TRUE("QV Copy:" == s);
    EXPECT_TRUE(s != CString("qv copy:"));
    EXPECT_EQ(0, s.CompareNoCase("qv COPY:"));
    EXPECT_STREQ("a-b", CString("a") + '-' + "b");
    EXPECT_STREQ("xyz", "x" + CString("y") + CString("z"));
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ("", empty);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ('\0', CString("ab")[5]);
}

TEST(CStringTest, AppendsAPieceOfItself) {
    CString s("abc");
    s += s;
    EXPECT_STREQ("abcabc", s);
    s = s.Mid(1, 2);
    EXPECT_STREQ("bc", s);
    s.Insert(1, s.GetString());
    EXPECT_STREQ("bbcc", s);
}

TEST(CStringTest, FindsAndCuts) {
    CString s("C:\\Program Files\\QV\\qvkcopy2.exe -n #a#b");
    EXPECT_EQ(33, s.Find("-n"));
    EXPECT_EQ(-1, s.Find("-CtxID"));
    EXPECT_EQ(-1, s.Find("-n", 35));
    EXPECT_EQ(19, s.ReverseFind('\\'));
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_STREQ("C:\\", s.Left(3));
    EXPECT_STREQ("#a#b", s.Right(4));
    EXPECT_STREQ("#a#b", s.Mid(36));
    EXPECT_STREQ("Program", s.Mid(3, 7));
    EXPECT_STREQ("", s.Mid(100));
    EXPECT_STREQ(s, s.Left(1000));
    EXPECT_STREQ("", s.Right(-1));
}

TEST(CStringTest, ReplacesRemovesInsertsDeletes) {
    CString s("c:\\qv\\qvkcopy2.exe and qvkcopy2.exe");
    EXPECT_EQ(2, s.Replace("qvkcopy2.exe", "qvfcCopy.exe"));
    EXPECT_STREQ("c:\\qv\\qvfcCopy.exe and qvfcCopy.exe", s);
    EXPECT_EQ(0, s.Replace("absent", "x"));
    CString id("#QV#Model 5#1234");
    EXPECT_EQ(3, id.Remove('#'));
    EXPECT_STREQ("QVModel 51234", id);
    EXPECT_EQ(2, id.Replace(' ', '_') + id.Replace('Q', 'q'));
    EXPECT_STREQ("qVModel_51234", id);
    id.Delete(0, 2);
    EXPECT_STREQ("Model_51234", id);
    id.Delete(5, 100);
    EXPECT_STREQ("Model", id);
    id.Insert(0, "A ");
    id.Insert(100, '!');
    EXPECT_STREQ("A Model!", id);
}

TEST(CStringTest, TrimsAndChangesCase) {
    CString s(" \t Sa&ve Settings \r\n");
    s.Trim();
    EXPECT_STREQ("Sa&ve Settings", s);
    CString t("xxabcxx");
    t.TrimLeft('x');
    EXPECT_STREQ("abcxx", t);
    t.TrimRight("x");
    EXPECT_STREQ("abc", t);
    CString blank("   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
    CString path("C:\\Users\\QV\\QVKCOPY2.EXE");
    path.MakeLower();
    EXPECT_STREQ("c:\\users\\qv\\qvkcopy2.exe", path);
    path.MakeUpper();
    EXPECT_STREQ("C:\\USERS\\QV\\QVKCOPY2.EXE", path);
}

TEST(CStringTest, FormatsLongTexts) {
    CString s;
    s.Format("%s%s %d", "CCopyUIDlg::", "OnInitDialog", 42);
    EXPECT_STREQ("CCopyUIDlg::OnInitDialog 42", s);
    CString longText(static_cast<char>('x'), 5000);
    s.Format("[%s]", longText.GetString());
    EXPECT_EQ(5002, s.GetLength());
    s.AppendFormat("%03d", 7);
    EXPECT_STREQ("007", s.Right(3));
}

TEST(CStringTest, BufferKeepsLengthUntilReleased) {
    CString s("ab");
    char* p = s.GetBuffer(300);
    EXPECT_EQ(2, s.GetLength());
    lstrcpynA(p, "a much longer text", 300);
    s.ReleaseBuffer();
    EXPECT_STREQ("a much longer text", s);
    EXPECT_EQ(18, s.GetLength());
    GetModuleFileNameA(NULL, s.GetBuffer(MAX_PATH), MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_NE(-1, s.Find(".exe"));
    s.GetBuffer(10);
    s.ReleaseBuffer(3);
    EXPECT_EQ(3, s.GetLength());
}

TEST(CStringTest, LoadsStringsFromTheResourceModule) {
    CString s;
    EXPECT_TRUE(s.LoadString(1114));
    EXPECT_STREQ("QV Copy:", s);
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_TRUE(s.IsEmpty());
    CString byId(MAKEINTRESOURCEA(1114));
    EXPECT_STREQ("QV Copy:", byId);
}

TEST(CStringArrayTest, AddsInsertsRemoves) {
    CStringArray a;
    EXPECT_EQ(0, a.Add("LEFT"));
    EXPECT_EQ(1, a.Add(CString("TOP")));
    a.Add("LEFT");
    a.InsertAt(1, "RIGHT");
    ASSERT_EQ(4, a.GetSize());
    EXPECT_STREQ("RIGHT", a[1]);
    EXPECT_STREQ("TOP", a.GetAt(2));
    a.RemoveAt(0);
    EXPECT_STREQ("RIGHT", a[0]);
    a[0] = "BOTTOM";
    EXPECT_STREQ("BOTTOM", a.GetAt(0));
    EXPECT_EQ(2, a.GetUpperBound());
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

struct Edge {
    int x1, y1, x2, y2;
    bool operator==(const Edge& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
};

TEST(CListTest, KeepsInsertionOrder) {
    CList<Edge, Edge&> list(10);
    Edge a{0, 0, 10, 0}, b{1, 2, 3, 4}, c{-5, -5, 5, 5};
    list.AddTail(a);
    list.AddTail(b);
    list.AddHead(c);
    ASSERT_EQ(3, list.GetCount());
    std::vector<int> order;
    for (POSITION pos = list.GetHeadPosition(); pos;) order.push_back(list.GetNext(pos).x1);
    EXPECT_EQ((std::vector<int>{-5, 0, 1}), order);
    POSITION pos = list.Find(a);
    ASSERT_NE(nullptr, pos);
    list.InsertAfter(pos, c);
    list.RemoveAt(pos);
    EXPECT_EQ(-5, list.GetHead().x1);
    EXPECT_EQ(1, list.GetTail().x1);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(1, list.RemoveTail().x1);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

TEST(CRectTest, Geometry) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    r.OffsetRect(-10, -20);
    EXPECT_EQ(CRect(0, 0, 100, 50), r);
    r.DeflateRect(4, 4);
    EXPECT_EQ(CRect(4, 4, 96, 46), r);
    EXPECT_TRUE(r.PtInRect(CPoint(4, 4)));
    EXPECT_FALSE(r.PtInRect(CPoint(96, 46)));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(CSize(96, 46), r.Size());
    CRect inter = r & CRect(50, 40, 200, 200);
    EXPECT_EQ(CRect(50, 40, 96, 46), inter);
    CRect empty;
    EXPECT_TRUE(empty.IsRectEmpty());
    EXPECT_TRUE(empty.IsRectNull());
    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
}
