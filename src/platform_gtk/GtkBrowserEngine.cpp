#include "platform_gtk/GtkBrowserEngine.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cmath>

#include "base/Utf8.h"
#include "platform/StartupProbe.h"
#include "platform_gtk/GtkEventDispatcher.h"

namespace lindora {

namespace {

WebKitHardwareAccelerationPolicy policyOf(WebAcceleration a) {
    switch (a) {
    case WebAcceleration::Always: return WEBKIT_HARDWARE_ACCELERATION_POLICY_ALWAYS;
    case WebAcceleration::OnDemand: return WEBKIT_HARDWARE_ACCELERATION_POLICY_ON_DEMAND;
    case WebAcceleration::Never: break;
    }
    return WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER;
}

}  // namespace

WebKitWebContext* GtkBrowserEngine::sharedContext() {
    static WebKitWebContext* context = [] {
        WebKitWebContext* c = webkit_web_context_get_default();
        // The page runs in a bubblewrap sandbox; this works as root under Xvfb as well.
        webkit_web_context_set_sandbox_enabled(c, TRUE);
        return c;
    }();
    return context;
}

GtkBrowserEngine::GtkBrowserEngine(WebAcceleration acceleration) {
    view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(sharedContext()));
    g_object_ref_sink(view_);
    webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(view_), policyOf(acceleration));
    g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(onProgress), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(onTitle), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(onLoadChanged), this);
}

GtkBrowserEngine::~GtkBrowserEngine() {
    g_signal_handlers_disconnect_by_data(view_, this);
    leaveHost();
    gtk_widget_destroy(GTK_WIDGET(view_));
    g_object_unref(view_);
}

void GtkBrowserEngine::startLoad(const std::string& uri) {
    // Loading a new URI stops the one under way: a second navigation replaces the first.
    webkit_web_view_load_uri(view_, uri.c_str());
    startup_probe::mark("NAVIGATE");
    loadStarted_ = true;
}

void GtkBrowserEngine::leaveHost() {
    if (waitingOn_) waitingOn_->cancelWaitForFirstFrame(this);
    waitingOn_ = nullptr;
    if (!host_) return;
    host_->removeHostedChild(this);
    gtk_container_remove(GTK_CONTAINER(host_->childLayer()), GTK_WIDGET(view_));
    host_ = nullptr;
}

void GtkBrowserEngine::hostChanged() {
    GtkSurface* wanted = GtkSurface::from(surface());
    GtkWidget* widget = GTK_WIDGET(view_);
    const bool settled = wanted ? wanted == host_ || wanted == waitingOn_ : !host_ && !waitingOn_;
    if (!settled) {
        leaveHost();
        if (wanted && !wanted->hasShownFirstFrame()) {
            waitingOn_ = wanted;
            wanted->waitForFirstFrame(this);
        } else if (wanted) {
            host_ = wanted;
            gtk_layout_put(GTK_LAYOUT(host_->childLayer()), widget, geometry().left, geometry().top);
            host_->addHostedChild(this);
            // Focused before it had a surface: GTK's focus follows now.
            if (focusWanted_) gtk_widget_grab_focus(widget);
        }
    }
    if (!host_) return;
    const Rect& r = geometry();
    gtk_layout_move(GTK_LAYOUT(host_->childLayer()), widget, r.left, r.top);
    gtk_widget_set_size_request(widget, std::max(0, r.width()), std::max(0, r.height()));
    gtk_widget_set_visible(widget, visible() && !r.isEmpty());
}

void GtkBrowserEngine::hostSurfaceDestroyed() {
    // Off the surface now, even should the window layer have detached the engine already.
    leaveHost();
    attachTo(nullptr);
}

void GtkBrowserEngine::hostSurfaceFirstFrameShown() {
    waitingOn_ = nullptr;
    hostChanged();
}

GtkWidget* GtkBrowserEngine::hostedWidget() const { return GTK_WIDGET(view_); }

bool GtkBrowserEngine::opaqueCover(Rect& area, GdkRGBA& background) const {
    webkit_web_view_get_background_color(view_, &background);
    if (background.alpha < 1.0) return false;
    GtkWidget* widget = GTK_WIDGET(view_);
    if (host_) {
        // Placed: where GTK has put it, once it is on the screen.
        if (!gtk_widget_get_mapped(widget)) return false;
        GtkAllocation a;
        gtk_widget_get_allocation(widget, &a);
        area = Rect{a.x, a.y, a.x + a.width, a.y + a.height};
        return true;
    }
    // Waiting for the first frame: where it is going to be.
    if (!waitingOn_ || !visible()) return false;
    area = geometry();
    return true;
}

void GtkBrowserEngine::setFocus() {
    focusWanted_ = true;
    gtk_widget_grab_focus(GTK_WIDGET(view_));
}

void GtkBrowserEngine::killFocus() {
    focusWanted_ = false;
    if (host_ && gtk_widget_is_focus(GTK_WIDGET(view_))) gtk_widget_grab_focus(host_->childLayer());
}

void GtkBrowserEngine::onProgress(WebKitWebView* view, GParamSpec*, void* data) {
    auto* self = static_cast<GtkBrowserEngine*>(data);
    const double p = std::clamp(webkit_web_view_get_estimated_load_progress(view), 0.0, 1.0);
    const int progress = static_cast<int>(std::lround(p * ProgressMax));
    GtkEventDispatcher::guarded([&] { self->raiseProgressChange(progress, ProgressMax); });
}

void GtkBrowserEngine::onTitle(WebKitWebView* view, GParamSpec*, void* data) {
    auto* self = static_cast<GtkBrowserEngine*>(data);
    const char* title = webkit_web_view_get_title(view);
    if (!title || !*title) return;
    const std::u16string text = utf8ToUtf16(title, BadText::Replace);
    GtkEventDispatcher::guarded([&] { self->raiseTitleChange(text); });
}

void GtkBrowserEngine::onLoadChanged(WebKitWebView*, int event, void* data) {
    auto* self = static_cast<GtkBrowserEngine*>(data);
    if (event != WEBKIT_LOAD_FINISHED) return;
    startup_probe::mark("LOADED");
    if (!self->firstLoadDone_) {
        self->firstLoadDone_ = true;
        if (GtkSurface* s = self->host_ ? self->host_ : self->waitingOn_) s->hostedChildStarted();
    }
    GtkEventDispatcher::guarded([&] { self->raiseProgressChange(ProgressDone, ProgressMax); });
}

}  // namespace lindora
