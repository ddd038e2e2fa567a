#pragma once
// The system's message text for an error number of the desktop's open operation, with the
// texts of the classic platform so that messages read the same on every backend.
#include <string>

namespace lindora {

std::string systemErrorText(int code);

}  // namespace lindora
