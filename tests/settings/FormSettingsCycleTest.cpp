// The automatic cycle of form settings: the "Settings" list of the form description, the
// restore when loading ends, and the saves driven by the form window's messages.
#include <gtest/gtest.h>

#include "FormSettingsFixture.h"
#include "base/ClassBuilder.h"
#include "settings/SettingsExceptions.h"

namespace lindora::test {
namespace {

TEST_F(FormSettingsTest, TheMainWindowDescriptionRestoresAutoLoginBeforeAnythingElse) {
    writeString(std::string(kMainKey) + "\\btnAutoLogin", "Down", "True");
    auto form = loadForm(kMainDescription);
    PFormSettings& fs = settingsOf(*form);
    ASSERT_EQ(fs.settingCount(), 1);
    PSetting& s = *fs.setting(0);
    EXPECT_EQ(s.settingName(), "");
    EXPECT_EQ(s.boundProperty(), "btnAutoLogin.Down");
    EXPECT_EQ(s.relAppSetting(), "");
    EXPECT_FALSE(s.encrypted());
    EXPECT_EQ(s.owner(), form.get());
    EXPECT_EQ(s.defaultValue().Text, "False");  // the value as loading ended
    EXPECT_TRUE(fs.ready());
    EXPECT_EQ(fs.companyName(), "Quintvel");
    EXPECT_EQ(fs.getKeyPath(), kMainKey);
    EXPECT_TRUE(buttonOf(*form).down());
}

TEST_F(FormSettingsTest, TheSettingsListIsWrittenBackAndDuplicatesAreReadOnce) {
    const std::string twice = R"(object frmMain: StandInForm
  object FormSettings: PFormSettings
    Settings = (
      ''
      'btnAutoLogin.Down'
      ''
      False
      ''
      'btnAutoLogin.Down'
      ''
      False
      'Extra'
      'btnAutoLogin.Width'
      'Shared'
      True)
  end
  object btnAutoLogin: StandInButton
  end
end
)";
    auto form = loadForm(twice);
    PFormSettings& fs = settingsOf(*form);
    ASSERT_EQ(fs.settingCount(), 2);
    EXPECT_EQ(fs.setting(1)->relAppSetting(), "Shared");
    EXPECT_TRUE(fs.setting(1)->encrypted());

    std::string text = writeFormDescription(*form);
    EXPECT_NE(text.find("Settings = (\n      ''\n      'btnAutoLogin.Down'\n      ''\n      False\n      'Extra'"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("PSetting"), std::string::npos) << "settings are not written as components";
    EXPECT_EQ(text.find("MRUMenuItem"), std::string::npos) << text;
    EXPECT_EQ(text.find("AppSettingsCtrl"), std::string::npos) << text;

    // Read back into a fresh form: the same list.
    auto again = std::make_unique<StandInForm>();
    again->createWindow(Rect::fromSize(0, 0, 200, 100));
    readFormDescription(text, *again);
    ASSERT_EQ(settingsOf(*again).settingCount(), 2);
    EXPECT_TRUE(settingsOf(*again).setting(0)->sameDefinition(*fs.setting(0)));
    EXPECT_TRUE(settingsOf(*again).setting(1)->sameDefinition(*fs.setting(1)));
}

TEST_F(FormSettingsTest, ASettingsComponentNeedsAFormAsOwner) {
    Component notAForm;
    try {
        PFormSettings settings(&notAForm);
        FAIL();
    } catch (const EPFormSettingsException& e) {
        EXPECT_STREQ(e.what(), "Parent must be a TCustomForm descendent");
    }
    EXPECT_EQ(notAForm.componentCount(), 0);
}

// Records the events of one settings component in order.
struct EventLog {
    std::vector<std::string> lines;
    void attach(PSettings& s, bool autoRestore = true, bool autoSave = true) {
        s.OnPreRestore.bind([this](Persistent*) { lines.push_back("PreRestore"); });
        s.OnPostRestore.bind([this](Persistent*) { lines.push_back("PostRestore"); });
        s.OnPreSave.bind([this](Persistent*) { lines.push_back("PreSave"); });
        s.OnPostSave.bind([this](Persistent*) { lines.push_back("PostSave"); });
        s.OnAutoRestore.bind([this, autoRestore](Persistent* sender, bool& proceed) {
            lines.push_back("AutoRestore");
            auto* settings = dynamic_cast<PSettings*>(sender);
            settings->setCompanyName("Quintvel");
            settings->setSoftwareName("Lindora");
            settings->setSoftwareVersion("1.0");
            proceed = autoRestore;
        });
        s.OnAutoSave.bind([this, autoSave](Persistent*, bool& proceed) {
            lines.push_back("AutoSave");
            proceed = autoSave;
        });
    }
    int count(const std::string& what) const { return static_cast<int>(std::count(lines.begin(), lines.end(), what)); }
};

// A form built in code: settings component, then the button, then loading ends.
struct CodeForm {
    EventLog log;  // outlives the form, whose destruction may still raise events
    std::unique_ptr<StandInForm> form = std::make_unique<StandInForm>();
    PFormSettings* settings = nullptr;
    StandInButton* button = nullptr;

