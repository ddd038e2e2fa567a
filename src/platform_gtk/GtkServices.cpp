#include "platform_gtk/GtkServices.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "platform_gtk/GtkShellOpen.h"
#include "platform_gtk/GtkSurface.h"

namespace lindora {

namespace {

GtkWidget* currentDialog = nullptr;

GtkMessageType messageTypeOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Information: return GTK_MESSAGE_INFO;
    case DialogKind::Warning: return GTK_MESSAGE_WARNING;
    case DialogKind::Error: return GTK_MESSAGE_ERROR;
    case DialogKind::Confirmation: return GTK_MESSAGE_QUESTION;
    }
    return GTK_MESSAGE_OTHER;
}

const char* labelOf(DialogButton b) {
    switch (b) {
    case DialogButton::OK: return "_OK";
    case DialogButton::Cancel: return "_Cancel";
    case DialogButton::Abort: return "_Abort";
    case DialogButton::Retry: return "_Retry";
    case DialogButton::Ignore: return "_Ignore";
    case DialogButton::Yes: return "_Yes";
    case DialogButton::No: return "_No";
    case DialogButton::None: break;
    }
    return nullptr;
}

}  // namespace

GtkWidget* GtkServices::openDialog() { return currentDialog; }

DialogButton GtkServices::showMessageDialog(const DialogRequest& request) {
    std::vector<DialogButton> buttons;
    for (DialogButton b : request.buttons)
        if (labelOf(b) && std::find(buttons.begin(), buttons.end(), b) == buttons.end()) buttons.push_back(b);
    if (buttons.empty()) buttons.push_back(DialogButton::OK);
    const bool hasCancel = std::find(buttons.begin(), buttons.end(), DialogButton::Cancel) != buttons.end();
    const DialogButton onDismiss = hasCancel             ? DialogButton::Cancel
                                   : buttons.size() == 1 ? buttons.front()
                                                         : DialogButton::None;

    GtkWindow* parent = nullptr;
    if (auto* owner = GtkSurface::from(request.owner)) parent = GTK_WINDOW(owner->window());
    GtkWidget* dialog = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, messageTypeOf(request.kind), GTK_BUTTONS_NONE,
                                               "%s", request.text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), request.title.c_str());
    for (DialogButton b : buttons) gtk_dialog_add_button(GTK_DIALOG(dialog), labelOf(b), static_cast<int>(b));
    if (std::find(buttons.begin(), buttons.end(), request.defaultButton) != buttons.end())
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), static_cast<int>(request.defaultButton));
    if (onDismiss == DialogButton::None) gtk_window_set_deletable(GTK_WINDOW(dialog), FALSE);
    if (!parent) gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);

    GtkWidget* outer = currentDialog;
    currentDialog = dialog;
    DialogButton result = DialogButton::None;
    while (result == DialogButton::None) {
        const int response = gtk_dialog_run(GTK_DIALOG(dialog));
        if (response > 0) result = static_cast<DialogButton>(response);
        else if (response == GTK_RESPONSE_NONE)  // the run ended without an answer
            result = onDismiss != DialogButton::None ? onDismiss : buttons.back();
        else result = onDismiss;  // stays None: ask again
    }
    currentDialog = outer;
    gtk_widget_destroy(dialog);
    return result;
}

int GtkServices::shellOpen(const std::string& verb, const std::string& document, const std::string&) {
    return shellOpenDocument(verb, document);
}

std::string GtkServices::systemErrorText(int code) const { return shellOpenStatusText(code); }

void GtkServices::playSound(const std::string& alias) { sounds_.play(alias); }

}  // namespace lindora
