#include "shell/ModemDlg.h"

#include "app/DesktopApp.h"
#include "app/ModemSettings.h"
#include "app/QtText.h"
#include "link/JBusLink.h"
#include "link/ModemCommands.h"
#include "link/ModemOutcome.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ks::gui {

namespace {

constexpr int kProgressTicks = 120; // 500 ms each: the minute a dial may take
constexpr int kTickMs = 500;

QString cancelText(int language) {
    static const char* const kCancel[] = {"Annuler", "Cancel", "Cancelar", "Abbrechen", "Cancelar"};
    return QString::fromUtf8(kCancel[std::clamp(language, 1, 5) - 1]);
}

} // namespace

CModemDlg::CModemDlg(Mode mode, ks::CJBusLink& link, QWidget* parent, ks::ModemTimeouts timeouts)
    : CDialogKS(kTemplate, parent), m_mode(mode), m_link(link), m_status(new QLabel(this)),
      m_progress(new QProgressBar(this)), m_cancel(new QPushButton(cancelText(language()), this)),
      m_timer(new QTimer(this)) {
    setCaption(text(mode == Mode::Connect ? ks::modemtext::kConnectCaption
                                          : ks::modemtext::kDisconnectCaption));
    const ComSettings c = app().connection(profile());
    m_port = c.portIndex + 1;
    m_baudIndex = c.baudIndex;
    m_commands = ks::readModemCommands(profile());
    m_job = std::make_unique<ks::CModemJob>(m_link, *this, language(), timeouts);

    m_status->setObjectName(QStringLiteral("control_%1").arg(kStatusControl));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumHeight(8 * fontMetrics().lineSpacing());
    m_progress->setObjectName(QStringLiteral("control_%1").arg(kProgressControl));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, kProgressTicks);
    m_cancel->setObjectName(QStringLiteral("control_%1").arg(kCancelControl));
    connect(m_cancel, &QPushButton::clicked, this, &CModemDlg::reject);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this,
            [this] { m_progress->setValue(std::min(m_progress->value() + 1, kProgressTicks)); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

CModemDlg::~CModemDlg() {
    m_job->cancel();
    m_job->wait();
}

QString CModemDlg::statusText() const {
    return m_status->text();
}

bool CModemDlg::timerRunning() const {
    return m_timer->isActive();
}

void CModemDlg::showEvent(QShowEvent* e) {
    CDialogKS::showEvent(e);
    if (!e->spontaneous() && !m_started) {
        m_started = true;
        QTimer::singleShot(0, this, [this] { start(); });
    }
}

void CModemDlg::start() {
    const int code =
        m_mode == Mode::Connect
            ? m_job->startConnect(m_port, m_baudIndex, m_commands.init, m_commands.dial)
            : m_job->startDisconnect(m_port, m_baudIndex, m_commands.hangUp);
    if (code != 0) {
        errorBox(ks::modemtext::kCannotOpenPort, ks::modemtext::kError);
        done(Rejected);
        return;
    }
    m_progress->setValue(0);
    m_timer->start();
}

void CModemDlg::modemStep(ks::CModemJob&, int step, const std::string& text) {
    // On the job's thread: the dialog deals with it on its own and then lets the job go on.
    QMetaObject::invokeMethod(
        this, [this, step, text] { onStep(step, text); }, Qt::QueuedConnection);
}

void CModemDlg::append(const std::string& text) {
    m_status->setText(m_status->text() + qtext(ks::modem::displayText(text)));
}

void CModemDlg::onStep(int step, const std::string& text) {
    append(text);
    const ks::ModemStepAction a = ks::modemStepAction(m_mode == Mode::Connect, step, text);
    if (a.stopTimer)
        m_timer->stop();
    if (a.resetProgress)
        m_progress->setValue(0);
    if (a.message != 0)
        app().prompts().message(utf8(this->text(a.message)), utf8(this->text(a.caption)),
                                CUserPrompts::Icon::Warning);
    m_job->acknowledge();
    using End = ks::ModemStepAction::End;
    switch (a.end) {
    case End::None:
        break;
    case End::Accept:
        finish(Accepted, a.waitMs);
        break;
    case End::Reject:
        finish(Rejected, a.waitMs);
        break;
    case End::HangUp:
        QTimer::singleShot(0, this, [this] { startHangUp(); });
        break;
    }
}

void CModemDlg::startHangUp() {
    m_job->wait();
    if (m_job->startDisconnect(m_port, m_baudIndex, m_commands.hangUp) != 0) {
        done(Rejected);
        return;
    }
    m_progress->setValue(0);
    m_timer->start();
}

void CModemDlg::finish(int result, int waitMs) {
    m_ending = true;
    m_cancel->setEnabled(false);
    QTimer::singleShot(waitMs, this, [this, result] {
        m_job->wait();
        done(result);
    });
}

void CModemDlg::reject() {
    if (m_ending)
        return;
    m_timer->stop();
    m_job->cancel();
    m_job->wait();
    CDialogKS::reject();
}

} // namespace ks::gui