    explicit CodeForm(bool autoRestore = true, bool visible = true) {
        form->setName("frmMain");
        form->createWindow(Rect::fromSize(100, 100, 400, 300), visible);
        settings = new PFormSettings(form.get());
        settings->setName("FormSettings");
        settings->addSetting("btnAutoLogin.Down");
        button = new StandInButton(form.get());
        button->setName("btnAutoLogin");
        log.attach(*settings, autoRestore);
    }
    void finishLoading() { settings->loaded(); }
};

TEST_F(FormSettingsTest, ContinueFalseReadsNothingButTheCycleCompletes) {
    writeString(std::string(kMainKey) + "\\btnAutoLogin", "Down", "True");
    CodeForm f(false);
    f.finishLoading();
    EXPECT_EQ(f.log.lines, (std::vector<std::string>{"PreRestore", "AutoRestore", "PostRestore"}));
    EXPECT_FALSE(f.button->down());
    EXPECT_TRUE(f.settings->ready());

    f.finishLoading();  // a second notice restores nothing
    EXPECT_EQ(f.log.count("PreRestore"), 1);

    f.form->window.send(WM_CLOSE);
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "False");
}

TEST_F(FormSettingsTest, StreamAndStorageLocationsOnlyRaiseThePreAndPostEvents) {
    for (PSaveLocationType where : {pslStream, pslStorage}) {
        CodeForm f;
        f.settings->setSaveLocation(where);
        f.finishLoading();
        f.form->window.send(WM_CLOSE);
        EXPECT_EQ(f.log.lines, (std::vector<std::string>{"PreRestore", "PostRestore", "PreSave", "PostSave"}));
    }
    EXPECT_FALSE(keyExists("Software\\Quintvel"));
}

TEST_F(FormSettingsTest, UserLocationHandsEverySettingToTheUserEvents) {
    CodeForm f;
    f.settings->setSaveLocation(pslUser);
    std::vector<std::string> restored, saved;
    f.settings->OnUserRestore.bind([&](Persistent*, PSetting* s) {
        restored.push_back(s->settingName().empty() ? s->boundProperty() : s->settingName());
        if (s->settingName() == "Left") s->setAsInteger(33);
    });
    f.settings->OnUserSave.bind([&](Persistent*, PSetting* s) {
        saved.push_back(s->settingName().empty() ? s->boundProperty() : s->settingName() + "=" + s->asString());
    });
    f.finishLoading();
    EXPECT_EQ(restored, (std::vector<std::string>{"btnAutoLogin.Down", "Left", "Top", "Width", "Height", "MainForm",
                                                  "State", "ScreenRes", "MRUList"}));
    EXPECT_EQ(f.form->window.bounds().left, 33);
    f.form->window.send(WM_CLOSE);
    ASSERT_EQ(saved.size(), 9u);
    EXPECT_EQ(saved[1], "Left=33");
    EXPECT_EQ(saved[7], "ScreenRes=1024x768");
    EXPECT_FALSE(keyExists("Software\\Quintvel"));
}

TEST_F(FormSettingsTest, ClosingFromTheCaptionSavesOnceAtTheCloseRequest) {
    CodeForm f;
    f.finishLoading();
    f.button->setDown(true);
    f.form->window.send(WM_SYSCOMMAND, SC_CLOSE);  // the caption's close: WM_CLOSE, then destroy
    EXPECT_FALSE(f.form->window.handleAllocated());
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    f.form.reset();
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True");
}

TEST_F(FormSettingsTest, EndingTheApplicationFromACommandSavesOnceAtDestroy) {
    int saves = 0;
    {
        CodeForm f;
        f.settings->OnPostSave.bind([&](Persistent*) { ++saves; });
        f.finishLoading();
        f.button->setDown(true);
        // No close request reaches the window: the form is freed at shutdown.
        f.form.reset();
    }
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True");
}

TEST_F(FormSettingsTest, HidingSavesAndShowingArmsTheNextSave) {
    CodeForm f;
    f.finishLoading();
    f.form->window.hide();
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    f.form->window.hide();
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    f.form->window.show();
    EXPECT_FALSE(f.settings->saved());
    f.form->window.send(WM_CLOSE);
    EXPECT_EQ(f.log.count("AutoSave"), 2);
}

TEST_F(FormSettingsTest, NothingIsSavedBeforeLoadingEnds) {
    CodeForm f;
    f.form->window.hide();
    EXPECT_EQ(f.log.count("AutoSave"), 0);
    EXPECT_FALSE(f.settings->saved());
}

TEST_F(FormSettingsTest, MinimisingTheApplicationArmsTheNextSave) {
    CountingWindow app;
    CreateParams p;
    p.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.bounds = Rect::fromSize(0, 0, 10, 10);
    app.create(p);
    CodeForm f;
    f.form->mainForm = true;
    f.form->appWindow = &app;
    f.finishLoading();
    f.form->window.send(WM_QUIT);
    EXPECT_EQ(f.log.count("AutoSave"), 1);
    app.setShowState(ShowState::Minimized);
    f.form->window.setBounds(Rect::fromSize(110, 100, 400, 300));  // any position change
    EXPECT_FALSE(f.settings->saved());
    f.form->window.send(WM_CLOSE);
    EXPECT_EQ(f.log.count("AutoSave"), 2);
    EXPECT_TRUE(PFormSettings::mainWindowSaved());
    // Saved while the application was minimised: State 1, and later moves do not re-arm.
    EXPECT_EQ(readInteger(kMainKey, "State"), 1);
}

TEST_F(FormSettingsTest, ASaveTheStoreRefusesReachesTheCallerAndIsTriedAgain) {
    CodeForm f;
    f.finishLoading();
    f.settings->setRegistryRootKey(prkLocalMachine);  // read-only here
    EXPECT_THROW(f.form->window.send(WM_QUIT), ERegistryException);
    EXPECT_FALSE(f.settings->saved());
    f.settings->setRegistryRootKey(prkCurrentUser);
    f.form.reset();  // destroy: the save succeeds now
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "False");
}

