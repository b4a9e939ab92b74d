#include "app/DialogCatalogue.h"

namespace ks::gui {

// One entry per dialog the menus open, for example
//     catalogue.add(
//         DialogKind::Measurement,
//         [](const DialogRequest& r) {
//             return std::make_unique<CMeasureDlg>(r.mode, *r.link, r.parent);
//         },
//         "mes");
// The device dialogs, the options dialog and the modem dialog are not in the program yet;
// their menu commands do nothing until they are added here.
void installProgramDialogs(CDialogCatalogue& catalogue) {
    (void)catalogue;
}

} // namespace ks::gui
