// Static and progress items: their setters and what each tells the windows and controls, the
// progress range rules, streaming, and the start-up of the extended item set.
#include <gtest/gtest.h>

#include <functional>

#include "BarsTestSupport.h"
#include "TestControlsIntegration.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/items/ExtendedItems.h"
#include "bars/model/BarWindows.h"
#include "base/ClassInfo.h"
#include "base/FormDescription.h"

namespace lindora::test {
namespace {

using Log = std::vector<std::string>;

// Records what the item asks of its control.
class RecordingStaticControl : public BarItemControl {
public:
    RecordingStaticControl(BarItemLink& link, Log& log) : BarItemControl(link), log_(&log) {}
    void repaint() override { add("repaint"); }
    void refresh() override { add("refresh"); }

protected:
    void add(const char* what) { log_->push_back(link().item()->name() + " " + what); }

private:
    Log* log_;
};

class RecordingProgressControl : public RecordingStaticControl, public ProgressBarView {
public:
    using RecordingStaticControl::RecordingStaticControl;
    void invalidateProgressBar() override { add("invalidate"); }
};

// A docked toolbar window that records layout and repaint requests.
class RecordingBarWindow : public BarWindow {
public:
    RecordingBarWindow(Bar& bar, Log& log) : bar_(&bar), log_(&log) {}
    BarItemLinks& itemLinks() const override { return bar_->itemLinks(); }
    BarDockingStyle dockingStyle() const override { return dsTop; }
    DockControl* dockControl() const override { return nullptr; }
    void setDockingStyle(BarDockingStyle) override {}
    void dockInto(DockControl&, Point) override {}
    void floatAt(const Rect&) override {}
    void showNoActivate() override {}
    void storePosition(Bar&) override {}
    void recalculate() override { log_->push_back("recalculate " + bar_->caption()); }
    void repaint() override { log_->push_back("repaint " + bar_->caption()); }

private:
    Bar* bar_;
    Log* log_;
};

// The lines of one item's block in a written description, from its "object" line to its end.
std::string blockOf(const std::string& text, const std::string& name) {
    auto from = text.find("object " + name + ":");
    if (from == std::string::npos) return "(no " + name + " in)\n" + text;
    return text.substr(from, text.find("    end", from) - from);
}

class StaticItemsTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        TestControlsIntegration& controls = TestControlsIntegration::install();
        controls.controls[&itemcontrols::BarStaticControl] = [this](BarItemLink& l) {
            return std::make_unique<RecordingStaticControl>(l, log);
        };
        controls.controls[&itemcontrols::BarProgressControl] = [this](BarItemLink& l) {
            return std::make_unique<RecordingProgressControl>(l, log);
        };
        controls.barWindow = [this](BarManager&, Bar& bar) { return std::make_unique<RecordingBarWindow>(bar, log); };
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    template <class T>
    T* addItem(const std::string& name) {
        manager();
        auto* item = new T(&form());
        item->setName(name);
        item->setCategory(0);
        return item;
    }

    // A bar with one link per item, docked and shown so that each link has a control.
    Bar* showBar(const std::string& caption, std::initializer_list<BarItem*> items, bool shown = true) {
        Bar* bar = addBar(caption);
        for (BarItem* item : items) bar->itemLinks().add()->setItem(item);
        bar->setDockingStyle(dsTop);
        bar->setVisible(shown);
        return bar;
    }

