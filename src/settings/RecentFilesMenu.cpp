#include "settings/RecentFilesMenu.h"

#include <filesystem>
#include <vector>

#include "base/Component.h"
#include "settings/MenuModel.h"

namespace lindora {

const EnumInfo& enumInfoOf(PMRUDisplayType) {
    static const EnumInfo info("TPMRUDisplayType", {"pmdFileOnly", "pmdFullPath", "pmdAbbPath"});
    return info;
}

const EnumInfo& enumInfoOf(PMRUPlacement) {
    static const EnumInfo info("TPMRUPlacement", {"pmpDescending", "pmpBefore"});
    return info;
}

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string abbreviatePath(const std::string& path, int maxWidth,
                           const std::function<int(const std::string&)>& measure) {
    if (!measure || measure(path) <= maxWidth) return path;
    size_t lastSep = path.find_last_of("/\\");
    if (lastSep == std::string::npos) {
        // No folders to leave out: shorten the name from its front.
        for (size_t k = 1; k < path.size(); ++k)
            if (measure("..." + path.substr(k)) <= maxWidth) return "..." + path.substr(k);
        return "...";
    }
    const char sep = path[lastSep];
    const std::string file = path.substr(lastSep + 1);
    // The folders between the first one (the root or drive) and the file.
    std::vector<std::string> folders;
    size_t start = 0;
    for (size_t i = 0; i <= lastSep; ++i) {
        if (isSeparator(path[i])) {
            folders.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    const std::string head = folders.empty() ? std::string() : folders.front();
    for (size_t drop = 1; drop < folders.size(); ++drop) {
        std::string candidate = head + sep + "...";
        for (size_t i = drop + 1; i < folders.size(); ++i) candidate += sep + folders[i];
        candidate += sep + file;
        if (measure(candidate) <= maxWidth) return candidate;
    }
    std::string shortest = std::string("...") + sep + file;
    if (measure(shortest) <= maxWidth) return shortest;
    for (size_t k = 1; k < file.size(); ++k)
        if (measure("..." + file.substr(k)) <= maxWidth) return "..." + file.substr(k);
    return "...";
}

RecentFilesMenu::RecentFilesMenu(Component& owner) : owner_(owner) {
    fileExists = [](const std::string& f) {
        std::error_code ec;
        return std::filesystem::exists(f, ec);
    };
}

RecentFilesMenu::~RecentFilesMenu() { removeEntries(); }

void RecentFilesMenu::setFiles(const StringList& files) {
    removeEntries();
    files_.assign(files);
    rebuild();
}

void RecentFilesMenu::setLength(int length) {
    if (length == length_ || length < 0 || length > 9) return;
    removeEntries();
    length_ = length;
    trim();
    rebuild();
}

void RecentFilesMenu::setDisplay(PMRUDisplayType display) {
    if (display == display_) return;
    display_ = display;
    rebuild();
}

void RecentFilesMenu::setMaxItemWidth(int width) {
    if (width == maxItemWidth_ || width < 100 || width > 300) return;
    maxItemWidth_ = width;
    rebuild();
}

void RecentFilesMenu::setPlacement(PMRUPlacement placement) {
    if (placement == placement_) return;
    removeEntries();
    placement_ = placement;
    rebuild();
}

void RecentFilesMenu::setValidate(bool validate) {
    if (validate == validate_) return;
    removeEntries();
    validate_ = validate;
    rebuild();
}

void RecentFilesMenu::setMenuItem(Component* item) {
    if (item == menuItem_) return;
    removeEntries();
    if (menuItem_) owner_.removeFreeNotification(menuItem_);
    menuItem_ = item;
    if (menuItem_) owner_.freeNotification(menuItem_);
    rebuild();
}

void RecentFilesMenu::forget(Component* component) {
    if (component && component == menuItem_) menuItem_ = nullptr;
}

void RecentFilesMenu::trim() {
    while (files_.count() > length_) files_.remove(files_.count() - 1);
}

RecentFilesMenu::Target RecentFilesMenu::target() const {
    Target t;
    if (!menuItem_) return t;
    t.model = menuModelFor(menuItem_);
    if (!t.model) return t;
    if (placement_ == pmpBefore) {
        t.menu = t.model->parentOf(*menuItem_);
        if (t.menu) {
            auto entries = t.model->entries(*t.menu);
            for (size_t i = 0; i < entries.size(); ++i)
                if (entries[i] == menuItem_) t.position = static_cast<int>(i);
        }
    } else {
        t.menu = menuItem_;
    }
    if (!t.menu) t.model = nullptr;
    return t;
}

void RecentFilesMenu::removeEntries() {
    if (designing && designing()) return;
    Target t = target();
    if (!t.model) return;
    auto entries = t.model->entries(*t.menu);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        Component* entry = *it;
        if (entry->tag() == EntryTag || entry->tag() == SeparatorTag) {
            t.model->remove(*t.menu, *entry);
            delete entry;
        }
    }
}

void RecentFilesMenu::rebuild() {
    if (validate_)
        for (int i = files_.count() - 1; i >= 0; --i)
            if (!fileExists || !fileExists(files_[i])) files_.remove(i);
    if (designing && designing()) return;
    // Entries left from an earlier build could outnumber a shortened list: start afresh.
    removeEntries();
    Target t = target();
    if (!t.model || files_.empty()) return;
    MenuModel& model = *t.model;
    Component& menu = *t.menu;
    auto makeSeparator = [&]() {
        Component* sep = model.createEntry(&owner_, {});
        sep->setTag(SeparatorTag);
        model.setCaption(*sep, "-");
        return sep;
    };

    int position = t.position;
    if (placement_ == pmpBefore) {
        auto entries = model.entries(menu);
        if (position > 0 && model.caption(*entries[position - 1]) != "-") {
            model.insert(menu, position, *makeSeparator());
            ++position;
        }
        model.insert(menu, position, *makeSeparator());
    } else if (!model.entries(menu).empty()) {
        Component* sep = makeSeparator();
        model.insert(menu, static_cast<int>(model.entries(menu).size()), *sep);
    }

    for (int n = 0; n < length_ && n < files_.count(); ++n) {
        Component* entry = model.createEntry(&owner_, [this](Component& e) { clicked(e); });
        entry->setTag(EntryTag);
        if (placement_ == pmpBefore) model.insert(menu, position, *entry);
        else model.insert(menu, static_cast<int>(model.entries(menu).size()), *entry);
    }

    int k = 0;
    for (Component* entry : model.entries(menu)) {
        if (entry->tag() != EntryTag) continue;
        ++k;
        if (k > files_.count()) break;
        model.setCaption(*entry, "&" + std::to_string(k) + " " + displayText(files_[k - 1]));
    }
}

std::string RecentFilesMenu::displayText(const std::string& file) const {
    switch (display_) {
    case pmdFileOnly: {
        size_t sep = file.find_last_of("/\\");
        return sep == std::string::npos ? file : file.substr(sep + 1);
    }
    case pmdAbbPath: return abbreviatePath(file, maxItemWidth_, measureText);
    default: return file;
    }
}

void RecentFilesMenu::clicked(Component& entry) {
    Target t = target();
    if (!t.model) return;
    int index = 0;
    for (Component* e : t.model->entries(*t.menu)) {
        if (e->tag() != EntryTag) continue;
        ++index;
        if (e == &entry) {
            if (onClick && index <= files_.count()) onClick(entry, files_[index - 1], index);
            return;
        }
    }
}

}  // namespace lindora
