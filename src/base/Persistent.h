#pragma once
// Persistent: the root of everything the property system and the form description can handle.
// Each class publishes a ClassInfo (see ClassInfo.h) through LINDORA_CLASS.
#include <string>

namespace lindora {

class ClassInfo;
class Filer;

// Declares the class's published type information. Put it first in the class body:
//     class Button : public BarItem {
//         LINDORA_CLASS(Button)
//     public:
//         ...
// and define `const ClassInfo& Button::classInfo()` in the .cpp with a ClassBuilder.
#define LINDORA_CLASS(Class)                                                       \
public:                                                                            \
    static const ::lindora::ClassInfo& classInfo();                                \
    const ::lindora::ClassInfo& classType() const override { return classInfo(); } \
                                                                                   \
private:

class Persistent {
public:
    Persistent() = default;
    virtual ~Persistent();
    // Persistent objects have identity; copy their state with assign().
    Persistent(const Persistent&) = delete;
    Persistent& operator=(const Persistent&) = delete;

    static const ClassInfo& classInfo();
    // The most derived class's type information.
    virtual const ClassInfo& classType() const;
    const std::string& className() const;
    // True when this object's class is `info` or derives from it.
    bool inheritsFrom(const ClassInfo& info) const;

    // Copies the state of `source`. The default asks the source (assignTo) and, when it does not
    // know this class either, throws EConvertError "Cannot assign X to Y".
    virtual void assign(const Persistent& source);

    // Announces properties that are streamed by the object itself rather than through the
    // published property table (for example a list of settings). See Filer.h.
    virtual void defineProperties(Filer& filer);

    // A name for messages: a component's Name, an item's "Collection[index]", else the class name.
    virtual std::string namePath() const;

protected:
    // Called by assign() when the destination does not know the source's class; the default
    // throws the assign error.
    virtual void assignTo(Persistent& dest) const;
};

}  // namespace lindora
