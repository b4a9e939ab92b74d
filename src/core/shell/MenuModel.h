#pragma once

#include "i18n/TextTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace ks {

// One line of a drop-down: a command, a separator or a sub-menu.
struct MenuEntry {
    enum class Kind { Command, Separator, SubMenu };

    Kind kind = Kind::Command;
    int textNumber = 0;             // 0 for a separator
    std::string text;               // in the bar's language, '&' marks the access key
    std::string command;            // registered command name; empty unless Kind::Command
    bool enabled = true;            // false: shown greyed
    std::vector<MenuEntry> entries; // the sub-menu's own entries

    bool operator==(const MenuEntry&) const = default;
};

struct MenuDropDown {
    int titleNumber = 0;
    std::string title;
    std::vector<MenuEntry> entries;

    bool operator==(const MenuDropDown&) const = default;
};

// A menu bar described as data, so that its contents can be checked without a display and
// the window only has to mirror it.
struct MenuBarModel {
    int language = 1;
    std::vector<MenuDropDown> dropDowns;

    // The first command entry with this name (searching sub-menus), or nullptr.
    const MenuEntry* findCommand(std::string_view command) const;
};

// Fills a menu bar on three levels: entries go into a pending drop-down; a pending sub-menu
// can be attached to the drop-down under a title; the pending drop-down is attached to the
// bar under a title. Texts come from the text table in the builder's language.
class CMenuBarBuilder {
public:
    explicit CMenuBarBuilder(int language = kLanguageFrench);

    // A language beyond those of the table is refused and the previous one kept.
    bool setLanguage(int language);
    int language() const { return m_language; }

    void item(int textNumber, std::string_view command, bool disabled = false);
    void separator();
    void subMenuItem(int textNumber, std::string_view command, bool disabled = false);
    void subMenuSeparator();
    void attachSubMenu(int titleNumber);
    void attachDropDown(int titleNumber);

    // The bar built so far; the builder starts afresh afterwards.
    MenuBarModel finish();

private:
    MenuEntry command(int textNumber, std::string_view command, bool disabled);

    CTextTable m_texts;
    int m_language;
    std::vector<MenuEntry> m_pendingSubMenu;
    std::vector<MenuEntry> m_pendingDropDown;
    MenuBarModel m_bar;
};

} // namespace ks
