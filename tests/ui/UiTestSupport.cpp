#include "UiTestSupport.h"

namespace lindora::test {

std::string messageName(unsigned msg) {
    static const std::map<unsigned, std::string> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        {WM_USER, "WM_USER"},
        {WM_THEMECHANGED, "WM_THEMECHANGED"},
        {WM_HELP, "WM_HELP"},
    };
    auto it = names.find(msg);
    return it == names.end() ? "0x" + std::to_string(msg) : it->second;
}

}  // namespace lindora::test
