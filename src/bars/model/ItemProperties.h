#pragma once
// The properties that item classes publish from the base item (Glyph, ImageIndex, ShortCut,
// UnclickAfterDoing, OnClick), each stored only while an action does not supply it.
#include "bars/model/BarItem.h"
#include "base/ClassBuilder.h"

namespace lindora {

template <class T>
ClassBuilder<T>& publishGlyph(ClassBuilder<T>& b) {
    return b
        .property(
            "Glyph", [](const T& i) -> const BitmapProperty& { return i.glyph(); },
            [](T& i, const BitmapProperty& g) { i.setGlyph(g); })
        .stored([](const T& i) { return !i.glyph().empty(); });
}

template <class T>
ClassBuilder<T>& publishImageIndex(ClassBuilder<T>& b) {
    return b.property("ImageIndex", &T::imageIndex, &T::setImageIndex).defaultValue(-1).stored([](const T& i) {
        return !(i.actionLink() && i.actionLink()->isImageIndexLinked());
    });
}

template <class T>
ClassBuilder<T>& publishShortCut(ClassBuilder<T>& b) {
    return b.property("ShortCut", &T::shortCut, &T::setShortCut).defaultValue(0).stored([](const T& i) {
        return !(i.actionLink() && i.actionLink()->isShortCutLinked());
    });
}

template <class T>
ClassBuilder<T>& publishOnClick(ClassBuilder<T>& b) {
    return b.event("OnClick", &BarItem::OnClick);
}

template <class T>
ClassBuilder<T>& publishUnclickAfterDoing(ClassBuilder<T>& b) {
    return b.property("UnclickAfterDoing", &T::unclickAfterDoing, &T::setUnclickAfterDoing).defaultValue(true);
}

}  // namespace lindora
