#pragma once
#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>

class QPainter;

// A seven-segment display of 13 character cells, 16 pixels wide each from the left edge: the
// text is drawn from its last character, right to left; a digit fills a cell, a comma, point or
// minus sign is drawn in the cell of the digit to its left. In the error state it reads "Erro".
class TCLEDLabel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Celulas = 13;
    static constexpr int LarguraCelula = 16;

    explicit TCLEDLabel(QWidget* parent = nullptr);

    [[nodiscard]] int BorderGap() const { return FBorderGap; }
    void SetBorderGap(int valor);
    [[nodiscard]] const QColor& OnColor() const { return FOnColor; }
    void SetOnColor(const QColor& cor);
    [[nodiscard]] const QColor& OffColor() const { return FOffColor; }
    void SetOffColor(const QColor& cor);
    [[nodiscard]] const QColor& BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(const QColor& cor);
    [[nodiscard]] const QString& Texto() const { return FTexto; }
    void SetTexto(const QString& texto);
    [[nodiscard]] bool Erro() const { return FErro; }
    void SetErro(bool erro);

    // The seven segments a to g of a digit, bit 0 to bit 6; 0 for any other character.
    [[nodiscard]] static std::uint8_t Padrao(QChar digito);

    // Paints the display over a surface of the control's size.
    void Pinta(QPainter& p) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void DesenhaDigito(QPainter& p, int celula, std::uint8_t padrao) const;
    void DesenhaElemento(QPainter& p, int celula, int elemento, const QColor& cor) const;

    int FBorderGap = 1;
    QColor FOnColor = Qt::black;
    QColor FOffColor;
    QColor FBackGroundColor;
    QString FTexto = QStringLiteral("8");
    bool FErro = false;
};
