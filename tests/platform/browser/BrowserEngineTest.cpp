#include "platform/browser/RecordingBrowserEngine.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/Exception.h"
#include "platform/EventRecord.h"
#include "platform/browser/BrowserEngineFactory.h"

namespace lindora {
namespace {

// A surface that only has to exist: the recording engine places nothing on it.
class StubSurface final : public NativeSurface {
public:
    void setBounds(const Rect&) override {}
    void setVisible(bool, bool) override {}
    void stackAbove(NativeSurface*) override {}
    void stackBottom() override {}
    void setTopMost(bool) override {}
    void setTitle(const std::string&) override {}
    void setIcon(const IconImages&) override {}
    void setShowState(ShowState) override {}
    void setAlpha(std::uint8_t) override {}
    void present(const Bitmap&, const Rect&) override {}
    void setCursor(CursorShape) override {}
    void setCustomCursor(const Bitmap&, Point) override {}
    void setPointerGrab(bool) override {}
    void requestActivate() override {}
    bool startSystemMoveResize(int, Point) override { return false; }
};

class BrowserEngineTest : public testing::Test {
protected:
    void show() {
        engine.attachTo(&surface);
        engine.setGeometry(Rect::fromSize(0, 26, 797, 573));
        engine.setVisible(true);
    }
    std::string writePage(const std::string& name, const std::string& html) {
        const std::string path = testing::TempDir() + "/" + name;
        std::ofstream(path, std::ios::binary) << html;
        return path;
    }
    void record() {
        engine.OnProgressChange = [this](int p, int max) {
            events.push_back("progress " + std::to_string(p) + "/" + std::to_string(max));
        };
        engine.OnTitleChange = [this](const std::u16string& t) {
            events.push_back("title " + std::string(t.begin(), t.end()));
        };
    }

