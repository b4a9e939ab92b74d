#include "app/ComSettings.h"

namespace ks {

namespace {

int inRange(int value, int max, int def) {
    return value >= 0 && value <= max ? value : def;
}

} // namespace

ComSettings readComSettings(const CProfileFile& configuration) {
    const ComSettings defaults;
    ComSettings s;
    s.portIndex = inRange(configuration.readInteger(profile::kComPort), ComSettings::kMaxPortIndex,
                          defaults.portIndex);
    s.baudIndex = inRange(configuration.readInteger(profile::kComBauds), ComSettings::kMaxBaudIndex,
                          defaults.baudIndex);
    s.slave = inRange(configuration.readInteger(profile::kComJBus), ComSettings::kMaxSlave,
                      defaults.slave);
    return s;
}

int writeComSettings(const CProfileFile& configuration, const ComSettings& settings) {
    const int a = configuration.writeNumber(profile::kComPort, settings.portIndex);
    const int b = configuration.writeNumber(profile::kComBauds, settings.baudIndex);
    const int c = configuration.writeNumber(profile::kComJBus, settings.slave);
    return a == 0 && b == 0 && c == 0 ? 0 : -1;
}

} // namespace ks
