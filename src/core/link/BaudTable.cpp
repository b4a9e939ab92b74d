#include "link/BaudTable.h"

namespace ks {

namespace {
constexpr BaudEntry kTable[kBaudTableSize] = {
    {300, 1000, "300"},
    {600, 1000, "600"},
    {1200, 1000, "1200"},
    {2400, 1000, "2400"},
    {4800, 1000, "4800"},
    {9600, 1000, "9600"},
    {115200, 1000, "BlueTooth"},
    {115200, 1000, ""},
    {},
    {},
    {},
};
constexpr BaudEntry kEmpty{};
} // namespace

const BaudEntry& baudEntry(int index) {
    if (index < 0 || index >= kBaudTableSize)
        return kEmpty;
    return kTable[index];
}

int baudCount() {
    int n = 0;
    while (n < kBaudTableSize && kTable[n].baud != 0)
        ++n;
    return n;
}

} // namespace ks
