#include <gtest/gtest.h>

#include "TestClasses.h"
#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "base/Exception.h"
#include "base/Variant.h"

using namespace lindora;
using namespace lindora::test;

TEST(Variant, ConvertsBetweenKinds) {
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_EQ(Variant().toString(), "");
    EXPECT_EQ(Variant(42).toString(), "42");
    EXPECT_EQ(Variant(0.1).toString(), "0.1");
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant("12").toInteger(), 12);
    EXPECT_EQ(Variant("2.5").toFloat(), 2.5);
    EXPECT_TRUE(Variant("True").toBoolean());
    EXPECT_FALSE(Variant(0.0).toBoolean());
    EXPECT_THROW(Variant("abc").toInteger(), EConvertError);
    EXPECT_THROW(Variant("maybe").toBoolean(), EConvertError);
    EXPECT_NE(Variant(1), Variant(1.0));  // different kinds
}

TEST(EnumInfo, SetTextBothWays) {
    const EnumInfo& sides = enumInfoOf(Side{});
    EXPECT_EQ(sides.setToText(0), "[]");
    EXPECT_EQ(sides.setToText(0b1010), "[sdTop,sdBottom]");
    EXPECT_EQ(sides.setToText(0b1010, false), "sdTop,sdBottom");
    EXPECT_EQ(sides.textToSet(" [ sdbottom , SDTOP ] "), 0b1010u);
    EXPECT_EQ(sides.textToSet("sdLeft"), 0b1u);
    EXPECT_EQ(sides.textToSet("[]"), 0u);
    for (const char* bad : {"[sdLeft", "sdLeft,", "[sdMiddle]", "[,]"})
        EXPECT_THROW(sides.textToSet(bad), EConvertError) << bad;
    EXPECT_EQ(EnumInfo::boolean().ordinalOf("TRUE"), 1);
    EXPECT_THROW(EnumInfo::boolean().nameOf(2), EPropertyError);
}

TEST(ClassRegistry, RefusesASecondClassOfTheSameName) {
    static const ClassInfo impostor = ClassBuilder<Widget>("widget", Component::classInfo());
    ClassRegistration reg{&Widget::classInfo()};
    EXPECT_THROW(registerClass(impostor), EComponentError);
    EXPECT_NO_THROW(registerClass(Widget::classInfo()));  // the same class again is fine
}

TEST(Component, DesigningReachesOwnedComponents) {
    TestForm form;
    auto* w = new Widget(&form);
    form.setDesigning(true);
    EXPECT_TRUE(w->isDesigning());
    form.setDesigning(false, false);
    EXPECT_FALSE(form.isDesigning());
    EXPECT_TRUE(w->isDesigning());
}
