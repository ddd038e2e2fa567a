#pragma once
// The recent-files list of a form's settings and its numbered menu entries ("&1 file"). The
// entries and their separators are owned by the settings component and carry fixed tags, so
// that they can be found and removed again among the menu's other entries.
#include <functional>
#include <string>

#include "base/EnumInfo.h"
#include "base/StringList.h"

namespace lindora {

class Component;
class MenuModel;

enum PMRUDisplayType { pmdFileOnly, pmdFullPath, pmdAbbPath };
const EnumInfo& enumInfoOf(PMRUDisplayType);
enum PMRUPlacement { pmpDescending, pmpBefore };
const EnumInfo& enumInfoOf(PMRUPlacement);

// A path shortened with "..." in its middle until `measure` says it fits `maxWidth`; the
// file name is kept as long as it fits on its own.
std::string abbreviatePath(const std::string& path, int maxWidth,
                           const std::function<int(const std::string&)>& measure);

class RecentFilesMenu {
public:
    static constexpr std::int64_t EntryTag = 46371;      // 0xB523
    static constexpr std::int64_t SeparatorTag = 46358;  // 0xB516

    // `owner` owns the menu entries (the settings component).
    explicit RecentFilesMenu(Component& owner);
    ~RecentFilesMenu();
    RecentFilesMenu(const RecentFilesMenu&) = delete;
    RecentFilesMenu& operator=(const RecentFilesMenu&) = delete;

    // Entry 0 is shown first.
    const StringList& files() const { return files_; }
    int count() const { return files_.count(); }
    // Replaces the list (a restore) and rebuilds the menu.
    void setFiles(const StringList& files);

    // Setters ignore values out of range, as the properties do.
    int length() const { return length_; }
    void setLength(int length);  // 0..9
    PMRUDisplayType display() const { return display_; }
    void setDisplay(PMRUDisplayType display);
    int maxItemWidth() const { return maxItemWidth_; }
    void setMaxItemWidth(int width);  // 100..300 pixels
    PMRUPlacement placement() const { return placement_; }
    void setPlacement(PMRUPlacement placement);
    bool validate() const { return validate_; }
    void setValidate(bool validate);
    // The menu item the entries go into (pmpDescending) or in front of (pmpBefore).
    Component* menuItem() const { return menuItem_; }
    void setMenuItem(Component* item);
    // Called by the owner when a component it was told about is freed.
    void forget(Component* component);

    // Drops entries from the end until the list holds at most length().
    void trim();
    void rebuild();
    void removeEntries();
    std::string displayText(const std::string& file) const;

    // Text width in the form's canvas font (pmdAbbPath); whether a file still exists.
    std::function<int(const std::string&)> measureText;
    std::function<bool(const std::string&)> fileExists;
    // Whether the owner is in design mode (no entries then).
    std::function<bool()> designing;
    // A recent entry was chosen: the entry, its file and its 1-based index.
    std::function<void(Component& entry, const std::string& file, int index)> onClick;

private:
    struct Target {
        MenuModel* model = nullptr;
        Component* menu = nullptr;
        int position = -1;  // pmpBefore: where the entries go
    };
    Target target() const;
    void clicked(Component& entry);

    Component& owner_;
    StringList files_;
    int length_ = 4;
    PMRUDisplayType display_ = pmdFullPath;
    int maxItemWidth_ = 200;
    PMRUPlacement placement_ = pmpDescending;
    bool validate_ = true;
    Component* menuItem_ = nullptr;
};

}  // namespace lindora
