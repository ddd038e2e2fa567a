#pragma once
// The main window, frmMain: built from its form description (FrmMain.form, compiled into the
// program), it hosts the browser wbMain over its client area below the toolbar. Its logic is
// a handful of published handlers that the description binds by name: the creation handler,
// the four commands and the two browser events.
//
// The window keeps a typed reference to each component it owns, by name, resolved when the
// description has been read; components a description does not (yet) contain stay null.
#include <string>

#include "base/Component.h"
#include "ui/Form.h"

namespace lindora {

class Application;
class BarButton;
class BarManager;
class BarProgressItem;
class BarSubItem;
class ImageListComponent;
class PFormSettings;
class WebBrowser;

class FrmMain : public Form {
    LINDORA_CLASS(FrmMain)

public:
    explicit FrmMain(Component* owner = nullptr);
    ~FrmMain() override;

    // Creates the main window of `app` and reads its description; creation finishes with
    // FormCreate. `executableName` is the full path of the running program (the start page is
    // found from it, see StartPageLocation.h); empty means the running executable.
    static FrmMain* create(Application& app, std::string executableName = {});

    // The form description compiled into the program.
    static const std::string& description();

    // Sets the path FormCreate finds the start page from (before the description is read).
    void setExecutableName(std::string path) { executableName_ = std::move(path); }
    const std::string& executableName() const { return executableName_; }

    // Places the client-aligned controls again (after a docked bar changed its thickness).
    void realignControls();

    // ---- owned components, by name
    WebBrowser* wbMain = nullptr;
    PFormSettings* FormSettings = nullptr;
    BarManager* BarManager1 = nullptr;
    BarButton* btnLogin = nullptr;
    BarButton* btnAutoLogin = nullptr;
    BarSubItem* BarSubItem1 = nullptr;
    BarButton* btnHomePage = nullptr;
    BarButton* btnAbout = nullptr;
    BarButton* btnExit = nullptr;
    BarProgressItem* briMain = nullptr;
    ImageListComponent* imgMenu = nullptr;

    // ---- published handlers
    void FormCreate(Persistent* sender);
    void btnLoginClick(Persistent* sender);
    void btnHomePageClick(Persistent* sender);
    void btnAboutClick(Persistent* sender);
    void btnExitClick(Persistent* sender);
    void wbMainProgressChange(Persistent* sender, int progress, int progressMax);
    void wbMainTitleChange(Persistent* sender, const std::u16string& text);
    void FormSettingsAutoRestore(Persistent* sender, bool& proceed);

    void loaded() override;

protected:
    void wndProc(Message& m) override;
    void notification(Component* component, Operation operation) override;

private:
    void bindComponents();
    WebBrowser& browser() const;
    template <class T>
    void bind(T*& field, const char* name, bool required);

    std::string executableName_;
};

// The full path of the running executable (symbolic links resolved); empty when unknown.
std::string runningExecutableName();

// Registers the shell's component classes for form descriptions; again does nothing.
void registerAppClasses();

}  // namespace lindora
