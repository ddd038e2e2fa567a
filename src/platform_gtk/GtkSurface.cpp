#include "platform_gtk/GtkSurface.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <utility>

#include "gfx/Bitmap.h"
#include "platform/StartupProbe.h"
#include "platform_gtk/GtkEventDispatcher.h"
#include "platform_gtk/GtkInput.h"
#include "platform_gtk/GtkX11.h"
#include "ui/Messages.h"

namespace lindora {

namespace {

constexpr GdkEventMask kPointerEvents =
    GdkEventMask(GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_LEAVE_NOTIFY_MASK |
                 GDK_ENTER_NOTIFY_MASK);

const char* cursorName(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow: return "default";
    case CursorShape::IBeam: return "text";
    case CursorShape::Wait: return "wait";
    case CursorShape::Cross: return "crosshair";
    case CursorShape::Hand: return "pointer";
    case CursorShape::No: return "not-allowed";
    case CursorShape::SizeAll: return "move";
    case CursorShape::SizeNS: return "ns-resize";
    case CursorShape::SizeWE: return "ew-resize";
    case CursorShape::SizeNWSE: return "nwse-resize";
    case CursorShape::SizeNESW: return "nesw-resize";
    case CursorShape::HSplit: return "col-resize";  // a vertical splitter moved sideways
    case CursorShape::VSplit: return "row-resize";
    case CursorShape::Drag: return "dnd-move";
    case CursorShape::DragCopy: return "copy";
    case CursorShape::DragNoDrop: return "no-drop";
    case CursorShape::Custom: return nullptr;
    }
    return "default";
}

bool edgeOf(int hitTest, GdkWindowEdge& edge) {
    switch (hitTest) {
    case HTLEFT: edge = GDK_WINDOW_EDGE_WEST; return true;
    case HTRIGHT: edge = GDK_WINDOW_EDGE_EAST; return true;
    case HTTOP: edge = GDK_WINDOW_EDGE_NORTH; return true;
    case HTBOTTOM: edge = GDK_WINDOW_EDGE_SOUTH; return true;
    case HTTOPLEFT: edge = GDK_WINDOW_EDGE_NORTH_WEST; return true;
    case HTTOPRIGHT: edge = GDK_WINDOW_EDGE_NORTH_EAST; return true;
    case HTBOTTOMLEFT: edge = GDK_WINDOW_EDGE_SOUTH_WEST; return true;
    case HTBOTTOMRIGHT:
    case HTGROWBOX: edge = GDK_WINDOW_EDGE_SOUTH_EAST; return true;
    default: return false;
    }
}

}  // namespace

