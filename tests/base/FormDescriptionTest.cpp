#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestClasses.h"
#include "base/ClassRegistry.h"
#include "base/Exception.h"
#include "base/FormDescription.h"

using namespace lindora;
using namespace lindora::test;

namespace {

// Written in the writer's own layout, so that writing it back must give the same text.
const char* const formText = R"(object Form1: TestForm
  object btnA: Widget
    Left = 10
    Color = 255
    Caption = 'It''s a test'#13#10'line two'
    Buddy = btnB
    Rows = <
      item
        Caption = 'Main Toolbar'
        Links = <
          item
            Item = btnB
          end
          item
            Item = btnA
            BeginGroup = True
          end>
      end>
    OnClick = FormClick
    Sizes = (
      0
      0
      26
      0)
    object inner: Widget
      Left = 0
      Rows = <>
    end
  end
  object btnB: Widget
    Left = -3
    Color = clBtnFace
    Percent = 7
    HotKey = 'x'
    Enabled = False
    Shade = shDark
    Sides = [sdTop, sdBottom]
    Ratio = 0.1
    Extra = 2.5
    Look.Name = 'Tahoma'
    Look.Size = 11
    Lines.Strings = (
      'Default'
      'two words')
    Rows = <>
    OnQuery = FormQuery
    Blob = {4C0000005F520000}
  end
end
)";

class FormDescriptionTest : public ::testing::Test {
protected:
    ClassRegistration classes{&Widget::classInfo(), &TestForm::classInfo()};
    std::vector<std::string> log;
};

Widget* widget(Component& form, const char* name) { return dynamic_cast<Widget*>(form.findComponent(name)); }

}  // namespace

TEST_F(FormDescriptionTest, ReadsComponentsValuesReferencesAndHandlers) {
    TestForm form;
    form.log = &log;
    readFormDescription(formText, form);

    EXPECT_EQ(form.name(), "Form1");
    ASSERT_EQ(form.componentCount(), 3);
    Widget* a = widget(form, "BTNA");  // names are found ignoring case
    Widget* inner = widget(form, "inner");
    Widget* b = widget(form, "btnB");
    ASSERT_TRUE(a && inner && b);
    // Creation order, ownership by the root, parents as nested.
    EXPECT_EQ(form.component(0), a);
    EXPECT_EQ(form.component(1), inner);
    EXPECT_EQ(form.component(2), b);
    EXPECT_EQ(inner->owner(), &form);
    EXPECT_EQ(a->parentSeen, &form);
    EXPECT_EQ(inner->parentSeen, a);

    EXPECT_EQ(a->caption(), "It's a test\r\nline two");
    EXPECT_EQ(b->left(), -3);
    EXPECT_EQ(b->color(), 0xFF00000Fu);  // by its name
    EXPECT_EQ(a->color(), 255u);
    EXPECT_EQ(b->percent(), 7);
    EXPECT_EQ(b->hotKey(), 'x');
    EXPECT_FALSE(b->enabled());
    EXPECT_EQ(b->shade(), shDark);
    EXPECT_EQ(b->sides(), (Sides{sdTop, sdBottom}));
    EXPECT_EQ(b->ratio(), 0.1);
    EXPECT_EQ(b->extra(), Variant(2.5));
    EXPECT_EQ(b->look().name(), "Tahoma");
    EXPECT_EQ(b->look().size(), 11);
    EXPECT_EQ(b->lines().commaText(), "Default,\"two words\"");

    // A reference to a component that comes later, also inside nested collections.
    EXPECT_EQ(a->buddy(), b);
    ASSERT_EQ(a->rows().count(), 1);
    auto* row = dynamic_cast<Row*>(a->rows().item(0));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->caption(), "Main Toolbar");
    ASSERT_EQ(row->links().count(), 2);
    EXPECT_EQ(dynamic_cast<Link*>(row->links().item(0))->target(), b);
    EXPECT_EQ(dynamic_cast<Link*>(row->links().item(1))->target(), a);
    EXPECT_TRUE(dynamic_cast<Link*>(row->links().item(1))->beginGroup());

    // Defined properties.
    EXPECT_EQ(a->sizes, (std::vector<int>{0, 0, 26, 0}));
    EXPECT_EQ(b->blob, (std::vector<std::uint8_t>{0x4C, 0, 0, 0, 0x5F, 0x52, 0, 0}));

    // Handlers bound to the form's published methods.
    a->OnClick(a);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.lastSender, a);
    bool cont = true;
    b->OnQuery(b, cont);
    EXPECT_FALSE(cont);
}

