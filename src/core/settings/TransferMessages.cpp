#include "settings/TransferMessages.h"

#include <cstdio>

namespace ks {

namespace {

// The numbered text table has no text for this: the five languages are kept here.
struct Texts {
    const char* failed; // followed by the block
    const char* written;
    const char* none;
};

constexpr Texts kTexts[5] = {
    {"L'écriture du bloc %s a échoué.", "Blocs écrits : ", "aucun"},
    {"Writing block %s failed.", "Blocks written: ", "none"},
    {"A escrita do bloco %s falhou.", "Blocos escritos: ", "nenhum"},
    {"Schreiben von Block %s fehlgeschlagen.", "Geschriebene Blöcke: ", "keine"},
    {"La escritura del bloque %s ha fallado.", "Bloques escritos: ", "ninguno"},
};

std::string blockName(int block) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(block) & 0xFFFFu);
    return buf;
}

} // namespace

std::string writeFailureMessage(int failedBlock, const std::vector<int>& written, int language) {
    const Texts& t = kTexts[language >= 1 && language <= 5 ? language - 1 : 0];
    // The formats are our own constants; the block name is an argument.
    char first[128];
    std::snprintf(first, sizeof first, t.failed, blockName(failedBlock).c_str());
    std::string list;
    for (int block : written)
        list += (list.empty() ? "" : ", ") + blockName(block);
    return std::string(first) + "\n" + t.written + (list.empty() ? t.none : list);
}

} // namespace ks