GtkSurface::GtkSurface(const SurfaceParams& params, GtkInput& input)
    : kind_(params.kind), delegate_(params.delegate), input_(input), bounds_(params.bounds),
      decorated_(params.kind == SurfaceKind::Normal && params.framed),
      noActivate_(params.noActivate || params.kind == SurfaceKind::Popup) {
    window_ = gtk_window_new(kind_ == SurfaceKind::Popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(window_);
    GtkWindow* w = GTK_WINDOW(window_);
    // The desktop frames normal windows; the window layer draws every other frame itself.
    gtk_window_set_decorated(w, decorated_);
    gtk_widget_set_app_paintable(window_, TRUE);
    if (noActivate_) {
        // Clicks must not take the focus from the form: no input hint, no focus when mapped.
        gtk_window_set_accept_focus(w, FALSE);
        gtk_window_set_focus_on_map(w, FALSE);
    }
    switch (kind_) {
    case SurfaceKind::Normal: gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_NORMAL); break;
    case SurfaceKind::Tool:
        gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_UTILITY);
        gtk_window_set_skip_taskbar_hint(w, TRUE);
        gtk_window_set_skip_pager_hint(w, TRUE);
        break;
    case SurfaceKind::Popup: gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_POPUP_MENU); break;
    }
    if (auto* owner = GtkSurface::from(params.owner)) gtk_window_set_transient_for(w, GTK_WINDOW(owner->window()));
    if (params.topMost) gtk_window_set_keep_above(w, TRUE);
    gtk_window_set_title(w, params.title.c_str());

    // Per-pixel alpha needs an RGBA visual and a compositor; without them the window stays
    // opaque and the window layer is told so through ScreenInfo::supportsTranslucency.
    GdkScreen* screen = gtk_widget_get_screen(window_);
    if (params.translucent && gdk_screen_is_composited(screen)) {
        if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen)) {
            gtk_widget_set_visual(window_, rgba);
            translucent_ = true;
        }
    }

    layout_ = gtk_layout_new(nullptr, nullptr);
    gtk_widget_set_can_focus(layout_, TRUE);
    gtk_widget_add_events(layout_, kPointerEvents);
    area_ = gtk_drawing_area_new();
    gtk_layout_put(GTK_LAYOUT(layout_), area_, 0, 0);
    gtk_container_add(GTK_CONTAINER(window_), layout_);
    gtk_widget_show(area_);
    gtk_widget_show(layout_);

    g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(layout_, "size-allocate", G_CALLBACK(onLayoutAllocate), this);
    g_signal_connect(layout_, "button-press-event", G_CALLBACK(onButton), this);
    g_signal_connect(layout_, "button-release-event", G_CALLBACK(onButton), this);
    g_signal_connect(layout_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(layout_, "leave-notify-event", G_CALLBACK(onCrossing), this);
    g_signal_connect(layout_, "grab-broken-event", G_CALLBACK(onGrabBroken), this);
    g_signal_connect(layout_, "key-press-event", G_CALLBACK(onKeyFromChild), this);
    g_signal_connect_after(window_, "set-focus", G_CALLBACK(onSetFocus), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(window_, "key-release-event", G_CALLBACK(onKey), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(onConfigure), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(onFocus), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(onFocus), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(onWindowState), this);
    g_signal_connect(window_, "notify::scale-factor", G_CALLBACK(onScaleFactor), this);

    // Sized before it is realized: the first allocation is then already the window's own size.
    setBounds(bounds_);
    if (decorated_) {
        // Known before the window is shown, so that the window layer's client area is right
        // from the start and a stored placement does not creep by the frame's size.
        gtk_widget_add_events(window_, GDK_PROPERTY_CHANGE_MASK);
        g_signal_connect(window_, "property-notify-event", G_CALLBACK(onProperty), this);
        gtk_widget_realize(window_);
        frame_ = requestFrameExtents(window_);
        if (frame_ != Rect{}) setBounds(bounds_);
    }
    gtk_widget_realize(window_);
}

GtkSurface::~GtkSurface() {
    if (geometryReport_) g_source_remove(geometryReport_);
    if (iconIdle_) g_source_remove(iconIdle_);
    if (firstFrameIdle_) g_source_remove(firstFrameIdle_);
    // Children leaving below must not schedule the icon again.
    iconIdle_ = 0;
    pendingIcon_.clear();
    if (grabbed_) setPointerGrab(false);
    if (focused_) input_.surfaceFocusChanged(false);
    // Children first: destroying the window would destroy them with it.
    const auto waiting = std::exchange(waitingForFirstFrame_, {});
    for (GtkHostedChild* child : waiting) child->hostSurfaceDestroyed();
    const auto children = hostedChildren_;
    for (GtkHostedChild* child : children) child->hostSurfaceDestroyed();
    g_signal_handlers_disconnect_by_data(area_, this);
    g_signal_handlers_disconnect_by_data(layout_, this);
    g_signal_handlers_disconnect_by_data(window_, this);
    gtk_widget_destroy(window_);
    g_object_unref(window_);
    forgetStore();
    if (cursor_) g_object_unref(cursor_);
}

void GtkSurface::addHostedChild(GtkHostedChild* child) {
    if (std::find(hostedChildren_.begin(), hostedChildren_.end(), child) != hostedChildren_.end()) return;
    hostedChildren_.push_back(child);
    // Before the child's own handlers: a press an observer swallows never reaches the page.
    GtkWidget* widget = child->hostedWidget();
    gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(onChildButton), this);
    g_signal_connect(widget, "button-release-event", G_CALLBACK(onChildButton), this);
}

void GtkSurface::removeHostedChild(GtkHostedChild* child) {
    if (std::find(hostedChildren_.begin(), hostedChildren_.end(), child) == hostedChildren_.end()) return;
    g_signal_handlers_disconnect_by_data(child->hostedWidget(), this);
    std::erase(hostedChildren_, child);
    hostedChildStarted();
}

