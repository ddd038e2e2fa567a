#include <algorithm>

#include "bars/model/Bar.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarManagerCategories.h"
#include "bars/model/BarPopupMenuLinks.h"
#include "bars/model/LookAndFeel.h"
#include "base/ClassBuilder.h"
#include "base/Filer.h"

namespace lindora {

// ---- LookAndFeel

const EnumInfo& enumInfoOf(LookAndFeelKind) {
    static const EnumInfo info("LookAndFeelKind", {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"});
    return info;
}

const ClassInfo& LookAndFeel::classInfo() {
    static const ClassInfo info = ClassBuilder<LookAndFeel>("LookAndFeel", Persistent::classInfo())
                                      .property("Kind", &LookAndFeel::kind, &LookAndFeel::setKind)
                                      .defaultValue(lfFlat)
                                      .property("NativeStyle", &LookAndFeel::nativeStyle, &LookAndFeel::setNativeStyle)
                                      .defaultValue(false);
    return info;
}

void LookAndFeel::setKind(LookAndFeelKind value) {
    if (value == kind_) return;
    kind_ = value;
    OnChange(this);
}

void LookAndFeel::setNativeStyle(bool value) {
    if (value == nativeStyle_) return;
    nativeStyle_ = value;
    OnChange(this);
}

void LookAndFeel::assign(const Persistent& source) {
    if (auto* l = dynamic_cast<const LookAndFeel*>(&source)) {
        setKind(l->kind_);
        setNativeStyle(l->nativeStyle_);
        return;
    }
    Persistent::assign(source);
}

// ---- BarBackgrounds

const ClassInfo& BarBackgrounds::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarBackgrounds>("BarBackgrounds", Persistent::classInfo())
            .property(
                "Bar", [](const BarBackgrounds& b) -> const BitmapProperty& { return b.bar(); },
                [](BarBackgrounds& b, const BitmapProperty& p) { b.bar().assign(p); })
            .stored([](const BarBackgrounds& b) { return !b.bar().empty(); })
            .property(
                "SubMenu", [](const BarBackgrounds& b) -> const BitmapProperty& { return b.subMenu(); },
                [](BarBackgrounds& b, const BitmapProperty& p) { b.subMenu().assign(p); })
            .stored([](const BarBackgrounds& b) { return !b.subMenu().empty(); });
    return info;
}

void BarBackgrounds::assign(const Persistent& source) {
    if (auto* b = dynamic_cast<const BarBackgrounds*>(&source)) {
        bar_.assign(b->bar_);
        subMenu_.assign(b->subMenu_);
        return;
    }
    Persistent::assign(source);
}

// ---- BarPopupMenuLinks

const ClassInfo& BarPopupMenuLink::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarPopupMenuLink>("BarPopupMenuLink", CollectionItem::classInfo())
            .property("Control", &BarPopupMenuLink::control, &BarPopupMenuLink::setControl)
            .property("PopupMenu", &BarPopupMenuLink::popupMenu, &BarPopupMenuLink::setPopupMenu);
    return info;
}

BarPopupMenuLink::BarPopupMenuLink(Collection* collection) : CollectionItem(collection) {}

void BarPopupMenuLink::assign(const Persistent& source) {
    if (auto* l = dynamic_cast<const BarPopupMenuLink*>(&source)) {
        control_ = l->control_;
        popupMenu_ = l->popupMenu_;
        return;
    }
    CollectionItem::assign(source);
}

const ClassInfo& BarPopupMenuLinks::classInfo() {
    static const ClassInfo info = ClassBuilder<BarPopupMenuLinks>("BarPopupMenuLinks", Collection::classInfo());
    return info;
}

BarPopupMenuLinks::BarPopupMenuLinks(Persistent* owner) : Collection(owner, BarPopupMenuLink::classInfo()) {
    setPropName("PopupMenuLinks");
}

void BarPopupMenuLinks::componentFreed(Component* c) {
    for (CollectionItem* ci : items()) {
        auto* l = static_cast<BarPopupMenuLink*>(ci);
        if (l->control() == c) l->setControl(nullptr);
        if (l->popupMenu() == c) l->setPopupMenu(nullptr);
    }
}

// ---- BarManagerCategories

const ClassInfo& BarManagerCategories::classInfo() {
    static const ClassInfo info = ClassBuilder<BarManagerCategories>("BarManagerCategories", Persistent::classInfo());
    return info;
}

BarManagerCategories::BarManagerCategories(BarManager& manager) : manager_(&manager) {
    lines_.add(bartext::DefaultCategory, BarCategoryData{});
}

int BarManagerCategories::add(const std::string& name, const BarCategoryData& data) { return lines_.add(name, data); }

BarCategoryData BarManagerCategories::data(int index) const {
    if (index < 0 || index >= count()) return {};
    if (auto* d = std::any_cast<BarCategoryData>(&lines_.object(index))) return *d;
    return {};
}

void BarManagerCategories::setData(int index, const BarCategoryData& data) {
    if (index < 0 || index >= count()) return;
    lines_.object(index) = data;
}

template <class Map>
void BarManagerCategories::renumber(Map map) {
    for (BarItem* i : std::vector<BarItem*>(manager_->itemList())) {
        int c = i->category();
        if (c < 0) continue;
        int n = map(c);
        if (n != c) i->category_ = n;
    }
}

void BarManagerCategories::remove(int index) {
    if (index < 0 || index >= count()) {
        lines_.remove(index);  // reports the bad index
        return;
    }
    // The category's items go with it; later categories move one number down.
    std::vector<BarItem*> doomed;
    manager_->getItemsByCategory(index, doomed);
    for (BarItem* i : doomed) delete i;
    renumber([index](int c) { return c > index ? c - 1 : c; });
    lines_.remove(index);
}

void BarManagerCategories::insert(int index, const std::string& s) {
    lines_.insert(index, s, BarCategoryData{});
    renumber([index](int c) { return c >= index ? c + 1 : c; });
}

void BarManagerCategories::move(int from, int to) {
    if (from == to) return;
    lines_.move(from, to);
    renumber([from, to](int c) {
        if (c == from) return to;
        if (from < to && c > from && c <= to) return c - 1;
        if (to < from && c >= to && c < from) return c + 1;
        return c;
    });
}

void BarManagerCategories::exchange(int a, int b) {
    lines_.exchange(a, b);
    renumber([a, b](int c) { return c == a ? b : c == b ? a : c; });
}

void BarManagerCategories::clear() {
    // Bounded: removing the last line brings "Default" back.
    for (int i = count() - 1; i >= 0; --i) remove(i);
}

void BarManagerCategories::Lines::changed() {
    // A manager always has a category; the stream fills the list while it is read.
    BarManager& m = owner_->barManager();
    if (count() == 0 && !m.isLoading() && !m.isDestroying()) {
        add(bartext::DefaultCategory, BarCategoryData{});
        return;  // add() reported the change
    }
    for (int i = 0; i < count(); ++i)
        if (!object(i).has_value()) object(i) = BarCategoryData{};
    StringList::changed();
}

void BarManagerCategories::assign(const Persistent& source) {
    if (auto* other = dynamic_cast<const BarManagerCategories*>(&source)) {
        if (other != this) lines_.assign(other->lines_);
        return;
    }
    if (auto* names = dynamic_cast<const StringList*>(&source)) {
        lines_.beginUpdate();
        lines_.clear();
        for (const std::string& name : names->lines()) lines_.add(name, BarCategoryData{});
        lines_.endUpdate();
        return;
    }
    Persistent::assign(source);
}

void BarManagerCategories::defineProperties(Filer& filer) {
    lines_.defineProperties(filer);
    bool anyItemsVisible = false, anyHidden = false;
    for (int i = 0; i < count(); ++i) {
        anyItemsVisible |= data(i).itemsVisible != ivAlways;
        anyHidden |= !data(i).visible;
    }
    filer.defineProperty(
        "ItemsVisibles",
        [this](Reader& r) {
            r.readListBegin();
            for (int i = 0; !r.endOfList(); ++i) {
                auto v = r.readInteger();
                if (v < ivNever || v > ivAlways) r.error("Invalid category items visibility " + std::to_string(v));
                BarCategoryData d = data(i);
                d.pendingItemsVisible = static_cast<BarItemVisible>(v);
                setData(i, d);
            }
            r.readListEnd();
        },
        [this](Writer& w) {
            w.writeListBegin();
            for (int i = 0; i < count(); ++i) w.writeInteger(data(i).itemsVisible);
            w.writeListEnd();
        },
        anyItemsVisible);
    filer.defineProperty(
        "Visibles",
        [this](Reader& r) {
            r.readListBegin();
            for (int i = 0; !r.endOfList(); ++i) {
                BarCategoryData d = data(i);
                d.visible = r.readBoolean();
                setData(i, d);
            }
            r.readListEnd();
        },
        [this](Writer& w) {
            w.writeListBegin();
            for (int i = 0; i < count(); ++i) w.writeBoolean(data(i).visible);
            w.writeListEnd();
        },
        anyHidden);
}

}  // namespace lindora
