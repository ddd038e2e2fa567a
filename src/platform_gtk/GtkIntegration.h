#pragma once
// The gtk backend: GTK 3 windows for the window layer's top-levels, GDK input, the GLib main
// loop and real time, screen facts from GDK, WebKitGTK for the browser.
#include <memory>

#include "platform_gtk/GtkEventDispatcher.h"
#include "platform_gtk/GtkInput.h"
#include "platform_gtk/GtkKeyboardLayout.h"
#include "platform_gtk/GtkScreen.h"
#include "platform_gtk/GtkServices.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class GtkIntegration final : public PlatformIntegration {
public:
    // Opens the X11 display (gtk_init_check). Null when there is none to open.
    static std::unique_ptr<GtkIntegration> create();

    std::string name() const override { return "gtk"; }
    void attach(PlatformEventSink& sink) override;
    std::unique_ptr<NativeSurface> createSurface(const SurfaceParams& params) override;
    EventDispatcher& eventDispatcher() override { return dispatcher_; }
    Clock& clock() override { return clock_; }
    const ScreenInfo& screen() const override { return screen_; }
    const KeyboardLayout& keyboardLayout() const override { return layout_; }
    PlatformServices& services() override { return services_; }

    ~GtkIntegration() override;

private:
    GtkIntegration();
    void report(SystemChange change, unsigned code = 0);

    GtkEventDispatcher dispatcher_;
    RealClock clock_;
    GtkScreen screen_;
    GtkKeyboardLayout layout_;
    GtkInput input_;
    GtkServices services_;
    PlatformEventSink* sink_ = nullptr;
};

}  // namespace lindora
