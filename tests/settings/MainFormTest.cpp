// Form settings on the window layer's own Form and Application: the main window's description,
// centring, and the saves at a caption close and at the end of the application.
#include <gtest/gtest.h>

#include "FormSettingsFixture.h"
#include "base/ClassBuilder.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

namespace lindora::test {
namespace {

const char* const kFormDescription = R"(object frmMain: Form
  Left = 10
  Top = 10
  Width = 500
  Height = 400
  Caption = 'Lindora 1.0'
  Position = poScreenCenter
  object FormSettings: PFormSettings
    RegistryRootKey = prkCurrentUser
    SaveLocation = pslRegistry
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

// The main window's class with its one settings handler.
class FrmTest : public Form {
    LINDORA_CLASS(FrmTest)
public:
    using Form::Form;
    int createdWithDown = -1;

    void FormSettingsAutoRestore(Persistent*, bool&) {
        auto* settings = dynamic_cast<PFormSettings*>(findComponent("FormSettings"));
        settings->setCompanyName("Quintvel");
        settings->setSoftwareName("Lindora");
        settings->setSoftwareVersion("1.0");
    }
    void FormCreate(Persistent*) {
        createdWithDown = dynamic_cast<StandInButton*>(findComponent("btnAutoLogin"))->down();
    }
};

const ClassInfo& FrmTest::classInfo() {
    static const ClassInfo info = ClassBuilder<FrmTest>("FrmTest", Form::classInfo())
                                      .method("FormSettingsAutoRestore", &FrmTest::FormSettingsAutoRestore)
                                      .method("FormCreate", &FrmTest::FormCreate);
    return info;
}

class MainForm : public FormSettingsTest {
protected:
    std::unique_ptr<Application> app;
    ClassRegistration frmClass{&FrmTest::classInfo()};

    void SetUp() override {
        FormSettingsTest::SetUp();
        app = std::make_unique<Application>();
        app->initialize();
    }
    void TearDown() override {
        app.reset();
        FormSettingsTest::TearDown();
    }

