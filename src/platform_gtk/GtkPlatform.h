#pragma once
// Makes the gtk backend selectable: registers it under the name "gtk" with the platform
// selection and its WebKit engine with the browser control. Call once at start, before
// installPlatform.
namespace lindora {

void registerGtkPlatform();

}  // namespace lindora
