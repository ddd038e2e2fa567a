#pragma once
// The offscreen backend's browser: it renders nothing, records what it was asked to load,
// reads a local page's title when a load completes and reports the progress a test tells it.
#include <string>
#include <vector>

#include "platform/browser/BrowserEngine.h"

namespace lindora {

class EventRecord;

class RecordingBrowserEngine final : public BrowserEngine {
public:
    // With a record, every load, title and progress event also goes there as a line:
    // browser-navigate "uri", browser-title "text", browser-progress P MAX.
    explicit RecordingBrowserEngine(EventRecord* record = nullptr) : record_(record) {}

    // URIs whose load started, oldest first.
    const std::vector<std::string>& navigations() const { return navigations_; }
    // The URI being loaded or shown, empty before the first load.
    const std::string& currentUri() const { return currentUri_; }
    bool isLoading() const { return loading_; }
    bool hasFocus() const { return focused_; }

    // Raises ProgressChange with the given figures, as the engine would while loading.
    void reportProgress(int progress, int progressMax = ProgressMax);
    // Ends the current load as a real engine does: TitleChange with the page's <title> when it
    // is a local page that has one, then ProgressChange(ProgressDone, ProgressMax).
    // Does nothing when no load is under way.
    void completeLoad();

    void setFocus() override { focused_ = true; }

protected:
    void startLoad(const std::string& uri) override;
    void hostChanged() override {}

private:
    void raiseAndRecordProgress(int progress, int progressMax);

    EventRecord* record_;
    std::vector<std::string> navigations_;
    std::string currentUri_;
    bool loading_ = false;
    bool focused_ = false;
};

}  // namespace lindora
