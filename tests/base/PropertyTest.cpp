#include <gtest/gtest.h>

#include "TestClasses.h"
#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "base/Exception.h"

using namespace lindora;
using namespace lindora::test;

TEST(ClassInfo, PropertiesAreInheritedInTableOrderAndFoundIgnoringCase) {
    const ClassInfo& info = Widget::classInfo();
    ASSERT_GE(info.properties().size(), 3u);
    EXPECT_EQ(info.properties()[0]->name(), "Name");  // from Component
    EXPECT_EQ(info.properties()[1]->name(), "Tag");
    EXPECT_EQ(info.properties()[2]->name(), "Left");
    const PropInfo* p = info.findProperty("lOOKs");
    EXPECT_EQ(p, nullptr);
    p = info.findProperty("look");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->kind(), TypeKind::Class);
    EXPECT_FALSE(p->isComponentReference());
    EXPECT_TRUE(info.findProperty("BUDDY")->isComponentReference());
    EXPECT_TRUE(Widget::classInfo().inheritsFrom(Component::classInfo()));
    EXPECT_FALSE(Component::classInfo().inheritsFrom(Widget::classInfo()));
}

TEST(ClassInfo, KindsFollowTheGetterTypes) {
    const ClassInfo& info = Widget::classInfo();
    struct Case {
        const char* name;
        TypeKind kind;
    } cases[] = {{"Left", TypeKind::Integer},        {"Percent", TypeKind::Integer},   {"HotKey", TypeKind::Char},
                 {"Enabled", TypeKind::Enumeration}, {"Shade", TypeKind::Enumeration}, {"Sides", TypeKind::Set},
                 {"Ratio", TypeKind::Float},         {"Caption", TypeKind::String},    {"Extra", TypeKind::Variant},
                 {"Buddy", TypeKind::Class},         {"OnClick", TypeKind::Method}};
    for (const auto& c : cases) {
        const PropInfo* p = info.findProperty(c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->kind(), c.kind) << c.name;
    }
    EXPECT_EQ(info.findProperty("Enabled")->enumType(), &EnumInfo::boolean());
    EXPECT_EQ(info.findProperty("Sides")->enumType()->typeName(), "Side");
}

TEST(PropInfo, GetAndSetByKind) {
    Widget w;
    const ClassInfo& info = w.classType();
    info.findProperty("Left")->setOrdinal(w, -12);
    EXPECT_EQ(w.left(), -12);
    info.findProperty("Shade")->setEnumName(w, "SHDARK");
    EXPECT_EQ(w.shade(), shDark);
    EXPECT_EQ(info.findProperty("Shade")->getEnumName(w), "shDark");
    info.findProperty("Enabled")->setEnumName(w, "false");
    EXPECT_FALSE(w.enabled());
    info.findProperty("Sides")->setSetText(w, "[sdTop, SDBOTTOM]");
    EXPECT_EQ(w.sides(), (Sides{sdTop, sdBottom}));
    EXPECT_EQ(info.findProperty("Sides")->getSetText(w), "[sdTop,sdBottom]");
    EXPECT_EQ(info.findProperty("Sides")->getSetText(w, false), "sdTop,sdBottom");
    info.findProperty("Ratio")->setFloat(w, 0.25);
    EXPECT_EQ(w.ratio(), 0.25);
    info.findProperty("Caption")->setString(w, "Hi");
    EXPECT_EQ(info.findProperty("caption")->getString(w), "Hi");
    info.findProperty("Extra")->setVariant(w, Variant(3.5));
    EXPECT_EQ(w.extra().toFloat(), 3.5);
    EXPECT_EQ(info.findProperty("Look")->getObject(w), &w.look());
    Widget other;
    info.findProperty("Buddy")->setObject(w, &other);
    EXPECT_EQ(w.buddy(), &other);
}

