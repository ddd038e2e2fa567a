#include "bars/model/BarPainter.h"

#include "gfx/Brush.h"
#include "gfx/Canvas.h"

namespace lindora {

std::string_view painterClassName(BarPainterKind kind) {
    switch (kind) {
    case BarPainterKind::Standard: return "BarItemControlStandardPainter";
    case BarPainterKind::Enhanced: return "BarItemControlEnhancedPainter";
    case BarPainterKind::Flat: return "BarItemControlFlatPainter";
    case BarPainterKind::Office11: return "BarItemControlOffice11Painter";
    case BarPainterKind::XP: return "BarItemControlXPPainter";
    }
    return {};
}

void BarPainter::drawDockBackground(Canvas& canvas, const Rect& r, Color dockColor) const {
    canvas.fillRect(r, Brush(dockColor));
}

}  // namespace lindora
