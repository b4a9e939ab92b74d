#include "reports/TestFields.h"

#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"
#include "settings/EchoTable.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsIds.h"

#include <cstdio>

namespace ks {

namespace {

namespace vt = valuetype;
namespace tid = test::id;
namespace tb = test::block;
namespace tt = test::text;

constexpr int kBoardList = 50;
constexpr int kPercent = 233;
constexpr int kDb = 89;

void display(CFieldList& f, int id, int label, int unit, const char* format, int type, int offset,
             int block, double maximum = 0) {
    f.add({.id = id,
           .label = label,
           .unit = unit,
           .kind = FieldKind::kDisplay | FieldKind::kNoClamp,
           .value = "0",
           .maximum = maximum,
           .format = format,
           .type = type,
           .offset = offset,
           .block = block});
}

void valueOnly(CFieldList& f, int id, const char* format, int type, int offset, int block) {
    f.add({.id = id,
           .flags = FieldFlag::kValueOnly,
           .kind = FieldKind::kEdit | FieldKind::kNoClamp,
           .value = "0",
           .format = format,
           .type = type,
           .offset = offset,
           .block = block});
}

double numberOf(const CFieldList& f, int id) {
    const CField* field = f.find(id);
    return field ? field->number() : 0;
}

std::string shownOf(const CFieldList& f, int id) {
    const CField* field = f.find(id);
    return field ? field->shownText() : std::string();
}

void tableOf(CEscEntryDecoder& decoder, const Bytes& data, std::size_t from,
             std::array<TestEscRow, 10>& out) {
    for (std::size_t row = 0; row < out.size(); ++row) {
        const std::size_t at = from + row * echo::kRowSize;
        if (at + echo::kRowSize > data.size())
            return;
        const EscEntry e = decoder.decode(data.data() + at, echo::kRowSize);
        out[row] = {e.count, e.minimumGain, e.value};
    }
}

} // namespace

void registerTestFields(CFieldList& f) {
    registerIdentificationFields(f);
    registerTestDialogFields(f);
}

void registerTestDialogFields(CFieldList& f) {
    f.add({.id = tid::kGroupIdentity, .label = tt::kVersion, .kind = FieldKind::kGroup});
    valueOnly(f, tid::kSerialWeek, "%02.f", vt::kSigned8, 76, tb::kMeasurement);
    valueOnly(f, tid::kSerialYear, "%02.f", vt::kSigned8, 77, tb::kMeasurement);
    valueOnly(f, tid::kSerialNumber, "%05.f", vt::kUnsigned16, 78, tb::kMeasurement);
    f.add({.id = tid::kSerialText, .label = tt::kSerialNumber, .kind = FieldKind::kDisplay});
    f.add({.id = tid::kBoardSerialText,
           .label = tt::kBoardSerialNumber,
           .kind = FieldKind::kDisplay});
    f.add({.id = tid::kBoard,
           .label = tt::kBoard,
           .list = kBoardList,
           .kind = FieldKind::kDisplay,
           .value = "0",
           .format = "%l",
           .type = vt::kSigned8,
           .offset = 68,
           .block = tb::kMeasurement});
    display(f, tid::kSoftware, tt::kFirmware, 0, "%s", vt::kText, 56, tb::kMeasurement, 12);

    f.add({.id = tid::kGroupChannel1, .label = tt::kChord1, .kind = FieldKind::kGroup});
    display(f, tid::kGain1, tt::kGain, kDb, "%0.f", vt::kSigned8, 52, tb::kMeasurement);
    display(f, tid::kQuality1, tt::kQuality, kPercent, "%0.f", vt::kSigned8, 54, tb::kMeasurement);
    f.add({.id = tid::kGroupChannel2, .label = tt::kChord2, .kind = FieldKind::kGroup});
    display(f, tid::kGain2, tt::kGain, kDb, "%0.f", vt::kSigned8, 112, tb::kMeasurement);
    display(f, tid::kQuality2, tt::kQuality, kPercent, "%0.f", vt::kSigned8, 110, tb::kMeasurement);
    valueOnly(f, tid::kLayoutFlags, "%0.f", vt::kSigned8, 163, tb::kMeasurement);

    f.add({.id = tid::kGroupOutput1, .label = tt::kOutput1, .kind = FieldKind::kGroup});
    display(f, tid::kOutput1At4mA, tt::kPoints4mA, 0, "%0.f", vt::kUnsigned16, 6, tb::kOutputs);
    display(f, tid::kOutput1At20mA, tt::kPoints20mA, 0, "%0.f", vt::kUnsigned16, 8, tb::kOutputs);
    f.add({.id = tid::kGroupOutput2, .label = tt::kOutput2, .kind = FieldKind::kGroup});
    display(f, tid::kOutput2At4mA, tt::kPoints4mA, 0, "%0.f", vt::kUnsigned16, 10, tb::kOutputs);
    display(f, tid::kOutput2At20mA, tt::kPoints20mA, 0, "%0.f", vt::kUnsigned16, 12, tb::kOutputs);

    const std::size_t factoryFirst = f.size();
    registerFactoryFields(f);
    registerSpecialFields(f);
    // Of these only the transmit/receive modes are shown (and changed); the rest are carried
    // so that the factory block is written back as it was read.
    for (std::size_t i = factoryFirst; i < f.size(); ++i) {
        const int id = f[i].id();
        if (id != settings::factory::kTxRxMode1 && id != settings::factory::kTxRxMode2)
            f[i].setFlags(f[i].flags() | FieldFlag::kValueOnly | FieldFlag::kHidden);
    }
    registerEchoTableFields(f);
}

void refreshTestSerialTexts(CFieldList& f) {
    namespace S = settings::special;
    auto serial = [&](int week, int year, int number) {
        char text[48];
        std::snprintf(text, sizeof text, "%02.0f/%02.0f/%05.0f", numberOf(f, week),
                      numberOf(f, year), numberOf(f, number));
        return std::string(text);
    };
    if (CField* meter = f.find(tid::kSerialText))
        meter->setText(serial(tid::kSerialWeek, tid::kSerialYear, tid::kSerialNumber));
    if (CField* board = f.find(tid::kBoardSerialText))
        board->setText(serial(S::kBoardWeek, S::kBoardYear, S::kBoardNumber));
}

const std::vector<int>& testReadOrder() {
    static const std::vector<int> order{tb::kMeasurement, tb::kSpecial, tb::kFactory, tb::kOutputs};
    return order;
}

TestReportData testReportDataOf(CFieldListBlocks& blocks, const Bytes& echoBlock) {
    const CFieldList& f = blocks.fields();
    namespace S = settings::special;
    namespace F = settings::factory;
    TestReportData d;
    d.serial = {numberOf(f, tid::kSerialWeek), numberOf(f, tid::kSerialYear),
                numberOf(f, tid::kSerialNumber)};
    d.boardType = shownOf(f, tid::kBoard);
    d.boardSerial = {numberOf(f, S::kBoardWeek), numberOf(f, S::kBoardYear),
                     numberOf(f, S::kBoardNumber)};
    d.softwareReference = shownOf(f, tid::kSoftware);
    d.outputPoints = {numberOf(f, tid::kOutput1At4mA), numberOf(f, tid::kOutput1At20mA),
                      numberOf(f, tid::kOutput2At4mA), numberOf(f, tid::kOutput2At20mA)};
    static constexpr int kPolarity[2] = {echo::id::kPolarity1, echo::id::kPolarity2};
    static constexpr int kMargin[2] = {echo::id::kMargin1, echo::id::kMargin2};
    static constexpr int kMode[2] = {F::kTxRxMode1, F::kTxRxMode2};
    CEscEntryDecoder decoder(blocks);
    for (int c = 0; c < 2; ++c) {
        TestChannel& ch = d.channels[static_cast<std::size_t>(c)];
        ch.polarity = shownOf(f, kPolarity[c]);
        ch.margin = numberOf(f, kMargin[c]);
        ch.mode = shownOf(f, kMode[c]);
        const Bytes data = chordEscData(echoBlock, c + 1);
        tableOf(decoder, data, 0, ch.normal);
        tableOf(decoder, data, echo::kTableSize, ch.inverse);
    }
    return d;
}

} // namespace ks
