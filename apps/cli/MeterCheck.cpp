#include "MeterCheck.h"

#include "CliCommand.h"
#include "app/Version.h"
#include "framework/FirmwareCheck.h"
#include "framework/Identification.h"
#include "i18n/TextTable.h"
#include "link/JBusLink.h"

#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

int checkMeter(CliContext& ctx, CJBusLink& link, int language) {
    Bytes data;
    const int code = link.transaction(ctx.options.slave, 3, Identification::kBlockCode,
                                      Identification::kRegisterCount, data, 2);
    if (code != 0)
        return reportFailure(ctx, code);
    Identification id;
    if (!decodeIdentification(data, id)) {
        *ctx.err << "identification block too short\n";
        return 1;
    }
    if (!firmwareFits(id.firmware, version::versionPrefix())) {
        CTextTable texts;
        *ctx.err << firmwareMismatchText(texts, language, id.firmware, id.description) << "\n";
        return 1;
    }
    return 0;
}

} // namespace ks::cli
