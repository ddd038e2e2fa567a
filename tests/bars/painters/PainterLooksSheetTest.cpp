// One sheet per look (flat, standard, enhanced) drawn by calling the painter directly: buttons
// in every state, a drop-down button, a submenu column, a bar border with grip and mark, a
// floating caption and progress bars. Each is compared pixel-exactly with the reference image
// beside this test and written into the current directory (with a 3x enlargement) for looking
// at; set LINDORA_UPDATE_REFERENCES=1 to replace the references on purpose.
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterTestSupport.h"
#include "gfx/ImageList.h"
#include "support/ReferencePicture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lindora {
namespace {

enum Glyph { Login, Help, Exit, About };

class Sheet {
public:
    Sheet(const BarItemControlPainter& painter) : painter_(painter), bitmap_(560, 372, clBtnFace), canvas_(bitmap_) {
        for (const char* name : {"login", "help", "exit", "about"})
            images_.addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        bar_.barBackground = painter.barBackgroundBrush(nullptr);
        bar_.itemHeight = 22;
        menu_ = bar_;
        menu_.inSubmenu = true;
        menu_.submenuItemHeight = painter.submenuItemHeight(13);
        menu_.barBackground = painter.submenuBackgroundBrush(nullptr);
        canvas_.setFont(text());
    }

    Bitmap render() {
        buttonRows(4);
        dropDownRow(118);
        submenuColumn(4, 160);
        barRow(190, 160);
        captionRow(190, 232);
        progressRow(190, 300);
        return bitmap_;
    }

private:
    static Font text() { return Font("Tahoma", -11, fsNone, clBtnText); }

    void label(int x, int y, const std::string& s) {
        canvas_.setFont(Font("DejaVu Sans", -9, fsNone, clBtnText));
        canvas_.textOut(x, y, s);
        canvas_.setFont(text());
    }

    ButtonDrawParams button(const Rect& r, int glyph, const std::string& caption) {
        ButtonDrawParams p;
        p.rect = r;
        p.context = &bar_;
        p.images = glyph >= 0 ? &images_ : nullptr;
        p.imageIndex = glyph;
        p.showGlyph = glyph >= 0;
        p.caption = caption;
        p.showCaption = !caption.empty();
        p.captionAlignment = glyph >= 0 ? DT_LEFT : DT_CENTER;
        return p;
    }

    // Glyph only, caption only, and both, in each state; the bar's background behind them.
    void buttonRows(int y) {
        label(4, y, "normal  hot  pressed  down  down+hot  disabled");
        struct State {
            bool hot, pressed, checked, enabled;
        } states[] = {{false, false, false, true}, {true, false, false, true}, {true, true, false, true},
                      {false, false, true, true},  {true, false, true, true},  {false, false, false, false}};
        struct Kind {
            int glyph;
            const char* caption;
            int width;
        } kinds[] = {{Login, "", 23}, {-1, "Help", 40}, {Exit, "E&xit", 60}};
        int top = y + 14;
        for (const Kind& k : kinds) {
            canvas_.fillRect(Rect::fromSize(4, top - 2, 6 * (k.width + 8) + 4, 26), bar_.barBackground);
            int x = 6;
            for (const State& s : states) {
                ButtonDrawParams p = button(Rect::fromSize(x, top, k.width, 22), k.glyph, k.caption);
                p.hot = s.hot;
                p.pressed = s.pressed;
                p.checked = s.checked;
                p.enabled = s.enabled;
                painter_.drawButton(canvas_, p);
                x += k.width + 8;
            }
            top += 30;
        }
    }

