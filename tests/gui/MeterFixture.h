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

    // The simulator started with these arguments; the configuration's baud index and slave.
    bool start(const std::vector<std::string>& simArgs, int baudIndex = 5, int slave = 1) {
        if (!sim.start(simArgs))
            return false;
        fixture.reset(new DesktopFixture({{"Ports/" + std::to_string(kCom), sim.path()},
                                          {"Com/Port", std::to_string(kCom - 1)},
                                          {"Com/Bauds", std::to_string(baudIndex)},
                                          {"Com/JBus", std::to_string(slave)}}));
        fixture->desktop.refreshPortTable();
        return true;
    }

    CScriptedPrompts& prompts() { return fixture->prompts; }
    ks::gui::CDesktopApp& desktop() { return fixture->desktop; }
};
