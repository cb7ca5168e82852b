#include <gtest/gtest.h>

#include <string>

#include "framework/ClassInfo.h"
#include "framework/Exceptions.h"
#include "framework/PropValue.h"
#include "framework/Streams.h"
#include "framework/Strings.h"

namespace vl {
namespace {

TStringList& Fill(TStringList& list, std::initializer_list<const char*> items) {
    for (const char* s : items) list.Add(s);
    return list;
}

TEST(StringList, IndexOutsideBoundsRaisesListError) {
    TStringList list;
    Fill(list, {"a", "b", "c"});
    try {
        list.Strings(3);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ("List index out of bounds (3)", e.what());
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Put(3, "x"), EListError);
    EXPECT_THROW(list.Insert(4, "x"), EListError);
}

TEST(StringList, AddReturnsIndexAndInsertShiftsItems) {
    TStringList list;
    EXPECT_EQ(0, list.Add("a"));
    EXPECT_EQ(1, list.Add("c"));
    list.Insert(1, "b");
    list.Insert(3, "d");
    EXPECT_EQ("a,b,c,d", list.CommaText());
}

TEST(StringList, TextJoinsLinesWithCrLf) {
    TStringList list;
    Fill(list, {"one", "", "three"});
    EXPECT_EQ("one\r\n\r\nthree", list.Text());
}

TEST(StringList, SetTextSplitsOnEveryKindOfLineBreak) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd\n\re\r\n");
    ASSERT_EQ(6, list.Count());
    EXPECT_EQ("a|b|c|d||e", list[0] + "|" + list[1] + "|" + list[2] + "|" + list[3] + "|" + list[4] + "|" + list[5]);
}

TEST(StringList, ExchangeSwapsStringsAndObjects) {
    TStringList list;
    int x = 0, y = 0;
    list.AddObject("x", &x);
    list.AddObject("y", &y);
    list.Exchange(0, 1);
    EXPECT_EQ("y,x", list.CommaText());
    EXPECT_EQ(&y, list.Objects(0));
    EXPECT_EQ(&x, list.Objects(1));
}

TEST(StringList, MovePutsItemAtTargetIndex) {
    TStringList list;
    Fill(list, {"a", "b", "c", "d"});
    list.Move(0, 2);
    EXPECT_EQ("b,c,a,d", list.CommaText());
    list.Move(3, 0);
    EXPECT_EQ("d,b,c,a", list.CommaText());
    EXPECT_THROW(list.Move(0, 4), EListError);
}

TEST(StringList, IndexOfIgnoresCase) {
    TStringList list;
    Fill(list, {"Alpha", "Beta"});
    EXPECT_EQ(1, list.IndexOf("bETA"));
    EXPECT_EQ(-1, list.IndexOf("Gamma"));
}

TEST(StringList, OnChangeFiresPerChangeAndOncePerUpdate) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(&list, sender);
        ++changes;
    };
    list.Add("a");
    list.Put(0, "b");
    list.Delete(0);
    EXPECT_EQ(3, changes);
    list.BeginUpdate();
    Fill(list, {"x", "y", "z"});
    EXPECT_EQ(3, changes);
    list.EndUpdate();
    EXPECT_EQ(4, changes);
}

TEST(StringList, AssignCopiesItemsAndObjects) {
    TStringList source, target;
    int tag = 0;
    source.AddObject("one", &tag);
    source.Add("two");
    Fill(target, {"old"});
    target.Assign(source);
    EXPECT_TRUE(target.Equals(source));
    EXPECT_EQ(&tag, target.Objects(0));
}

TEST(StringList, CommaTextQuotesItemsThatNeedIt) {
    TStringList list;
    Fill(list, {"plain", "two words", "say \"hi\"", ""});
    std::string text = list.CommaText();
    EXPECT_EQ("plain,\"two words\",\"say \"\"hi\"\"\",\"\"", text);
    TStringList back;
    back.SetCommaText(text);
    EXPECT_TRUE(back.Equals(list));
}

TEST(StringList, SortedListPlacesItemsAndIgnoresDuplicates) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"pear", "Apple", "fig", "apple"});
    EXPECT_EQ("Apple,fig,pear", list.CommaText());
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    list.SetDuplicates(TDuplicates::Error);
    EXPECT_THROW(list.Add("FIG"), EListError);
}

TEST(StringList, StreamRoundTripEndsEveryLine) {
    TStringList list;
    Fill(list, {"a", "b"});
    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(6, stream.Size());
    TStringList back;
    stream.SetPosition(0);
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(list));
}

TEST(StringList, StringsPropertyReplacesItems) {
    TStringList list;
    Fill(list, {"old"});
    TPropValue value;
    value.kind = TPropValue::Kind::List;
    value.list = {TPropValue::Str("Sequent"), TPropValue::Str("Random")};
    SetPropValue(list, "Strings", value);
    EXPECT_EQ("Sequent,Random", list.CommaText());
}

}  // namespace
}  // namespace vl
