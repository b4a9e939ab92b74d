#pragma once

#include <QFont>
#include <QWidget>

namespace ks::gui {

// A text that paints itself on a transparent background, in the toolkit's default sans-serif
// face at 8 points, laid out by its stored flags (Qt::Alignment and Qt::TextFlag bits).
class CPaintedText : public QWidget {
    Q_OBJECT
public:
    explicit CPaintedText(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    int textFlags() const { return m_flags; }
    void setTextFlags(int flags);

    // The face every painted text uses.
    static QFont paintFont();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    int m_flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
};

} // namespace ks::gui