    Log log;
};

// ---- the progress range

TEST_F(StaticItemsTest, ProgressKeepsItsPositionWithinTheRange) {
    struct Case {
        const char* what;
        std::function<void(BarProgressItem&)> change;
        int min, max, position;
    };
    const Case cases[] = {
        {"Max 0, then Position -1 (a finished download)",
         [](BarProgressItem& p) {
             p.setMax(0);
             p.setPosition(-1);
         },
         0, 0, 0},
        {"Max -1 pulls Min and Position down", [](BarProgressItem& p) { p.setMax(-1); }, -1, -1, -1},
        {"Min 200 above Max pushes Max and Position up", [](BarProgressItem& p) { p.setMin(200); }, 200, 200, 200},
        {"Position above Max", [](BarProgressItem& p) { p.setPosition(150); }, 0, 100, 100},
        {"Position below Min", [](BarProgressItem& p) { p.setPosition(-5); }, 0, 100, 0},
        {"Min above Position",
         [](BarProgressItem& p) {
             p.setPosition(5);
             p.setMin(10);
         },
         10, 100, 10},
        {"Max below Position",
         [](BarProgressItem& p) {
             p.setPosition(80);
             p.setMax(40);
         },
         0, 40, 40},
        {"a range given the wrong way round takes its Max",
         [](BarProgressItem& p) {
             p.setPosition(50);
             p.setRange(70, 30);
         },
         30, 30, 30},
    };
    for (const Case& c : cases) {
        BarProgressItem item(&form());
        c.change(item);
        EXPECT_EQ(item.min(), c.min) << c.what;
        EXPECT_EQ(item.max(), c.max) << c.what;
        EXPECT_EQ(item.position(), c.position) << c.what;
    }
}

TEST_F(StaticItemsTest, ProgressChangesInvalidateOnlyTheBarOfEachShownLink) {
    auto* progress = addItem<BarProgressItem>("briMain");
    showBar("Tools", {progress, progress});
    showBar("Hidden", {progress}, false);  // no window, so no control
    ASSERT_NE(progress->links()[0]->control(), nullptr);
    ASSERT_EQ(progress->links()[2]->control(), nullptr);
    const Log twice = {"briMain invalidate", "briMain invalidate"};

    struct Step {
        const char* what;
        std::function<void()> change;
        bool repaints;
    };
    const Step steps[] = {
        {"Position", [&] { progress->setPosition(50); }, true},
        {"the same Position", [&] { progress->setPosition(50); }, false},
        {"a Position clamped to the current one",
         [&] {
             progress->setMax(50);
             log.clear();
             progress->setPosition(70);
         },
         false},
        {"Smooth", [&] { progress->setSmooth(true); }, true},
        {"the same Smooth", [&] { progress->setSmooth(true); }, false},
        {"Color", [&] { progress->setColor(clRed); }, true},
        {"the same Color", [&] { progress->setColor(clRed); }, false},
        {"Max with the Position inside", [&] { progress->setMax(200); }, true},
        {"Min that moves the Position", [&] { progress->setMin(60); }, true},
        {"the same Min", [&] { progress->setMin(60); }, false},
        {"Step", [&] { progress->setStep(5); }, false},
    };
    for (const Step& s : steps) {
        log.clear();
        s.change();
        EXPECT_EQ(log, s.repaints ? twice : Log{}) << s.what;
    }
    EXPECT_EQ(progress->step(), 5);
    EXPECT_EQ(progress->position(), 60);
}

TEST_F(StaticItemsTest, WhileLoadingProgressValuesAreOnlyStored) {
    auto* progress = addItem<BarProgressItem>("briMain");
    showBar("Tools", {progress});
    log.clear();
    progress->setState(csLoading, true);
    progress->setMax(50);
    progress->setPosition(80);  // not clamped yet
    progress->setSmooth(true);
    progress->setColor(clRed);
    progress->setBorderStyle(sbsEtched);
    progress->setWidth(40);
    progress->setState(csLoading, false);
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_EQ(progress->position(), 80);

    // The next range change brings the position into the range.
    progress->setMax(60);
    EXPECT_EQ(progress->position(), 60);
    EXPECT_EQ(log, Log{"briMain invalidate"});
}

// ---- static items

TEST_F(StaticItemsTest, SizesShareOneSetterThatStoresNegativeValuesAsZero) {
    auto* label = addItem<BarStatic>("stLabel");
    showBar("Tools", {label, label});
    showBar("Other", {label});
    for (StaticSize which : {StaticSize::LeftIndent, StaticSize::RightIndent, StaticSize::Width, StaticSize::Height}) {
        const int index = static_cast<int>(which);
        log.clear();
        label->setSize(which, 12);
        EXPECT_EQ(label->size(which), 12) << "size " << index;
        // Each window showing the item lays out once, however many links it shows.
        EXPECT_EQ(log, (Log{"recalculate Tools", "recalculate Other"})) << "size " << index;
        log.clear();
        label->setSize(which, 12);
        EXPECT_TRUE(log.empty()) << "size " << index;
        label->setSize(which, -3);
        EXPECT_EQ(label->size(which), 0) << "size " << index;
        label->setSize(which, -1);  // still 0: no change
        EXPECT_EQ(log, (Log{"recalculate Tools", "recalculate Other"})) << "size " << index;
    }
    label->setWidth(30);
    label->setHeight(20);
    label->setLeftIndent(4);
    label->setRightIndent(-2);
    EXPECT_EQ(label->width(), 30);
    EXPECT_EQ(label->height(), 20);
    EXPECT_EQ(label->leftIndent(), 4);
    EXPECT_EQ(label->rightIndent(), 0);
}

TEST_F(StaticItemsTest, BorderStyleRepaintsOnlyWhenBothSizesAreFixed) {
    struct Case {
        int width, height;
        Log expected;
    };
    const Case cases[] = {
        {0, 0, {"recalculate Tools"}},
        {40, 0, {"recalculate Tools"}},
        {0, 20, {"recalculate Tools"}},
        {40, 20, {"stLabel repaint", "stLabel repaint"}},
    };
    for (const Case& c : cases) {
        auto* label = addItem<BarStatic>("stLabel");
        Bar* bar = showBar("Tools", {label, label});
        label->setWidth(c.width);
        label->setHeight(c.height);
        log.clear();
        label->setBorderStyle(sbsBump);
        label->setBorderStyle(sbsBump);
        EXPECT_EQ(log, c.expected) << c.width << " x " << c.height;
        delete label;
        manager().bars().remove(bar->index());
    }
}

TEST_F(StaticItemsTest, AlignmentRepaintsTheControlsAndShowCaptionRelaysTheWindows) {
    auto* label = addItem<BarStatic>("stLabel");
    EXPECT_EQ(label->alignment(), taCenter);
    EXPECT_TRUE(label->showCaption());
    showBar("Tools", {label, label});
    log.clear();
    label->setAlignment(taRightJustify);
    label->setAlignment(taRightJustify);
    EXPECT_EQ(log, (Log{"stLabel repaint", "stLabel repaint"}));
    log.clear();
    label->setShowCaption(false);
    label->setShowCaption(false);
    EXPECT_EQ(log, Log{"recalculate Tools"});

    log.clear();
    label->setState(csLoading, true);
    label->setAlignment(taLeftJustify);
    label->setShowCaption(true);
    label->setBorderStyle(sbsRaised);
    label->setLeftIndent(3);
    label->setState(csLoading, false);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(label->alignment(), taLeftJustify);
    EXPECT_EQ(label->borderStyle(), sbsRaised);
}

TEST_F(StaticItemsTest, AStaticItemClicksOnlyWhenAllowed) {
    auto* label = addItem<BarStatic>("stLabel");
    int clicks = 0;
    label->OnClick.bind([&](Persistent*) { ++clicks; });
    label->click();
    EXPECT_EQ(clicks, 0);
    label->setAllowClick(true);
    label->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(StaticItemsTest, BorderWidths) {
    EXPECT_EQ(borderWidth(sbsNone), 0);
    EXPECT_EQ(borderWidth(sbsLowered), 1);
    EXPECT_EQ(borderWidth(sbsRaised), 1);
    EXPECT_EQ(borderWidth(sbsEtched), 2);
    EXPECT_EQ(borderWidth(sbsBump), 2);
}

// ---- streaming

TEST_F(StaticItemsTest, OnlyValuesThatDifferFromTheDefaultsAreWritten) {
    auto* plain = addItem<BarProgressItem>("briPlain");
    auto* progress = addItem<BarProgressItem>("briMain");
    progress->setAlign(iaRight);
    progress->setShowCaption(false);
    progress->setBorderStyle(sbsNone);
    progress->setColor(clRed);
    progress->setPosition(30);
    auto* label = addItem<BarStatic>("stLabel");
    label->setBorderStyle(sbsEtched);
    label->setAlignment(taLeftJustify);
    label->setWidth(80);
    EXPECT_EQ(plain->borderStyle(), sbsLowered);
    EXPECT_EQ(plain->color(), clDefault);

    const std::string text = writeFormDescription(form());
    auto block = [&](const std::string& name) { return blockOf(text, name); };
    EXPECT_EQ(block("briPlain"),
              "object briPlain: BarProgressItem\n"
              "      Category = 0\n"
              "      Visible = ivAlways\n");
    EXPECT_EQ(block("briMain"),
              "object briMain: BarProgressItem\n"
              "      Align = iaRight\n"
              "      Category = 0\n"
              "      Visible = ivAlways\n"
              "      BorderStyle = sbsNone\n"
              "      ShowCaption = False\n"
              "      Color = clRed\n"
              "      Position = 30\n");
    EXPECT_EQ(block("stLabel"),
              "object stLabel: BarStatic\n"
              "      Category = 0\n"
              "      Visible = ivAlways\n"
              "      Alignment = taLeftJustify\n"
              "      BorderStyle = sbsEtched\n"
              "      Width = 80\n");
}

TEST_F(StaticItemsTest, ReadProgressValuesAreValidatedAtTheNextRangeChange) {
    const char* description = R"(object Form1: TestForm
  object BarManager1: BarManager
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    object briMain: BarProgressItem
      Align = iaRight
      Category = 0
      Visible = ivAlways
      ShowCaption = False
      Max = 50
      Min = 10
      Position = 80
      Smooth = True
      Step = 5
    end
  end
end
)";
    TestForm copy;
    readFormDescription(description, copy);
    auto* progress = dynamic_cast<BarProgressItem*>(copy.findComponent("briMain"));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->barManager(), copy.findComponent("BarManager1"));
    EXPECT_EQ(progress->align(), iaRight);
    EXPECT_FALSE(progress->showCaption());
    EXPECT_EQ(progress->borderStyle(), sbsLowered);
    EXPECT_EQ(progress->min(), 10);
    EXPECT_EQ(progress->max(), 50);
    EXPECT_EQ(progress->position(), 80);  // stored as read
    EXPECT_TRUE(progress->smooth());
    EXPECT_EQ(progress->step(), 5);
    EXPECT_EQ(blockOf(writeFormDescription(copy), "briMain"), blockOf(description, "briMain"));

