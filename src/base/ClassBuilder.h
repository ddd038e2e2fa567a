#pragma once
// ClassBuilder<T>: builds a ClassInfo from member-function or lambda getters and setters. The
// property's kind follows from the getter's type:
//   bool -> Enumeration (Boolean)        char -> Char           other integers -> Integer
//   enumerations -> Enumeration (needs enumInfoOf(E), see EnumInfo.h)    SetOf<E> -> Set
//   float/double -> Float                std::string -> String  Variant -> Variant
//   U* or U& with U a Persistent -> Class (U a Component: a reference; else an owned sub-object)
//   Event<Args...> data members -> Method (see event())
//
//     const ClassInfo& Button::classInfo() {
//         static const ClassInfo info = ClassBuilder<Button>("Button", BarItem::classInfo())
//             .property("Caption", &Button::caption, &Button::setCaption)
//             .property("Down", &Button::down, &Button::setDown).defaultValue(false)
//             .property("Font", &Button::font)                   // read-only sub-object
//             .property("Style", [](const Button& b) { return b.style(); },
//                                [](Button& b, ButtonStyle s) { b.setStyle(s); })
//                 .defaultValue(bsDefault)
//             .property("DockColor", &Button::dockColor, &Button::setDockColor)
//                 .stored([](const Button& b) { return !b.autoDockColor(); })
//             .event("OnClick", &Button::OnClick);
//         return info;
//     }
//
// A property without defaultValue() has no default and is always written (unless its stored
// test says otherwise). Components constructible from (Component* owner) and collection items
// constructible from (Collection*) get a factory automatically.
#include <concepts>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/ClassInfo.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/Exception.h"

namespace lindora {

namespace detail {

template <class V>
struct IsSetOf : std::false_type {};
template <class E>
struct IsSetOf<SetOf<E>> : std::true_type {};

template <class>
inline constexpr bool alwaysFalse = false;

template <class G, class T>
using GetterResult = std::invoke_result_t<G, const T&>;

// The property value type of a getter: decayed, except that a reference to a Persistent
// becomes a pointer.
template <class R>
struct PropertyValue {
    using Plain = std::remove_cvref_t<R>;
    static constexpr bool classByReference = std::is_lvalue_reference_v<R> && std::is_base_of_v<Persistent, Plain>;
    using Type = std::conditional_t<classByReference, Plain*, Plain>;
};

template <class V>
constexpr TypeKind kindOf() {
    if constexpr (std::is_same_v<V, bool>) return TypeKind::Enumeration;
    else if constexpr (std::is_same_v<V, char>) return TypeKind::Char;
    else if constexpr (std::is_integral_v<V>) return TypeKind::Integer;
    else if constexpr (std::is_enum_v<V>) return TypeKind::Enumeration;
    else if constexpr (IsSetOf<V>::value) return TypeKind::Set;
    else if constexpr (std::is_floating_point_v<V>) return TypeKind::Float;
    else if constexpr (std::is_same_v<V, std::string>) return TypeKind::String;
    else if constexpr (std::is_same_v<V, Variant>) return TypeKind::Variant;
    else if constexpr (std::is_pointer_v<V> &&
                       std::is_base_of_v<Persistent, std::remove_cv_t<std::remove_pointer_t<V>>>)
        return TypeKind::Class;
    else static_assert(alwaysFalse<V>, "this type cannot be published; use lambdas converting to a supported type");
}

[[noreturn]] void throwWrongClass(const std::string& property, const Persistent& instance,
                                  const std::string& className);
[[noreturn]] void throwOutOfRange(const std::string& property, long long value);
[[noreturn]] void throwBadObject(const std::string& property, const Persistent* value, const std::string& className);

}  // namespace detail

template <class T>
class ClassBuilder {
public:
    ClassBuilder(std::string name, const ClassInfo& parent) : name_(std::move(name)), parent_(&parent) {}
    explicit ClassBuilder(std::string name) : name_(std::move(name)) {}

    // A read-write property.
    template <class G, class S>
    ClassBuilder& property(std::string name, G getter, S setter) {
        addProperty<G, S, true>(std::move(name), std::move(getter), std::move(setter));
        return *this;
    }
    // A read-only property (a sub-object reached through dotted names, or a derived value).
    template <class G>
    ClassBuilder& property(std::string name, G getter) {
        addProperty<G, std::nullptr_t, false>(std::move(name), std::move(getter), nullptr);
        return *this;
    }

