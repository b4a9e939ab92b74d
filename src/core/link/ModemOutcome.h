#pragma once

#include <string>

namespace ks {

// What the modem dialog does with each step the dialler reports. The desktop dialog and the
// command line follow the same table.
struct ModemStepAction {
    enum class End {
        None,   // the run goes on
        Accept, // the dialog ends with OK (connected, or hung up)
        Reject, // the dialog ends with cancel
        HangUp, // the call is in a state nobody knows: run the hang-up sequence
    };
    bool stopTimer = false;
    bool resetProgress = false;
    int message = 0; // text number of a message for the user, 0 for none
    int caption = 0; // its caption's text number
    int waitMs = 0;  // pause before the dialog ends
    End end = End::None;
};

// connectMode: the dialog was opened to dial (a hang-up there follows a failed call).
ModemStepAction modemStepAction(bool connectMode, int step, const std::string& reply);

// Texts of the modem dialog.
namespace modemtext {
inline constexpr int kConnectCaption = 285;    // "Connexion au modem"
inline constexpr int kDisconnectCaption = 286; // "Déconnexion du modem"
inline constexpr int kInitFailed = 122;        // "Connexion échouée ! ..."
inline constexpr int kBusy = 220;              // "Ligne occupée !..."
inline constexpr int kNoDialtone = 227;        // "Pas de tonalité !..."
inline constexpr int kConnectFailed = 229;     // "La connexion a échouée !"
inline constexpr int kDisconnectFailed = 230;  // "La déconnexion a échouée !"
inline constexpr int kCannotOpenPort = 124;    // "Impossible d'ouvrir le port Com !"
inline constexpr int kError = 119;             // "Erreur"
inline constexpr int kWarning = 8;             // "Attention"
} // namespace modemtext

} // namespace ks
