#pragma once
// Image lists: equally sized images drawn by index. Each image keeps its pixels with the
// background already made transparent, and a one-bit mask of its picture:
// - an image with an alpha channel keeps its alpha (the mask is alpha >= half);
// - an image added with an explicit mask uses that mask;
// - otherwise, when the list is masked (the default), the image's bottom-left pixel gives the
//   transparent colour; an unmasked list keeps every pixel opaque.
#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace lindora {

class Canvas;

class ImageList {
public:
    using Listener = std::function<void(ImageList&)>;

    ImageList(int width = 16, int height = 16);
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    Size imageSize() const { return {width_, height_}; }
    int count() const { return static_cast<int>(images_.size()); }
    // Changing the size clears the list.
    void setSize(int width, int height);
    bool masked() const { return masked_; }
    void setMasked(bool masked) { masked_ = masked; }
    // The colour an image's background is drawn in when drawn opaquely (clNone: transparent).
    Color bkColor() const { return bkColor_; }
    void setBkColor(Color c);

    // Adds a picture: a strip (or grid) of images of the list's size is split left to right,
    // top to bottom; a picture smaller than one image is added as one image placed top-left.
    // Returns the index of the first image added.
    int add(const Bitmap& picture);
    int add(const Bitmap& picture, const Mask& mask);
    int addMasked(const Bitmap& picture, Color transparent);
    // Raises Exception naming the file when it is missing or not a PNG.
    int addPNG(const std::string& path);
    void replace(int index, const Bitmap& image);
    void remove(int index);
    void clear();

    // The image with transparent background, and its mask; index must be valid.
    const Bitmap& image(int index) const;
    const Mask& mask(int index) const;

    // Draws image `index` with its top-left at (x, y); nothing for an invalid index. Disabled:
    // the embossed look (silhouette in clBtnHighlight one pixel down and right, then in
    // clBtnShadow in place).
    void draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Paints the image's silhouette in one colour.
    void drawMask(Canvas& canvas, int x, int y, int index, Color color) const;

    // Listeners run after every change of the images or of the size; the id removes one.
    int addChangeListener(Listener listener);
    void removeChangeListener(int id);
    // Changes between beginUpdate and endUpdate notify once at the end.
    void beginUpdate();
    void endUpdate();

private:
    struct Entry {
        Bitmap image;
        Mask mask;
    };
    Entry makeEntry(const Bitmap& picture, const Rect& cell, const Mask* mask, Color transparent) const;
    int addCells(const Bitmap& picture, const Mask* mask, Color transparent, bool fixedTransparent);
    void changed();

    int width_;
    int height_;
    bool masked_ = true;
    Color bkColor_ = clNone;
    std::vector<Entry> images_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListenerId_ = 1;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lindora