    FrmTest* createMain(int* saves = nullptr) {
        auto* form = app->createForm<FrmTest>();
        std::string text = kFormDescription;
        text.replace(text.find("object frmMain: Form"), 20, "object frmMain: FrmTest");
        text.replace(text.find("  object FormSettings"), 0, "  OnCreate = FormCreate\n");
        form->loadFromDescription(text);
        if (saves) settingsOf(*form).OnPostSave.bind([saves](Persistent*) { ++*saves; });
        return form;
    }
};

TEST_F(MainForm, RestoresBeforeTheCreationHandlerAndCentresOnFirstRun) {
    FrmTest* form = createMain();
    EXPECT_TRUE(form->isMainForm());
    EXPECT_EQ(form->createdWithDown, 0);
    EXPECT_EQ(form->position(), poDefaultPosOnly);
    EXPECT_EQ(form->left(), (1024 - 500) / 2);
    EXPECT_EQ(form->top(), (768 - 400) / 2);
    EXPECT_EQ(form->width(), 500);
    delete form;

    writeString(std::string(kMainKey) + "\\btnAutoLogin", "Down", "True");
    writeInteger(kMainKey, "Left", 40);
    writeInteger(kMainKey, "Top", 50);
    writeString(kMainKey, "ScreenRes", "1024x768");
    FrmTest* again = createMain();
    EXPECT_EQ(again->createdWithDown, 1);
    EXPECT_EQ(again->left(), 40);
    EXPECT_EQ(again->top(), 50);
    delete again;
}

TEST_F(MainForm, ClosingFromTheCaptionSavesOnceAtTheCloseRequest) {
    int saves = 0;
    FrmTest* form = createMain(&saves);
    form->show();
    dynamic_cast<StandInButton*>(form->findComponent("btnAutoLogin"))->setDown(true);
    form->send(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(PFormSettings::mainWindowSaved());
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True");
    delete form;  // the application ends: the window is destroyed
    EXPECT_EQ(saves, 1);
}

TEST_F(MainForm, EndingTheApplicationFromACommandSavesOnceAtDestroy) {
    int saves = 0;
    FrmTest* form = createMain(&saves);
    form->show();
    form->setLeft(77);
    dynamic_cast<StandInButton*>(form->findComponent("btnAutoLogin"))->setDown(true);
    form->close();  // the Exit command: no close request reaches the window
    EXPECT_EQ(saves, 0);
    app.reset();  // shutdown frees the form
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "True");
    EXPECT_EQ(readInteger(kMainKey, "Left"), 77);
    EXPECT_EQ(binaryAt(kMainKey, "MainForm"), (std::vector<uint8_t>{4, 0, 0, 0, 1}));
}

TEST_F(MainForm, RecentEntriesGoIntoTheWindowLayersMenuItems) {
    FrmTest* form = createMain();
    auto* file = new MenuItem(form);
    file->setCaption("&File");
    auto* exit = new MenuItem(form);
    exit->setCaption("E&xit");
    file->add(exit);
    PFormSettings& fs = settingsOf(*form);
    fs.recentFiles().setValidate(false);
    fs.recentFiles().setPlacement(pmpBefore);
    fs.recentFiles().setMenuItem(exit);
    fs.recentFiles().setFiles(StringList({"/tmp/a.pdf", "/tmp/b.pdf"}));
    ASSERT_EQ(file->count(), 4);
    EXPECT_EQ(file->item(0)->caption(), "&1 /tmp/a.pdf");
    EXPECT_EQ(file->item(2)->caption(), "-");
    EXPECT_EQ(file->item(3), exit);

    std::string clicked;
    fs.OnMRUClick.bind(
        [&](Persistent*, Component*, const std::string& f, int i) { clicked = f + "#" + std::to_string(i); });
    file->item(1)->click();
    EXPECT_EQ(clicked, "/tmp/b.pdf#2");
    fs.recentFiles().setDisplay(pmdAbbPath);
    EXPECT_EQ(file->item(1)->caption(), "&2 /tmp/b.pdf");
    delete form;
}

TEST_F(MainForm, TheRecentMenuItemIsAReferenceInTheDescription) {
    ClassRegistration menuClass{&MenuItem::classInfo()};
    writeBinary(kMainKey, "MRUList", {7, 0, 0, 0, 5, 0, 0, 0, '/', 'a', ',', '/', 'b'});
    std::string text = kFormDescription;
    text.replace(text.find("    OnAutoRestore"), 0, "    MRUMenuItem = mnuFile\n    MRUValidate = False\n");
    text.replace(text.find("  object btnAutoLogin"), 0, "  object mnuFile: MenuItem\n    Caption = '&File'\n  end\n");
    text.replace(text.find("object frmMain: Form"), 20, "object frmMain: FrmTest");
    auto* form = app->createForm<FrmTest>();
    form->loadFromDescription(text);
    auto* file = dynamic_cast<MenuItem*>(form->findComponent("mnuFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(settingsOf(*form).recentFiles().menuItem(), file);
    ASSERT_EQ(file->count(), 2);
    EXPECT_EQ(file->item(0)->caption(), "&1 /a");
    EXPECT_EQ(file->item(1)->caption(), "&2 /b");
    delete form;
}

TEST_F(MainForm, ALaterHookKeepsWorkingAfterTheSettingsAreFreed) {
    FrmTest* form = createMain();
    form->handleNeeded();
    int seen = 0;
    Window::WindowProc settingsHook = form->setWindowProc({});
    form->setWindowProc([&seen, settingsHook](Message& m) {
        if (m.msg == WM_USER) ++seen;
        settingsHook(m);
    });
    delete form->findComponent("FormSettings");
    form->send(WM_USER);
    form->setCaption("still answering");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(form->text(), "still answering");
    delete form;
}

}  // namespace
}  // namespace lindora::test
