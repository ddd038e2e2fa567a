#include "base/Filer.h"

#include <unordered_map>

#include "base/ClassInfo.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Exception.h"
#include "base/Persistent.h"
#include "base/Stream.h"
#include "base/TextUtil.h"

namespace lindora {

const char* valueTypeName(ValueType type) {
    switch (type) {
    case ValueType::Null: return "end of list";
    case ValueType::List: return "list";
    case ValueType::Integer: return "integer";
    case ValueType::Float: return "floating point number";
    case ValueType::String: return "string";
    case ValueType::Ident: return "identifier";
    case ValueType::False:
    case ValueType::True: return "Boolean";
    case ValueType::Binary: return "binary data";
    case ValueType::Set: return "set";
    case ValueType::Nil: return "nil";
    case ValueType::Collection: return "collection";
    }
    return "value";
}

// --- Reader ---

Reader::~Reader() = default;

void Reader::errorAt(Position where, const std::string& what) const {
    throw EReadError(where.line, where.column, what);
}

bool Reader::readBoolean() {
    ValueType t = nextValue();
    if (t != ValueType::True && t != ValueType::False)
        error(std::string("expected True or False, found ") + valueTypeName(t));
    readIdent();
    return t == ValueType::True;
}

Variant Reader::readVariant() {
    switch (nextValue()) {
    case ValueType::Integer: return Variant(readInteger());
    case ValueType::Float: return Variant(readFloat());
    case ValueType::String: return Variant(readString());
    case ValueType::True:
    case ValueType::False: return Variant(readBoolean());
    case ValueType::Nil: readIdent(); return Variant();
    // The non-finite numbers are written as the words INF and NAN, which readFloat checks.
    case ValueType::Ident: return Variant(readFloat());
    default: break;
    }
    error(std::string("expected a variant value, found ") + valueTypeName(nextValue()));
    return Variant();
}

void Reader::skipValue() {
    switch (nextValue()) {
    case ValueType::Null: error("expected a value"); return;
    case ValueType::List:
        readListBegin();
        while (!endOfList()) skipValue();
        readListEnd();
        return;
    case ValueType::Integer: readInteger(); return;
    case ValueType::Float: readFloat(); return;
    case ValueType::String: readString(); return;
    case ValueType::Ident:
    case ValueType::False:
    case ValueType::True:
    case ValueType::Nil: readIdent(); return;
    case ValueType::Binary: readBinary(); return;
    case ValueType::Set: readSet(); return;
    case ValueType::Collection:
        readCollectionBegin();
        while (!endOfList()) {
            readItemBegin();
            while (!endOfList()) {
                readPropName();
                skipValue();
            }
            readListEnd();
        }
        readListEnd();
        return;
    }
}

void Reader::readCollection(Collection& collection) {
    if (nextValue() != ValueType::Collection)
        error(std::string("expected a collection, found ") + valueTypeName(nextValue()));
    readCollectionBegin();
    readCollectionItems(collection);
}

namespace {

// The component an object read from a description belongs to: itself, or the owner of the
// collection (of the collection ...) an item is in.
const Component* componentOf(Persistent* p) {
    while (p) {
        if (auto* c = dynamic_cast<Component*>(p)) return c;
        auto* item = dynamic_cast<CollectionItem*>(p);
        if (!item || !item->collection()) return nullptr;
        p = item->collection()->owner();
    }
    return nullptr;
}

bool isWithin(Persistent* p, const Collection& collection) {
    while (auto* item = dynamic_cast<CollectionItem*>(p)) {
        if (!item->collection()) return false;
        if (item->collection() == &collection) return true;
        p = item->collection()->owner();
    }
    return false;
}

}  // namespace

void Reader::forgetFixupsWithin(const Collection& collection) {
    std::erase_if(fixups_, [&](const Fixup& f) { return isWithin(f.anchor, collection); });
}

void Reader::forgetFixupsOf(const Component* component) {
    std::erase_if(fixups_, [&](const Fixup& f) { return f.component == component; });
}

void Reader::readCollectionItems(Collection& collection) {
    ObjectRead read(*this);
    collection.beginUpdate();
    try {
        // Items read before (the same property given twice) go away with their references.
        if (collection.count() > 0) forgetFixupsWithin(collection);
        collection.clear();
        while (!endOfList()) {
            readItemBegin();
            CollectionItem* item = nullptr;
            try {
                item = collection.add();
            } catch (const EReadError&) {
                throw;
            } catch (const Exception& e) {
                error(e.message());
            }
            while (!endOfList()) readProperty(*item);
            readListEnd();
        }
        readListEnd();
    } catch (...) {
        collection.endUpdate();
        if (read.outermost()) discardFixups();
        throw;
    }
    collection.endUpdate();
    if (read.outermost()) resolveFixups();
}

void Reader::readProperty(Persistent& instance) {
    ObjectRead read(*this);
    Persistent* savedAnchor = anchor_;
    anchor_ = &instance;
    try {
        readPropertyOf(instance);
    } catch (...) {
        anchor_ = savedAnchor;
        if (read.outermost()) discardFixups();
        throw;
    }
    anchor_ = savedAnchor;
    if (read.outermost()) resolveFixups();
}

void Reader::readPropertyOf(Persistent& instance) {
    Position where = position();
    std::string path = readPropName();
    Persistent* object = &instance;
    size_t start = 0;
    while (true) {
        size_t dot = path.find('.', start);
        std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        const PropInfo* prop = object->classType().findProperty(part);
        if (dot == std::string::npos) {
            if (prop) {
                readPropValue(*object, *prop, where);
                return;
            }
            // Not published: perhaps a property the object streams itself.
            definedName_ = part;
            definedFound_ = false;
            try {
                object->defineProperties(*this);
            } catch (const EReadError&) {
                definedName_.clear();
                throw;
            } catch (const Exception& e) {
                definedName_.clear();
                errorAt(where, e.message());
            } catch (...) {
                definedName_.clear();
                throw;
            }
            definedName_.clear();
            if (!definedFound_) errorAt(where, "unknown property '" + part + "' of class " + object->className());
            return;
        }
        if (!prop) errorAt(where, "unknown property '" + part + "' of class " + object->className());
        if (prop->kind() != TypeKind::Class) errorAt(where, "property '" + part + "' has no sub-properties");
        Persistent* sub = prop->getObject(*object);
        if (!sub) errorAt(where, "property '" + part + "' is nil");
        object = sub;
        start = dot + 1;
    }
}

void Reader::defineProperty(const std::string& name, ReadProc read, WriteProc, bool) {
    if (definedName_.empty() || definedFound_ || !read || !sameText(name, definedName_)) return;
    definedFound_ = true;
    Position where = position();
    try {
        read(*this);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        errorAt(where, e.message());
    }
}

void Reader::defineBinaryProperty(const std::string& name, StreamProc read, StreamProc, bool) {
    if (definedName_.empty() || definedFound_ || !read || !sameText(name, definedName_)) return;
    definedFound_ = true;
    Position where = position();
    if (nextValue() != ValueType::Binary)
        error(std::string("expected binary data, found ") + valueTypeName(nextValue()));
    MemoryStream stream(readBinary());
    try {
        read(stream);
    } catch (const Exception& e) {
        errorAt(where, e.message());
    }
}

void Reader::readPropValue(Persistent& instance, const PropInfo& prop, Position where) {
    Position valueAt = position();
    ValueType type = nextValue();
    auto expected = [&](const std::string& what) {
        errorAt(valueAt, "expected " + what + " for property '" + prop.name() + "', found " + valueTypeName(type));
    };
    if (prop.isReadOnly() && !(prop.kind() == TypeKind::Class && type == ValueType::Collection))
        errorAt(where, "property '" + prop.name() + "' is read-only");
    try {
        switch (prop.kind()) {
        case TypeKind::Integer:
            if (type == ValueType::Ident && prop.integerIdents()) {
                std::string name = readIdent();
                const IntegerIdent* ident = findIntegerIdent(*prop.integerIdents(), name);
                if (!ident) errorAt(valueAt, "'" + name + "' is not a value name of property '" + prop.name() + "'");
                prop.setOrdinal(instance, ident->value);
                return;
            }
            if (type != ValueType::Integer) expected("an integer");
            prop.setOrdinal(instance, readInteger());
            return;
        case TypeKind::Char: {
            if (type == ValueType::Integer) {
                prop.setOrdinal(instance, readInteger());
                return;
            }
            if (type != ValueType::String) expected("a character");
            std::string s = readString();
            if (s.size() != 1) errorAt(valueAt, "expected a single character for property '" + prop.name() + "'");
            prop.setOrdinal(instance, static_cast<unsigned char>(s[0]));
            return;
        }
        case TypeKind::Enumeration: {
            if (type != ValueType::Ident && type != ValueType::True && type != ValueType::False)
                expected("an enumeration value");
            std::string name = readIdent();
            int ordinal = prop.enumType()->ordinalOf(name);
            if (ordinal < 0) errorAt(valueAt, "'" + name + "' is not a value of " + prop.enumType()->typeName());
            prop.setOrdinal(instance, ordinal);
            return;
        }
        case TypeKind::Float:
            // Identifiers: INF and NAN, which readFloat checks.
            if (type != ValueType::Float && type != ValueType::Integer && type != ValueType::Ident)
                expected("a number");
            prop.setFloat(instance, readFloat());
            return;
        case TypeKind::String:
            if (type != ValueType::String) expected("a string");
            prop.setString(instance, readString());
            return;
        case TypeKind::Set: {
            if (type != ValueType::Set) expected("a set");
            std::uint64_t mask = 0;
            for (const std::string& member : readSet()) {
                int ordinal = prop.enumType()->ordinalOf(member);
                if (ordinal < 0 || ordinal >= 64)
                    errorAt(valueAt, "'" + member + "' is not a member of " + prop.enumType()->typeName());
                mask |= std::uint64_t{1} << ordinal;
            }
            prop.setSet(instance, mask);
            return;
        }
        case TypeKind::Variant: prop.setVariant(instance, readVariant()); return;
        case TypeKind::Class: {
            if (type == ValueType::Collection) {
                auto* collection = dynamic_cast<Collection*>(prop.getObject(instance));
                if (!collection) errorAt(valueAt, "property '" + prop.name() + "' is not a collection");
                readCollection(*collection);
                return;
            }
            if (type == ValueType::Nil) {
                readIdent();
                prop.setObject(instance, nullptr);
                return;
            }
            if (type != ValueType::Ident || !prop.isComponentReference()) expected("a component name");
            std::string name = readIdent();
            if (name.find('.') != std::string::npos)
                errorAt(valueAt, "references to components of other forms are not supported: '" + name + "'");
            // Resolved when everything has been read: it may name a later component.
            fixups_.push_back(Fixup{&instance, &prop, name, valueAt, anchor_, componentOf(anchor_)});
            return;
        }
        case TypeKind::Method: {
            if (type == ValueType::Nil) {
                readIdent();
                prop.setMethod(instance, MethodValue{});
                return;
            }
            if (type != ValueType::Ident) expected("a method name");
            std::string name = readIdent();
            if (!root()) errorAt(valueAt, "no form to find the method '" + name + "' in");
            const MethodInfo* method = root()->classType().findMethod(name);
            if (!method) errorAt(valueAt, "unknown method '" + name + "' of class " + root()->className());
            if (!prop.signature() || *prop.signature() != method->signature)
                errorAt(valueAt, "method '" + name + "' does not have the parameters of event '" + prop.name() + "'");
            prop.setMethod(instance, MethodValue{root(), method->name, method->bind(*root())});
            return;
        }
        }
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        // Setters refuse values with their own messages; give them a position.
        errorAt(valueAt, e.message());
    }
}

void Reader::resolveFixups() {
    std::vector<Fixup> pending;
    pending.swap(fixups_);
    if (pending.empty()) return;
    // One index instead of a search per reference: forms hold hundreds of links.
    std::unordered_map<std::string, Component*> byName;
    if (root()) {
        for (Component* c : root()->components())
            if (!c->name().empty()) byName.emplace(asciiLowerCase(c->name()), c);
    }
    for (const Fixup& f : pending) {
        Component* target = nullptr;
        if (root()) {
            auto it = byName.find(asciiLowerCase(f.name));
            if (it != byName.end()) target = it->second;
            if (!target && sameText(root()->name(), f.name)) target = root();
        }
        if (!target) errorAt(f.where, "unknown component '" + f.name + "'");
        try {
            f.prop->setObject(*f.instance, target);
        } catch (const Exception& e) {
            errorAt(f.where, e.message());
        }
    }
}

// --- Writer ---

Writer::~Writer() = default;

void Writer::writeBoolean(bool value) { writeIdent(value ? "True" : "False"); }

void Writer::writeVariant(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty: writeNil(); return;
    case Variant::Type::Integer: writeInteger(value.toInteger()); return;
    case Variant::Type::Float: writeFloat(value.toFloat()); return;
    case Variant::Type::Boolean: writeBoolean(value.toBoolean()); return;
    case Variant::Type::String: writeString(value.toString()); return;
    }
}

