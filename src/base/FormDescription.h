#pragma once
// The form description: a readable, diffable text form of a form and its components.
//
//     object frmMain: FrmMain
//       Left = 209
//       Caption = 'Lindora 1.0'
//       Font.Name = 'MS Sans Serif'          sub-object properties by dotted name
//       OnCreate = FormCreate                event handler: a published method of the root
//       object BarManager1: BarManager       components, owned by the root
//         Images = imgMenu                   reference, resolved after everything is read
//         DockingStyles = [dsLeft, dsTop]    set
//         Bars = <                           collection
//           item
//             Caption = 'Main Toolbar'
//           end>
//         Settings = (                       list (defined properties)
//           'btnAutoLogin.Down'
//           False)
//         Data = {4C0000005F520000}          binary
//       end
//     end
//
// Values: integers (also negative, hex $FF, or a value name such as clBtnFace where the
// property has names), floats (1.5, 2E-7, INF, NAN), strings ('it''s', #13#10 character
// codes, concatenation, "+" at a line end continues), identifiers (enumeration names,
// True/False, nil, component references, handler names). Comments are not part of it.
//
// Writing: stored properties that differ from their defaults (all, where there is no default)
// in table order, sub-objects by
// dotted names, collections always (empty ones as "<>"), then defined properties, then the
// children (getChildren) as nested blocks. Reading what was written writes the same text.
//
// Reading: components of inner blocks are created through the class registry, owned by the
// root, and told setParentComponent(enclosing component). Every component read has csLoading
// set while reading; afterwards references are resolved, csLoading is cleared on all of them,
// and loaded() is sent to the root and then to each created component in creation order.
// A failed read raises EReadError with line and column, frees the components created so far
// and leaves nothing else behind (the root's own properties may have been changed).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Filer.h"

namespace lindora {

class Component;
namespace detail {
class CreatedComponents;
}

class FormReader : public Reader {
public:
    explicit FormReader(std::string_view text);
    ~FormReader() override;

    // Reads a whole description into an existing root. The description's class must be the
    // root's class or one of its ancestors.
    void readRootComponent(Component& root);
    // Creates the root from the description's class (registered, owner none) and reads it.
    std::unique_ptr<Component> readComponent();

    ValueType nextValue() override;
    void readListBegin() override;
    void readListEnd() override;
    std::int64_t readInteger() override;
    double readFloat() override;
    std::string readString() override;
    std::string readIdent() override;
    std::vector<std::uint8_t> readBinary() override;
    std::vector<std::string> readSet() override;
    [[noreturn]] void error(const std::string& what) const override;

protected:
    Position position() override;
    std::string readPropName() override;
    void readCollectionBegin() override;
    void readItemBegin() override;

public:
    struct Token;

private:
    class Lexer;
    void readObjectBody(Component& instance);
    void readChild(Component& parent);
    void readHeader(std::string& name, std::string& className, Position& classAt);
    [[noreturn]] void fail(const std::string& what) const;
    void readRoot(Component& root, const std::string& name, const std::string& className, Position classAt);

    std::unique_ptr<Lexer> lexer_;
    std::vector<char> open_;  // '(' list, '<' collection, 'i' item
    std::size_t depth_ = 0;   // nested object blocks
    detail::CreatedComponents* created_ = nullptr;
};

class FormWriter : public Writer {
public:
    FormWriter();
    ~FormWriter() override;

    // Writes the root, its stored properties and its children (getChildren) recursively.
    void writeRootComponent(Component& root);
    const std::string& text() const { return out_; }

    void writeListBegin() override;
    void writeListEnd() override;
    void writeInteger(std::int64_t value) override;
    void writeFloat(double value) override;
    void writeString(std::string_view value) override;
    void writeIdent(std::string_view value) override;
    void writeBinary(std::span<const std::uint8_t> bytes) override;
    void writeSet(const std::vector<std::string>& members) override;
    void writeNil() override;

protected:
    void writePropName(const std::string& name) override;
    void writeCollectionBegin() override;
    void writeItemBegin() override;
    void writeItemEnd() override;
    void writeCollectionEnd() override;

private:
    void writeComponent(Component& component, int depth);
    void beginValue();
    void newLine(int indent);

    struct Open {
        int indent;
        std::vector<int> lists;
        int itemIndent;
    };
    std::string out_;
    int indent_ = 0;          // indentation of property lines
    std::vector<int> lists_;  // value indentation of open lists
    std::vector<Open> collections_;
};

// Text form of a root component and everything written inside it.
std::string writeFormDescription(Component& root);
// Reads a description into an existing root (see FormReader::readRootComponent).
void readFormDescription(std::string_view text, Component& root);
// Creates and reads a root of the description's registered class; the caller owns it.
std::unique_ptr<Component> createFromFormDescription(std::string_view text);

// The stored descriptions of form classes, by class name (ignoring ASCII case).
void registerFormDescription(const std::string& className, std::string text);
void unregisterFormDescription(std::string_view className);
// Null when none is registered.
const std::string* findFormDescription(std::string_view className);
// Reads the registered description of root's class into root; EReadError when there is none.
void loadFormDescription(Component& root);
// A fresh instance of form's class read from its registered description: a scratch copy owned
// by the caller, used to recover design-time state. The copy carries csScratchCopy before
// reading starts, each component read into it from right after its construction, so that
// they can refrain from showing windows or loading stored state (a constructor can ask its
// owner). Throws when the class has no description or cannot be created without owner.
std::unique_ptr<Component> createScratchCopy(const Component& form);

}  // namespace lindora
