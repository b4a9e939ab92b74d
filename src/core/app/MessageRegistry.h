#pragma once

#include <string>

namespace ks {

// Registered window messages: a name (WM_NEW_TRAME, WM_USER_MENU_DIAL_MESURE,
// WM_USER_CEDITKS_ONCHANGE, ...) gets a number the first time it is registered and the same
// number every time after, in every part of the program. Numbers start at 0xC000 as the
// numbers of registered messages always did. Thread-safe.
int registerMessage(const std::string& name);

// The name of a registered number, empty when none.
std::string registeredMessageName(int number);

} // namespace ks
