#include "measurement/MeasureDerived.h"

#include "measurement/MeasureIds.h"

#include <cmath>

namespace ks {

int applicationType(int secondChordFlag, int twoPipesFlag) {
    if (secondChordFlag != 0)
        return measure::kTwoChords;
    if (twoPipesFlag != 0)
        return measure::kTwoPipes;
    return measure::kOneChord;
}

int faultCode(int faultFlags, int chordCount, int applicationSetting) {
    if ((faultFlags & 0x1) != 0)
        return applicationSetting == measure::kSpeedApplication ? 4 : 1;
    if ((faultFlags & 0x2) != 0)
        return 2;
    if ((faultFlags & 0x4) != 0)
        return chordCount == 2 ? 3 : 0;
    return 0;
}

double waterSoundSpeed(double t) {
    return 1402.38744 + 5.03836171 * t - 0.0581172916 * std::pow(t, 2) +
           3.34638117e-4 * std::pow(t, 3) - 1.48259672e-6 * std::pow(t, 4) +
           3.1658502e-9 * std::pow(t, 5);
}

double waterTemperature(double c) {
    constexpr double kBelow = -99;
    constexpr double kAbove = 99;
    // A float from the line may be NaN: it would compare false everywhere and never end
    // the bisection.
    if (std::isnan(c) || c < waterSoundSpeed(0))
        return kBelow;
    if (c > waterSoundSpeed(74))
        return kAbove;
    double high = 74;
    double low = 0;
    double t = (high + low) / 2;
    // Halving 74 degrees 80 times reaches the double's resolution long before; the bound
    // only guards against a speed the tolerance can never meet.
    for (int i = 0; i < 80; ++i) {
        t = (high + low) / 2;
        const double ct = waterSoundSpeed(t);
        if (std::fabs(ct - c) < 0.001)
            return t;
        if (c < ct)
            high = t;
        else
            low = t;
    }
    return t;
}

GraphRange graphRange(double fullScale, int minimumOption, int maximumOption) {
    auto bound = [fullScale](int option, int fallback) {
        if (option < 0 || option > 2)
            option = fallback;
        return option == 0 ? -fullScale : option == 1 ? 0.0 : fullScale;
    };
    return {bound(minimumOption, 0), bound(maximumOption, 2)};
}

} // namespace ks
