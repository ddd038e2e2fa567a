#include "TestClasses.h"

#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "base/Stream.h"

namespace lindora::test {

const EnumInfo& enumInfoOf(Shade) {
    static const EnumInfo info("Shade", {"shLight", "shMedium", "shDark"});
    return info;
}

const EnumInfo& enumInfoOf(Side) {
    static const EnumInfo info("Side", {"sdLeft", "sdTop", "sdRight", "sdBottom"});
    return info;
}

const ClassInfo& Look::classInfo() {
    static const ClassInfo info = ClassBuilder<Look>("Look", Persistent::classInfo())
                                      .property("Name", &Look::name, &Look::setName)
                                      .defaultValue("Sans")
                                      .property("Size", &Look::size, &Look::setSize)
                                      .defaultValue(8)
                                      .property("Shade", &Look::shade, &Look::setShade)
                                      .defaultValue(shLight);
    return info;
}

void Look::assign(const Persistent& source) {
    if (auto* l = dynamic_cast<const Look*>(&source)) {
        name_ = l->name_;
        size_ = l->size_;
        shade_ = l->shade_;
        return;
    }
    Persistent::assign(source);
}

const ClassInfo& Link::classInfo() {
    static const ClassInfo info = ClassBuilder<Link>("Link", CollectionItem::classInfo())
                                      .property("Item", &Link::target, &Link::setTarget)
                                      .property("BeginGroup", &Link::beginGroup, &Link::setBeginGroup)
                                      .defaultValue(false);
    return info;
}

Link::~Link() = default;

void Link::setTarget(Component* c) { target_ = c; }

void Link::assign(const Persistent& source) {
    if (auto* l = dynamic_cast<const Link*>(&source)) {
        target_ = l->target_;
        beginGroup_ = l->beginGroup_;
        return;
    }
    CollectionItem::assign(source);
}

void Row::assign(const Persistent& source) {
    if (auto* r = dynamic_cast<const Row*>(&source)) {
        caption_ = r->caption_;
        links_.assign(r->links_);
        return;
    }
    CollectionItem::assign(source);
}

const ClassInfo& Row::classInfo() {
    static const ClassInfo info = ClassBuilder<Row>("Row", CollectionItem::classInfo())
                                      .property("Caption", &Row::caption, &Row::setCaption)
                                      .property("Links", [](const Row& r) -> const Collection& { return r.links(); });
    return info;
}

Row::Row(Collection* c) : CollectionItem(c), links_(this, Link::classInfo()) {}

static const IntegerIdents colorNames = {{"clBtnFace", 0xFF00000F}, {"clDefault", 0x20000000}};

const ClassInfo& Widget::classInfo() {
    static const ClassInfo info = ClassBuilder<Widget>("Widget", Component::classInfo())
                                      .property("Left", &Widget::left, &Widget::setLeft)
                                      .property("Color", &Widget::color, &Widget::setColor)
                                      .defaultValue(0x20000000)
                                      .idents(colorNames)
                                      .property("Percent", &Widget::percent, &Widget::setPercent)
                                      .defaultValue(95)
                                      .property("HotKey", &Widget::hotKey, &Widget::setHotKey)
                                      .defaultValue('A')
                                      .property("Enabled", &Widget::enabled, &Widget::setEnabled)
                                      .defaultValue(true)
                                      .property("Shade", &Widget::shade, &Widget::setShade)
                                      .defaultValue(shLight)
                                      .property("Sides", &Widget::sides, &Widget::setSides)
                                      .defaultValue(Sides{})
                                      .property("Ratio", &Widget::ratio, &Widget::setRatio)
                                      .defaultValue(0.0)
                                      .property("Caption", &Widget::caption, &Widget::setCaption)
                                      .defaultValue("")
                                      .property("Extra", &Widget::extra, &Widget::setExtra)
                                      .property("Look", [](const Widget& w) -> const Look& { return w.look(); })
                                      .property("Buddy", &Widget::buddy, &Widget::setBuddy)
                                      .property("Lines", [](const Widget& w) -> const StringList& { return w.lines(); })
                                      .property("Rows", [](const Widget& w) -> const Collection& { return w.rows(); })
                                      .event("OnClick", &Widget::OnClick)
                                      .event("OnQuery", &Widget::OnQuery);
    return info;
}

Widget::Widget(Component* owner) : Component(owner), rows_(this, Row::classInfo()) { rows_.setPropName("Rows"); }

Widget::~Widget() = default;

void Widget::setBuddy(Widget* w) {
    if (buddy_ == w) return;
    if (buddy_) buddy_->removeFreeNotification(this);
    buddy_ = w;
    if (buddy_) buddy_->freeNotification(this);
}

void Widget::notification(Component* component, Operation operation) {
    if (operation == opRemove && component == buddy_) buddy_ = nullptr;
}

void Widget::defineProperties(Filer& filer) {
    Component::defineProperties(filer);
    filer.defineProperty(
        "Sizes",
        [this](Reader& r) {
            sizes.clear();
            r.readListBegin();
            while (!r.endOfList()) sizes.push_back(static_cast<int>(r.readInteger()));
            r.readListEnd();
        },
        [this](Writer& w) {
            w.writeListBegin();
            for (int s : sizes) w.writeInteger(s);
            w.writeListEnd();
        },
        !sizes.empty());
    filer.defineBinaryProperty(
        "Blob",
        [this](Stream& s) {
            blob.resize(static_cast<size_t>(s.remaining()));
            if (!blob.empty()) s.readBuffer(blob.data(), blob.size());
        },
        [this](Stream& s) {
            if (!blob.empty()) s.writeBuffer(blob.data(), blob.size());
        },
        !blob.empty());
}

void Widget::loaded() {
    Component::loaded();
    ++loadedCount;
    loadingAtLoaded = isLoading();
    if (log) log->push_back("loaded " + name());
}

void Widget::setParentComponent(Component* parent) {
    parentSeen = parent;
    parentWidget_ = dynamic_cast<Widget*>(parent);
}

void Widget::getChildren(const std::function<void(Component&)>& proc, Component* root) {
    if (!root) return;
    for (Component* c : root->components())
        if (c->getParentComponent() == this) proc(*c);
}

const ClassInfo& TestForm::classInfo() {
    static const ClassInfo info = ClassBuilder<TestForm>("TestForm", Component::classInfo())
                                      .method("FormClick", &TestForm::FormClick)
                                      .method("FormQuery", &TestForm::FormQuery);
    return info;
}

void TestForm::loaded() {
    Component::loaded();
    ++loadedCount;
    if (log) log->push_back("loaded " + name());
}

}  // namespace lindora::test
