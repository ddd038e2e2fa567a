#pragma once
// The look and feel a manager follows when its Style is bmsUseLookAndFeel.
#include "base/EnumInfo.h"
#include "base/Event.h"
#include "base/Persistent.h"

namespace lindora {

enum LookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
const EnumInfo& enumInfoOf(LookAndFeelKind);

class LookAndFeel : public Persistent {
    LINDORA_CLASS(LookAndFeel)

public:
    LookAndFeelKind kind() const { return kind_; }
    void setKind(LookAndFeelKind value);
    // Asks for the platform's native (themed) look when themes are active.
    bool nativeStyle() const { return nativeStyle_; }
    void setNativeStyle(bool value);

    void assign(const Persistent& source) override;

    NotifyEvent OnChange;

private:
    LookAndFeelKind kind_ = lfFlat;
    bool nativeStyle_ = false;
};

}  // namespace lindora
