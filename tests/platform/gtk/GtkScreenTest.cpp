#include "platform_gtk/GtkScreen.h"

#include <gtest/gtest.h>

#include "GtkTestDisplay.h"
#include "ui/Messages.h"
#include "ui/SystemMetrics.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

TEST(GtkScreen, DesktopFontNamesBecomeSystemFonts) {
    struct Case {
        const char* name;
        const char* family;
        int height;
        int weight;
        bool italic;
    } cases[] = {
        {"Cantarell 11", "Cantarell", -15, 400, false},
        {"DejaVu Sans Bold 9", "DejaVu Sans", -12, 700, false},
        {"Sans Italic 10", "Sans", -13, 400, true},
        {"Monospace 12px", "Monospace", -12, 400, false},
        {"", "Sans", -13, 400, false},
    };
    for (const Case& c : cases) {
        const SystemFontSpec f = GtkScreen::fontSpecFromName(c.name);
        EXPECT_EQ(f.family, c.family) << c.name;
        EXPECT_EQ(f.height, c.height) << c.name;
        EXPECT_EQ(f.weight, c.weight) << c.name;
        EXPECT_EQ(f.italic, c.italic) << c.name;
    }
}

TEST(GtkScreen, MonitorsAndMetricsComeFromTheDisplay) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    const ScreenInfo& screen = GtkTestDisplay::integration()->screen();
    const auto monitors = screen.monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].bounds, Rect(0, 0, 1280, 1024));
    EXPECT_TRUE(monitors[0].bounds.contains(monitors[0].workArea));
    EXPECT_TRUE(monitors[0].primary);
    EXPECT_EQ(screen.systemMetric(SM_CXSCREEN), 1280);
    EXPECT_EQ(screen.systemMetric(SM_CYSCREEN), 1024);
    EXPECT_EQ(screen.systemMetric(SM_CMONITORS), 1);
    EXPECT_EQ(screen.systemMetric(SM_CXEDGE), 2);
    EXPECT_GT(screen.systemMetric(SM_CXDOUBLECLK), 0);
    EXPECT_EQ(screen.systemMetric(-1), 0);
    EXPECT_EQ(screen.systemColor(COLOR_BTNFACE), RGB(212, 208, 200));
    // Xvfb runs no compositor: the window layer must use its opaque fall-backs.
    EXPECT_FALSE(screen.supportsTranslucency());
    const NonClientFonts fonts = screen.nonClientFonts();
    EXPECT_FALSE(fonts.menu.family.empty());
    EXPECT_LT(fonts.menu.height, 0);
    EXPECT_GE(fonts.caption.weight, 700);
}

TEST(GtkKeyboardLayout, MapsCharactersAndKeysOfTheDisplaysLayout) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    const KeyboardLayout& layout = GtkTestDisplay::integration()->keyboardLayout();
    // Xvfb starts with the US layout.
    auto a = layout.keyForChar(U'a');
    ASSERT_TRUE(a);
    EXPECT_EQ(a->vk, 'A');
    EXPECT_FALSE(a->shift);
    auto upper = layout.keyForChar(U'A');
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->vk, 'A');
    EXPECT_TRUE(upper->shift);
    auto bang = layout.keyForChar(U'!');
    ASSERT_TRUE(bang);
    EXPECT_EQ(bang->vk, '1');
    EXPECT_TRUE(bang->shift);
    EXPECT_FALSE(layout.keyForChar(U'\u20AC'));  // no euro key on the US layout
    EXPECT_EQ(layout.charForKey('A', false), U'a');
    EXPECT_EQ(layout.charForKey('A', true), U'A');
    EXPECT_EQ(layout.charForKey(VK_OEM_2, true), U'?');
    EXPECT_EQ(layout.charForKey(VK_F1, false), 0u);
    EXPECT_EQ(layout.keyName(VK_F10), "F10");
    EXPECT_EQ(layout.keyName('Q'), "Q");
    EXPECT_EQ(layout.keyName(VK_OEM_COMMA), ",");
}

}  // namespace
}  // namespace lindora
