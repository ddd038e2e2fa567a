// The main window's Auto Login on the offscreen backend with the real form, application and
// settings component: the stored "Down" reaches btnAutoLogin before the creation handler runs,
// whose click on Login goes through the item's click path; a click is saved for the next run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "MainToolbarFixture.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "settings/PFormSettings.h"
#include "settings/SettingsClasses.h"
#include "store/Registry.h"
#include "store/RegistryRoots.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace lindora::test {
namespace {

const char* const AutoLoginKey = "Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin";
const char* const ServiceUrl = "https://convert.quintvel.com/?from=GUI";

// The main window's composition with handlers that record where the browser is sent.
class AutoLoginForm : public Form {
    LINDORA_CLASS(AutoLoginForm)

public:
    explicit AutoLoginForm(Component* owner = nullptr) : Form(owner) {}
    std::vector<std::string> navigations;

    BarButton* button(const char* name) const { return dynamic_cast<BarButton*>(findComponent(name)); }
    void FormCreate(Persistent*) {
        navigations.push_back("index.htm");
        if (button("btnAutoLogin")->down()) button("btnLogin")->click();
    }
    void FormSettingsAutoRestore(Persistent*, bool&) {
        auto* s = dynamic_cast<PFormSettings*>(findComponent("FormSettings"));
        s->setCompanyName("Quintvel");
        s->setSoftwareName("Lindora");
        s->setSoftwareVersion("1.0");
    }
    void btnLoginClick(Persistent*) { navigations.push_back(ServiceUrl); }
    void btnHomePageClick(Persistent*) {}
    void btnAboutClick(Persistent*) {}
    void btnExitClick(Persistent*) { close(); }
};

const ClassInfo& AutoLoginForm::classInfo() {
    static const ClassInfo info = ClassBuilder<AutoLoginForm>("AutoLoginForm", Form::classInfo())
                                      .method("FormCreate", &AutoLoginForm::FormCreate)
                                      .method("FormSettingsAutoRestore", &AutoLoginForm::FormSettingsAutoRestore)
                                      .method("btnLoginClick", &AutoLoginForm::btnLoginClick)
                                      .method("btnHomePageClick", &AutoLoginForm::btnHomePageClick)
                                      .method("btnAboutClick", &AutoLoginForm::btnAboutClick)
                                      .method("btnExitClick", &AutoLoginForm::btnExitClick);
    return info;
}

std::string mainWindowDescription() {
    std::string text = MainToolbarDescription;
    text.replace(text.find("object frmMain: TestForm\n"), 25,
                 "object frmMain: AutoLoginForm\n"
                 "  Width = 805\n"
                 "  Height = 626\n"
                 "  OnCreate = FormCreate\n"
                 "  object FormSettings: PFormSettings\n"
                 "    RegistryRootKey = prkCurrentUser\n"
                 "    SaveLocation = pslRegistry\n"
                 "    OnAutoRestore = FormSettingsAutoRestore\n"
                 "    Settings = (\n"
                 "      ''\n"
                 "      'btnAutoLogin.Down'\n"
                 "      ''\n"
                 "      False)\n"
                 "  end\n");
    return text;
}

class AutoLoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lindora-bars-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        ::setenv("LINDORA_REGISTRY_DIR", folder_.c_str(), 1);
        RegistryRoots::reset();
        OffscreenIntegration::install();
        BarFramework::startUp();
        registerSettingsClasses();
        app_ = std::make_unique<Application>();
        app_->initialize();
    }
    void TearDown() override {
        app_.reset();
        BarFramework::shutDown();
        PlatformIntegration::install(nullptr);
        RegistryRoots::reset();
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    AutoLoginForm* createMain() {
        auto* form = app_->createForm<AutoLoginForm>();
        form->loadFromDescription(mainWindowDescription());
        return form;
    }
    static std::string storedDown() {
        Registry r;
        if (!r.OpenKeyReadOnly(AutoLoginKey) || !r.ValueExists("Down")) return {};
        return r.ReadString("Down");
    }

    ClassRegistration formClass_{&AutoLoginForm::classInfo()};
    std::unique_ptr<Application> app_;
    std::string folder_;
};

TEST_F(AutoLoginTest, AStoredDownNavigatesToTheStartPageAndThenToTheService) {
    {
        Registry r;
        ASSERT_TRUE(r.OpenKey(AutoLoginKey, true));
        r.WriteString("Down", "True");
    }
    AutoLoginForm* form = createMain();
    EXPECT_TRUE(form->button("btnAutoLogin")->down());
    EXPECT_EQ(form->navigations, (std::vector<std::string>{"index.htm", ServiceUrl}));
    delete form;
}

TEST_F(AutoLoginTest, FirstRunStaysOnTheStartPageAndAClickPersists) {
    AutoLoginForm* form = createMain();
    form->show();
    EXPECT_FALSE(form->button("btnAutoLogin")->down());
    EXPECT_EQ(form->navigations, (std::vector<std::string>{"index.htm"}));
    form->button("btnAutoLogin")->click();  // only toggles Down
    EXPECT_EQ(form->navigations.size(), 1u);
    form->send(WM_SYSCOMMAND, SC_CLOSE);  // the caption's close: the settings save
    delete form;
    EXPECT_EQ(storedDown(), "True");

    AutoLoginForm* next = createMain();
    EXPECT_EQ(next->navigations, (std::vector<std::string>{"index.htm", ServiceUrl}));
    delete next;
}

}  // namespace
}  // namespace lindora::test
