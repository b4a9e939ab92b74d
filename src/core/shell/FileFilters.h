#pragma once

#include <string>
#include <vector>

// Filters of the main window's file dialogs, in the "Title (*.a;*.b)" form of CUserPrompts.
namespace ks::filefilter {

// Open: "Fichier (*.eta; *.mes; ...)", one filter listing the files of every dialog kind.
std::string openAny(const std::string& title, const std::vector<std::string>& extensions);

// Save all: "Fichier (*.eta;*.sa;...)".
std::string saveAll(const std::string& title, const std::vector<std::string>& extensions);

// The index of the extension the file name ends with ("x.mes" matches "mes"; compared as
// text), -1 when none does. Only the file name's own extension counts.
int matchingExtension(const std::string& path, const std::vector<std::string>& extensions);

// The path with the extension of its file name replaced (or added).
std::string withExtension(const std::string& path, const std::string& extension);

} // namespace ks::filefilter
