#include "measurement/ExportTexts.h"

#include <array>

namespace ks {

namespace {

using Row = std::array<const char*, 5>;

// French, English, Portuguese, German, Spanish.
constexpr Row kTexts[] = {
    {"Classeur", "Workbook", "Pasta de trabalho", "Arbeitsmappe", "Libro"},
    {"Nombre d'échantillons", "Number of samples", "Número de amostras", "Anzahl der Messwerte",
     "Número de muestras"},
    {"Durée", "Duration", "Duração", "Dauer", "Duración"},
    {"Mesures", "Measurements", "Medições", "Messwerte", "Medidas"},
    {"Synthèse", "Summary", "Resumo", "Zusammenfassung", "Resumen"},
    {"Export en cours : ", "Exporting: ", "Exportação em curso: ", "Export läuft: ",
     "Exportando: "},
    {"Fichier enregistré : ", "File saved: ", "Arquivo gravado: ", "Datei gespeichert: ",
     "Fichero guardado: "},
    {"Aucun tableur n'est installé pour l'ouvrir.",
     "No spreadsheet program is installed to open it.",
     "Nenhuma planilha está instalada para abri-lo.",
     "Kein Tabellenprogramm ist installiert, um sie zu öffnen.",
     "No hay ninguna hoja de cálculo instalada para abrirlo."},
};

} // namespace

std::string exportText(ExportText text, int language) {
    const auto& row = kTexts[static_cast<int>(text)];
    const int col = language >= 1 && language <= 5 ? language - 1 : 0;
    return row[static_cast<std::size_t>(col)];
}

} // namespace ks
