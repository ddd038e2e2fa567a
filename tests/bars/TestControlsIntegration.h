#pragma once
// A controls integration for the model tests: windows and controls come from the functions a
// test sets, painters answer fixed metrics per kind, and the services count their starts.
#include <functional>
#include <map>
#include <memory>

#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "bars/model/ItemControlClass.h"

namespace lindora::test {

// Metrics that tell the kinds apart: the flat painter's grip values, the others' kind number.
class TestPainter : public BarPainter {
public:
    explicit TestPainter(BarPainterKind kind) : kind_(kind) {}
    BarPainterKind kind() const override { return kind_; }
    int gripOffset() const override { return kind_ == BarPainterKind::Flat ? 1 : static_cast<int>(kind_); }
    int gripAreaSize() const override { return kind_ == BarPainterKind::Flat ? 6 : 10 + static_cast<int>(kind_); }
    int separatorIndent() const override { return kind_ == BarPainterKind::Flat ? 8 : 0; }
    int buttonHorizontalMargin() const override { return 7; }
    int buttonVerticalMargin() const override { return 6; }
    int dropDownArrowWidth(const BarManager& manager) const override { return manager.buttonArrowWidth() - 1; }

private:
    BarPainterKind kind_;
};

class TestControlsIntegration : public BarControlsIntegration {
public:
    using ControlFactory = std::function<std::unique_ptr<BarItemControl>(BarItemLink&)>;

    // Installs a fresh one and returns it; uninstall with BarControlsIntegration::install(nullptr).
    static TestControlsIntegration& install() {
        auto integration = std::make_unique<TestControlsIntegration>();
        TestControlsIntegration& ref = *integration;
        BarControlsIntegration::install(std::move(integration));
        return ref;
    }

    std::function<std::unique_ptr<BarWindow>(BarManager&, Bar&)> barWindow;
    std::function<std::unique_ptr<ItemLinksWindow>(BarManager&, BarItemLinks&)> subMenuWindow;
    std::map<const ItemControlClass*, ControlFactory> controls;
    int servicesStarted = 0;
    int servicesStopped = 0;
    int menusHidden = 0;
    std::function<void()> onStop;

    std::unique_ptr<BarWindow> createBarWindow(BarManager& manager, Bar& bar) override {
        return barWindow ? barWindow(manager, bar) : nullptr;
    }
    std::unique_ptr<ItemLinksWindow> createSubMenuWindow(BarManager& manager, BarItemLinks& links) override {
        return subMenuWindow ? subMenuWindow(manager, links) : nullptr;
    }
    std::unique_ptr<BarItemControl> createItemControl(const ItemControlClass& controlClass,
                                                      BarItemLink& link) override {
        auto it = controls.find(&controlClass);
        return it == controls.end() ? nullptr : it->second(link);
    }
    const BarPainter* painter(BarPainterKind kind) override {
        auto it = painters_.find(kind);
        if (it == painters_.end()) it = painters_.emplace(kind, std::make_unique<TestPainter>(kind)).first;
        return it->second.get();
    }
    void hideAllMenus() override { ++menusHidden; }
    void startServices() override { ++servicesStarted; }
    void stopServices() override {
        ++servicesStopped;
        if (onStop) onStop();
    }

private:
    std::map<BarPainterKind, std::unique_ptr<TestPainter>> painters_;
};

}  // namespace lindora::test