    StubSurface surface;
    RecordingBrowserEngine engine;
    std::vector<std::string> events;
};

TEST_F(BrowserEngineTest, NavigationsBeforeShowWaitAndStartInOrderTheLastOneStaying) {
    const std::vector<std::string> asked{"file:///opt/lindora/index.htm", "https://convert.example.com/?from=GUI"};
    engine.navigate(u"/opt/lindora/index.htm");
    engine.navigate(u"https://convert.example.com/?from=GUI");
    EXPECT_TRUE(engine.navigations().empty());
    EXPECT_EQ(engine.pendingUris(), asked);

    engine.attachTo(&surface);  // on a surface but not shown yet
    EXPECT_TRUE(engine.navigations().empty());
    engine.setVisible(true);

    EXPECT_EQ(engine.navigations(), asked);
    EXPECT_EQ(engine.currentUri(), "https://convert.example.com/?from=GUI");
    EXPECT_TRUE(engine.pendingUris().empty());
    EXPECT_TRUE(engine.isLive());
}

TEST_F(BrowserEngineTest, OnceShownNavigationsStartAtOnceAndReplaceTheLoadingOne) {
    show();
    EXPECT_TRUE(engine.navigations().empty());  // nothing was waiting
    engine.navigate(u"/opt/lindora/index.htm");
    engine.navigate(u"https://convert.example.com/?from=GUI");
    EXPECT_EQ(engine.navigations(),
              (std::vector<std::string>{"file:///opt/lindora/index.htm", "https://convert.example.com/?from=GUI"}));
    EXPECT_EQ(engine.currentUri(), "https://convert.example.com/?from=GUI");

    // Hiding later (a minimised window) does not hold navigations back again.
    engine.setVisible(false);
    engine.navigate(u"about:blank");
    EXPECT_EQ(engine.currentUri(), "about:blank");
}

TEST_F(BrowserEngineTest, BadTextThrowsAndKeepsTheWaitingNavigation) {
    engine.navigate(u"/opt/lindora/index.htm");
    EXPECT_THROW(engine.navigate(u""), Exception);
    EXPECT_EQ(engine.pendingUris(), std::vector<std::string>{"file:///opt/lindora/index.htm"});
}

TEST_F(BrowserEngineTest, CompletingALocalPageRaisesItsTitleThenTheEndOfDownload) {
    record();
    const std::string path = writePage("engine page.htm", "<title>Welcome to Lindora</title>");
    show();
    engine.navigate(std::u16string(path.begin(), path.end()));
    engine.reportProgress(0);
    engine.reportProgress(5000);
    engine.completeLoad();
    engine.completeLoad();  // nothing is loading any more

    EXPECT_EQ(events, (std::vector<std::string>{"progress 0/10000", "progress 5000/10000", "title Welcome to Lindora",
                                                "progress -1/10000"}));
    EXPECT_FALSE(engine.isLoading());
}

TEST_F(BrowserEngineTest, PagesWithoutTitleOrMissingRaiseOnlyTheEndOfDownload) {
    record();
    show();
    for (const std::string& path :
         {writePage("untitled.htm", "<p>no title</p>"), testing::TempDir() + "/does-not-exist.htm"}) {
        events.clear();
        engine.navigate(std::u16string(path.begin(), path.end()));
        engine.completeLoad();
        EXPECT_EQ(events, std::vector<std::string>{"progress -1/10000"}) << path;
    }
    events.clear();
    engine.navigate(u"https://convert.example.com/?from=GUI");  // no network offscreen
    engine.completeLoad();
    EXPECT_EQ(events, std::vector<std::string>{"progress -1/10000"});
}

TEST_F(BrowserEngineTest, AHandlerMayNavigateAgain) {
    const std::string path = writePage("first.htm", "<title>First</title>");
    show();
    engine.OnTitleChange = [this](const std::u16string&) { engine.navigate(u"about:blank"); };
    engine.OnProgressChange = [this](int p, int) { events.push_back(std::to_string(p)); };
    engine.navigate(std::u16string(path.begin(), path.end()));
    engine.completeLoad();
    // The first load's end is not reported over the second one, which is still loading.
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(engine.currentUri(), "about:blank");
    EXPECT_TRUE(engine.isLoading());
}

TEST_F(BrowserEngineTest, ARecordGetsEveryLoadTitleAndProgress) {
    EventRecord record;
    RecordingBrowserEngine recorded(&record);
    const std::string path = writePage("recorded \"page\".htm", "<title>Caf\xC3\xA9</title>");
    recorded.navigate(std::u16string(path.begin(), path.end()));
    EXPECT_TRUE(record.lines().empty());  // waiting for the window
    recorded.attachTo(&surface);
    recorded.setVisible(true);
    recorded.reportProgress(2500);
    recorded.completeLoad();
    ASSERT_EQ(record.lines().size(), 4u);
    EXPECT_TRUE(record.lines()[0].starts_with("browser-navigate \"file:///")) << record.lines()[0];
    EXPECT_NE(record.lines()[0].find("recorded%20%22page%22.htm"), std::string::npos) << record.lines()[0];
    EXPECT_EQ(record.lines()[1], "browser-progress 2500 10000");
    EXPECT_EQ(record.lines()[2], "browser-title \"Caf\xC3\xA9\"");
    EXPECT_EQ(record.lines()[3], "browser-progress -1 10000");
}

TEST_F(BrowserEngineTest, EventsWithoutHandlersAreDropped) {
    show();
    engine.navigate(u"about:blank");
    engine.reportProgress(10);
    engine.completeLoad();
    SUCCEED();
}

// A program that knows its first page starts it before its window exists; the window's own
// navigation to that page then joins the load under way.
TEST_F(BrowserEngineTest, APreloadStartsAtOnceAndTheSameNavigationJoinsItWithWhatItReported) {
    const std::string path = writePage("start page.htm", "<title>Start</title>");
    const std::u16string text(path.begin(), path.end());
    engine.preload(text);
    ASSERT_EQ(engine.navigations().size(), 1u);  // not waiting for a window
    engine.reportProgress(5000);                 // no handler yet: kept
    engine.completeLoad();

    record();
    engine.navigate(text);
    show();
    EXPECT_EQ(engine.navigations().size(), 1u);  // joined, not started again
    EXPECT_EQ(events, (std::vector<std::string>{"title Start", "progress -1/10000"}));
    events.clear();
    engine.navigate(text);  // once joined, the same page again is a new load
    EXPECT_EQ(engine.navigations().size(), 2u);
}

TEST_F(BrowserEngineTest, AnotherNavigationReplacesThePreloadAndForgetsWhatItReported) {
    engine.preload(u"file:///opt/lindora/index.htm");
    engine.reportProgress(5000);
    record();
    engine.navigate(u"https://convert.example.com/?from=GUI");
    engine.navigate(u"file:///opt/lindora/index.htm");  // after another request: not a join
    EXPECT_TRUE(events.empty());
    show();
    EXPECT_EQ(engine.navigations(),
              (std::vector<std::string>{"file:///opt/lindora/index.htm", "https://convert.example.com/?from=GUI",
                                        "file:///opt/lindora/index.htm"}));
    EXPECT_THROW(engine.preload(u""), Exception);
}

TEST(BrowserEngineFactoryTest, APreparedEngineGoesToTheNextBrowserOnlyAndCanBeDropped) {
    prepareBrowserEngine(u"file:///opt/lindora/index.htm");
    auto prepared = createBrowserEngine();
    auto* recording = dynamic_cast<RecordingBrowserEngine*>(prepared.get());
    ASSERT_NE(recording, nullptr);
    EXPECT_EQ(recording->navigations(), std::vector<std::string>{"file:///opt/lindora/index.htm"});
    auto next = createBrowserEngine();
    EXPECT_TRUE(dynamic_cast<RecordingBrowserEngine&>(*next).navigations().empty());

    prepareBrowserEngine(u"about:blank");
    discardPreparedBrowserEngine();
    EXPECT_TRUE(dynamic_cast<RecordingBrowserEngine&>(*createBrowserEngine()).navigations().empty());
}

}  // namespace
}  // namespace lindora
