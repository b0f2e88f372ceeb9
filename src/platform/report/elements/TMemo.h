#pragma once
#include <QColor>
#include <QFont>
#include <QStringList>

#include "platform/report/elements/TElementoRelatorio.h"

// Several lines of text in a rectangle, broken between words at its width. Without Estica the
// lines that do not fit in Altura are cut; with it the band grows to hold them all.
class TMemo final : public TElementoRelatorio {
public:
    explicit TMemo(QString nome);

    QStringList Linhas;
    QFont Fonte;   // TFonte::Padrao() unless set
    Qt::Alignment Alinhamento = Qt::AlignLeft;
    bool QuebraLinha = true;
    bool Estica = false;
    QColor Cor = Qt::black;

    // The lines as they print.
    [[nodiscard]] QStringList LinhasImpressas() const;
    // Height of the text broken at Largura with Fonte: lines times the line height.
    [[nodiscard]] qreal AlturaMedida() const;

    [[nodiscard]] qreal AlturaEsticada(const TContextoImpressao& contexto) const override;
    void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const override;
    void Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                  const TContextoImpressao& contexto) const override;
};
