#pragma once
// Shared fixture of the bar model tests: a fresh offscreen backend and a started framework per
// test, and a form with published click handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarGroup.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/DockControl.h"
#include "bars/model/FormLink.h"
#include "base/ClassRegistry.h"
#include "base/Component.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Form.h"

namespace lindora::test {

class TestForm : public Form {
    LINDORA_CLASS(TestForm)

public:
    explicit TestForm(Component* owner = nullptr);
    ~TestForm() override;

    // Shows the form at these bounds.
    void createWindow(Rect bounds = Rect(Point(100, 100), Size(800, 600)));

    // Published handlers: each logs "<handler> <sender name>".
    void btnLoginClick(Persistent* sender);
    void btnOtherClick(Persistent* sender);
    void btnHomePageClick(Persistent* sender);
    void btnAboutClick(Persistent* sender);
    void btnExitClick(Persistent* sender);
    void FailingClick(Persistent* sender);
    std::vector<std::string> log;
};

// A component that is not a form.
class NotAForm : public Component {
    LINDORA_CLASS(NotAForm)
public:
    using Component::Component;
};

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    OffscreenIntegration& platform() { return *platform_; }
    // A form with a manager (owned by the form), deleted after each test.
    TestForm& form() { return *form_; }
    BarManager& manager();
    BarButton* addButton(const std::string& name, const std::string& caption = {});
    BarSubItem* addSubItem(const std::string& name, const std::string& caption = {});
    Bar* addBar(const std::string& caption);

private:
    OffscreenIntegration* platform_ = nullptr;
    std::unique_ptr<TestForm> form_;
    BarManager* manager_ = nullptr;
};

}  // namespace lindora::test
