#pragma once
// System sounds by their classic aliases, played from the freedesktop sound theme through
// libcanberra. Aliases compare ignoring case; an unknown alias, a missing sound or a machine
// without a sound server plays nothing.
#include <string>

typedef struct ca_context ca_context;

namespace lindora {

class GtkSoundPlayer {
public:
    GtkSoundPlayer() = default;
    ~GtkSoundPlayer();
    GtkSoundPlayer(const GtkSoundPlayer&) = delete;
    GtkSoundPlayer& operator=(const GtkSoundPlayer&) = delete;

    // The sound theme's event id for a classic alias ("MenuPopup" -> "menu-popup"), or an
    // empty string when the alias is unknown.
    static std::string eventIdOf(const std::string& alias);

    // Whether the desktop's settings let a sound of this event id play: event sounds off
    // silences all; menu sounds are input-feedback sounds, which have their own switch.
    static bool desktopAllows(const std::string& eventId, bool eventSounds, bool inputFeedbackSounds);

    // Returns true when the sound was handed to the sound server.
    bool play(const std::string& alias);

private:
    ca_context* context_ = nullptr;
    bool failed_ = false;
};

}  // namespace lindora
