// Forms and the application: the close path, position modes, loading with the creation
// handler, the exception report, minimising through the application window, menu entries.
#include "UiTestSupport.h"
#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

namespace lindora::test {
namespace {

class FormTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        app_ = std::make_unique<Application>();
        app_->initialize();
        app_->setTitle("Lindora");
    }
    void TearDown() override {
        app_.reset();
        UiTest::TearDown();
    }
    Form* newForm(const std::string& caption, Rect r = {100, 100, 500, 400}) {
        Form* f = app_->createForm<Form>();
        f->setCaption(caption);
        f->setBoundsTo(r.left, r.top, r.width(), r.height());
        return f;
    }
    std::unique_ptr<Application> app_;
};

TEST_F(FormTest, ACloseQueryThatRefusesKeepsTheFormOpen) {
    Form* main = newForm("main");
    main->show();
    int closes = 0;
    bool allow = false;
    main->OnCloseQuery.bind([&](Persistent*, bool& canClose) { canClose = allow; });
    main->OnClose.bind([&](Persistent*, CloseAction&) { ++closes; });
    // The close button in the caption.
    platform().input().click(main->windowToScreen({main->width() - 10, 12}));
    app_->processMessages();
    EXPECT_TRUE(main->isVisibleStyle());
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(ws().quitPosted());

    allow = true;
    main->close();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(ws().quitPosted());  // the main form's close ends the application
    app_->processMessages();
    EXPECT_TRUE(app_->terminated());
}

TEST_F(FormTest, TheCaptionButtonsMaximiseRestoreAndMinimise) {
    Form* main = newForm("main");
    main->show();
    Form* other = newForm("other", {200, 150, 600, 450});
    other->show();
    // Buttons of 15 pixels (caption 19 less 4): close at the right, then maximise and minimise.
    auto hitAt = [&](int x) {
        const Point p = other->windowToScreen({x, 12});
        return static_cast<int>(other->send(WM_NCHITTEST, 0, makeLParam(p.x, p.y)));
    };
    const int w = other->width();
    EXPECT_EQ(hitAt(w - 10), HTCLOSE);
    EXPECT_EQ(hitAt(w - 4 - 2 - 15 - 2 - 7), HTMAXBUTTON);
    EXPECT_EQ(hitAt(w - 4 - 2 - 15 - 2 - 15 - 7), HTMINBUTTON);
    EXPECT_EQ(hitAt(w - 4 - 2 - 15 - 2 - 30 - 3), HTCAPTION);

    platform().input().click(other->windowToScreen({w - 4 - 2 - 15 - 2 - 7, 12}));
    app_->processMessages();
    EXPECT_EQ(other->windowState(), wsMaximized);
    // Maximised, the same button restores.
    platform().input().click(other->windowToScreen({other->width() - 4 - 2 - 15 - 2 - 7, 12}));
    app_->processMessages();
    EXPECT_EQ(other->windowState(), wsNormal);
    EXPECT_EQ(other->bounds(), Rect(200, 150, 600, 450));
    platform().input().click(other->windowToScreen({w - 4 - 2 - 15 - 2 - 15 - 7, 12}));
    app_->processMessages();
    EXPECT_EQ(other->windowState(), wsMinimized);

    // A dialog frame has the close button only.
    Form* dialog = newForm("dialog", {300, 200, 500, 350});
    dialog->setBorderStyle(bsDialog);
    dialog->show();
    const Point p = dialog->windowToScreen({dialog->width() - 4 - 2 - 15 - 2 - 7, 12});
    EXPECT_EQ(static_cast<int>(dialog->send(WM_NCHITTEST, 0, makeLParam(p.x, p.y))), HTCAPTION);
}

TEST_F(FormTest, OtherFormsHideByDefaultAndFollowTheirCloseAction) {
    Form* main = newForm("main");
    main->show();
    Form* tool = newForm("tool", {50, 50, 250, 250});
    tool->show();
    tool->close();
    EXPECT_FALSE(tool->isVisibleStyle());
    EXPECT_FALSE(ws().quitPosted());

    tool->show();
    tool->OnClose.bind([](Persistent*, CloseAction& a) { a = caNone; });
    tool->close();
    EXPECT_TRUE(tool->isVisibleStyle());

    tool->OnClose.bind([](Persistent*, CloseAction& a) { a = caFree; });
    tool->close();
    EXPECT_EQ(app_->componentCount(), 2);  // freed only once the current message is done
    app_->processMessages();
    EXPECT_EQ(app_->componentCount(), 1);
    EXPECT_EQ(app_->mainForm(), main);
}

