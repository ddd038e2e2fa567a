#pragma once
// Key and mouse-button states in two views: as of the message being processed (what handlers
// ask) and as of the input received so far (which runs ahead while input waits in the queue).
#include <array>
#include <cstdint>

namespace lindora {

class KeyStateTable {
public:
    // A key went down or up: down toggles it when it was up.
    void key(unsigned vk, bool down);
    // A mouse button: pressing does not toggle.
    void button(unsigned vk, bool down);
    bool isDown(unsigned vk) const { return (keys_[vk & 0xFF] & 0x80) != 0; }
    // 0x8000 down, 0x0001 toggled; Shift, Ctrl and Alt are down when either side is.
    std::int16_t state(unsigned vk) const;
    void clear() { keys_.fill(0); }

private:
    std::array<std::uint8_t, 256> keys_{};  // bit 0x80 down, 0x01 toggled
};

}  // namespace lindora
