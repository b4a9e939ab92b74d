#include "measurement/RecordingSummary.h"

#include "i18n/TextTable.h"
#include "measurement/ExportTexts.h"

#include <cmath>
#include <cstdio>

namespace ks {

namespace {
constexpr int kMeanFlowText = 92, kCvText = 84, kVolumeText = 341;

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}
} // namespace

double CSummaryBuilder::secondsPerUnitTime(std::string_view unit) {
    const auto slash = unit.find('/');
    if (slash == std::string_view::npos)
        return 0;
    const std::string_view base = unit.substr(slash + 1);
    if (base == "s")
        return 1;
    if (base == "mn" || base == "min")
        return 60;
    if (base == "h")
        return 3600;
    if (base == "j" || base == "d")
        return 86400;
    return 0;
}

void CSummaryBuilder::add(std::int64_t t, double flow, std::string_view unit) {
    if (!std::isfinite(flow))
        return;
    if (m_n == 0) {
        m_first = t;
        m_unit = std::string(unit);
    } else if (t > m_lastTime) {
        // A clock that went backwards adds no volume for that step.
        m_volumeSeconds += (m_lastFlow + flow) / 2.0 * static_cast<double>(t - m_lastTime);
    }
    ++m_n;
    m_sum += flow;
    const double delta = flow - m_mean;
    m_mean += delta / m_n;
    m_m2 += delta * (flow - m_mean);
    m_lastTime = t;
    m_lastFlow = flow;
}

RecordingSummary CSummaryBuilder::result() const {
    RecordingSummary s;
    s.samples = m_n;
    s.flowUnit = m_unit;
    if (m_n == 0)
        return s;
    s.durationSeconds = m_lastTime - m_first;
    s.meanFlow = m_mean;
    if (m_n >= 2 && m_mean != 0.0)
        s.cvPercent = std::sqrt(m_m2 / (m_n - 1)) / std::fabs(m_mean) * 100.0;
    const double base = secondsPerUnitTime(m_unit);
    if (base > 0) {
        s.volume = m_volumeSeconds / base;
        s.volumeUnit = m_unit.substr(0, m_unit.find('/'));
    }
    return s;
}

std::string RecordingSummary::text(int language) const {
    CTextTable t;
    std::string s;
    s += exportText(ExportText::Samples, language) + "\t" + std::to_string(samples) + "\n";
    s += exportText(ExportText::Duration, language) + "\t" + std::to_string(durationSeconds) +
         " s\n";
    s += t.text(kMeanFlowText, language) + "\t" + fixed(meanFlow, 4) + " " + flowUnit + "\n";
    s += t.text(kCvText, language) + "\t" + (cvPercent ? fixed(*cvPercent, 3) + " %" : "-") + "\n";
    s += t.text(kVolumeText, language) + "\t" +
         (volumeUnit.empty() ? std::string("-") : fixed(volume, 4) + " " + volumeUnit) + "\n";
    return s;
}

} // namespace ks