TEST_F(FormTest, AModalFormDisablesTheOthersUntilItHasAResult) {
    Form* main = newForm("main");
    main->show();
    Form* dialog = newForm("dialog", {200, 200, 400, 300});
    bool mainDisabled = false;
    ws().setTimer(nullptr, 0, 100, [&](unsigned id) {
        mainDisabled = !main->isEnabledStyle();
        // The user clicks the dialog's close button: the dialog ends with Cancel ...
        platform().input().click(dialog->windowToScreen({dialog->width() - 10, 12}));
        ws().killTimer(nullptr, id);
    });
    EXPECT_EQ(dialog->showModal(), DialogButton::Cancel);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(main->isEnabledStyle());
    EXPECT_FALSE(dialog->isVisibleStyle());
    EXPECT_EQ(ws().activeWindow(), main);
    EXPECT_FALSE(ws().quitPosted());

    // ... or with the result a handler sets.
    ws().setTimer(nullptr, 0, 100, [&](unsigned id) {
        dialog->setModalResult(DialogButton::OK);
        ws().killTimer(nullptr, id);
    });
    EXPECT_EQ(dialog->showModal(), DialogButton::OK);
}

TEST_F(FormTest, ScreenCenterPlacesTheDesignSizeInTheMiddleOfTheScreen) {
    Form* main = newForm("main", Rect::fromSize(209, 152, 805, 626));
    main->setPosition(poScreenCenter);
    main->show();
    EXPECT_EQ(main->bounds(), Rect::fromSize((1280 - 805) / 2, (1024 - 626) / 2, 805, 626));

    Form* other = newForm("other", Rect::fromSize(209, 152, 300, 200));
    other->setPosition(poDefaultPosOnly);
    platform().setWorkArea({0, 40, 1280, 1024});
    other->show();
    EXPECT_EQ(other->bounds(), Rect::fromSize(22, 62, 300, 200));

    // A position given by code and kept (a restored placement) stands, even when the window
    // already exists hidden and the bounds went to it.
    Form* restored = newForm("restored", Rect::fromSize(209, 152, 300, 200));
    restored->setPosition(poDefaultPosOnly);
    restored->handleNeeded();
    restored->setLeft(600);
    restored->setTop(500);
    restored->keepPositionAtShow();
    restored->show();
    EXPECT_EQ(restored->bounds(), Rect::fromSize(600, 500, 300, 200));
}

