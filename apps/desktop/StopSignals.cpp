#include "StopSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ks::desktop {

namespace {

int g_pipe[2] = {-1, -1};

void onStopSignal(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t w = ::write(g_pipe[1], &b, 1);
}

} // namespace

void closeWindowsOnStopSignals() {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char buf[16];
        while (::read(g_pipe[0], buf, sizeof buf) > 0) {
        }
        // Each dialog ends its own work (a measurement stops its worker, a dial is cut
        // off); the main window's end hangs up the modem.
        for (int i = 0; i < 32; ++i) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible())
                break;
            dialog->reject();
        }
    });
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

} // namespace ks::desktop
