#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/StringList.h"

using namespace lindora;

TEST(StringList, CommaTextQuotesWhereNeededAndRoundTrips) {
    StringList list({"plain", "two words", "a,b", "say \"hi\"", "", "tab\there"});
    EXPECT_EQ(list.commaText(), R"(plain,"two words","a,b","say ""hi""","","tab	here")");
    StringList back;
    back.setCommaText(list.commaText());
    EXPECT_EQ(back, list);
}

TEST(StringList, ParsesCommaText) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a,b,c", {"a", "b", "c"}},
        {" a , b ", {"a", "b"}},
        {R"("x, y",z)", {"x, y", "z"}},
        {R"("He said ""no""")", {"He said \"no\""}},
        {"a,", {"a", ""}},
        {"a b", {"a", "b"}},  // a blank ends an unquoted entry
        {R"("unterminated)", {"unterminated"}},
    };
    for (const Case& c : cases) {
        StringList list;
        list.setCommaText(c.text);
        EXPECT_EQ(list.lines(), c.lines) << c.text;
    }
}

TEST(StringList, FindsIgnoringCaseAndKeepsObjects) {
    StringList list;
    list.add("Default", 7);
    list.add("Tools");
    EXPECT_EQ(list.indexOf("DEFAULT"), 0);
    EXPECT_EQ(list.indexOf("tools"), 1);
    EXPECT_EQ(list.indexOf("missing"), -1);
    list.move(0, 1);
    EXPECT_EQ(list[1], "Default");
    EXPECT_EQ(std::any_cast<int>(list.object(1)), 7);
    EXPECT_THROW(list.get(2), EPropertyError);
}

TEST(StringList, TextAndValues) {
    StringList list;
    list.setText("a=1\r\nB=2\nc\r");
    EXPECT_EQ(list.lines(), (std::vector<std::string>{"a=1", "B=2", "c"}));
    EXPECT_EQ(list.value("b"), "2");
    EXPECT_EQ(list.name(0), "a");
    list.setValue("A", "9");
    list.setValue("d", "4");
    list.setValue("B", "");
    EXPECT_EQ(list.text(), "A=9\nc\nd=4\n");
}

TEST(StringList, ChangeNoticeOncePerUpdate) {
    StringList list;
    int changes = 0;
    list.OnChange.bind([&](Persistent*) { ++changes; });
    list.add("x");
    EXPECT_EQ(changes, 1);
    list.beginUpdate();
    list.add("y");
    list.add("z");
    list.endUpdate();
    EXPECT_EQ(changes, 2);
}
