#include "app/AppIcon.h"

#include <cstdint>
#include <span>
#include <string>

namespace lindora {

namespace {

// Generated from the PNG files at configure time.
#include "AppIcon.inc"

}  // namespace

const IconImages& applicationIcon() {
    static const IconImages images = [] {
        std::vector<Bitmap> decoded;
        for (const IconPng& png : IconPngs) {
            const std::string side = std::to_string(png.side);
            decoded.push_back(Bitmap::fromPNGData(std::span<const std::uint8_t>(png.data, png.size),
                                                  "application icon " + side + "x" + side));
        }
        return decoded;
    }();
    return images;
}

}  // namespace lindora
