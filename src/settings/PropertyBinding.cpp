#include "settings/PropertyBinding.h"

#include <cstdint>

#include "base/ClassInfo.h"
#include "base/Collection.h"
#include "base/Component.h"
#include "base/NumberText.h"
#include "base/StringList.h"
#include "base/TextUtil.h"
#include "settings/HiddenPropsUse.h"
#include "settings/PSetting.h"

namespace lindora {

std::vector<std::string> splitSettingPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = path.find('.', start);
        if (dot == std::string_view::npos) {
            parts.emplace_back(path.substr(start));
            return parts;
        }
        parts.emplace_back(path.substr(start, dot - start));
        start = dot + 1;
    }
}

namespace {

PValue objectValue(Persistent* object) {
    PValue v;
    if (!object) return v;
    if (auto* list = dynamic_cast<StringList*>(object)) return PValue::text(pvtStrings, list->commaText());
    if (auto* component = dynamic_cast<Component*>(object)) return PValue::text(pvtString, component->name());
    if (auto* collection = dynamic_cast<Collection*>(object)) {
        v.Kind = pvtCollection;
        v.Object = collection;
    }
    return v;
}

PValue propertyValue(Persistent& object, const PropInfo& prop) {
    PValue v;
    switch (prop.kind()) {
    case TypeKind::Integer:
    case TypeKind::Char: v = PValue::integer(static_cast<std::int32_t>(prop.getOrdinal(object))); break;
    case TypeKind::Enumeration: v = PValue::text(pvtString, prop.getEnumName(object)); break;
    case TypeKind::Float: v = PValue::number(pvtFloat, Extended::fromDouble(prop.getFloat(object))); break;
    case TypeKind::String: v = PValue::text(pvtString, prop.getString(object)); break;
    case TypeKind::Set: v = PValue::text(pvtString, prop.getSetText(object, false)); break;
    case TypeKind::Variant: v = PValue::text(pvtVariant, prop.getVariant(object).toString()); break;
    default: break;
    }
    return v;
}

// Text that names a number, for the numeric properties.
bool isNumericText(const std::string& text) { return tryStrToFloat(text).has_value(); }

bool numericValue(const PValue& v) {
    switch (v.Kind) {
    case pvtInteger:
    case pvtFloat: return true;
    case pvtString:
    case pvtVariant: return isNumericText(v.Text);
    default: return false;
    }
}

std::string trimmed(std::string_view s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

// Members named in a comma-separated text; unknown names and ordinals above 31 are ignored.
void writeSetText(Persistent& object, const PropInfo& prop, const std::string& text) {
    const EnumInfo* type = prop.enumType();
    if (!type) return;
    std::uint64_t mask = 0;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string piece = trimmed(
            std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        int ordinal = type->ordinalOf(piece);
        if (ordinal >= 0 && ordinal <= 31) mask |= std::uint64_t{1} << ordinal;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    prop.setSet(object, mask);
}

}  // namespace

PValue readBoundValue(Component& form, const std::vector<std::string>& path) {
    Persistent* current = &form;
    for (size_t i = 0; i < path.size(); ++i) {
        const std::string& part = path[i];
        bool last = i + 1 == path.size();
        if (const PropInfo* prop = findProperty(*current, part)) {
            if (prop->kind() != TypeKind::Class) return propertyValue(*current, *prop);
            Persistent* object = prop->getObject(*current);
            if (last) return objectValue(object);
            if (!object) return {};
            current = object;
            continue;
        }
        if (Component* component = form.findComponent(part)) {
            current = component;
            continue;
        }
        HiddenPropsUse hidden(*current);
        PValue v;
        if (hidden.find(part)) {
            v.Kind = pvtHidden;
            v.Object = current;
        }
        return v;
    }
    return {};
}

void writeBoundValue(Component& form, const std::vector<std::string>& path, PSetting& setting) {
    const PValue& value = setting.value();
    if (value.Kind == pvtNone) return;
    Persistent* current = &form;
    for (size_t i = 0; i < path.size(); ++i) {
        const std::string& part = path[i];
        bool last = i + 1 == path.size();
        const PropInfo* prop = findProperty(*current, part);
        if (!prop) {
            Component* component = form.findComponent(part);
            if (!component) return;
            current = component;
            continue;
        }
        switch (prop->kind()) {
        case TypeKind::Integer:
        case TypeKind::Char:
            if (numericValue(value)) prop->setOrdinal(*current, setting.asInteger());
            return;
        case TypeKind::Enumeration: {
            // An unknown name leaves the property as it is rather than storing a bad ordinal.
            int ordinal = prop->enumType() ? prop->enumType()->ordinalOf(setting.asString()) : -1;
            if (ordinal >= 0) prop->setOrdinal(*current, ordinal);
            return;
        }
        case TypeKind::Float:
            if (numericValue(value)) prop->setFloat(*current, setting.asFloat().toDouble());
            return;
        case TypeKind::String: prop->setString(*current, setting.asString()); return;
        case TypeKind::Set:
            if (value.Kind == pvtString) writeSetText(*current, *prop, value.Text);
            return;
        case TypeKind::Variant: prop->setVariant(*current, setting.asVariant()); return;
        case TypeKind::Class: {
            Persistent* object = prop->getObject(*current);
            if (!last) {
                if (!object) return;
                current = object;
                continue;
            }
            if (auto* list = dynamic_cast<StringList*>(object)) {
                setting.asStrings(*list);
            } else if (prop->isComponentReference()) {
                if (Component* target = form.findComponent(setting.asString())) prop->setObject(*current, target);
            }
            return;
        }
        default: return;
        }
    }
}

}  // namespace lindora
