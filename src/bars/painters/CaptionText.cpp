#include "bars/painters/CaptionText.h"

namespace lindora {

CaptionTextColors CaptionTextColorsFor(bool enabled, bool selected, bool flatText) {
    if (enabled) return {selected && !flatText ? clHighlightText : clBtnText, false};
    if (selected || flatText) return {clGrayText, false};
    return {clBtnShadow, true};
}

void DrawCaptionText(Canvas& canvas, const CaptionTextParams& p) {
    const Font saved = canvas.font();
    const BackgroundMode savedMode = canvas.backgroundMode();
    Font font = saved;
    // The canvas draws the accelerator line of rotated text along the marked letter too.
    font.setEscapement(p.vertical ? 2700 : 0);
    const unsigned format = DT_SINGLELINE | DT_VCENTER | (p.alignment & (DT_CENTER | DT_RIGHT)) |
                            (p.clip ? 0u : static_cast<unsigned>(DT_NOCLIP));
    canvas.setBackgroundMode(BackgroundMode::Transparent);

    const CaptionTextColors colors = CaptionTextColorsFor(p.enabled, p.selected, p.flatText);
    if (colors.embossed) {
        font.setColor(clBtnHighlight);
        canvas.setFont(font);
        canvas.drawText(p.rect.translated(1, 1), p.caption, format);
    }
    font.setColor(colors.text);
    canvas.setFont(font);
    canvas.drawText(p.rect, p.caption, format);

    canvas.setFont(saved);
    canvas.setBackgroundMode(savedMode);
}

}  // namespace lindora
