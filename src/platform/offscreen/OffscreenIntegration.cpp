#include "platform/offscreen/OffscreenIntegration.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "base/Exception.h"
#include "platform/SystemErrorText.h"
#include "ui/SystemMetrics.h"
#include "ui/WindowSystem.h"

namespace lindora {

// ---------------------------------------------------------------------------------------------
// Screen facts: the classic defaults at 96 dots per inch.

class OffscreenIntegration::Screen final : public ScreenInfo {
public:
    explicit Screen(OffscreenIntegration& o) : o_(o) {}

    std::vector<MonitorInfo> monitors() const override {
        Rect b{0, 0, o_.options_.screenSize.cx, o_.options_.screenSize.cy};
        return {{b, o_.options_.workArea.value_or(b), true}};
    }
    int systemMetric(int i) const override {
        const int w = o_.options_.screenSize.cx, h = o_.options_.screenSize.cy;
        const Rect work = monitors().front().workArea;
        switch (i) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN: return w;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN: return h;
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN: return 0;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL: return 16;
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 16;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXFIXEDFRAME:
        case SM_CYFIXEDFRAME: return 3;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYMENU: return 19;
        case SM_CXFULLSCREEN: return work.width();
        case SM_CYFULLSCREEN: return work.height() - 19;
        case SM_CXMIN: return 112;
        case SM_CYMIN: return 27;
        case SM_CXSIZE:
        case SM_CYSIZE: return 18;
        case SM_CXMINTRACK: return 112;
        case SM_CYMINTRACK: return 27;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK: return 4;
        case SM_CYSMCAPTION: return 15;
        case SM_CXSMSIZE: return 12;
        case SM_CYSMSIZE: return 14;
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE: return 18;
        case SM_CXMAXIMIZED: return work.width() + 8;
        case SM_CYMAXIMIZED: return work.height() + 8;
        case SM_CXDRAG:
        case SM_CYDRAG: return 4;
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK: return 13;
        case SM_CMONITORS: return 1;
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER: return 1;
        default: return 0;
        }
    }
    Color systemColor(int index) const override {
        if (index < 0 || index >= SystemColors::Count) return clBlack;
        return colors_[static_cast<std::size_t>(index)];
    }
    NonClientFonts nonClientFonts() const override {
        SystemFontSpec f{"DejaVu Sans", -11, 400, false};
        NonClientFonts n{f, f, f, f, f, f};
        n.caption.weight = 700;
        n.smallCaption.weight = 700;
        return n;
    }
    Point cursorPos() const override { return o_.input_.cursorPos(); }
    // All visible surfaces composited bottom-up over the desktop colour.
    Bitmap grabScreen() const override;

    std::array<Color, SystemColors::Count> colors_ = SystemColors::defaults();

private:
    OffscreenIntegration& o_;
};

// ---------------------------------------------------------------------------------------------
// The event loop's native side: the input driver's script commands are the only native events.

class OffscreenIntegration::Dispatcher final : public EventDispatcher {
public:
    explicit Dispatcher(OffscreenIntegration& o) : o_(o) {}

    bool processEvents(int timeoutMs) override {
        if (o_.input_.step()) return true;
        if (timeoutMs == 0) return false;
        if (o_.options_.virtualClock) {
            if (timeoutMs > 0) {
                // Idle time passes at once: nothing else can happen before the next timer.
                o_.virtualClock_.advance(timeoutMs);
                return true;
            }
            if (o_.input_.hasScript()) {
                // The script is over and nothing is left that could end the program.
                o_.record_.add("quit: the script has ended and nothing else is pending");
                WindowSystem::instance().postQuit(1);
                return true;
            }
            throw Exception("offscreen: the message loop waits for input, but no input script is running");
        }
        const int ms = timeoutMs < 0 ? 10 : std::min(timeoutMs, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return false;
    }
    void wakeUp() override {}

private:
    OffscreenIntegration& o_;
};

// ---------------------------------------------------------------------------------------------
// Services: every request is recorded.

class OffscreenIntegration::Services final : public PlatformServices {
public:
    explicit Services(OffscreenIntegration& o) : o_(o) {}