void GtkSurface::waitForFirstFrame(GtkHostedChild* child) {
    if (std::find(waitingForFirstFrame_.begin(), waitingForFirstFrame_.end(), child) == waitingForFirstFrame_.end())
        waitingForFirstFrame_.push_back(child);
    if (firstFrameShown_ && !firstFrameIdle_) firstFrameIdle_ = g_idle_add(tellFirstFrameShown, this);
}

void GtkSurface::cancelWaitForFirstFrame(GtkHostedChild* child) {
    std::erase(waitingForFirstFrame_, child);
    hostedChildStarted();
}

int GtkSurface::tellFirstFrameShown(void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    self->firstFrameIdle_ = 0;
    // One at a time: a child told may make others stop waiting, or destroy them.
    while (!self->waitingForFirstFrame_.empty()) {
        GtkHostedChild* child = self->waitingForFirstFrame_.front();
        self->waitingForFirstFrame_.erase(self->waitingForFirstFrame_.begin());
        child->hostSurfaceFirstFrameShown();
    }
    return G_SOURCE_REMOVE;
}

GtkHostedChild* GtkSurface::hostedChildHolding(GtkWidget* widget) const {
    if (!widget) return nullptr;
    for (GtkHostedChild* child : hostedChildren_) {
        GtkWidget* own = child->hostedWidget();
        if (widget == own || gtk_widget_is_ancestor(widget, own)) return child;
    }
    return nullptr;
}

Size GtkSurface::clientSize(const Rect& outer) const {
    return {std::max(1, outer.width() - frame_.left - frame_.right),
            std::max(1, outer.height() - frame_.top - frame_.bottom)};
}

std::optional<Rect> GtkSurface::desktopFrame() const {
    if (!decorated_) return std::nullopt;
    return frame_;
}

void GtkSurface::setBounds(const Rect& bounds) {
    bounds_ = bounds;
    // A maximised or minimised framed window is placed by the desktop alone.
    if (decorated_ && requestedState_ != ShowState::Normal) return;
    const Size size = clientSize(bounds);
    GtkWindow* w = GTK_WINDOW(window_);
    // With the default gravity the position is the frame's outer corner.
    gtk_window_move(w, bounds.left, bounds.top);
    gtk_window_set_default_size(w, size.cx, size.cy);
    gtk_window_resize(w, size.cx, size.cy);
}

void GtkSurface::setVisible(bool visible, bool activate) {
    if (!visible) {
        if (grabbed_) setPointerGrab(false);
        gtk_widget_hide(window_);
        return;
    }
    GtkWindow* w = GTK_WINDOW(window_);
    gtk_window_set_focus_on_map(w, activate && !noActivate_);
    gtk_widget_show(window_);
    scheduleIcon();
    // Override-redirect popups are placed by us alone: put them where asked once mapped.
    if (!decorated_ || requestedState_ == ShowState::Normal) gtk_window_move(w, bounds_.left, bounds_.top);
    if (activate && !noActivate_) gtk_window_present(w);
}

void GtkSurface::stackAbove(NativeSurface* below) {
    GdkWindow* mine = gtk_widget_get_window(window_);
    if (!mine) return;
    auto* other = GtkSurface::from(below);
    GdkWindow* theirs = other ? gtk_widget_get_window(other->window()) : nullptr;
    // Only mapped windows have a place worth keeping: an unmapped one may lie anywhere (below
    // the windows the desktop frames), and a window put right above it would vanish there.
    if (theirs && !gdk_window_is_viewable(theirs)) theirs = nullptr;
    const bool popup = kind_ == SurfaceKind::Popup;
    if (!popup) {
        // The desktop stacks the windows it frames among themselves only: a request relative
        // to a window it does not manage means nothing to it.
        if (theirs && other->kind_ != SurfaceKind::Popup) gdk_window_restack(mine, theirs, TRUE);
        else if (!other) gdk_window_raise(mine);
        return;
    }
    // A popup goes right above another popup; above a framed window (inside the desktop's
    // frame, no sibling of ours) or in place of an unmapped one, it goes to the top, and the
    // popups above it in the window layer's order follow it there.
    if (theirs && other->kind_ == SurfaceKind::Popup) gdk_window_restack(mine, theirs, TRUE);
    else if (gdk_window_is_viewable(mine)) gdk_window_raise(mine);
}

