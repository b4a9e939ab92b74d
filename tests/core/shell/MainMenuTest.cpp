#include "shell/MainMenu.h"
#include "shell/MenuCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace ks;

namespace {

std::vector<int> titles(const MenuBarModel& bar) {
    std::vector<int> out;
    for (const auto& d : bar.dropDowns)
        out.push_back(d.titleNumber);
    return out;
}

// "text:COMMAND" per entry, "---" for a separator, "[n]" followed by the entries for a
// sub-menu.
std::vector<std::string> layout(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator:
            out.push_back("---");
            break;
        case MenuEntry::Kind::Command:
            out.push_back(std::to_string(e.textNumber) + ":" + e.command);
            break;
        case MenuEntry::Kind::SubMenu:
            out.push_back("[" + std::to_string(e.textNumber) + "]");
            for (const auto& s : layout(e.entries))
                out.push_back("  " + s);
            break;
        }
    }
    return out;
}

void collectCommands(const std::vector<MenuEntry>& entries, std::multiset<std::string>& out) {
    for (const auto& e : entries) {
        if (e.kind == MenuEntry::Kind::Command)
            out.insert(e.command);
        collectCommands(e.entries, out);
    }
}

} // namespace

TEST(MainMenu, DropDownsFollowTheModem) {
    struct Case {
        MenuState state;
        std::vector<int> titles;
    };
    const std::vector<Case> cases = {
        {{false, false}, {180, 176, 171, 166}},
        {{true, false}, {180, 176, 189, 171, 166}},
        {{true, true}, {180, 176, 188, 171, 166}},
        // Connected without the modem enabled (the options changed under a call): no modem
        // drop-down, but the configuration stays locked.
        {{false, true}, {180, 176, 171, 166}},
    };
    for (const auto& c : cases) {
        const MenuBarModel bar = buildMainMenuBar(kLanguageFrench, c.state);
        EXPECT_EQ(titles(bar), c.titles) << c.state.modemEnabled << c.state.modemConnected;
        const bool locked = c.state.modemConnected;
        for (auto command : {menu::kConfConf, menu::kConfSave, menu::kConfLoad}) {
            const MenuEntry* e = bar.findCommand(command);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->enabled, !locked) << command;
        }
        for (const auto& d : bar.dropDowns) {
            if (d.titleNumber == 171)
                continue;
            for (const auto& e : d.entries)
                EXPECT_TRUE(e.enabled) << e.command;
        }
    }
    const MenuBarModel connected = buildMainMenuBar(kLanguageFrench, {true, true});
    EXPECT_EQ(layout(connected.dropDowns[2].entries),
              std::vector<std::string>{"175:WM_USER_MENU_MODEM_DECONNECT"});
    const MenuBarModel idle = buildMainMenuBar(kLanguageFrench, {true, false});
    EXPECT_EQ(layout(idle.dropDowns[2].entries),
              std::vector<std::string>{"172:WM_USER_MENU_MODEM_CONNECT"});
}