    progress->setMax(70);
    EXPECT_EQ(progress->position(), 70);
}

// ---- the extended item set

TEST_F(StaticItemsTest, TheExtendedItemsRegisterAfterTheFrameworksOwnAndLeaveInReverse) {
    auto names = [] {
        std::vector<std::string> n;
        for (const RegItemRecord& r : BarFramework::registry().entries())
            n.push_back(r.itemClass->name() + ">" + std::string(r.controlClass->name()) +
                        (r.offered ? "" : " (not offered)"));
        return n;
    };
    const std::vector<std::string> started = {"BarButton>BarButtonControl",
                                              "BarEdit>BarEditControl",
                                              "BarSubItem>BarSubItemControl",
                                              "BarListItem>BarContainerItemControl",
                                              "BarContainerItem>BarContainerItemControl",
                                              "BarStatic>BarStaticControl",
                                              "BarProgressItem>BarProgressControl"};
    EXPECT_EQ(names(), started);
    EXPECT_NE(findClass("BarProgressItem"), nullptr);
    EXPECT_EQ(BarFramework::registry().offeredItemClass(6), &BarProgressItem::classInfo());

    // A nested start-up and its shut-down change nothing.
    BarExtendedItems::startUp();
    BarExtendedItems::shutDown();
    EXPECT_EQ(names(), started);
    EXPECT_TRUE(BarExtendedItems::isStarted());

    // The framework's shut-down ends the set even when it was started once more.
    BarExtendedItems::startUp();
    BarFramework::shutDown();
    EXPECT_FALSE(BarExtendedItems::isStarted());
    EXPECT_TRUE(BarFramework::registry().entries().empty());
    EXPECT_EQ(findClass("BarStatic"), nullptr);
    BarExtendedItems::shutDown();  // an extra shut-down is harmless
    BarFramework::startUp();
    EXPECT_EQ(names(), started);
}

