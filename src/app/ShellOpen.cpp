#include "app/ShellOpen.h"

#include "app/AppTexts.h"
#include "base/Exception.h"
#include "ui/Application.h"
#include "ui/MessageDialog.h"

namespace lindora {

bool ShellOpen(const std::string& fileName, const std::string& parameters) {
    PlatformIntegration* platform = PlatformIntegration::instance();
    if (!platform) throw Exception("No platform backend is installed");
    const int code = platform->services().shellOpen(app::OpenVerb, fileName, parameters);
    // The classic status: 32 and above is success, anything below an error number.
    if (code >= 32) return true;
    const std::string text = platform->services().systemErrorText(code);
    if (Application* application = Application::current())
        application->messageBox(text, dialogTitle(DialogKind::Error), DialogKind::Error);
    else showMessageDialog(text, DialogKind::Error);
    throw SilentAbort();
}

}  // namespace lindora