TEST_F(FormTest, WindowStatesKeepTheNormalRectangle) {
    Form* main = newForm("main", Rect::fromSize(10, 20, 300, 200));
    main->show();
    main->setWindowState(wsMaximized);
    EXPECT_EQ(main->windowState(), wsMaximized);
    EXPECT_EQ(main->bounds(), (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(main->normalRect(), Rect::fromSize(10, 20, 300, 200));
    main->setLeft(50);  // while maximised: changes the normal rectangle only
    EXPECT_EQ(main->bounds(), (Rect{0, 0, 1280, 1024}));
    main->setWindowState(wsNormal);
    EXPECT_EQ(main->bounds(), Rect::fromSize(50, 20, 300, 200));
}

TEST_F(FormTest, MinimisingTheMainFormMinimisesTheApplicationWindow) {
    Form* main = newForm("main");
    main->show();
    main->send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(app_->isMinimized());
    EXPECT_EQ(app_->handleWindow()->showState(), ShowState::Minimized);
    EXPECT_FALSE(main->isVisibleStyle());
    app_->handleWindow()->send(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(app_->isMinimized());
    EXPECT_TRUE(main->isVisibleStyle());
}

TEST_F(FormTest, ExceptionsFromHandlersAreReportedAndSilentAbortIsNot) {
    Form* main = newForm("main");
    main->show();
    main->setWindowProc([prev = main->windowProc()](Message& m) {
        if (m.msg == WM_USER) throw Exception("The page cannot be opened");
        if (m.msg == WM_USER + 1) throw SilentAbort();
        prev(m);
    });
    main->post(WM_USER);
    main->post(WM_USER + 1);
    app_->processMessages();
    ASSERT_EQ(platform().input().dialogs().size(), 1u);
    EXPECT_EQ(platform().input().dialogs()[0].kind, DialogKind::Error);
    EXPECT_EQ(platform().input().dialogs()[0].title, "Lindora");
    EXPECT_EQ(platform().input().dialogs()[0].text, "The page cannot be opened.");
    EXPECT_EQ(platform().record().matching("dialog error").size(), 1u);
    EXPECT_FALSE(app_->terminated());
}

TEST_F(FormTest, MessageDialogsAreModalAndAnsweredFromTheQueue) {
    Form* main = newForm("main");
    main->show();
    platform().input().queueDialogAnswer(DialogButton::No);
    bool disabledMeanwhile = false;
    // The answer queue stands for the user; check the form was disabled while asking.
    main->OnDeactivate.bind([&](Persistent*) { disabledMeanwhile = !main->isEnabledStyle(); });
    DialogButton r = app_->messageBox("Save changes?", "", DialogKind::Confirmation,
                                      {DialogButton::Yes, DialogButton::No}, DialogButton::Yes);
    EXPECT_EQ(r, DialogButton::No);
    EXPECT_TRUE(main->isEnabledStyle());
    EXPECT_EQ(platform().record().lines().back(), "dialog confirmation \"Lindora\" \"Save changes?\" -> No");
    // Without a prepared answer the default button is taken.
    EXPECT_EQ(showMessageDialog("Done", DialogKind::Information), DialogButton::OK);
    EXPECT_EQ(platform().input().dialogs().back().title, "Information");
    (void)disabledMeanwhile;
}

// A form class with a component, read from a description.
class Probe : public Component {
    LINDORA_CLASS(Probe)
public:
    using Component::Component;
    void loaded() override {
        Component::loaded();
        log->push_back("loaded " + name());
    }
    static inline std::vector<std::string>* log = nullptr;
};
const ClassInfo& Probe::classInfo() {
    static const ClassInfo info = ClassBuilder<Probe>("Probe", Component::classInfo());
    return info;
}

class ProbeForm : public Form {
    LINDORA_CLASS(ProbeForm)
public:
    using Form::Form;
    void FormCreate(Persistent*) {
        Probe::log->push_back("FormCreate");
        if (failCreate) throw Exception("Navigation failed");
    }
    static inline bool failCreate = false;
};
const ClassInfo& ProbeForm::classInfo() {
    static const ClassInfo info =
        ClassBuilder<ProbeForm>("ProbeForm", Form::classInfo()).method("FormCreate", &ProbeForm::FormCreate);
    return info;
}

TEST_F(FormTest, TheCreationHandlerRunsAfterEveryComponentHasLoaded) {
    ClassRegistration reg({&Probe::classInfo(), &ProbeForm::classInfo()});
    std::vector<std::string> log;
    Probe::log = &log;
    const char* text = R"(object frmMain: ProbeForm
  Left = 209
  Top = 152
  Width = 805
  Height = 626
  Caption = 'Main'
  Position = poScreenCenter
  OnCreate = FormCreate
  object first: Probe
  end
  object second: Probe
  end
end
)";
    for (bool fail : {false, true}) {
        log.clear();
        ProbeForm::failCreate = fail;
        auto* f = app_->createForm<ProbeForm>();
        f->loadFromDescription(text);
        EXPECT_EQ(log, (std::vector<std::string>{"loaded first", "loaded second", "FormCreate"}));
        EXPECT_EQ(f->caption(), "Main");
        EXPECT_EQ(f->width(), 805);
        EXPECT_EQ(f->findComponent("SECOND") != nullptr, true);
        // A failing creation handler is reported, and the form is still created.
        EXPECT_EQ(platform().input().dialogs().size(), fail ? 1u : 0u);
        delete f;
    }
    Probe::log = nullptr;
}

TEST_F(FormTest, ComponentsOfAFormSeeItsWindowDestroyedWhileTheyStillExist) {
    Form* main = newForm("main");
    main->show();
    struct Watcher : Component {
        using Component::Component;
        bool* alive = nullptr;
        ~Watcher() override { *alive = false; }
    };
    bool alive = true;
    auto* watcher = new Watcher(main);
    watcher->alive = &alive;
    bool sawDestroyAlive = false;
    Window::WindowProc previous = main->setWindowProc([&](Message& m) {
        if (m.msg == WM_DESTROY) sawDestroyAlive = alive;
        previous(m);
    });
    app_.reset();  // the application frees its forms
    EXPECT_TRUE(sawDestroyAlive);
    EXPECT_FALSE(alive);
}

TEST(MenuItemTest, EntriesKeepTheirOrderParentAndIndex) {
    Component owner;
    auto* root = new MenuItem(&owner);
    auto* a = new MenuItem(&owner);
    auto* b = new MenuItem(&owner);
    auto* c = new MenuItem(&owner);
    root->add(a);
    root->add(c);
    root->insert(1, b);
    EXPECT_EQ(root->items(), (std::vector<MenuItem*>{a, b, c}));
    EXPECT_EQ(b->parent(), root);
    EXPECT_EQ(c->menuIndex(), 2);
    EXPECT_THROW(a->add(root), Exception);  // no entry inside itself
    EXPECT_THROW(root->item(3), Exception);

    int clicks = 0;
    b->OnClick.bind([&](Persistent*) { ++clicks; });
    b->click();
    b->setEnabled(false);
    b->click();
    EXPECT_EQ(clicks, 1);

    // Freeing an entry frees its sub-entries and removes everything from the owner.
    delete b;
    EXPECT_EQ(root->count(), 2);
    delete root;
    EXPECT_EQ(owner.componentCount(), 0);
}

}  // namespace
}  // namespace lindora::test