TEST(FirstDayOfWeekTest, LocaleDataMapsToADayCountedFromSunday) {
    struct Case {
        long weekOrigin;
        int firstWeekday;
        int stored;  // 0 = Sunday ... 6 = Saturday
    };
    const Case cases[] = {
        {19971130, 1, 0},                    // origin a Sunday, weeks start on it
        {19971130, 2, 1},                    // Monday
        {19971130, 7, 6},                    // Saturday
        {19971201, 1, 1},                    // origin a Monday
        {19971201, 7, 0},                    // the day before it: Sunday
        {19971130, 0, 0},                    // no such weekday: unread
        {19971130, 8, 0}, {19971399, 1, 0},  // no such date
        {0, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstDayOfWeekFromDigit(weekStartFromLocaleData(c.weekOrigin, c.firstWeekday)), c.stored)
            << c.weekOrigin << " " << c.firstWeekday;
    // The Monday-based digit: plus one, Sunday wrapping to 0.
    EXPECT_EQ(weekStartFromLocaleData(19971130, 2), 0);
    EXPECT_EQ(firstDayOfWeekFromDigit(0), 1);
    EXPECT_EQ(firstDayOfWeekFromDigit(6), 0);
    EXPECT_EQ(firstDayOfWeekFromDigit(std::nullopt), 0);
}

TEST(FirstDayOfWeekTest, ReadFromTheLocale) {
    EXPECT_EQ(readFirstDayOfWeek("C"), 0);                 // weeks of the C locale start on Sunday
    EXPECT_EQ(readFirstDayOfWeek("xx_NOWHERE.UTF-8"), 0);  // not installed: unread
}

}  // namespace
}  // namespace lindora::test
