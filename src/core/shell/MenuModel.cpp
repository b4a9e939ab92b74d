#include "shell/MenuModel.h"

#include "i18n/TextLimits.h"

#include <utility>

namespace ks {

namespace {

const MenuEntry* findIn(const std::vector<MenuEntry>& entries, std::string_view command) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command && e.command == command)
            return &e;
        if (e.kind == MenuEntry::Kind::SubMenu)
            if (const MenuEntry* found = findIn(e.entries, command))
                return found;
    }
    return nullptr;
}

MenuEntry separatorEntry() {
    MenuEntry e;
    e.kind = MenuEntry::Kind::Separator;
    return e;
}

} // namespace

const MenuEntry* MenuBarModel::findCommand(std::string_view command) const {
    for (const MenuDropDown& d : dropDowns)
        if (const MenuEntry* found = findIn(d.entries, command))
            return found;
    return nullptr;
}

CMenuBarBuilder::CMenuBarBuilder(int language) : m_language(kLanguageFrench) {
    setLanguage(language);
}

bool CMenuBarBuilder::setLanguage(int language) {
    if (language < 1 || language > kTextLanguageCount)
        return false;
    m_language = language;
    return true;
}

MenuEntry CMenuBarBuilder::command(int textNumber, std::string_view name, bool disabled) {
    MenuEntry e;
    e.kind = MenuEntry::Kind::Command;
    e.textNumber = textNumber;
    e.text = m_texts.text(textNumber, m_language);
    e.command = std::string(name);
    e.enabled = !disabled;
    return e;
}

void CMenuBarBuilder::item(int textNumber, std::string_view name, bool disabled) {
    m_pendingDropDown.push_back(command(textNumber, name, disabled));
}

void CMenuBarBuilder::separator() {
    m_pendingDropDown.push_back(separatorEntry());
}

void CMenuBarBuilder::subMenuItem(int textNumber, std::string_view name, bool disabled) {
    m_pendingSubMenu.push_back(command(textNumber, name, disabled));
}

void CMenuBarBuilder::subMenuSeparator() {
    m_pendingSubMenu.push_back(separatorEntry());
}

void CMenuBarBuilder::attachSubMenu(int titleNumber) {
    MenuEntry e;
    e.kind = MenuEntry::Kind::SubMenu;
    e.textNumber = titleNumber;
    e.text = m_texts.text(titleNumber, m_language);
    e.entries = std::exchange(m_pendingSubMenu, {});
    m_pendingDropDown.push_back(std::move(e));
}

void CMenuBarBuilder::attachDropDown(int titleNumber) {
    MenuDropDown d;
    d.titleNumber = titleNumber;
    d.title = m_texts.text(titleNumber, m_language);
    d.entries = std::exchange(m_pendingDropDown, {});
    m_bar.dropDowns.push_back(std::move(d));
}

MenuBarModel CMenuBarBuilder::finish() {
    m_bar.language = m_language;
    m_pendingSubMenu.clear();
    m_pendingDropDown.clear();
    return std::exchange(m_bar, {});
}

} // namespace ks