    // A drop-down button: its main part and its arrow part, at rest, hot, arrow pressed, open;
    // then sub items.
    void dropDownRow(int y) {
        canvas_.fillRect(Rect::fromSize(4, y - 2, 176, 26), bar_.barBackground);
        int x = 6;
        for (int state = 0; state < 4; ++state) {
            ButtonDrawParams main = button(Rect::fromSize(x, y, 23, 22), Login, "");
            main.hot = state == 1 || state == 2;
            main.checked = state == 3;
            painter_.drawButton(canvas_, main);
            DropDownPartParams arrow;
            arrow.rect = Rect::fromSize(x + 23, y, 11, 22);
            arrow.context = &bar_;
            arrow.buttonHot = state == 1 || state == 2;
            arrow.pressed = state == 2;
            arrow.hot = state == 2;
            arrow.checked = state == 3;
            painter_.drawDropDownPart(canvas_, arrow);
            x += 42;
        }
        // A sub item with a caption (the toolbar's Help) at rest, hot and open, and one with a
        // glyph too.
        canvas_.fillRect(Rect::fromSize(188, y - 2, 300, 26), bar_.barBackground);
        x = 190;
        for (int state = 0; state < 4; ++state) {
            int width = state == 3 ? 70 : 52;
            ButtonDrawParams sub = button(Rect::fromSize(x, y, width, 22), state == 3 ? Help : -1, "&Help");
            sub.hot = state == 1;
            sub.checked = state == 2;
            sub.droppedDown = state == 2;
            sub.openSubmenuRect = Rect::fromSize(x, y + 21, 120, 60);
            painter_.drawSubItem(canvas_, sub);
            x += width + 6;
        }
    }

    // Home Page, a separator and About, at rest and selected, a checked entry without a glyph,
    // a disabled one, a sub item with its arrow and the expand chevron; framed as a submenu window.
    void submenuColumn(int x, int y) {
        const int width = 170;
        const int h = menu_.submenuItemHeight;
        struct Entry {
            int glyph;
            const char* caption;
            bool separator, hot, checked, enabled, sub;
        } entries[] = {
            {Help, "&Home Page", false, false, false, true, false}, {-1, "", true, false, false, true, false},
            {About, "&About", false, false, false, true, false},    {About, "&About", false, true, false, true, false},
            {-1, "Auto &Login", false, false, true, true, false},   {-1, "Auto &Login", false, true, true, true, false},
            {Exit, "E&xit", false, false, false, false, false},     {-1, "&More", false, false, false, true, true},
        };
        int itemsHeight = 0;
        for (const Entry& e : entries) itemsHeight += e.separator ? 9 : h;
        itemsHeight += h;  // the expand entry
        Size size = painter_.submenuSize(width, itemsHeight, 0, false);
        Rect window = Rect::fromSize(x, y, size.cx, size.cy);
        painter_.drawSubmenuBackground(canvas_, window, nullptr);
        SubmenuFrameParams frame;
        frame.window = window;
        frame.leftStripBrush = painter_.submenuBackgroundBrush(nullptr);
        painter_.drawSubmenuFrame(canvas_, frame);
        int inset = painter_.submenuClientInset();
        int top = window.top + inset;
        for (const Entry& e : entries) {
            if (e.separator) {
                painter_.drawSubmenuSeparator(canvas_, Rect::fromSize(window.left + inset, top, width, 9), menu_);
                top += 9;
                continue;
            }
            ButtonDrawParams p = button(Rect::fromSize(window.left + inset, top, width, h), e.glyph, e.caption);
            p.context = &menu_;
            p.hot = e.hot;
            p.checked = e.checked;
            p.enabled = e.enabled;
            p.captionAlignment = DT_LEFT;
            if (e.sub) painter_.drawSubItem(canvas_, p);
            else painter_.drawSubmenuItem(canvas_, p);
            top += h;
        }
        // The entry that shows the items hidden as not recently used.
        painter_.drawExpandChevron(canvas_, Rect::fromSize(window.left + inset, top, width, h), false);
    }

    // A docked toolbar: border and grip, two buttons, a separator, and the mark; once at rest
    // and once truncated with the mark hot.
    void barRow(int x, int y) {
        for (int row = 0; row < 2; ++row) {
            Rect bar = Rect::fromSize(x, y + row * 34, 150, 28);
            BarBorderParams border;
            border.bar = bar;
            border.barBackground = bar_.barBackground;
            canvas_.fillRect(bar, bar_.barBackground);
            painter_.drawDockedBarBorder(canvas_, border);
            int left = bar.left + 2 + painter_.gripAreaSize();
            ButtonDrawParams login = button(Rect::fromSize(left, bar.top + 3, 23, 22), Login, "");
            login.hot = row == 1;
            painter_.drawButton(canvas_, login);
            left += 23;
            painter_.drawSeparator(canvas_, Rect::fromSize(left, bar.top + 3, painter_.separatorThickness(), 22), false,
                                   bar_.barBackground);
            left += painter_.separatorThickness();
            painter_.drawButton(canvas_, button(Rect::fromSize(left, bar.top + 3, 23, 22), Help, ""));
            MarkRectParams where;
            where.client = bar.inflated(-2, -2);
            MarkParams mark;
            mark.rect = painter_.markRect(where);
            mark.barBackground = bar_.barBackground;
            mark.truncated = row == 1;
            mark.state = row == 1 ? MarkState::Hot : MarkState::Normal;
            painter_.drawMark(canvas_, mark);
        }
    }

