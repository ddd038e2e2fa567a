#pragma once
// The drawing surface all painting goes through: exact pixel operations on a Bitmap, with
// the classic platform's pixel rules:
// - rectangles cover left..right-1 and top..bottom-1;
// - lines use a one-pixel pen and do not draw their end point;
// - polygons are filled by the even-odd (or winding) rule, a pixel being the integer point it
//   sits on (left and top edges inside, right and bottom outside), then outlined with the pen
//   through every vertex.
// Coordinates are logical: the canvas pixel at logical p is p + origin. Clipping is a region
// in logical coordinates, always cut to the canvas; nothing is ever written outside it.
//
// A canvas may have an integer scale s (a high-resolution screen): each canvas pixel is then an
// s x s block of bitmap pixels, so every rule above holds unchanged in canvas pixels (a
// one-pixel line is s bitmap pixels thick) while text is rendered at the bitmap's resolution
// and pictures of canvas resolution are enlarged by nearest neighbour, which keeps them crisp.
#include "gfx/Bitmap.h"
#include "gfx/Brush.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/Region.h"
#include "gfx/TextFormat.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace lindora {

class ImageList;
struct RenderedText;

// 3D edges (values of the classic platform).
enum EdgeFlags : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER,
    BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum BorderFlags : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_TOPRIGHT = BF_TOP | BF_RIGHT,
    BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x800,   // fill the inside with clBtnFace
    BF_SOFT = 0x1000,    // the push-button colour order
    BF_ADJUST = 0x2000,  // shrink the rectangle by the edge's width
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};

enum class BackgroundMode { Transparent, Opaque };
enum class FillRule { EvenOdd, Winding };

class Canvas {
public:
    // Draws onto a bitmap owned elsewhere, which must outlive the canvas and keep its size. With
    // a scale the canvas is the bitmap's size divided by it (a remainder is never drawn on).
    explicit Canvas(Bitmap& target, int scale = 1);
    // An off-screen canvas owning a bitmap of this size times the scale (transparent black).
    Canvas(int width, int height, int scale = 1);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    Bitmap& bitmap() { return *bitmap_; }
    const Bitmap& bitmap() const { return *bitmap_; }
    // Bitmap pixels per canvas pixel, across and down.
    int scale() const { return scale_; }
    // The size in canvas pixels.
    int width() const { return bitmap_->width() / scale_; }
    int height() const { return bitmap_->height() / scale_; }
    // Resizes an owned bitmap (and resets the clip); a canvas on someone else's bitmap raises.
    void resize(int width, int height);

    // --- state ---------------------------------------------------------------------------------
    // Where logical (0, 0) lies on the canvas (in canvas pixels). Changing it does not move the
    // clip region in device terms (the clip stays on the same pixels).
    Point origin() const { return origin_; }
    void setOrigin(Point devicePosition);
    // The pattern phase in canvas pixels: pattern pixel (0, 0) lies there.
    Point brushOrigin() const { return brushOrigin_; }
    void setBrushOrigin(Point devicePosition) { brushOrigin_ = devicePosition; }

