#pragma once
// The painter family: every drawing and metric question of toolbars, submenus, dock sites and
// item controls goes through the painter of the manager's effective style. Painters hold no
// state; there is one const instance per kind (PainterFor), and the brushes that depend on the
// system colours are the manager's (ManagerBrushes).
//
// The root painter gives the neutral behaviour; the standard painter the classic 3D look, the
// enhanced painter (a new manager's default) refines it, and the flat painter draws the flat
// look the main window uses.
#include "bars/items/StaticItemTypes.h"
#include "bars/model/BarPainter.h"
#include "bars/painters/CaptionText.h"
#include "bars/painters/PainterBrushes.h"
#include "gfx/Bitmap.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/TextFormat.h"

#include <string>

namespace lindora {

class BarManager;
class ImageList;

// The manager's brushes of the painters (the five flat brushes and the checker), or, for a
// caller without a manager, a set derived from the current system colours.
const PainterBrushes& ManagerBrushes(const BarManager* manager);

// Where an item is drawn: the bar or submenu holding it.
struct BarDrawContext {
    const BarManager* manager = nullptr;
    bool inSubmenu = false;
    // The bar is the manager's main menu bar or a bar of the form's own menu.
    bool isMainMenu = false;
    bool vertical = false;  // docked left or right
    // The bar control's background brush (the painter's bar background for this bar).
    Brush barBackground = Brush(clBtnFace);
    // The bar's background bitmap (the manager's Backgrounds) and where the bar's client origin
    // lies on the canvas, the plane the tiles are anchored at. Used where no brush is given.
    const Bitmap* backgroundBitmap = nullptr;
    Point backgroundOrigin;
    // The bar control's item height (text height based) and arrow size; in a submenu, its
    // item height and glyph size.
    int itemHeight = 0;
    int arrowSize = 4;
    int submenuItemHeight = 0;
    // Idle glyphs of the flat look are lightened; the display's depth decides (8 bits: no).
    int bitsPerPixel = 32;
};

// An item's state as the painter sees it: hot is the control's selected state, checked is
// down (or its submenu dropped down), pressed the pressed state.
struct ItemDrawState {
    Rect rect;
    bool hot = false;
    bool pressed = false;
    bool checked = false;
    bool enabled = true;
    // The item's submenu is open below it: the frame is clipped against the submenu window.
    bool droppedDown = false;
    // The open submenu's window rectangle in canvas coordinates (dropped-down items).
    Rect openSubmenuRect;
    // In a submenu the caller paints its own background (the flat state brush's flag).
    bool ownBackground = false;
    // A hot checked item takes the bar background instead of the checked-and-hot brush.
    bool barForHotChecked = false;
    const BarDrawContext* context = nullptr;
};

// A button's (or any glyph-and-caption item's) drawing.
struct ButtonDrawParams : ItemDrawState {
    std::string caption;
    bool showCaption = true;
    bool showGlyph = true;
    // The glyph: the image of the list, or the bitmap when given and not empty.
    const ImageList* images = nullptr;
    int imageIndex = -1;
    const Bitmap* glyph = nullptr;
    // The glyph's area; empty: the item's start cut to the manager's button size (the whole
    // item in a submenu).
    Rect glyphArea;
    // The caption's rectangle; empty: the rest of the item after the glyph area.
    Rect captionRect;
    unsigned captionAlignment = DT_LEFT;
    bool grayscaleGlyph = false;
    // The caption's disabled text may be flat (the flat painter's submenu items ask for it).
    bool flatTextWanted = false;
    // Links hidden as not recently used show on a lighter background in submenus.
    bool lighterBackground = false;
};

// A drop-down button's arrow part.
struct DropDownPartParams : ItemDrawState {
    // Pressed or hot refer to the arrow part alone; `buttonHot` to the whole button.
    bool buttonHot = false;
};

// A bar's border and grip.
struct BarBorderParams {
    Rect bar;  // the bar's whole rectangle (non-client included)
    bool vertical = false;
    bool showGrip = true;
    bool floating = false;
    bool active = false;  // floating: the bar's form is active (caption colour)
    bool isMainMenu = false;
    Brush barBackground = Brush(clBtnFace);
    int borderWidth = 3;  // floating bars
    const BarManager* manager = nullptr;
};

// A bar's mark (the customize / more-items button at the bar's end).
enum class MarkState { Normal, Hot, Open };
struct MarkParams {
    Rect rect;
    MarkState state = MarkState::Normal;
    bool vertical = false;
    bool truncated = false;  // items do not fit: the chevrons show
    Rect openPopupRect;      // the mark's popup in canvas coordinates when open
    Brush barBackground = Brush(clBtnFace);
    const BarManager* manager = nullptr;
};

// Where the mark goes.
struct MarkRectParams {
    Rect client;  // docked: the bar's client area; floating: the caption rectangle
    bool floating = false;
    bool vertical = false;
    bool hasCloseButton = false;
    int captionButtonSize = 0;
};

// A floating bar's caption.
struct FloatingCaptionParams {
    Rect rect;
    std::string caption;
    bool active = false;
    Font font;
};

// A caption button (close, help) of a floating bar.
enum class CaptionButtonState { None, Hot, Pressed };
struct CaptionButtonParams {
    Rect rect;
    CaptionButtonState state = CaptionButtonState::None;
    bool active = false;
    const BarManager* manager = nullptr;
};

// A progress bar inside a progress item.
struct ProgressDrawParams {
    Rect rect;  // the bar rectangle
    int min = 0;
    int max = 100;
    int position = 0;
    bool smooth = false;
    bool vertical = false;
    Color color = clHighlight;
    Brush background = Brush(clBtnFace);
};

// A submenu window's frame.
struct SubmenuFrameParams {
    Rect window;      // the whole window
    Rect ownerJoint;  // where it meets the button it dropped from (canvas coordinates), or empty
    Brush ownerBrush = Brush(clBtnFace);
    int leftStripWidth = 0;
    Brush leftStripBrush = Brush(clBtnFace);
    const BarManager* manager = nullptr;
};

class BarItemControlPainter : public BarPainter {
public:
    // ---- identity and the model's metrics (BarPainter)
    BarPainterKind kind() const override { return BarPainterKind::Standard; }
    int gripOffset() const override { return 0; }
    int gripAreaSize() const override { return 0; }
    int separatorIndent() const override { return 0; }
    int buttonHorizontalMargin() const override { return 7; }
    int buttonVerticalMargin() const override { return 6; }
    int dropDownArrowWidth(const BarManager& manager) const override;
    // The manager's brushes (ManagerBrushes).
    std::unique_ptr<BarPainterResources> createManagerResources() const override;

