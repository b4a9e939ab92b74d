#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ks {

// What the report of a recording computes: number of samples, duration, mean flow, the
// coefficient of variation of the flow and the volume passed (trapezoid rule over the
// meter's times, in the volume unit of the flow unit: "m3/h" gives m3).
struct RecordingSummary {
    int samples = 0;
    std::int64_t durationSeconds = 0;
    double meanFlow = 0.0;
    std::string flowUnit;
    std::optional<double> cvPercent; // none below two samples or for a mean flow of 0
    double volume = 0.0;
    std::string volumeUnit;

    // Several lines for a terminal, with the report's titles in the language.
    std::string text(int language) const;
};

class CSummaryBuilder {
public:
    // One sample: meter time in seconds, the flow and its unit text ("l/s" .. "m3/j").
    void add(std::int64_t meterSeconds, double flow, std::string_view unit);
    RecordingSummary result() const;

    // Seconds of the time base of a flow unit ("h" 3600, "mn" 60, "j" or "d" 86400, "s" 1);
    // 0 when the unit has no time base we know.
    static double secondsPerUnitTime(std::string_view unit);

private:
    int m_n = 0;
    double m_sum = 0.0;
    // Welford's running mean and squared deviations: no cancellation over long recordings.
    double m_mean = 0.0;
    double m_m2 = 0.0;
    double m_volumeSeconds = 0.0; // flow x seconds
    std::int64_t m_first = 0;
    std::int64_t m_lastTime = 0;
    double m_lastFlow = 0.0;
    std::string m_unit;
};

} // namespace ks