    // The default of the last property (in its own type: false, 11, bsDefault, "", ...).
    template <class V>
    ClassBuilder& defaultValue(V value) {
        last().setDefault(toVariant(value));
        return *this;
    }
    // Names for values of the last (integer) property; `idents` must outlive the class info.
    ClassBuilder& idents(const IntegerIdents& idents) {
        if (last().kind() != TypeKind::Integer) throw EPropertyError("Only integer properties take value names");
        last().setIntegerIdents(&idents);
        return *this;
    }
    // The stored test of the last property: false never writes it; a predicate on the object.
    ClassBuilder& stored(bool value) {
        last().setStored([value](const Persistent&) { return value; });
        return *this;
    }
    template <class F>
    requires std::is_invocable_r_v<bool, F, const T&> ClassBuilder& stored(F predicate) {
        last().setStored([predicate, name = last().name()](const Persistent& p) {
            return static_cast<bool>(std::invoke(predicate, self(p, name)));
        });
        return *this;
    }

    // An event published as a property: an Event<Args...> data member of T or a base.
    template <class C, class... Args>
    ClassBuilder& event(std::string name, Event<Args...> C::*member) {
        static_assert(std::is_base_of_v<C, T>);
        PropInfo::Accessors a;
        a.getMethod = [member, name](const Persistent& p) { return (self(p, name).*member).value(); };
        a.setMethod = [member, name](Persistent& p, const MethodValue& v) { (selfMut(p, name).*member).setValue(v); };
        PropInfo info(name, TypeKind::Method, std::move(a));
        info.setSignature(Event<Args...>::signature());
        props_.push_back(std::move(info));
        return *this;
    }

    // A published method that form descriptions can bind event handlers to by name.
    template <class C, class... Args>
    ClassBuilder& method(std::string name, void (C::*m)(Args...)) {
        static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<Component, T>,
                      "published methods belong to components");
        methods_.push_back(MethodInfo{name, typeid(void(Args...)), [m, name](Component& target) -> std::any {
                                          T* object = dynamic_cast<T*>(&target);
                                          if (!object) detail::throwWrongClass(name, target, T::classInfo().name());
                                          return std::function<void(Args...)>(
                                              [object, m](Args... args) { (object->*m)(std::forward<Args>(args)...); });
                                      }});
        return *this;
    }

    // No factory even when T could be constructed (a class that must not be streamed in).
    ClassBuilder& abstract() {
        abstract_ = true;
        return *this;
    }

    ClassInfo build() {
        return ClassInfo(name_, parent_, std::move(props_), std::move(methods_), componentFactory(), itemFactory());
    }
    operator ClassInfo() { return build(); }

private:
    static const T& self(const Persistent& p, const std::string& property) {
        const T* t = dynamic_cast<const T*>(&p);
        if (!t) detail::throwWrongClass(property, p, T::classInfo().name());
        return *t;
    }
    static T& selfMut(Persistent& p, const std::string& property) { return const_cast<T&>(self(p, property)); }

    PropInfo& last() {
        if (props_.empty()) throw EPropertyError("ClassBuilder: no property to configure");
        return props_.back();
    }

    template <class V>
    static Variant toVariant(const V& v) {
        if constexpr (std::is_same_v<V, bool>) return Variant(std::int64_t{v ? 1 : 0});
        else if constexpr (std::is_same_v<V, char>)
            return Variant(static_cast<std::int64_t>(static_cast<unsigned char>(v)));
        else if constexpr (std::is_enum_v<V>) return Variant(static_cast<std::int64_t>(v));
        else if constexpr (detail::IsSetOf<V>::value) return Variant(static_cast<std::int64_t>(v.mask()));
        else if constexpr (std::is_integral_v<V>) return Variant(static_cast<std::int64_t>(v));
        else if constexpr (std::is_floating_point_v<V>) return Variant(static_cast<double>(v));
        else if constexpr (std::is_same_v<V, Variant>) return v;
        else return Variant(std::string(v));
    }