    // ---- backgrounds and brushes
    virtual Brush barBackgroundBrush(const BarManager* manager) const;
    // For one bar: the flat look keeps clBtnFace for the main menu bar.
    virtual Brush barBackgroundBrushFor(const BarManager* manager, bool isMainMenu) const;
    virtual Brush checkedBackgroundBrush(const BarManager* manager) const;
    virtual Brush checkedHotBackgroundBrush(const BarManager* manager) const;
    virtual Brush hotBackgroundBrush(const BarManager* manager) const;
    // The background an item takes in its state.
    virtual Brush stateBrush(const ItemDrawState& state) const;
    // The submenu's background brush.
    virtual Brush submenuBackgroundBrush(const BarManager* manager) const;
    // The classic looks draw items over a background that needs no fill.
    virtual bool backgroundNeedsNoFill() const { return false; }

    // Fills with the brush, or when it is null paints the bar's own background (its tiled
    // bitmap when set, else the context's bar background).
    virtual void fillItemBackground(Canvas& canvas, const Rect& r, const Brush& brush,
                                    const BarDrawContext* context) const;
    // A one-pixel frame in the brush, or in the bar background when it is null.
    virtual void frameItemBackground(Canvas& canvas, const Rect& r, const Brush& brush,
                                     const BarDrawContext* context) const;
    // clBtnShadow (the classic look embosses it with clBtnHighlight).
    virtual void fillWithShadow(Canvas& canvas, const Rect& r) const;