TEST(MainMenu, FileDialogueAndConfigurationLayout) {
    const MenuBarModel bar = buildMainMenuBar(kLanguageFrench, {});
    const std::vector<std::string> file = {
        "198:WM_USER_MENU_OUVRIR",
        "---",
        "[191]",
        "  199:WM_USER_MENU_NEW_ETALONNAGE",
        "  ---",
        "  202:WM_USER_MENU_NEW_REGKSN",
        "  ---",
        "  204:WM_USER_MENU_NEW_REGUS",
        "  ---",
        "  208:WM_USER_MENU_NEW_SONDESPE",
        "  ---",
        "  203:WM_USER_MENU_NEW_REGSPE",
        "  ---",
        "  196:WM_USER_MENU_NEW_OEM",
        "---",
        "201:WM_USER_MENU_QUITTER",
    };
    EXPECT_EQ(layout(bar.dropDowns[0].entries), file);
    const std::vector<std::string> dialogue = {
        "187:WM_USER_MENU_DIAL_MESURE",    "---", "199:WM_USER_MENU_DIAL_ETALONNAGE",  "---",
        "204:WM_USER_MENU_DIAL_REGUS",     "---", "202:WM_USER_MENU_DIAL_REGKSN",      "---",
        "178:WM_USER_MENU_DIAL_ESC",       "---", "203:WM_USER_MENU_DIAL_REGSPE",      "---",
        "196:WM_USER_MENU_DIAL_OEM",       "---", "209:WM_USER_MENU_DIAL_TEST",        "---",
        "184:WM_USER_MENU_DIAL_INIT",      "---", "181:WM_USER_MENU_DIAL_IMPRIME_ALL", "---",
        "206:WM_USER_MENU_DIAL_SAUVE_ALL",
    };
    EXPECT_EQ(layout(bar.dropDowns[1].entries), dialogue);
    const std::vector<std::string> configuration = {
        "171:WM_USER_MENU_CONF_CONF",
        "---",
        "207:WM_USER_MENU_CONF_SAVE",
        "185:WM_USER_MENU_CONF_LOAD",
    };
    EXPECT_EQ(layout(bar.dropDowns[2].entries), configuration);
    EXPECT_EQ(layout(bar.dropDowns[3].entries),
              std::vector<std::string>{"166:WM_USER_MENU_APROPO"});
}

TEST(MainMenu, EveryCommandIsInTheBarOnce) {
    std::multiset<std::string> idle, connected;
    for (const auto& d : buildMainMenuBar(kLanguageFrench, {true, false}).dropDowns)
        collectCommands(d.entries, idle);
    for (const auto& d : buildMainMenuBar(kLanguageFrench, {true, true}).dropDowns)
        collectCommands(d.entries, connected);
    for (auto name : menu::commandNames()) {
        const std::string n(name);
        if (name == menu::kModemConnect)
            EXPECT_EQ(idle.count(n) + connected.count(n), 1u);
        else if (name == menu::kModemDeconnect)
            EXPECT_EQ(connected.count(n), 1u);
        else
            EXPECT_EQ(idle.count(n), 1u) << n;
    }
    EXPECT_EQ(idle.size(), menu::commandNames().size() - 1);
    EXPECT_TRUE(menu::isCommandName("WM_USER_MENU_APROPO"));
    EXPECT_FALSE(menu::isCommandName("WM_USER_MENU_NOPE"));
}

TEST(MainMenu, TextsInTheBuildersLanguage) {
    const MenuBarModel german = buildMainMenuBar(kLanguageGerman, {true, true});
    EXPECT_EQ(german.language, kLanguageGerman);
    EXPECT_EQ(german.dropDowns[0].title, "&Datei");
    EXPECT_EQ(german.findCommand(menu::kDialSauveAll)->text, "&alles Speichen");
    EXPECT_EQ(german.dropDowns[2].title, "&Modem Verbunden");
    EXPECT_EQ(german.dropDowns[0].entries[2].text, "&Neu");

    // A language beyond the table is refused; the builder keeps the one it had.
    CMenuBarBuilder b(kLanguageSpanish);
    EXPECT_FALSE(b.setLanguage(6));
    EXPECT_FALSE(b.setLanguage(0));
    EXPECT_EQ(b.language(), kLanguageSpanish);
    b.item(201, menu::kQuitter, true);
    b.attachDropDown(180);
    const MenuBarModel bar = b.finish();
    EXPECT_EQ(bar.dropDowns.at(0).title, "&Fichero");
    EXPECT_EQ(bar.dropDowns.at(0).entries.at(0).text, "&Salir");
    EXPECT_FALSE(bar.dropDowns.at(0).entries.at(0).enabled);
    EXPECT_EQ(CMenuBarBuilder(9).language(), kLanguageFrench);
}
