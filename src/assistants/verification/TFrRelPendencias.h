#pragma once
#include <QImage>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "platform/report/bands/TRelatorio.h"

class TDataSet;
class TFrPruvVerifica;
class TRotulo;
class TMemo;

// The pending-items report: the rows of the verification table, one detail line each, under the
// page header "Verificação de Pendências", and the totals of errors and warnings of the
// verification that wrote them. The code that starts a row's DESCRICAO chooses what prints: a
// declarant's or a fund's heading, a section heading (with a check mark when it has no pending
// item), or an error or a warning ("ERRO : " or "AVISO: " before it); a blank row prints nothing
// and a row of any other code prints as the row before it. A4 portrait, margins of 10 mm.
class TFrRelPendencias final {
public:
    // Characters of a row's text printed after its code.
    static constexpr int TamanhoTexto = 120;

    TFrRelPendencias();

    TRelatorio QrpPendencias{QStringLiteral("QrpPendencias")};
    TDataSet* Tabela = nullptr;                     // the rows to print; not owned
    const TFrPruvVerifica* Verificacao = nullptr;   // its counters are the totals; none: no totals
    bool Visualizando = false;                      // the report goes to the preview window

    // The program's picture at the page header's left.
    void DefineLogotipo(const QImage& Logotipo);

private:
    // A frame as wide as the band.
    void Moldura(TBanda& Banda, const QString& Nome, qreal Topo, qreal Altura);
    void CriaCabecalho();
    void CriaDetalhe();
    void CriaSumario();
    void CriaRodape();
    void QRBand1BeforePrint(TBanda& Banda);
    void PreencheTextos();
    void QRBand2BeforePrint(TBanda& Banda);
    [[nodiscard]] QString Descricao() const;

    bool FPrimeiro = true;                              // the next record asked for is the table's first
    std::vector<TElementoRelatorio*> FLarguraDaBanda;   // as wide as the paper leaves the bands
    std::vector<TElementoRelatorio*> FAteAMargem;       // from their left to the right margin
    // The row's texts and what each shows of the current row.
    std::vector<std::pair<TMemo*, std::function<QString()>>> FTextos;
};
