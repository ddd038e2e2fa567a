#pragma once
// One native top-level window per top-level of the window layer. A GtkLayout fills the window:
// its first child is a drawing area that shows the backing store, native children (the
// browser) sit above it. A GtkLayout does not pass its children's sizes up to the window, so
// the window layer can always make the window smaller before it moves the children.
//
// Normal windows with a frame are framed by the desktop's window manager: the surface's bounds
// stay the outer bounds, frame included, and the native window holds what lies inside the
// frame the manager reports. Tool windows and popups are undecorated; the window layer draws
// whatever frame they have.
#include <cairo.h>

#include <vector>

#include "ui/PlatformIntegration.h"

typedef struct _GtkWidget GtkWidget;
typedef union _GdkEvent GdkEvent;
typedef struct _GdkCursor GdkCursor;
typedef struct _GdkRGBA GdkRGBA;

namespace lindora {

class GtkInput;

// A native control placed on a surface; told when the surface goes away before it does.
// The surface shows its key and button input and its taking the focus to the window layer.
class GtkHostedChild {
public:
    virtual ~GtkHostedChild() = default;
    virtual void hostSurfaceDestroyed() = 0;
    // The surface a child waits on (GtkSurface::waitForFirstFrame) has shown its first frame.
    virtual void hostSurfaceFirstFrameShown() {}
    // Still loading its first content: the surface's work that can wait (its icon) waits for
    // it, until the child tells GtkSurface::hostedChildStarted.
    virtual bool isStarting() const { return false; }
    virtual GtkWidget* hostedWidget() const = 0;
    virtual NativeChild* nativeChild() = 0;
    // The window layer's focus is on the child's host: GTK's focus belongs on the child.
    virtual bool wantsFocus() const = 0;
    // Where the child covers the surface with an opaque picture of its own (drawing-area
    // coordinates), and the colour that picture starts from. The surface does not draw its
    // backing store there: a placed child draws itself over it, and the place of a child that
    // is still waiting for the surface's first frame is filled with that colour.
    virtual bool opaqueCover(Rect& area, GdkRGBA& background) const {
        (void)area;
        (void)background;
        return false;
    }
};

class GtkSurface final : public NativeSurface {
public:
    GtkSurface(const SurfaceParams& params, GtkInput& input);
    ~GtkSurface() override;
    GtkSurface(const GtkSurface&) = delete;
    GtkSurface& operator=(const GtkSurface&) = delete;

    static GtkSurface* from(NativeSurface* surface) { return dynamic_cast<GtkSurface*>(surface); }

    void setBounds(const Rect& bounds) override;
    void setVisible(bool visible, bool activate) override;
    void stackAbove(NativeSurface* below) override;
    void stackBottom() override;
    void setTopMost(bool topMost) override;
    void setTitle(const std::string& title) override;
    void setIcon(const IconImages& images) override;
    void setShowState(ShowState state) override;
    void setAlpha(std::uint8_t alpha) override;
    // The window's scale factor (GDK_SCALE, or the monitor's scale on the desktop).
    int scaleFactor() const override;
    void present(const Bitmap& backingStore, const Rect& area) override;
    void setCursor(CursorShape shape) override;
    void setCustomCursor(const Bitmap& image, Point hotSpot) override;
    void setPointerGrab(bool grab) override;
    void requestActivate() override;
    bool startSystemMoveResize(int hitTest, Point screen) override;
    std::optional<Rect> desktopFrame() const override;

    GtkWidget* window() const { return window_; }
    // The container native children go into (coordinates: surface pixels).
    GtkWidget* childLayer() const { return layout_; }
    // The child's widget must be in the child layer already.
    void addHostedChild(GtkHostedChild* child);
    void removeHostedChild(GtkHostedChild* child);
    // The hosted child that is `widget` or holds it, or null.
    GtkHostedChild* hostedChildHolding(GtkWidget* widget) const;

    // Whether the surface has drawn its first frame.
    bool hasShownFirstFrame() const { return firstFrameShown_; }
    // Tells the child hostSurfaceFirstFrameShown in the main-loop turn after the surface's first
    // frame: a child that is costly to realise (a web view) placed before it would hold that
    // frame back. A surface that goes first tells a waiting child hostSurfaceDestroyed instead.
    void waitForFirstFrame(GtkHostedChild* child);
    void cancelWaitForFirstFrame(GtkHostedChild* child);
    // A hosted or waiting child is no longer starting (GtkHostedChild::isStarting).
    void hostedChildStarted();

