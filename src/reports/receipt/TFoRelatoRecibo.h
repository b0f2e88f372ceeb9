#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "reports/receipt/TDadosRecibo.h"

class TBanda;
class TRelatorio;
struct TRecepcao;

// The delivery receipt ("RECIBO DE ENTREGA"): the report QRRelatoRecibo with its bands, top to
// bottom: the title QRBand1 (authority, year, type, declarant), the rows of establishments and
// funds QRBandEstabes under the funds' title QRBTitFundo, the summary QRBExtrato with its child
// bands QRBand4 (the responsible person), CBObservacao (the notes of a certified receipt) and
// CBAssinatura (the access code and the reception stamp), and the page footer QRBand2. The
// receipt is only ever printed, never previewed.
class TFoRelatoRecibo final {
public:
    static constexpr char Nome[] = "FoRelatoRecibo";

    TFoRelatoRecibo();
    ~TFoRelatoRecibo();
    TFoRelatoRecibo(const TFoRelatoRecibo&) = delete;
    TFoRelatoRecibo& operator=(const TFoRelatoRecibo&) = delete;

    [[nodiscard]] TRelatorio& QRRelatoRecibo() { return *FRelatorio; }

    // Fills every label from the receipt data, starts the rows of establishments and funds
    // again, hides the reception stamp and the notes, and takes the default printer's paper.
    void Preenche(const TDadosRecibo& dados);
    // A certified receipt: the reception note, date, receipt number and control number of the
    // access block; the notes too from calendar year "2002" on.
    void MostraRecepcao(const TRecepcao& recepcao);

    // Counts the pages, then prints on the default printer. A missing or refusing printer is
    // told to the user (messages 161 and 159); false then.
    bool Imprime();

    // The notes of a certified receipt received on that date.
    [[nodiscard]] static QStringList Observacoes(const QDate& recepcao);

private:
    void CriaTitulo();
    void CriaEstabelecimentos();
    void CriaExtrato();
    void CriaResponsavel();
    void CriaObservacao();
    void CriaAssinatura();
    void CriaRodape();
    void MostraObservacao(bool mostra);
    [[nodiscard]] const TLinhaEstabelecimentos* LinhaAtual() const;

    std::unique_ptr<TRelatorio> FRelatorio;
    TBanda* FTitulo = nullptr;
    TBanda* FEstabes = nullptr;
    TBanda* FExtrato = nullptr;
    TBanda* FResponsavel = nullptr;
    TBanda* FObservacao = nullptr;
    TBanda* FAssinatura = nullptr;
    TBanda* FRodape = nullptr;

    QString FAno;
    std::vector<TLinhaEstabelecimentos> FLinhas;
    int FLinha = -1;   // the row being printed
};
