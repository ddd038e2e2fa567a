#pragma once
// A window's icon: one picture at several sizes, smallest first. The images never change once
// made, so copies share them: the application's icon goes to the application, to every window
// and to the desktop without its pixels being copied each time.
#include <initializer_list>
#include <memory>
#include <vector>

#include "gfx/Bitmap.h"

namespace lindora {

class IconImages {
public:
    IconImages() = default;
    IconImages(std::vector<Bitmap> images)  // NOLINT(google-explicit-constructor): a list of images is an icon
        : images_(images.empty() ? nullptr : std::make_shared<const std::vector<Bitmap>>(std::move(images))) {}
    IconImages(std::initializer_list<Bitmap> images) : IconImages(std::vector<Bitmap>(images)) {}

    const std::vector<Bitmap>& images() const { return images_ ? *images_ : none(); }
    bool empty() const { return !images_; }
    std::vector<Bitmap>::const_iterator begin() const { return images().begin(); }
    std::vector<Bitmap>::const_iterator end() const { return images().end(); }
    void clear() { images_.reset(); }

    // The same images, not merely equal ones.
    bool sharesImagesWith(const IconImages& other) const { return images_ == other.images_; }

private:
    static const std::vector<Bitmap>& none() {
        static const std::vector<Bitmap> empty;
        return empty;
    }

    std::shared_ptr<const std::vector<Bitmap>> images_;
};

}  // namespace lindora
