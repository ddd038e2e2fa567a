#pragma once
// Small published classes that the base tests stream and inspect.
#include <string>

#include "base/ClassInfo.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Event.h"
#include "base/StringList.h"

namespace lindora::test {

enum Shade { shLight, shMedium, shDark };
const EnumInfo& enumInfoOf(Shade);
enum Side { sdLeft, sdTop, sdRight, sdBottom };
const EnumInfo& enumInfoOf(Side);
using Sides = SetOf<Side>;

// An owned sub-object with properties of its own (like a font).
class Look : public Persistent {
    LINDORA_CLASS(Look)
public:
    std::string name() const { return name_; }
    void setName(const std::string& n) { name_ = n; }
    int size() const { return size_; }
    void setSize(int s) { size_ = s; }
    Shade shade() const { return shade_; }
    void setShade(Shade s) { shade_ = s; }
    void assign(const Persistent& source) override;

private:
    std::string name_ = "Sans";
    int size_ = 8;
    Shade shade_ = shLight;
};

class Link : public CollectionItem {
    LINDORA_CLASS(Link)
public:
    using CollectionItem::CollectionItem;
    ~Link() override;
    Component* target() const { return target_; }
    void setTarget(Component* c);
    bool beginGroup() const { return beginGroup_; }
    void setBeginGroup(bool b) { beginGroup_ = b; }
    void assign(const Persistent& source) override;

private:
    Component* target_ = nullptr;
    bool beginGroup_ = false;
};

class Row : public CollectionItem {
    LINDORA_CLASS(Row)
public:
    explicit Row(Collection* c);
    std::string caption() const { return caption_; }
    void setCaption(const std::string& c) { caption_ = c; }
    Collection& links() { return links_; }
    const Collection& links() const { return links_; }
    void assign(const Persistent& source) override;

private:
    std::string caption_;
    Collection links_;
};

// A component with a property of every kind.
class Widget : public Component {
    LINDORA_CLASS(Widget)
public:
    explicit Widget(Component* owner = nullptr);
    ~Widget() override;

    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t c) { color_ = c; }
    int left() const { return left_; }
    void setLeft(int v) { left_ = v; }
    std::uint8_t percent() const { return percent_; }
    void setPercent(std::uint8_t v) { percent_ = v; }
    char hotKey() const { return hotKey_; }
    void setHotKey(char c) { hotKey_ = c; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { enabled_ = v; }
    Shade shade() const { return shade_; }
    void setShade(Shade s) { shade_ = s; }
    Sides sides() const { return sides_; }
    void setSides(Sides s) { sides_ = s; }
    double ratio() const { return ratio_; }
    void setRatio(double r) { ratio_ = r; }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) { caption_ = c; }
    Variant extra() const { return extra_; }
    void setExtra(const Variant& v) { extra_ = v; }
    Look& look() { return look_; }
    const Look& look() const { return look_; }
    Widget* buddy() const { return buddy_; }
    void setBuddy(Widget* w);
    StringList& lines() { return lines_; }
    const StringList& lines() const { return lines_; }
    Collection& rows() { return rows_; }
    const Collection& rows() const { return rows_; }
    // Defined properties: a list of sizes and raw bytes.
    std::vector<int> sizes;
    std::vector<std::uint8_t> blob;

    NotifyEvent OnClick;
    Event<Persistent*, bool&> OnQuery;

    // Recorded notices.
    int loadedCount = 0;
    bool loadingAtLoaded = true;
    Component* parentSeen = nullptr;
    std::vector<std::string>* log = nullptr;

    void defineProperties(Filer& filer) override;
    void loaded() override;
    void setParentComponent(Component* parent) override;
    // Widgets nest in widgets: a nested one is written inside its parent's block.
    bool hasParent() const override { return parentWidget_ != nullptr; }
    Component* getParentComponent() const override { return parentWidget_; }
    void getChildren(const std::function<void(Component&)>& proc, Component* root) override;

protected:
    void notification(Component* component, Operation operation) override;

private:
    std::uint32_t color_ = 0x20000000;
    int left_ = 0;
    std::uint8_t percent_ = 95;
    char hotKey_ = 'A';
    bool enabled_ = true;
    Shade shade_ = shLight;
    Sides sides_;
    double ratio_ = 0;
    std::string caption_;
    Variant extra_;
    Look look_;
    Widget* buddy_ = nullptr;
    Widget* parentWidget_ = nullptr;
    StringList lines_;
    Collection rows_;
};

// A root with published methods for event handlers.
class TestForm : public Component {
    LINDORA_CLASS(TestForm)
public:
    using Component::Component;
    void FormClick(Persistent* sender) {
        ++clicks;
        lastSender = sender;
    }
    void FormQuery(Persistent*, bool& cont) { cont = false; }
    int clicks = 0;
    Persistent* lastSender = nullptr;
    int loadedCount = 0;
    std::vector<std::string>* log = nullptr;
    void loaded() override;
};

}  // namespace lindora::test