void GtkSurface::stackBottom() {
    if (GdkWindow* mine = gtk_widget_get_window(window_)) gdk_window_lower(mine);
}

void GtkSurface::setTopMost(bool topMost) {
    gtk_window_set_keep_above(GTK_WINDOW(window_), topMost);
    if (topMost && kind_ == SurfaceKind::Popup)
        if (GdkWindow* mine = gtk_widget_get_window(window_)) gdk_window_raise(mine);
}

void GtkSurface::setTitle(const std::string& title) { gtk_window_set_title(GTK_WINDOW(window_), title.c_str()); }

void GtkSurface::setIcon(const IconImages& images) {
    // Converting the images and handing them to the desktop takes tens of milliseconds for the
    // application icon's large sizes.
    pendingIcon_ = images;
    scheduleIcon();
}

void GtkSurface::scheduleIcon() {
    if (pendingIcon_.empty() || !gtk_widget_get_visible(window_)) return;
    // A child still loading its first content (the start page) comes first: the icon follows
    // its load, or a few seconds at most when the load hangs.
    const bool wait = childStarting();
    if (iconIdle_ && wait == iconWaits_) return;
    if (iconIdle_) g_source_remove(iconIdle_);
    iconWaits_ = wait;
    iconIdle_ = wait ? g_timeout_add_full(G_PRIORITY_LOW, IconWaitMs, applyIcon, this, nullptr)
                     : g_idle_add_full(G_PRIORITY_LOW, applyIcon, this, nullptr);
}

bool GtkSurface::childStarting() const {
    auto starting = [](const GtkHostedChild* c) { return c->isStarting(); };
    return std::any_of(hostedChildren_.begin(), hostedChildren_.end(), starting) ||
           std::any_of(waitingForFirstFrame_.begin(), waitingForFirstFrame_.end(), starting);
}

void GtkSurface::hostedChildStarted() {
    if (iconIdle_ && iconWaits_) scheduleIcon();
}

int GtkSurface::applyIcon(void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    self->iconIdle_ = 0;
    GList* list = nullptr;
    for (const Bitmap& image : self->pendingIcon_) {
        cairo_surface_t* s = image.surface();
        if (!s) continue;
        cairo_surface_flush(s);
        if (GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(s, 0, 0, image.width(), image.height()))
            list = g_list_append(list, pixbuf);
    }
    self->pendingIcon_.clear();
    gtk_window_set_icon_list(GTK_WINDOW(self->window_), list);
    g_list_free_full(list, g_object_unref);
    return G_SOURCE_REMOVE;
}

void GtkSurface::setShowState(ShowState state) {
    requestedState_ = state;
    GtkWindow* w = GTK_WINDOW(window_);
    switch (state) {
    case ShowState::Minimized: gtk_window_iconify(w); break;
    case ShowState::Maximized:
        gtk_window_deiconify(w);
        gtk_window_maximize(w);
        break;
    case ShowState::Normal:
        gtk_window_deiconify(w);
        gtk_window_unmaximize(w);
        break;
    }
}

void GtkSurface::setAlpha(std::uint8_t alpha) { gtk_widget_set_opacity(window_, alpha / 255.0); }

int GtkSurface::scaleFactor() const { return std::max(1, gtk_widget_get_scale_factor(window_)); }

void GtkSurface::onScaleFactor(GtkWidget*, void*, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceScaleChanged(); });
}

void GtkSurface::present(const Bitmap& backingStore, const Rect& area) {
    cairo_surface_t* source = backingStore.surface();
    if (!source) return;
    // The store keeps device pixels: GTK shows it one to one on a scaled window, and everything
    // drawn on it is in surface (logical) units.
    if (source != shown_) {
        forgetStore();
        cairo_surface_set_user_data(source, &shownKey_, this, onStoreGone);
        shown_ = source;
    }
    storeScale_ = scaleFactor();
    const Rect part = area.intersected({0, 0, backingStore.width() / storeScale_, backingStore.height() / storeScale_});
    if (part.isEmpty()) return;
    cairo_surface_flush(source);
    if (!drawing_)
        gtk_widget_queue_draw_area(area_, part.left - frame_.left, part.top - frame_.top, part.width(), part.height());
}

void GtkSurface::onStoreGone(void* data) { static_cast<GtkSurface*>(data)->shown_ = nullptr; }