    // A floating bar's caption with its more-items button and its close button at rest and hot,
    // and its size grip.
    void captionRow(int x, int y) {
        for (int row = 0; row < 2; ++row) {
            Rect bar = Rect::fromSize(x + row * 180, y, 170, 40);
            canvas_.fillRect(bar, bar_.barBackground);
            BarBorderParams border;
            border.bar = bar;
            border.floating = true;
            border.barBackground = bar_.barBackground;
            painter_.drawFloatingBarBorder(canvas_, border);
            Rect caption = Rect::fromSize(bar.left + 3, bar.top + 3, bar.width() - 6, 15);
            FloatingCaptionParams c;
            c.rect = caption;
            c.caption = "Main";
            c.active = true;
            c.font = Font("Tahoma", -11, fsBold);
            painter_.drawFloatingCaption(canvas_, c);
            CaptionButtonParams close;
            close.rect = Rect::fromSize(caption.right - 14, caption.top + 1, 14, 13);
            close.active = true;
            close.state = row == 1 ? CaptionButtonState::Hot : CaptionButtonState::None;
            painter_.drawCloseButton(canvas_, close);
            CaptionButtonParams more = close;
            more.rect = close.rect.translated(-14, 0);
            more.state = CaptionButtonState::None;
            painter_.drawMoreItemsButton(canvas_, more);
            painter_.drawSizeGrip(canvas_, Rect::fromSize(bar.right - 15, bar.bottom - 15, 12, 12), bar_.barBackground);
        }
    }

    // The main toolbar's progress item: lowered border, 150-pixel bar 3 pixels from both ends,
    // blocks; at 0, 50 and 100 %, and one smooth.
    void progressRow(int x, int y) {
        label(x, y - 16, "progress 0, 50, 100 %, smooth 50 %");
        struct Case {
            int position;
            bool smooth;
        } cases[] = {{0, false}, {50, false}, {100, false}, {50, true}};
        for (int i = 0; i < 4; ++i) {
            const Case& c = cases[i];
            Rect item = Rect::fromSize(x + (i % 2) * 180, y + (i / 2) * 26, 156, 20);
            canvas_.fillRect(item, bar_.barBackground);
            Rect inside = item;
            painter_.drawBorderByStyle(canvas_, inside, sbsLowered);
            ProgressDrawParams p;
            int thickness = 13;
            p.rect = Rect::fromSize(item.left + 3, (item.top + item.bottom - thickness) / 2, 150, thickness);
            p.position = c.position;
            p.smooth = c.smooth;
            p.color = painter_.progressColor();
            p.background = bar_.barBackground;
            painter_.drawProgressBar(canvas_, p);
        }
    }

    const BarItemControlPainter& painter_;
    Bitmap bitmap_;
    Canvas canvas_;
    ImageList images_{16, 16};
    BarDrawContext bar_;
    BarDrawContext menu_;
};

class PainterLooksSheet : public ::testing::TestWithParam<BarPainterKind> {};

TEST_P(PainterLooksSheet, MatchesTheReference) {
    test::SchemeGuard classic;
    const BarItemControlPainter& painter = PainterFor(GetParam());
    const std::string name = std::string(painterClassName(GetParam()));
    const std::string reference = std::string(LINDORA_SOURCE_DIR) + "/tests/bars/painters/reference/" + name + ".png";
    const Bitmap sheet = Sheet(painter).render();
    EXPECT_EQ(Sheet(painter).render(), sheet);  // nothing depends on earlier drawing
    test::expectMatchesReference(sheet, reference, name);
}

INSTANTIATE_TEST_SUITE_P(Looks, PainterLooksSheet,
                         ::testing::Values(BarPainterKind::Flat, BarPainterKind::Standard, BarPainterKind::Enhanced),
                         [](const auto& info) { return std::string(painterClassName(info.param)); });

}  // namespace
}  // namespace lindora