// A component whose Level cannot be read while `broken` is set: a save fails on it midway.
class BrokenGauge : public Component {
    LINDORA_CLASS(BrokenGauge)
public:
    using Component::Component;
    bool broken = false;
    int level() const {
        if (broken) throw Exception("the gauge cannot be read");
        return 3;
    }
    void setLevel(int) {}
};

const ClassInfo& BrokenGauge::classInfo() {
    static const ClassInfo info = ClassBuilder<BrokenGauge>("BrokenGauge", Component::classInfo())
                                      .property("Level", &BrokenGauge::level, &BrokenGauge::setLevel);
    return info;
}

// The value as the store file holds it, read the way another process would.
std::string onDisk(const std::string& key, const std::string& name) {
    auto store = RegistryRoots::store(RegistryRoot::CurrentUser);
    RegistryStore disk(store->file(), RegistryStore::Access::ReadOnly, [](const std::string&) {});
    auto path = parseKeyPath(key);
    auto v = path ? disk.value(*path, name) : std::nullopt;
    return v ? v->text() : "<missing>";
}

TEST_F(FormSettingsTest, OneSaveWritesTheStoreFileOnce) {
    // Forced: every value written. Not forced: an unchanged value and its key deleted as well.
    for (bool saveAll : {true, false}) {
        SCOPED_TRACE(saveAll ? "SaveAll" : "changed values only");
        writeString(std::string(kMainKey) + "\\btnAutoLogin", "Caption", "Auto Login");
        writeInteger(std::string(kMainKey) + "\\btnAutoLogin\\Extent", "Size", 8);
        CodeForm f;
        f.settings->setSaveAll(saveAll);
        for (const char* path : {"btnAutoLogin.Caption", "btnAutoLogin.Width", "btnAutoLogin.Ratio",
                                 "btnAutoLogin.Lines", "btnAutoLogin.Extent.Size"})
            f.settings->addSetting(path);
        f.finishLoading();
        f.button->setDown(true);
        f.button->setWidth(90);

        auto store = RegistryRoots::store(RegistryRoot::CurrentUser);
        const uint64_t before = store->fileWrites();
        f.form->window.send(WM_CLOSE);
        EXPECT_EQ(f.log.count("AutoSave"), 1);
        EXPECT_EQ(store->fileWrites() - before, 1u);
        EXPECT_FALSE(store->hasPendingChanges());
        EXPECT_EQ(onDisk(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True");
        EXPECT_EQ(onDisk(std::string(kMainKey) + "\\btnAutoLogin", "Caption"), saveAll ? "Auto Login" : "<missing>");
        EXPECT_EQ(onDisk(kMainKey, "ScreenRes"), "1024x768");
        EXPECT_EQ(keyExists(std::string(kMainKey) + "\\btnAutoLogin\\Extent"), saveAll);
        f.form.reset();
        EXPECT_EQ(store->fileWrites() - before, 1u) << "destroy after the close request saves nothing more";
    }
}

TEST_F(FormSettingsTest, ASaveFailingMidwayKeepsWhatItHadWrittenAndIsTriedAgain) {
    CodeForm f;
    auto* gauge = new BrokenGauge(f.form.get());
    gauge->setName("gauge");
    f.settings->addSetting("gauge.Level");  // after btnAutoLogin.Down
    f.finishLoading();
    f.button->setDown(true);
    gauge->broken = true;
    EXPECT_THROW(f.form->window.send(WM_QUIT), Exception);
    EXPECT_FALSE(f.settings->saved());
    EXPECT_EQ(onDisk(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True") << "written before the failure";
    EXPECT_EQ(onDisk(std::string(kMainKey) + "\\gauge", "Level"), "<missing>");

    gauge->broken = false;
    f.form.reset();  // destroy: saved in full now
    EXPECT_EQ(readInteger(std::string(kMainKey) + "\\gauge", "Level"), 3);
    EXPECT_EQ(onDisk(kMainKey, "ScreenRes"), "1024x768");
}

TEST_F(FormSettingsTest, SaveAllFalseRemovesAnUnchangedAutoLoginAndItsKey) {
    writeString(std::string(kMainKey) + "\\btnAutoLogin", "Down", "False");
    CodeForm f;
    f.settings->setSaveAll(false);
    f.finishLoading();
    f.form.reset();
    EXPECT_FALSE(keyExists(std::string(kMainKey) + "\\btnAutoLogin"));
    EXPECT_EQ(readString(kMainKey, "ScreenRes"), "1024x768");  // placement is always written
}

TEST_F(FormSettingsTest, TheFormKeyNameCanBeChangedAndEmptyNamesLeaveTheirLevelOut) {
    CodeForm f;
    f.settings->OnSetFormKeyName.bind([](Persistent*, std::string& name) { name += "_Alt"; });
    f.settings->setCompanyName("");
    EXPECT_EQ(f.settings->getKeyPath(), "Software\\frmMain_Alt");
    f.settings->setSoftwareVersion("2");
    EXPECT_EQ(f.settings->getKeyPath(), "Software\\2\\frmMain_Alt");
}

TEST_F(FormSettingsTest, ConstructionAdjustsToTheFormsBorderStyleAndPosition) {
    struct Case {
        FormBorderKind border;
        bool icons;
        bool mdi;
        PFormSaveOpt options;
        int mruLength;
        PSaveLocationType location;
    };
    const Case cases[] = {
        {FormBorderKind::None, true, false, {}, 0, pslRegistry},
        {FormBorderKind::Fixed, true, false, {pfsLeft, pfsTop}, 0, pslRegistry},
        {FormBorderKind::Sizeable, false, false, {pfsLeft, pfsTop, pfsWidth, pfsHeight}, 4, pslRegistry},
        {FormBorderKind::Sizeable, true, true, PFormSettings::AllFormSaveOpts, 4, pslStream},
    };
    for (const Case& c : cases) {
        StandInForm form;
        form.border = c.border;
        form.borderIcons = c.icons;
        form.mdiChild = c.mdi;
        PFormSettings fs(&form);
        EXPECT_EQ(fs.formSaveOpt(), c.options);
        EXPECT_EQ(fs.recentFiles().length(), c.mruLength);
        EXPECT_EQ(fs.saveLocation(), c.location);
        EXPECT_FALSE(fs.centreOnRestore());
    }
    StandInForm centred;
    centred.screenCenter = true;
    PFormSettings fs(&centred);
    EXPECT_TRUE(fs.centreOnRestore());
    EXPECT_TRUE(centred.defaultPosOnly);
    EXPECT_FALSE(centred.screenCenter);
}

TEST_F(FormSettingsTest, RestartAfterLogOffWritesTheRunOnceValue) {
    CodeForm f;
    f.finishLoading();
    f.form->window.send(WM_ENDSESSION, 1);
    EXPECT_FALSE(keyExists("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"));

    f.settings->setAutoRestartApp(true);
    f.form->window.send(WM_ENDSESSION, 0);  // the session does not end
    EXPECT_FALSE(keyExists("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"));
    f.form->window.send(WM_ENDSESSION, 1);
    std::string value = readString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "PSLINDORAQUINTVEL");
    ASSERT_GE(value.size(), 3u);
    EXPECT_EQ(value.front(), '"');
    EXPECT_EQ(value.back(), '"');
    EXPECT_TRUE(value.find("test_settings") != std::string::npos) << value;
}

}  // namespace
}  // namespace lindora::test
