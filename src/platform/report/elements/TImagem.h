#pragma once
#include <QImage>

#include "platform/report/elements/TElementoRelatorio.h"

// A picture. Its pixels are report units unless Estica fits it to the element's rectangle;
// it is cut at the rectangle either way.
class TImagem final : public TElementoRelatorio {
public:
    explicit TImagem(QString nome)
        : TElementoRelatorio(std::move(nome))
    {}

    QImage Imagem;
    bool Estica = false;
    bool Centraliza = false;

    void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const override;
    void Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                  const TContextoImpressao& contexto) const override;
};
