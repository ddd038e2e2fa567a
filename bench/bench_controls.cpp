// Drawing the main window's toolbar: the docked bar's border and grip and its five item controls
// (Login, Auto Login, Help, Exit and the progress item) with the flat painter, into a bitmap of
// the toolbar's size (805 x 26). Goal: under 0.3 ms a frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bars/controls/BarControls.h"
#include "bars/controls/CustomBarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/painters/BarItemControlPainter.h"
#include "gfx/PersistentGraphics.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Form.h"

using namespace lindora;

namespace {

// The main menu bar's window as far as drawing its items needs it.
class MainToolbar : public CustomBarControl {
public:
    MainToolbar(BarManager& manager, BarItemLinks& links) : CustomBarControl(manager, links) { attachLinks(); }
    ~MainToolbar() override {
        setDestroying();
        detachLinks();
    }
    bool isToolbar() const override { return true; }
    bool isMainMenu() const override { return true; }
    bool alignAllowed(const BarItemLink& link) const override { return itemLinks().visibleLinks().back() == &link; }

    // Border, grip, separator and items, laid out in one row after the grip.
    void paint(Canvas& c, const Rect& bar) {
        const BarItemControlPainter& p = painter();
        const Brush background = backgroundBrush();
        c.fillRect(bar, background);
        BarBorderParams border;
        border.bar = bar;
        border.isMainMenu = true;
        border.barBackground = background;
        p.drawDockedBarBorder(c, border);
        const Rect insets = p.dockedBorderInsets();
        const Rect client{bar.left + insets.left + barManager().gripAreaSize(), bar.top + insets.top,
                          bar.right - insets.right, bar.bottom - insets.bottom};
        int x = client.left;
        for (BarItemLink* link : itemLinks().visibleLinks()) {
            auto* control = static_cast<ItemControl*>(link->control());
            const Size s = control->sizeInParent();
            if (link->beginGroup()) {
                p.drawSeparator(c, Rect::fromSize(x, client.top, p.separatorThickness(), client.height()), false,
                                background);
                x += p.separatorThickness();
            }
            if (control->effectiveAlign() == iaRight) x = client.right - s.cx;
            const Rect r = Rect::fromSize(x, client.top + (client.height() - s.cy) / 2, s.cx, s.cy);
            link->setItemRect(r);
            control->draw(c, r, ItemDrawKind::Toolbar);
            x += s.cx;
        }
    }
};

struct MainWindowToolbar {
    MainWindowToolbar() {
        OffscreenIntegration::install();
        BarFramework::startUp();
        BarControls::install();
        form = std::make_unique<Form>();
        form->setName("frmMain");
        manager = new BarManager(form.get());
        manager->setName("BarManager1");
        manager->setStyle(bmsFlat);
        auto* images = new ImageListComponent(form.get());
        for (const char* name : {"about", "exit", "help", "login"})
            images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        manager->setImages(images);
        auto button = [&](const char* name, const char* caption, int image, BarPaintStyle style) {
            auto* b = new BarButton(form.get());
            b->setName(name);
            b->setCaption(caption);
            b->setImageIndex(image);
            b->setPaintStyle(style);
            return b;
        };
        BarButton* login = button("btnLogin", "Login", 3, psCaptionGlyph);
        BarButton* autoLogin = button("btnAutoLogin", "Auto Login", -1, psStandard);
        autoLogin->setButtonStyle(bsChecked);
        auto* help = new BarSubItem(form.get());
        help->setName("BarSubItem1");
        help->setCaption("Help");
        help->setImageIndex(2);
        BarButton* exit = button("btnExit", "Exit", 1, psCaptionGlyph);
        auto* progress = new BarProgressItem(form.get());
        progress->setName("briMain");
        progress->setAlign(iaRight);
        progress->setShowCaption(false);
        progress->setPosition(50);
        Bar* bar = manager->bars().add();
        bar->setCaption("Main Toolbar");
        for (BarItem* item : std::initializer_list<BarItem*>{login, autoLogin, help, exit, progress})
            bar->itemLinks().add()->setItem(item);
        bar->itemLinks().items(2)->setBeginGroup(true);
        window = std::make_unique<MainToolbar>(*manager, bar->itemLinks());
    }
    std::unique_ptr<Form> form;
    BarManager* manager = nullptr;
    std::unique_ptr<MainToolbar> window;
};

void BM_DrawMainToolbar(benchmark::State& state) {
    static MainWindowToolbar toolbar;
    Bitmap bitmap(805, 26);
    Canvas canvas(bitmap);
    for (auto _ : state) {
        toolbar.window->paint(canvas, bitmap.bounds());
        benchmark::DoNotOptimize(bitmap.colorAt(400, 13));
    }
}
BENCHMARK(BM_DrawMainToolbar)->Unit(benchmark::kMicrosecond);

}  // namespace
