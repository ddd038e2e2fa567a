#include "platform_gtk/GtkServices.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <deque>

#include "GtkTestDisplay.h"
#include "platform_gtk/GtkSoundPlayer.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

// Answers the dialogs as they come up, one answer per dialog run, from the dialog's own loop.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::deque<int> answers) : answers_(std::move(answers)) {
        source_ = g_timeout_add(10, &DialogAnswerer::tick, this);
    }
    ~DialogAnswerer() { g_source_remove(source_); }

    std::vector<std::string> seenTitles;
    std::vector<std::string> seenTexts;

private:
    static gboolean tick(gpointer data) {
        auto* self = static_cast<DialogAnswerer*>(data);
        GtkWidget* dialog = GtkServices::openDialog();
        if (!dialog || !gtk_widget_get_mapped(dialog) || self->answers_.empty()) return G_SOURCE_CONTINUE;
        self->seenTitles.push_back(gtk_window_get_title(GTK_WINDOW(dialog)));
        gchar* text = nullptr;
        g_object_get(dialog, "text", &text, nullptr);
        self->seenTexts.push_back(text ? text : "");
        g_free(text);
        const int answer = self->answers_.front();
        self->answers_.pop_front();
        gtk_dialog_response(GTK_DIALOG(dialog), answer);
        return G_SOURCE_CONTINUE;
    }

    std::deque<int> answers_;
    guint source_ = 0;
};

TEST(GtkServices, MessageDialogReturnsTheChosenButton) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    PlatformServices& services = GtkTestDisplay::integration()->services();
    DialogRequest about;
    about.kind = DialogKind::Information;
    about.title = "Information";
    about.text = "Lindora 1.0";
    DialogAnswerer answerer({static_cast<int>(DialogButton::OK)});
    EXPECT_EQ(services.showMessageDialog(about), DialogButton::OK);
    EXPECT_EQ(answerer.seenTitles, std::vector<std::string>{"Information"});
    EXPECT_EQ(answerer.seenTexts, std::vector<std::string>{"Lindora 1.0"});
}

TEST(GtkServices, DismissingGivesCancelOrTheOnlyButtonOrAsksAgain) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    PlatformServices& services = GtkTestDisplay::integration()->services();
    DialogRequest request;
    request.kind = DialogKind::Confirmation;
    request.title = "Confirm";
    request.text = "Go on?";

    request.buttons = {DialogButton::OK, DialogButton::Cancel};
    {
        DialogAnswerer answerer({GTK_RESPONSE_DELETE_EVENT});
        EXPECT_EQ(services.showMessageDialog(request), DialogButton::Cancel);
    }
    request.buttons = {DialogButton::OK};
    {
        DialogAnswerer answerer({GTK_RESPONSE_DELETE_EVENT});
        EXPECT_EQ(services.showMessageDialog(request), DialogButton::OK);
    }
    request.buttons = {DialogButton::Yes, DialogButton::No};
    {
        // Yes/No has no way out but an answer: the dismissal is ignored.
        DialogAnswerer answerer({GTK_RESPONSE_DELETE_EVENT, static_cast<int>(DialogButton::No)});
        EXPECT_EQ(services.showMessageDialog(request), DialogButton::No);
        EXPECT_EQ(answerer.seenTitles.size(), 2u);
    }
}

TEST(GtkSoundPlayer, ClassicAliasesNameSoundThemeEvents) {
    EXPECT_EQ(GtkSoundPlayer::eventIdOf("MenuPopup"), "menu-popup");
    EXPECT_EQ(GtkSoundPlayer::eventIdOf("menucommand"), "menu-click");
    EXPECT_EQ(GtkSoundPlayer::eventIdOf("NoSuchSound"), "");
    GtkSoundPlayer player;
    EXPECT_FALSE(player.play("NoSuchSound"));
    player.play("MenuPopup");  // plays or not, depending on a sound server; never fails
}

}  // namespace
}  // namespace lindora
