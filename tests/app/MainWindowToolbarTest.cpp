// The main window's toolbar as drawn offscreen: at the first-start size and narrowed until the
// toolbar takes three lines, compared pixel-exactly with the references beside this file. Set
// LINDORA_UPDATE_REFERENCES=1 to write new references on purpose (and look at them).
#include <cstdlib>
#include <filesystem>

#include "AppTestSupport.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/DockControl.h"
#include "platform/offscreen/InputScript.h"
#include "support/ReferencePicture.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

class MainWindowToolbarTest : public MainWindowTest {
protected:
    BarControl& toolbar() {
        Bar& bar = *static_cast<Bar*>(form_->BarManager1->bars().items().front());
        return dynamic_cast<BarControl&>(*bar.control());
    }
    int lineCount() {
        // Every line's last item is marked so.
        int lines = 0;
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (auto* c = dynamic_cast<ItemControl*>(l->control()); c && c->lastInRow()) ++lines;
        return lines;
    }
    // The progress item ends its line: nothing on its line lies right of it, and it meets the
    // line's end.
    void expectProgressRightMost() {
        Rect progress;
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (l->item() == form_->briMain) progress = l->itemRect();
        ASSERT_FALSE(progress.isEmpty());
        EXPECT_EQ(progress.right, toolbar().clientRect().width());
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (l->item() != form_->briMain && l->itemRect().bottom > progress.top &&
                l->itemRect().top < progress.bottom)
                EXPECT_LE(l->itemRect().right, progress.left);
    }
    void expectMatchesReference(const std::string& name) {
        form_->update();
        test::expectMatchesReference(form_->backingStore(),
                                     std::string(LINDORA_SOURCE_DIR) + "/tests/app/reference/" + name + ".png", name);
    }
    void expectBrowserBelowDock() {
        const DockControl& top = *form_->BarManager1->bars().dockControl(dsTop);
        EXPECT_EQ(top.bounds().height(), toolbar().bounds().bottom);
        EXPECT_EQ(form_->wbMain->bounds(),
                  Rect(0, top.bounds().height(), form_->clientRect().width(), form_->clientRect().height()));
    }
};

TEST_F(MainWindowToolbarTest, AtItsFirstStartSizeTheToolbarTakesOneLineWithTheProgressFlushRight) {
    createMain();
    EXPECT_EQ(lineCount(), 1);
    // The height the form description records for the top dock: 22-pixel buttons in the flat
    // look's two-pixel docked frame.
    EXPECT_EQ(form_->BarManager1->bars().dockControl(dsTop)->bounds().height(), 26);
    expectProgressRightMost();
    expectBrowserBelowDock();
    expectMatchesReference("main-window-805");
}

TEST_F(MainWindowToolbarTest, NarrowedTheToolbarWrapsOntoThreeLinesAndTheDockGrows) {
    FrmMain& form = createMain();
    const Rect b = form.bounds();
    const int oneLineDock = form.BarManager1->bars().dockControl(dsTop)->bounds().height();
    int width = b.width();
    while (width > 100 && lineCount() < 3) form.setBoundsTo(b.left, b.top, --width, b.height());
    ASSERT_EQ(lineCount(), 3) << width << " " << form.bounds().width() << " " << toolbar().bounds().width() << " "
                              << toolbar().clientRect().width();
    EXPECT_GT(form.BarManager1->bars().dockControl(dsTop)->bounds().height(), 2 * oneLineDock);
    expectProgressRightMost();
    expectBrowserBelowDock();
    expectMatchesReference("main-window-three-lines");
}

TEST_F(MainWindowToolbarTest, AProgressChangeRepaintsOnlyTheProgressItem) {
    createMain();
    form_->update();
    BarControl& bar = toolbar();
    ASSERT_TRUE(bar.invalidArea().isEmpty());
    Rect progress;
    for (BarItemLink* l : bar.itemLinks().visibleLinks())
        if (l->item() == form_->briMain) progress = l->itemRect();
    form_->briMain->setPosition(form_->briMain->position() + 10);
    // The invalid area (window coordinates: the client origin lies past the frame) stays
    // within the progress item.
    const Rect invalid = bar.invalidArea();
    const Rect item = progress.translated(bar.nonClientOffset());
    EXPECT_FALSE(invalid.isEmpty());
    EXPECT_GE(invalid.left, item.left);
    EXPECT_GE(invalid.top, item.top);
    EXPECT_LE(invalid.right, item.right);
    EXPECT_LE(invalid.bottom, item.bottom);
}

TEST_F(MainWindowToolbarTest, DraggingTheRightFrameEdgeRewrapsTheToolbarAndTheWebViewFollowsTheDock) {
    FrmMain& form = createMain();
    const Rect start = form.bounds();
    const int oneLineDock = form.BarManager1->bars().dockControl(dsTop)->bounds().height();
    // What the window shows whenever time passes in the script.
    struct Seen {
        int width = 0;
        int lines = 0;
        int dock = 0;
        Rect webView;
        Rect client;
    };
    std::vector<Seen> seen;
    const unsigned timer = WindowSystem::instance().setTimer(nullptr, 0, 40, [&](unsigned) {
        seen.push_back({form.bounds().width(), lineCount(),
                        form.BarManager1->bars().dockControl(dsTop)->bounds().height(), form.wbMain->bounds(),
                        form.clientRect()});
    });
    // Pointer down on the right frame edge, dragged 505 pixels left and let go; then back.
    const int edge = start.right - 1, y = start.top + start.height() / 2, narrow = edge - 505;
    auto drag = [y](int from, int to) {
        return "move " + std::to_string(from) + " " + std::to_string(y) + "\npress left\nmove " + std::to_string(to) +
               " " + std::to_string(y) + "\nrelease left\nwait 100\n";
    };
    platform().input().setScript(InputScript::parse(drag(edge, narrow) + drag(narrow, edge)));
    app().run();
    WindowSystem::instance().killTimer(nullptr, timer);

    ASSERT_FALSE(seen.empty());
    auto at = [&](int width) {
        for (const Seen& s : seen)
            if (s.width == width) return s;
        ADD_FAILURE() << "the window was never " << width << " wide";
        return Seen{};
    };
    const Seen narrowed = at(start.width() - 505);
    EXPECT_GE(narrowed.lines, 2);
    EXPECT_GT(narrowed.dock, oneLineDock);
    EXPECT_EQ(narrowed.webView, Rect(0, narrowed.dock, narrowed.client.width(), narrowed.client.height()));
    const Seen restored = seen.back();
    EXPECT_EQ(restored.width, start.width());
    EXPECT_EQ(restored.lines, 1);
    EXPECT_EQ(restored.dock, oneLineDock);
    EXPECT_EQ(restored.webView, Rect(0, oneLineDock, restored.client.width(), restored.client.height()));
}

}  // namespace
}  // namespace lindora::test