    // ---- items
    // Frame, check box or glyph, caption.
    virtual void drawButton(Canvas& canvas, const ButtonDrawParams& params) const;
    virtual void drawButtonFrame(Canvas& canvas, const ItemDrawState& state, const Brush& stateBrush,
                                 bool largerThanGlyph) const;
    // The glyph (or in a submenu the check mark of a checked item without glyph) and the caption.
    virtual void drawGlyphAndCaption(Canvas& canvas, const ButtonDrawParams& params) const;
    virtual void drawGlyph(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect,
                           const Brush& background) const;
    virtual void drawCheckBoxItem(Canvas& canvas, const ItemDrawState& state, const Brush& background) const;
    virtual void drawCheckMark(Canvas& canvas, const Rect& r, bool enabled, const Font& font) const;
    // A drop-down button's arrow part, its frame by its own state.
    virtual void drawDropDownPart(Canvas& canvas, const DropDownPartParams& params) const;
    // The arrow centred in a rectangle (size from the smaller extent less 8, halved, at least 3).
    virtual void drawDropDownArrow(Canvas& canvas, const Rect& r, Color color) const;
    virtual void drawSubmenuItem(Canvas& canvas, const ButtonDrawParams& params) const;
    // A sub item: on a bar like a button with its caption and (off the main menu) a down arrow;
    // in a submenu like a submenu item with a right arrow.
    virtual void drawSubItem(Canvas& canvas, const ButtonDrawParams& params) const;
    virtual void drawCaptionText(Canvas& canvas, const ButtonDrawParams& params, const Rect& r) const;
    // Insets r by the border's width.
    virtual void drawBorderByStyle(Canvas& canvas, Rect& r, BarStaticBorderStyle style) const;
    // An edit item's frame by its state.
    virtual void drawEditFrame(Canvas& canvas, const ItemDrawState& state) const;
    // A one-pixel frame around an item (flat: clBtnShadow), r inset after it.
    virtual void frameItem(Canvas& canvas, Rect& r) const;

    // ---- item measures
    virtual int checkMarkCellSize(const ItemDrawState& state) const;
    virtual Brush checkMarkCellBrush(const ItemDrawState& state) const;
    // Glyph shifts of a pressed (or checked) button, both coordinates.
    virtual int pressedGlyphShift() const { return 0; }
    virtual int checkedGlyphShift() const { return 0; }
    virtual int buttonExtraSize() const { return 0; }
    // The glyph band of an item: in a submenu, its item height + 1 (flat + 3); elsewhere 0.
    virtual int glyphBandWidth(const BarDrawContext& context) const;
    // Drawn with a height under 17.
    virtual bool isNarrow(const Rect& r) const { return r.height() < 17; }
    virtual bool disabledTextIsFlat() const { return false; }
    virtual CaptionTextColors captionTextColors(bool enabled, bool selected, bool flatText) const;
    virtual Color fadedDisabledGlyphColor(const BarManager* manager) const;
    virtual void editColors(bool enabled, const BarManager* manager, Color& text, Color& background) const;
    // A sub item's measures (caption width given): height, width and the spacing around a
    // caption-only sub item on a bar.
    virtual int subItemHeight(int baseHeight, bool inSubmenu) const;
    virtual int subItemWidth(int baseWidth, bool inSubmenu) const;
    virtual int subItemCaptionSpacing(int fontHeight, bool isMainMenu) const;
    virtual int dropDownListBorderWidth() const { return 0; }

    // ---- submenus
    // The submenu's item height from the height of the text "0".
    virtual int submenuItemHeight(int textHeight) const;
    virtual int submenuGlyphBandWidth(int glyphSize) const { return glyphSize + 3; }
    // Inset of the items area from the window's edge, the content inset.
    virtual int submenuClientInset() const { return 2; }
    virtual int submenuContentInset() const { return 3; }
    // The window's size for the widest item, the items' total height and the left strip.
    virtual Size submenuSize(int widestItem, int itemsHeight, int leftStripWidth, bool empty) const;
    virtual int submenuScrollArrowSize(int height) const;
    virtual void drawSubmenuFrame(Canvas& canvas, const SubmenuFrameParams& params) const;
    virtual void drawSubmenuBackground(Canvas& canvas, const Rect& r, const BarManager* manager) const;
    virtual void drawSubmenuSeparator(Canvas& canvas, const Rect& r, const BarDrawContext& context) const;
    // Two stacked V shapes (the "show all items" entry).
    virtual void drawExpandChevron(Canvas& canvas, const Rect& r, bool selected) const;
    virtual void drawSubmenuScrollArrow(Canvas& canvas, const Rect& r, bool up, int itemHeight) const;
    // The strip at the top of a menu that can be torn off into a floating bar: its height, and
    // the strip (a dotted grip line across it; hot while the mouse is over it).
    virtual int tearOffStripHeight() const { return 9; }
    virtual void drawTearOffStrip(Canvas& canvas, const Rect& r, bool hot, const BarManager* manager) const;

