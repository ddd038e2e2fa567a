#pragma once
// Published type information: per class an ordered table of properties (inherited by derived
// classes), the published methods that event handlers can be bound to, and a factory.
// Classes build theirs with ClassBuilder (ClassBuilder.h).
#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "base/EnumInfo.h"
#include "base/Event.h"
#include "base/Variant.h"

namespace lindora {

class ClassInfo;
class Collection;
class CollectionItem;
class Component;
class Persistent;

enum class TypeKind { Integer, Char, Enumeration, Float, String, Set, Class, Variant, Method };
const char* typeKindName(TypeKind kind);

// Names for particular values of an integer property (colours such as clBtnFace), so that form
// descriptions can show the name instead of the number. Look-up ignores ASCII case.
struct IntegerIdent {
    std::string name;
    std::int64_t value;
};
using IntegerIdents = std::vector<IntegerIdent>;
const IntegerIdent* findIntegerIdent(const IntegerIdents& idents, std::string_view name);
const IntegerIdent* findIntegerIdent(const IntegerIdents& idents, std::int64_t value);

// One published property. Values are exchanged in a canonical form per kind: integers,
// characters, enumeration ordinals and set masks as int64, floats as double, strings as
// std::string, class values as Persistent*, variants as Variant, events as MethodValue.
class PropInfo {
public:
    struct Accessors {
        std::function<std::int64_t(const Persistent&)> getOrdinal;
        std::function<void(Persistent&, std::int64_t)> setOrdinal;
        std::function<double(const Persistent&)> getFloat;
        std::function<void(Persistent&, double)> setFloat;
        std::function<std::string(const Persistent&)> getString;
        std::function<void(Persistent&, const std::string&)> setString;
        std::function<Persistent*(const Persistent&)> getObject;
        std::function<void(Persistent&, Persistent*)> setObject;
        std::function<Variant(const Persistent&)> getVariant;
        std::function<void(Persistent&, const Variant&)> setVariant;
        std::function<MethodValue(const Persistent&)> getMethod;
        std::function<void(Persistent&, const MethodValue&)> setMethod;
        std::function<bool(const Persistent&)> stored;  // empty: always stored

        // Out of line: every published property builds a set of accessors, and inlined,
        // thirteen functions' construction and destruction would be repeated in each.
        Accessors();
        Accessors(const Accessors&);
        Accessors(Accessors&&) noexcept;
        Accessors& operator=(const Accessors&);
        Accessors& operator=(Accessors&&) noexcept;
        ~Accessors();
    };

    PropInfo(std::string name, TypeKind kind, Accessors accessors);
    PropInfo(const PropInfo&);
    PropInfo(PropInfo&&) noexcept;
    PropInfo& operator=(const PropInfo&);
    PropInfo& operator=(PropInfo&&) noexcept;
    ~PropInfo();

    const std::string& name() const { return name_; }
    TypeKind kind() const { return kind_; }
    // Enumeration: its type; Set: the element type; else null.
    const EnumInfo* enumType() const { return enumType_; }
    // Class: the declared class of the value; else null.
    const ClassInfo* propertyClass() const { return propertyClass_ ? &propertyClass_() : nullptr; }
    // Integer: names for some of its values, or null.
    const IntegerIdents* integerIdents() const { return integerIdents_; }
    // Method: the event's signature (typeid of void(Args...)).
    std::optional<std::type_index> signature() const { return signature_; }
    bool isReadOnly() const;
    // True when the declared class is a component: the value is a reference, not an owned
    // sub-object.
    bool isComponentReference() const;

    // The default, compared by the writer; none means "always stored".
    const std::optional<Variant>& defaultValue() const { return default_; }
    // Whether the value is to be written at all (the stored test), and whether it equals the default.
    bool isStored(const Persistent& instance) const;
    bool isDefault(const Persistent& instance) const;

