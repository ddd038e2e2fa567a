#pragma once
// The browser engine of the gtk backend: a WebKitWebView placed as a native child over the
// browser control's rectangle in its top-level surface. The view goes onto a surface only
// after that surface's first frame: realising it takes longer than building and painting the
// whole window, and the window should show at once. Loading does not wait for it.
//
// Progress: WebKit's estimated-load-progress (0..1) is reported as 0..ProgressMax (10000);
// when a load finishes, failed or not, ProgressChange(ProgressDone, ProgressMax) follows.
// Title: every change of the page's title to a non-empty text raises TitleChange.
// All events arrive from the GLib main loop, on the user-interface thread.
#include "platform/browser/BrowserEngine.h"
#include "platform_gtk/GtkSurface.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _GParamSpec GParamSpec;

namespace lindora {

// How WebKit composites pages. On a machine without a GPU (bench/startup/measure.sh, Xvfb,
// the start page) "never" used about 180 MiB PSS over all processes against 220-230 MiB for
// "always" and "on-demand", which fall back to software GL; start times were the same within
// the noise (about one second). Never is also the policy that needs no GL at all.
enum class WebAcceleration { Never, Always, OnDemand };

// The compositing policy for new browser engines: "never" unless LINDORA_WEB_ACCELERATION
// says "always" or "on-demand" (for measurements on machines with a GPU).
WebAcceleration webAccelerationFromEnvironment();

class GtkBrowserEngine final : public BrowserEngine, private GtkHostedChild {
public:
    explicit GtkBrowserEngine(WebAcceleration acceleration = WebAcceleration::Never);
    ~GtkBrowserEngine() override;

    // The window layer's focus and GTK's agree: the host window's focus puts GTK's on the
    // view, and losing it gives GTK's back to the surface's own drawing.
    void setFocus() override;
    void killFocus() override;

    WebKitWebView* view() const { return view_; }
    // The web context every view shares; created on first use with the web process sandbox
    // switched on, which WebKit only allows before its first web process starts.
    static WebKitWebContext* sharedContext();

protected:
    void startLoad(const std::string& uri) override;
    void hostChanged() override;

private:
    void hostSurfaceDestroyed() override;
    void hostSurfaceFirstFrameShown() override;
    bool isStarting() const override { return loadStarted_ && !firstLoadDone_; }
    void leaveHost();
    GtkWidget* hostedWidget() const override;
    NativeChild* nativeChild() override { return this; }
    bool wantsFocus() const override { return focusWanted_; }
    bool opaqueCover(Rect& area, GdkRGBA& background) const override;
    static void onProgress(WebKitWebView*, GParamSpec*, void* self);
    static void onTitle(WebKitWebView*, GParamSpec*, void* self);
    static void onLoadChanged(WebKitWebView*, int event, void* self);

    WebKitWebView* view_ = nullptr;
    GtkSurface* host_ = nullptr;       // the surface the view is on
    GtkSurface* waitingOn_ = nullptr;  // the surface whose first frame the view waits for
    bool loadStarted_ = false;
    bool firstLoadDone_ = false;  // a load has finished, failed or not
    bool focusWanted_ = false;    // the host window has the window layer's focus
};

}  // namespace lindora
