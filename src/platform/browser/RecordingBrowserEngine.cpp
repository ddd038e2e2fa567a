#include "platform/browser/RecordingBrowserEngine.h"

#include "platform/browser/BrowserUri.h"
#include "platform/browser/PageTitle.h"

namespace lindora {

void RecordingBrowserEngine::startLoad(const std::string& uri) {
    navigations_.push_back(uri);
    currentUri_ = uri;
    loading_ = true;
}

void RecordingBrowserEngine::reportProgress(int progress, int progressMax) {
    raiseProgressChange(progress, progressMax);
}

void RecordingBrowserEngine::completeLoad() {
    if (!loading_)
        return;
    loading_ = false;
    const std::string uri = currentUri_;
    const std::string path = localPathFromFileUri(uri);
    if (!path.empty()) {
        if (auto title = titleOfHtmlFile(path); title && !title->empty())
            raiseTitleChange(*title);
    }
    // The title handler may have started another load; its end is reported by its own
    // completeLoad.
    if (currentUri_ == uri && !loading_)
        raiseProgressChange(ProgressDone, ProgressMax);
}

}  // namespace lindora
