#pragma once

#include "DesktopFixture.h"
#include "support/SimProcess.h"

#include <memory>
#include <string>
#include <vector>

// A simulated meter on a COM number of its own and a desktop program whose configuration
// reaches it there: [Ports] maps the number to the simulator's terminal, [Com] points at it.
struct MeterFixture {
    static constexpr int kCom = 9;

    ks::test::SimProcess sim;
    std::unique_ptr<DesktopFixture> fixture;

    // The simulator started with these arguments; the configuration's baud index and slave;
    // more settings of the configuration and of last.cfg ("Section/Key", value).
    bool start(const std::vector<std::string>& simArgs, int baudIndex = 5, int slave = 1,
               const DesktopFixture::Settings& settings = {},
               const DesktopFixture::Settings& lastSettings = {}) {
        if (!sim.start(simArgs))
            return false;
        DesktopFixture::Settings all = {{"Ports/" + std::to_string(kCom), sim.path()},
                                        {"Com/Port", std::to_string(kCom - 1)},
                                        {"Com/Bauds", std::to_string(baudIndex)},
                                        {"Com/JBus", std::to_string(slave)}};
        all.insert(all.end(), settings.begin(), settings.end());
        fixture.reset(new DesktopFixture(all, lastSettings));
        fixture->desktop.refreshPortTable();
        return true;
    }

    CScriptedPrompts& prompts() { return fixture->prompts; }
    ks::gui::CDesktopApp& desktop() { return fixture->desktop; }
};
