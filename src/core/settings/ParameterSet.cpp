#include "settings/ParameterSet.h"

#include "app/UserPrompts.h"
#include "framework/Identification.h"
#include "i18n/TextTable.h"
#include "settings/BlockParameters.h"
#include "settings/CalibrationParameters.h"
#include "settings/OemParameters.h"
#include "settings/ProbeFileParameters.h"
#include "settings/SettingsTexts.h"
#include "settings/SheetParameters.h"

#include <array>

namespace ks {

namespace {

struct KindRow {
    ParameterKind kind;
    int kindText;
    int caption;
};

// Kind texts and captions of the dialogs.
constexpr std::array<KindRow, 8> kKinds{{
    {ParameterKind::Settings, 129, 300},     // "Fichier Paramétrage|eta", "Paramétrage"
    {ParameterKind::Calibration, 130, 300},  // "...|etaBio"
    {ParameterKind::Factory, 136, 303},      // "Fichier Réglage Usine|rus", "Réglage usine"
    {ParameterKind::Outputs, 134, 304},      // "...|sa", "Réglages des sorties courant"
    {ParameterKind::SpecialProbe, 137, 270}, // "...|sp", "Sonde spéciale"
    {ParameterKind::Special, 135, 302},      // "...|rsp", "Réglage Spécial"
    {ParameterKind::Oem, 132, 296},          // "Fichier OEM|dev", "OEM"
    {ParameterKind::Echo, 128, 290},         // "Fichier ESC|esc", "Info ESC"
}};

const KindRow& rowOf(ParameterKind kind) {
    for (const KindRow& r : kKinds)
        if (r.kind == kind)
            return r;
    return kKinds[0];
}

std::string extensionOfText(const std::string& kindText) {
    const auto bar = kindText.rfind('|');
    return bar == std::string::npos ? std::string() : kindText.substr(bar + 1);
}

} // namespace

int kindTextOf(ParameterKind kind) {
    return rowOf(kind).kindText;
}

int CParameterSet::kindText() const {
    return rowOf(kind()).kindText;
}

int CParameterSet::captionText() const {
    return rowOf(kind()).caption;
}

std::string kindExtension(ParameterKind kind, int language) {
    CTextTable texts;
    return extensionOfText(texts.text(kindTextOf(kind), language));
}

std::optional<ParameterKind> kindOfExtension(const std::string& extension) {
    if (extension.empty())
        return std::nullopt;
    // Any language's extension opens its kind: a special probe file is "sp" or "ssp".
    for (const KindRow& r : kKinds)
        for (int language = 1; language <= 5; ++language)
            if (kindExtension(r.kind, language) == extension)
                return r.kind;
    return std::nullopt;
}

std::optional<ParameterKind> kindOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    return kindOfExtension(path.substr(dot + 1));
}

const std::vector<ParameterKind>& saveAllKinds() {
    static const std::vector<ParameterKind> kinds{ParameterKind::Settings, ParameterKind::Factory,
                                                  ParameterKind::Outputs, ParameterKind::Special,
                                                  ParameterKind::Oem};
    return kinds;
}

int CParameterSet::readFromMeter(CBlockExchange& meter) {
    beforeValues();
    if (const int r = meter.readBlock(Identification::kBlockCode); r != 0)
        return r;
    for (int block : readOrder())
        if (const int r = meter.readBlock(block); r != 0)
            return r;
    afterRead();
    return 0;
}

ParameterFileResult CParameterSet::load(const std::string& path) {
    beforeValues();
    ParameterFileResult r = loadParameterFile(path, blocks(), fileOrder(), firmwareField());
    // A refused file changed no field; the rules still run on what the dialog shows.
    if (r.ok())
        afterLoad();
    else
        refresh();
    return r;
}

ParameterFileResult CParameterSet::save(const std::string& path, const CalendarTime& now) {
    commitEdits();
    CTextTable texts;
    return saveParameterFile(path, texts.text(captionText(), fields().language()), blocks(),
                             fileOrder(), now);
}

bool CParameterSet::confirmed(CUserPrompts& prompts, bool ask) {
    if (!ask)
        return true;
    CTextTable texts;
    // Captioned "Attention" as every other transfer question of the program.
    return prompts.question(texts.text(settings::text::kTransferQuestion, fields().language()),
                            texts.text(settings::text::kCaution, fields().language())) ==
           CUserPrompts::Answer::Yes;
}

TransferOutcome CParameterSet::writeBlocks(CBlockExchange& meter, const std::vector<int>& order) {
    return writeBlocksInOrder(meter, order);
}

TransferOutcome CParameterSet::transfer(CBlockExchange& meter, CUserPrompts& prompts,
                                        const CalendarTime&, bool ask) {
    if (!writable()) {
        TransferOutcome out;
        out.status = TransferOutcome::Status::WriteFailed;
        return out;
    }
    if (!confirmed(prompts, ask)) {
        TransferOutcome out;
        out.status = TransferOutcome::Status::Declined;
        return out;
    }
    commitEdits();
    return writeBlocks(meter, writeOrder());
}

std::unique_ptr<CParameterSet> makeParameterSet(ParameterKind kind, const ParameterContext& context,
                                                CFieldList* dialogFields) {
    switch (kind) {
    case ParameterKind::Settings:
        return std::make_unique<CSheetParameters>(context);
    case ParameterKind::Calibration:
        return std::make_unique<CCalibrationParameters>(context, dialogFields);
    case ParameterKind::SpecialProbe:
        return std::make_unique<CProbeFileParameters>(context.language, dialogFields);
    case ParameterKind::Oem:
        return std::make_unique<COemParameters>(context.language, dialogFields);
    case ParameterKind::Factory:
    case ParameterKind::Outputs:
    case ParameterKind::Special:
    case ParameterKind::Echo:
        return std::make_unique<CBlockParameters>(kind, context.language, dialogFields);
    }
    return nullptr;
}

} // namespace ks