    // ---- toolbar windows and dock sites
    virtual int separatorThickness() const { return 6; }
    virtual int separatorMargin() const { return (separatorThickness() - 2) / 2; }
    virtual void drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine, const Brush& barBackground) const;
    virtual int gripWidth() const { return 3; }
    virtual int dockedBorderWidth() const { return 1; }
    virtual Rect dockedBorderInsets() const;  // left, top, right, bottom as a rectangle
    virtual Rect floatingBorderInsets() const { return {2, 2, 2, 2}; }
    virtual int smallCaptionHeight() const;
    virtual int floatingCaptionHeight() const { return smallCaptionHeight() + 1; }
    virtual Size captionButtonSize() const { return {smallCaptionHeight(), smallCaptionHeight()}; }
    virtual int barControlSpacing() const { return 6; }
    // The look tells floating bars apart (their frame and caption differ from docked ones).
    virtual bool barIsFloatingAware() const { return false; }
    // The bar query asked on mouse moves, hit tests and docking (enhanced and flat yes).
    virtual bool tracksMarkHotState() const { return false; }

    virtual void drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const;
    virtual void drawFloatingBarBorder(Canvas& canvas, const BarBorderParams& params) const;
    virtual Color captionBackgroundColor(bool active) const;
    virtual Color captionTextColor() const { return clCaptionText; }
    virtual Color captionSymbolColor(bool buttonHotOrOpen) const;
    virtual int captionTextOffset() const { return 3; }
    virtual void drawFloatingCaption(Canvas& canvas, const FloatingCaptionParams& params) const;
    virtual void drawCaptionButtonBackground(Canvas& canvas, const CaptionButtonParams& params) const;
    virtual void drawCloseButton(Canvas& canvas, const CaptionButtonParams& params) const;
    virtual Rect markRect(const MarkRectParams& params) const;
    virtual void drawMark(Canvas& canvas, const MarkParams& params) const;
    virtual void drawMarkBackground(Canvas& canvas, const MarkParams& params) const;
    virtual void drawMarkContents(Canvas& canvas, const MarkParams& params) const;
    virtual Color markTriangleColor(bool hot) const;
    // One chevron of a truncated bar's mark at (x, y): pointing right on a horizontal bar,
    // down on a vertical one.
    virtual void drawMarkChevron(Canvas& canvas, Point at, bool vertical) const {}
    // 7 wide, 4 high, centred, in the caption symbol colour.
    virtual void drawMoreItemsTriangle(Canvas& canvas, const Rect& r, bool buttonHotOrOpen) const;
    // A floating bar's more-items button: its background by state, then the triangle.
    virtual void drawMoreItemsButton(Canvas& canvas, const CaptionButtonParams& params) const;
    // The bar background, then the size grip's diagonal ridges in the bottom-right corner.
    virtual void drawSizeGrip(Canvas& canvas, const Rect& r, const Brush& barBackground) const;

    // ---- quick customization (the bar's customize popup list)
    virtual Brush quickCustomizationBackgroundBrush(const BarManager* manager, bool isMainMenu) const;
    // The square where a command's visibility check shows.
    virtual void drawQuickCustomizationCheckArea(Canvas& canvas, const Rect& r, const BarManager* manager) const;
    // A selected entry's frame and background.
    virtual void drawQuickCustomizationItem(Canvas& canvas, const Rect& r, bool selected,
                                            const BarManager* manager) const;

