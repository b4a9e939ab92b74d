#include "measurement/RecordTexts.h"

#include "i18n/TextTable.h"
#include "measurement/MeasureIds.h"

#include <charconv>
#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace ks {

namespace {

namespace id = measure::id;
namespace txt = measure::text;

constexpr const char* kColumnKeys[kRecordColumnCount] = {
    "C_Num",       "C_Date",      "C_Heure",  "C_DateTime", "C_Debit", "C_UniteQ",   "C_Vitesse",
    "C_Celerite",  "C_Tot1",      "C_P_Tot1", "C_T_Tot1",   "C_Tot2",  "C_P_Tot2",   "C_T_Tot2",
    "C_Vitesse1",  "C_Celerite1", "C_Temps1", "C_Dt1",      "C_IQ1",   "C_Gain1",    "C_Vitesse2",
    "C_Celerite2", "C_Temps2",    "C_Dt2",    "C_IQ2",      "C_Gain2", "C_Num_Serie"};

// Text numbers of the column titles.
constexpr int kNumber = 216, kDate = 86, kHour = 291, kDateTime = 87, kFlow = 90, kQT = 245,
              kQ1 = 237, kQ2 = 239, kFlowUnit = 327, kVelocity = 335, kSoundSpeed = 13,
              kPulseWeight = 231, kType = 306, kTime = 288, kDeltaT = 96, kQuality = 151,
              kGain = 142, kSerial = 214;
// Texts of the transfer file.
constexpr int kMeanFlow = 92, kCv = 84, kVolume = 341, kTooShort = 121;

const std::string& textOf(const CFieldList& fields, int fieldId) {
    static const std::string empty;
    const CField* f = fields.find(fieldId);
    return f ? f->text() : empty;
}

std::string unitOf(const CFieldList& fields, int fieldId) {
    const CField* f = fields.find(fieldId);
    return f ? f->unit() : std::string();
}

// Entry `index field's value` of a list, in the fields' language.
std::string entryOf(const CFieldList& fields, int indexFieldId, int list) {
    const CField* f = fields.find(indexFieldId);
    if (!f)
        return {};
    const double v = f->number();
    CTextTable texts;
    const auto& entries = texts.lookup(list, fields.language());
    if (!(v >= 0) || v >= static_cast<double>(entries.size()))
        return {};
    return entries[static_cast<std::size_t>(v)];
}

void totaliser(std::vector<std::string>& cols, const CFieldList& fields, int value, int weight,
               int direction, int flow, bool twoPipes) {
    cols.push_back(textOf(fields, value));
    cols.push_back(entryOf(fields, weight, txt::kPulseWeights));
    const std::string dir = entryOf(fields, direction, txt::kDirections);
    if (twoPipes)
        cols.push_back("(" + entryOf(fields, flow, txt::kFlowSelections) + " " + dir + ")");
    else
        cols.push_back("(" + dir + ")");
}

} // namespace

const char* recordColumnKey(int column) {
    return column >= 0 && column < kRecordColumnCount ? kColumnKeys[column] : "";
}

std::string columnLetters(int column) {
    std::string s;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        s.insert(s.begin(), static_cast<char>('A' + (c - 1) % 26));
    return s;
}

std::string recordHeaderLine(int language, bool twoPipes) {
    CTextTable t;
    std::string s;
    for (int n : {kNumber, kDate, kHour, kDateTime, twoPipes ? kQT : kFlow, kFlowUnit,
                  twoPipes ? kQ1 : kVelocity, twoPipes ? kQ2 : kSoundSpeed})
        s += t.text(n, language) + "\t";
    for (int n : {txt::kTotaliser1, kPulseWeight, kType, txt::kTotaliser2, kPulseWeight, kType})
        s += t.text(n, language) + "\t";
    for (const char* chord : {"1\t", "2\t"})
        for (int n : {kVelocity, kSoundSpeed, kTime, kDeltaT, kQuality, kGain})
            s += t.text(n, language) + chord;
    s += t.text(kSerial, language) + "\n";
    return s;
}

