// ident: the meter's identification block, one "name: value" line per field.
#include "CliCommand.h"
#include "framework/Identification.h"
#include "link/JBusLink.h"

#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

int runIdent(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "usage: ident\n";
        return 2;
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    Bytes data;
    const int code = link->transaction(ctx.options.slave, 3, Identification::kBlockCode,
                                       Identification::kRegisterCount, data, 2);
    if (code != 0)
        return reportFailure(ctx, code);
    Identification id;
    if (!decodeIdentification(data, id)) {
        *ctx.err << "identification block too short\n";
        return 1;
    }
    std::ostream& o = *ctx.out;
    o << "slave: " << id.slave << "\n";
    o << "device code: " << id.deviceCode << "\n";
    o << "serial week: " << id.serialWeek << "\n";
    o << "serial year: " << id.serialYear << "\n";
    o << "serial unit: " << id.serialUnit << "\n";
    o << "serial number: " << id.serialNumber() << "\n";
    o << "firmware: " << id.firmware << "\n";
    o << "description: " << id.description << "\n";
    return 0;
}

const CliCommandRegistration reg{"ident", "ident", &runIdent};

} // namespace
} // namespace ks::cli