TEST_F(FormDescriptionTest, LoadedIsSentOnceInCreationOrderAfterLoadingEnds) {
    TestForm form;
    form.log = &log;
    readFormDescription(formText, form);
    EXPECT_EQ(form.loadedCount, 1);
    EXPECT_FALSE(form.isLoading());
    for (Component* c : form.components()) {
        auto* w = dynamic_cast<Widget*>(c);
        EXPECT_EQ(w->loadedCount, 1) << w->name();
        EXPECT_FALSE(w->loadingAtLoaded) << w->name();
        EXPECT_FALSE(w->isLoading());
    }
}

TEST_F(FormDescriptionTest, WritingWhatWasReadGivesTheSameText) {
    TestForm form;
    readFormDescription(formText, form);
    EXPECT_EQ(writeFormDescription(form), formText);
}

TEST_F(FormDescriptionTest, ReaderAcceptsLooseLayoutAndWriterNormalisesIt) {
    TestForm form;
    // Hex, concatenation with '+', lists on one line, a short binary, names in any case.
    readFormDescription(
        "object F: testform\n"
        "  object w: WIDGET left = $1F caption = 'ab' +\n"
        "  'cd' sizes = ( 1 2 ) rows = < item caption = 'x' end > end\n"
        "end",
        form);
    Widget* w = widget(form, "w");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->left(), 31);
    EXPECT_EQ(w->caption(), "abcd");
    EXPECT_EQ(w->sizes, (std::vector<int>{1, 2}));
    EXPECT_EQ(writeFormDescription(form),
              "object F: TestForm\n"
              "  object w: Widget\n"
              "    Left = 31\n"
              "    Caption = 'abcd'\n"
              "    Rows = <\n"
              "      item\n"
              "        Caption = 'x'\n"
              "        Links = <>\n"
              "      end>\n"
              "    Sizes = (\n"
              "      1\n"
              "      2)\n"
              "  end\n"
              "end\n");
}

TEST_F(FormDescriptionTest, CreatesTheRootFromItsRegisteredClass) {
    std::unique_ptr<Component> root = createFromFormDescription(formText);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->className(), "TestForm");
    EXPECT_EQ(root->componentCount(), 3);
}

TEST_F(FormDescriptionTest, ScratchCopyIsAFreshInstanceFromTheStoredDescription) {
    registerFormDescription("TestForm", formText);
    TestForm form;
    loadFormDescription(form);
    widget(form, "btnB")->setLeft(500);
    std::unique_ptr<Component> copy = createScratchCopy(form);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), &form);
    EXPECT_EQ(copy->owner(), nullptr);
    EXPECT_EQ(widget(*copy, "btnB")->left(), -3);
    EXPECT_EQ(widget(*copy, "btnA")->buddy(), widget(*copy, "btnB"));
    EXPECT_TRUE(copy->componentState().contains(csScratchCopy));
    EXPECT_TRUE(widget(*copy, "btnA")->componentState().contains(csScratchCopy));
    EXPECT_FALSE(form.componentState().contains(csScratchCopy));
    unregisterFormDescription("TestForm");
    EXPECT_THROW(createScratchCopy(form), EReadError);
}

