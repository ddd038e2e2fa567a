#include "base/FormDescription.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <limits>

#include "base/ClassInfo.h"
#include "base/ClassRegistry.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Exception.h"
#include "base/TextUtil.h"

namespace lindora {

namespace {
// Deeper nesting than this is refused rather than risking the stack.
constexpr std::size_t maxNesting = 200;
}  // namespace

namespace detail {
// Keeps the list of components created by a read; a component freed meanwhile (by another
// one's destructor or loaded()) drops out of the list by free notification.
class CreatedComponents : public Component {
public:
    explicit CreatedComponents(Reader& reader) : reader_(reader) {}
    ~CreatedComponents() override {
        for (Component* c : list) removeFreeNotification(c);
    }
    void add(Component* c) {
        list.push_back(c);
        freeNotification(c);
    }
    void freeAll() {
        while (!list.empty()) {
            Component* c = list.back();
            list.pop_back();
            removeFreeNotification(c);
            delete c;
        }
    }
    std::vector<Component*> list;

protected:
    void notification(Component* component, Operation operation) override {
        if (operation != opRemove) return;
        reader_.forgetFixupsOf(component);
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (*it == component) {
                list.erase(it);
                break;
            }
        }
    }

private:
    Reader& reader_;
};
}  // namespace detail

using detail::CreatedComponents;

namespace {

bool identStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool identPart(char c) { return identStart(c) || (c >= '0' && c <= '9'); }
bool digit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string describeChar(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) return std::string("'") + c + "'";
    return "#" + std::to_string(u);
}

}  // namespace

// --- Lexer ---

struct FormReader::Token {
    enum Kind { End, Ident, Integer, Float, String, Binary, Symbol };
    Kind kind = End;
    std::string text;  // identifier, string value, or the symbol
    std::int64_t integer = 0;
    double number = 0;
    std::vector<std::uint8_t> bytes;
    int line = 1;
    int column = 1;

    bool isSymbol(char c) const { return kind == Symbol && text.size() == 1 && text[0] == c; }
    bool isWord(std::string_view w) const { return kind == Ident && sameText(text, w); }
};

class FormReader::Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    const Token& peek(std::size_t ahead = 0) {
        while (buffer_.size() <= ahead) buffer_.push_back(scan());
        return buffer_[ahead];
    }
    Token next() {
        peek();
        Token t = std::move(buffer_.front());
        buffer_.pop_front();
        return t;
    }

