#pragma once

#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "link/JBusFrame.h"
#include "reports/TestReport.h"

// The fields of the test dialog: what the report needs of the meter, and the test settings
// the test transfers before it measures.
namespace ks {

namespace test {
namespace id {
// Measurement block.
inline constexpr int kSerialWeek = 7000;
inline constexpr int kSerialYear = 7010;
inline constexpr int kSerialNumber = 7020;
inline constexpr int kBoard = 7030;
inline constexpr int kSoftware = 7040;
inline constexpr int kGain1 = 7050;
inline constexpr int kQuality1 = 7060;
inline constexpr int kGain2 = 7070;
inline constexpr int kQuality2 = 7080;
inline constexpr int kLayoutFlags = 7090;     // the last byte of the block, so all of it is read
inline constexpr int kSerialText = 7095;      // "07/03/00001", made from the three parts
inline constexpr int kBoardSerialText = 7096; // the board's, from the special settings
// Analogue output points (block 0x3000).
inline constexpr int kGroupOutput1 = 7100;
inline constexpr int kOutput1At4mA = 7110;
inline constexpr int kOutput1At20mA = 7120;
inline constexpr int kGroupOutput2 = 7125;
inline constexpr int kOutput2At4mA = 7130;
inline constexpr int kOutput2At20mA = 7140;
// Groups of the dialog.
inline constexpr int kGroupIdentity = 7200;
inline constexpr int kGroupChannel1 = 7210;
inline constexpr int kGroupChannel2 = 7220;
// Controls of the dialog.
inline constexpr int kTestButton = 7300;
inline constexpr int kPrintButton = 7310;
} // namespace id

namespace block {
inline constexpr int kMeasurement = 0x0010;
inline constexpr int kFactory = 0x2200;
inline constexpr int kOutputs = 0x3000;
inline constexpr int kSpecial = 0x4000;
inline constexpr int kEcho = 0x0B00;
} // namespace block

namespace text {
inline constexpr int kCaption = 209; // "&Test KSN" (the "&" is dropped)
inline constexpr int kSerialNumber = 214;
inline constexpr int kBoardSerialNumber = 215;
inline constexpr int kVersion = 332;
inline constexpr int kBoard = 12;
inline constexpr int kFirmware = 140;
inline constexpr int kGain = 142;
inline constexpr int kQuality = 151; // "I.Q."
inline constexpr int kPoints4mA = 235;
inline constexpr int kPoints20mA = 234;
inline constexpr int kOutput1 = 257;
inline constexpr int kOutput2 = 258;
inline constexpr int kChord1 = 80;
inline constexpr int kChord2 = 81;
} // namespace text
} // namespace test

// The dialog's own fields: the meter's identity and live values of the
// measurement block, the factory settings (the transmit/receive modes are the test settings),
// the special settings (the board's serial number), the output points and the echo tables.
void registerTestDialogFields(CFieldList& fields);
// The identification block's fields, then the dialog's own.
void registerTestFields(CFieldList& fields);

// The serial numbers of the meter and its board as one text each, after a read.
void refreshTestSerialTexts(CFieldList& fields);

// The blocks the dialog reads before the test, in order.
const std::vector<int>& testReadOrder();

// The report's values from the fields and the last echo table block read (248 bytes; a
// shorter block gives empty tables).
TestReportData testReportDataOf(CFieldListBlocks& blocks, const Bytes& echoBlock);

} // namespace ks
