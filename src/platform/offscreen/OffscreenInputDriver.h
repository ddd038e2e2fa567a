#pragma once
// What the user would do on the offscreen backend, from code or from an input script: pointer
// and keyboard input fed to the window layer as real input is, the answers the "user" gives to
// message dialogs and the desktop's open operation, and the script runner that does all this
// one command at a time whenever the message loop would wait for input.
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/offscreen/InputScript.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class OffscreenIntegration;
class Window;

class OffscreenInputDriver {
public:
    explicit OffscreenInputDriver(OffscreenIntegration& backend) : backend_(backend) {}
    OffscreenInputDriver(const OffscreenInputDriver&) = delete;
    OffscreenInputDriver& operator=(const OffscreenInputDriver&) = delete;

    // Where input goes: the window layer, once the backend is installed.
    void attach(PlatformEventSink& sink) { sink_ = &sink; }

    // ---- input from code (queued like real input; handled by the message loops)
    void mouseMove(Point screen);
    void mousePress(MouseButton b);
    void mouseRelease(MouseButton b);
    void click(Point screen, MouseButton b = MouseButton::Left);
    void doubleClick(Point screen);
    void keyDown(unsigned vk);
    void keyUp(unsigned vk);
    // Press and release with modifiers held (VK_MENU, VK_CONTROL, VK_SHIFT) around it.
    void key(unsigned vk, std::initializer_list<unsigned> modifiers = {});
    // Types on the US layout; a character it has no key for raises Exception.
    void typeText(const std::u32string& text);
    Point cursorPos() const { return cursor_; }

    // ---- prepared answers
    // Answers for the next message dialogs, oldest first; without one the default button.
    void queueDialogAnswer(DialogButton answer) { answers_.push_back(answer); }
    std::size_t pendingDialogAnswers() const { return answers_.size(); }
    // The dialogs asked so far, oldest first.
    const std::vector<DialogRequest>& dialogs() const { return dialogs_; }
    // The answer to a dialog now shown: the next prepared one when the dialog has that button.
    DialogButton answerDialog(const DialogRequest& request);
    // Status code the next shell opens return (42, success, unless told otherwise).
    void setShellOpenResult(int code) { openResult_ = code; }
    int shellOpenResult() const { return openResult_; }

    // ---- the script
    // Runs the script from the event loop, one command each time it would wait for input;
    // after the last line the main window is closed as `close` would, unless the script did.
    void setScript(InputScript script);
    bool hasScript() const { return script_.has_value(); }
    bool scriptFinished() const;
    // Which window the end of a script closes; default: the first visible normal top-level.
    void setMainWindowFinder(std::function<Window*()> finder) { mainWindowFinder_ = std::move(finder); }
    // Runs one script command; false when none is left.
    bool runNextScriptCommand();
    // One step for the event loop: the next command, or closing the main window once the
    // commands are done. False when the script has nothing left to do (or there is none).
    bool step();

private:
    void feedMouse(MouseAction a, MouseButton b);
    void pressKeyCombination(const std::vector<unsigned>& keys);
    void wait(int ms);
    void screenshot(const std::string& file);
    void closeActiveForm(bool endOfScript);

    OffscreenIntegration& backend_;
    PlatformEventSink* sink_ = nullptr;
    Point cursor_{0, 0};
    std::deque<DialogButton> answers_;
    std::vector<DialogRequest> dialogs_;
    int openResult_ = 42;
    std::optional<InputScript> script_;
    std::size_t scriptPos_ = 0;
    bool endClosed_ = false;
    bool scriptClosed_ = false;
    std::function<Window*()> mainWindowFinder_;
};

}  // namespace lindora