    // ---- progress bars
    virtual Color progressColor() const { return clHighlight; }
    virtual int progressHeight() const { return 12; }
    virtual int progressStartOffset(bool inSubmenu) const { return 0; }
    virtual void drawProgressBar(Canvas& canvas, const ProgressDrawParams& params) const;

protected:
    BarItemControlPainter() = default;
    // DrawItemGlyph with the item's state and the manager's glyph settings, at the glyph's drawn
    // size (doubled for large icons); flatLook: the flat look's effects.
    void drawGlyphWith(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect, const Brush& background,
                       bool flatLook) const;
    friend const BarItemControlPainter& PainterFor(BarPainterKind kind);
};

// The classic 3D look.
class BarItemControlStandardPainter : public BarItemControlPainter {
public:
    BarPainterKind kind() const override { return BarPainterKind::Standard; }
    int gripOffset() const override { return 2; }
    int gripAreaSize() const override { return gripOffset() + gripWidth() + 2; }
    int separatorIndent() const override { return 2; }
    bool backgroundNeedsNoFill() const override { return true; }
    int pressedGlyphShift() const override { return 1; }
    int checkedGlyphShift() const override { return 1; }
    int buttonExtraSize() const override { return 1; }
    int dropDownListBorderWidth() const override { return 2; }
    Brush stateBrush(const ItemDrawState& state) const override;
    void drawButtonFrame(Canvas& canvas, const ItemDrawState& state, const Brush& stateBrush,
                         bool largerThanGlyph) const override;
    void drawCheckMark(Canvas& canvas, const Rect& r, bool enabled, const Font& font) const override;
    void drawMarkChevron(Canvas& canvas, Point at, bool vertical) const override;
    void fillWithShadow(Canvas& canvas, const Rect& r) const override;
    void drawSubmenuItem(Canvas& canvas, const ButtonDrawParams& params) const override;
    void drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const override;
    void drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine, const Brush& barBackground) const override;
    void drawSubmenuSeparator(Canvas& canvas, const Rect& r, const BarDrawContext& context) const override;

protected:
    BarItemControlStandardPainter() = default;
    friend const BarItemControlPainter& PainterFor(BarPainterKind kind);
};

// The classic look refined; a new manager's default.
class BarItemControlEnhancedPainter : public BarItemControlStandardPainter {
public:
    BarPainterKind kind() const override { return BarPainterKind::Enhanced; }
    int gripOffset() const override { return 1; }
    int separatorIndent() const override { return 12; }
    bool tracksMarkHotState() const override { return true; }
    void drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const override;
    void drawMarkBackground(Canvas& canvas, const MarkParams& params) const override;
    void drawMarkContents(Canvas& canvas, const MarkParams& params) const override;
    Rect markRect(const MarkRectParams& params) const override;

protected:
    BarItemControlEnhancedPainter() = default;
    friend const BarItemControlPainter& PainterFor(BarPainterKind kind);
};

// The flat look (the main window's).
class BarItemControlFlatPainter : public BarItemControlPainter {
public:
    BarPainterKind kind() const override { return BarPainterKind::Flat; }
    int gripOffset() const override { return 1; }
    int gripAreaSize() const override { return gripOffset() + gripWidth() + 2; }
    int separatorIndent() const override { return 8; }
    // The rounded frame takes two pixels: the outer ring and the corner pixels one ring in.
    int dockedBorderWidth() const override { return 2; }
    int buttonExtraSize() const override { return 1; }
    int dropDownListBorderWidth() const override { return 2; }
    bool disabledTextIsFlat() const override { return true; }
    bool barIsFloatingAware() const override { return true; }
    bool tracksMarkHotState() const override { return true; }
    int barControlSpacing() const override { return 7; }
    int separatorThickness() const override { return 5; }
    int separatorMargin() const override { return (separatorThickness() - 1) / 2; }
    int captionTextOffset() const override { return 2; }
    int submenuGlyphBandWidth(int glyphSize) const override { return glyphSize + 1; }
    int submenuClientInset() const override { return 1; }
    int submenuContentInset() const override { return 2; }