    template <class G, class S, bool writable>
    void addProperty(std::string name, G getter, S setter) {
        using Raw = detail::GetterResult<G, T>;
        using PV = detail::PropertyValue<Raw>;
        using V = typename PV::Type;
        constexpr TypeKind kind = detail::kindOf<V>();
        PropInfo::Accessors a;
        const std::string n = name;

        if constexpr (kind == TypeKind::Integer || kind == TypeKind::Char || kind == TypeKind::Enumeration ||
                      kind == TypeKind::Set) {
            a.getOrdinal = [getter, n](const Persistent& p) -> std::int64_t {
                V v = std::invoke(getter, self(p, n));
                if constexpr (detail::IsSetOf<V>::value) return static_cast<std::int64_t>(v.mask());
                else if constexpr (std::is_same_v<V, char>) return static_cast<unsigned char>(v);
                else return static_cast<std::int64_t>(v);
            };
            if constexpr (writable) {
                a.setOrdinal = [setter, n](Persistent& p, std::int64_t x) {
                    if constexpr (std::is_same_v<V, bool>) {
                        if (x != 0 && x != 1) detail::throwOutOfRange(n, x);
                        std::invoke(setter, selfMut(p, n), x != 0);
                    } else if constexpr (std::is_same_v<V, char>) {
                        if (x < 0 || x > 255) detail::throwOutOfRange(n, x);
                        std::invoke(setter, selfMut(p, n), static_cast<char>(static_cast<unsigned char>(x)));
                    } else if constexpr (std::is_enum_v<V>) {
                        if (!enumInfo<V>().isValid(x)) detail::throwOutOfRange(n, x);
                        std::invoke(setter, selfMut(p, n), static_cast<V>(x));
                    } else if constexpr (detail::IsSetOf<V>::value) {
                        int count = enumInfo<typename V::Element>().count();
                        auto mask = static_cast<std::uint64_t>(x);
                        if (count < 64 && (mask >> count) != 0) detail::throwOutOfRange(n, x);
                        std::invoke(setter, selfMut(p, n), V::fromMask(mask));
                    } else {
                        if (!std::in_range<V>(x)) detail::throwOutOfRange(n, x);
                        std::invoke(setter, selfMut(p, n), static_cast<V>(x));
                    }
                };
            }
        } else if constexpr (kind == TypeKind::Float) {
            a.getFloat = [getter, n](const Persistent& p) -> double {
                return static_cast<double>(std::invoke(getter, self(p, n)));
            };
            if constexpr (writable)
                a.setFloat = [setter, n](Persistent& p, double x) {
                    std::invoke(setter, selfMut(p, n), static_cast<V>(x));
                };
        } else if constexpr (kind == TypeKind::String) {
            a.getString = [getter, n](const Persistent& p) -> std::string { return std::invoke(getter, self(p, n)); };
            if constexpr (writable)
                a.setString = [setter, n](Persistent& p, const std::string& x) {
                    std::invoke(setter, selfMut(p, n), x);
                };
        } else if constexpr (kind == TypeKind::Variant) {
            a.getVariant = [getter, n](const Persistent& p) -> Variant { return std::invoke(getter, self(p, n)); };
            if constexpr (writable)
                a.setVariant = [setter, n](Persistent& p, const Variant& x) { std::invoke(setter, selfMut(p, n), x); };
        } else if constexpr (kind == TypeKind::Class) {
            using U = std::remove_cv_t<std::remove_pointer_t<V>>;
            a.getObject = [getter, n](const Persistent& p) -> Persistent* {
                if constexpr (PV::classByReference) return const_cast<U*>(&std::invoke(getter, self(p, n)));
                else return const_cast<U*>(std::invoke(getter, self(p, n)));
            };
            if constexpr (writable) {
                a.setObject = [setter, n](Persistent& p, Persistent* x) {
                    U* u = x ? dynamic_cast<U*>(x) : nullptr;
                    if (x && !u) detail::throwBadObject(n, x, U::classInfo().name());
                    if constexpr (std::is_invocable_v<S, T&, U*>) {
                        std::invoke(setter, selfMut(p, n), u);
                    } else {
                        static_assert(std::is_invocable_v<S, T&, const U&>, "class setters take U* or const U&");
                        if (!u) detail::throwBadObject(n, nullptr, U::classInfo().name());
                        std::invoke(setter, selfMut(p, n), *u);
                    }
                };
            }
        }

        PropInfo info(std::move(name), kind, std::move(a));
        if constexpr (std::is_same_v<V, bool>) info.setEnumType(&EnumInfo::boolean());
        else if constexpr (std::is_enum_v<V>) info.setEnumType(&enumInfo<V>());
        else if constexpr (detail::IsSetOf<V>::value) info.setEnumType(&enumInfo<typename V::Element>());
        else if constexpr (kind == TypeKind::Class)
            info.setPropertyClass(&std::remove_cv_t<std::remove_pointer_t<V>>::classInfo);
        props_.push_back(std::move(info));
    }

    ClassInfo::ComponentFactory componentFactory() const {
        if constexpr (std::is_base_of_v<Component, T> && !std::is_abstract_v<T> &&
                      std::is_constructible_v<T, Component*>) {
            if (!abstract_) return [](Component* owner) -> Component* { return new T(owner); };
        }
        return {};
    }
    ClassInfo::ItemFactory itemFactory() const {
        if constexpr (std::is_base_of_v<CollectionItem, T> && !std::is_abstract_v<T> &&
                      std::is_constructible_v<T, Collection*>) {
            if (!abstract_) return [](Collection* collection) -> CollectionItem* { return new T(collection); };
        }
        return {};
    }

    std::string name_;
    const ClassInfo* parent_ = nullptr;
    std::vector<PropInfo> props_;
    std::vector<MethodInfo> methods_;
    bool abstract_ = false;
};

}  // namespace lindora
