#pragma once

#include <QIcon>
#include <QString>

namespace ks::gui {

// The icon buttons of a parameter dialog.
enum class ParameterButton { Print, Compare, Save, Transfer, Ok };

// Their icons, drawn by the program (no theme needed), and the tip that names each in a
// language (1 French .. 5 Spanish): the text table has no caption for icon buttons.
QIcon parameterButtonIcon(ParameterButton button);
QString parameterButtonTip(ParameterButton button, int language);

} // namespace ks::gui
