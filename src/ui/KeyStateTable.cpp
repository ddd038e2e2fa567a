#include "ui/KeyStateTable.h"

#include "ui/Messages.h"

namespace lindora {

void KeyStateTable::key(unsigned vk, bool down) {
    auto& k = keys_[vk & 0xFF];
    if (down) {
        if (!(k & 0x80)) k ^= 0x01;
        k |= 0x80;
    } else {
        k &= ~0x80;
    }
}

void KeyStateTable::button(unsigned vk, bool down) {
    auto& k = keys_[vk & 0xFF];
    if (down) k |= 0x80;
    else k &= ~0x80;
}

std::int16_t KeyStateTable::state(unsigned vk) const {
    auto s = keys_[vk & 0xFF];
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
        const unsigned l = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        s |= (keys_[l] | keys_[l + 1]) & 0x80;
    }
    return static_cast<std::int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

}  // namespace lindora
