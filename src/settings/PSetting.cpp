#include "settings/PSetting.h"

#include "base/ClassBuilder.h"
#include "base/NumberText.h"
#include "base/StringList.h"
#include "settings/PropertyBinding.h"
#include "settings/SettingsExceptions.h"

namespace lindora {

namespace {

const char* const kGetObjectKinds = "Cannot use GetAs functions with collections or hidden properties";
const char* const kSetObjectKinds = "Cannot use SetAs functions with collections or hidden properties";

bool isObjectKind(PValueType kind) { return kind == pvtHidden || kind == pvtCollection; }

}  // namespace

const ClassInfo& PSetting::classInfo() {
    static const ClassInfo info = ClassBuilder<PSetting>("PSetting", Component::classInfo())
                                      .property("Name", &PSetting::settingName, &PSetting::setSettingName)
                                      .property("BoundProperty", &PSetting::boundProperty, &PSetting::setBoundProperty)
                                      .property("RelAppSetting", &PSetting::relAppSetting, &PSetting::setRelAppSetting)
                                      .property("Encrypted", &PSetting::encrypted, &PSetting::setEncrypted)
                                      .defaultValue(false)
                                      .property("UniqueName", &PSetting::uniqueName)
                                      .stored(false);
    return info;
}

PSetting::PSetting(Component* owner) : Component(owner) {}

std::string PSetting::uniqueName() const {
    std::string s = boundProperty_ + settingName_;
    for (char& c : s) {
        bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!keep) c = '_';
    }
    return s;
}

bool PSetting::sameDefinition(const PSetting& other) const {
    return settingName_ == other.settingName_ && boundProperty_ == other.boundProperty_ &&
           relAppSetting_ == other.relAppSetting_ && encrypted_ == other.encrypted_;
}

std::vector<std::string> PSetting::bindingPath() const {
    std::vector<std::string> path = splitSettingPath(boundProperty_);
    if (owner() && path.front() == owner()->name()) path.erase(path.begin());
    return path;
}

void PSetting::snapshot() {
    if (!bound()) return;
    default_.clear();
    if (Component* f = form()) default_ = readBoundValue(*f, bindingPath());
}

void PSetting::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    try {
        if (bound()) {
            value_.clear();
            if (Component* f = form()) value_ = readBoundValue(*f, bindingPath());
        }
    } catch (...) {
        refreshing_ = false;
        throw;
    }
    refreshing_ = false;
}

void PSetting::apply() {
    if (applying_) return;
    applying_ = true;
    try {
        if (bound())
            if (Component* f = form()) writeBoundValue(*f, bindingPath(), *this);
    } catch (...) {
        applying_ = false;
        throw;
    }
    applying_ = false;
}

void PSetting::beforeGet() {
    if (bound() && !applying_) refresh();
}

void PSetting::checkSettable() const {
    if (isObjectKind(value_.Kind)) throw EPSettingException(kSetObjectKinds);
}

void PSetting::afterSet() {
    if (bound() && !refreshing_) apply();
}

std::optional<Extended> PSetting::textToNumber(const std::string& text) { return tryStrToExtended(text); }

bool PSetting::asBoolean() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: return value_.Text == "True";
    case pvtInteger: return value_.IntValue != 0;
    case pvtFloat: return !value_.FloatValue.isZero();
    case pvtBoolean: return value_.BoolValue;
    case pvtDateTime: throw EPSettingException("TPSetting.AsBoolean cannot convert from TDateTime type");
    case pvtStrings: throw EPSettingException("TPSetting.AsBoolean cannot convert from TStrings type");
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return false;
    }
}

std::int32_t PSetting::asInteger() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: {
        auto n = textToNumber(value_.Text);
        return n ? n->truncToInt32() : 0;
    }
    case pvtInteger: return value_.IntValue;
    case pvtFloat: return value_.FloatValue.truncToInt32();
    case pvtBoolean: return value_.BoolValue ? 1 : 0;
    case pvtDateTime: throw EPSettingException("TPSetting.AsInteger cannot convert from TDateTime type");
    case pvtStrings: throw EPSettingException("TPSetting.AsInteger cannot convert from TStrings type");
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return 0;
    }
}

Extended PSetting::asFloat() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: return textToNumber(value_.Text).value_or(Extended());
    case pvtInteger: return Extended::fromInteger(value_.IntValue);
    case pvtFloat:
    case pvtDateTime: return value_.FloatValue;
    case pvtBoolean: return Extended::fromInteger(value_.BoolValue ? 1 : 0);
    case pvtStrings: throw EPSettingException("TPSetting.AsFloat cannot convert from TStrings type");
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return Extended();
    }
}

std::string PSetting::asString() {
    beforeGet();
    return currentText();
}

std::string PSetting::currentText() const {
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant:
    case pvtStrings: return value_.Text;
    case pvtInteger: return intToStr(value_.IntValue);
    case pvtFloat: return floatToStr(value_.FloatValue);
    case pvtBoolean: return value_.BoolValue ? "True" : "False";
    case pvtDateTime: return dateTimeToStr(value_.FloatValue.toDouble());
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return {};
    }
}

Variant PSetting::asVariant() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant:
    case pvtStrings: return Variant(value_.Text);
    case pvtInteger: return Variant(std::int64_t{value_.IntValue});
    case pvtFloat:
    case pvtDateTime: return Variant(value_.FloatValue.toDouble());
    case pvtBoolean: return Variant(value_.BoolValue);
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return Variant(std::string());
    }
}

void PSetting::asStrings(StringList& list) {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: list.add(value_.Text); break;
    case pvtInteger:
    case pvtFloat:
    case pvtBoolean:
    case pvtDateTime: list.add(currentText()); break;
    case pvtStrings: list.setCommaText(value_.Text); break;
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: break;
    }
}

// Every setter takes this one path: the kind check first (before the new value is even made,
// so a refused call changes nothing), then the new value replaces the old, then it is applied.
template <class MakeValue>
void PSetting::replaceValue(MakeValue makeValue) {
    checkSettable();
    PValue v = makeValue();
    value_ = std::move(v);
    afterSet();
}

void PSetting::setAsBoolean(bool value) {
    replaceValue([&] { return PValue::boolean(value); });
}

void PSetting::setAsInteger(std::int32_t value) {
    replaceValue([&] { return PValue::integer(value); });
}

void PSetting::setAsFloat(const Extended& value) {
    replaceValue([&] { return PValue::number(pvtFloat, value); });
}

void PSetting::setAsString(const std::string& value) {
    replaceValue([&] { return PValue::text(pvtString, value); });
}

void PSetting::setAsDateTime(const Extended& value) {
    replaceValue([&] { return PValue::number(pvtDateTime, value); });
}

void PSetting::setAsVariant(const Variant& value) {
    replaceValue([&] { return PValue::text(pvtVariant, value.toString()); });
}

void PSetting::setAsStrings(const StringList& list) {
    replaceValue([&] { return PValue::text(pvtStrings, list.commaText()); });
}

}  // namespace lindora
