#pragma once
// Bitmaps: 32-bit pixels in cairo's ARGB32 layout (native-endian 0xAARRGGBB, premultiplied
// alpha), rows packed without padding, so cairo and Pango draw straight onto the same memory.
// Opaque pixels are simply 0xFFRRGGBB.
#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/PixelAllocator.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace lindora {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);              // transparent black (0x00000000)
    Bitmap(int width, int height, Color fill);  // opaque fill
    Bitmap(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(const Bitmap& other);
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }

    // Keeps the pixels that still fit (top-left anchored); new pixels are transparent black.
    // Negative sizes count as 0. Invalidates row spans and the cairo surface.
    void resize(int width, int height);
    void fill(std::uint32_t pixel);
    void fill(Color c) { fill(colorToPixel(c)); }

    // Raw pixels. Reads outside the bitmap give 0; writes outside are ignored.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t argb);
    // The pixel as an RGB colour (unpremultiplied); clNone outside the bitmap.
    Color colorAt(int x, int y) const;
    void setColor(int x, int y, Color c) { setPixel(x, y, colorToPixel(c)); }
    bool hasAlpha() const;  // any pixel not fully opaque

    // Whole rows of 32-bit pixels (width() entries); y must lie inside the bitmap.
    std::span<std::uint32_t> row(int y);
    std::span<const std::uint32_t> row(int y) const;
    void readRow(int y, std::span<std::uint32_t> out) const;  // copies min(width, out.size())
    void writeRow(int y, std::span<const std::uint32_t> in);  // copies min(width, in.size())

    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }
    int stride() const { return width_ * 4; }  // bytes per row

    // A part of this bitmap as a new bitmap (the part outside is transparent black).
    Bitmap copy(const Rect& part) const;

    // A cairo image surface over this bitmap's memory, created on first use and kept until the
    // bitmap is resized or destroyed (callers must not keep references beyond that). Null for
    // an empty bitmap. Callers that draw with cairo flush it before reading pixels.
    cairo_surface_t* surface() const;
    // Tells cairo that pixels were written directly (call before cairo draws again).
    void markDirty() const;

    // PNG files. A missing or unreadable file raises Exception naming the file.
    static Bitmap loadPNG(const std::string& path);
    // A PNG image held in memory (compiled-in artwork); `what` names it in the error.
    static Bitmap fromPNGData(std::span<const std::uint8_t> data, const std::string& what);
    void savePNG(const std::string& path) const;

    bool operator==(const Bitmap& other) const;  // same size and the same pixels

private:
    void dropSurface();

    int width_ = 0;
    int height_ = 0;
    using Pixels = std::vector<std::uint32_t, PixelAllocator<std::uint32_t>>;
    Pixels pixels_;
    mutable cairo_surface_t* surface_ = nullptr;
};

// A one-bit mask: set pixels belong to the picture, clear ones are background.
class Mask {
public:
    Mask() = default;
    Mask(int width, int height, bool value = false);

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }

    bool test(int x, int y) const;       // false outside
    void set(int x, int y, bool value);  // ignored outside

    // Every pixel whose RGB differs from the transparent colour is set.
    static Mask fromTransparentColor(const Bitmap& image, Color transparent);
    // Every pixel whose alpha is at least half is set.
    static Mask fromAlpha(const Bitmap& image);
    // A black-on-white picture: every pixel that is not white is set.
    static Mask fromMonochrome(const Bitmap& picture);

    bool operator==(const Mask&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bits_;
};

}  // namespace lindora
