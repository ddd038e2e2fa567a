#pragma once
// Colour arithmetic of the painters: tints derived from the system colours, mixes, and the
// nearest colour the display can show. Every result is an RGB colour (system colours are
// resolved at the call).
#include "gfx/Color.h"

#include <span>

namespace lindora {

// The display's depth: the window layer's screen, or 32 when no backend is installed.
int DisplayBitsPerPixel();
// Displays of 8 bits per pixel or less show colours through a palette.
constexpr bool IsPaletteDisplay(int bitsPerPixel) { return bitsPerPixel <= 8; }

// The palette a display of that depth shows (empty for true-colour displays):
//   1 bit: black and white;
//   2 to 4 bits: the 16 standard colours (clBlack .. clWhite);
//   5 to 8 bits: those 16, then the 6 x 6 x 6 colour cube (channels 0, 51, .. 255) and four
//   light interface tints (192,220,192; 166,202,240; 255,251,240; 160,160,164).
std::span<const Color> DisplayPalette(int bitsPerPixel);

// The closest colour the display shows: on a true-colour display the colour itself; on a
// palette display the palette entry at the smallest squared RGB distance (the first one on a tie).
Color NearestDisplayColor(Color c, int bitsPerPixel);
Color NearestDisplayColor(Color c);

// Each channel = min(255, round(c2 * (100 - p) / 100) + round(c1 * p / 100)); then the
// nearest display colour. p is a percentage of c1.
Color MixColors(Color c1, Color c2, int p, int bitsPerPixel);
Color MixColors(Color c1, Color c2, int p);

// A weighted sum of clBtnFace (f), clHighlight (h) and clWindow (w), weights in percent (they
// may be negative), each channel clamped to 0..255. A black or white button face gives
// clHighlight (as RGB): there is no face to tint.
Color SystemTintColor(int f, int h, int w);

// v * numerator / denominator rounded to the nearest integer (halves away from zero), the
// rounding every weighted term above uses.
int MulDivRound(int v, int numerator, int denominator);

// Channel v raised towards white by percent: v + round((255 - v) * percent / 100).
int LightenChannel(int v, int percent);
Color LightenColor(Color c, int percent);

// Predicates the flat look asks of the scheme.
bool IsWhiteButtonFace();
bool IsBlackButtonFace();

}  // namespace lindora