private:
    [[noreturn]] void fail(int line, int column, const std::string& what) const {
        throw EReadError(line, column, what);
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char cur() const { return atEnd() ? '\0' : text_[pos_]; }
    char at(std::size_t offset) const { return pos_ + offset < text_.size() ? text_[pos_ + offset] : '\0'; }
    void advance() {
        if (atEnd()) return;
        if (text_[pos_] == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        ++pos_;
    }
    void skipBlanks() {
        while (!atEnd() && (cur() == ' ' || cur() == '\t' || cur() == '\r' || cur() == '\n')) advance();
    }

    Token scan() {
        skipBlanks();
        Token t;
        t.line = line_;
        t.column = column_;
        if (atEnd()) return t;
        char c = cur();
        if (identStart(c)) {
            t.kind = Token::Ident;
            while (identPart(cur())) {
                t.text += cur();
                advance();
            }
            return t;
        }
        if (digit(c) || c == '$' || (c == '-' && (digit(at(1)) || at(1) == '$'))) return scanNumber(t);
        if (c == '\'' || c == '#') return scanString(t);
        if (c == '{') return scanBinary(t);
        static const std::string_view symbols = "=:.,()[]<>+-";
        if (symbols.find(c) != std::string_view::npos) {
            t.kind = Token::Symbol;
            t.text = std::string(1, c);
            advance();
            return t;
        }
        fail(line_, column_, "unexpected character " + describeChar(c));
    }

    Token scanNumber(Token& t) {
        bool negative = false;
        if (cur() == '-') {
            negative = true;
            advance();
        }
        if (cur() == '$') {
            advance();
            std::uint64_t v = 0;
            int digits = 0;
            while (hexValue(cur()) >= 0) {
                if (++digits > 16) fail(t.line, t.column, "integer out of range");
                v = v * 16 + static_cast<std::uint64_t>(hexValue(cur()));
                advance();
            }
            if (digits == 0) fail(line_, column_, "expected hexadecimal digits after '$'");
            if (identPart(cur())) fail(line_, column_, "invalid number");
            t.kind = Token::Integer;
            t.integer = negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
            return t;
        }
        std::string s = negative ? "-" : "";
        bool isFloat = false;
        while (digit(cur())) {
            s += cur();
            advance();
        }
        if (cur() == '.' && digit(at(1))) {
            isFloat = true;
            s += '.';
            advance();
            while (digit(cur())) {
                s += cur();
                advance();
            }
        }
        if ((cur() == 'e' || cur() == 'E') && (digit(at(1)) || ((at(1) == '+' || at(1) == '-') && digit(at(2))))) {
            isFloat = true;
            s += 'e';
            advance();
            if (cur() == '+' || cur() == '-') {
                s += cur();
                advance();
            }
            while (digit(cur())) {
                s += cur();
                advance();
            }
        }
        if (identPart(cur())) fail(line_, column_, "invalid number");
        const char* first = s.data();
        const char* last = s.data() + s.size();
        if (isFloat) {
            t.kind = Token::Float;
            // A literal beyond the range of double (either way) is refused rather than read as
            // infinity or zero: the writer would not give back the text that was read.
            auto [end, ec] = std::from_chars(first, last, t.number);
            if (ec == std::errc::result_out_of_range) fail(t.line, t.column, "number out of range");
            if (ec != std::errc() || end != last) fail(t.line, t.column, "invalid number");
        } else {
            t.kind = Token::Integer;
            auto [end, ec] = std::from_chars(first, last, t.integer);
            if (ec != std::errc() || end != last) fail(t.line, t.column, "integer out of range");
        }
        return t;
    }

    Token scanString(Token& t) {
        t.kind = Token::String;
        while (true) {
            if (cur() == '\'') {
                advance();
                while (true) {
                    if (atEnd() || cur() == '\n' || cur() == '\r') fail(line_, column_, "unterminated string");
                    if (cur() == '\'') {
                        if (at(1) == '\'') {
                            t.text += '\'';
                            advance();
                            advance();
                            continue;
                        }
                        advance();
                        break;
                    }
                    t.text += cur();
                    advance();
                }
            } else if (cur() == '#') {
                int line = line_, column = column_;
                advance();
                unsigned value = 0;
                int digits = 0;
                bool hex = cur() == '$';
                if (hex) {
                    advance();
                    while (hexValue(cur()) >= 0 && digits < 2) {
                        value = value * 16 + static_cast<unsigned>(hexValue(cur()));
                        ++digits;
                        advance();
                    }
                } else {
                    while (digit(cur()) && digits < 3) {
                        value = value * 10 + static_cast<unsigned>(cur() - '0');
                        ++digits;
                        advance();
                    }
                }
                bool more = hex ? hexValue(cur()) >= 0 : digit(cur());
                if (digits == 0 || value > 255 || more) fail(line, column, "invalid character code");
                t.text += static_cast<char>(value);
            } else {
                break;
            }
            if (cur() == '\'' || cur() == '#') continue;
            // "'abc' +" at a line end continues with the next string.
            std::size_t savePos = pos_;
            int saveLine = line_, saveColumn = column_;
            skipBlanks();
            if (cur() == '+') {
                advance();
                skipBlanks();
                if (cur() == '\'' || cur() == '#') continue;
            }
            pos_ = savePos;
            line_ = saveLine;
            column_ = saveColumn;
            break;
        }
        return t;
    }

    Token scanBinary(Token& t) {
        t.kind = Token::Binary;
        advance();  // '{'
        int high = -1;
        while (true) {
            skipBlanks();
            if (atEnd()) fail(line_, column_, "expected '}'");
            if (cur() == '}') {
                if (high >= 0) fail(line_, column_, "odd number of hexadecimal digits");
                advance();
                return t;
            }
            int v = hexValue(cur());
            if (v < 0) fail(line_, column_, "expected hexadecimal digit or '}', found " + describeChar(cur()));
            if (high < 0) {
                high = v;
            } else {
                t.bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
                high = -1;
            }
            advance();
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    std::deque<Token> buffer_;
};

// --- FormReader ---

FormReader::FormReader(std::string_view text) : lexer_(std::make_unique<Lexer>(text)) {}

FormReader::~FormReader() = default;

Reader::Position FormReader::position() {
    const Token& t = lexer_->peek();
    return Position{t.line, t.column};
}

void FormReader::error(const std::string& what) const { fail(what); }

void FormReader::fail(const std::string& what) const {
    const Token& t = lexer_->peek();
    throw EReadError(t.line, t.column, what);
}

static std::string describe(const FormReader::Token& t);

ValueType FormReader::nextValue() {
    const Token& t = lexer_->peek();
    switch (t.kind) {
    case Token::End: fail("unexpected end of the description");
    case Token::Integer: return ValueType::Integer;
    case Token::Float: return ValueType::Float;
    case Token::String: return ValueType::String;
    case Token::Binary: return ValueType::Binary;
    case Token::Ident: {
        if (!open_.empty() && open_.back() == 'i' && t.isWord("end")) {
            const Token& after = lexer_->peek(1);
            if (!after.isSymbol('=') && !after.isSymbol('.')) return ValueType::Null;
        }
        if (t.isWord("True")) return ValueType::True;
        if (t.isWord("False")) return ValueType::False;
        if (t.isWord("nil")) return ValueType::Nil;
        return ValueType::Ident;
    }
    case Token::Symbol:
        switch (t.text[0]) {
        case ')':
        case '>': return ValueType::Null;
        case '(': return ValueType::List;
        case '[': return ValueType::Set;
        case '<': return ValueType::Collection;
        case '-':
            if (lexer_->peek(1).isWord("INF")) return ValueType::Float;
            break;
        default: break;
        }
        break;
    }
    fail("unexpected " + describe(t));
}

static std::string describe(const FormReader::Token& t) {
    switch (t.kind) {
    case FormReader::Token::End: return "end of the description";
    case FormReader::Token::Ident: return "'" + t.text + "'";
    case FormReader::Token::Integer: return "integer";
    case FormReader::Token::Float: return "number";
    case FormReader::Token::String: return "string";
    case FormReader::Token::Binary: return "binary data";
    case FormReader::Token::Symbol: return "'" + t.text + "'";
    }
    return "token";
}

void FormReader::readListBegin() {
    const Token& t = lexer_->peek();
    if (!t.isSymbol('(')) fail("expected '(', found " + describe(t));
    if (open_.size() >= maxNesting) fail("nesting too deep");
    lexer_->next();
    open_.push_back('(');
}

void FormReader::readListEnd() {
    const Token& t = lexer_->peek();
    char open = open_.empty() ? '(' : open_.back();
    if (open == '(' && !t.isSymbol(')')) fail("expected ')', found " + describe(t));
    if (open == '<' && !t.isSymbol('>')) fail("expected '>', found " + describe(t));
    if (open == 'i' && !t.isWord("end")) fail("expected 'end', found " + describe(t));
    lexer_->next();
    if (!open_.empty()) open_.pop_back();
}

std::int64_t FormReader::readInteger() {
    const Token& t = lexer_->peek();
    if (t.kind != Token::Integer) fail("expected an integer, found " + describe(t));
    return lexer_->next().integer;
}

double FormReader::readFloat() {
    const Token& t = lexer_->peek();
    if (t.kind == Token::Integer) return static_cast<double>(lexer_->next().integer);
    if (t.kind == Token::Float) return lexer_->next().number;
    if (t.isWord("INF")) {
        lexer_->next();
        return HUGE_VAL;
    }
    if (t.isWord("NAN")) {
        lexer_->next();
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (t.isSymbol('-') && lexer_->peek(1).isWord("INF")) {
        lexer_->next();
        lexer_->next();
        return -HUGE_VAL;
    }
    fail("expected a number, found " + describe(t));
}

std::string FormReader::readString() {
    const Token& t = lexer_->peek();
    if (t.kind != Token::String) fail("expected a string, found " + describe(t));
    return lexer_->next().text;
}

std::string FormReader::readIdent() {
    const Token& t = lexer_->peek();
    if (t.kind != Token::Ident) fail("expected an identifier, found " + describe(t));
    std::string name = lexer_->next().text;
    while (lexer_->peek().isSymbol('.') && lexer_->peek(1).kind == Token::Ident) {
        lexer_->next();
        name += '.';
        name += lexer_->next().text;
    }
    return name;
}

std::vector<std::uint8_t> FormReader::readBinary() {
    const Token& t = lexer_->peek();
    if (t.kind != Token::Binary) fail("expected binary data, found " + describe(t));
    return lexer_->next().bytes;
}

std::vector<std::string> FormReader::readSet() {
    const Token& t = lexer_->peek();
    if (!t.isSymbol('[')) fail("expected '[', found " + describe(t));
    lexer_->next();
    std::vector<std::string> members;
    if (lexer_->peek().isSymbol(']')) {
        lexer_->next();
        return members;
    }
    while (true) {
        const Token& m = lexer_->peek();
        if (m.kind != Token::Ident) fail("expected a set member, found " + describe(m));
        members.push_back(lexer_->next().text);
        const Token& sep = lexer_->peek();
        if (sep.isSymbol(']')) {
            lexer_->next();
            return members;
        }
        if (!sep.isSymbol(',')) fail("expected ',' or ']', found " + describe(sep));
        lexer_->next();
    }
}

std::string FormReader::readPropName() {
    const Token& t = lexer_->peek();
    if (t.kind != Token::Ident) fail("expected a property name, found " + describe(t));
    std::string name = lexer_->next().text;
    while (lexer_->peek().isSymbol('.')) {
        lexer_->next();
        const Token& part = lexer_->peek();
        if (part.kind != Token::Ident) fail("expected a property name after '.', found " + describe(part));
        name += '.';
        name += lexer_->next().text;
    }
    const Token& eq = lexer_->peek();
    if (!eq.isSymbol('=')) fail("expected '=', found " + describe(eq));
    lexer_->next();
    return name;
}

void FormReader::readCollectionBegin() {
    const Token& t = lexer_->peek();
    if (!t.isSymbol('<')) fail("expected '<', found " + describe(t));
    if (open_.size() >= maxNesting) fail("nesting too deep");
    lexer_->next();
    open_.push_back('<');
}

void FormReader::readItemBegin() {
    const Token& t = lexer_->peek();
    if (!t.isWord("item")) fail("expected 'item', found " + describe(t));
    if (open_.size() >= maxNesting) fail("nesting too deep");
    lexer_->next();
    open_.push_back('i');
}

void FormReader::readHeader(std::string& name, std::string& className, Position& classAt) {
    const Token& t = lexer_->peek();
    if (t.isWord("inherited") || t.isWord("inline")) fail("inherited descriptions are not supported");
    if (!t.isWord("object")) fail("expected 'object', found " + describe(t));
    lexer_->next();
    name.clear();
    if (lexer_->peek().kind == Token::Ident) name = lexer_->next().text;
    const Token& colon = lexer_->peek();
    if (!colon.isSymbol(':')) fail("expected ':', found " + describe(colon));
    lexer_->next();
    classAt = position();
    const Token& cls = lexer_->peek();
    if (cls.kind != Token::Ident) fail("expected a class name, found " + describe(cls));
    className = lexer_->next().text;
}

void FormReader::readObjectBody(Component& instance) {
    if (open_.size() + depth_ >= maxNesting) fail("nesting too deep");
    ++depth_;
    instance.setState(csReading, true);
    try {
        while (true) {
            const Token& t = lexer_->peek();
            if (t.kind == Token::End) fail("unexpected end of the description, expected 'end'");
            if (t.kind == Token::Ident) {
                const Token& after = lexer_->peek(1);
                bool property = after.isSymbol('=') || after.isSymbol('.');
                if (!property && t.isWord("end")) {
                    lexer_->next();
                    break;
                }
                if (!property && (t.isWord("object") || t.isWord("inherited") || t.isWord("inline"))) {
                    readChild(instance);
                    continue;
                }
                readProperty(instance);
                continue;
            }
            fail("expected a property name, 'object' or 'end', found " + describe(t));
        }
    } catch (...) {
        instance.setState(csReading, false);
        --depth_;
        throw;
    }
    instance.setState(csReading, false);
    --depth_;
}

void FormReader::readChild(Component& parent) {
    Position at = position();
    std::string name, className;
    Position classAt;
    readHeader(name, className, classAt);
    const ClassInfo* info = findClass(className);
    if (!info) errorAt(classAt, "unknown class '" + className + "'");
    if (!info->canCreateComponent()) errorAt(classAt, "class " + info->name() + " cannot be created");
    if (!name.empty() && (root()->findComponent(name) || sameText(root()->name(), name)))
        errorAt(at, "a component named " + name + " already exists");
    Component* child = nullptr;
    try {
        child = info->createComponent(root());
        if (!child->owner()) root()->insertComponent(child);
        created_->add(child);
        child->setState(csLoading, true);
        if (root()->componentState().contains(csScratchCopy)) child->setState(csScratchCopy, true);
        child->setName(name);
        child->setParentComponent(&parent);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        if (child && std::find(created_->list.begin(), created_->list.end(), child) == created_->list.end())
            delete child;
        errorAt(at, e.message());
    }
    readObjectBody(*child);
}

void FormReader::readRoot(Component& root, const std::string& name, const std::string& className, Position classAt) {
    bool classFits = false;
    for (const ClassInfo* c = &root.classType(); c; c = c->parent())
        if (sameText(c->name(), className)) classFits = true;
    if (!classFits) errorAt(classAt, "class " + className + " does not match the form's class " + root.className());
    ObjectRead read(*this);  // references are resolved below, once everything is read
    CreatedComponents created(*this);
    created_ = &created;
    setRoot(&root);
    root.setState(csLoading, true);
    try {
        try {
            root.setName(name);
        } catch (const Exception& e) {
            errorAt(classAt, e.message());
        }
        readObjectBody(root);
        const Token& t = lexer_->peek();
        if (t.kind != Token::End) fail("expected end of the description, found " + describe(t));
        resolveFixups();
    } catch (...) {
        discardFixups();
        created.freeAll();
        root.setState(csLoading, false);
        created_ = nullptr;
        throw;
    }
    created_ = nullptr;
    // Everything is read: clear the loading state, then tell each component in creation order.
    std::vector<Component*> order = created.list;
    root.setState(csLoading, false);
    for (Component* c : order) c->setState(csLoading, false);
    root.loaded();
    while (!created.list.empty()) {
        Component* c = created.list.front();
        created.list.erase(created.list.begin());
        created.removeFreeNotification(c);
        c->loaded();
    }
}

void FormReader::readRootComponent(Component& root) {
    std::string name, className;
    Position classAt;
    readHeader(name, className, classAt);
    readRoot(root, name, className, classAt);
}

std::unique_ptr<Component> FormReader::readComponent() {
    std::string name, className;
    Position classAt;
    readHeader(name, className, classAt);
    const ClassInfo* info = findClass(className);
    if (!info) errorAt(classAt, "unknown class '" + className + "'");
    if (!info->canCreateComponent()) errorAt(classAt, "class " + info->name() + " cannot be created");
    std::unique_ptr<Component> root;
    try {
        root.reset(info->createComponent(nullptr));
    } catch (const Exception& e) {
        errorAt(classAt, e.message());
    }
    readRoot(*root, name, className, classAt);
    return root;
}

// --- FormWriter ---

FormWriter::FormWriter() = default;
FormWriter::~FormWriter() = default;

void FormWriter::newLine(int indent) {
    if (!out_.empty()) out_ += '\n';
    out_.append(static_cast<std::size_t>(indent), ' ');
}

void FormWriter::beginValue() {
    if (!lists_.empty()) newLine(lists_.back());
}

void FormWriter::writeRootComponent(Component& root) {
    setRoot(&root);
    out_.clear();
    lists_.clear();
    collections_.clear();
    writeComponent(root, 0);
    out_ += '\n';
}

void FormWriter::writeComponent(Component& component, int depth) {
    newLine(depth * 2);
    out_ += "object " + component.name() + ": " + component.className();
    component.setState(csWriting, true);
    try {
        indent_ = depth * 2 + 2;
        writeProperties(component);
        component.getChildren([this, depth](Component& child) { writeComponent(child, depth + 1); }, root());
    } catch (...) {
        component.setState(csWriting, false);
        throw;
    }
    component.setState(csWriting, false);
    indent_ = depth * 2;
    newLine(depth * 2);
    out_ += "end";
}

void FormWriter::writePropName(const std::string& name) {
    newLine(indent_);
    out_ += name;
    out_ += " = ";
}

void FormWriter::writeListBegin() {
    beginValue();
    int base = lists_.empty() ? indent_ : lists_.back();
    out_ += '(';
    lists_.push_back(base + 2);
}

void FormWriter::writeListEnd() {
    out_ += ')';
    if (!lists_.empty()) lists_.pop_back();
}

void FormWriter::writeInteger(std::int64_t value) {
    beginValue();
    out_ += std::to_string(value);
}

void FormWriter::writeFloat(double value) {
    beginValue();
    if (std::isnan(value)) {
        out_ += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out_ += value < 0 ? "-INF" : "INF";
        return;
    }
    // The shortest text that reads back as the same double.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string s(buf, end);
    std::size_t e = s.find('e');
    int exponent = std::stoi(s.substr(e + 1));
    std::string digits;
    bool negative = s[0] == '-';
    for (std::size_t i = 0; i < e; ++i)
        if (digit(s[i])) digits += s[i];
    std::string text = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        text += digits[0];
        if (digits.size() > 1) text += "." + digits.substr(1);
        text += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) text += digits + std::string(intDigits - digits.size(), '0') + ".0";
        else text += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
    out_ += text;
}

void FormWriter::writeString(std::string_view value) {
    beginValue();
    if (value.empty()) {
        out_ += "''";
        return;
    }
    bool quoted = false;
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 32) {
            if (quoted) out_ += '\'';
            quoted = false;
            out_ += '#' + std::to_string(static_cast<unsigned char>(c));
            continue;
        }
        if (!quoted) out_ += '\'';
        quoted = true;
        if (c == '\'') out_ += '\'';
        out_ += c;
    }
    if (quoted) out_ += '\'';
}

void FormWriter::writeIdent(std::string_view value) {
    beginValue();
    out_ += value;
}

void FormWriter::writeBinary(std::span<const std::uint8_t> bytes) {
    beginValue();
    static const char hex[] = "0123456789ABCDEF";
    out_ += '{';
    // Short data on one line; longer data in lines of 32 bytes.
    bool multiLine = bytes.size() > 32;
    int indent = (lists_.empty() ? indent_ : lists_.back()) + 2;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (multiLine && i % 32 == 0) newLine(indent);
        out_ += hex[bytes[i] >> 4];
        out_ += hex[bytes[i] & 15];
    }
    out_ += '}';
}

