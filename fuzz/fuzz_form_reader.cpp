// Feeds arbitrary text to the form-description reader. Any input must either read or fail
// with EReadError, without leaks or memory errors; what reads must write back to a text that
// reads again and writes identically.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Exception.h"
#include "base/Filer.h"
#include "base/FormDescription.h"
#include "base/Stream.h"
#include "base/StringList.h"

namespace {

using namespace lindora;

enum Kind { kNone, kLeft, kTop, kRight };
const EnumInfo& enumInfoOf(Kind) {
    static const EnumInfo info("Kind", {"kNone", "kLeft", "kTop", "kRight"});
    return info;
}

class Style : public Persistent {
    LINDORA_CLASS(Style)
public:
    std::string name = "Sans";
    int height = -11;
    Kind kind = kNone;
};

const ClassInfo& Style::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Style>("Style", Persistent::classInfo())
            .property(
                "Name", [](const Style& s) { return s.name; }, [](Style& s, const std::string& v) { s.name = v; })
            .defaultValue("Sans")
            .property(
                "Height", [](const Style& s) { return s.height; }, [](Style& s, int v) { s.height = v; })
            .property(
                "Kind", [](const Style& s) { return s.kind; }, [](Style& s, Kind v) { s.kind = v; })
            .defaultValue(kNone);
    return info;
}

class Entry : public CollectionItem {
    LINDORA_CLASS(Entry)
public:
    explicit Entry(Collection* c);
    std::string caption;
    Component* item = nullptr;
    Collection children;
};

const ClassInfo& Entry::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Entry>("Entry", CollectionItem::classInfo())
            .property(
                "Caption", [](const Entry& e) { return e.caption; },
                [](Entry& e, const std::string& v) { e.caption = v; })
            .defaultValue("")
            .property(
                "Item", [](const Entry& e) { return e.item; }, [](Entry& e, Component* c) { e.item = c; })
            .property("Children", [](const Entry& e) -> const Collection& { return e.children; });
    return info;
}

Entry::Entry(Collection* c) : CollectionItem(c), children(this, Entry::classInfo()) {}

class Box : public Component {
    LINDORA_CLASS(Box)
public:
    explicit Box(Component* owner) : Component(owner), entries(this, Entry::classInfo()) {}
    std::int64_t number = 0;
    double ratio = 0;
    bool flag = false;
    char key = 'a';
    SetOf<Kind> kinds;
    std::string text;
    Variant extra;
    Style style;
    Box* link = nullptr;
    StringList lines;
    Collection entries;
    std::vector<std::int64_t> values;
    std::vector<std::uint8_t> data;
    NotifyEvent OnFire;
    Component* parent = nullptr;

    void setParentComponent(Component* p) override { parent = dynamic_cast<Box*>(p); }
    bool hasParent() const override { return parent != nullptr; }
    Component* getParentComponent() const override { return parent; }
    void getChildren(const std::function<void(Component&)>& proc, Component* root) override {
        for (Component* c : root->components())
            if (c->getParentComponent() == this) proc(*c);
    }
    void defineProperties(Filer& filer) override {
        filer.defineProperty(
            "Values",
            [this](Reader& r) {
                values.clear();
                r.readListBegin();
                while (!r.endOfList()) values.push_back(r.readInteger());
                r.readListEnd();
            },
            [this](Writer& w) {
                w.writeListBegin();
                for (auto v : values) w.writeInteger(v);
                w.writeListEnd();
            },
            !values.empty());
        filer.defineBinaryProperty(
            "Data",
            [this](Stream& s) {
                data.resize(static_cast<size_t>(s.remaining()));
                if (!data.empty()) s.readBuffer(data.data(), data.size());
            },
            [this](Stream& s) {
                if (!data.empty()) s.writeBuffer(data.data(), data.size());
            },
            !data.empty());
    }

protected:
    void notification(Component* c, Operation op) override {
        if (op == opRemove && c == link) link = nullptr;
    }
};

const ClassInfo& Box::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Box>("Box", Component::classInfo())
            .property(
                "Number", [](const Box& b) { return b.number; }, [](Box& b, std::int64_t v) { b.number = v; })
            .defaultValue(0)
            .property(
                "Ratio", [](const Box& b) { return b.ratio; }, [](Box& b, double v) { b.ratio = v; })
            .defaultValue(0.0)
            .property(
                "Flag", [](const Box& b) { return b.flag; }, [](Box& b, bool v) { b.flag = v; })
            .defaultValue(false)
            .property(
                "Key", [](const Box& b) { return b.key; }, [](Box& b, char v) { b.key = v; })
            .defaultValue('a')
            .property(
                "Kinds", [](const Box& b) { return b.kinds; }, [](Box& b, SetOf<Kind> v) { b.kinds = v; })
            .defaultValue(SetOf<Kind>{})
            .property(
                "Text", [](const Box& b) { return b.text; }, [](Box& b, const std::string& v) { b.text = v; })
            .defaultValue("")
            .property(
                "Extra", [](const Box& b) { return b.extra; }, [](Box& b, const Variant& v) { b.extra = v; })
            .property("Style", [](const Box& b) -> const Style& { return b.style; })
            .property(
                "Link", [](const Box& b) { return b.link; },
                [](Box& b, Box* v) {
                    if (b.link) b.link->removeFreeNotification(&b);
                    b.link = v;
                    if (v) v->freeNotification(&b);
                })
            .property("Lines", [](const Box& b) -> const StringList& { return b.lines; })
            .property("Entries", [](const Box& b) -> const Collection& { return b.entries; })
            .event("OnFire", &Box::OnFire);
    return info;
}

class Form : public Component {
    LINDORA_CLASS(Form)
public:
    using Component::Component;
    void Fire(Persistent*) {}
    void Query(Persistent*, bool&) {}
};

const ClassInfo& Form::classInfo() {
    static const ClassInfo info =
        ClassBuilder<Form>("Form", Component::classInfo()).method("Fire", &Form::Fire).method("Query", &Form::Query);
    return info;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ClassRegistration classes{&Box::classInfo(), &Form::classInfo()};
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string written;
    {
        Form form;
        try {
            readFormDescription(text, form);
        } catch (const EReadError&) {
            return 0;
        }
        written = writeFormDescription(form);
    }
    Form again;
    try {
        readFormDescription(written, again);
    } catch (const EReadError& e) {
        std::fprintf(stderr, "written text does not read back: %s\n%s\n", e.what(), written.c_str());
        std::abort();
    }
    if (writeFormDescription(again) != written) {
        std::fprintf(stderr, "second write differs:\n%s\n---\n%s\n", written.c_str(),
                     writeFormDescription(again).c_str());
        std::abort();
    }
    return 0;
}
