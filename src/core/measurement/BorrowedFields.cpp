// The groups of other dialogs that the measurement dialog reads once at start-up. Only the
// OEM flag and the OEM name change what it shows; the rest travels with its recordings.
#include "framework/ValueType.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"

#include <string>

namespace ks {

namespace {

namespace id = measure::id;
namespace blk = measure::block;
namespace vt = valuetype;

struct Row {
    int offset;
    int type;
    int label;
    int list; // 0: an edit
    const char* format;
    double minimum;
    double maximum;
    const char* value;
    int unit = 0;
};

void addRows(CFieldList& f, int block, int firstId, const Row* rows, int count) {
    for (int i = 0; i < count; ++i) {
        const Row& r = rows[i];
        f.add({.id = firstId + i,
               .flags = FieldFlag::kValueOnly,
               .label = r.label,
               .unit = r.unit,
               .list = r.list,
               .kind = r.list != 0 ? FieldKind::kList : FieldKind::kEdit,
               .value = r.value,
               .minimum = r.minimum,
               .maximum = r.maximum,
               .format = r.list != 0 ? "%c" : r.format,
               .type = r.type,
               .offset = r.offset,
               .block = block});
    }
}

// Texts of labels, lists and units.
constexpr int kNoYes = 37, kPairs = 47, kModels = 48, kModelCodes = 49, kBoards = 50;
constexpr int kNormalTest = 27, kFunctions = 28, kFrequencies = 29, kFlowUnits = 60;
constexpr int kDisplayLanguages = 31, kTxRxModes = 35, kSupplies = 21;

// Special settings (0x4000): serial numbers, model, board, enable bits, OEM flag.
const Row kSpecial[] = {
    {0, vt::kSigned8, 214, 0, "%02.f", 0, 60, "07"},
    {1, vt::kSigned8, 214, 0, "%02.f", 0, 99, "03"},
    {2, vt::kUnsigned16, 214, 0, "%05.f", 0, 65535, "0001"},
    {4, vt::kSigned8, 222, kPairs, "", 0, 0, "1"},
    {6, vt::kSigned8, 307, kModels, "", 0, 0, "0"},
    {7, vt::kSigned8, 12, kBoards, "", 0, 0, "1"},
    {8, vt::kSigned8, 215, 0, "%02.f", 0, 60, "07"},
    {9, vt::kSigned8, 215, 0, "%02.f", 0, 99, "03"},
    {10, vt::kUnsigned16, 215, 0, "%05.f", 0, 65535, "0001"},
    {12, vt::kSigned8, 141, kNormalTest, "", 0, 0, "0"},
    // Models 9 and 10, models 1 to 8, then the three applications: one bit each.
    {13, vt::kBit0, 0, kNoYes, "", 0, 0, "0"},
    {13, vt::kBit0 + 0x100, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x100, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x200, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x300, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x400, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x500, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x600, 0, kNoYes, "", 0, 0, "0"},
    {14, vt::kBit0 + 0x700, 0, kNoYes, "", 0, 0, "0"},
    {15, vt::kBit0, 310, kNoYes, "", 0, 0, "0"},
    {15, vt::kBit0 + 0x100, 309, kNoYes, "", 0, 0, "0"},
    {15, vt::kBit0 + 0x200, 308, kNoYes, "", 0, 0, "0"},
};

// OEM name line (0x122F).
const Row kOem[] = {
    {0, vt::kText, 160, 0, "%s", 0, 16, "   CALYPTRON"},
    {16, vt::kSigned8, 307, kModelCodes, "", 0, 0, "0"},
    {17, vt::kSigned8, 222, kPairs, "", 1, 3, "1"},
};

// Factory settings (0x2200).
const Row kFactory[] = {
    {0, vt::kSigned8, 141, kFunctions, "", 0, 0, "0"},
    {1, vt::kSigned24, 244, 0, "%0.3f", -99.9, 99.9, "10"},
    {4, vt::kSigned8, 221, 0, "%0.f", 0, 100, "0", 233},
    {5, vt::kUnsigned16, 275, 0, "%0.2f", 0, 90, "0", 94},
    {7, vt::kSigned8, 278, 0, "%0.1f", 0, 25.5, "0", 328},
    {8, vt::kSigned8, 277, kFrequencies, "", 0, 0, "1"},
    {9, vt::kUnsigned16, 275, 0, "%0.2f", 0, 90, "0", 94},
    {11, vt::kSigned8, 278, 0, "%0.1f", 0, 25.5, "0", 328},
    {12, vt::kSigned8, 277, kFrequencies, "", 0, 0, "1"},
    {13, vt::kUnsigned16, 242, 0, "%0.f", 0, 10000, "0"},
    {15, vt::kSigned8, 327, kFlowUnits, "", 0, 0, "0"},
    {16, vt::kUnsigned16, 63, 0, "%0.3f", 0, 65, "1.000"},
    {18, vt::kUnsigned16, 65, 0, "%0.3f", 0, 65, "1.000"},
    {20, vt::kUnsigned16, 66, 0, "%0.3f", 0, 65, "1.000"},
    {22, vt::kUnsigned16, 67, 0, "%0.3f", 0, 65, "1.000"},
    {24, vt::kUnsigned16, 68, 0, "%0.3f", 0, 65, "1.000"},
    {26, vt::kUnsigned16, 69, 0, "%0.3f", 0, 65, "1.000"},
    {28, vt::kUnsigned16, 70, 0, "%0.3f", 0, 65, "1.000"},
    {30, vt::kUnsigned16, 71, 0, "%0.3f", 0, 65, "1.000"},
    {32, vt::kUnsigned16, 72, 0, "%0.3f", 0, 65, "1.000"},
    {34, vt::kUnsigned16, 73, 0, "%0.3f", 0, 65, "1.000"},
    {36, vt::kUnsigned16, 64, 0, "%0.3f", 0, 65, "1.000"},
    {38, vt::kSigned8, 74, 0, "%0.1f", 0, 10, "0.7"},
    {39, vt::kSigned8, 145, 0, "%0.f", 0, 89, "80", 89},
    {40, vt::kSigned8, 156, kDisplayLanguages, "", 0, 0, "0"},
    {41, vt::kSigned8, 253, 0, "%0.f", 0, 32, "0", 205},
    {42, vt::kSigned8, 193, kTxRxModes, "", 0, 0, "0"},
    {43, vt::kSigned8, 82, 0, "%0.f", 1, 100, "10"},
    {44, vt::kSigned8, 5, kSupplies, "", 0, 0, "0"},
    {45, vt::kSigned8, 6, kSupplies, "", 0, 0, "1"},
    {46, vt::kText, 279, 0, "%s", 0, 6, ""},
    {52, vt::kText, 279, 0, "%s", 0, 6, ""},
    {58, vt::kSigned8, 194, kTxRxModes, "", 0, 0, "9"},
    {59, vt::kUnsigned16, 97, 0, "%0.1f", 0, 5000, "5000", 213},
};

template <std::size_t N> constexpr int countOf(const Row (&)[N]) {
    return static_cast<int>(N);
}

} // namespace

void registerBorrowedFields(CFieldList& f) {
    addRows(f, blk::kSpecial, id::kSpecialFirst, kSpecial, countOf(kSpecial));
    f.add({.id = id::kOemFlag,
           .flags = FieldFlag::kValueOnly,
           .label = 296,
           .list = kNoYes,
           .kind = FieldKind::kList,
           .value = "0",
           .format = "%c",
           .type = vt::kSigned8,
           .offset = 16,
           .block = blk::kSpecial});
    addRows(f, blk::kOemName, id::kOemName, kOem, countOf(kOem));
    addRows(f, blk::kFactory, id::kFactoryFirst, kFactory, countOf(kFactory));
}

} // namespace ks
