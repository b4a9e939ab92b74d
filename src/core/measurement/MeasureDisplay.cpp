#include "measurement/MeasureDisplay.h"

#include "app/TextEncoding.h"
#include "framework/FieldFormat.h"
#include "measurement/MeasureDerived.h"
#include "measurement/MeasureIds.h"
#include "measurement/ProbeNameTable.h"

#include <cmath>
#include <limits>

namespace ks {

namespace {

namespace id = measure::id;
namespace txt = measure::text;

const std::vector<int> kLayoutShown = {
    id::kFlow,         id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup,        id::kKh1,
    id::kProbeGroup,   id::kProbeName,    id::kProbeDiameter1, id::kTotaliserGroup, id::kTotaliser1,
    id::kTotaliser2,   id::kVersionGroup, id::kFamilyName,     id::kFirmware,       id::kBoard,
    id::kSerialNumber, id::kChord1Group,  id::kTransit1,       id::kDeltaT1,        id::kVelocity1,
    id::kSoundSpeed1,  id::kGain1,        id::kMargin1,        id::kQuality1};

const std::vector<int> kChord2 = {id::kChord2Group, id::kTransit2, id::kDeltaT2, id::kVelocity2,
                                  id::kSoundSpeed2, id::kGain2,    id::kQuality2};

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

const std::vector<int>& CMeasureDisplay::initiallyHidden() {
    static const std::vector<int> kIds = {id::kGraph,
                                          id::kFlow,
                                          id::kFlowQT,
                                          id::kFlowQ1,
                                          id::kFlowQ2,
                                          id::kMeanVelocity,
                                          id::kMeanSoundSpeed,
                                          id::kKhGroup,
                                          id::kKh1,
                                          id::kKh2,
                                          id::kProbeGroup,
                                          id::kProbeName,
                                          id::kProbeDiameter1,
                                          id::kProbeDiameter2,
                                          id::kTotaliserGroup,
                                          id::kTotaliser1,
                                          id::kTotaliser2,
                                          id::kVersionGroup,
                                          id::kFamilyName,
                                          id::kFirmware,
                                          id::kBoard,
                                          id::kSerialNumber,
                                          id::kChord1Group,
                                          id::kTransit1,
                                          id::kDeltaT1,
                                          id::kVelocity1,
                                          id::kSoundSpeed1,
                                          id::kGain1,
                                          id::kMargin1,
                                          id::kQuality1,
                                          id::kChord2Group,
                                          id::kTransit2,
                                          id::kDeltaT2,
                                          id::kVelocity2,
                                          id::kSoundSpeed2,
                                          id::kGain2,
                                          id::kQuality2,
                                          id::kMargin2};
    return kIds;
}

CMeasureDisplay::CMeasureDisplay(CFieldList& fields, const CProbeNameTable* probes)
    : m_fields(fields), m_probes(probes) {}

void CMeasureDisplay::show(int fieldId, bool shown) {
    if (CField* f = m_fields.find(fieldId))
        f->show(shown);
}

void CMeasureDisplay::showFields(const std::vector<int>& ids, bool shown) {
    for (int i : ids)
        show(i, shown);
}

double CMeasureDisplay::number(int fieldId) const {
    const CField* f = m_fields.find(fieldId);
    return f ? f->number() : 0.0;
}

int CMeasureDisplay::integer(int fieldId) const {
    const double v = number(fieldId);
    if (!std::isfinite(v) || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(std::lround(v));
}

std::string CMeasureDisplay::entry(int listFieldId) const {
    const CField* f = m_fields.find(listFieldId);
    if (!f)
        return {};
    const int index = integer(listFieldId);
    const std::vector<std::string> texts = f->listTexts();
    if (index < 0 || static_cast<std::size_t>(index) >= texts.size())
        return {};
    return texts[static_cast<std::size_t>(index)];
}

void CMeasureDisplay::hideAll() {
    showFields(initiallyHidden(), false);
    for (int i : {id::kFaultLine, id::kFamilyName, id::kBoard, id::kSerialNumber})
        if (CField* f = m_fields.find(i))
            f->setText("");
}

int CMeasureDisplay::faultCode() const {
    return ks::faultCode(integer(id::kFaultFlags), integer(id::kChordCount), m_applicationSetting);
}

void CMeasureDisplay::layOut() {
    show(id::kGraph, true);
    m_applicationType = ks::applicationType(integer(id::kSecondChord), integer(id::kTwoPipes));
    showFields(kLayoutShown, true);

    if (CField* name = m_fields.find(id::kFamilyName)) {
        if (integer(id::kOemFlag) == 1) {
            const CField* oem = m_fields.find(id::kOemName);
            name->setLabelText(trimmed(oem ? oem->text() : std::string()));
        } else {
            name->clearLabelText();
        }
    }

    const bool pipes = m_applicationType == measure::kTwoPipes;
    if (pipes)
        showFields({id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed}, false);
    show(id::kFlowQT, pipes);
    show(id::kFlowQ1, pipes);
    // Set both ways: the layout is redone when the dialog finds another meter.
    if (CField* g = m_fields.find(id::kChord1Group))
        g->setLabelTextId(pipes ? txt::kPipe1 : txt::kChord1);
    if (CField* g = m_fields.find(id::kChord2Group))
        g->setLabelTextId(pipes ? txt::kPipe2 : txt::kChord2);
}

void CMeasureDisplay::setMarginLabel(int marginId, int gainTypeId, bool shown) {
    CField* margin = m_fields.find(marginId);
    if (!margin)
        return;
    margin->show(shown);
    if (!shown)
        return;
    const std::string type = firstCharacters(entry(gainTypeId), 5);
    const std::string word = m_texts.text(txt::kMargin, m_fields.language());
    margin->setLabelText(type.empty() ? word : "(" + type + ") " + word);
}

void CMeasureDisplay::refresh(int communicationStatus) {
    if (communicationStatus != 0) {
        m_firstRefreshDone = true;
        return;
    }
    if (!m_firstRefreshDone)
        layOut();

    const int chords = integer(id::kChordCount);
    const bool diametersValid = integer(id::kDiametersValid) != 0;
    const bool pipes = m_applicationType == measure::kTwoPipes;

    if (CField* f = m_fields.find(id::kProbeName))
        f->setText(m_probes ? m_probes->name(integer(id::kProbeType)) : std::string());

    if (CField* f = m_fields.find(id::kSerialNumber)) {
        const auto part = [&](int fieldId, const char* format) {
            const auto conversion = parseNumberFormat(format);
            return formatNumber(*conversion, number(fieldId));
        };
        f->setText(part(id::kSerialFirst, "%02.f") + "/" + part(id::kSerialSecond, "%02.f") + "/" +
                   part(id::kSerialSequence, "%05.f"));
    }

    show(id::kProbeDiameter1, diametersValid);

    if (CField* f = m_fields.find(id::kFaultLine))
        f->setListIndex(faultCode());

    showFields(kChord2, chords != 1);

    setMarginLabel(id::kMargin2, id::kGainType2, chords > 1 && integer(id::kGainType2) != 0);
    setMarginLabel(id::kMargin1, id::kGainType1, integer(id::kGainType1) != 0);

    const std::string khUnit = "(" + entry(id::kKhMode) + ")";
    if (m_applicationType == measure::kTwoChords) {
        const bool kh = diametersValid || chords != 2;
        show(id::kKhGroup, kh);
        show(id::kKh1, kh);
        if (CField* f = m_fields.find(id::kKh1))
            f->setUnitText(khUnit);
    }

    const std::string flowUnit = entry(id::kFlowUnit);
    if (CField* t1 = m_fields.find(id::kTotaliser1)) {
        CField* t2 = m_fields.find(id::kTotaliser2);
        const std::string tot1 = m_texts.text(txt::kTotaliser1, m_fields.language());
        const std::string tot2 = m_texts.text(txt::kTotaliser2, m_fields.language());
        if (pipes) {
            t1->setLabelText(tot1 + " (" + entry(id::kTotaliserFlow1) + " " +
                             entry(id::kDirection1) + ")");
            if (t2)
                t2->setLabelText(tot2 + " (" + entry(id::kTotaliserFlow2) + " " +
                                 entry(id::kDirection2) + ")");
        } else {
            t1->setLabelText(tot1 + " (" + entry(id::kDirection1) + ")");
            if (t2)
                t2->setLabelText(tot2 + " (" + entry(id::kDirection2) + ")");
        }
        t1->setUnitText("*" + entry(id::kPulseWeight1));
        if (t2)
            t2->setUnitText("*" + entry(id::kPulseWeight2));
    }
    if (CField* f = m_fields.find(id::kFlow))
        f->setUnitText(flowUnit);

    if (m_applicationSetting == measure::kSpeedApplication)
        showFields({id::kFlow, id::kTotaliser1, id::kTotaliser2, id::kTotaliserGroup}, false);

    if (pipes) {
        for (int i : {id::kFlowQT, id::kFlowQ1})
            if (CField* f = m_fields.find(i))
                f->setUnitText(flowUnit);
        if (CField* f = m_fields.find(id::kKh1))
            f->setUnitText(khUnit);
        if (chords != 1) {
            show(id::kFlowQ2, true);
            if (CField* f = m_fields.find(id::kFlowQ2))
                f->setUnitText(flowUnit);
            show(id::kKh2, true);
            if (CField* f = m_fields.find(id::kKh2))
                f->setUnitText(khUnit);
            if (diametersValid)
                show(id::kProbeDiameter2, true);
        }
    }

    if (m_fileOnly && m_replay)
        m_replay();

    m_firstRefreshDone = true;
}

} // namespace ks