    Brush barBackgroundBrush(const BarManager* manager) const override;
    Brush barBackgroundBrushFor(const BarManager* manager, bool isMainMenu) const override;
    Brush checkedBackgroundBrush(const BarManager* manager) const override;
    Brush checkedHotBackgroundBrush(const BarManager* manager) const override;
    Brush hotBackgroundBrush(const BarManager* manager) const override;
    Brush stateBrush(const ItemDrawState& state) const override;
    Brush submenuBackgroundBrush(const BarManager* manager) const override;

    void drawButtonFrame(Canvas& canvas, const ItemDrawState& state, const Brush& stateBrush,
                         bool largerThanGlyph) const override;
    void drawGlyph(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect,
                   const Brush& background) const override;
    void drawCheckMark(Canvas& canvas, const Rect& r, bool enabled, const Font& font) const override;
    void drawSubmenuItem(Canvas& canvas, const ButtonDrawParams& params) const override;
    void drawBorderByStyle(Canvas& canvas, Rect& r, BarStaticBorderStyle style) const override;
    void drawEditFrame(Canvas& canvas, const ItemDrawState& state) const override;
    void frameItem(Canvas& canvas, Rect& r) const override;
    int checkMarkCellSize(const ItemDrawState& state) const override;
    Brush checkMarkCellBrush(const ItemDrawState& state) const override;
    int glyphBandWidth(const BarDrawContext& context) const override;
    int subItemHeight(int baseHeight, bool inSubmenu) const override;
    int subItemWidth(int baseWidth, bool inSubmenu) const override;
    int subItemCaptionSpacing(int fontHeight, bool isMainMenu) const override;
    int submenuItemHeight(int textHeight) const override;
    Size submenuSize(int widestItem, int itemsHeight, int leftStripWidth, bool empty) const override;
    int submenuScrollArrowSize(int height) const override;
    void drawSubmenuFrame(Canvas& canvas, const SubmenuFrameParams& params) const override;
    void drawSubmenuSeparator(Canvas& canvas, const Rect& r, const BarDrawContext& context) const override;
    int tearOffStripHeight() const override { return 8; }
    void drawTearOffStrip(Canvas& canvas, const Rect& r, bool hot, const BarManager* manager) const override;
    void drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine, const Brush& barBackground) const override;
    void drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const override;
    void drawFloatingBarBorder(Canvas& canvas, const BarBorderParams& params) const override;
    Color captionBackgroundColor(bool active) const override;
    Color captionSymbolColor(bool buttonHotOrOpen) const override;
    void drawCaptionButtonBackground(Canvas& canvas, const CaptionButtonParams& params) const override;
    void drawCloseButton(Canvas& canvas, const CaptionButtonParams& params) const override;
    void drawMarkBackground(Canvas& canvas, const MarkParams& params) const override;
    // The enhanced painter's triangle and chevrons.
    void drawMarkContents(Canvas& canvas, const MarkParams& params) const override;
    Color markTriangleColor(bool hot) const override;
    Brush quickCustomizationBackgroundBrush(const BarManager* manager, bool isMainMenu) const override;
    void drawQuickCustomizationCheckArea(Canvas& canvas, const Rect& r, const BarManager* manager) const override;
    void drawQuickCustomizationItem(Canvas& canvas, const Rect& r, bool selected,
                                    const BarManager* manager) const override;

    // ---- the flat look's own operations
    // A one-pixel frame in clHighlight (clHighlightText on a black face).
    virtual void drawSelectionFrame(Canvas& canvas, const Rect& r) const;
    // The selection frame, its side towards the open submenu left out where they meet.
    virtual void drawFrameClippedAgainst(Canvas& canvas, const Rect& r, const Rect& submenu) const;
    virtual Brush frameBrush() const { return Brush(clBtnShadow); }
    // The frame around a bar's owner area (the flat frame colour).
    virtual void drawOwnerFrame(Canvas& canvas, const Rect& r, const BarManager* manager) const;

protected:
    BarItemControlFlatPainter() = default;
    friend const BarItemControlPainter& PainterFor(BarPainterKind kind);
};

// The painter of a kind: Flat → flat; Enhanced and XP (no themes on this platform) → enhanced;
// Office11 → flat until it has its own; Standard and any other → standard.
const BarItemControlPainter& PainterFor(BarPainterKind kind);

}  // namespace lindora
