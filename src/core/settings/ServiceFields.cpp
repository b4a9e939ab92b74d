#include "settings/ServiceFields.h"

#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"
#include "settings/EchoTable.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks {

namespace {

namespace blk = settings::block;
namespace vt = valuetype;
namespace tx = settings::text;

// Text numbers the sheet does not use.
inline constexpr int kTextPoints4mA = 235;
inline constexpr int kTextPoints20mA = 234;
inline constexpr int kTextOutputSettings = 202;
inline constexpr int kTextOutputOne = 271;
inline constexpr int kTextOutputTwo = 272;
inline constexpr int kTextSaveIn = 262;
inline constexpr int kTextProbeTargets = 44; // "SA", "SB"
inline constexpr int kTextModelNames = 49;   // "M01" ... "M10"

void hideFrom(CFieldList& f, std::size_t first) {
    for (std::size_t i = first; i < f.size(); ++i)
        f[i].show(false);
}

// The identification every device dialog reads first: it names the meter in a file's header
// and is not one of the dialog's values (its slave number and device code are in no file).
void identification(CFieldList& f) {
    // A device dialog's own list starts with them already.
    if (f.find(identcontrol::kSlave) != nullptr)
        return;
    const std::size_t first = f.size();
    registerIdentificationFields(f);
    hideFrom(f, first);
}

CField& number(CFieldList& f, int id, int label, int decimals, double min, double max,
               const char* value, int unit, int type, int offset, int block) {
    return f.add({.id = id,
                  .label = label,
                  .unit = unit,
                  .kind = FieldKind::kEdit,
                  .value = value,
                  .minimum = min,
                  .maximum = max,
                  .format = decimalsFormat(decimals),
                  .type = type,
                  .offset = offset,
                  .block = block});
}

CField& text(CFieldList& f, int id, int label, int length, const char* value, int offset,
             int block) {
    return f.add({.id = id,
                  .label = label,
                  .kind = FieldKind::kEdit,
                  .value = value,
                  .maximum = static_cast<double>(length),
                  .format = "%s",
                  .type = vt::kText,
                  .offset = offset,
                  .block = block});
}

CField& list(CFieldList& f, int id, int label, int entries, int index, int offset, int block) {
    return f.add({.id = id,
                  .label = label,
                  .list = entries,
                  .kind = FieldKind::kList,
                  .value = std::to_string(index),
                  .type = vt::kSigned8,
                  .offset = offset,
                  .block = block});
}

void firmwareDisplay(CFieldList& f, int id, int offset, int block) {
    f.add({.id = id,
           .label = tx::kFirmware,
           .kind = FieldKind::kDisplay,
           .maximum = 12,
           .format = "%s",
           .type = vt::kText,
           .offset = offset,
           .block = block});
}

void group(CFieldList& f, int id, int label) {
    f.add({.id = id, .label = label, .kind = FieldKind::kGroup});
}

void valueOnly(CFieldList& f, int id, const char* format, int type, int offset, int block) {
    f.add({.id = id,
           .flags = FieldFlag::kValueOnly,
           .kind = FieldKind::kEdit,
           .value = "0",
           .format = format,
           .type = type,
           .offset = offset,
           .block = block});
}

} // namespace

void registerCalibrationFields(CFieldList& f) {
    namespace c = settings::calibration;
    identification(f);
    firmwareDisplay(f, c::kFirmware, 10, blk::kIdentification);
    f.add({.id = c::kSyncClock,
           .label = tx::kSyncClock,
           .list = tx::kYesNo,
           .kind = FieldKind::kList,
           .value = "1"});
    number(f, c::kKh, tx::kKh, 3, 0.001, 9.999, "1", 0, 0, -1, -1);
    number(f, c::kDeltaT0, tx::kDeltaT01, 2, -9999.99, 9999.99, "0.00", tx::kNs, 0, -1, -1);
    // The sheet's own identification rows are already there.
    CFieldList sheet;
    registerSheetFieldList(sheet);
    const std::size_t first = f.size();
    for (const CField& field : sheet)
        if (field.block() != settings::block::kIdentification)
            f.add(field);
    hideFrom(f, first);
}

