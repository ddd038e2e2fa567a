// Input scripts: the commands they accept and the errors that stop them before anything runs.
#include <gtest/gtest.h>

#include "platform/offscreen/InputScript.h"
#include "platform/offscreen/UsKeyboardLayout.h"
#include "ui/Messages.h"

namespace lindora {
namespace {

using K = ScriptCommand::Kind;

TEST(InputScriptTest, ParsesEveryCommand) {
    const auto script = InputScript::parse(
        "# a comment\n"
        "move 10 20\n"
        "press left\n"
        "release right\n"
        "\n"
        "click 5 -6\n"
        "dblclick 1 2\n"
        "key Alt+H\n"
        "key F10\n"
        "keydown Shift\n"
        "keyup shift\n"
        "type Hello, World!\n"
        "wait 1500\n"
        "close\n"
        "screenshot out dir/shot.png\n");
    const auto& c = script.commands();
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].kind, K::Move);
    EXPECT_EQ(c[0].point, (Point{10, 20}));
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[1].button, 0);
    EXPECT_EQ(c[2].kind, K::Release);
    EXPECT_EQ(c[2].button, 1);
    EXPECT_EQ(c[3].point, (Point{5, -6}));
    EXPECT_EQ(c[4].kind, K::DoubleClick);
    EXPECT_EQ(c[5].keys, (std::vector<unsigned>{VK_MENU, 'H'}));
    EXPECT_EQ(c[6].keys, (std::vector<unsigned>{VK_F10}));
    EXPECT_EQ(c[7].keys, (std::vector<unsigned>{VK_SHIFT}));
    EXPECT_EQ(c[8].kind, K::KeyUp);
    EXPECT_EQ(c[9].text, U"Hello, World!");
    EXPECT_EQ(c[10].ms, 1500);
    EXPECT_EQ(c[11].kind, K::Close);
    EXPECT_EQ(c[12].file, "out dir/shot.png");
}

TEST(InputScriptTest, ABadLineIsReportedWithItsNumberAndWhatIsWrong) {
    struct Case {
        const char* text;
        int line;
        const char* what;
    };
    const Case cases[] = {
        {"move 1 2\njump 3 4\n", 2, "unknown command \"jump\""},
        {"click 10\n", 1, "expected \"click X Y\""},
        {"move 1 x\n", 1, "Y must be a whole number, not \"x\""},
        {"press up\n", 1, "unknown button \"up\""},
        {"key Alt+Hyper\n", 1, "unknown key \"Hyper\""},
        {"key H+Alt\n", 1, "only Alt, Ctrl and Shift can come before"},
        {"key F13\n", 1, "unknown key \"F13\""},
        {"key F99999999999\n", 1, "unknown key \"F99999999999\""},
        {"key Ctrl+\n", 1, "key combination ends with \"+\""},
        {"key Ctrl++A\n", 1, "only Alt, Ctrl and Shift can come before"},
        {"\n\nwait -5\n", 3, "wait needs a time of 0 ms or more"},
        {"type\n", 1, "expected \"type TEXT\""},
        {"type caf\xC3\xA9\n", 1, "cannot be typed on the US keyboard layout"},
        // An overlong "a" and a truncated sequence are not text, even where they would decode
        // to something typeable.
        {"move 1 2\ntype \xC1\xA1\n", 2, "not valid UTF-8"},
        {"type ab\xE2\x82\n", 1, "not valid UTF-8"},
        {"screenshot\n", 1, "expected \"screenshot FILE\""},
        {"close now\n", 1, "expected \"close\""},
    };
    for (const auto& c : cases) {
        try {
            InputScript::parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const InputScriptError& e) {
            EXPECT_EQ(e.line(), c.line) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.what), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.line)), std::string::npos);
        }
    }
}

TEST(InputScriptTest, PlusKeyAndLinesOfOtherWhiteSpace) {
    // A trailing "+" is the plus key; lines of vertical tabs and form feeds are blank.
    const auto script = InputScript::parse("key Ctrl++\n\v\f\n\f\nkey +\n \v key Shift+F12 \f\n");
    const auto& c = script.commands();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].keys, (std::vector<unsigned>{VK_CONTROL, VK_OEM_PLUS}));
    EXPECT_EQ(c[1].keys, (std::vector<unsigned>{VK_OEM_PLUS}));
    EXPECT_EQ(c[1].line, 4);
    EXPECT_EQ(c[2].keys, (std::vector<unsigned>{VK_SHIFT, VK_F12}));
}

TEST(InputScriptTest, AMissingFileIsNamed) {
    try {
        InputScript::load("/nonexistent/dir/script.txt");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/dir/script.txt"), std::string::npos);
    }
}

TEST(UsKeyboardLayoutTest, MapsCharactersToKeysWithShiftAndBack) {
    UsKeyboardLayout layout;
    struct Case {
        char32_t ch;
        unsigned vk;
        bool shift;
    };
    const Case cases[] = {{U'a', 'A', false},     {U'A', 'A', true},      {U'1', '1', false},
                          {U'!', '1', true},      {U'&', '7', true},      {U'-', VK_OEM_MINUS, false},
                          {U'?', VK_OEM_2, true}, {U' ', VK_SPACE, false}};
    for (const auto& c : cases) {
        auto k = layout.keyForChar(c.ch);
        ASSERT_TRUE(k.has_value());
        EXPECT_EQ(k->vk, c.vk);
        EXPECT_EQ(k->shift, c.shift);
        EXPECT_EQ(layout.charForKey(c.vk, c.shift), c.ch);
    }
    EXPECT_FALSE(layout.keyForChar(U'\u00E9').has_value());
    EXPECT_EQ(UsKeyboardLayout::keyFromName("pagedown"), std::optional<unsigned>(VK_NEXT));
    EXPECT_EQ(layout.keyName(VK_F10), "F10");
}

}  // namespace
}  // namespace lindora
