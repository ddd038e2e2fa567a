#pragma once
// The gtk backend's services: modal message dialogs, the desktop's open operation, error
// texts and system sounds.
#include "platform_gtk/GtkSoundPlayer.h"
#include "ui/PlatformIntegration.h"

typedef struct _GtkWidget GtkWidget;

namespace lindora {

class GtkServices final : public PlatformServices {
public:
    // A modal GtkMessageDialog over the owner. Closing it from the window manager or with Esc
    // gives Cancel when it has Cancel, else the only button; a dialog with several buttons and
    // no Cancel cannot be closed that way.
    DialogButton showMessageDialog(const DialogRequest& request) override;
    int shellOpen(const std::string& verb, const std::string& document, const std::string& parameters) override;
    // The meaning of a status of shellOpen (below 32).
    std::string systemErrorText(int code) const override;
    void playSound(const std::string& alias) override;

    // The dialog being shown, for tests that answer it; null when none is open.
    static GtkWidget* openDialog();

private:
    GtkSoundPlayer sounds_;
};

}  // namespace lindora