TEST(PropInfo, RefusesWrongKindsReadOnlyAndOutOfRange) {
    Widget w;
    const ClassInfo& info = w.classType();
    EXPECT_THROW(info.findProperty("Caption")->setOrdinal(w, 1), EPropertyError);
    EXPECT_THROW(info.findProperty("Look")->setObject(w, nullptr), EPropertyError);  // read-only
    EXPECT_THROW(info.findProperty("Percent")->setOrdinal(w, 300), EPropertyError);
    EXPECT_THROW(info.findProperty("Shade")->setOrdinal(w, 3), EPropertyError);
    EXPECT_THROW(info.findProperty("Shade")->setEnumName(w, "shPurple"), EPropertyError);
    EXPECT_THROW(info.findProperty("Sides")->setSetText(w, "[sdTop,sdMiddle]"), EPropertyError);
    Look look;
    EXPECT_THROW(info.findProperty("Buddy")->setObject(w, &look), EPropertyError);
    // A property used on an object of another class.
    EXPECT_THROW(info.findProperty("Left")->getOrdinal(look), EPropertyError);
    EXPECT_EQ(w.percent(), 95);
}

TEST(PropInfo, DefaultsAndStoredTests) {
    Widget w;
    const ClassInfo& info = w.classType();
    EXPECT_TRUE(info.findProperty("Percent")->isDefault(w));
    EXPECT_FALSE(info.findProperty("Left")->isDefault(w));  // no default: always written
    w.setPercent(50);
    EXPECT_FALSE(info.findProperty("Percent")->isDefault(w));
    EXPECT_FALSE(info.findProperty("Name")->isStored(w));
    EXPECT_TRUE(info.findProperty("Left")->isStored(w));
}

TEST(Events, RaisedOnlyWhenAssignedWithInOutParameters) {
    TestForm form;
    Widget w(&form);
    bool cont = true;
    w.OnQuery(&w, cont);  // unassigned: nothing happens
    EXPECT_TRUE(cont);
    w.OnQuery.bind(&form, &TestForm::FormQuery, "FormQuery");
    w.OnQuery(&w, cont);
    EXPECT_FALSE(cont);
    EXPECT_EQ(w.OnQuery.target(), &form);
    EXPECT_EQ(w.OnQuery.methodName(), "FormQuery");
}

TEST(Events, PublishedMethodsBindThroughTheClassInfo) {
    TestForm form;
    Widget w(&form);
    const MethodInfo* m = form.classType().findMethod("formclick");
    ASSERT_NE(m, nullptr);
    MethodValue v{&form, m->name, m->bind(form)};
    w.classType().findProperty("OnClick")->setMethod(w, v);
    w.OnClick(&w);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.lastSender, &w);
    EXPECT_EQ(w.classType().findProperty("OnClick")->getMethod(w).name, "FormClick");
    // A handler of another signature is refused.
    const MethodInfo* q = form.classType().findMethod("FormQuery");
    MethodValue wrong{&form, q->name, q->bind(form)};
    EXPECT_THROW(w.classType().findProperty("OnClick")->setMethod(w, wrong), EPropertyError);
    EXPECT_EQ(w.OnClick.methodName(), "FormClick");
}

TEST(ClassRegistry, RegistersFindsIgnoringCaseAndUnregisters) {
    {
        ClassRegistration reg{&Widget::classInfo()};
        EXPECT_EQ(findClass("WIDGET"), &Widget::classInfo());
        EXPECT_THROW(ClassRegistry::instance().get("Gadget"), EClassNotFound);
        Component owner;
        Component* c = findClass("widget")->createComponent(&owner);
        EXPECT_EQ(c->owner(), &owner);
        EXPECT_EQ(c->className(), "Widget");
    }
    EXPECT_EQ(findClass("Widget"), nullptr);
}

TEST(Persistent, AssignBetweenUnrelatedClassesFails) {
    Look look;
    StringList list;
    try {
        look.assign(list);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign StringList to Look");
    }
}
