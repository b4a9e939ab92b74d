#include "link/ModemOutcome.h"

#include "link/ModemCommands.h"
#include "link/ModemJob.h"

namespace ks {

namespace {

// The pause after a good answer, before the line is used.
constexpr int kSettleMs = 2000;

ModemStepAction failure(int message, ModemStepAction::End end = ModemStepAction::End::Reject) {
    ModemStepAction a;
    a.stopTimer = true;
    a.message = message;
    a.caption = modemtext::kWarning;
    a.end = end;
    return a;
}

} // namespace

ModemStepAction modemStepAction(bool connectMode, int step, const std::string& reply) {
    using End = ModemStepAction::End;
    ModemStepAction a;
    switch (step) {
    case modemstep::kInit:
        if (!modem::saysOk(reply))
            return failure(modemtext::kInitFailed);
        a.resetProgress = true;
        return a;
    case modemstep::kDial:
        switch (modem::dialReply(reply)) {
        case modem::DialReply::Connect:
            a.stopTimer = true;
            a.waitMs = kSettleMs;
            a.end = End::Accept;
            return a;
        case modem::DialReply::Busy:
            return failure(modemtext::kBusy);
        case modem::DialReply::NoDialtone:
            return failure(modemtext::kNoDialtone);
        case modem::DialReply::NoCarrier:
            return failure(modemtext::kConnectFailed);
        case modem::DialReply::Other:
            return failure(modemtext::kConnectFailed, End::HangUp);
        }
        return a;
    case modemstep::kEscape:
        if (!modem::saysOk(reply))
            return failure(modemtext::kDisconnectFailed);
        return a;
    case modemstep::kHangUp:
        if (!modem::saysOk(reply))
            return failure(modemtext::kDisconnectFailed);
        a.stopTimer = true;
        a.waitMs = kSettleMs;
        // After a failed call the hang-up only tidies up: the dialog still failed.
        a.end = connectMode ? End::Reject : End::Accept;
        return a;
    default:
        return a;
    }
}

} // namespace ks
