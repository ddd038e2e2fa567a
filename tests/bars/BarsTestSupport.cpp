#include "BarsTestSupport.h"

#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"

namespace lindora::test {

const ClassInfo& TestForm::classInfo() {
    static const ClassInfo info = ClassBuilder<TestForm>("TestForm", Form::classInfo())
                                      .method("btnLoginClick", &TestForm::btnLoginClick)
                                      .method("btnOtherClick", &TestForm::btnOtherClick)
                                      .method("FailingClick", &TestForm::FailingClick)
                                      .method("btnHomePageClick", &TestForm::btnHomePageClick)
                                      .method("btnAboutClick", &TestForm::btnAboutClick)
                                      .method("btnExitClick", &TestForm::btnExitClick);
    return info;
}

TestForm::TestForm(Component* owner) : Form(owner) {}

TestForm::~TestForm() = default;

void TestForm::createWindow(Rect bounds) {
    setBoundsTo(bounds.left, bounds.top, bounds.width(), bounds.height());
    show();
}

namespace {
std::string nameOf(Persistent* p) {
    auto* c = dynamic_cast<Component*>(p);
    return c ? c->name() : std::string("?");
}
}  // namespace

void TestForm::btnLoginClick(Persistent* sender) { log.push_back("btnLoginClick " + nameOf(sender)); }
void TestForm::btnOtherClick(Persistent* sender) { log.push_back("btnOtherClick " + nameOf(sender)); }
void TestForm::btnHomePageClick(Persistent* sender) { log.push_back("btnHomePageClick " + nameOf(sender)); }
void TestForm::btnAboutClick(Persistent* sender) { log.push_back("btnAboutClick " + nameOf(sender)); }
void TestForm::btnExitClick(Persistent* sender) { log.push_back("btnExitClick " + nameOf(sender)); }
void TestForm::FailingClick(Persistent* sender) {
    log.push_back("FailingClick " + nameOf(sender));
    throw Exception("The command failed");
}

const ClassInfo& NotAForm::classInfo() {
    static const ClassInfo info = ClassBuilder<NotAForm>("NotAForm", Component::classInfo());
    return info;
}

void BarsTest::SetUp() {
    platform_ = &OffscreenIntegration::install();
    BarFramework::startUp();
    form_ = std::make_unique<TestForm>();
    form_->setName("Form1");
}

void BarsTest::TearDown() {
    // Handlers of a test capture its locals: none may run while the form goes.
    for (BarManager* m : BarFramework::managerList().managers()) {
        m->OnItemLinkAdd.clear();
        m->OnItemLinkChange.clear();
        m->OnItemLinkDelete.clear();
        m->OnBarAdd.clear();
        m->OnBarDelete.clear();
        m->OnBarVisibleChange.clear();
        m->OnBarDockingStyleChange.clear();
        m->OnClickItem.clear();
        m->OnDocking.clear();
        m->OnShowToolbarsPopup.clear();
        m->OnShowCustomizingForm.clear();
    }
    form_.reset();
    BarFramework::shutDown();
    PlatformIntegration::install(nullptr);
}

BarManager& BarsTest::manager() {
    if (!manager_) {
        manager_ = new BarManager(form_.get());
        manager_->setName("BarManager1");
    }
    return *manager_;
}

BarButton* BarsTest::addButton(const std::string& name, const std::string& caption) {
    manager();
    auto* b = new BarButton(form_.get());
    b->setName(name);
    b->setCategory(0);
    if (!caption.empty()) b->setCaption(caption);
    return b;
}

BarSubItem* BarsTest::addSubItem(const std::string& name, const std::string& caption) {
    manager();
    auto* s = new BarSubItem(form_.get());
    s->setName(name);
    s->setCategory(0);
    if (!caption.empty()) s->setCaption(caption);
    return s;
}

Bar* BarsTest::addBar(const std::string& caption) {
    Bar* bar = manager().bars().add();
    bar->setCaption(caption);
    return bar;
}

}  // namespace lindora::test
