#pragma once
#include <QBrush>
#include <QColor>

#include "platform/report/elements/TElementoRelatorio.h"

enum class TTipoForma {
    Retangulo,
    LinhaHorizontal,   // across the element, halfway down
    LinhaVertical,     // down the element, halfway across
};

// A frame or a rule.
class TForma final : public TElementoRelatorio {
public:
    explicit TForma(QString nome, TTipoForma tipo = TTipoForma::Retangulo)
        : TElementoRelatorio(std::move(nome))
        , Tipo(tipo)
    {}

    TTipoForma Tipo;
    qreal Espessura = 1;   // of the pen, in units
    QColor Cor = Qt::black;
    QBrush Preenchimento = Qt::NoBrush;

    void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const override;
    void Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                  const TContextoImpressao& contexto) const override;
};