    // Typed access. Each throws EPropertyError when the kind does not fit, the property is
    // read-only, or the instance is not of the property's class; range checks happen in the setters.
    std::int64_t getOrdinal(const Persistent& instance) const;  // Integer, Char, Enumeration, Set
    void setOrdinal(Persistent& instance, std::int64_t value) const;
    double getFloat(const Persistent& instance) const;
    void setFloat(Persistent& instance, double value) const;
    std::string getString(const Persistent& instance) const;
    void setString(Persistent& instance, const std::string& value) const;
    Persistent* getObject(const Persistent& instance) const;
    void setObject(Persistent& instance, Persistent* value) const;
    Variant getVariant(const Persistent& instance) const;
    void setVariant(Persistent& instance, const Variant& value) const;
    MethodValue getMethod(const Persistent& instance) const;
    void setMethod(Persistent& instance, const MethodValue& value) const;

    std::uint64_t getSet(const Persistent& instance) const;
    void setSet(Persistent& instance, std::uint64_t mask) const;
    // Enumeration values by name (ignoring case); an unknown name throws EPropertyError.
    std::string getEnumName(const Persistent& instance) const;
    void setEnumName(Persistent& instance, std::string_view name) const;
    // Set values as text, "[a,b]" (or "a,b" without brackets).
    std::string getSetText(const Persistent& instance, bool brackets = true) const;
    void setSetText(Persistent& instance, std::string_view text) const;

    // Build-time configuration, used by ClassBuilder.
    void setEnumType(const EnumInfo* e) { enumType_ = e; }
    // A function rather than the info itself: a class may have properties of its own class.
    void setPropertyClass(const ClassInfo& (*c)()) { propertyClass_ = c; }
    void setSignature(std::type_index s) { signature_ = s; }
    void setDefault(std::optional<Variant> v) { default_ = std::move(v); }
    void setIntegerIdents(const IntegerIdents* idents) { integerIdents_ = idents; }
    void setStored(std::function<bool(const Persistent&)> f) { accessors_.stored = std::move(f); }

private:
    [[noreturn]] void wrongKind(const char* wanted) const;
    [[noreturn]] void readOnly() const;

    std::string name_;
    TypeKind kind_;
    Accessors accessors_;
    const EnumInfo* enumType_ = nullptr;
    const ClassInfo& (*propertyClass_)() = nullptr;
    std::optional<std::type_index> signature_;
    std::optional<Variant> default_;
    const IntegerIdents* integerIdents_ = nullptr;
};

// A published method that an event handler can be bound to by name.
struct MethodInfo {
    std::string name;
    std::type_index signature;
    // Returns std::function<void(Args...)> bound to `target` (which must be of the class).
    std::function<std::any(Component& target)> bind;
};

class ClassInfo {
public:
    using ComponentFactory = std::function<Component*(Component* owner)>;
    using ItemFactory = std::function<CollectionItem*(Collection* collection)>;

    ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropInfo> properties,
              std::vector<MethodInfo> methods, ComponentFactory componentFactory, ItemFactory itemFactory);
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    const std::string& name() const { return name_; }
    const ClassInfo* parent() const { return parent_; }
    bool inheritsFrom(const ClassInfo& other) const;

    // All published properties in table order: the ancestors' first; a property redeclared by
    // a derived class keeps its ancestor's place.
    const std::vector<const PropInfo*>& properties() const { return all_; }
    // Look-up ignoring ASCII case; null when there is none.
    const PropInfo* findProperty(std::string_view name) const;
    // Published methods of this class and its ancestors, ignoring ASCII case.
    const MethodInfo* findMethod(std::string_view name) const;
    const std::vector<MethodInfo>& ownMethods() const { return methods_; }

    bool canCreateComponent() const { return static_cast<bool>(componentFactory_); }
    // A new instance owned by `owner` (or by the caller when owner is null). Throws
    // EClassNotFound when the class cannot be instantiated.
    Component* createComponent(Component* owner) const;
    bool canCreateItem() const { return static_cast<bool>(itemFactory_); }
    CollectionItem* createItem(Collection* collection) const;

private:
    std::string name_;
    const ClassInfo* parent_;
    std::vector<PropInfo> own_;
    std::vector<const PropInfo*> all_;
    std::vector<MethodInfo> methods_;
    ComponentFactory componentFactory_;
    ItemFactory itemFactory_;
};

// Looks a property up by name on an object's class; null when there is none.
const PropInfo* findProperty(const Persistent& instance, std::string_view name);

}  // namespace lindora
