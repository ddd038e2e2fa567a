#include "ui/HandlerExceptions.h"

namespace lindora {

void HandlerExceptions::report(const std::exception& e) {
    // The report may run handlers of its own (a message box's loop); a copy keeps the handler
    // alive if one of them replaces it.
    Handler handler = handler_;
    handler(e);
}

}  // namespace lindora
