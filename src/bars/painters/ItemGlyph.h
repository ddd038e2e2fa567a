#pragma once
// Glyph drawing shared by every painter: the glyph is composed off screen in one buffer of the
// item's size, with the effects of the item's state, and copied to the canvas once.
#include "bars/painters/PainterColors.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

namespace lindora {

class Bitmap;
class ImageList;

struct ItemGlyphParams {
    // Fills the buffer unless keepBackground; the null brush leaves it transparent black.
    Brush background;
    Rect itemRect;   // canvas coordinates
    Rect glyphRect;  // canvas coordinates; the glyph's top-left is its top-left
    // What the glyph cell is filled with before the image is drawn (the manager's
    // ImageListBkColor); the cell's bottom-left pixel then gives the transparent colour.
    Color imageListBkColor = clFuchsia;
    // The tint of a faded disabled glyph, or clNone for the silhouette.
    Color fadedDisabledColor = clNone;
    bool keepBackground = false;  // start from what the canvas shows under the item
    bool raisedWhenHot = false;   // the flat painter's raised hot glyph
    bool pressed = false;
    bool checked = false;
    bool hot = false;
    bool flatLook = false;  // no highlight emboss on disabled glyphs, lightened idle glyphs
    bool grayscale = false;
    bool enabled = true;
    int imageIndex = -1;
    const ImageList* images = nullptr;
    // Takes the place of the image list when given and not empty.
    const Bitmap* bitmap = nullptr;
    // The display depth; idle glyphs are not lightened on palette displays.
    int bitsPerPixel = DisplayBitsPerPixel();
};

// Draws the glyph of an item with the effects of its state:
// - enabled (or disabled with a faded colour): the image over the image-list background
//   colour, made transparent by the cell's bottom-left pixel (partly transparent edges of an
//   image with alpha blend with the item's background instead); a faded disabled glyph is
//   recoloured towards the faded colour by its luminance; grayscale averages the channels; in
//   the flat look an idle glyph (not hot, checked or grayscale) is lightened by 30 % on
//   displays of more than 8 bits per pixel; in the flat look with raisedWhenHot a hot glyph
//   that is not pressed is drawn one pixel up and left above its clBtnShadow silhouette one
//   pixel down and right;
// - disabled without a faded colour: the glyph's silhouette (white parts of an image count as
//   background), in clBtnHighlight one pixel down and right unless in the flat look, then in
//   clBtnShadow in place.
void DrawItemGlyph(Canvas& canvas, const ItemGlyphParams& params);

// The recolouring of a faded disabled glyph, per pixel.
Color FadedGlyphPixel(Color pixel, Color faded);

}  // namespace lindora
