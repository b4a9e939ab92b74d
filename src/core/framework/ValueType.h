#pragma once

namespace ks {

// The value types of meter fields. The high byte of a field's type selects how its bytes are
// read and written; for kMask the low byte is the mask of the bits the value occupies.
namespace valuetype {

inline constexpr int kSigned8 = 0x0100;
inline constexpr int kSigned16 = 0x0200;
inline constexpr int kSigned24 = 0x0300;
inline constexpr int kFloat = 0x0400;
inline constexpr int kText = 0x0500;
inline constexpr int kHighNibble = 0x0600;
inline constexpr int kLowNibble = 0x0700;
inline constexpr int kBit0 = 0x0800; // up to 0x0F00: bit 0 .. bit 7 of one byte
inline constexpr int kBit7 = 0x0F00;
inline constexpr int kRangedCount = 0x1000; // 16-bit count with a range byte, in 0.075 steps
inline constexpr int kTwentySixths = 0x2000;
inline constexpr int kUnsigned16 = 0x3000;
inline constexpr int kUnsigned32 = 0x4000;
inline constexpr int kMeterDate = 0x5000;
inline constexpr int kMeterDate2 = 0x6000;
inline constexpr int kMeterDate3 = 0x7000;
inline constexpr int kSigned32 = 0x8000;
inline constexpr int kMask = 0x9000;
inline constexpr int kUnsigned8 = 0xA000;
inline constexpr int kDouble = 0xB000;
inline constexpr int kBcdDate = 0xC000;
inline constexpr int kSpreadDate = 0xD000; // six bytes at the odd offsets of 13

} // namespace valuetype

// The encoding part of a type (its high byte, shifted back in place).
inline int typeEncoding(int type) {
    return type & 0xFF00;
}

// How many bytes of the block image a value of this type occupies; a text takes its maximum
// (whole characters, never negative). 0 for a type this program does not know.
int valueWidth(int type, double maximum);

bool isDateType(int type);
bool isTextType(int type);
// Bit n of a bit type (0 .. 7), -1 for any other type.
int bitOfType(int type);

} // namespace ks
