#pragma once
// A form: a top-level window that is also the root component of a form description. Its window
// is created on first need from its properties; closing runs the close query, then the close
// handler, and then hides, minimises or frees the form, or ends the application when it is the
// main form.
#include <string>
#include <string_view>

#include "base/Component.h"
#include "base/Event.h"
#include "gfx/Font.h"
#include "gfx/PersistentGraphics.h"
#include "ui/FormAccess.h"
#include "ui/Window.h"

namespace lindora {

enum FormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const EnumInfo& enumInfoOf(FormBorderStyle);

enum BorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
const EnumInfo& enumInfoOf(BorderIcon);
using BorderIcons = SetOf<BorderIcon>;

enum FormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const EnumInfo& enumInfoOf(FormStyle);

enum Position {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
const EnumInfo& enumInfoOf(Position);

enum WindowState { wsNormal, wsMinimized, wsMaximized };
const EnumInfo& enumInfoOf(WindowState);

enum CloseAction { caNone, caHide, caFree, caMinimize };
const EnumInfo& enumInfoOf(CloseAction);

class Form : public Component, public Window, public FormAccess {
    LINDORA_CLASS(Form)

public:
    explicit Form(Component* owner = nullptr);
    ~Form() override;

    // Reads the form's description (its own properties and its components), tells every
    // component that loading has finished, and then runs the creation handler OnCreate. An
    // exception from OnCreate is reported by the application and creation still completes.
    void loadFromDescription(std::string_view text);

    // ---- published properties
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    int left() const { return geometry().left; }
    int top() const { return geometry().top; }
    int width() const { return geometry().width(); }
    int height() const { return geometry().height(); }
    void setLeft(int v) override;
    void setTop(int v) override;
    void setWidth(int v) override;
    void setHeight(int v) override;
    void setBoundsTo(int left, int top, int width, int height);
    int clientWidth() const;
    int clientHeight() const;
    FormBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(FormBorderStyle s);
    BorderIcons borderIcons() const { return borderIcons_; }
    void setBorderIcons(BorderIcons icons);
    FormStyle formStyle() const { return formStyle_; }
    void setFormStyle(FormStyle s);
    Position position() const { return position_; }
    void setPosition(Position p) { position_ = p; }
    WindowState windowState() const;
    void setWindowState(WindowState s);
    Color color() const override { return backgroundColor(); }
    void setColor(Color c);
    const Font& font() const { return font_.font(); }
    // The font a new form starts with.
    static Font defaultFont();
    void setFont(const Font& f) { font_.setFont(f); }
    // The published font (Font.Name, Font.Height, ...); a change repaints the form.
    const FontProperty& fontProperty() const { return font_; }
    bool visible() const override { return visible_; }
    void setVisible(bool v);
    int pixelsPerInch() const { return 96; }
    void setPixelsPerInch(int) {}
    int textHeight() const { return textHeight_; }
    void setTextHeight(int h) { textHeight_ = h; }

    Event<Persistent*> OnCreate;
    Event<Persistent*> OnDestroy;
    Event<Persistent*> OnShow;
    Event<Persistent*> OnHide;
    Event<Persistent*> OnActivate;
    Event<Persistent*> OnDeactivate;
    Event<Persistent*> OnResize;
    Event<Persistent*, CloseAction&> OnClose;
    Event<Persistent*, bool&> OnCloseQuery;

    // ---- operations
    void show();
    void hide();
    // The close path: close query, then OnClose with the default action, then the action.
    void close();
    // OnCloseQuery's answer (True when unassigned).
    virtual bool closeQuery();
    // Frees the form once the messages being handled are done (the form must be heap-allocated).
    void release();
    // Shows the form modally: every other window is disabled and a local loop runs until
    // modalResult() is set (closing sets Cancel) or the form is hidden. Returns the result.
    DialogButton showModal();
    DialogButton modalResult() const { return modalResult_; }
    void setModalResult(DialogButton r) { modalResult_ = r; }
    bool isModal() const { return modal_; }
    // Makes sure the form's window exists (hidden until shown).
    void handleNeeded();
    bool isMainForm() const override;
    // Rectangle of the normal (restored) state, screen coordinates.
    Rect normalRect() const;
    // The position set so far stands at the first show even when the position mode leaves the
    // place to the system (a restored placement); centring modes still centre.
    void keepPositionAtShow() { keepPosition_ = true; }

    // ---- the form as the components on it see it
    Window* formWindow() const override { return const_cast<Form*>(this); }
    bool isActiveForm() const override;
    FormBorderKind borderKind() const override;
    bool hasMinimizeOrMaximizeIcon() const override;
    bool isMdiChild() const override { return formStyle_ == fsMDIChild; }
    bool positionIsScreenCenter() const override { return position_ == poScreenCenter; }
    void setPositionDefaultPosOnly() override { position_ = poDefaultPosOnly; }
    Rect workAreaNormalBounds() const override;
    Rect formBounds() const override { return geometry(); }
    void keepPosition() override { keepPositionAtShow(); }
    ShowState formState() const override;
    void setFormState(ShowState state) override;
    Window* applicationWindow() const override;
    int textWidth(const std::string& text) const override;

protected:
    void wndProc(Message& m) override;
    void createParams(CreateParams& params) override;
    // Called after loading and before OnCreate; forms add their own set-up here.
    virtual void doCreate();

private:
    Rect geometry() const { return handleAllocated() ? bounds() : designBounds_; }
    Rect placementBase() const;
    void applyGeometry(const Rect& r);
    void applyPosition();
    void recreateFrame();

    std::string caption_;
    Rect designBounds_{0, 0, 320, 240};
    FormBorderStyle borderStyle_ = bsSizeable;
    BorderIcons borderIcons_;
    FormStyle formStyle_ = fsNormal;
    Position position_ = poDesigned;
    WindowState pendingState_ = wsNormal;
    FontProperty font_;
    bool visible_ = false;
    bool positioned_ = false;
    bool keepPosition_ = false;
    bool wasActive_ = false;
    int textHeight_ = 13;
    DialogButton modalResult_ = DialogButton::None;
    bool modal_ = false;
};

}  // namespace lindora