    Color penColor() const { return penColor_; }
    void setPenColor(Color c) { penColor_ = c; }  // clNone: the null pen
    const Brush& brush() const { return brush_; }
    void setBrush(const Brush& b) { brush_ = b; }
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_ = f; }
    BackgroundMode backgroundMode() const { return bkMode_; }
    void setBackgroundMode(BackgroundMode m) { bkMode_ = m; }
    Color backgroundColor() const { return bkColor_; }
    void setBackgroundColor(Color c) { bkColor_ = c; }
    FillRule fillRule() const { return fillRule_; }
    void setFillRule(FillRule r) { fillRule_ = r; }

    // --- clipping (logical coordinates) ------------------------------------------------------
    // Two levels, as the platform's device contexts have: the system clip (what the window
    // layer allows: a window's visible part of its top-level's backing store; the whole bitmap
    // by default) and the clip that painters change, which never reaches outside the system clip.
    // A window's canvas also sets the brush origin to its client origin, so that patterns are
    // aligned to the window as they are on the platform.
    void setSystemClip(const Region& r);  // also resets the clip and forgets saved clips
    void setSystemClip(const Rect& r) { setSystemClip(Region(r)); }
    Region clipRegion() const;
    Rect clipBounds() const;
    // Replaces the clip (cut to the system clip); an empty region clips everything away.
    void setClipRegion(const Region& r);
    void setClipRect(const Rect& r) { setClipRegion(Region(r)); }
    // Back to the whole system clip.
    void resetClip();
    void intersectClip(const Rect& r);
    void intersectClip(const Region& r);
    void excludeClip(const Rect& r);
    void excludeClip(const Region& r);
    bool isVisible(Point p) const;
    bool isVisible(const Rect& r) const;
    // Saves the clip on a stack; returns the depth before, for restoreClip(depth).
    int saveClip();
    // Restores the most recent save (or the one `saveClip` returned `depth` for).
    void restoreClip();
    void restoreClip(int depth);

    // --- rectangles --------------------------------------------------------------------------
    void fillRect(const Rect& r, const Brush& b);
    void fillRect(const Rect& r) { fillRect(r, brush_); }
    void fillRegion(const Region& r, const Brush& b);
    // A one-pixel frame inside the rectangle.
    void frameRect(const Rect& r, const Brush& b);
    void frameRect(const Rect& r) { frameRect(r, brush_); }
    // The brush inside, a pen frame on the rectangle's edge (the classic Rectangle).
    void rectangle(const Rect& r);
    // Inverts the colours of the rectangle (focus and drag feedback).
    void invertRect(const Rect& r);

    // --- lines and shapes ---------------------------------------------------------------------
    Point penPosition() const { return penPos_; }
    void moveTo(int x, int y) { penPos_ = {x, y}; }
    void moveTo(Point p) { penPos_ = p; }
    void lineTo(int x, int y);
    void lineTo(Point p) { lineTo(p.x, p.y); }
    // Each segment drawn like lineTo; the last point is not drawn; the pen stays where it was.
    void polyline(std::span<const Point> points);
    void polyline(std::initializer_list<Point> points) {
        polyline(std::span<const Point>(points.begin(), points.size()));
    }
    // Filled with the brush, outlined with the pen (closed).
    void polygon(std::span<const Point> points);
    void polygon(std::initializer_list<Point> points) {
        polygon(std::span<const Point>(points.begin(), points.size()));
    }
    // A triangle filled and outlined in one colour.
    void filledTriangle(Point a, Point b, Point c, Color color);

    // --- 3D edges ----------------------------------------------------------------------------
    // The classic DrawEdge with its colours: raised outer 3D light / 3D dark shadow, sunken
    // outer button shadow / button highlight, raised inner button highlight / button shadow,
    // sunken inner 3D dark shadow / 3D light (top-left / bottom-right); BF_SOFT swaps to the
    // push-button order. Bottom-left and top-right corner pixels take the bottom-right colour;
    // a single layer lies on the outermost pixels. Returns the rectangle inside the edge.
    Rect drawEdge(const Rect& r, unsigned edge, unsigned borderFlags);

    // --- pixels ------------------------------------------------------------------------------
    // Reads give the top-left bitmap pixel of a scaled canvas pixel.
    Color pixel(int x, int y) const;       // clNone outside the bitmap
    void setPixel(int x, int y, Color c);  // ignored outside the clip
    std::uint32_t rawPixel(int x, int y) const;
    void setRawPixel(int x, int y, std::uint32_t argb);

    // --- block copies --------------------------------------------------------------------------
    // Copies src's srcRect (src logical coordinates) into destRect; different sizes stretch
    // (nearest pixel). Copying within one canvas works for overlapping rectangles. A canvas
    // source is read at its own resolution; a bitmap source is a picture of `sourceScale`
    // bitmap pixels per logical pixel (1: canvas resolution, enlarged on a scaled canvas).
    void copyRect(const Rect& destRect, const Canvas& src, const Rect& srcRect);
    void copyRect(const Rect& destRect, const Bitmap& src, const Rect& srcRect, int sourceScale = 1);
    // Draws a bitmap with its alpha blended over the canvas, scaled by a constant opacity
    // (0..255; fading windows and shadows).
    void draw(int x, int y, const Bitmap& src, int opacity = 255);
    // Copies, leaving pixels of the transparent colour (compared as RGB) untouched.
    void copyTransparent(const Rect& destRect, const Bitmap& src, const Rect& srcRect, Color transparent);
    void copyTransparent(const Rect& destRect, const Canvas& src, const Rect& srcRect, Color transparent);
    // Copies the pixels whose mask bit is set; the mask is read at srcRect's position.
    void copyMasked(const Rect& destRect, const Bitmap& src, const Rect& srcRect, const Mask& mask);
    // Paints every set mask pixel in one colour, the mask's top-left at (x, y).
    void drawMask(int x, int y, const Mask& mask, Color color);
    void drawImage(const ImageList& images, int index, int x, int y, bool enabled = true);

    // --- text --------------------------------------------------------------------------------
    // Text is drawn in the font's colour. Escapement 900/2700 rotates drawText and textOut.
    Size textExtent(const std::string& text) const;
    int textWidth(const std::string& text) const { return textExtent(text).cx; }
    int textHeight(const std::string& text) const { return textExtent(text).cy; }
    // One line with its top-left at (x, y) (for rotated fonts: the text's start corner, as
    // the platform's TextOut: for 900 the text runs upward from (x, y), its top on the left).
    void textOut(int x, int y, const std::string& text);
    // The classic DrawText: flags from TextFormat. Returns the text's height; with DT_CALCRECT
    // nothing is drawn and `r` gets the size the text needs (right and bottom changed).
    // With a rotated font the flags keep their meaning along the text: DT_LEFT puts the text's
    // start at the rectangle's bottom (900) or top (2700), DT_VCENTER centres it across.
    int drawText(Rect& r, const std::string& text, unsigned format);
    int drawText(const Rect& r, const std::string& text, unsigned format) {
        Rect copy = r;
        return drawText(copy, text, format);
    }

    // A cairo context on the bitmap with the origin and the clip applied, for drawing this class
    // does not offer. The caller destroys it with cairo_destroy and then calls endCairo().
    cairo_t* beginCairo();
    void endCairo();