void registerFactoryDialogFields(CFieldList& f) {
    identification(f);
    registerFactoryFields(f);
}

void registerOutputFields(CFieldList& f) {
    namespace o = settings::output;
    identification(f);
    group(f, o::kGroup, kTextOutputSettings);
    group(f, o::kGroupOutput1, kTextOutputOne);
    number(f, o::kOutput1At4mA, kTextPoints4mA, 0, 10, 65535, "1160", 0, vt::kUnsigned16, 6,
           blk::kOutput);
    number(f, o::kOutput1At20mA, kTextPoints20mA, 0, 10, 65535, "60500", 0, vt::kUnsigned16, 8,
           blk::kOutput);
    group(f, o::kGroupOutput2, kTextOutputTwo);
    number(f, o::kOutput2At4mA, kTextPoints4mA, 0, 0, 65535, "1160", 0, vt::kUnsigned16, 10,
           blk::kOutput);
    number(f, o::kOutput2At20mA, kTextPoints20mA, 0, 0, 65535, "60500", 0, vt::kUnsigned16, 12,
           blk::kOutput);
}

void registerProbeFileFields(CFieldList& f) {
    namespace p = settings::probe;
    identification(f);
    text(f, p::kText, tx::kText, 6, "Sp", 0, blk::kProbeRecord);
    number(f, p::kT0, tx::kT0, 1, 0, 25.5, "1.0", tx::kUs, vt::kUnsigned8, 6, blk::kProbeRecord);
    number(f, p::kAngle, tx::kAngle, 2, 0, 90, "0.00", tx::kDegree, vt::kUnsigned16, 7,
           blk::kProbeRecord);
    list(f, p::kFrequency, tx::kFrequency, tx::kFrequencies, 2, 9, blk::kProbeRecord);
    f.add({.id = p::kTarget,
           .label = kTextSaveIn,
           .list = kTextProbeTargets,
           .kind = FieldKind::kList,
           .value = "0"});
    const std::size_t first = f.size();
    registerFactoryFields(f);
    hideFrom(f, first);
}

void registerSpecialDialogFields(CFieldList& f) {
    identification(f);
    firmwareDisplay(f, settings::special::kFirmware, 56, blk::kMeasurement);
    registerSpecialFields(f);
}

void registerOemFields(CFieldList& f) {
    namespace o = settings::oem;
    identification(f);
    firmwareDisplay(f, o::kFirmware, 10, blk::kIdentification);
    text(f, o::kLine1, tx::kLine1, 16, "   CALYPTRON", 0, blk::kOem);
    list(f, o::kModel, tx::kDeviceType, kTextModelNames, 0, 16, blk::kOem);
    // Entries 1 to 3: the leading "*" is never offered.
    f.add({.id = o::kMaxPair,
           .label = tx::kMaxPair,
           .list = tx::kApplicationTypes,
           .kind = FieldKind::kList,
           .value = "1",
           .minimum = 1,
           .type = vt::kSigned8,
           .offset = 17,
           .block = blk::kOem});
    const std::size_t first = f.size();
    registerSpecialFields(f);
    hideFrom(f, first);
}

void registerEchoFields(CFieldList& f) {
    identification(f);
    registerEchoTableFields(f);
    // Every byte of the four tables, so that a file holds the tables as the meter gave them.
    for (int table = 0; table < 4; ++table) {
        const int start = (table / 2) * echo::kChord2 + (table % 2) * echo::kNormalTable;
        for (int row = 0; row < echo::kRows; ++row) {
            const int at = start + echo::kRowSize * row;
            valueOnly(f, 0, "%0.f", vt::kUnsigned8, at, echo::kBlock);
            valueOnly(f, 0, "%0.f", vt::kUnsigned8, at + 1, echo::kBlock);
            valueOnly(f, 0, "%0.f", vt::kUnsigned32, at + 2, echo::kBlock);
        }
    }
}

} // namespace ks
