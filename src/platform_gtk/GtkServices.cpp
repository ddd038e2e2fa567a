#include "platform_gtk/GtkServices.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "platform_gtk/GtkShellOpen.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/WindowSystem.h"

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

// One modal run of a dialog: its answer, or GTK_RESPONSE_NONE when it went away without one.
struct DialogRun {
    bool answered = false;
    int response = GTK_RESPONSE_NONE;
};

// The answer comes from GTK, not as a message of the window layer, whose loop would otherwise
// go on waiting for one.
void answer(DialogRun* run, int response) {
    run->response = response;
    run->answered = true;
    WindowSystem& windows = WindowSystem::instance();
    if (windows.hasPlatform()) windows.platform().eventDispatcher().wakeUp();
}

void onResponse(GtkDialog*, int response, gpointer data) { answer(static_cast<DialogRun*>(data), response); }

void onEnded(GtkWidget*, gpointer data) {
    auto* run = static_cast<DialogRun*>(data);
    if (!run->answered) answer(run, GTK_RESPONSE_NONE);
}

// Closing from the desktop answers like Esc does, and keeps the dialog for the caller to end.
gboolean onDelete(GtkWidget* dialog, GdkEvent*, gpointer) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT);
    return TRUE;
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
    // The window layer's own loop runs while the dialog is open, not GTK's alone: the
    // application's windows must go on painting (a menu closed before the dialog opened) and
    // its timers and posted messages must go on running, as under any modal dialog.
    DialogRun run;
    g_signal_connect(dialog, "response", G_CALLBACK(onResponse), &run);
    g_signal_connect(dialog, "delete-event", G_CALLBACK(onDelete), nullptr);
    g_signal_connect(dialog, "unmap", G_CALLBACK(onEnded), &run);
    g_signal_connect(dialog, "destroy", G_CALLBACK(onEnded), &run);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    DialogButton result = DialogButton::None;
    while (result == DialogButton::None) {
        run.answered = false;
        gtk_window_present(GTK_WINDOW(dialog));
        // A quit ends the dialog without an answer; the window layer posts it again.
        WindowSystem& windows = WindowSystem::instance();
        if (windows.hasPlatform()) {
            if (!windows.runLoop([&] { return run.answered; })) run.response = GTK_RESPONSE_NONE;
        } else {
            // Shown without the window layer (no window exists): GTK's loop alone.
            while (!run.answered) g_main_context_iteration(nullptr, TRUE);
        }
        if (run.response > 0) result = static_cast<DialogButton>(run.response);
        else if (run.response == GTK_RESPONSE_NONE)  // the run ended without an answer
            result = onDismiss != DialogButton::None ? onDismiss : buttons.back();
        else result = onDismiss;  // stays None: ask again
    }
    g_signal_handlers_disconnect_by_data(dialog, &run);
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
