#include "Demo.h"

#include "sim/SimServer.h"

#include <memory>

namespace ks::cli {

namespace {
std::unique_ptr<sim::CSimServer> g_demo;
}

bool startDemoMeter(std::string& devicePath, std::string& error) {
    sim::SimOptions options;
    g_demo = std::make_unique<sim::CSimServer>(options);
    if (!g_demo->start(&error)) {
        g_demo.reset();
        return false;
    }
    devicePath = g_demo->slavePath();
    return true;
}

void stopDemoMeter() {
    g_demo.reset();
}

} // namespace ks::cli
