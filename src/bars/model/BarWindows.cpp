#include "bars/model/BarWindows.h"

namespace lindora {

namespace {
BarWindowFactory& factory() {
    static BarWindowFactory f;
    return f;
}
}  // namespace

void setBarWindowFactory(BarWindowFactory f) { factory() = std::move(f); }
const BarWindowFactory& barWindowFactory() { return factory(); }

}  // namespace lindora
