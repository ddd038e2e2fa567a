#pragma once
// The main window on the offscreen backend: a fresh backend with a virtual clock per test, the
// application object, and frmMain created from its compiled-in description with a chosen
// executable path.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "app/WebBrowser.h"
#include "platform/browser/RecordingBrowserEngine.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Application.h"

namespace lindora::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_ = std::make_unique<TempRegistryFolder>();
        registerLindoraPlatforms();
        platform_ = &OffscreenIntegration::install();
        app_ = std::make_unique<Application>();
        app_->initialize();
        app_->setTitle("Lindora");
    }
    void TearDown() override {
        app_.reset();
        PlatformIntegration::install(nullptr);
        store_.reset();
    }

    FrmMain& createMain(const std::string& executable = "/opt/lindora/lindora") {
        form_ = FrmMain::create(*app_, executable);
        return *form_;
    }
    RecordingBrowserEngine& engine() {
        auto* e = dynamic_cast<RecordingBrowserEngine*>(form_->wbMain->engine());
        if (!e) throw std::runtime_error("the browser has no recording engine");
        return *e;
    }

    OffscreenIntegration& platform() { return *platform_; }
    Application& app() { return *app_; }

    const TempRegistryFolder& store() const { return *store_; }

private:
    std::unique_ptr<TempRegistryFolder> store_;
    OffscreenIntegration* platform_ = nullptr;
    std::unique_ptr<Application> app_;

protected:
    FrmMain* form_ = nullptr;
};

}  // namespace lindora::test