void GtkSurface::forgetStore() {
    // Removing the user data runs onStoreGone.
    if (shown_) cairo_surface_set_user_data(shown_, &shownKey_, nullptr, nullptr);
    shown_ = nullptr;
}

void GtkSurface::paintOutsideCovers(cairo_t* cr) const {
    // What opaque children cover need not go to the display: most of a browser window is the
    // page, so a full frame uploads little more than the toolbar.
    cairo_rectangle_list_t* clip = cairo_copy_clip_rectangle_list(cr);
    if (clip->status != CAIRO_STATUS_SUCCESS) {
        cairo_rectangle_list_destroy(clip);
        cairo_paint(cr);
        return;
    }
    cairo_region_t* rest = cairo_region_create();
    for (int i = 0; i < clip->num_rectangles; ++i) {
        const cairo_rectangle_t& r = clip->rectangles[i];
        const cairo_rectangle_int_t whole{static_cast<int>(r.x), static_cast<int>(r.y),
                                          static_cast<int>(r.x + r.width + 0.999) - static_cast<int>(r.x),
                                          static_cast<int>(r.y + r.height + 0.999) - static_cast<int>(r.y)};
        cairo_region_union_rectangle(rest, &whole);
    }
    cairo_rectangle_list_destroy(clip);
    auto cover = [&](const GtkHostedChild* child, bool placeholder) {
        Rect area;
        GdkRGBA background{};
        if (!child->opaqueCover(area, background) || area.isEmpty()) return;
        const cairo_rectangle_int_t r{area.left, area.top, area.width(), area.height()};
        if (placeholder) {
            cairo_save(cr);
            cairo_rectangle(cr, r.x, r.y, r.width, r.height);
            cairo_clip(cr);
            gdk_cairo_set_source_rgba(cr, &background);
            cairo_paint(cr);
            cairo_restore(cr);
        }
        cairo_region_subtract_rectangle(rest, &r);
    };
    for (const GtkHostedChild* child : waitingForFirstFrame_) cover(child, true);
    for (const GtkHostedChild* child : hostedChildren_) cover(child, false);
    const int n = cairo_region_num_rectangles(rest);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(rest, i, &r);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    }
    cairo_region_destroy(rest);
    cairo_fill(cr);
}

int GtkSurface::onDraw(GtkWidget* widget, cairo_t* cr, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    // The backing store holds the outer bounds; the native window shows what lies inside the
    // desktop's frame.
    const Rect& frame = self->frame_;
    const int s = self->storeScale_;
    const bool covered = self->shown_ && s == self->scaleFactor() &&
                         cairo_image_surface_get_width(self->shown_) / s - frame.left - frame.right >= width &&
                         cairo_image_surface_get_height(self->shown_) / s - frame.top - frame.bottom >= height;
    if (!covered && self->delegate_) {
        // Nothing to show yet for this size: the window layer paints and presents now.
        double x1, y1, x2, y2;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        const Rect area =
            Rect{static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2 + 0.999), static_cast<int>(y2 + 0.999)}
                .translated(frame.left, frame.top);
        self->drawing_ = true;
        GtkEventDispatcher::guarded([&] { self->delegate_->surfaceExposed(area); });
        self->drawing_ = false;
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    // Exposing may have replaced the store: only the one presented last is shown.
    if (cairo_surface_t* store = self->shown_) {
        // The store is a plain image of device pixels: read it at its scale, past the frame.
        const int scale = self->storeScale_;
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(store);
        cairo_matrix_t toStore;
        cairo_matrix_init_scale(&toStore, scale, scale);
        cairo_matrix_translate(&toStore, frame.left, frame.top);
        cairo_pattern_set_matrix(pattern, &toStore);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
        self->paintOutsideCovers(cr);
        // The first frame of a main window with its content (the toolbar painted in the store).
        if (self->decorated_) startup_probe::mark("PAINTED");
    } else {
        cairo_set_source_rgba(cr, 0, 0, 0, self->translucent_ ? 0 : 1);
        cairo_paint(cr);
    }
    if (!self->firstFrameShown_) {
        self->firstFrameShown_ = true;
        // The children waiting for this frame come in the next turn, once it is out.
        if (!self->waitingForFirstFrame_.empty() && !self->firstFrameIdle_)
            self->firstFrameIdle_ = g_idle_add(tellFirstFrameShown, self);
    }
    return TRUE;
}