private:
    // Draws rendered text with its logical box's start corner at a logical point, rotated by a
    // quadrant escapement (0, 900, 1800, 2700), optionally clipped to a logical rectangle.
    void blitText(const RenderedText& text, Point anchor, int escapement, const Rect* clip);
    // "Device" below means canvas pixels (logical + origin); only these primitives and the
    // copies know that a canvas pixel may be a block of bitmap pixels.
    Rect deviceBounds() const { return {0, 0, width(), height()}; }
    void fillDeviceSpan(int y, int x0, int x1, const Brush& b);
    void fillDeviceBlock(int x, int y, std::uint32_t pixel);  // inside the canvas, unclipped
    void plot(int dx, int dy, std::uint32_t pixel);
    void deviceLine(Point from, Point to, std::uint32_t pixel);
    void copyFrom(const Rect& destRect, const Bitmap& src, int sourceScale, const Rect& srcRect, int mode,
                  std::uint32_t key, const Mask* mask);

    std::unique_ptr<Bitmap> owned_;
    Bitmap* bitmap_;
    int scale_ = 1;
    Point origin_;
    Point brushOrigin_;
    Color penColor_ = clBlack;
    Brush brush_ = Brush(clWhite);
    Font font_;
    BackgroundMode bkMode_ = BackgroundMode::Transparent;
    Color bkColor_ = clWhite;
    FillRule fillRule_ = FillRule::EvenOdd;
    Point penPos_;
    Region systemClip_;  // device coordinates, inside the bitmap
    Region clip_;        // device coordinates, inside the system clip
    std::vector<Region> clipStack_;
};

}  // namespace lindora
