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
    Point cursorPos() const override { return o_.cursor_; }

    std::array<Color, SystemColors::Count> colors_ = SystemColors::defaults();

private:
    OffscreenIntegration& o_;
};

// ---------------------------------------------------------------------------------------------
// The event loop's native side: script commands are the only native events.

class OffscreenIntegration::Dispatcher final : public EventDispatcher {
public:
    explicit Dispatcher(OffscreenIntegration& o) : o_(o) {}

    bool processEvents(int timeoutMs) override {
        if (o_.script_) {
            if (o_.runNextScriptCommand()) return true;
            if (!o_.endClosed_) {
                o_.endClosed_ = true;
                if (!o_.scriptClosed_) o_.closeActiveForm("end of script");
                return true;
            }
        }
        if (timeoutMs == 0) return false;
        if (o_.options_.virtualClock) {
            if (timeoutMs > 0) {
                // Idle time passes at once: nothing else can happen before the next timer.
                o_.virtualClock_.advance(timeoutMs);
                return true;
            }
            if (o_.script_) {
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
        o_.dialogs_.push_back(r);
        DialogButton answer = r.defaultButton;
        if (!o_.answers_.empty()) {
            answer = o_.answers_.front();
            o_.answers_.pop_front();
        }
        if (std::find(r.buttons.begin(), r.buttons.end(), answer) == r.buttons.end())
            answer = r.buttons.empty() ? DialogButton::OK : r.defaultButton;
        o_.record_.add("dialog " + std::string(kindName(r.kind)) + " " + EventRecord::quote(r.title) + " " +
                       EventRecord::quote(r.text) + " -> " + buttonName(answer));
        return answer;
    }
    int shellOpen(const std::string& verb, const std::string& document, const std::string& parameters) override {
        o_.record_.add("open " + EventRecord::quote(verb) + " " + EventRecord::quote(document) + " " +
                       EventRecord::quote(parameters) + " -> " + std::to_string(o_.openResult_));
        return o_.openResult_;
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
    if (content_.size() != store.size()) content_ = Bitmap(store.width(), store.height());
    const Rect a = area.intersected(store.bounds());
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

void OffscreenIntegration::setSystemColor(int index, Color rgb) {
    if (index < 0 || index >= SystemColors::Count) return;
    screen_->colors_[static_cast<std::size_t>(index)] = rgb;
    if (sink_) sink_->systemChanged(SystemChange::Colors);
}

Bitmap OffscreenIntegration::grabScreen() const {
    Bitmap out(options_.screenSize.cx, options_.screenSize.cy, screen_->systemColor(COLOR_BACKGROUND));
    for (const OffscreenSurface* s : stacking_) {
        if (!s->visible() || s->content().isEmpty()) continue;
        const Rect r = s->bounds().intersected(out.bounds());
        const unsigned wa = s->alpha();
        for (int y = r.top; y < r.bottom; ++y) {
            const int sy = y - s->bounds().top;
            if (sy < 0 || sy >= s->content().height()) continue;
            auto src = s->content().row(sy);
            auto dst = out.row(y);
            for (int x = r.left; x < r.right; ++x) {
                const int sx = x - s->bounds().left;
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

void OffscreenIntegration::saveScreenshot(const std::string& path) const { grabScreen().savePNG(path); }

// ---- input

void OffscreenIntegration::feedMouse(MouseAction a, MouseButton b) {
    if (!sink_) return;
    MouseInput in;
    in.action = a;
    in.button = b;
    in.screen = cursor_;
    sink_->mouseInput(in);
}

void OffscreenIntegration::mouseMove(Point screen) {
    cursor_ = screen;
    feedMouse(MouseAction::Move, MouseButton::None);
}

void OffscreenIntegration::mousePress(MouseButton b) { feedMouse(MouseAction::Press, b); }

void OffscreenIntegration::mouseRelease(MouseButton b) { feedMouse(MouseAction::Release, b); }

void OffscreenIntegration::click(Point screen, MouseButton b) {
    mouseMove(screen);
    mousePress(b);
    mouseRelease(b);
}

void OffscreenIntegration::doubleClick(Point screen) {
    click(screen);
    mouseMove(screen);
    feedMouse(MouseAction::DoubleClick, MouseButton::Left);
    mouseRelease(MouseButton::Left);
}

void OffscreenIntegration::keyDown(unsigned vk) {
    if (!sink_) return;
    KeyInput in;
    in.down = true;
    in.vk = vk;
    sink_->keyInput(in);
}

void OffscreenIntegration::keyUp(unsigned vk) {
    if (!sink_) return;
    KeyInput in;
    in.down = false;
    in.vk = vk;
    sink_->keyInput(in);
}

void OffscreenIntegration::key(unsigned vk, std::initializer_list<unsigned> modifiers) {
    for (unsigned m : modifiers) keyDown(m);
    keyDown(vk);
    keyUp(vk);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) keyUp(*it);
}

void OffscreenIntegration::typeText(const std::u32string& text) {
    if (!sink_) return;
    for (char32_t ch : text) {
        auto k = layout_.keyForChar(ch);
        if (!k) throw Exception("offscreen: a character cannot be typed on the US keyboard layout");
        if (k->ctrl) keyDown(VK_CONTROL);
        if (k->shift) keyDown(VK_SHIFT);
        KeyInput in;
        in.down = true;
        in.vk = k->vk;
        in.text = k->ctrl ? std::u32string{} : std::u32string(1, ch);
        sink_->keyInput(in);
        keyUp(k->vk);
        if (k->shift) keyUp(VK_SHIFT);
        if (k->ctrl) keyUp(VK_CONTROL);
    }
}

// ---- the script

void OffscreenIntegration::setScript(InputScript script) {
    script_ = std::move(script);
    scriptPos_ = 0;
    endClosed_ = false;
    scriptClosed_ = false;
}

bool OffscreenIntegration::scriptFinished() const {
    return !script_ || (scriptPos_ >= script_->commands().size() && endClosed_);
}

void OffscreenIntegration::closeActiveForm(const char* why) {
    WindowSystem& ws = WindowSystem::instance();
    Window* target = nullptr;
    if (std::string(why) == "end of script" && mainWindowFinder_) target = mainWindowFinder_();
    if (!target) target = ws.activeWindow();
    if (!target) {
        for (Window* t : ws.topLevels())
            if (t->isWindowVisible() && !(t->style() & WS_POPUP) && !(t->exStyle() & WS_EX_TOOLWINDOW)) target = t;
    }
    if (!target) {
        record_.add(std::string("close (") + why + "): no window to close");
        return;
    }
    record_.add(std::string("close (") + why + ") " + EventRecord::quote(target->text()));
    ws.post(target, WM_SYSCOMMAND, SC_CLOSE);
}

bool OffscreenIntegration::runNextScriptCommand() {
    if (!script_ || scriptPos_ >= script_->commands().size()) return false;
    const ScriptCommand& c = script_->commands()[scriptPos_++];
    static const MouseButton buttons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle};
    using K = ScriptCommand::Kind;
    switch (c.kind) {
    case K::Move: mouseMove(c.point); break;
    case K::Press: mousePress(buttons[c.button]); break;
    case K::Release: mouseRelease(buttons[c.button]); break;
    case K::Click: click(c.point); break;
    case K::DoubleClick: doubleClick(c.point); break;
    case K::Key: {
        for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) keyDown(c.keys[i]);
        const unsigned vk = c.keys.back();
        KeyInput in;
        in.down = true;
        in.vk = vk;
        bool modifiers = c.keys.size() > 1;
        if (!modifiers) {
            if (char32_t ch = layout_.charForKey(vk, false)) in.text = std::u32string(1, ch);
        }
        if (sink_) sink_->keyInput(in);
        keyUp(vk);
        for (std::size_t i = c.keys.size() - 1; i-- > 0;) keyUp(c.keys[i]);
        break;
    }
    case K::KeyDown: keyDown(c.keys.front()); break;
    case K::KeyUp: keyUp(c.keys.front()); break;
    case K::Type: typeText(c.text); break;
    case K::Wait:
        if (options_.virtualClock) virtualClock_.advance(c.ms);
        else std::this_thread::sleep_for(std::chrono::milliseconds(c.ms));
        break;
    case K::Close:
        scriptClosed_ = true;
        closeActiveForm("script");
        break;
    case K::Screenshot:
        // Commands run only when the loop is idle, so all input so far has been handled;
        // pending paints are what is left.
        WindowSystem::instance().paintPending();
        try {
            saveScreenshot(c.file);
            record_.add("screenshot " + EventRecord::quote(c.file));
        } catch (const Exception& e) {
            record_.add("screenshot failed: " + e.message());
            throw;
        }
        break;
    }
    return true;
}

}  // namespace lindora