void GtkSurface::onLayoutAllocate(GtkWidget*, void* allocation, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    const auto* a = static_cast<GtkAllocation*>(allocation);
    gtk_widget_set_size_request(self->area_, a->width, a->height);
    gtk_layout_set_size(GTK_LAYOUT(self->layout_), static_cast<guint>(a->width), static_cast<guint>(a->height));
    // A size request made while allocating only counts from the next layout pass, which may not
    // come when the window grows once (a desktop frame arriving, a maximise): the drawing area
    // takes the new size now, or the part beyond its old size would stay unpainted.
    GtkAllocation child{0, 0, a->width, a->height};
    gtk_widget_size_allocate(self->area_, &child);
}

int GtkSurface::onButton(GtkWidget*, GdkEvent* event, void* data) {
    // A press on our own drawing leaves the keyboard where it is: should the window layer move
    // its focus away from a native child's host, the child gives GTK's focus back then.
    auto* self = static_cast<GtkSurface*>(data);
    return self->input_.button(event, self);
}

int GtkSurface::onChildButton(GtkWidget* widget, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    GtkHostedChild* child = self->hostedChildHolding(widget);
    return child && self->input_.childButton(event, self, child->nativeChild());
}

void GtkSurface::onSetFocus(GtkWidget*, GtkWidget* focus, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    if (GtkHostedChild* child = self->hostedChildHolding(focus)) {
        self->input_.childFocused(child->nativeChild());
        return;
    }
    // GTK moved the focus out of a child the window layer still has focused (WebKit passes Tab
    // on from the page's last field): it goes back, as the host is the form's only stop.
    for (GtkHostedChild* child : self->hostedChildren_)
        if (child->wantsFocus()) {
            gtk_widget_grab_focus(child->hostedWidget());
            return;
        }
}

int GtkSurface::onMotion(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    return self->input_.motion(event, self);
}

int GtkSurface::onCrossing(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    return self->input_.crossing(event, self);
}

int GtkSurface::onKey(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    // A key for a native child (the browser) goes to it alone, once the observers have let it
    // pass; the window layer's windows do not get it.
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(self->window_));
    if (GtkHostedChild* child = self->hostedChildHolding(focus))
        return self->input_.childKey(event, child->nativeChild());
    const bool reported = self->input_.key(event);
    return reported && (!focus || focus == self->layout_);
}

int GtkSurface::onKeyFromChild(GtkWidget*, GdkEvent*, void* data) {
    // A key the child did not take ends here: GTK's own window bindings (Tab moving the focus
    // out of the page, the arrows) would move the focus behind the window layer's back.
    auto* self = static_cast<GtkSurface*>(data);
    return self->hostedChildHolding(gtk_window_get_focus(GTK_WINDOW(self->window_))) != nullptr;
}

int GtkSurface::onConfigure(GtkWidget* widget, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    int x = event->configure.x, y = event->configure.y;
    // The root origin is the frame's outer corner when a window manager frames the window.
    if (GdkWindow* gw = gtk_widget_get_window(widget)) gdk_window_get_root_origin(gw, &x, &y);
    const Rect& f = self->frame_;
    const Rect now =
        Rect::fromSize(x, y, event->configure.width + f.left + f.right, event->configure.height + f.top + f.bottom);
    self->reportedBounds_ = now;
    if (!self->decorated_) {
        reportGeometry(self);
        return FALSE;
    }
    // A window manager that maximises or restores a window configures it before it changes
    // the state: the state goes first, so that the window layer keeps the right normal bounds.
    if (!self->geometryReport_) self->geometryReport_ = g_idle_add(reportGeometry, self);
    return FALSE;
}

int GtkSurface::reportGeometry(void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    self->geometryReport_ = 0;
    const Rect now = self->reportedBounds_;
    if (now != self->bounds_) {
        self->bounds_ = now;
        if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceGeometryChanged(now); });
    }
    return G_SOURCE_REMOVE;
}

int GtkSurface::onProperty(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    if (!isFrameExtentsProperty(event->property.atom)) return FALSE;
    const Rect frame = frameExtentsOf(self->window_);
    if (frame != self->frame_) {
        self->frame_ = frame;
        if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceFrameChanged(); });
    }
    return FALSE;
}

