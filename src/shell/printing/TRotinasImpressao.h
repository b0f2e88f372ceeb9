#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QWidget;
class TColecaoPruv;
class TPruv;

// What the print assistant answered: its choice code (0 to 21), the delivery files whose
// receipts are to be printed (code 12) and the beneficiary's number (codes 18 and 19).
struct TPedidoImpressao {
    std::uint8_t Codigo = 0;
    QStringList Arquivos;
    QString Ni;
};

// The print assistant and the reports that the print command reaches; they belong to the layers
// above the shell, and the program hands them in. Visualiza: previewed, else printed.
struct TRotinasImpressao {
    // Runs the print assistant over the declaration (the open one when aberta, else an empty one)
    // and the stored declarations; fills the request.
    std::function<void(TPedidoImpressao& pedido, TPruv& pruv, TColecaoPruv& colecao, bool aberta, QWidget* dono)>
        ExecutaAssistRelatorios;
    std::function<void(const TPruv& pruv, TColecaoPruv& colecao, bool visualiza, bool analitico)>
        ImprimeRelatoBenefPorCodigo;
    std::function<void(const TPruv& pruv, TColecaoPruv& colecao, bool visualiza)> ImprimeRelatoListaBenef;
    std::function<void(TColecaoPruv& colecao, bool visualiza)> ImprimeRelatoGerencial;
    std::function<void(const TPruv& pruv, TColecaoPruv& colecao, bool visualiza)> ImprimeRelatoDeclaracao;
    // Every beneficiary's statement for an empty number.
    std::function<void(const TPruv& pruv, const QString& ni, bool visualiza)> ImprimeComprovantes;
    // The report of the open pending-items window; nothing when that window is not open.
    std::function<void(bool visualiza)> ImprimePendencias;
    std::function<void(const TPruv& pruv, TColecaoPruv& colecao, bool visualiza)> ImprimeRelatoTotalMensalCodigo;
    // The delivery receipt of each delivery file; jaGerado: the data folder's Recibo.ini is the
    // receipt data of nome, the delivery file just written (the print command's files are not).
    std::function<void(const QStringList& arquivos, bool jaGerado, const QString& nome)> ImprimeRecibo;
};

// Runs the report of the choice: 1 to 4 the totals by code (synthetic, analytic), 5 and 6 the
// beneficiary list, 7 and 8 the management list, 10 and 11 the declaration, 12 the receipts of the
// files chosen (then "Recibo.ini" of the data folder goes), 14 and 15 every statement and 18 and
// 19 one beneficiary's (only when the declaration's summary counts a beneficiary), 16 and 17 the
// pending items, 20 and 21 the monthly totals by code; the first code of each pair previews, the
// second prints. 0, 9, 13 and any other code do nothing; so does a report whose routine is missing.
void DespachaImpressao(const TPedidoImpressao& pedido, TPruv& pruv, TColecaoPruv& colecao,
                       const TRotinasImpressao& rotinas);
