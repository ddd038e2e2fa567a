#pragma once
// Test forms whose bars get real toolbar windows: the bar controls installed and the form
// shown at (100, 100), 800 x 600.
#include "bars/BarsTestSupport.h"
#include "bars/controls/BarControls.h"

namespace lindora::test {

class ToolbarWindowTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        BarControls::install();
        form().createWindow(Rect(Point(100, 100), Size(800, 600)));
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }
};

}  // namespace lindora::test
