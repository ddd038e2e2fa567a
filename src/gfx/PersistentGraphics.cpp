#include "gfx/PersistentGraphics.h"

#include <cstring>

#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "base/Stream.h"

namespace lindora {

const IntegerIdents& colorIdents() {
    static const IntegerIdents idents{
        {"clBlack", clBlack.value()},
        {"clMaroon", clMaroon.value()},
        {"clGreen", clGreen.value()},
        {"clOlive", clOlive.value()},
        {"clNavy", clNavy.value()},
        {"clPurple", clPurple.value()},
        {"clTeal", clTeal.value()},
        {"clGray", clGray.value()},
        {"clSilver", clSilver.value()},
        {"clRed", clRed.value()},
        {"clLime", clLime.value()},
        {"clYellow", clYellow.value()},
        {"clBlue", clBlue.value()},
        {"clFuchsia", clFuchsia.value()},
        {"clAqua", clAqua.value()},
        {"clWhite", clWhite.value()},
        {"clNone", clNone.value()},
        {"clDefault", clDefault.value()},
        {"clScrollBar", clScrollBar.value()},
        {"clBackground", clBackground.value()},
        {"clActiveCaption", clActiveCaption.value()},
        {"clInactiveCaption", clInactiveCaption.value()},
        {"clMenu", clMenu.value()},
        {"clWindow", clWindow.value()},
        {"clWindowFrame", clWindowFrame.value()},
        {"clMenuText", clMenuText.value()},
        {"clWindowText", clWindowText.value()},
        {"clCaptionText", clCaptionText.value()},
        {"clActiveBorder", clActiveBorder.value()},
        {"clInactiveBorder", clInactiveBorder.value()},
        {"clAppWorkSpace", clAppWorkSpace.value()},
        {"clHighlight", clHighlight.value()},
        {"clHighlightText", clHighlightText.value()},
        {"clBtnFace", clBtnFace.value()},
        {"clBtnShadow", clBtnShadow.value()},
        {"clGrayText", clGrayText.value()},
        {"clBtnText", clBtnText.value()},
        {"clInactiveCaptionText", clInactiveCaptionText.value()},
        {"clBtnHighlight", clBtnHighlight.value()},
        {"cl3DDkShadow", cl3DDkShadow.value()},
        {"cl3DLight", cl3DLight.value()},
        {"clInfoText", clInfoText.value()},
        {"clInfoBk", clInfoBk.value()},
        {"clHotLight", clHotLight.value()},
        {"clGradientActiveCaption", clGradientActiveCaption.value()},
        {"clGradientInactiveCaption", clGradientInactiveCaption.value()},
        {"clMenuHighlight", clMenuHighlight.value()},
        {"clMenuBar", clMenuBar.value()},
    };
    return idents;
}

namespace fontstyle {
const EnumInfo& enumInfoOf(FontStyleBit) {
    static const EnumInfo info("FontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return info;
}
}  // namespace fontstyle

// ---- FontProperty

const ClassInfo& FontProperty::classInfo() {
    static const ClassInfo info =
        ClassBuilder<FontProperty>("FontProperty", Persistent::classInfo())
            .property(
                "Color", [](const FontProperty& f) { return static_cast<std::int64_t>(f.color().value()); },
                [](FontProperty& f, std::int64_t v) { f.setColor(Color(static_cast<std::uint32_t>(v))); })
            .idents(colorIdents())
            .property("Height", &FontProperty::height, &FontProperty::setHeight)
            .property(
                "Name", [](const FontProperty& f) { return f.fontName(); }, &FontProperty::setFontName)
            .property("Style", &FontProperty::styles, &FontProperty::setStyles)
            .defaultValue(fontstyle::FontStyles{});
    return info;
}

void FontProperty::changed() { OnChange(this); }

void FontProperty::setFont(const Font& font) {
    if (font == font_) return;
    font_ = font;
    changed();
}

void FontProperty::setFontName(const std::string& name) {
    if (name == font_.name()) return;
    font_.setName(name);
    changed();
}

void FontProperty::setHeight(int height) {
    if (height == font_.height()) return;
    font_.setHeight(height);
    changed();
}

fontstyle::FontStyles FontProperty::styles() const {
    fontstyle::FontStyles s;
    if (font_.bold()) s.include(fontstyle::fsBold);
    if (font_.italic()) s.include(fontstyle::fsItalic);
    if (font_.underline()) s.include(fontstyle::fsUnderline);
    if (font_.strikeOut()) s.include(fontstyle::fsStrikeOut);
    return s;
}

void FontProperty::setStyles(fontstyle::FontStyles styles) {
    unsigned bits = fsNone;
    if (styles.contains(fontstyle::fsBold)) bits |= fsBold;
    if (styles.contains(fontstyle::fsItalic)) bits |= fsItalic;
    if (styles.contains(fontstyle::fsUnderline)) bits |= fsUnderline;
    if (styles.contains(fontstyle::fsStrikeOut)) bits |= fsStrikeOut;
    if (bits == font_.style()) return;
    font_.setStyle(bits);
    changed();
}

void FontProperty::setColor(Color color) {
    if (color == font_.color()) return;
    font_.setColor(color);
    changed();
}

void FontProperty::assign(const Persistent& source) {
    if (auto* f = dynamic_cast<const FontProperty*>(&source)) {
        setFont(f->font());
        return;
    }
    Persistent::assign(source);
}

// ---- BitmapProperty

const ClassInfo& BitmapProperty::classInfo() {
    static const ClassInfo info = ClassBuilder<BitmapProperty>("BitmapProperty", Persistent::classInfo());
    return info;
}

void BitmapProperty::setBitmap(const Bitmap& bitmap) {
    if (bitmap == bitmap_) return;
    bitmap_ = bitmap;
    OnChange(this);
}

void BitmapProperty::assign(const Persistent& source) {
    if (auto* b = dynamic_cast<const BitmapProperty*>(&source)) {
        setBitmap(b->bitmap());
        return;
    }
    Persistent::assign(source);
}

namespace {

// Width and height as 32-bit little-endian numbers, then the pixels row by row.
void writeBitmap(Stream& s, const Bitmap& b) {
    std::int32_t size[2] = {b.width(), b.height()};
    s.writeBuffer(size, sizeof size);
    if (!b.isEmpty()) s.writeBuffer(b.data(), static_cast<std::size_t>(b.width()) * b.height() * 4);
}

Bitmap readBitmap(Stream& s) {
    std::int32_t size[2];
    s.readBuffer(size, sizeof size);
    if (size[0] < 0 || size[1] < 0 || static_cast<std::int64_t>(size[0]) * size[1] * 4 > s.remaining())
        throw EReadError("Invalid bitmap data");
    Bitmap b(size[0], size[1]);
    if (!b.isEmpty()) s.readBuffer(b.data(), static_cast<std::size_t>(size[0]) * size[1] * 4);
    return b;
}

}  // namespace

void BitmapProperty::defineProperties(Filer& filer) {
    filer.defineBinaryProperty(
        "Data", [this](Stream& s) { setBitmap(readBitmap(s)); }, [this](Stream& s) { writeBitmap(s, bitmap_); },
        !bitmap_.isEmpty());
}

// ---- ImageListComponent

const ClassInfo& ImageListComponent::classInfo() {
    static const ClassInfo info =
        ClassBuilder<ImageListComponent>("ImageListComponent", Component::classInfo())
            .property(
                "BkColor", [](const ImageListComponent& l) { return static_cast<std::int64_t>(l.bkColor().value()); },
                [](ImageListComponent& l, std::int64_t v) { l.setBkColor(Color(static_cast<std::uint32_t>(v))); })
            .idents(colorIdents())
            .defaultValue(static_cast<std::int64_t>(clNone.value()))
            .property("Height", &ImageListComponent::height, &ImageListComponent::setHeight)
            .defaultValue(16)
            .property("Masked", &ImageListComponent::masked, &ImageListComponent::setMasked)
            .defaultValue(true)
            .property("Width", &ImageListComponent::width, &ImageListComponent::setWidth)
            .defaultValue(16);
    return info;
}

ImageListComponent::ImageListComponent(Component* owner) : Component(owner) {}

void ImageListComponent::setWidth(int w) {
    if (w > 0 && w != list_.width()) list_.setSize(w, list_.height());
}

void ImageListComponent::setHeight(int h) {
    if (h > 0 && h != list_.height()) list_.setSize(list_.width(), h);
}

void ImageListComponent::defineProperties(Filer& filer) {
    Component::defineProperties(filer);
    // The image count, then each image with its mask as a bitmap whose alpha is the mask.
    filer.defineBinaryProperty(
        "Bitmap",
        [this](Stream& s) {
            std::int32_t count = 0;
            s.readBuffer(&count, sizeof count);
            if (count < 0) throw EReadError("Invalid image list data");
            list_.beginUpdate();
            list_.clear();
            for (int i = 0; i < count; ++i) list_.add(readBitmap(s));
            list_.endUpdate();
        },
        [this](Stream& s) {
            std::int32_t count = list_.count();
            s.writeBuffer(&count, sizeof count);
            for (int i = 0; i < count; ++i) writeBitmap(s, list_.image(i));
        },
        list_.count() > 0);
}

}  // namespace lindora
