#include "gfx/ImageList.h"

#include "base/Exception.h"
#include "gfx/Canvas.h"

#include <algorithm>

namespace lindora {

ImageList::ImageList(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {}

void ImageList::setSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    images_.clear();
    changed();
}

void ImageList::setBkColor(Color c) {
    if (c == bkColor_) return;
    bkColor_ = c;
    changed();
}

ImageList::Entry ImageList::makeEntry(const Bitmap& picture, const Rect& cell, const Mask* mask,
                                      Color transparent) const {
    Entry e{picture.copy(cell), Mask(width_, height_, true)};
    if (picture.hasAlpha() || !picture.bounds().contains(cell)) {
        // Artwork with an alpha channel says itself what is background.
        e.mask = Mask::fromAlpha(e.image);
        return e;
    }
    if (mask) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) e.mask.set(x, y, mask->test(cell.left + x, cell.top + y));
    } else if (masked_) {
        Color key = transparent == clNone ? e.image.colorAt(0, height_ - 1) : transparent;
        e.mask = Mask::fromTransparentColor(e.image, key);
    } else {
        return e;
    }
    // The background becomes transparent so that drawing is plain compositing.
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (!e.mask.test(x, y)) e.image.setPixel(x, y, 0);
    return e;
}

int ImageList::addCells(const Bitmap& picture, const Mask* mask, Color transparent, bool fixedTransparent) {
    if (picture.isEmpty()) throw Exception("Cannot add an empty image to an image list");
    int first = count();
    int columns = std::max(1, picture.width() / width_);
    int rows = std::max(1, picture.height() / height_);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col) {
            Rect cell = Rect::fromSize(col * width_, row * height_, width_, height_);
            images_.push_back(makeEntry(picture, cell, mask, fixedTransparent ? transparent : clNone));
        }
    changed();
    return first;
}

int ImageList::add(const Bitmap& picture) { return addCells(picture, nullptr, clNone, false); }

int ImageList::add(const Bitmap& picture, const Mask& mask) {
    if (mask.width() < std::min(picture.width(), width_) || mask.height() < std::min(picture.height(), height_))
        throw Exception("Image list mask is smaller than its image");
    return addCells(picture, &mask, clNone, false);
}

int ImageList::addMasked(const Bitmap& picture, Color transparent) {
    bool saved = masked_;
    masked_ = true;
    try {
        int index = addCells(picture, nullptr, transparent, true);
        masked_ = saved;
        return index;
    } catch (...) {
        masked_ = saved;
        throw;
    }
}

int ImageList::addPNG(const std::string& path) { return add(Bitmap::loadPNG(path)); }

void ImageList::replace(int index, const Bitmap& image) {
    if (index < 0 || index >= count())
        throw Exception("Image list index out of bounds (" + std::to_string(index) + ")");
    images_[static_cast<size_t>(index)] = makeEntry(image, Rect(0, 0, width_, height_), nullptr, clNone);
    changed();
}

void ImageList::remove(int index) {
    if (index < 0 || index >= count())
        throw Exception("Image list index out of bounds (" + std::to_string(index) + ")");
    images_.erase(images_.begin() + index);
    changed();
}

void ImageList::clear() {
    if (images_.empty()) return;
    images_.clear();
    changed();
}

const Bitmap& ImageList::image(int index) const {
    if (index < 0 || index >= count())
        throw Exception("Image list index out of bounds (" + std::to_string(index) + ")");
    return images_[static_cast<size_t>(index)].image;
}

const Mask& ImageList::mask(int index) const {
    if (index < 0 || index >= count())
        throw Exception("Image list index out of bounds (" + std::to_string(index) + ")");
    return images_[static_cast<size_t>(index)].mask;
}

void ImageList::draw(Canvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= count()) return;
    const Entry& e = images_[static_cast<size_t>(index)];
    if (!enabled) {
        canvas.drawMask(x + 1, y + 1, e.mask, clBtnHighlight);
        canvas.drawMask(x, y, e.mask, clBtnShadow);
        return;
    }
    if (bkColor_ != clNone) canvas.fillRect(Rect::fromSize(x, y, width_, height_), Brush(bkColor_));
    canvas.draw(x, y, e.image);
}

void ImageList::drawMask(Canvas& canvas, int x, int y, int index, Color color) const {
    if (index < 0 || index >= count()) return;
    canvas.drawMask(x, y, images_[static_cast<size_t>(index)].mask, color);
}

int ImageList::addChangeListener(Listener listener) {
    int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void ImageList::removeChangeListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void ImageList::beginUpdate() { ++updateCount_; }

void ImageList::endUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && pendingChange_) changed();
}

void ImageList::changed() {
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    pendingChange_ = false;
    // A listener may remove itself (or others) while being told: walk a copy of the ids.
    std::vector<int> ids;
    for (const auto& entry : listeners_) ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(listeners_.begin(), listeners_.end(), [id](const auto& e) { return e.first == id; });
        if (it == listeners_.end()) continue;
        Listener call = it->second;
        call(*this);
    }
}

}  // namespace lindora