TEST_F(FormDescriptionTest, ErrorsCarryLineColumnAndLeaveNothingBehind) {
    struct Case {
        const char* text;
        int line, column;
        const char* reason;
    } cases[] = {
        // truncated input
        {"object F: TestForm\n  object w: Widget\n    Left = 1\n", 4, 1,
         "unexpected end of the description, expected 'end'"},
        {"object F: TestForm\n  object w: Widget\n    Caption = 'abc", 3, 19, "unterminated string"},
        {"object F: TestForm\n  object w: Widget\n    Rows = <\n      item\n", 5, 1,
         "unexpected end of the description"},
        // bad tokens
        {"object F: TestForm\n  object w: Widget\n    Left = @\n  end\nend", 3, 12, "unexpected character '@'"},
        {"object F: TestForm\n  object w: Widget\n    Left 5\n  end\nend", 3, 10, "expected '=', found integer"},
        {"object F: TestForm\n  object w: Widget\n    Left = 1.5\n  end\nend", 3, 12,
         "expected an integer for property 'Left', found floating point number"},
        // numbers beyond the range of double, which must not turn into infinity or zero
        {"object F: TestForm\n  object w: Widget\n    Extra = 1.5E77777777777777777\n  end\nend", 3, 13,
         "number out of range"},
        {"object F: TestForm\n  object w: Widget\n    Ratio = -1E400\n  end\nend", 3, 13, "number out of range"},
        {"object F: TestForm\n  object w: Widget\n    Ratio = 1E-400\n  end\nend", 3, 13, "number out of range"},
        {"object F: TestForm\n  object w: Widget\n    Blob = {4C0}\n  end\nend", 3, 16,
         "odd number of hexadecimal digits"},
        {"object F: TestForm\nend\nend", 3, 1, "expected end of the description, found 'end'"},
        // unknown names
        {"object F: TestForm\n  object w: Gadget\n  end\nend", 2, 13, "unknown class 'Gadget'"},
        {"object F: TestForm\n  object w: Widget\n    Colour = 5\n  end\nend", 3, 5,
         "unknown property 'Colour' of class Widget"},
        {"object F: TestForm\n  object w: Widget\n    Shade = shPink\n  end\nend", 3, 13,
         "'shPink' is not a value of Shade"},
        {"object F: TestForm\n  object w: Widget\n    Color = clPink\n  end\nend", 3, 13,
         "'clPink' is not a value name of property 'Color'"},
        {"object F: TestForm\n  object w: Widget\n    Left = Five\n  end\nend", 3, 12,
         "expected an integer for property 'Left', found identifier"},
        {"object F: TestForm\n  object w: Widget\n    OnClick = NoSuchHandler\n  end\nend", 3, 15,
         "unknown method 'NoSuchHandler' of class TestForm"},
        {"object F: TestForm\n  object w: Widget\n    OnClick = FormQuery\n  end\nend", 3, 15,
         "method 'FormQuery' does not have the parameters of event 'OnClick'"},
        {"object F: TestForm\n  object w: Widget\n    Buddy = nobody\n  end\nend", 3, 13, "unknown component 'nobody'"},
        {"object F: TestForm\n  object w: Widget\n    Buddy = Form2.w\n  end\nend", 3, 13,
         "references to components of other forms are not supported: 'Form2.w'"},
        {"object F: TestForm\n  object w: Widget\n    Percent = 300\n  end\nend", 3, 15,
         "Value 300 is out of range for property 'Percent'"},
        {"object F: TestForm\n  object w: Widget\n  end\n  object W: Widget\n  end\nend", 4, 3,
         "a component named W already exists"},
        {"object F: Widget\nend", 1, 11, "class Widget does not match the form's class TestForm"},
    };
    for (const Case& c : cases) {
        TestForm form;
        try {
            readFormDescription(c.text, form);
            ADD_FAILURE() << "no error for:\n" << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.reason(), c.reason) << c.text;
            EXPECT_EQ(e.line(), c.line) << c.text;
            EXPECT_EQ(e.column(), c.column) << c.text;
            EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ", column ", 0), 0u);
        }
        EXPECT_EQ(form.componentCount(), 0) << c.text;
        EXPECT_FALSE(form.isLoading());
        EXPECT_EQ(form.loadedCount, 0);
    }
}

TEST_F(FormDescriptionTest, ReferencesFromItemsReplacedLaterAreDropped) {
    // The second Rows value frees the items of the first, whose reference must not be resolved.
    TestForm form;
    readFormDescription(
        "object F: TestForm\n"
        "  object w: Widget\n"
        "    Rows = <\n"
        "      item\n"
        "        Links = <\n"
        "          item\n"
        "            Item = w\n"
        "          end>\n"
        "      end>\n"
        "    Rows = <\n"
        "      item\n"
        "      end>\n"
        "  end\n"
        "end\n",
        form);
    Widget* w = widget(form, "w");
    ASSERT_EQ(w->rows().count(), 1);
    EXPECT_EQ(dynamic_cast<Row*>(w->rows().item(0))->links().count(), 0);
}

TEST_F(FormDescriptionTest, NonFiniteFloatsRoundTrip) {
    // Both a float property and a variant one: the writer writes INF, -INF and NAN for either.
    for (const char* prop : {"Ratio", "Extra"}) {
        for (const char* value : {"INF", "-INF", "NAN"}) {
            const std::string text =
                std::string("object F: TestForm\n  object w: Widget\n    ") + prop + " = " + value + "\n  end\nend\n";
            TestForm form;
            readFormDescription(text, form);
            const std::string written = writeFormDescription(form);
            EXPECT_NE(written.find(std::string("    ") + prop + " = " + value + "\n"), std::string::npos) << written;
            TestForm again;
            readFormDescription(written, again);
            EXPECT_EQ(writeFormDescription(again), written);
        }
    }
    TestForm form;
    auto* w = new Widget(&form);
    w->setName("w");
    w->setExtra(Variant(-HUGE_VAL));
    w->setRatio(std::numeric_limits<double>::quiet_NaN());
    TestForm again;
    readFormDescription(writeFormDescription(form), again);
    EXPECT_EQ(widget(again, "w")->extra().toFloat(), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(widget(again, "w")->ratio()));
    for (const char* bad : {"Ratio = Lots", "Extra = Lots", "Extra = -NAN"}) {
        TestForm f;
        EXPECT_THROW(readFormDescription(
                         std::string("object F: TestForm\n  object w: Widget\n    ") + bad + "\n  end\nend\n", f),
                     EReadError)
            << bad;
    }
}
