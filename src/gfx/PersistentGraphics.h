#pragma once
// Published wrappers of the drawing layer's values, so that fonts, bitmaps and image lists can
// be properties and components of a form description: a font (Font.Name, Font.Height, ...), a
// bitmap (streamed as the binary property "Data") and an image-list component.
#include <cstdint>
#include <memory>

#include "base/ClassInfo.h"
#include "base/Component.h"
#include "base/Event.h"
#include "base/Persistent.h"
#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/ImageList.h"

namespace lindora {

// The names form descriptions use for colours ("clBtnFace", "clRed"), for integer colour
// properties published with .idents(colorIdents()).
const IntegerIdents& colorIdents();

// The style bits as a published set ("Style = [fsBold]").
namespace fontstyle {
enum FontStyleBit { fsBold, fsItalic, fsUnderline, fsStrikeOut };
const EnumInfo& enumInfoOf(FontStyleBit);
using FontStyles = SetOf<FontStyleBit>;
}  // namespace fontstyle

class FontProperty : public Persistent {
    LINDORA_CLASS(FontProperty)

public:
    FontProperty() = default;
    explicit FontProperty(const Font& font) : font_(font) {}

    const Font& font() const { return font_; }
    // Replaces the whole font; OnChange once when anything differs.
    void setFont(const Font& font);

    const std::string& fontName() const { return font_.name(); }
    void setFontName(const std::string& name);
    int height() const { return font_.height(); }
    void setHeight(int height);
    fontstyle::FontStyles styles() const;
    void setStyles(fontstyle::FontStyles styles);
    Color color() const { return font_.color(); }
    void setColor(Color color);

    void assign(const Persistent& source) override;

    // Raised after every change.
    NotifyEvent OnChange;

private:
    void changed();
    Font font_;
};

class BitmapProperty : public Persistent {
    LINDORA_CLASS(BitmapProperty)

public:
    const Bitmap& bitmap() const { return bitmap_; }
    void setBitmap(const Bitmap& bitmap);
    bool empty() const { return bitmap_.isEmpty(); }
    void clear() { setBitmap(Bitmap()); }

    void assign(const Persistent& source) override;
    void defineProperties(Filer& filer) override;

    NotifyEvent OnChange;

private:
    Bitmap bitmap_;
};

// An image list placed on a form. Its images are streamed as the binary property "Bitmap".
class ImageListComponent : public Component {
    LINDORA_CLASS(ImageListComponent)

public:
    explicit ImageListComponent(Component* owner = nullptr);

    ImageList& images() { return list_; }
    const ImageList& images() const { return list_; }

    int width() const { return list_.width(); }
    void setWidth(int w);
    int height() const { return list_.height(); }
    void setHeight(int h);
    bool masked() const { return list_.masked(); }
    void setMasked(bool m) { list_.setMasked(m); }
    Color bkColor() const { return list_.bkColor(); }
    void setBkColor(Color c) { list_.setBkColor(c); }
    int count() const { return list_.count(); }

    void defineProperties(Filer& filer) override;

private:
    ImageList list_;
};

}  // namespace lindora
