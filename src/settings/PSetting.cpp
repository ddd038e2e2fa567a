#include "settings/PSetting.h"

#include <cmath>
#include <limits>

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

// Truncates toward zero; values beyond the 32-bit range saturate instead of overflowing.
std::int32_t truncateToInt(long double number) {
    if (std::isnan(number)) return 0;
    long double t = std::trunc(number);
    if (t >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (t <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

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

bool PSetting::textToNumber(const std::string& text, long double& number) {
    auto n = tryStrToFloat(text);
    if (!n) return false;
    number = *n;
    return true;
}

bool PSetting::asBoolean() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: return value_.Text == "True";
    case pvtInteger: return value_.IntValue != 0;
    case pvtFloat: return value_.FloatValue != 0;
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
        long double n = 0;
        return textToNumber(value_.Text, n) ? truncateToInt(n) : 0;
    }
    case pvtInteger: return value_.IntValue;
    case pvtFloat: return truncateToInt(value_.FloatValue);
    case pvtBoolean: return value_.BoolValue ? 1 : 0;
    case pvtDateTime: throw EPSettingException("TPSetting.AsInteger cannot convert from TDateTime type");
    case pvtStrings: throw EPSettingException("TPSetting.AsInteger cannot convert from TStrings type");
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return 0;
    }
}

long double PSetting::asFloat() {
    beforeGet();
    switch (value_.Kind) {
    case pvtString:
    case pvtVariant: {
        long double n = 0;
        return textToNumber(value_.Text, n) ? n : 0.0L;
    }
    case pvtInteger: return value_.IntValue;
    case pvtFloat:
    case pvtDateTime: return value_.FloatValue;
    case pvtBoolean: return value_.BoolValue ? 1.0L : 0.0L;
    case pvtStrings: throw EPSettingException("TPSetting.AsFloat cannot convert from TStrings type");
    case pvtHidden:
    case pvtCollection: throw EPSettingException(kGetObjectKinds);
    default: return 0.0L;
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
    case pvtFloat: return floatToStr(static_cast<double>(value_.FloatValue));
    case pvtBoolean: return value_.BoolValue ? "True" : "False";
    case pvtDateTime: return dateTimeToStr(static_cast<double>(value_.FloatValue));
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
    case pvtDateTime: return Variant(static_cast<double>(value_.FloatValue));
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

void PSetting::setAsBoolean(bool value) {
    checkSettable();
    value_.clear();
    value_.Kind = pvtBoolean;
    value_.BoolValue = value;
    afterSet();
}

void PSetting::setAsInteger(std::int32_t value) {
    checkSettable();
    value_.clear();
    value_.Kind = pvtInteger;
    value_.IntValue = value;
    afterSet();
}

void PSetting::setAsFloat(long double value) {
    checkSettable();
    value_.clear();
    value_.Kind = pvtFloat;
    value_.FloatValue = value;
    afterSet();
}

void PSetting::setAsString(const std::string& value) {
    checkSettable();
    value_.clear();
    value_.Kind = pvtString;
    value_.Text = value;
    afterSet();
}

void PSetting::setAsDateTime(DateTime value) {
    checkSettable();
    value_.clear();
    value_.Kind = pvtDateTime;
    value_.FloatValue = value;
    afterSet();
}

void PSetting::setAsVariant(const Variant& value) {
    checkSettable();
    std::string text = value.toString();
    value_.clear();
    value_.Kind = pvtVariant;
    value_.Text = std::move(text);
    afterSet();
}

void PSetting::setAsStrings(const StringList& list) {
    checkSettable();
    std::string text = list.commaText();
    value_.clear();
    value_.Kind = pvtStrings;
    value_.Text = std::move(text);
    afterSet();
}

}  // namespace lindora
