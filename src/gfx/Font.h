#pragma once
// Fonts in the classic platform's terms, drawn through Pango and fontconfig at 96 dots per inch.
//
// Height: negative = the character (em) height in pixels; positive = the cell height
// (ascent + descent, internal leading included); 0 = the default height. Escapement is in
// tenths of a degree (900: text reads bottom to top; 2700: top to bottom); only multiples of
// 900 rotate, any other value is drawn unrotated.
//
// The names of the original platform's interface faces ("MS Sans Serif", "Tahoma",
// "Microsoft Sans Serif", "Segoe UI", "MS Shell Dlg", "MS Shell Dlg 2") map to the generic sans
// face; every other name goes to fontconfig as it is.
#include "gfx/Color.h"
#include "gfx/Geometry.h"

#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace lindora {

enum FontStyle : unsigned {
    fsNone = 0,
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

struct FontMetrics {
    int height = 0;  // ascent + descent (the cell height; also the height of "0")
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // height - em size
    int emHeight = 0;         // the character height in pixels
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

class Font {
public:
    static constexpr const char* DefaultName = "MS Sans Serif";
    static constexpr int DefaultHeight = -11;  // 8 points at 96 dots per inch

    Font() = default;
    Font(std::string name, int height, unsigned style = fsNone, Color color = clWindowText);

    const std::string& name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    int height() const { return height_; }
    void setHeight(int height) { height_ = height; }
    // Size in points at 96 dots per inch (from the character height, rounded); setting it sets
    // a negative height.
    int size() const;
    void setSize(int points);
    unsigned style() const { return style_; }
    void setStyle(unsigned style) { style_ = style; }
    bool bold() const { return style_ & fsBold; }
    bool italic() const { return style_ & fsItalic; }
    bool underline() const { return style_ & fsUnderline; }
    bool strikeOut() const { return style_ & fsStrikeOut; }
    Color color() const { return color_; }
    void setColor(Color c) { color_ = c; }
    int escapement() const { return escapement_; }
    void setEscapement(int tenthsOfDegree) { escapement_ = tenthsOfDegree; }
    // The escapement reduced to 0, 900, 1800 or 2700 (other angles give 0).
    int quadrantEscapement() const;

    // The face fontconfig is asked for.
    std::string familyName() const;
    // The em size in pixels, resolving a positive (cell) height through the face's metrics.
    int emPixels() const;
    FontMetrics metrics() const;

    // A Pango description of this font (caller frees with pango_font_description_free).
    PangoFontDescription* createDescription() const;
    // A stable text key of everything that changes the layout (not the colour).
    std::string key() const;

    bool operator==(const Font&) const = default;

private:
    std::string name_ = DefaultName;
    int height_ = DefaultHeight;
    unsigned style_ = fsNone;
    Color color_ = clWindowText;
    int escapement_ = 0;
};

}  // namespace lindora
