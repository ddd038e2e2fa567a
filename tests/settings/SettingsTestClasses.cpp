#include "SettingsTestClasses.h"

#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "base/Stream.h"

namespace lindora::test {

const EnumInfo& enumInfoOf(Tone) {
    static const EnumInfo info("Tone", {"tnSoft", "tnPlain", "tnLoud"});
    return info;
}

const EnumInfo& enumInfoOf(Edge) {
    static const EnumInfo info("Edge", {"edLeft", "edTop", "edRight", "edBottom"});
    return info;
}

const ClassInfo& Extent::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Extent>("Extent", Persistent::classInfo()).property("Size", &Extent::size, &Extent::setSize);
    return info;
}

const ClassInfo& Column::classInfo() {
    static const ClassInfo info = ClassBuilder<Column>("Column", CollectionItem::classInfo())
                                      .property("Caption", &Column::caption, &Column::setCaption)
                                      .property("Width", &Column::width, &Column::setWidth);
    return info;
}

const ClassInfo& StandInButton::classInfo() {
    static const ClassInfo info =
        ClassBuilder<StandInButton>("StandInButton", Component::classInfo())
            .property("Down", &StandInButton::down, &StandInButton::setDown)
            .defaultValue(false)
            .property("Caption", &StandInButton::caption, &StandInButton::setCaption)
            .property("Width", &StandInButton::width, &StandInButton::setWidth)
            .property("HotKey", &StandInButton::hotKey, &StandInButton::setHotKey)
            .property("Ratio", &StandInButton::ratio, &StandInButton::setRatio)
            .property("Tone", &StandInButton::tone, &StandInButton::setTone)
            .property("Edges", &StandInButton::edges, &StandInButton::setEdges)
            .property("TagValue", &StandInButton::tagValue, &StandInButton::setTagValue)
            .property("Lines", [](const StandInButton& b) -> const StringList& { return b.lines(); })
            .property("Extent", [](const StandInButton& b) -> const Extent& { return b.extent(); })
            .property("Buddy", &StandInButton::buddy, &StandInButton::setBuddy)
            .property("Columns", [](const StandInButton& b) -> const Collection& { return b.columns(); });
    return info;
}

StandInButton::StandInButton(Component* owner) : Component(owner), columns_(this, Column::classInfo()) {}

StandInButton::~StandInButton() = default;

void StandInButton::setBuddy(Component* c) {
    if (buddy_) buddy_->removeFreeNotification(this);
    buddy_ = c;
    if (buddy_) buddy_->freeNotification(this);
}

void StandInButton::notification(Component* component, Operation operation) {
    if (operation == opRemove && component == buddy_) buddy_ = nullptr;
}

void StandInButton::defineProperties(Filer& filer) {
    Component::defineProperties(filer);
    filer.defineProperty(
        "Memo",
        [this](Reader& r) {
            memo.clear();
            r.readListBegin();
            while (!r.endOfList()) memo.push_back(r.readString());
            r.readListEnd();
        },
        [this](Writer& w) {
            w.writeListBegin();
            for (const auto& m : memo) w.writeString(m);
            w.writeListEnd();
        },
        !memo.empty());
    filer.defineBinaryProperty(
        "Blob",
        [this](Stream& s) {
            blob.resize(static_cast<size_t>(s.remaining()));
            s.readBuffer(blob.data(), blob.size());
        },
        [this](Stream& s) { s.writeBuffer(blob.data(), blob.size()); }, !blob.empty());
}

}  // namespace lindora::test
