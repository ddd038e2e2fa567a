#include "platform_gtk/GtkSoundPlayer.h"

#ifdef LINDORA_HAVE_CANBERRA
#include <canberra.h>
#endif

#include "base/TextUtil.h"
#include "platform_gtk/GtkDesktopSettings.h"

namespace lindora {

namespace {

struct SoundAlias {
    const char* alias;
    const char* eventId;
};

constexpr SoundAlias kAliases[] = {
    {"MenuPopup", "menu-popup"},
    {"MenuCommand", "menu-click"},
    {"SystemAsterisk", "dialog-information"},
    {"SystemExclamation", "dialog-warning"},
    {"SystemHand", "dialog-error"},
    {"SystemQuestion", "dialog-question"},
    {".Default", "bell"},
};

}  // namespace

GtkSoundPlayer::~GtkSoundPlayer() {
#ifdef LINDORA_HAVE_CANBERRA
    if (context_) ca_context_destroy(context_);
#endif
}

std::string GtkSoundPlayer::eventIdOf(const std::string& alias) {
    for (const auto& a : kAliases)
        if (sameText(alias, a.alias)) return a.eventId;
    return {};
}

bool GtkSoundPlayer::desktopAllows(const std::string& eventId, bool eventSounds, bool inputFeedbackSounds) {
    if (!eventSounds) return false;
    const bool inputFeedback = eventId.rfind("menu-", 0) == 0;
    return !inputFeedback || inputFeedbackSounds;
}

bool GtkSoundPlayer::play(const std::string& alias) {
    const std::string id = eventIdOf(alias);
    if (id.empty()) return false;
    if (!desktopAllows(id, desktopSettingInt("gtk-enable-event-sounds", 1) != 0,
                       desktopSettingInt("gtk-enable-input-feedback-sounds", 1) != 0))
        return false;
#ifdef LINDORA_HAVE_CANBERRA
    if (!context_ && !failed_) {
        // Opened once; a machine without sound keeps failing cheaply.
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            failed_ = true;
        } else {
            ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Lindora", CA_PROP_APPLICATION_ID, "lindora",
                                    nullptr);
        }
    }
    if (!context_) return false;
    return ca_context_play(context_, 0, CA_PROP_EVENT_ID, id.c_str(), CA_PROP_EVENT_DESCRIPTION, alias.c_str(),
                           nullptr) == CA_SUCCESS;
#else
    return false;
#endif
}

}  // namespace lindora