    DialogButton showMessageDialog(const DialogRequest& r) override {
        const DialogButton answer = o_.input_.answerDialog(r);
        o_.record_.add("dialog " + std::string(kindName(r.kind)) + " " + EventRecord::quote(r.title) + " " +
                       EventRecord::quote(r.text) + " -> " + buttonName(answer));
        return answer;
    }
    int shellOpen(const std::string& verb, const std::string& document, const std::string& parameters) override {
        const int result = o_.input_.shellOpenResult();
        o_.record_.add("open " + EventRecord::quote(verb) + " " + EventRecord::quote(document) + " " +
                       EventRecord::quote(parameters) + " -> " + std::to_string(result));
        return result;
    }
    std::string systemErrorText(int code) const override { return lindora::systemErrorText(code); }
    void playSound(const std::string& alias) override { o_.record_.add("sound " + alias); }

    static const char* kindName(DialogKind k) {
        switch (k) {
        case DialogKind::Information: return "information";
        case DialogKind::Warning: return "warning";
        case DialogKind::Error: return "error";
        case DialogKind::Confirmation: return "confirmation";
        }
        return "?";
    }
    static const char* buttonName(DialogButton b) {
        switch (b) {
        case DialogButton::None: return "None";
        case DialogButton::OK: return "OK";
        case DialogButton::Cancel: return "Cancel";
        case DialogButton::Abort: return "Abort";
        case DialogButton::Retry: return "Retry";
        case DialogButton::Ignore: return "Ignore";
        case DialogButton::Yes: return "Yes";
        case DialogButton::No: return "No";
        }
        return "?";
    }

private:
    OffscreenIntegration& o_;
};

// ---------------------------------------------------------------------------------------------
// Surfaces

OffscreenSurface::OffscreenSurface(OffscreenIntegration& owner, const SurfaceParams& p)
    : owner_(owner), delegate_(p.delegate), kind_(p.kind), bounds_(p.bounds), topMost_(p.topMost),
      translucent_(p.translucent), title_(p.title) {
    owner_.stacking_.push_back(this);
}

OffscreenSurface::~OffscreenSurface() { std::erase(owner_.stacking_, this); }

void OffscreenSurface::systemFocusChanged(bool focused) {
    if (delegate_) delegate_->surfaceActivationChanged(focused);
}

void OffscreenSurface::systemScaleChanged() {
    if (delegate_) delegate_->surfaceScaleChanged();
}

int OffscreenSurface::scaleFactor() const { return owner_.scale(); }

void OffscreenSurface::stackAbove(NativeSurface* below) {
    auto& s = owner_.stacking_;
    std::erase(s, this);
    auto it = std::find(s.begin(), s.end(), below);
    s.insert(it == s.end() ? s.end() : it + 1, this);
}

void OffscreenSurface::stackBottom() {
    auto& s = owner_.stacking_;
    std::erase(s, this);
    s.insert(s.begin(), this);
}

void OffscreenSurface::present(const Bitmap& store, const Rect& area) {
    const int s = scaleFactor();
    if (content_.size() != store.size() || contentScale_ != s) content_ = Bitmap(store.width(), store.height());
    contentScale_ = s;
    const Rect a = Rect{area.left * s, area.top * s, area.right * s, area.bottom * s}.intersected(store.bounds());
    for (int y = a.top; y < a.bottom; ++y) {
        auto src = store.row(y);
        auto dst = content_.row(y);
        std::copy(src.begin() + a.left, src.begin() + a.right, dst.begin() + a.left);
    }
    content_.markDirty();
}

// ---------------------------------------------------------------------------------------------
// The integration

OffscreenIntegration::OffscreenIntegration(OffscreenOptions options)
    : options_(std::move(options)), screen_(std::make_unique<Screen>(*this)),
      dispatcher_(std::make_unique<Dispatcher>(*this)), services_(std::make_unique<Services>(*this)) {}

OffscreenIntegration::~OffscreenIntegration() = default;

OffscreenIntegration& OffscreenIntegration::install(OffscreenOptions options) {
    auto p = std::make_unique<OffscreenIntegration>(std::move(options));
    OffscreenIntegration& ref = *p;
    PlatformIntegration::install(std::move(p));
    return ref;
}

OffscreenIntegration* OffscreenIntegration::current() {
    return dynamic_cast<OffscreenIntegration*>(PlatformIntegration::instance());
}

std::unique_ptr<NativeSurface> OffscreenIntegration::createSurface(const SurfaceParams& params) {
    return std::make_unique<OffscreenSurface>(*this, params);
}

EventDispatcher& OffscreenIntegration::eventDispatcher() { return *dispatcher_; }

Clock& OffscreenIntegration::clock() {
    if (options_.virtualClock) return virtualClock_;
    return realClock_;
}

const ScreenInfo& OffscreenIntegration::screen() const { return *screen_; }

PlatformServices& OffscreenIntegration::services() { return *services_; }

void OffscreenIntegration::advance(int ms) {
    if (options_.virtualClock) virtualClock_.advance(ms);
}

void OffscreenIntegration::setWorkArea(const Rect& r) {
    options_.workArea = r;
    if (sink_) sink_->systemChanged(SystemChange::Settings, SPI_SETWORKAREA);
}

void OffscreenIntegration::setScale(int scale) {
    scale = std::clamp(scale, 1, 4);
    if (scale == options_.scale) return;
    options_.scale = scale;
    // A copy: a window may go away while it repaints.
    const std::vector<OffscreenSurface*> surfaces = stacking_;
    for (OffscreenSurface* s : surfaces)
        if (std::find(stacking_.begin(), stacking_.end(), s) != stacking_.end()) s->systemScaleChanged();
}

void OffscreenIntegration::setSystemColor(int index, Color rgb) {
    if (index < 0 || index >= SystemColors::Count) return;
    screen_->colors_[static_cast<std::size_t>(index)] = rgb;
    if (sink_) sink_->systemChanged(SystemChange::Colors);
}

Bitmap OffscreenIntegration::Screen::grabScreen() const {
    // The screen in device pixels: its logical size times the scale.
    const int k = o_.options_.scale;
    Bitmap out(o_.options_.screenSize.cx * k, o_.options_.screenSize.cy * k, systemColor(COLOR_BACKGROUND));
    for (const OffscreenSurface* s : o_.stacking_) {
        if (!s->visible() || s->content().isEmpty()) continue;
        const Rect& b = s->bounds();
        const Rect placed{b.left * k, b.top * k, b.right * k, b.bottom * k};
        const Rect r = placed.intersected(out.bounds());
        const unsigned wa = s->alpha();
        for (int y = r.top; y < r.bottom; ++y) {
            const int sy = y - placed.top;
            if (sy < 0 || sy >= s->content().height()) continue;
            auto src = s->content().row(sy);
            auto dst = out.row(y);
            for (int x = r.left; x < r.right; ++x) {
                const int sx = x - placed.left;
                if (sx < 0 || sx >= s->content().width()) continue;
                std::uint32_t p = src[static_cast<std::size_t>(sx)];
                // Opaque windows ignore the alpha channel their painting may have left.
                if (!s->translucent()) {
                    if ((p >> 24) != 0xFF) {
                        // Premultiplied colour over black: keep the colour as drawn.
                        p |= 0xFF000000u;
                    }
                }
                const std::uint32_t d = dst[static_cast<std::size_t>(x)];
                // Premultiplied "over", scaled by the window's opacity.
                const unsigned sa = ((p >> 24) * wa + 127) / 255;
                auto channel = [&](int shift) {
                    const unsigned sc = (((p >> shift) & 0xFF) * wa + 127) / 255;
                    const unsigned dc = (d >> shift) & 0xFF;
                    return std::min(255u, sc + (dc * (255 - sa) + 127) / 255);
                };
                dst[static_cast<std::size_t>(x)] = 0xFF000000u | (channel(16) << 16) | (channel(8) << 8) | channel(0);
            }
        }
    }
    out.markDirty();
    return out;
}

}  // namespace lindora
