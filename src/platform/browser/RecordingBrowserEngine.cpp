#include "platform/browser/RecordingBrowserEngine.h"

#include "base/Utf8.h"
#include "platform/EventRecord.h"
#include "platform/browser/BrowserUri.h"
#include "platform/browser/PageTitle.h"

namespace lindora {

void RecordingBrowserEngine::startLoad(const std::string& uri) {
    navigations_.push_back(uri);
    currentUri_ = uri;
    loading_ = true;
    if (record_) record_->add("browser-navigate " + EventRecord::quote(uri));
}

void RecordingBrowserEngine::reportProgress(int progress, int progressMax) {
    raiseAndRecordProgress(progress, progressMax);
}

void RecordingBrowserEngine::raiseAndRecordProgress(int progress, int progressMax) {
    if (record_) record_->add("browser-progress " + std::to_string(progress) + " " + std::to_string(progressMax));
    raiseProgressChange(progress, progressMax);
}

void RecordingBrowserEngine::completeLoad() {
    if (!loading_) return;
    loading_ = false;
    const std::string uri = currentUri_;
    const std::string path = localPathFromFileUri(uri);
    if (!path.empty()) {
        if (auto title = titleOfHtmlFile(path); title && !title->empty()) {
            if (record_) record_->add("browser-title " + EventRecord::quote(utf16ToUtf8(*title, BadText::Replace)));
            raiseTitleChange(*title);
        }
    }
    // The title handler may have started another load; its end is reported by its own
    // completeLoad.
    if (currentUri_ == uri && !loading_) raiseAndRecordProgress(ProgressDone, ProgressMax);
}

}  // namespace lindora
