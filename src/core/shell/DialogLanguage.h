#pragma once

#include "app/ProfileFile.h"

namespace ks {

// A dialog's language (1 French .. 5 Spanish) from [Language] Language of its configuration,
// which stores it from 0. A value outside the table's languages (a hand-edited file) gives
// French, the program's default, rather than a window without texts.
int dialogLanguage(const CProfileFile& configuration);

} // namespace ks
