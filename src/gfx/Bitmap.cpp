#include "gfx/Bitmap.h"

#include "base/Exception.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace lindora {

namespace {

// Refuses sizes whose pixel count would overflow or exhaust memory outright.
void checkSize(int width, int height) {
    constexpr long long kMaxPixels = 1LL << 28;
    if (static_cast<long long>(width) * height > kMaxPixels)
        throw Exception("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) + " is too large");
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    checkSize(width, height);
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, 0u);
}

Bitmap::Bitmap(int width, int height, Color fillColor) : Bitmap(width, height) { fill(fillColor); }

Bitmap::Bitmap(const Bitmap& other) : width_(other.width_), height_(other.height_), pixels_(other.pixels_) {}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(other.width_), height_(other.height_), pixels_(std::move(other.pixels_)), surface_(other.surface_) {
    other.surface_ = nullptr;
    other.width_ = other.height_ = 0;
    other.pixels_.clear();
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        dropSurface();
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = other.pixels_;
    }
    return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        dropSurface();
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = std::move(other.pixels_);
        surface_ = other.surface_;
        other.surface_ = nullptr;
        other.width_ = other.height_ = 0;
        other.pixels_.clear();
    }
    return *this;
}

Bitmap::~Bitmap() { dropSurface(); }

void Bitmap::dropSurface() {
    if (surface_) {
        // Finishing detaches cairo from our memory even if someone still holds a reference.
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}

void Bitmap::resize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    checkSize(width, height);
    dropSurface();
    Pixels next(static_cast<size_t>(width) * height, 0u);
    int w = std::min(width, width_), h = std::min(height, height_);
    for (int y = 0; w > 0 && y < h; ++y)
        std::memcpy(next.data() + static_cast<size_t>(y) * width, pixels_.data() + static_cast<size_t>(y) * width_,
                    static_cast<size_t>(w) * 4);
    pixels_.swap(next);
    width_ = width;
    height_ = height;
}

void Bitmap::fill(std::uint32_t pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel); }

std::uint32_t Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Bitmap::setPixel(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = argb;
}

Color Bitmap::colorAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    return pixelToColor(pixel(x, y));
}

bool Bitmap::hasAlpha() const {
    return std::any_of(pixels_.begin(), pixels_.end(), [](std::uint32_t p) { return (p >> 24) != 0xFF; });
}

std::span<std::uint32_t> Bitmap::row(int y) {
    if (y < 0 || y >= height_) throw Exception("Bitmap row " + std::to_string(y) + " out of range");
    return {pixels_.data() + static_cast<size_t>(y) * width_, static_cast<size_t>(width_)};
}

std::span<const std::uint32_t> Bitmap::row(int y) const {
    if (y < 0 || y >= height_) throw Exception("Bitmap row " + std::to_string(y) + " out of range");
    return {pixels_.data() + static_cast<size_t>(y) * width_, static_cast<size_t>(width_)};
}

void Bitmap::readRow(int y, std::span<std::uint32_t> out) const {
    auto r = row(y);
    std::copy_n(r.begin(), std::min(r.size(), out.size()), out.begin());
}

void Bitmap::writeRow(int y, std::span<const std::uint32_t> in) {
    auto r = row(y);
    std::copy_n(in.begin(), std::min(r.size(), in.size()), r.begin());
}

Bitmap Bitmap::copy(const Rect& part) const {
    Rect p = part.normalized();
    Bitmap out(p.width(), p.height());
    Rect src = p.intersected(bounds());
    for (int y = src.top; !src.isEmpty() && y < src.bottom; ++y)
        std::memcpy(out.pixels_.data() + static_cast<size_t>(y - p.top) * out.width_ + (src.left - p.left),
                    pixels_.data() + static_cast<size_t>(y) * width_ + src.left, static_cast<size_t>(src.width()) * 4);
    return out;
}

cairo_surface_t* Bitmap::surface() const {
    if (isEmpty()) return nullptr;
    if (!surface_) {
        surface_ = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels_.data())), CAIRO_FORMAT_ARGB32, width_,
            height_, stride());
    } else {
        cairo_surface_mark_dirty(surface_);
    }
    return surface_;
}

void Bitmap::markDirty() const {
    if (surface_) cairo_surface_mark_dirty(surface_);
}

namespace {

// The pixels of a PNG image surface that cairo decoded; raises naming `what` when it failed.
Bitmap fromDecodedPNG(cairo_surface_t* s, const std::string& what) {
    cairo_status_t status = cairo_surface_status(s);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        const char* why = status == CAIRO_STATUS_FILE_NOT_FOUND ? "file not found"
                          : status == CAIRO_STATUS_READ_ERROR   ? "read error or not a PNG file"
                                                                : cairo_status_to_string(status);
        throw Exception("Cannot load image " + what + ": " + why);
    }
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    Bitmap out(w, h);
    cairo_format_t format = cairo_image_surface_get_format(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = src[x];
            // RGB24 leaves the top byte undefined; ARGB32 is premultiplied like ours.
            out.setPixel(x, y, format == CAIRO_FORMAT_RGB24 ? (p | 0xFF000000u) : p);
        }
    }
    cairo_surface_destroy(s);
    return out;
}

struct PngReader {
    std::span<const std::uint8_t> data;
    std::size_t at = 0;
};

cairo_status_t readPngBytes(void* closure, unsigned char* buffer, unsigned int length) {
    auto* r = static_cast<PngReader*>(closure);
    if (r->data.size() - r->at < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(buffer, r->data.data() + r->at, length);
    r->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Bitmap Bitmap::loadPNG(const std::string& path) {
    return fromDecodedPNG(cairo_image_surface_create_from_png(path.c_str()), "\"" + path + "\"");
}

Bitmap Bitmap::fromPNGData(std::span<const std::uint8_t> data, const std::string& what) {
    PngReader reader{data};
    return fromDecodedPNG(cairo_image_surface_create_from_png_stream(readPngBytes, &reader), what);
}

void Bitmap::savePNG(const std::string& path) const {
    if (isEmpty()) throw Exception("Cannot save an empty image to \"" + path + "\"");
    cairo_surface_t* s = surface();
    cairo_surface_flush(s);
    cairo_status_t status = cairo_surface_write_to_png(s, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw Exception("Cannot save image \"" + path + "\": " + cairo_status_to_string(status));
}

bool Bitmap::operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

// --- Mask --------------------------------------------------------------------------------------

Mask::Mask(int width, int height, bool value)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      bits_(static_cast<size_t>(width_) * height_, value ? 1 : 0) {}

bool Mask::test(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return bits_[static_cast<size_t>(y) * width_ + x] != 0;
}

void Mask::set(int x, int y, bool value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[static_cast<size_t>(y) * width_ + x] = value ? 1 : 0;
}

Mask Mask::fromTransparentColor(const Bitmap& image, Color transparent) {
    Mask m(image.width(), image.height());
    std::uint32_t key = colorToPixel(transparent) & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) m.set(x, y, (colorToPixel(image.colorAt(x, y)) & 0x00FFFFFFu) != key);
    return m;
}

Mask Mask::fromAlpha(const Bitmap& image) {
    Mask m(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) m.set(x, y, (image.pixel(x, y) >> 24) >= 128);
    return m;
}

Mask Mask::fromMonochrome(const Bitmap& picture) { return fromTransparentColor(picture, clWhite); }

}  // namespace lindora
