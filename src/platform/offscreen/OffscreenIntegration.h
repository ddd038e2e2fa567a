#pragma once
// The offscreen backend: a virtual screen on which every top-level surface is composited in
// z-order, a virtual (or real) clock, the classic default colours and metrics and a US keyboard
// layout. What a user would do (input, dialog answers, input scripts) comes from its input
// driver, input(). Everything it is asked to do is written to its event record.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "platform/EventRecord.h"
#include "platform/offscreen/OffscreenInputDriver.h"
#include "platform/offscreen/UsKeyboardLayout.h"
#include "ui/Clock.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class Window;
class OffscreenIntegration;

struct OffscreenOptions {
    Size screenSize{1280, 1024};
    std::optional<Rect> workArea;  // the whole screen when not given
    bool virtualClock = true;
    // Device pixels per logical pixel: windows keep logical coordinates and the screen's size
    // stays logical, while backing stores and the grabbed screen have this many times the pixels.
    int scale = 1;
};

class OffscreenSurface final : public NativeSurface {
public:
    OffscreenSurface(OffscreenIntegration& owner, const SurfaceParams& params);
    ~OffscreenSurface() override;

    void setBounds(const Rect& bounds) override { bounds_ = bounds; }
    void setVisible(bool visible, bool activate) override { visible_ = visible; }
    void stackAbove(NativeSurface* below) override;
    void stackBottom() override;
    void setTopMost(bool topMost) override { topMost_ = topMost; }
    void setTitle(const std::string& title) override { title_ = title; }
    void setIcon(const IconImages& images) override { icon_ = images; }
    void setShowState(ShowState state) override { state_ = state; }
    void setAlpha(std::uint8_t alpha) override { alpha_ = alpha; }
    int scaleFactor() const override;
    void present(const Bitmap& backingStore, const Rect& area) override;
    void setCursor(CursorShape shape) override { cursor_ = shape; }
    void setCustomCursor(const Bitmap& image, Point hotSpot) override { cursor_ = CursorShape::Custom; }
    void setPointerGrab(bool grab) override { grabbed_ = grab; }
    void requestActivate() override {}
    bool startSystemMoveResize(int hitTest, Point screen) override { return false; }

    const Rect& bounds() const { return bounds_; }
    bool visible() const { return visible_ && state_ != ShowState::Minimized; }
    SurfaceKind kind() const { return kind_; }
    bool translucent() const { return translucent_; }
    std::uint8_t alpha() const { return alpha_; }
    CursorShape cursor() const { return cursor_; }
    bool grabbed() const { return grabbed_; }
    const std::string& title() const { return title_; }
    const IconImages& icon() const { return icon_; }
    // The system gives this surface the keyboard focus or takes it away, as a window manager
    // or another program would.
    void systemFocusChanged(bool focused);
    // The surface now lies on a screen of another scale.
    void systemScaleChanged();
    // What was last presented (device pixels).
    const Bitmap& content() const { return content_; }
    // The scale the content was presented at.
    int contentScale() const { return contentScale_; }

private:
    OffscreenIntegration& owner_;
    SurfaceDelegate* delegate_;
    SurfaceKind kind_;
    Rect bounds_;
    bool visible_ = false;
    bool topMost_ = false;
    bool translucent_ = false;
    std::uint8_t alpha_ = 255;
    ShowState state_ = ShowState::Normal;
    CursorShape cursor_ = CursorShape::Arrow;
    bool grabbed_ = false;
    std::string title_;
    IconImages icon_;
    Bitmap content_;
    int contentScale_ = 1;
};

class OffscreenIntegration final : public PlatformIntegration {
public:
    explicit OffscreenIntegration(OffscreenOptions options = {});
    ~OffscreenIntegration() override;

    // Installs a new offscreen backend and returns it (owned by the installation).
    static OffscreenIntegration& install(OffscreenOptions options = {});
    // The installed backend when it is an offscreen one.
    static OffscreenIntegration* current();

    // ---- PlatformIntegration
    std::string name() const override { return "offscreen"; }
    void attach(PlatformEventSink& sink) override {
        sink_ = &sink;
        input_.attach(sink);
    }
    std::unique_ptr<NativeSurface> createSurface(const SurfaceParams& params) override;
    EventDispatcher& eventDispatcher() override;
    Clock& clock() override;
    const ScreenInfo& screen() const override;
    const KeyboardLayout& keyboardLayout() const override { return layout_; }
    PlatformServices& services() override;

    // ---- the clock
    // The virtual clock (nullptr with a real clock).
    VirtualClock* virtualClock() { return options_.virtualClock ? &virtualClock_ : nullptr; }
    // Advances a virtual clock (timers fire in order); with a real clock does nothing.
    void advance(int ms);

    // ---- the screen
    void setWorkArea(const Rect& r);
    int scale() const { return options_.scale; }
    // Changes the scale, as moving every window to a screen of another resolution would, and
    // tells each surface's window (which repaints at the new scale).
    void setScale(int scale);
    // Surfaces bottom first.
    const std::vector<OffscreenSurface*>& stacking() const { return stacking_; }
    // Changes a system colour and tells every window (WM_SYSCOLORCHANGE).
    void setSystemColor(int index, Color rgb);
    // Reports a system change as the desktop would: theme, display, settings, or another
    // program taking or giving back the focus (AppDeactivated / AppActivated).
    void notify(SystemChange change, unsigned code = 0) {
        if (sink_) sink_->systemChanged(change, code);
    }

    // ---- the user and the record
    OffscreenInputDriver& input() { return input_; }
    EventRecord& record() { return record_; }

private:
    friend class OffscreenSurface;
    class Screen;
    class Dispatcher;
    class Services;

    OffscreenOptions options_;
    PlatformEventSink* sink_ = nullptr;
    VirtualClock virtualClock_;
    RealClock realClock_;
    UsKeyboardLayout layout_;
    std::unique_ptr<Screen> screen_;
    std::unique_ptr<Dispatcher> dispatcher_;
    std::unique_ptr<Services> services_;
    std::vector<OffscreenSurface*> stacking_;
    EventRecord record_;
    OffscreenInputDriver input_{*this};
};

}  // namespace lindora
