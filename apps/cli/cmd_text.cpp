// calyptron-cli text N [--lang L]: prints one entry of the text table for translators.
#include "CliCommand.h"

#include "i18n/TextEntryFormat.h"
#include "i18n/TextTable.h"

#include <charconv>
#include <ostream>
#include <string>

namespace {

// A whole decimal number, nothing else around it.
bool parseInt(const std::string& s, int& value) {
    if (s.empty()) {
        return false;
    }
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    return res.ec == std::errc() && res.ptr == s.data() + s.size();
}

int runText(ks::cli::CliContext& ctx) {
    std::ostream& err = *ctx.err;
    const char* usage = "usage: text N [--lang L]   (L: 1 French, 2 English, 3 Portuguese, "
                        "4 German, 5 Spanish; default 1)\n";
    int number = 0;
    int language = ks::kLanguageFrench;
    bool haveNumber = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& arg = ctx.args[i];
        if (arg == "--lang") {
            if (i + 1 >= ctx.args.size() || !parseInt(ctx.args[i + 1], language)) {
                err << "text: --lang needs a language number\n" << usage;
                return 2;
            }
            ++i;
        } else if (!haveNumber && parseInt(arg, number)) {
            haveNumber = true;
        } else {
            err << "text: unexpected argument \"" << arg << "\"\n" << usage;
            return 2;
        }
    }
    if (!haveNumber) {
        err << usage;
        return 2;
    }
    // The table answers a number or language outside its range with an empty string; a
    // translator asking for one has mistyped, so say so instead.
    if (number < 1 || number > ks::kTextCount) {
        err << "text: no text " << number << "; texts are numbered 1 to " << ks::kTextCount << '\n';
        return 1;
    }
    if (language < 1 || language > ks::kTextLanguageCount) {
        err << "text: no language " << language << "; languages are numbered 1 to "
            << ks::kTextLanguageCount << '\n';
        return 1;
    }
    ks::CTextTable table;
    *ctx.out << ks::formatTextEntry(table.lookup(number, language));
    return 0;
}

const ks::cli::CliCommandRegistration reg{"text", "text N [--lang L]", &runText};

} // namespace
