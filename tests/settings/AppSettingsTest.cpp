// Application settings: one key shared by the forms that link to it.
#include <gtest/gtest.h>

#include <fstream>

#include "FormSettingsFixture.h"

namespace lindora::test {
namespace {

const std::string kAppKey = "Software\\Quintvel\\Lindora\\1.0\\AppSettings";

class AppSettings : public FormSettingsTest {
protected:
    // A form whose Auto Login button follows the application setting `relApp`.
    struct LinkedForm {
        std::unique_ptr<StandInForm> form = std::make_unique<StandInForm>();
        PFormSettings* settings = nullptr;
        StandInButton* button = nullptr;
        PSetting* setting = nullptr;
    };
    LinkedForm makeForm(const std::string& name, const std::string& relApp) {
        LinkedForm f;
        f.form->setName(name);
        f.form->createWindow(Rect::fromSize(10, 10, 300, 200));
        f.settings = new PFormSettings(f.form.get());
        f.settings->setName("FormSettings");
        f.button = new StandInButton(f.form.get());
        f.button->setName("btnAutoLogin");
        f.setting = f.settings->addSetting("btnAutoLogin.Down");
        f.setting->setRelAppSetting(relApp);
        return f;
    }
    static std::unique_ptr<PAppSettings> makeApp() {
        auto app = std::make_unique<PAppSettings>();
        app->setCompanyName("Quintvel");
        app->setSoftwareName("Lindora");
        app->setSoftwareVersion("1.0");
        return app;
    }
};

TEST_F(AppSettings, TwoFormsShareOneValueThatTheyNeverStoreThemselves) {
    writeString(kAppKey, "AutoLogin", "True");
    auto app = makeApp();
    app->addSetting("AutoLogin");
    LinkedForm a = makeForm("frmA", "AutoLogin");
    LinkedForm b = makeForm("frmB", "AutoLogin");
    a.settings->setAppSettingsCtrl(app.get());
    b.settings->setAppSettingsCtrl(app.get());
    EXPECT_EQ(app->linkedForms(), (std::vector<PSettings*>{a.settings, b.settings}));
    EXPECT_EQ(a.settings->getKeyPath(), "Software\\Quintvel\\Lindora\\1.0\\frmA");

    app->loaded();  // restores, then pushes into every linked form
    EXPECT_TRUE(a.button->down());
    EXPECT_TRUE(b.button->down());
    EXPECT_EQ(a.setting->value().Kind, pvtString);

    a.settings->loaded();
    b.settings->loaded();
    a.form.reset();
    b.form.reset();
    EXPECT_FALSE(keyExists("Software\\Quintvel\\Lindora\\1.0\\frmA\\btnAutoLogin"));
    EXPECT_TRUE(keyExists("Software\\Quintvel\\Lindora\\1.0\\frmA"));  // its placement
    EXPECT_TRUE(app->linkedForms().empty());                           // freed forms unlink themselves
}

TEST_F(AppSettings, LinkedFormsFollowTheNamesButNotTheRoot) {
    auto app = makeApp();
    app->setRegistryRootKey(prkLocalMachine);
    LinkedForm f = makeForm("frmA", "");
    f.settings->setCompanyName("Other");
    f.settings->setAppSettingsCtrl(app.get());
    EXPECT_EQ(f.settings->companyName(), "Quintvel");
    EXPECT_EQ(f.settings->registryRootKey(), prkCurrentUser);

    app->setSoftwareVersion("2.0");
    EXPECT_EQ(f.settings->getKeyPath(), "Software\\Quintvel\\Lindora\\2.0\\frmA");
    app->setRegistryRootKey(prkCurrentUser);
    app->setRegistryRootKey(prkLocalMachine);
    EXPECT_EQ(f.settings->registryRootKey(), prkLocalMachine);
    EXPECT_EQ(app->getKeyPath(), "Software\\Quintvel\\Lindora\\2.0\\AppSettings");
}

TEST_F(AppSettings, AnUnknownNameGivesAnEmptyValueAndTheFirstOfTwoNamesSupplies) {
    auto app = makeApp();
    app->addSetting("Twice")->setAsString("True");
    app->addSetting("Twice")->setAsString("False");
    LinkedForm missing = makeForm("frmA", "NoSuchSetting");
    LinkedForm twice = makeForm("frmB", "Twice");
    missing.button->setDown(true);
    missing.settings->setAppSettingsCtrl(app.get());
    twice.settings->setAppSettingsCtrl(app.get());
    EXPECT_EQ(missing.setting->value().Kind, pvtNone);
    EXPECT_TRUE(missing.button->down());
    EXPECT_TRUE(twice.button->down());

    app.reset();  // saves both; the second overwrites the first
    EXPECT_EQ(readString(kAppKey, "Twice"), "False");
    EXPECT_EQ(missing.settings->appSettingsCtrl(), nullptr);  // the freed link is cleared
}

TEST_F(AppSettings, DestructionSavesEveryValueWithItsLayout) {
    auto app = makeApp();
    int preSaves = 0;
    app->OnPreSave.bind([&](Persistent*) { ++preSaves; });
    app->setSaveAll(false);  // no bound property: always written
    app->addSetting("Count")->setAsInteger(7);
    app->addSetting("Ratio")->setAsFloat(1.5);
    PSetting* secret = app->addSetting("Secret", true);
    secret->setAsString("pw");
    auto store = RegistryRoots::store(RegistryRoot::CurrentUser);
    const uint64_t writes = store->fileWrites();
    app.reset();
    EXPECT_EQ(preSaves, 1);
    EXPECT_EQ(store->fileWrites() - writes, 1u) << "the three values go to the file in one write";
    EXPECT_EQ(readInteger(kAppKey, "Count"), 7);
    EXPECT_EQ(binaryAt(kAppKey, "Ratio"), (std::vector<uint8_t>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));
    EXPECT_EQ(binaryAt(kAppKey, "Secret").size(), 2u + 4u + 14u);

    auto again = makeApp();
    PSetting* back = again->addSetting("Secret", true);
    again->loaded();
    EXPECT_EQ(back->asString(), "pw");
    again->OnAutoSave.bind([](Persistent*, bool& proceed) { proceed = false; });
}

TEST_F(AppSettings, TheSettingsListIsStreamedAsPairs) {
    const std::string text = R"(object frmMain: StandInForm
  object AppSettings: PAppSettings
    CompanyName = 'Quintvel'
    SoftwareName = 'Lindora'
    SoftwareVersion = '1.0'
    Settings = (
      'AutoLogin'
      False
      'Secret'
      True
      'AutoLogin'
      False)
  end
end
)";
    writeString(kAppKey, "AutoLogin", "True");
    auto form = loadForm(text);
    auto& app = dynamic_cast<PAppSettings&>(*form->findComponent("AppSettings"));
    ASSERT_EQ(app.settingCount(), 3);  // duplicates are kept
    EXPECT_TRUE(app.setting(1)->encrypted());
    EXPECT_EQ(app.setting(0)->owner(), nullptr);
    EXPECT_EQ(app.setting(0)->asString(), "True");  // restored when loading ended
    EXPECT_TRUE(PAppSettings::isAlive(&app));

    std::string written = writeFormDescription(*form);
    EXPECT_NE(written.find("Settings = (\n      'AutoLogin'\n      False\n      'Secret'\n      True"),
              std::string::npos)
        << written;
}

TEST_F(AppSettings, TheMachinesOrganisationIsTheDefaultCompanyAndItsStoreCanBeRead) {
    EXPECT_EQ(PAppSettings().companyName(), "");
    std::ofstream(folder / "machine.reg") << "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
                                             "\"RegisteredOrganization\"=\"Example Org\"\n"
                                             "[Software\\Example Org\\AppSettings]\n"
                                             "\"Mode\"=\"fast\"\n";
    RegistryRoots::reset();
    PAppSettings app;
    EXPECT_EQ(app.companyName(), "Example Org");
    app.setRegistryRootKey(prkLocalMachine);
    PSetting* mode = app.addSetting("Mode");
    app.loaded();  // the read-only machine store opens for reading
    EXPECT_EQ(mode->asString(), "fast");
    app.OnAutoSave.bind([](Persistent*, bool& proceed) { proceed = false; });
}

}  // namespace
}  // namespace lindora::test
