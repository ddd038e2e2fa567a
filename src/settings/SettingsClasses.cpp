#include "settings/SettingsClasses.h"

#include "base/ClassRegistry.h"
#include "settings/PAppSettings.h"
#include "settings/PFormSettings.h"
#include "settings/PSetting.h"

namespace lindora {

void registerSettingsClasses() {
    registerClass(PSetting::classInfo());
    registerClass(PFormSettings::classInfo());
    registerClass(PAppSettings::classInfo());
}

}  // namespace lindora
