#include <gtest/gtest.h>

#include "TestClasses.h"
#include "base/Exception.h"

using namespace lindora;
using namespace lindora::test;

namespace {

// Records the notifications it receives and when it is freed.
class Probe : public Component {
public:
    explicit Probe(Component* owner, std::vector<std::string>* log, std::string tag)
        : Component(owner), log_(log), tag_(std::move(tag)) {}
    ~Probe() override { log_->push_back("free " + tag_); }

protected:
    void notification(Component* c, Operation op) override {
        log_->push_back(tag_ + (op == opInsert ? " +" : " -") + (c->name().empty() ? "?" : c->name()));
    }

private:
    std::vector<std::string>* log_;
    std::string tag_;
};

}  // namespace

TEST(Component, OwnerKeepsOrderFindsIgnoringCaseAndFreesLastFirst) {
    std::vector<std::string> log;
    {
        Component owner;
        auto* a = new Probe(&owner, &log, "a");
        a->setName("Alpha");
        auto* b = new Probe(&owner, &log, "b");
        b->setName("Beta");
        EXPECT_EQ(owner.componentCount(), 2);
        EXPECT_EQ(owner.component(1), b);
        EXPECT_EQ(b->componentIndex(), 1);
        EXPECT_EQ(owner.findComponent("ALPHA"), a);
        EXPECT_EQ(owner.findComponent(""), nullptr);
        EXPECT_EQ(owner.component(5), nullptr);
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a"}));
}

TEST(Component, RenamingRefusesDuplicatesAndBadNames) {
    Component owner;
    Component a(nullptr), b(nullptr);
    owner.insertComponent(&a);
    owner.insertComponent(&b);
    a.setName("btnLogin");
    EXPECT_THROW(b.setName("BTNLOGIN"), EComponentError);
    EXPECT_EQ(b.name(), "");
    EXPECT_THROW(b.setName("2fast"), EComponentError);
    EXPECT_THROW(b.setName("a.b"), EComponentError);
    a.setName("BtnLogin");  // a case change of its own name is fine
    EXPECT_EQ(a.name(), "BtnLogin");
    // Several unnamed components may share an owner.
    EXPECT_NO_THROW(b.setName(""));
    owner.removeComponent(&a);
    owner.removeComponent(&b);
    EXPECT_EQ(a.owner(), nullptr);
    try {
        Component c(&owner);
        c.setName("x");
        Component d(&owner);
        d.setName("X");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named X already exists");
    }
}

TEST(Component, InsertAndRemoveAreAnnouncedToTheOwnersComponents) {
    std::vector<std::string> log;
    Component owner;
    new Probe(&owner, &log, "p");
    auto* extra = new Component();
    extra->setName("extra");
    owner.insertComponent(extra);
    owner.removeComponent(extra);
    // (p's own insertion happened while it was still being constructed.)
    EXPECT_EQ(log, (std::vector<std::string>{"p +extra", "p -extra"}));
    delete extra;
}

TEST(Component, FreeNotificationClearsAReferenceToAComponentOwnedElsewhere) {
    Component formA, formB;
    auto* w = new Widget(&formA);
    auto* other = new Widget(&formB);
    w->setBuddy(other);
    delete other;
    EXPECT_EQ(w->buddy(), nullptr);
    // Freeing the one that asked first leaves the other one safe to free later.
    auto* third = new Widget(&formB);
    w->setBuddy(third);
    delete w;
    delete third;
}

TEST(Component, DestroyingStateIsSetOnOwnedComponentsBeforeTheyAreFreed) {
    struct Watcher : Component {
        using Component::Component;
        bool* seen = nullptr;
        ~Watcher() override { *seen = isDestroying(); }
    };
    bool seen = false;
    {
        Component owner;
        auto* w = new Watcher(&owner);
        w->seen = &seen;
    }
    EXPECT_TRUE(seen);
}

TEST(Collection, ItemsKnowTheirIndexAndAreOwned) {
    Widget w;
    Collection& rows = w.rows();
    auto* r0 = dynamic_cast<Row*>(rows.add());
    auto* r1 = dynamic_cast<Row*>(rows.add());
    auto* r2 = dynamic_cast<Row*>(rows.insert(0));
    ASSERT_TRUE(r0 && r1 && r2);
    EXPECT_EQ(r2->index(), 0);
    EXPECT_EQ(r0->index(), 1);
    r2->setIndex(99);
    EXPECT_EQ(r2->index(), 2);
    EXPECT_EQ(r2->namePath(), "Widget.Rows[2]");
    delete r0;
    EXPECT_EQ(rows.count(), 2);
    EXPECT_EQ(r1->index(), 0);
    rows.remove(0);
    EXPECT_EQ(rows.item(0), r2);
    EXPECT_THROW(rows.item(3), EPropertyError);

    Widget copy;
    r2->setCaption("kept");
    copy.rows().assign(rows);
    ASSERT_EQ(copy.rows().count(), 1);
    EXPECT_EQ(dynamic_cast<Row*>(copy.rows().item(0))->caption(), "kept");
    EXPECT_THROW(copy.rows().assign(w.lines()), EConvertError);
}

namespace {

// A component with state of its own that others call into when it goes away.
class Source : public Component {
public:
    using Component::Component;
    ~Source() override { ownerSeenInDestructor = owner(); }
    std::vector<int> listeners{1, 2, 3};
    Component* ownerSeenInDestructor = nullptr;
};

class Listener : public Component {
public:
    using Component::Component;
    Source* source = nullptr;
    int listenersSeen = -1;
    bool destroyingSeen = false;

protected:
    void notification(Component* c, Operation op) override {
        if (op != opRemove || c != source) return;
        // The freed component is still whole here: its derived part can be used.
        auto* s = dynamic_cast<Source*>(c);
        listenersSeen = s ? static_cast<int>(s->listeners.size()) : -1;
        destroyingSeen = c->isDestroying();
        source = nullptr;
    }
};

}  // namespace

TEST(Component, DeleteTellsOthersWhileTheFreedComponentIsStillWhole) {
    Component formA, formB;
    auto* listener = new Listener(&formA);
    auto* source = new Source(&formB);
    listener->source = source;
    source->freeNotification(listener);
    delete source;
    EXPECT_EQ(listener->source, nullptr);
    EXPECT_EQ(listener->listenersSeen, 3);
    EXPECT_TRUE(listener->destroyingSeen);

    // A sibling is told too, and the derived destructor still finds its owner.
    auto* sibling = new Listener(&formB);
    auto* second = new Source(&formB);
    sibling->source = second;
    Component* ownerSeen = nullptr;
    struct Spy : Source {
        using Source::Source;
        Component** out = nullptr;
        ~Spy() override { *out = owner(); }
    };
    auto* spy = new Spy(&formB);
    spy->out = &ownerSeen;
    delete second;
    EXPECT_EQ(sibling->listenersSeen, 3);
    delete spy;
    EXPECT_EQ(ownerSeen, &formB);
    EXPECT_EQ(formB.componentCount(), 1);
}

TEST(Component, ConstructorThatThrowsLeavesNothingBehind) {
    struct Picky : Component {
        explicit Picky(Component* owner) : Component(owner) { throw EComponentError("refused"); }
    };
    Component owner;
    EXPECT_THROW(new Picky(&owner), EComponentError);
    EXPECT_EQ(owner.componentCount(), 0);
}
