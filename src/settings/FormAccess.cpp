#include "settings/FormAccess.h"

#include "base/Component.h"

namespace lindora {

std::unique_ptr<FormAccess> formAccessFor(Component* owner)
{
    if (auto* provider = dynamic_cast<FormAccessProvider*>(owner))
        return provider->createFormAccess();
    return nullptr;
}

}  // namespace lindora
