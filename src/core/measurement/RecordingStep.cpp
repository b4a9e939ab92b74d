#include "measurement/RecordingStep.h"

#include "i18n/TextTable.h"

#include <cmath>

namespace ks {

namespace {
constexpr int kRecording = 108;   // "Enregistrement"
constexpr int kTimeLeft = 289;    // "Temps restant "
constexpr int kMinutes = 190;     // "mn"
constexpr int kSecondsUnit = 264; // "s"
} // namespace

void CRecordingStep::setOptions(int samplePeriod, double lapMinutes) {
    // A period of 0 (or less) from a hand-edited file would divide by zero: one second.
    m_period = samplePeriod < 1 ? 1 : samplePeriod;
    m_lapMinutes = std::isfinite(lapMinutes) && lapMinutes > 0 ? lapMinutes : 0.0;
}

bool CRecordingStep::pressRecord() {
    switch (m_state) {
    case State::Idle:
        m_state = State::StartRequested;
        return false;
    case State::StartRequested:
        return false;
    case State::Recording:
        m_state = State::Idle;
        return true;
    }
    return false;
}

bool CRecordingStep::stop() {
    const bool was = m_state == State::Recording;
    m_state = State::Idle;
    return was;
}

void CRecordingStep::started(bool ok) {
    m_state = ok ? State::Recording : State::Idle;
    m_samples = 0;
    m_accumulator = 0;
    m_lapOver = false;
}

CRecordingStep::Action CRecordingStep::onMeasurement(std::int64_t now) {
    m_lapOver = false;
    if (m_state == State::StartRequested)
        return Action::CreateFile;
    if (m_state != State::Recording)
        return Action::None;
    if (m_samples == 0) {
        m_start = m_last = now;
        m_accumulator = m_period;
    }
    m_accumulator += now - m_last;
    m_last = now;
    const std::int64_t elapsed = now - m_start;
    const auto lapSeconds = static_cast<std::int64_t>(m_lapMinutes * 60.0);
    m_remaining = m_lapMinutes > 0 && lapSeconds > elapsed ? lapSeconds - elapsed : 0;
    Action action = Action::None;
    if (m_accumulator >= m_period) {
        m_accumulator %= m_period;
        ++m_samples;
        action = Action::WriteSample;
    }
    if (m_lapMinutes > 0 && static_cast<double>(elapsed) >= m_lapMinutes * 60.0)
        m_lapOver = true;
    return action;
}

std::string CRecordingStep::statusText(int language) const {
    CTextTable texts;
    std::string s = texts.text(kRecording, language) + " " + std::to_string(m_samples);
    if (m_lapMinutes > 0) {
        s += " (" + texts.text(kTimeLeft, language) + std::to_string(m_remaining / 60) +
             texts.text(kMinutes, language) + " " + std::to_string(m_remaining % 60) +
             texts.text(kSecondsUnit, language) + ")";
    }
    return s;
}

} // namespace ks
