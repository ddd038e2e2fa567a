#pragma once
// Form settings tests run on the offscreen backend (a 1024 x 768 screen) with the registry in a
// temporary folder; forms come from form descriptions like the main window's.
#include <memory>
#include <string>

#include "SettingsFixture.h"
#include "SettingsTestClasses.h"
#include "StandInForm.h"
#include "base/ClassRegistry.h"
#include "base/FormDescription.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "settings/PAppSettings.h"
#include "settings/PFormSettings.h"
#include "settings/PSetting.h"
#include "settings/SettingsClasses.h"
#include "ui/WindowSystem.h"

namespace lindora::test {

inline const char* const kMainKey = "Software\\Quintvel\\Lindora\\1.0\\frmMain";

// The main window's settings: one entry bound to the Auto Login button.
inline const char* const kMainDescription = R"(object frmMain: StandInForm
  object FormSettings: PFormSettings
    OnAutoRestore = FormSettingsAutoRestore
    Settings = (
      ''
      'btnAutoLogin.Down'
      ''
      False)
  end
  object btnAutoLogin: StandInButton
  end
end
)";

class FormSettingsTest : public SettingsStoreFixture {
protected:
    OffscreenIntegration* platform = nullptr;
    std::unique_ptr<ClassRegistration> classes;

    void SetUp() override {
        SettingsStoreFixture::SetUp();
        OffscreenOptions options;
        options.screenSize = {1024, 768};
        platform = &OffscreenIntegration::install(options);
        registerSettingsClasses();
        classes = std::make_unique<ClassRegistration>(std::initializer_list<const ClassInfo*>{
            &StandInForm::classInfo(), &StandInButton::classInfo(), &StandInMenuItem::classInfo()});
    }

    void TearDown() override {
        classes.reset();
        PlatformIntegration::install(nullptr);
        SettingsStoreFixture::TearDown();
    }

    // A form with its window at `bounds`, read from `description`.
    static std::unique_ptr<StandInForm> loadForm(const std::string& description,
                                                 Rect bounds = Rect::fromSize(100, 100, 400, 300),
                                                 std::function<void(StandInForm&)> beforeReading = {}) {
        auto form = std::make_unique<StandInForm>();
        form->createWindow(bounds);
        if (beforeReading) beforeReading(*form);
        readFormDescription(description, *form);
        return form;
    }

    static PFormSettings& settingsOf(Component& form) {
        return dynamic_cast<PFormSettings&>(*form.findComponent("FormSettings"));
    }
    static StandInButton& buttonOf(Component& form) {
        return dynamic_cast<StandInButton&>(*form.findComponent("btnAutoLogin"));
    }

    static void writeString(const std::string& key, const std::string& name, const std::string& value) {
        Registry r;
        ASSERT_TRUE(r.OpenKey(key, true));
        r.WriteString(name, value);
    }
    static void writeInteger(const std::string& key, const std::string& name, int value) {
        Registry r;
        ASSERT_TRUE(r.OpenKey(key, true));
        r.WriteInteger(name, value);
    }
    static void writeBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& bytes) {
        Registry r;
        ASSERT_TRUE(r.OpenKey(key, true));
        r.WriteBinaryData(name, bytes);
    }
    static std::string readString(const std::string& key, const std::string& name) {
        Registry r;
        return r.OpenKeyReadOnly(key) && r.ValueExists(name) ? r.ReadString(name) : std::string("<none>");
    }
    static int readInteger(const std::string& key, const std::string& name) {
        Registry r;
        return r.OpenKeyReadOnly(key) && r.ValueExists(name) ? r.ReadInteger(name) : -999;
    }
};

}  // namespace lindora::test
