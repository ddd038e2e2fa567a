#include "base/Persistent.h"

#include "base/ClassBuilder.h"
#include "base/ClassInfo.h"
#include "base/Exception.h"

namespace lindora {

Persistent::~Persistent() = default;

const ClassInfo& Persistent::classInfo() {
    static const ClassInfo info = ClassBuilder<Persistent>("Persistent");
    return info;
}

const ClassInfo& Persistent::classType() const { return classInfo(); }

const std::string& Persistent::className() const { return classType().name(); }

bool Persistent::inheritsFrom(const ClassInfo& info) const { return classType().inheritsFrom(info); }

void Persistent::assign(const Persistent& source) { source.assignTo(*this); }

void Persistent::assignTo(Persistent& dest) const {
    throw EConvertError("Cannot assign " + className() + " to " + dest.className());
}

void Persistent::defineProperties(Filer&) {}

std::string Persistent::namePath() const { return className(); }

}  // namespace lindora
