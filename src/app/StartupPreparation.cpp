#include "app/StartupPreparation.h"

#include <system_error>

#include "app/AppIcon.h"
#include "gfx/TextEngine.h"
#include "ui/Form.h"

namespace lindora {

StartupPreparation::StartupPreparation() {
    try {
        thread_ = std::thread([] {
            // Both keep what they made for the process: the decoded images, the loaded fonts.
            // A failure here comes again, and is reported, where the window needs the result.
            try {
                applicationIcon();
                TextEngine::instance().measure(Form::defaultFont(), "Login");
            } catch (...) {}
        });
    } catch (const std::system_error&) {
        // No thread to be had: the window's building does the same work itself.
    }
}

StartupPreparation::~StartupPreparation() { finish(); }

void StartupPreparation::finish() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace lindora
