#pragma once
#include <QFont>
#include <QString>

class QPaintDevice;

// Fonts of the reports. Sizes are in report units (pixels at 96 per inch); the families the
// layouts name are taken to their metric-compatible free counterparts, so that text measures
// the same on every machine.
struct TFonte final {
    // "Arial" and the other sans-serif faces become "Liberation Sans", "Times New Roman"
    // "Liberation Serif", "Courier New" "Liberation Mono"; any other family stays as given.
    [[nodiscard]] static QString Familia(const QString& pedida);

    [[nodiscard]] static QFont Cria(const QString& familia, qreal tamanho, bool negrito = false, bool italico = false,
                                    bool sublinhado = false);
    [[nodiscard]] static QFont DePontos(const QString& familia, qreal pontos, bool negrito = false,
                                        bool italico = false, bool sublinhado = false);
    // Liberation Sans, 10 points: what an element shows unless the report sets its font.
    [[nodiscard]] static QFont Padrao();

    // Size in units of a font made by Cria or DePontos.
    [[nodiscard]] static qreal Tamanho(const QFont& fonte);

    // The device on which text is measured: the same resolution the pages are recorded at.
    [[nodiscard]] static const QPaintDevice& Dispositivo();
};
