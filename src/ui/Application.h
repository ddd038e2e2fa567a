#pragma once
// The application object: its title, the main form (the first form created), its own hidden
// window (which is what gets minimised), the message loop with the exception report, and the
// hint colour. One exists at a time; forms find it through Application::current().
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/Event.h"
#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/IconImages.h"
#include "ui/MessageDialog.h"
#include "ui/Window.h"

namespace lindora {

class Form;

class Application : public Component {
    LINDORA_CLASS(Application)

public:
    Application();
    ~Application() override;

    // The live application object, or nullptr.
    static Application* current();

    // Creates the application's own window (hidden). Needs an installed platform.
    void initialize();

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    // The application's icon: its own window's, and that of every form that has none of its own
    // when the form's window is made.
    const IconImages& icon() const { return icon_; }
    void setIcon(IconImages images);

    // The first form created while this object exists; closing it ends the application.
    Form* mainForm() const { return mainForm_; }
    // Creates a form of type F owned by the application (the first one becomes the main form).
    template <class F, class... Args>
    F* createForm(Args&&... args) {
        auto* f = new F(this, std::forward<Args>(args)...);
        return f;
    }

    // Shows the main form (when it is meant to be visible) and runs the message loop until
    // terminate(); exceptions from handlers are reported and the loop goes on.
    void run();
    // Ends run(): posts the quit message.
    void terminate();
    bool terminated() const { return terminated_; }
    // Handles every pending message without waiting.
    void processMessages();
    // The standard exception report: a message box with the exception's message; SilentAbort
    // shows nothing. OnException replaces the box when assigned.
    void handleException(const std::exception& e);
    Event<Persistent*, const std::exception&> OnException;

    // The application's own window: minimising the application minimises it.
    Window* handleWindow() const { return window_.get(); }
    void minimize();
    void restore();
    bool isMinimized() const;

    // Whether run() shows the main form (True unless told otherwise).
    bool showMainForm() const { return showMainForm_; }
    void setShowMainForm(bool v) { showMainForm_ = v; }

    Color hintColor() const { return hintColor_; }
    void setHintColor(Color c) { hintColor_ = c; }

    // A modal message dialog owned by the active form; other windows are disabled meanwhile.
    DialogButton messageBox(const std::string& text, const std::string& caption, DialogKind kind,
                            std::vector<DialogButton> buttons = {DialogButton::OK},
                            DialogButton defaultButton = DialogButton::OK);

private:
    friend class Form;
    class AppWindow;
    void formCreated(Form* f);
    void formDestroyed(Form* f);
    void dispatchOne(struct QueuedMessage& m);

    std::string title_;
    Form* mainForm_ = nullptr;
    std::unique_ptr<Window> window_;
    IconImages icon_;
    std::vector<Form*> hiddenByMinimize_;
    // Forms the desktop frames are minimised on the desktop instead (they stay in its task
    // bar), with the state they come back in.
    std::vector<std::pair<Form*, ShowState>> minimizedOnDesktop_;
    bool terminated_ = false;
    bool showMainForm_ = true;
    Color hintColor_ = clInfoBk;
};

}  // namespace lindora
