#include "settings/SettingsRules.h"

#include "i18n/TextTable.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks {

namespace {
namespace id = settings::id;
namespace tx = settings::text;

constexpr int kGainManual = 0;
constexpr int kGainEsc = 2;
constexpr int kMaterialOther = 0;
constexpr int kProductWater = 0;
constexpr int kKhAutomatic = 0;
constexpr int kKhManual = 1;
} // namespace

std::string entryText(const CField& field) {
    return field.shownText();
}

CSettingsRules::CSettingsRules(CFieldList& fields, SheetContext context)
    : m_fields(fields), m_context(context) {}

int CSettingsRules::applicationType(const CFieldList& fields) {
    const CField* chords = fields.find(id::kTwoChords);
    const CField* pipes = fields.find(id::kTwoPipes);
    if (chords && chords->number() != 0)
        return settings::kTwoChords;
    if (pipes && pipes->number() != 0)
        return settings::kTwoPipes;
    return settings::kOneChord;
}

CField& CSettingsRules::at(int fieldId) {
    CField* f = m_fields.find(fieldId);
    return f ? *f : m_missing;
}

void CSettingsRules::show(int fieldId, bool shown) {
    at(fieldId).show(shown);
}

int CSettingsRules::index(int fieldId) {
    return at(fieldId).listIndex();
}

int CSettingsRules::outputsPageTitle() const {
    return m_context.velocity ? tx::kVelocityOutputs : tx::kFlowOutputs;
}

void CSettingsRules::setLists(int type) {
    const bool pipes = type == settings::kTwoPipes;
    int screens = tx::kFirstScreenOneChord;
    if (pipes)
        screens = tx::kFirstScreenTwoPipes;
    else if (m_context.velocity)
        screens = tx::kFirstScreenVelocity;
    else if (type == settings::kTwoChords)
        screens = tx::kFirstScreenTwoChords;
    at(id::kFirstScreen).setListTextId(screens);

    const int relays = pipes                ? tx::kRelayTypesTwoPipes
                       : m_context.velocity ? tx::kRelayTypesVelocity
                                            : tx::kRelayTypesFlow;
    at(id::kRelayType1).setListTextId(relays);
    at(id::kRelayType2).setListTextId(relays);

    const int outputs = pipes                          ? tx::kOutputsTwoPipes
                        : type == settings::kTwoChords ? tx::kOutputsTwoChords
                                                       : tx::kOutputsOneChord;
    at(id::kOutputType1).setListTextId(outputs);
    at(id::kOutputType2).setListTextId(outputs);
}

void CSettingsRules::firstRefresh(int type) {
    // The probe list offers the catalogue by catalogue index and opens on the stored probe.
    CField& probe = at(id::kProbe);
    const auto names = m_catalogue.names();
    probe.setList(names);
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        probe.hideChoice(i, !m_catalogue.isOffered(i));
    const int stored = static_cast<int>(at(id::kProbeRef).number());
    if (probe.setListIndex(stored) != 0)
        probe.setListIndex(3);
    (void)type;
}

void CSettingsRules::refresh() {
    m_catalogue = CProbeCatalogue::fromFactoryFields(m_fields);
    if (m_context.mode == sheetmode::kDefaults && !m_refreshed) {
        if (m_context.selectionType == settings::kTwoChords)
            at(id::kTwoChords).setNumber(1);
        else if (m_context.selectionType == settings::kTwoPipes)
            at(id::kTwoPipes).setNumber(1);
    }
    const int type = applicationType();
    if (!m_refreshed)
        firstRefresh(type);
    else {
        // The special probes' names follow the factory settings at every refresh.
        CField& probe = at(id::kProbe);
        const int selected = probe.listIndex();
        probe.setList(m_catalogue.names());
        for (int i = 0; i < static_cast<int>(m_catalogue.names().size()); ++i)
            probe.hideChoice(i, !m_catalogue.isOffered(i));
        probe.setListIndex(selected);
    }
    m_refreshed = true;
    setLists(type);

    // Rule 2: the hidden probe index follows the list.
    const int probe = index(id::kProbe);
    if (probe >= 0)
        at(id::kProbeRef).setNumber(probe);

    chordRules(type);
    pipeRules(type);
    outputRules(type);
}

void CSettingsRules::chordRules(int type) {
    const bool pipes = type == settings::kTwoPipes;
    at(id::kGroupChord1).setLabelTextId(pipes ? tx::kPipe1 : tx::kChord1);
    at(id::kGroupChord2).setLabelTextId(pipes ? tx::kPipe2 : tx::kChord2);

    // Gain type: the margin is a gain when set by hand; E.S.C. sets margin and polarity itself.
    const int gainTypes[2] = {id::kGainType1, id::kGainType2};
    const int margins[2] = {id::kMargin1, id::kMargin2};
    const int polarities[2] = {id::kPolarity1, id::kPolarity2};
    for (int c = 0; c < 2; ++c) {
        const int gain = index(gainTypes[c]);
        at(margins[c]).setLabelTextId(gain == kGainManual ? tx::kGain : tx::kMargin);
        at(margins[c]).enable(gain != kGainEsc);
        at(polarities[c]).enable(gain != kGainEsc);
    }

    CField& chords = at(id::kChords);
    const bool oneChordMeter = type == settings::kOneChord;
    if (oneChordMeter)
        chords.setNumber(1);
    chords.show(!oneChordMeter);
    const bool twoChords = chords.number() >= 2;
    for (int f : {id::kGroupChord2, id::kPolarity2, id::kGainType2, id::kMargin2, id::kLength2,
                  id::kAxial2, id::kCv2, id::kDeltaT02})
        show(f, twoChords);

    const bool straight = m_catalogue.isStraight(index(id::kProbe));
    show(id::kLength1, straight);
    show(id::kAxial1, straight);
    show(id::kMounting, !straight);
    const bool paths = twoChords && straight;
    show(id::kCv1, paths && !pipes);
    show(id::kCv2, paths && !pipes);
    show(id::kLength2, paths);
    show(id::kAxial2, paths);
}

