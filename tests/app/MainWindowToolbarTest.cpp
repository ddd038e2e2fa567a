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
        const Bitmap shot = form_->backingStore();
        shot.savePNG(name);
        const std::string reference = std::string(LINDORA_SOURCE_DIR) + "/tests/app/reference/" + name;
        if (std::getenv("LINDORA_UPDATE_REFERENCES")) shot.savePNG(reference);
        ASSERT_TRUE(std::filesystem::exists(reference)) << reference;
        EXPECT_TRUE(Bitmap::loadPNG(reference) == shot)
            << "the window differs from " << reference << "; see " << name << " in " << std::filesystem::current_path();
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
    expectProgressRightMost();
    expectBrowserBelowDock();
    expectMatchesReference("main-window-805.png");
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
    expectMatchesReference("main-window-three-lines.png");
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

}  // namespace
}  // namespace lindora::test
