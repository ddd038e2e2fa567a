#pragma once
// A window: a node of the window tree with a handle, styles, bounds, a non-client frame and a
// replaceable window procedure. Top-level windows (no WS_CHILD) get a native surface from the
// backend and own a backing store; child windows are lightweight and paint into their
// top-level's backing store.
//
// Derived classes that handle WM_DESTROY call destroy() in their own destructor: by the time the
// base destructor runs, the derived procedure is gone.
//
// Ownership: a Window never deletes another Window object. Destroying a window (destroy() or
// the destructor) destroys the handles of its children and owned windows, which stay alive as
// objects without a handle until their owners free them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/IconImages.h"
#include "ui/DefaultFrame.h"
#include "ui/Messages.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class Canvas;

using WindowHandle = std::uint32_t;  // 0 = no window

// Window styles, with the classic values.
enum : std::uint32_t {
    WS_OVERLAPPED = 0x00000000,
    WS_POPUP = 0x80000000,
    WS_CHILD = 0x40000000,
    WS_MINIMIZE = 0x20000000,
    WS_VISIBLE = 0x10000000,
    WS_DISABLED = 0x08000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_MAXIMIZE = 0x01000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_DLGFRAME = 0x00400000,
    WS_SYSMENU = 0x00080000,
    WS_THICKFRAME = 0x00040000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_OVERLAPPEDWINDOW = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};
enum : std::uint32_t {
    WS_EX_DLGMODALFRAME = 0x00000001,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_TRANSPARENT = 0x00000020,
    WS_EX_TOOLWINDOW = 0x00000080,
    WS_EX_CLIENTEDGE = 0x00000200,
    WS_EX_APPWINDOW = 0x00040000,
    WS_EX_LAYERED = 0x00080000,
    WS_EX_NOACTIVATE = 0x08000000,
};
// Class styles.
enum : std::uint32_t { CS_DBLCLKS = 0x0008, CS_SAVEBITS = 0x0800 };

struct CreateParams {
    std::string caption;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t classStyle = CS_DBLCLKS;
    Rect bounds;                     // parent client coordinates for children, screen otherwise
    class Window* parent = nullptr;  // WS_CHILD: the parent; otherwise the owner (may be null)
};

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED carry a pointer to this in lParam.
struct WindowPos {
    WindowHandle hwnd = 0;
    WindowHandle insertAfter = 0;
    Rect bounds;
    unsigned flags = 0;
};

// WM_NCCALCSIZE carries a pointer to this in lParam: rect comes in as the window rectangle in
// window coordinates ({0, 0, width, height}) and the procedure shrinks it to the client area.
struct NcCalcSizeParams {
    Rect rect;
};

