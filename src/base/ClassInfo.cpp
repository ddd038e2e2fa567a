#include "base/ClassInfo.h"

#include "base/ClassBuilder.h"
#include "base/Component.h"
#include "base/Exception.h"
#include "base/Persistent.h"
#include "base/TextUtil.h"

namespace lindora {

const char* typeKindName(TypeKind kind) {
    switch (kind) {
    case TypeKind::Integer: return "integer";
    case TypeKind::Char: return "character";
    case TypeKind::Enumeration: return "enumeration";
    case TypeKind::Float: return "floating point";
    case TypeKind::String: return "string";
    case TypeKind::Set: return "set";
    case TypeKind::Class: return "class";
    case TypeKind::Variant: return "variant";
    case TypeKind::Method: return "method";
    }
    return "unknown";
}

namespace detail {

void throwWrongClass(const std::string& property, const Persistent& instance, const std::string& className) {
    throw EPropertyError("Property '" + property + "' of " + className + " used on an object of class " +
                         instance.className());
}

void throwOutOfRange(const std::string& property, long long value) {
    throw EPropertyError("Value " + std::to_string(value) + " is out of range for property '" + property + "'");
}

void throwBadObject(const std::string& property, const Persistent* value, const std::string& className) {
    if (!value) throw EPropertyError("Property '" + property + "' cannot be set to nil");
    throw EPropertyError("Property '" + property + "' needs a " + className + ", not a " + value->className());
}

}  // namespace detail

const IntegerIdent* findIntegerIdent(const IntegerIdents& idents, std::string_view name) {
    for (const IntegerIdent& i : idents)
        if (sameText(i.name, name)) return &i;
    return nullptr;
}

const IntegerIdent* findIntegerIdent(const IntegerIdents& idents, std::int64_t value) {
    for (const IntegerIdent& i : idents)
        if (i.value == value) return &i;
    return nullptr;
}

// --- PropInfo ---

PropInfo::Accessors::Accessors() = default;
PropInfo::Accessors::Accessors(const Accessors&) = default;
PropInfo::Accessors::Accessors(Accessors&&) noexcept = default;
PropInfo::Accessors& PropInfo::Accessors::operator=(const Accessors&) = default;
PropInfo::Accessors& PropInfo::Accessors::operator=(Accessors&&) noexcept = default;
PropInfo::Accessors::~Accessors() = default;

PropInfo::PropInfo(std::string name, TypeKind kind, Accessors accessors)
    : name_(std::move(name)), kind_(kind), accessors_(std::move(accessors)) {}
PropInfo::PropInfo(const PropInfo&) = default;
PropInfo::PropInfo(PropInfo&&) noexcept = default;
PropInfo& PropInfo::operator=(const PropInfo&) = default;
PropInfo& PropInfo::operator=(PropInfo&&) noexcept = default;
PropInfo::~PropInfo() = default;

bool PropInfo::isReadOnly() const {
    switch (kind_) {
    case TypeKind::Integer:
    case TypeKind::Char:
    case TypeKind::Enumeration:
    case TypeKind::Set: return !accessors_.setOrdinal;
    case TypeKind::Float: return !accessors_.setFloat;
    case TypeKind::String: return !accessors_.setString;
    case TypeKind::Class: return !accessors_.setObject;
    case TypeKind::Variant: return !accessors_.setVariant;
    case TypeKind::Method: return !accessors_.setMethod;
    }
    return true;
}

bool PropInfo::isComponentReference() const {
    return kind_ == TypeKind::Class && propertyClass_ && propertyClass_().inheritsFrom(Component::classInfo());
}

bool PropInfo::isStored(const Persistent& instance) const { return !accessors_.stored || accessors_.stored(instance); }

bool PropInfo::isDefault(const Persistent& instance) const {
    if (!default_) return false;
    switch (kind_) {
    case TypeKind::Integer:
    case TypeKind::Char:
    case TypeKind::Enumeration:
    case TypeKind::Set: return getOrdinal(instance) == default_->toInteger();
    case TypeKind::Float: return getFloat(instance) == default_->toFloat();
    case TypeKind::String: return getString(instance) == default_->toString();
    case TypeKind::Variant: return getVariant(instance) == *default_;
    case TypeKind::Class:
    case TypeKind::Method: return false;
    }
    return false;
}

void PropInfo::wrongKind(const char* wanted) const {
    throw EPropertyError("Property '" + name_ + "' is a " + typeKindName(kind_) + " property, not " + wanted);
}

void PropInfo::readOnly() const { throw EPropertyError("Property '" + name_ + "' is read-only"); }

static bool isOrdinal(TypeKind k) {
    return k == TypeKind::Integer || k == TypeKind::Char || k == TypeKind::Enumeration || k == TypeKind::Set;
}

std::int64_t PropInfo::getOrdinal(const Persistent& instance) const {
    if (!isOrdinal(kind_)) wrongKind("an ordinal");
    return accessors_.getOrdinal(instance);
}

void PropInfo::setOrdinal(Persistent& instance, std::int64_t value) const {
    if (!isOrdinal(kind_)) wrongKind("an ordinal");
    if (!accessors_.setOrdinal) readOnly();
    accessors_.setOrdinal(instance, value);
}

double PropInfo::getFloat(const Persistent& instance) const {
    if (kind_ != TypeKind::Float) wrongKind("a floating point");
    return accessors_.getFloat(instance);
}

void PropInfo::setFloat(Persistent& instance, double value) const {
    if (kind_ != TypeKind::Float) wrongKind("a floating point");
    if (!accessors_.setFloat) readOnly();
    accessors_.setFloat(instance, value);
}

std::string PropInfo::getString(const Persistent& instance) const {
    if (kind_ != TypeKind::String) wrongKind("a string");
    return accessors_.getString(instance);
}

void PropInfo::setString(Persistent& instance, const std::string& value) const {
    if (kind_ != TypeKind::String) wrongKind("a string");
    if (!accessors_.setString) readOnly();
    accessors_.setString(instance, value);
}

Persistent* PropInfo::getObject(const Persistent& instance) const {
    if (kind_ != TypeKind::Class) wrongKind("a class");
    return accessors_.getObject(instance);
}

void PropInfo::setObject(Persistent& instance, Persistent* value) const {
    if (kind_ != TypeKind::Class) wrongKind("a class");
    if (!accessors_.setObject) readOnly();
    accessors_.setObject(instance, value);
}

Variant PropInfo::getVariant(const Persistent& instance) const {
    if (kind_ != TypeKind::Variant) wrongKind("a variant");
    return accessors_.getVariant(instance);
}

void PropInfo::setVariant(Persistent& instance, const Variant& value) const {
    if (kind_ != TypeKind::Variant) wrongKind("a variant");
    if (!accessors_.setVariant) readOnly();
    accessors_.setVariant(instance, value);
}

MethodValue PropInfo::getMethod(const Persistent& instance) const {
    if (kind_ != TypeKind::Method) wrongKind("a method");
    return accessors_.getMethod(instance);
}

void PropInfo::setMethod(Persistent& instance, const MethodValue& value) const {
    if (kind_ != TypeKind::Method) wrongKind("a method");
    if (!accessors_.setMethod) readOnly();
    accessors_.setMethod(instance, value);
}

std::uint64_t PropInfo::getSet(const Persistent& instance) const {
    if (kind_ != TypeKind::Set) wrongKind("a set");
    return static_cast<std::uint64_t>(accessors_.getOrdinal(instance));
}

void PropInfo::setSet(Persistent& instance, std::uint64_t mask) const {
    if (kind_ != TypeKind::Set) wrongKind("a set");
    setOrdinal(instance, static_cast<std::int64_t>(mask));
}

std::string PropInfo::getEnumName(const Persistent& instance) const {
    if (kind_ != TypeKind::Enumeration) wrongKind("an enumeration");
    return enumType_->nameOf(getOrdinal(instance));
}

void PropInfo::setEnumName(Persistent& instance, std::string_view name) const {
    if (kind_ != TypeKind::Enumeration) wrongKind("an enumeration");
    int ordinal = enumType_->ordinalOf(name);
    if (ordinal < 0) throw EPropertyError("'" + std::string(name) + "' is not a value of " + enumType_->typeName());
    setOrdinal(instance, ordinal);
}

std::string PropInfo::getSetText(const Persistent& instance, bool brackets) const {
    return enumType_ ? enumType_->setToText(getSet(instance), brackets) : (wrongKind("a set"), std::string());
}

void PropInfo::setSetText(Persistent& instance, std::string_view text) const {
    if (kind_ != TypeKind::Set) wrongKind("a set");
    std::uint64_t mask;
    try {
        mask = enumType_->textToSet(text);
    } catch (const EConvertError& e) {
        throw EPropertyError(e.message());
    }
    setSet(instance, mask);
}

// --- ClassInfo ---

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropInfo> properties,
                     std::vector<MethodInfo> methods, ComponentFactory componentFactory, ItemFactory itemFactory)
    : name_(std::move(name)), parent_(parent), own_(std::move(properties)), methods_(std::move(methods)),
      componentFactory_(std::move(componentFactory)), itemFactory_(std::move(itemFactory)) {
    if (parent_) all_ = parent_->all_;
    for (const PropInfo& p : own_) {
        bool replaced = false;
        for (const PropInfo*& q : all_) {
            if (sameText(q->name(), p.name())) {
                q = &p;
                replaced = true;
                break;
            }
        }
        if (!replaced) all_.push_back(&p);
    }
}

bool ClassInfo::inheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

const PropInfo* ClassInfo::findProperty(std::string_view name) const {
    for (const PropInfo* p : all_)
        if (sameText(p->name(), name)) return p;
    return nullptr;
}

const MethodInfo* ClassInfo::findMethod(std::string_view name) const {
    for (const ClassInfo* c = this; c; c = c->parent_)
        for (const MethodInfo& m : c->methods_)
            if (sameText(m.name, name)) return &m;
    return nullptr;
}

Component* ClassInfo::createComponent(Component* owner) const {
    if (!componentFactory_) throw EClassNotFound("Class " + name_ + " cannot be created");
    return componentFactory_(owner);
}

CollectionItem* ClassInfo::createItem(Collection* collection) const {
    if (!itemFactory_) throw EClassNotFound("Class " + name_ + " cannot be created as a collection item");
    return itemFactory_(collection);
}

const PropInfo* findProperty(const Persistent& instance, std::string_view name) {
    return instance.classType().findProperty(name);
}

}  // namespace lindora
