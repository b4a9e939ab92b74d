#pragma once

// Numbers of the texts the device services show.
namespace ks::devicetext {

inline constexpr int kNoAnswer = 118; // "Connexion impossible ! L'appareil ne répond pas !"
inline constexpr int kError = 119;    // caption "Erreur"
inline constexpr int kFirmwareMismatch = 120; // "Version du firmware n'est pas compatible ..."
inline constexpr int kCannotOpenPort = 124;   // "Impossible d'ouvrir le port Com !"
inline constexpr int kRecording = 108;        // "Enregistrement"

} // namespace ks::devicetext