CDateTime meterTimeOf(const CFieldList& fields, const RegionalSettings& regional) {
    CDateTime t(regional);
    t.buildFromText(textOf(fields, id::kMeterClock));
    return t;
}

std::vector<std::string> recordColumns(const CFieldList& fields, const CDateTime& meterTime,
                                       bool twoPipes) {
    std::vector<std::string> cols;
    cols.reserve(kRecordColumnCount - 1);
    cols.push_back(meterTime.dateText());
    cols.push_back(meterTime.timeText());
    // "%f" of the day number and fraction, without the process locale's say.
    char number[64];
    const double serial = meterTime.dayNumber() + meterTime.dayFraction();
    const auto r =
        std::to_chars(number, number + sizeof number, serial, std::chars_format::fixed, 6);
    cols.emplace_back(number, r.ptr);
    if (twoPipes) {
        cols.push_back(textOf(fields, id::kFlowQT));
        cols.push_back(unitOf(fields, id::kFlowQT));
        cols.push_back(textOf(fields, id::kFlowQ1));
        cols.push_back(textOf(fields, id::kFlowQ2));
    } else {
        cols.push_back(textOf(fields, id::kFlow));
        cols.push_back(unitOf(fields, id::kFlow));
        cols.push_back(textOf(fields, id::kMeanVelocity));
        cols.push_back(textOf(fields, id::kMeanSoundSpeed));
    }
    totaliser(cols, fields, id::kTotaliser1, id::kPulseWeight1, id::kDirection1,
              id::kTotaliserFlow1, twoPipes);
    totaliser(cols, fields, id::kTotaliser2, id::kPulseWeight2, id::kDirection2,
              id::kTotaliserFlow2, twoPipes);
    for (int fid : {id::kVelocity1, id::kSoundSpeed1, id::kTransit1, id::kDeltaT1, id::kQuality1,
                    id::kGain1, id::kVelocity2, id::kSoundSpeed2, id::kTransit2, id::kDeltaT2,
                    id::kQuality2, id::kGain2, id::kSerialNumber})
        cols.push_back(textOf(fields, fid));
    return cols;
}

std::string recordLine(const CFieldList& fields, const CDateTime& meterTime, bool twoPipes,
                       std::string_view decimalSeparator) {
    return recordLineOfColumns(recordColumns(fields, meterTime, twoPipes), decimalSeparator);
}

std::string recordLineOfColumns(const std::vector<std::string>& cols,
                                std::string_view decimalSeparator) {
    if (cols.size() < 2)
        return "\n";
    // The date and time texts keep their own separators; every other column, each followed
    // by a tab, gets the user's decimal separator.
    std::string rest;
    for (std::size_t i = 2; i < cols.size(); ++i)
        rest += cols[i] + "\t";
    return cols[0] + "\t" + cols[1] + "\t" + withDecimalSeparator(rest, decimalSeparator) + "\n";
}

std::string transferFileContent(int language, std::string_view textFile,
                                std::string_view outputFile) {
    CTextTable t;
    std::string s = "TYPE\tMES\n";
    s += "F_IN\t" + std::string(textFile) + "\n";
    s += "F_OUT\t" + std::string(outputFile) + "\n";
    s += "T_DebitMoy\t" + t.text(kMeanFlow, language) + "\n";
    s += "T_CV\t" + t.text(kCv, language) + "\n";
    s += "T_Volume\t" + t.text(kVolume, language) + "\n";
    s += "T_ErrFtropcourt\t" + t.text(kTooShort, language) + "\n";
    for (int c = 0; c < kRecordColumnCount; ++c)
        s += std::string(kColumnKeys[c]) + "\t" + columnLetters(c) + "\n";
    return s;
}

std::string decimalSeparatorOfEnvironment() {
    locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return ".";
    const char* radix = ::nl_langinfo_l(RADIXCHAR, loc);
    std::string s = radix && *radix ? radix : ".";
    ::freelocale(loc);
    return s;
}

std::string withDecimalSeparator(std::string_view text, std::string_view separator) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '.')
            out += separator;
        else
            out.push_back(c);
    }
    return out;
}

} // namespace ks