int GtkSurface::onDelete(GtkWidget*, GdkEvent*, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceCloseRequested(); });
    return TRUE;  // the window layer decides whether the window goes
}

int GtkSurface::onFocus(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    const bool in = event->focus_change.in != 0;
    self->focused_ = in;
    self->input_.surfaceFocusChanged(in);
    if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceActivationChanged(in); });
    return FALSE;
}

int GtkSurface::onWindowState(GtkWidget*, GdkEvent* event, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    const GdkWindowState s = event->window_state.new_window_state;
    const ShowState state = (s & GDK_WINDOW_STATE_ICONIFIED)   ? ShowState::Minimized
                            : (s & GDK_WINDOW_STATE_MAXIMIZED) ? ShowState::Maximized
                                                               : ShowState::Normal;
    if (state != self->showState_) {
        self->showState_ = state;
        self->requestedState_ = state;
        if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfaceShowStateChanged(state); });
    }
    return FALSE;
}

int GtkSurface::onGrabBroken(GtkWidget*, GdkEvent*, void* data) {
    auto* self = static_cast<GtkSurface*>(data);
    if (!self->grabbed_) return FALSE;
    // Someone else took the pointer: whatever tracked the mouse must end, or a drag or button
    // loop would wait for a release that never comes.
    self->grabbed_ = false;
    if (self->delegate_) GtkEventDispatcher::guarded([&] { self->delegate_->surfacePointerGrabLost(); });
    return FALSE;
}

void GtkSurface::applyCursor(GdkCursor* cursor) {
    if (cursor_) g_object_unref(cursor_);
    cursor_ = cursor;
    if (GdkWindow* bin = gtk_layout_get_bin_window(GTK_LAYOUT(layout_))) gdk_window_set_cursor(bin, cursor_);
}

void GtkSurface::setCursor(CursorShape shape) {
    const char* name = cursorName(shape);
    if (!name) return;  // Custom: the bitmap cursor set last stays
    GdkDisplay* display = gtk_widget_get_display(window_);
    GdkCursor* cursor = gdk_cursor_new_from_name(display, name);
    if (!cursor) cursor = gdk_cursor_new_from_name(display, "default");
    applyCursor(cursor);
}

void GtkSurface::setCustomCursor(const Bitmap& image, Point hotSpot) {
    cairo_surface_t* s = image.surface();
    if (!s) return;
    cairo_surface_flush(s);
    applyCursor(gdk_cursor_new_from_surface(gtk_widget_get_display(window_), s, hotSpot.x, hotSpot.y));
}

void GtkSurface::setPointerGrab(bool grab) {
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window_));
    if (!grab) {
        if (grabbed_) gdk_seat_ungrab(seat);
        grabbed_ = false;
        return;
    }
    GdkWindow* bin = gtk_layout_get_bin_window(GTK_LAYOUT(layout_));
    if (!bin || !gdk_window_is_viewable(bin)) return;
    // owner_events off: every pointer event goes to this surface, wherever the pointer is.
    grabbed_ = gdk_seat_grab(seat, bin, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, cursor_, nullptr, nullptr, nullptr) ==
               GDK_GRAB_SUCCESS;
}

void GtkSurface::requestActivate() {
    // Presenting would also bring a minimised window back: that is the user's or the
    // program's choice, not a side effect of activation.
    if (!noActivate_ && requestedState_ != ShowState::Minimized) gtk_window_present(GTK_WINDOW(window_));
    gtk_widget_grab_focus(layout_);
}

bool GtkSurface::startSystemMoveResize(int hitTest, Point screen) {
    // Without a window manager the window layer runs its own move loop.
    if (!windowManagerCanMoveResize(window_) || kind_ == SurfaceKind::Popup) return false;
    GtkWindow* w = GTK_WINDOW(window_);
    if (hitTest == HTCAPTION) {
        gtk_window_begin_move_drag(w, 1, screen.x, screen.y, GDK_CURRENT_TIME);
        return true;
    }
    GdkWindowEdge edge;
    if (!edgeOf(hitTest, edge)) return false;
    gtk_window_begin_resize_drag(w, edge, 1, screen.x, screen.y, GDK_CURRENT_TIME);
    return true;
}

}  // namespace lindora