void FormWriter::writeSet(const std::vector<std::string>& members) {
    beginValue();
    out_ += '[';
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i) out_ += ", ";
        out_ += members[i];
    }
    out_ += ']';
}

void FormWriter::writeNil() {
    beginValue();
    out_ += "nil";
}

void FormWriter::writeCollectionBegin() {
    beginValue();
    int base = lists_.empty() ? indent_ : lists_.back();
    out_ += '<';
    collections_.push_back(Open{indent_, std::move(lists_), base + 2});
    lists_.clear();
}

void FormWriter::writeItemBegin() {
    newLine(collections_.back().itemIndent);
    out_ += "item";
    indent_ = collections_.back().itemIndent + 2;
}

void FormWriter::writeItemEnd() {
    newLine(collections_.back().itemIndent);
    out_ += "end";
}

void FormWriter::writeCollectionEnd() {
    out_ += '>';
    indent_ = collections_.back().indent;
    lists_ = std::move(collections_.back().lists);
    collections_.pop_back();
}

// --- Convenience and the description registry ---

std::string writeFormDescription(Component& root) {
    FormWriter writer;
    writer.writeRootComponent(root);
    return writer.text();
}

void readFormDescription(std::string_view text, Component& root) {
    FormReader reader(text);
    reader.readRootComponent(root);
}

