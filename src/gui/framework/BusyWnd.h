#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace ks::gui {

class CButtonKS;

// The small window a device dialog shows while it talks to the meter: a text, a progress bar
// (hidden until a range is set), a "Transfert" button and a hidden "Exit" button. It stays
// above the other windows; clicks on its buttons, except "Transfert", reach the owner dialog
// as WM_USER_CBUTTONKS_CLICK with the button's control id.
class CBusyWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTemplate = 136;
    static constexpr int kTextControl = 1575;
    static constexpr int kProgressControl = 1581;
    static constexpr int kExitControl = 1604;
    static constexpr int kTransferControl = 1606;

    // owner: the dialog that gets the clicks; the window is a top-level of its own.
    explicit CBusyWnd(QWidget* owner);

    void setText(const QString& text);
    QString text() const;
    // Shows the bar with range 0..n at position 0.
    void setRange(int n);
    void step(int k);
    QProgressBar* progressBar() const { return m_progress; }
    CButtonKS* button(int control) const;

protected:
    bool event(QEvent* event) override;

private:
    QPointer<QWidget> m_owner;
    QLabel* m_text;
    QProgressBar* m_progress;
    CButtonKS* m_transfer;
    CButtonKS* m_exit;
};

} // namespace ks::gui
