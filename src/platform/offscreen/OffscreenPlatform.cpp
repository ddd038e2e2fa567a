#include "platform/offscreen/OffscreenPlatform.h"

#include <memory>
#include <optional>

#include "base/Exception.h"
#include "platform/PlatformSelection.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform/browser/RecordingBrowserEngine.h"
#include "platform/offscreen/OffscreenIntegration.h"

namespace lindora {

namespace {

std::unique_ptr<PlatformIntegration> createOffscreen(const PlatformArguments& args) {
    OffscreenOptions o;
    o.screenSize = {args.screenWidth, args.screenHeight};
    o.virtualClock = !args.realClock;
    o.scale = args.scale;
    // Checked before anything runs: a bad line stops the program here.
    InputScript script = args.inputScript.empty() ? InputScript{} : InputScript::load(args.inputScript);
    if (!args.screenshot.empty()) {
        // The last step, so that whatever the script does comes first; the end of the script
        // then closes the main window.
        ScriptCommand shot;
        shot.kind = ScriptCommand::Kind::Screenshot;
        shot.file = args.screenshot;
        script.append(std::move(shot));
    }
    auto backend = std::make_unique<OffscreenIntegration>(o);
    // Without a script the run still ends: the main window closes once the loop is idle.
    backend->input().setScript(std::move(script));
    return backend;
}

// Writes the record when asked; a screenshot the script could not write fails the session,
// after the record is safe.
void finishOffscreen(PlatformIntegration& platform, const PlatformArguments& args) {
    auto* offscreen = dynamic_cast<OffscreenIntegration*>(&platform);
    if (!offscreen) return;
    if (!args.recordFile.empty()) offscreen->record().writeTo(args.recordFile);
    if (!args.screenshot.empty()) {
        const auto failures = offscreen->record().matching("screenshot failed");
        if (!failures.empty()) throw Exception(failures.back());
    }
}

}  // namespace

void registerOffscreenPlatform() {
    PlatformBackend backend;
    backend.create = createOffscreen;
    backend.available = [] { return true; };
    backend.takesScreenshot = true;
    backend.finish = finishOffscreen;
    registerPlatformFactory("offscreen", std::move(backend));
    registerBrowserEngineFactory("offscreen", [] {
        OffscreenIntegration* offscreen = OffscreenIntegration::current();
        return std::make_unique<RecordingBrowserEngine>(offscreen ? &offscreen->record() : nullptr);
    });
}

}  // namespace lindora
