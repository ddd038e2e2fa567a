#pragma once
// Caption text of items, shared by every painter: one line, vertically centred, transparent
// background, the accelerator underlined ("&&" shows one "&"), and the disabled look.
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/TextFormat.h"

#include <string>

namespace lindora {

struct CaptionTextColors {
    Color text = clBtnText;
    // Disabled and embossed: clBtnHighlight one pixel down and right, then clBtnShadow (`text`).
    bool embossed = false;
};

// flatText: the painter draws disabled text flat and the caller asks for it.
// Enabled: clHighlightText when selected outside flat-text mode, else clBtnText. Disabled:
// clGrayText when selected or in flat-text mode, else embossed.
CaptionTextColors CaptionTextColorsFor(bool enabled, bool selected, bool flatText);

struct CaptionTextParams {
    Rect rect;
    std::string caption;
    unsigned alignment = DT_LEFT;  // DT_LEFT, DT_CENTER or DT_RIGHT, along the text
    bool clip = false;             // keep the drawing inside rect
    bool vertical = false;         // bars docked left or right: rotated to read top to bottom
    bool enabled = true;
    bool selected = false;
    bool flatText = false;
};

// Draws in the canvas's font (its colour and escapement are set for the call and restored).
void DrawCaptionText(Canvas& canvas, const CaptionTextParams& params);

}  // namespace lindora
