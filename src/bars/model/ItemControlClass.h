#pragma once
// The classes of item controls, as the item-control registry maps item classes to them. The
// controls layer builds the controls (BarControlsIntegration::createItemControl); the model
// only hands the class on and names it.
#include <string_view>

namespace lindora {

class ItemControlClass {
public:
    explicit constexpr ItemControlClass(std::string_view name) : name_(name) {}
    ItemControlClass(const ItemControlClass&) = delete;
    ItemControlClass& operator=(const ItemControlClass&) = delete;

    // The class name design tools show ("BarButtonControl").
    std::string_view name() const { return name_; }

private:
    std::string_view name_;
};

// The controls of the framework's own items.
namespace itemcontrols {
inline constexpr ItemControlClass BarButtonControl{"BarButtonControl"};
inline constexpr ItemControlClass BarEditControl{"BarEditControl"};
inline constexpr ItemControlClass BarSubItemControl{"BarSubItemControl"};
inline constexpr ItemControlClass BarContainerItemControl{"BarContainerItemControl"};
}  // namespace itemcontrols

}  // namespace lindora
