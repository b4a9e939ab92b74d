#pragma once

#include "shell/FileFilters.h"

#include <string>
#include <vector>

namespace ks::shell {

// The extensions of every settings and recording file the program's dialogs write, whether or
// not their dialog is in this build. A dialog kind with files adds its extension here and in
// the program's dialog catalogue.
inline const std::vector<std::string>& documentExtensions() {
    static const std::vector<std::string> extensions = {"eta", "etaBio", "mes", "esc", "rus",
                                                        "rsp", "sa",     "sp",  "ssp", "dev"};
    return extensions;
}

// A path given on the command line is such a file, to be opened in its dialog: it must never
// become the configuration file (start-up would write program settings into it).
inline bool isDocumentPath(const std::string& path) {
    return filefilter::matchingExtension(path, documentExtensions()) >= 0;
}

} // namespace ks::shell