// WM_HELP carries a pointer to this in lParam. The request goes to the focused window and,
// unhandled, on to its parents.
struct HelpInfo {
    enum Kind { Window = 1, MenuItem = 2 };
    Kind kind = Window;
    WindowHandle item = 0;  // the window that had the focus
    int contextId = 0;
    Point mousePos;  // screen
};

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window (sends WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE); shows it when WS_VISIBLE.
    void create(const CreateParams& params);
    // Sends WM_DESTROY and WM_NCDESTROY and releases the handle; the object stays usable.
    void destroy();
    bool handleAllocated() const { return handle_ != 0; }
    WindowHandle handle() const { return handle_; }
    static Window* fromHandle(WindowHandle h);

    // ---- tree
    Window* parent() const { return parent_; }
    // Popups and tool windows: the window they belong to (they stay above it).
    Window* ownerWindow() const { return owner_; }
    // Children, topmost in z-order first.
    const std::vector<Window*>& children() const { return children_; }
    bool isChild() const { return (style_ & WS_CHILD) != 0; }
    bool isTopLevel() const { return handle_ != 0 && !isChild(); }
    Window* topLevel();
    // Reparents a child window (keeps its bounds in the new parent's client coordinates).
    void setParent(Window* parent);
    // True when w is this window or one of its descendants.
    bool isAncestorOf(const Window* w) const;

    // ---- styles
    std::uint32_t style() const { return style_; }
    std::uint32_t exStyle() const { return exStyle_; }
    std::uint32_t classStyle() const { return classStyle_; }
    void setStyle(std::uint32_t style);  // SWP_FRAMECHANGED follows when the frame changes
    void setExStyle(std::uint32_t exStyle);
    void setClassStyle(std::uint32_t cs) { classStyle_ = cs; }

    std::string text() const { return text_; }
    void setText(const std::string& text);
    // The top-level window's icon images, largest last or in any order; the desktop picks.
    const IconImages& icon() const { return icon_; }
    void setIcon(IconImages images);

    // ---- geometry
    // Parent client coordinates for child windows, screen coordinates for top-levels.
    Rect bounds() const { return bounds_; }
    Rect windowRectOnScreen() const;
    // The client area in window coordinates (origin at the window's top-left).
    Rect clientRectInWindow() const { return clientInWindow_; }
    // The client area in client coordinates: {0, 0, width, height}.
    Rect clientRect() const { return {0, 0, clientInWindow_.width(), clientInWindow_.height()}; }
    Point clientToScreen(Point p) const;
    Point screenToClient(Point p) const;
    Rect clientToScreen(const Rect& r) const;
    Rect screenToClient(const Rect& r) const;
    // Window coordinates (outer top-left origin) to screen.
    Point windowToScreen(Point p) const;
    // Where this window's top-left lies in its top-level's backing store.
    Point offsetInTopLevel() const;

    void setBounds(const Rect& bounds) { setPos(nullptr, bounds, SWP_NOZORDER | SWP_NOACTIVATE); }
    void move(Point topLeft) {
        setPos(nullptr, Rect(topLeft, bounds_.size()), SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // The classic SetWindowPos: insertAfter nullptr with SWP_NOZORDER unset puts the window on
    // top; flags are SWP_*; WM_WINDOWPOSCHANGING may change the request.
    void setPos(Window* insertAfter, const Rect& bounds, unsigned flags);
    static inline Window* const Bottom = reinterpret_cast<Window*>(1);
    static inline Window* const TopMost = reinterpret_cast<Window*>(2);
    static inline Window* const NoTopMost = reinterpret_cast<Window*>(3);
    // Recomputes the frame through WM_NCCALCSIZE and repaints it.
    void frameChanged();

    // ---- state
    void show(bool activate = true);
    void hide();
    void setVisible(bool visible) { visible ? show() : hide(); }
    bool isVisibleStyle() const { return (style_ & WS_VISIBLE) != 0; }
    // Visible itself and all its ancestors.
    bool isWindowVisible() const;
    void enable(bool enabled);
    bool isEnabledStyle() const { return (style_ & WS_DISABLED) == 0; }
    // Enabled itself and all its ancestors.
    bool isWindowEnabled() const;
    ShowState showState() const { return showState_; }
    void setShowState(ShowState state);
    // The bounds the window has, or will get back, in the normal state (screen coordinates).
    Rect normalBounds() const { return showState_ == ShowState::Normal ? bounds_ : normalBounds_; }
    void setNormalBounds(const Rect& r);
    // Opacity of the whole window (top-levels), 255 = opaque.
    void setAlpha(std::uint8_t alpha);
    std::uint8_t alpha() const { return alpha_; }

    void bringToTop() { setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE); }

    // ---- messages
    LResult send(unsigned msg, WParam w = 0, LParam l = 0);
    void post(unsigned msg, WParam w = 0, LParam l = 0);

    // The window procedure, replaceable from outside. setWindowProc returns the previous one,
    // which the new procedure calls to chain (and which the installer restores to unhook).
    using WindowProc = std::function<void(Message&)>;
    WindowProc windowProc() const { return proc_; }
    WindowProc setWindowProc(WindowProc proc);
    // Runs the procedure chain on m (no observers), as dispatch does.
    void perform(Message& m);

    // ---- painting
    // Marks part of the client area for painting. With erase the window gets WM_ERASEBKGND
    // before WM_PAINT; without it (and when nothing else asks) it paints over what it showed.
    void invalidate() { invalidate(clientRect(), true); }
    void invalidate(const Rect& clientArea, bool erase = true);
    void invalidateFrame();
    void validate();
    // Paints the invalid parts of this window now.
    void update();
    Color backgroundColor() const { return background_; }
    void setBackgroundColor(Color c) { background_ = c; }
    // Pending invalid area in window coordinates (empty when nothing is invalid).
    Rect invalidArea() const;

    // ---- cursor
    CursorShape cursor() const { return cursor_; }
    void setCursor(CursorShape c) { cursor_ = c; }

    // ---- native hosting
    // Places a backend control over this window's client area (nullptr to remove).
    void hostNativeChild(NativeChild* child);
    NativeChild* hostedNativeChild() const { return nativeChild_; }

    // The native surface of a top-level (nullptr for children and before create).
    NativeSurface* surface() const { return surface_.get(); }
    // The top-level's backing store (outer size times backingStoreScale(), in device pixels),
    // for the compositor and tests.
    const Bitmap& backingStore() const { return store_; }
    // Device pixels per window pixel in the backing store: the surface's scale factor.
    int backingStoreScale() const { return storeScale_; }

protected:
    // Adjusts creation parameters before the window is created (derived classes add styles).
    virtual void createParams(CreateParams& params) {}
    // The window's own procedure; the default handling is defaultProc.
    virtual void wndProc(Message& m);
    // The platform's default behaviour for a message.
    void defaultProc(Message& m);
    // Client painting on a canvas whose origin is the client top-left, clipped to the invalid part.
    virtual void paint(Canvas& canvas) {}
    // Non-client painting on a canvas whose origin is the window's top-left, client excluded.
    virtual void paintNonClient(Canvas& canvas);
    // The default frame's answers (DefaultFrame), for procedures that change only part of it.
    // The hit test of the default procedure, window coordinates.
    int defaultHitTest(Point inWindow) const;
    // The frame the default WM_NCCALCSIZE leaves around the client: left, top, right, bottom.
    Rect defaultFrameInsets() const;
    using CaptionButtons = lindora::CaptionButtons;
    CaptionButtons captionButtons() const;
    Rect withMinimumTrackSize(Rect bounds) const;
    static void paintCaptionButtonFace(Canvas& canvas, const Rect& button);

private:
    friend class WindowSystem;
    friend class SurfaceBridge;

    void insertIntoParent();
    void removeFromParent();
    void recalcClient();
    void updateNativeChild();
    void paintTree(Canvas& canvas, const Rect& areaInTopLevel, bool parentErased);
    void paintSelf(Canvas& canvas, const Rect& areaInTopLevel, bool erase);
    void resizeStore();
    void presentArea(const Rect& areaInWindow);
    void destroyHandleOnly();
    void markInvalid(const Rect& inWindow, bool erase);

    WindowHandle handle_ = 0;
    Window* parent_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> children_;
    std::uint32_t style_ = 0;
    std::uint32_t exStyle_ = 0;
    std::uint32_t classStyle_ = CS_DBLCLKS;
    std::string text_;
    IconImages icon_;
    Rect bounds_;
    Rect clientInWindow_;
    Rect invalid_;              // window coordinates, bounding box
    bool eraseNeeded_ = false;  // an erase was asked for since the last paint
    ShowState showState_ = ShowState::Normal;
    Rect normalBounds_;
    std::uint8_t alpha_ = 255;
    Color background_ = clBtnFace;
    CursorShape cursor_ = CursorShape::Arrow;
    WindowProc proc_;
    NativeChild* nativeChild_ = nullptr;
    std::unique_ptr<NativeSurface> surface_;
    std::unique_ptr<SurfaceDelegate> surfaceDelegate_;
    Bitmap store_;
    int storeScale_ = 1;
    bool destroying_ = false;
    bool ncActive_ = false;
};

}  // namespace lindora
