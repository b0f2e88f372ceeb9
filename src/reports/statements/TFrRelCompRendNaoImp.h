#pragma once
#include <QString>
#include <memory>

#include "platform/files/TArquivoTexto.h"

class TBanda;
class TRelatorio;

// The report "Comprovantes de Rendimentos Não Impressos": the beneficiaries of the list file
// ImprComp.err (one "number;name" per line; lines without ";" are passed over), under the
// declarant's number, with the instructions to fix their deductions. A4 portrait; nothing is
// printed for an empty list.
class TFrRelCompRendNaoImp final {
public:
    static constexpr char Nome[] = "FoRelComprRendNaoImp";

    // Ni: the declarant's formatted number; Quantidade: the lines the list holds.
    TFrRelCompRendNaoImp(const QString& Ni, bool Preview, int Quantidade);
    ~TFrRelCompRendNaoImp();
    TFrRelCompRendNaoImp(const TFrRelCompRendNaoImp&) = delete;
    TFrRelCompRendNaoImp& operator=(const TFrRelCompRendNaoImp&) = delete;

    [[nodiscard]] TRelatorio& QuickRep1() { return *FRelatorio; }

    // Opens the list file for reading; false when it cannot be opened and the user gave up.
    bool Abre(const QString& Arquivo);
    // Printed on the default printer, or previewed.
    void Executa();

private:
    void AntesDeGerar();
    bool PrecisaDados();
    void CriaBandas();

    std::unique_ptr<TRelatorio> FRelatorio;
    TBanda* FCabecalho = nullptr;
    TBanda* FDetalhe = nullptr;
    QString FNi;
    bool FPreview;
    int FQuantidade;
    int FLidas = 0;
    TArquivoTexto FArquivo;
};

// Prints or previews the list file ImprComp.err of the last statements job.
void ImprimeRelatoComprNaoImpress(const QString& Ni, bool Preview, int Quantidade);
