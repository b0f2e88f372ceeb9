#pragma once
#include <QLabel>

// The link to the maker's web site of the assistants' pages: the address underlined, with the
// hand cursor, navy, blue while the mouse is over it; a left click opens the site in the web
// browser.
class TRotuloSitio final : public QLabel {
    Q_OBJECT
public:
    static const QColor Cor;
    static const QColor CorAtiva;

    explicit TRotuloSitio(QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* evento) override;
    void leaveEvent(QEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void Pinta(const QColor& cor);
};
