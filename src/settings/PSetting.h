#pragma once
// PSetting: one persisted value. It holds a tagged value (PValue.h) and may be bound through a
// dotted path ("btnAutoLogin.Down") to a published property of a component on its owner form;
// reading an accessor then reads the property first, and setting one writes the property at
// once. The default value is the property's value as it stood when the form finished loading.
//
// Accessors and their conversions:
//   getters refresh from the property first (unless the value is being applied), then convert
//   the current kind; kinds that cannot convert raise EPSettingException with a fixed message.
//   setters replace the value (refused for hidden properties and collections) and apply it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/DateTime.h"
#include "base/Extended.h"
#include "base/Variant.h"
#include "settings/PValue.h"

namespace lindora {

class StringList;

class PSetting : public Component {
    LINDORA_CLASS(PSetting)

public:
    explicit PSetting(Component* owner = nullptr);

    // "Name": when not empty, the value is stored under it directly in the base key. Not the
    // component's name (settings of one form may share it, or match a component's name).
    const std::string& settingName() const { return settingName_; }
    void setSettingName(const std::string& name) { settingName_ = name; }
    const std::string& boundProperty() const { return boundProperty_; }
    void setBoundProperty(const std::string& path) { boundProperty_ = path; }
    // The application setting that supplies this value; the form then never stores it.
    const std::string& relAppSetting() const { return relAppSetting_; }
    void setRelAppSetting(const std::string& name) { relAppSetting_ = name; }
    bool encrypted() const { return encrypted_; }
    void setEncrypted(bool encrypted) { encrypted_ = encrypted; }
    // BoundProperty then Name, every character but ASCII letters and digits replaced by "_".
    std::string uniqueName() const;

    // The four fields that identify a setting in a form description.
    bool sameDefinition(const PSetting& other) const;

    const PValue& value() const { return value_; }
    const PValue& defaultValue() const { return default_; }
    // Replaces the whole value without applying it (values pulled from application settings).
    void assignValue(const PValue& value) { value_ = value; }
    void clearValue() { value_.clear(); }
    // Changes the kind only (a stored string list arrives as text, then becomes kind 7).
    void markKind(PValueType kind) { value_.Kind = kind; }

    // Reads the bound property into the default value.
    void snapshot();
    // Reads the bound property into the current value.
    void refresh();
    // Writes the current value into the bound property.
    void apply();

    // The path from the owner form, without a leading component naming the form itself.
    std::vector<std::string> bindingPath() const;
    Component* form() const { return owner(); }

    // A form's settings are streamed in their settings component's "Settings" list, never as
    // components of their own.
    bool hasParent() const override { return owner() != nullptr; }

    bool asBoolean();
    std::int32_t asInteger();
    Extended asFloat();
    std::string asString();
    DateTime asDateTime() { return asFloat().toDouble(); }
    Variant asVariant();
    // Adds to `list`, or for a string-list value replaces its contents.
    void asStrings(StringList& list);

    void setAsBoolean(bool value);
    void setAsInteger(std::int32_t value);
    void setAsFloat(const Extended& value);
    void setAsFloat(double value) { setAsFloat(Extended::fromDouble(value)); }
    void setAsString(const std::string& value);
    void setAsDateTime(const Extended& value);
    void setAsDateTime(DateTime value) { setAsDateTime(Extended::fromDouble(value)); }
    void setAsVariant(const Variant& value);
    void setAsStrings(const StringList& list);

private:
    bool bound() const { return !boundProperty_.empty(); }
    void beforeGet();
    void checkSettable() const;
    void afterSet();
    template <class MakeValue>
    void replaceValue(MakeValue makeValue);
    // The current value as text, without refreshing it.
    std::string currentText() const;
    // Strings of kind 1 and 6 as numbers; nothing when not a number.
    static std::optional<Extended> textToNumber(const std::string& text);

    std::string settingName_;
    std::string boundProperty_;
    std::string relAppSetting_;
    bool encrypted_ = false;
    PValue value_;
    PValue default_;
    bool applying_ = false;
    bool refreshing_ = false;
};

}  // namespace lindora
