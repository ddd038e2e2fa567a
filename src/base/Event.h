#pragma once
// Events: handlers bound to an object, raised only when assigned. A handler remembers the object
// it is bound to and the published name of its method, so that a form description can name it.
//
//     Event<Persistent*, bool&> OnAutoRestore;       // (Sender; var Continue)
//     bool Continue = true;
//     OnAutoRestore(this, Continue);                   // nothing happens when unassigned
//
// In-out parameters are passed by reference.
#include <any>
#include <functional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>

#include "base/Exception.h"

namespace lindora {

class Component;
class Persistent;

// An event's value without its signature: what the property system reads and writes.
struct MethodValue {
    Component* target = nullptr;  // the object the handler is bound to (the form), may be null
    std::string name;             // the published method name; empty when bound in code only
    std::any function;            // a std::function<void(Args...)> of the event's signature
    bool assigned() const { return function.has_value(); }
};

template <class... Args>
class Event {
public:
    using Function = std::function<void(Args...)>;

    Event() = default;

    static std::type_index signature() { return typeid(void(Args...)); }

    // Binds a callable. `target` and `methodName` are what a form description writes back.
    void bind(Function function, Component* target = nullptr, std::string methodName = {}) {
        function_ = std::move(function);
        target_ = function_ ? target : nullptr;
        name_ = function_ ? std::move(methodName) : std::string();
    }
    // Binds a member function of an object (a component is remembered as the target).
    template <class Owner, class Base>
    void bind(Owner* object, void (Base::*method)(Args...), std::string methodName = {}) {
        static_assert(std::is_base_of_v<Base, Owner>);
        Component* target = nullptr;
        if constexpr (std::is_base_of_v<Component, Owner>) target = static_cast<Component*>(object);
        bind([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }, target,
             std::move(methodName));
    }
    void clear() { bind(Function()); }

    bool assigned() const { return static_cast<bool>(function_); }
    explicit operator bool() const { return assigned(); }
    Component* target() const { return target_; }
    const std::string& methodName() const { return name_; }

    // Raises the event when a handler is assigned.
    void operator()(Args... args) const {
        if (function_) function_(std::forward<Args>(args)...);
    }

    MethodValue value() const {
        MethodValue v;
        if (function_) {
            v.target = target_;
            v.name = name_;
            v.function = function_;
        }
        return v;
    }
    // Throws EPropertyError when the value holds a handler of another signature.
    void setValue(const MethodValue& v) {
        if (!v.assigned()) {
            clear();
            return;
        }
        const Function* f = std::any_cast<Function>(&v.function);
        if (!f) throw EPropertyError("Handler '" + v.name + "' does not have the event's parameters");
        bind(*f, v.target, v.name);
    }

private:
    Function function_;
    Component* target_ = nullptr;
    std::string name_;
};

// The usual event with only a Sender.
using NotifyEvent = Event<Persistent* /*Sender*/>;

}  // namespace lindora
