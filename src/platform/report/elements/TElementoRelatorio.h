#pragma once
#include <QDateTime>
#include <QPointF>
#include <QString>
#include <utility>
#include <vector>

#include "platform/report/pages/TDesenhoPagina.h"

class QPainter;

// What an element may print besides its own contents.
struct TContextoImpressao {
    int Pagina = 0;         // number of the page being printed, from 1
    int TotalPaginas = 0;   // pages counted by the report's last Prepara; 0 when none
    QDateTime DataHora;     // when the generation started
};

// Something printed on a band. Positions are in report units from the band's top-left corner.
class TElementoRelatorio {
public:
    explicit TElementoRelatorio(QString nome)
        : FNome(std::move(nome))
    {}
    virtual ~TElementoRelatorio() = default;
    TElementoRelatorio(const TElementoRelatorio&) = delete;
    TElementoRelatorio& operator=(const TElementoRelatorio&) = delete;

    [[nodiscard]] const QString& Nome() const { return FNome; }

    qreal Esquerda = 0;
    qreal Topo = 0;
    qreal Largura = 0;
    qreal Altura = 0;
    bool Habilitado = true;   // a disabled element prints nothing and stretches nothing

    // How far below the band's top the element reaches when it makes its band grow; 0 when
    // it does not.
    [[nodiscard]] virtual qreal AlturaEsticada(const TContextoImpressao& contexto) const;

    // origem: the band's top-left corner on the page.
    virtual void Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const = 0;
    // Adds what Desenha draws, as it draws it, for a watcher of the pages (TRegistroDesenho).
    virtual void Registra(std::vector<TTracoDesenhado>& tracos, QPointF origem,
                          const TContextoImpressao& contexto) const = 0;

private:
    QString FNome;
};
