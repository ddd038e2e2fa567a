#include "settings/FormAccess.h"

#include "base/Component.h"
#include "settings/FormAdapters.h"

namespace lindora {

std::unique_ptr<FormAccess> formAccessFor(Component* owner) {
    if (auto* provider = dynamic_cast<FormAccessProvider*>(owner)) return provider->createFormAccess();
    return formViewOf(owner);
}

}  // namespace lindora
