#pragma once
// Stand-in components for the settings tests: a button with a property of every kind the
// binding converts, a hidden (defined) property in plain and binary form, and a collection.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Collection.h"
#include "base/Component.h"
#include "base/StringList.h"
#include "base/Variant.h"

namespace lindora::test {

enum Tone { tnSoft, tnPlain, tnLoud };
const EnumInfo& enumInfoOf(Tone);
enum Edge { edLeft, edTop, edRight, edBottom };
const EnumInfo& enumInfoOf(Edge);
using Edges = SetOf<Edge>;

class Extent : public Persistent {
    LINDORA_CLASS(Extent)
public:
    int size() const { return size_; }
    void setSize(int s) { size_ = s; }

private:
    int size_ = 8;
};

class Column : public CollectionItem {
    LINDORA_CLASS(Column)
public:
    using CollectionItem::CollectionItem;
    std::string caption() const { return caption_; }
    void setCaption(const std::string& c) { caption_ = c; }
    int width() const { return width_; }
    void setWidth(int w) { width_ = w; }

private:
    std::string caption_;
    int width_ = 0;
};

class StandInButton : public Component {
    LINDORA_CLASS(StandInButton)
public:
    explicit StandInButton(Component* owner = nullptr);
    ~StandInButton() override;

    bool down() const { return down_; }
    void setDown(bool d) { down_ = d; }
    std::string caption() const { return caption_; }
    void setCaption(const std::string& c) { caption_ = c; }
    int width() const { return width_; }
    void setWidth(int w) { width_ = w; }
    char hotKey() const { return hotKey_; }
    void setHotKey(char c) { hotKey_ = c; }
    double ratio() const { return ratio_; }
    void setRatio(double r) { ratio_ = r; }
    Tone tone() const { return tone_; }
    void setTone(Tone t) { tone_ = t; }
    Edges edges() const { return edges_; }
    void setEdges(Edges e) { edges_ = e; }
    Variant tagValue() const { return tagValue_; }
    void setTagValue(const Variant& v) { tagValue_ = v; }
    StringList& lines() { return lines_; }
    const StringList& lines() const { return lines_; }
    Extent& extent() { return extent_; }
    const Extent& extent() const { return extent_; }
    Component* buddy() const { return buddy_; }
    void setBuddy(Component* c);
    Collection& columns() { return columns_; }
    const Collection& columns() const { return columns_; }

    // Defined properties: "Memo" through the value interface, "Blob" as raw bytes.
    std::vector<std::string> memo;
    std::vector<std::uint8_t> blob;
    void defineProperties(Filer& filer) override;

protected:
    void notification(Component* component, Operation operation) override;

private:
    bool down_ = false;
    std::string caption_ = "Auto Login";
    int width_ = 75;
    char hotKey_ = 'A';
    double ratio_ = 0.5;
    Tone tone_ = tnPlain;
    Edges edges_;
    Variant tagValue_;
    StringList lines_;
    Extent extent_;
    Component* buddy_ = nullptr;
    Collection columns_;
};

}  // namespace lindora::test