std::unique_ptr<Component> createFromFormDescription(std::string_view text) {
    FormReader reader(text);
    return reader.readComponent();
}

namespace {
std::vector<std::pair<std::string, std::string>>& descriptions() {
    static std::vector<std::pair<std::string, std::string>> list;
    return list;
}
}  // namespace

void registerFormDescription(const std::string& className, std::string text) {
    for (auto& [name, stored] : descriptions()) {
        if (sameText(name, className)) {
            stored = std::move(text);
            return;
        }
    }
    descriptions().emplace_back(className, std::move(text));
}

void unregisterFormDescription(std::string_view className) {
    auto& list = descriptions();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (sameText(it->first, className)) {
            list.erase(it);
            return;
        }
    }
}

const std::string* findFormDescription(std::string_view className) {
    for (const auto& [name, text] : descriptions())
        if (sameText(name, className)) return &text;
    return nullptr;
}

void loadFormDescription(Component& root) {
    const std::string* text = findFormDescription(root.className());
    if (!text) throw EReadError("No form description for class " + root.className());
    readFormDescription(*text, root);
}

std::unique_ptr<Component> createScratchCopy(const Component& form) {
    const std::string* text = findFormDescription(form.className());
    if (!text) throw EReadError("No form description for class " + form.className());
    std::unique_ptr<Component> copy(form.classType().createComponent(nullptr));
    copy->setState(csScratchCopy, true);
    readFormDescription(*text, *copy);
    return copy;
}

}  // namespace lindora
