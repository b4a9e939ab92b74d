#pragma once

#include "app/FlowApp.h"
#include "shell/ShellMessage.h"

#include <string>

namespace ks {

// The file dialogs' filter for configuration files: the program's short name is their
// extension. In the "Title (*.a;*.b)" form of CUserPrompts.
std::string configurationFileFilter(const std::string& shortName);

// "Save configuration as": copies the current configuration file to the path the user chose
// and makes the copy current (remembered in last.cfg). Returns the message to show:
//   - the chosen file is the current one: 115, nothing else happens;
//   - the chosen file cannot be opened for writing: 112, nothing else happens;
//   - the copy fails: the default configuration becomes current, 116.
// An existing file at the chosen path is replaced in one step, so a failed copy leaves it
// as it was.
ShellMessage saveConfigurationAs(CFlowApp& app, const std::string& chosenPath);

// Whether two paths name the same file (the same text once made absolute and normal, or
// the same file on disk through a link).
bool isSameFile(const std::string& a, const std::string& b);

} // namespace ks