    const Rect& bounds() const { return bounds_; }
    SurfaceKind kind() const { return kind_; }
    bool isTranslucent() const { return translucent_; }
    bool hasPointerGrab() const { return grabbed_; }
    // Never takes the keyboard focus (floating bars, menus, hints).
    bool refusesFocus() const { return noActivate_; }
    bool isDecoratedByDesktop() const { return decorated_; }
    // The backing store last presented (for tests and screenshots): device pixels at
    // storeScale(), cairo device scale 1. Null before the first present and once that store is
    // gone (the window layer replaced it).
    cairo_surface_t* store() const { return shown_; }
    int storeScale() const { return storeScale_; }

private:
    static int onDraw(GtkWidget*, cairo_t* cr, void* self);
    // Paints the source (the backing store) over the clip, except where opaque children cover it.
    void paintOutsideCovers(cairo_t* cr) const;
    static void onStoreGone(void* self);
    void forgetStore();
    static int onButton(GtkWidget*, GdkEvent* event, void* self);
    static int onMotion(GtkWidget*, GdkEvent* event, void* self);
    static int onCrossing(GtkWidget*, GdkEvent* event, void* self);
    static int onKey(GtkWidget*, GdkEvent* event, void* self);
    static int onKeyFromChild(GtkWidget*, GdkEvent* event, void* self);
    static int onChildButton(GtkWidget* widget, GdkEvent* event, void* self);
    static void onSetFocus(GtkWidget*, GtkWidget* focus, void* self);
    static int onConfigure(GtkWidget*, GdkEvent* event, void* self);
    static int onDelete(GtkWidget*, GdkEvent* event, void* self);
    static int onFocus(GtkWidget*, GdkEvent* event, void* self);
    static int onWindowState(GtkWidget*, GdkEvent* event, void* self);
    static int onGrabBroken(GtkWidget*, GdkEvent* event, void* self);
    static void onLayoutAllocate(GtkWidget*, void* allocation, void* self);
    static int onProperty(GtkWidget*, GdkEvent* event, void* self);
    static int reportGeometry(void* self);
    static int applyIcon(void* self);
    static int tellFirstFrameShown(void* self);
    void scheduleIcon();
    bool childStarting() const;
    static void onScaleFactor(GtkWidget*, void* spec, void* self);

    void applyCursor(GdkCursor* cursor);
    // The part of the outer bounds inside the desktop's frame.
    Size clientSize(const Rect& outer) const;

    SurfaceKind kind_;
    SurfaceDelegate* delegate_;
    GtkInput& input_;
    GtkWidget* window_ = nullptr;
    GtkWidget* layout_ = nullptr;
    GtkWidget* area_ = nullptr;
    // The presenter's own store, not a copy: the window layer keeps it and paints it only to
    // present it. Held weakly, through user data whose key is this member: when the bitmap
    // drops its cairo surface (resized, replaced, destroyed), the surface forgets it.
    cairo_surface_t* shown_ = nullptr;
    cairo_user_data_key_t shownKey_{};
    int storeScale_ = 1;
    GdkCursor* cursor_ = nullptr;
    Rect bounds_;
    ShowState showState_ = ShowState::Normal;
    // The state last asked for or told by the desktop: while it is not Normal, the desktop
    // owns a framed window's geometry.
    ShowState requestedState_ = ShowState::Normal;
    Rect frame_;  // the desktop's frame: left, top, right, bottom
    Rect reportedBounds_;
    unsigned geometryReport_ = 0;  // GLib source id
    // The icon waits for the window's first showing and then for an idle moment: a window that
    // is never shown never pays for it, and a shown one gets its first frame out first.
    // While a hosted child starts up, the icon waits for it as well, or IconWaitMs at most.
    static constexpr unsigned IconWaitMs = 3000;
    IconImages pendingIcon_;
    unsigned iconIdle_ = 0;   // GLib source id
    bool iconWaits_ = false;  // iconIdle_ is the timeout for a starting child
    bool decorated_ = false;
    bool noActivate_ = false;
    bool translucent_ = false;
    bool grabbed_ = false;
    bool drawing_ = false;
    bool focused_ = false;
    std::vector<GtkHostedChild*> hostedChildren_;
    bool firstFrameShown_ = false;
    std::vector<GtkHostedChild*> waitingForFirstFrame_;
    unsigned firstFrameIdle_ = 0;  // GLib source id
};

}  // namespace lindora