void Writer::writeCollection(const Collection& collection) {
    writeCollectionBegin();
    std::string saved;
    saved.swap(prefix_);
    for (CollectionItem* item : collection.items()) {
        writeItemBegin();
        writeProperties(*item);
        writeItemEnd();
    }
    prefix_.swap(saved);
    writeCollectionEnd();
}

void Writer::writeProperties(Persistent& instance) {
    for (const PropInfo* prop : instance.classType().properties()) {
        if (!prop->isStored(instance)) continue;
        writeProperty(instance, *prop);
    }
    instance.defineProperties(*this);
}

void Writer::writeProperty(Persistent& instance, const PropInfo& prop) {
    const std::string name = prefix_ + prop.name();
    switch (prop.kind()) {
    case TypeKind::Integer:
    case TypeKind::Char:
    case TypeKind::Enumeration:
    case TypeKind::Set:
    case TypeKind::Float:
    case TypeKind::String:
    case TypeKind::Variant:
        if (prop.isDefault(instance)) return;
        break;
    default: break;
    }
    switch (prop.kind()) {
    case TypeKind::Integer: {
        std::int64_t value = prop.getOrdinal(instance);
        writePropName(name);
        const IntegerIdent* ident = prop.integerIdents() ? findIntegerIdent(*prop.integerIdents(), value) : nullptr;
        if (ident) writeIdent(ident->name);
        else writeInteger(value);
        return;
    }
    case TypeKind::Char: {
        std::int64_t c = prop.getOrdinal(instance);
        writePropName(name);
        writeString(std::string(1, static_cast<char>(c)));
        return;
    }
    case TypeKind::Enumeration:
        writePropName(name);
        writeIdent(prop.getEnumName(instance));
        return;
    case TypeKind::Float:
        writePropName(name);
        writeFloat(prop.getFloat(instance));
        return;
    case TypeKind::String:
        writePropName(name);
        writeString(prop.getString(instance));
        return;
    case TypeKind::Set: {
        std::uint64_t mask = prop.getSet(instance);
        std::vector<std::string> members;
        for (int i = 0; i < prop.enumType()->count() && i < 64; ++i)
            if (mask & (std::uint64_t{1} << i)) members.push_back(prop.enumType()->nameOf(i));
        writePropName(name);
        writeSet(members);
        return;
    }
    case TypeKind::Variant: {
        Variant v = prop.getVariant(instance);
        if (v.isEmpty()) return;
        writePropName(name);
        writeVariant(v);
        return;
    }
    case TypeKind::Method: {
        MethodValue m = prop.getMethod(instance);
        // Only handlers bound by name to a method of the form can be written.
        if (!m.assigned() || m.name.empty() || !root() || m.target != root()) return;
        writePropName(name);
        writeIdent(m.name);
        return;
    }
    case TypeKind::Class: {
        Persistent* object = prop.getObject(instance);
        if (!object) return;
        if (auto* component = dynamic_cast<Component*>(object)) {
            if (component->name().empty()) return;
            std::string ref = component->name();
            if (root() && component != root() && component->owner() != root()) {
                if (!component->owner() || component->owner()->name().empty()) return;
                ref = component->owner()->name() + "." + ref;
            }
            writePropName(name);
            writeIdent(ref);
            return;
        }
        if (auto* collection = dynamic_cast<Collection*>(object)) {
            writePropName(name);
            writeCollection(*collection);
            return;
        }
        // An owned sub-object: its own properties under dotted names.
        std::string saved = prefix_;
        prefix_ = name + ".";
        try {
            writeProperties(*object);
        } catch (...) {
            prefix_ = saved;
            throw;
        }
        prefix_ = saved;
        return;
    }
    }
}

void Writer::defineProperty(const std::string& name, ReadProc, WriteProc write, bool hasData) {
    if (!hasData || !write) return;
    writePropName(prefix_ + name);
    std::string saved;
    saved.swap(prefix_);
    try {
        write(*this);
    } catch (...) {
        prefix_.swap(saved);
        throw;
    }
    prefix_.swap(saved);
}

void Writer::defineBinaryProperty(const std::string& name, StreamProc, StreamProc write, bool hasData) {
    if (!hasData || !write) return;
    MemoryStream stream;
    write(stream);
    writePropName(prefix_ + name);
    writeBinary(stream.bytes());
}

}  // namespace lindora
