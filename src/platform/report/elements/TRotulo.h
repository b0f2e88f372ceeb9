#pragma once
#include <QColor>
#include <QFont>

#include "platform/report/elements/TElementoRelatorio.h"

// One line of text. With AutoTamanho the text is never cut: it runs from Esquerda (left
// alignment), ends at Esquerda + Largura (right) or centres on the element (centre). Without
// it the text is kept inside the element's rectangle: what does not fit its width is dropped
// between characters (never inside a letter), and it is cut at its height.
class TRotulo : public TElementoRelatorio {
public:
    explicit TRotulo(QString nome);

    QString Texto;
    QFont Fonte;   // TFonte::Padrao() unless set
    Qt::Alignment Alinhamento = Qt::AlignLeft;
    bool AutoTamanho = true;
    QColor Cor = Qt::black;

    // What prints: Texto here; data and system texts compute it.
    [[nodiscard]] virtual QString TextoImpresso(const TContextoImpressao& contexto) const;

    // What prints inside the element: TextoImpresso, cut to the width without AutoTamanho.
    [[nodiscard]] QString TextoNoRotulo(const TContextoImpressao& contexto) const;

    void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const override;
    void Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                  const TContextoImpressao& contexto) const override;
};
