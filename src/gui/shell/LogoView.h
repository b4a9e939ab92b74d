#pragma once

#include <QImage>
#include <QWidget>

namespace ks::gui {

// The picture that fills the main window: the built-in one, a customer logo at the top-left
// corner, or nothing (a customer logo was set up once but cannot be shown).
class CLogoView : public QWidget {
    Q_OBJECT

public:
    explicit CLogoView(QWidget* parent = nullptr);

    void showBuiltIn();
    // An empty image leaves the view blank.
    void showCustom(const QImage& logo);

    bool showsBuiltIn() const { return m_builtIn; }
    const QImage& custom() const { return m_custom; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_builtIn = true;
    QImage m_custom;
};

} // namespace ks::gui
