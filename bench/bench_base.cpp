// Component runtime: reading and writing form descriptions, property look-up, conversions.
#include <benchmark/benchmark.h>

#include <string>

#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Extended.h"
#include "base/FormDescription.h"
#include "base/NumberText.h"
#include "base/StringList.h"

namespace {

using namespace lindora;

class BenchLink : public CollectionItem {
    LINDORA_CLASS(BenchLink)
public:
    using CollectionItem::CollectionItem;
    Component* item = nullptr;
    bool beginGroup = false;
};

const ClassInfo& BenchLink::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BenchLink>("BenchLink", CollectionItem::classInfo())
            .property(
                "Item", [](const BenchLink& l) { return l.item; }, [](BenchLink& l, Component* c) { l.item = c; })
            .property(
                "BeginGroup", [](const BenchLink& l) { return l.beginGroup; },
                [](BenchLink& l, bool b) { l.beginGroup = b; })
            .defaultValue(false);
    return info;
}

class BenchItem : public Component {
    LINDORA_CLASS(BenchItem)
public:
    explicit BenchItem(Component* owner) : Component(owner), links(this, BenchLink::classInfo()) {}
    std::string caption;
    int imageIndex = -1;
    Collection links;
};

const ClassInfo& BenchItem::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BenchItem>("BenchItem", Component::classInfo())
            .property(
                "Caption", [](const BenchItem& i) { return i.caption; },
                [](BenchItem& i, const std::string& s) { i.caption = s; })
            .property(
                "ImageIndex", [](const BenchItem& i) { return i.imageIndex; },
                [](BenchItem& i, int v) { i.imageIndex = v; })
            .defaultValue(-1)
            .property("Links", [](const BenchItem& i) -> const Collection& { return i.links; });
    return info;
}

class BenchForm : public Component {
    LINDORA_CLASS(BenchForm)
public:
    using Component::Component;
};

const ClassInfo& BenchForm::classInfo() {
    static const ClassInfo info = ClassBuilder<BenchForm>("BenchForm", Component::classInfo());
    return info;
}

std::string makeDescription(int items) {
    std::string text = "object Form1: BenchForm\n";
    for (int i = 0; i < items; ++i) {
        text += "  object item" + std::to_string(i) + ": BenchItem\n";
        text += "    Caption = 'Item number " + std::to_string(i) + "'\n";
        text += "    ImageIndex = " + std::to_string(i % 7) + "\n";
        text += "    Links = <";
        for (int l = 0; l < 10; ++l)
            text += "\n      item\n        Item = item" + std::to_string((i + l + 1) % items) + "\n      end";
        text += ">\n  end\n";
    }
    text += "end\n";
    return text;
}

void BM_ReadFormDescription(benchmark::State& state) {
    ClassRegistration classes{&BenchItem::classInfo(), &BenchForm::classInfo()};
    const std::string text = makeDescription(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BenchForm form;
        readFormDescription(text, form);
        benchmark::DoNotOptimize(form.componentCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadFormDescription)->Arg(10)->Arg(200);

void BM_WriteFormDescription(benchmark::State& state) {
    ClassRegistration classes{&BenchItem::classInfo(), &BenchForm::classInfo()};
    BenchForm form;
    readFormDescription(makeDescription(static_cast<int>(state.range(0))), form);
    for (auto _ : state) benchmark::DoNotOptimize(writeFormDescription(form));
}
BENCHMARK(BM_WriteFormDescription)->Arg(10)->Arg(200);

void BM_FindPropertyIgnoringCase(benchmark::State& state) {
    const ClassInfo& info = BenchItem::classInfo();
    for (auto _ : state) benchmark::DoNotOptimize(info.findProperty("imageindex"));
}
BENCHMARK(BM_FindPropertyIgnoringCase);

void BM_ExtendedRoundTrip(benchmark::State& state) {
    double v = 0.1;
    for (auto _ : state) {
        v = Extended::fromDouble(v).toDouble();
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ExtendedRoundTrip);

void BM_FloatToStr(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(floatToStr(1.0 / 3));
}
BENCHMARK(BM_FloatToStr);

void BM_CommaText(benchmark::State& state) {
    StringList list;
    for (int i = 0; i < 100; ++i) list.add("entry " + std::to_string(i));
    for (auto _ : state) {
        StringList copy;
        copy.setCommaText(list.commaText());
        benchmark::DoNotOptimize(copy.count());
    }
}
BENCHMARK(BM_CommaText);

}  // namespace