void CSettingsRules::pipeRules(int type) {
    const bool pipes = type == settings::kTwoPipes;
    const bool twoChords = at(id::kChords).number() >= 2;
    const bool straight = m_catalogue.isStraight(index(id::kProbe));

    for (int f : {id::kGroupPipe2, id::kDiameter2, id::kMaterial2, id::kThickness2})
        show(f, pipes && twoChords);
    const bool other = index(id::kMaterial1) == kMaterialOther ||
                       (pipes && index(id::kMaterial2) == kMaterialOther);
    show(id::kMaterialSpeed, other);

    const bool water = index(id::kProduct) == kProductWater;
    show(id::kC0, !water);
    show(id::kDeltaC, !water);

    const bool kh = pipes || at(id::kChords).number() < 2 || !straight;
    const int khType = index(id::kKhType);
    show(id::kGroupKh, kh);
    show(id::kKhType, kh);
    show(id::kKh, kh && khType != kKhAutomatic);
    for (int f : {id::kViscosity, id::kRoughness, id::kReynolds, id::kLbr})
        show(f, kh && khType != kKhManual);

    // A velocity meter needs its pipe only to follow an angled path.
    const bool pipe1 = !m_context.velocity || !straight;
    for (int f : {id::kGroupPipe1, id::kDiameter1, id::kMaterial1, id::kThickness1})
        show(f, pipe1);
    if (!pipe1)
        show(id::kMaterialSpeed, false);
}

void CSettingsRules::outputRules(int type) {
    const bool pipes = type == settings::kTwoPipes;
    const bool velocity = m_context.velocity;

    // Thresholds are in the flow unit, or in m/s for a velocity meter.
    for (int f : {id::kThreshold1, id::kThreshold2}) {
        if (velocity) {
            at(f).clearUnitText();
            at(f).setUnitTextId(tx::kMs);
        } else
            at(f).setUnitText(entryText(at(id::kFlowUnit)));
    }
    const int relay1 = index(id::kRelayType1);
    const int relay2 = index(id::kRelayType2);
    auto isThreshold = [&](int t) { return pipes ? (t >= 9 && t <= 11) : t == 5; };
    show(id::kThreshold1, isThreshold(relay1));
    show(id::kThreshold2, isThreshold(relay2));
    auto isVolume = [](int t) { return t == 1 || t == 2; };
    const bool pulses = isVolume(relay1) || isVolume(relay2);
    show(id::kGroupPulse, pulses);
    show(id::kPulseWeight, pulses && !velocity);
    show(id::kPulseWidth, pulses);

    // Volume type and the QT formula belong to two pipes.
    show(id::kVolumeType1, pipes);
    show(id::kVolumeType2, pipes);
    show(id::kGroupQt, pipes);
    show(id::kCoefficientA, pipes);
    show(id::kCoefficientB, pipes);
    if (pipes) {
        CTextTable texts;
        const int lang = m_fields.language();
        const std::string formula =
            texts.text(tx::kQtEquals, lang) + " " + entryText(at(id::kCoefficientA)) + " " +
            texts.text(tx::kTimesQ1, lang) + " " + entryText(at(id::kCoefficientB)) + " " +
            texts.text(tx::kTimesQ2, lang);
        at(id::kQtFormula).setText(formula);
    }

    show(id::kResetTotaliser1, !velocity);
    show(id::kResetTotaliser2, !velocity);
    for (int f :
         {id::kGroupVolume1, id::kGroupVolume2, id::kDirection1, id::kDirection2, id::kFlowUnit})
        show(f, !velocity);
    if (velocity) {
        show(id::kVolumeType1, false);
        show(id::kVolumeType2, false);
    }
    at(id::kGroupFlow).setLabelTextId(velocity ? tx::kVelocity : tx::kFlow);
    at(id::kQMax).setLabelTextId(velocity ? tx::kVMax : tx::kQMax);
    at(id::kQCut).setLabelTextId(velocity ? tx::kVCut : tx::kQCut);
}

void CSettingsRules::prepareInstallation(unsigned long long clockNumber) {
    at(id::kClockToSet).setText(std::to_string(clockNumber));
    at(id::kSyncClock).setListIndex(0);
    at(id::kResetTotaliser1).setListIndex(0);
    at(id::kResetTotaliser2).setListIndex(0);
    at(id::kTotaliserWord).setNumber(65537);
}

void CSettingsRules::clearLineOneForLogo() {
    at(id::kLine1).setText("");
}

} // namespace ks
