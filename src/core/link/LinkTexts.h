#pragma once

namespace ks {

// What the program says when the serial port goes away and when it is back, in the
// program's languages (1 French, 2 English, 3 Portuguese, 4 German, 5 Spanish; any other
// number gives English). Static strings.
const char* portLostText(int language);
const char* portBackText(int language);

} // namespace ks
