// The service dialogs' fields, files and transfers, on a meter in memory.
#include "framework/EditBoxRules.h"
#include "i18n/TextTable.h"
#include "settings/CalibrationParameters.h"
#include "settings/EchoTable.h"
#include "settings/ParameterSet.h"
#include "settings/ProbeFileParameters.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "settings/files/RecordFile.h"
#include "support/MemoryMeter.h"
#include "support/RecordingPrompts.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

using namespace ks;
using namespace ks::test;
namespace blk = settings::block;
namespace fac = settings::factory;

namespace {

const CalendarTime kNow{2026, 12, 10, 14, 5, 30};

CField& field(CParameterSet& d, int id) {
    CField* f = d.fields().find(id);
    EXPECT_NE(f, nullptr) << id;
    return *f;
}

void set(CParameterSet& d, int id, const std::string& text) {
    std::string error;
    ASSERT_EQ(setFieldFromText(field(d, id), text, error), 0) << error;
}

TEST(FactoryBlock, ValuesLandOnTheirBytesAndReadBack) {
    struct Case {
        const char* name;
        int id;
        const char* text;
        int offset;
        Bytes bytes;
        const char* readBack;
    };
    const Case cases[] = {
        {"Coef 50%", fac::kCoefficient0 + 50, "1.234", 26, {0x04, 0xD2}, "1.234"},
        {"Coef 100%", fac::kCoefficient0 + 100, "65", 36, {0xFD, 0xE8}, "65.000"},
        {"Q Simulation", fac::kSimulatedFlow, "-1.5", 1, {0xFF, 0xFA, 0x24}, "-1.500"},
        {"T0 SA at its top", fac::kT0A, "25.5", 7, {0xFF}, "25.5"},
        {"Angle SB", fac::kAngleB, "45.25", 9, {0x11, 0xAD}, "45.25"},
        {"Mode TX2/RX2 last", fac::kTxRxMode2, "Tx AV2", 58, {17}, "17"},
        {"DeltaT Filtrage", fac::kDeltaTFilter, "5000", 59, {0xC3, 0x50}, "5000.0"},
        {"Texte SA padded", fac::kTextA, "ABC", 46, {'A', 'B', 'C', ' ', ' ', ' '}, "ABC   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = makeParameterSet(ParameterKind::Factory);
        set(*dialog, c.id, c.text);
        const Bytes image = dialog->blocks().encodeBlock(blk::kFactory);
        ASSERT_GE(image.size(), c.offset + c.bytes.size());
        EXPECT_EQ(Bytes(image.begin() + c.offset, image.begin() + c.offset + c.bytes.size()),
                  c.bytes);
        auto other = makeParameterSet(ParameterKind::Factory);
        ASSERT_EQ(other->blocks().decodeBlock(blk::kFactory, image), 0);
        EXPECT_EQ(field(*other, c.id).text(), c.readBack);
    }
}

TEST(FactoryBlock, LayoutAndModeList) {
    auto dialog = makeParameterSet(ParameterKind::Factory);
    EXPECT_EQ(dialog->blocks().blockSize(blk::kFactory), 61);
    EXPECT_EQ(dialog->blocks().registerCount(blk::kFactory), 31);
    // Eighteen transmit/receive modes in every language, both mode fields on the same list.
    for (int language = 1; language <= 5; ++language) {
        field(*dialog, fac::kTxRxMode1).setLanguage(language);
        EXPECT_EQ(field(*dialog, fac::kTxRxMode1).listTexts().size(), 18u) << language;
    }
    EXPECT_EQ(field(*dialog, fac::kTxRxMode2).shownText(), "TxRx AM2/AV2");
    auto outputs = makeParameterSet(ParameterKind::Outputs);
    EXPECT_EQ(outputs->blocks().registerCount(blk::kOutput), 7);
}

TEST(ProbeTexts, SevenCharactersAreCutToSixInTheEdit) {
    auto factory = makeParameterSet(ParameterKind::Factory);
    auto probe = makeParameterSet(ParameterKind::SpecialProbe);
    for (const CField* f : {&field(*factory, fac::kTextA), &field(*factory, fac::kTextB),
                            &field(*probe, settings::probe::kText)}) {
        const EditBoxResult r =
            applyEditBoxRules("PROBE12", 7, {f->format(), f->minimum(), f->maximum(), false});
        EXPECT_EQ(r.text, "PROBE1") << f->id();
        // What the edit kept is what the command line accepts; one more is refused.
        CField copy = *f;
        std::string error;
        EXPECT_EQ(setFieldFromText(copy, r.text, error), 0);
        EXPECT_EQ(setFieldFromText(copy, "PROBE12", error), -1);
    }
}

TEST(ParameterKinds, ExtensionsNameTheirDialogs) {
    const std::pair<const char*, std::optional<ParameterKind>> cases[] = {
        {"a.eta", ParameterKind::Settings},
        {"a.etaBio", ParameterKind::Calibration},
        {"a.rus", ParameterKind::Factory},
        {"a.sa", ParameterKind::Outputs},
        {"a.sp", ParameterKind::SpecialProbe},
        {"a.ssp", ParameterKind::SpecialProbe},
        {"a.rsp", ParameterKind::Special},
        {"a.dev", ParameterKind::Oem},
        {"a.esc", ParameterKind::Echo},
        {"a.mes", std::nullopt},
        {"a.ETA", std::nullopt},
        {"a.etabio", std::nullopt},
        {"dir.rus/file", std::nullopt},
        {"noextension", std::nullopt},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(kindOfPath(path), kind) << path;
    EXPECT_EQ(kindExtension(ParameterKind::SpecialProbe, 2), "ssp");
    EXPECT_EQ(kindExtension(ParameterKind::SpecialProbe, 1), "sp");
}

// Every kind: a saved file holds one record per block of its file order and loads back into a
// new dialog that holds the same blocks, values edited away from the defaults included.
TEST(ParameterFiles, EveryKindRoundTrips) {
    struct Case {
        ParameterKind kind;
        int id;
        const char* text;
    };
    const Case cases[] = {
        {ParameterKind::Settings, settings::id::kFilter, "42"},
        {ParameterKind::Calibration, settings::calibration::kKh, "1.234"},
        {ParameterKind::Factory, fac::kCoefficient0 + 50, "1.234"},
        {ParameterKind::Outputs, settings::output::kOutput2At20mA, "61000"},
        {ParameterKind::SpecialProbe, settings::probe::kAngle, "42.50"},
        {ParameterKind::Special, settings::special::kSerialNumber, "01234"},
        {ParameterKind::Oem, settings::oem::kLine1, "  ACME FLOW"},
        {ParameterKind::Echo, echo::id::kMargin2, "30"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.path() + "/f." + kindExtension(c.kind);
        SCOPED_TRACE(path);
        auto saved = makeParameterSet(c.kind);
        field(*saved, c.id).setText(c.text);
        ASSERT_TRUE(saved->save(path, kNow).ok());
        CRecordFile file;
        ASSERT_EQ(file.open(path), RecordFileStatus::Ok);
        EXPECT_EQ(file.recordCount(), static_cast<int>(saved->fileOrder().size()));
        file.close();

        auto loaded = makeParameterSet(c.kind);
        ASSERT_TRUE(loaded->load(path).ok());
        EXPECT_EQ(comparisonText(field(*loaded, c.id)), comparisonText(field(*saved, c.id)));
        for (int block : saved->fileOrder())
            EXPECT_EQ(loaded->blocks().encodeBlock(block), saved->blocks().encodeBlock(block))
                << block;

        // A file of another kind is refused and changes nothing.
        const std::string other =
            folder.path() + "/other." +
            kindExtension(c.kind == ParameterKind::Factory ? ParameterKind::Outputs
                                                           : ParameterKind::Factory);
        auto otherKind = makeParameterSet(
            c.kind == ParameterKind::Factory ? ParameterKind::Outputs : ParameterKind::Factory);
        ASSERT_TRUE(otherKind->save(other, kNow).ok());
        const std::string before = field(*loaded, c.id).text();
        EXPECT_FALSE(loaded->load(other).ok());
        EXPECT_EQ(field(*loaded, c.id).text(), before);
    }
}

TEST(SpecialProbe, GoesIntoTheChosenFactoryProbeAndNothingElse) {
    struct Case {
        const char* target;
        int text, t0, angle, frequency; // factory fields that take it
        int otherText;                  // the other probe's text, left alone
    };
    const Case cases[] = {
        {"SA", fac::kTextA, fac::kT0A, fac::kAngleA, fac::kFrequencyA, fac::kTextB},
        {"SB", fac::kTextB, fac::kT0B, fac::kAngleB, fac::kFrequencyB, fac::kTextA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        // The meter's factory block, with values the probe must not touch.
        MemoryMeter meter;
        {
            auto factory = makeParameterSet(ParameterKind::Factory);
            set(*factory, fac::kGainMax, "70");
            set(*factory, fac::kTextA, "OLD_A");
            set(*factory, fac::kTextB, "OLD_B");
            meter.images[blk::kFactory] = factory->blocks().encodeBlock(blk::kFactory);
            meter.images[blk::kFactory].resize(62, 0);
        }
        CProbeFileParameters probe(1);
        set(probe, settings::probe::kText, "PRB9");
        set(probe, settings::probe::kT0, "12.8");
        set(probe, settings::probe::kAngle, "45.50");
        set(probe, settings::probe::kFrequency, "250 KHz");
        set(probe, settings::probe::kTarget, c.target);
        MemoryExchange link(meter, probe.blocks());
        RecordingPrompts prompts;
        prompts.answer = CUserPrompts::Answer::No;
        EXPECT_EQ(probe.transfer(link, prompts, kNow, true).status,
                  TransferOutcome::Status::Declined);
        EXPECT_TRUE(meter.log.empty());

        prompts.answer = CUserPrompts::Answer::Yes;
        const TransferOutcome out = probe.transfer(link, prompts, kNow, true);
        ASSERT_EQ(out.status, TransferOutcome::Status::Written);
        EXPECT_EQ(meter.log, (std::vector<std::string>{"r 0x2200", "w 0x2200"}));

        auto check = makeParameterSet(ParameterKind::Factory);
        ASSERT_EQ(check->blocks().decodeBlock(blk::kFactory, meter.images[blk::kFactory]), 0);
        EXPECT_EQ(field(*check, c.text).text(), "PRB9  ");
        EXPECT_EQ(field(*check, c.t0).text(), "12.8");
        EXPECT_EQ(field(*check, c.angle).text(), "45.50");
        EXPECT_EQ(field(*check, c.frequency).shownText(), "250 KHz");
        EXPECT_EQ(field(*check, c.otherText).text(),
                  c.otherText == fac::kTextA ? "OLD_A " : "OLD_B ");
        EXPECT_EQ(field(*check, fac::kGainMax).text(), "70");

        // Read back from the meter, the chosen probe shows in the dialog.
        CProbeFileParameters again(1);
        set(again, settings::probe::kTarget, c.target);
        MemoryExchange link2(meter, again.blocks());
        ASSERT_EQ(again.readFromMeter(link2), 0);
        EXPECT_EQ(field(again, settings::probe::kText).text(), "PRB9  ");
        EXPECT_EQ(field(again, settings::probe::kAngle).text(), "45.50");
    }
}

struct CalibrationCase {
    const char* name;
    CUserPrompts::Answer answer;
    bool sync;
    std::vector<std::string> log; // after the opening read
};

TEST(Calibration, TransferChangesOnlyKhAndDeltaT0OfTheMeter) {
    const CalibrationCase cases[] = {
        {"declined", CUserPrompts::Answer::No, true, {}},
        {"settings only", CUserPrompts::Answer::Yes, false, {"r 0x1100", "w 0x1100"}},
        {"with the clock", CUserPrompts::Answer::Yes, true, {"r 0x1100", "w 0x2301", "w 0x1100"}},
    };
    for (const CalibrationCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryMeter meter;
        auto meterSettings = [&](const char* filter) {
            CSettingsSheet sheet;
            std::string error;
            setFieldFromText(*sheet.fields().find(settings::id::kKh), "1.234", error);
            setFieldFromText(*sheet.fields().find(settings::id::kDeltaT01), "-12.34", error);
            setFieldFromText(*sheet.fields().find(settings::id::kFilter), filter, error);
            Bytes b = sheet.blocks().encodeBlock(blk::kMain);
            b.resize(140, 0);
            return b;
        };
        meter.images[blk::kMain] = meterSettings("7");
        CCalibrationParameters cal({});
        MemoryExchange link(meter, cal.blocks());
        ASSERT_EQ(cal.readFromMeter(link), 0);
        EXPECT_EQ(field(cal, settings::calibration::kKh).text(), "1.234");
        EXPECT_EQ(field(cal, settings::calibration::kDeltaT0).text(), "-12.34");

        set(cal, settings::calibration::kKh, "2.5");
        set(cal, settings::calibration::kSyncClock, c.sync ? "Oui" : "Non");
        // Someone changed the filter on the meter since the dialog opened.
        meter.images[blk::kMain] = meterSettings("9");
        meter.log.clear();
        RecordingPrompts prompts;
        prompts.answer = c.answer;
        cal.transfer(link, prompts, kNow, true);
        EXPECT_EQ(meter.log, c.log);
        if (c.log.empty())
            continue;
        CSettingsSheet written;
        ASSERT_EQ(written.blocks().decodeBlock(blk::kMain, meter.images[blk::kMain]), 0);
        EXPECT_EQ(written.fields().find(settings::id::kKh)->text(), "2.500");
        EXPECT_EQ(written.fields().find(settings::id::kDeltaT01)->text(), "-12.34");
        EXPECT_EQ(written.fields().find(settings::id::kFilter)->text(), "9");
    }
}

TEST(Calibration, SavedFileKeepsTheEditedValues) {
    TempFolder folder;
    const std::string path = folder.path() + "/cal.etaBio";
    CCalibrationParameters cal({});
    set(cal, settings::calibration::kKh, "1.5");
    set(cal, settings::calibration::kDeltaT0, "3.25");
    ASSERT_TRUE(cal.save(path, kNow).ok());
    CCalibrationParameters loaded({});
    ASSERT_TRUE(loaded.load(path).ok());
    EXPECT_EQ(field(loaded, settings::calibration::kKh).text(), "1.500");
    EXPECT_EQ(field(loaded, settings::calibration::kDeltaT0).text(), "3.25");
    // The file is the settings block: the sheet reads the same values from it.
    CSettingsSheet sheet;
    ASSERT_TRUE(loadParameterFile(path, sheet.blocks(), {blk::kMain}).ok());
    EXPECT_EQ(sheet.fields().find(settings::id::kKh)->text(), "1.500");
}

TEST(EchoTableFile, IsNeverWritten) {
    auto echo = makeParameterSet(ParameterKind::Echo);
    MemoryMeter meter;
    MemoryExchange link(meter, echo->blocks());
    RecordingPrompts prompts;
    prompts.answer = CUserPrompts::Answer::Yes;
    EXPECT_FALSE(echo->writable());
    EXPECT_EQ(echo->transfer(link, prompts, kNow, true).status,
              TransferOutcome::Status::WriteFailed);
    EXPECT_TRUE(meter.log.empty());
}

} // namespace
