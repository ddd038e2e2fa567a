#pragma once
// A minimal action: a command whose caption, state and handler several items can follow.
#include <functional>
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/Event.h"

namespace lindora {

class BarAction : public Component {
    LINDORA_CLASS(BarAction)

public:
    explicit BarAction(Component* owner = nullptr);
    ~BarAction() override;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& v);
    bool checked() const { return checked_; }
    void setChecked(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    int helpContext() const { return helpContext_; }
    void setHelpContext(int v);
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& v);
    int imageIndex() const { return imageIndex_; }
    void setImageIndex(int v);
    int shortCut() const { return shortCut_; }
    void setShortCut(int v);
    bool visible() const { return visible_; }
    void setVisible(bool v);

    // Runs OnExecute; false when it has none.
    bool execute();
    NotifyEvent OnExecute;
    // Lets the owner bring the action's state up to date (its clients ask at idle time); false
    // when it has no OnUpdate.
    bool update();
    NotifyEvent OnUpdate;
    // An item of the action is about to show its hint: OnHint may change the text, or refuse
    // (CanShow false) so that no hint shows. True when the hint may show.
    bool doHint(std::string& hint);
    Event<std::string&, bool&> OnHint;

    // Clients (action links) are told after every change.
    using Listener = std::function<void(BarAction&)>;
    int addChangeListener(Listener listener);
    void removeChangeListener(int id);

private:
    void changed();

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    bool visible_ = true;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextId_ = 1;
};

}  // namespace lindora
