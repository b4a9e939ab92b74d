#include "settings/SettingsTransfer.h"

#include "app/UserPrompts.h"
#include "framework/FieldListBlocks.h"
#include "framework/MeterDate.h"
#include "framework/ValueType.h"
#include "i18n/TextTable.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks {

namespace {
namespace id = settings::id;
namespace blk = settings::block;
namespace tx = settings::text;
} // namespace

std::uint32_t totaliserResetWord(bool resetFirst, bool resetSecond) {
    return (resetFirst ? 0x10000u : 0u) + (resetSecond ? 1u : 0u);
}

std::string applicationTypeName(int type, int language) {
    CTextTable texts;
    switch (type) {
    case settings::kTwoChords:
        return texts.text(tx::kTwoChordsName, language);
    case settings::kTwoPipes:
        return texts.text(tx::kTwoPipesName, language);
    default:
        return texts.text(tx::kOneChordName, language);
    }
}

std::string typeMismatchMessage(int meterType, int sheetType, int language) {
    CTextTable texts;
    return texts.text(tx::kConnectedUnit, language) + "=" +
           applicationTypeName(meterType, language) + "\n" + texts.text(tx::kFile, language) + "=" +
           applicationTypeName(sheetType, language);
}

CSettingsTransfer::CSettingsTransfer(CFieldList& fields, CSettingsRules& rules,
                                     CBlockExchange& meter, CUserPrompts& prompts)
    : m_fields(fields), m_rules(rules), m_meter(meter), m_prompts(prompts) {}

bool CSettingsTransfer::yes(int field) const {
    const CField* f = m_fields.find(field);
    return f != nullptr && f->listIndex() == 0; // "Oui" is the first entry
}

TransferOutcome CSettingsTransfer::run(const CalendarTime& now) {
    using Status = TransferOutcome::Status;
    TransferOutcome out;
    const int language = m_fields.language();
    SheetContext& ctx = m_rules.context();
    const bool installation = ctx.mode == sheetmode::kInstallation;
    CTextTable texts;

    if (!installation && m_prompts.question(texts.text(tx::kTransferQuestion, language), "") !=
                             CUserPrompts::Answer::Yes) {
        out.status = Status::Declined;
        return out;
    }

    if (ctx.mode == sheetmode::kFile || ctx.mode == sheetmode::kDefaults) {
        const int sheetType = m_rules.applicationType();
        // Keep what the sheet showed, so that a refused transfer leaves it as it was.
        CFieldListBlocks blocks(m_fields);
        const Bytes before = blocks.encodeBlock(blk::kMeasurement);
        if (m_meter.readBlock(blk::kMeasurement) != 0) {
            out.status = Status::ReadFailed;
            return out;
        }
        ctx.mode = sheetmode::kFile;
        const int meterType = m_rules.applicationType();
        if (meterType != sheetType) {
            blocks.decodeBlock(blk::kMeasurement, before);
            m_prompts.message(typeMismatchMessage(meterType, sheetType, language),
                              texts.text(tx::kCaution, language), CUserPrompts::Icon::Error);
            out.status = Status::TypeMismatch;
            return out;
        }
    }

    const CField* probeRef = m_fields.find(id::kProbeRef);
    const int probe = probeRef ? static_cast<int>(probeRef->number()) : -1;
    const bool special = ctx.mode == sheetmode::kFile && CProbeCatalogue::isSpecial(probe);
    if (special) {
        // The catalogue holds the special probe the settings name; the meter's factory block
        // takes it over.
        const CProbeCatalogue catalogue = CProbeCatalogue::fromFactoryFields(m_fields);
        if (m_meter.readBlock(blk::kFactory) != 0) {
            out.status = Status::ReadFailed;
            return out;
        }
        copySpecialProbe(catalogue, probe, m_fields);
    }

    if (yes(id::kSyncClock)) {
        if (CField* clock = m_fields.find(id::kClockToSet))
            clock->setText(std::to_string(dateNumberOf(valuetype::kMeterDate3, now)));
        out.order.push_back(blk::kClock);
    }
    if (special)
        out.order.push_back(blk::kFactory);
    out.order.push_back(blk::kMain);
    const std::uint32_t word =
        totaliserResetWord(yes(id::kResetTotaliser1), yes(id::kResetTotaliser2));
    if (word != 0) {
        if (CField* f = m_fields.find(id::kTotaliserWord))
            f->setNumber(word);
        out.order.push_back(blk::kTotaliser);
    }

    if (installation) {
        out.status = Status::Prepared;
        return out;
    }
    TransferOutcome written = writeOrder(out.order);
    return written;
}

TransferOutcome writeBlocksInOrder(CBlockExchange& meter, const std::vector<int>& order) {
    TransferOutcome out;
    out.order = order;
    for (int block : order) {
        if (meter.writeBlock(block) != 0) {
            out.status = TransferOutcome::Status::WriteFailed;
            out.failedBlock = block;
            return out;
        }
        out.written.push_back(block);
    }
    out.status = TransferOutcome::Status::Written;
    return out;
}

TransferOutcome CSettingsTransfer::writeOrder(const std::vector<int>& order) {
    return writeBlocksInOrder(m_meter, order);
}

} // namespace ks
