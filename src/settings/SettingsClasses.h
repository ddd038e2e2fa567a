#pragma once
// Makes the settings components known to form descriptions. Registering twice does nothing.
namespace lindora {

void registerSettingsClasses();

}  // namespace lindora
