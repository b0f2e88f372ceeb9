#pragma once
#include <optional>
#include <memory>

#include "exchange/delivery/IFonteEntrega.h"
#include "model/declaration/TPruv.h"
#include "model/values/TErro.h"

class TAnexoFC;
class TColecaoPruv;
class TColecaoPruvItem;
class TPruvItem;

// The stored declarations of the model as the writer of the delivery file reads them: loaded
// through the declarations collection into a working declaration with a sink of its own, items
// read one at a time in withholding-code order, so that memory does not grow with their number.
class TFontePruv final : public IFonteEntrega {
public:
    // Both outlive the source. Aberta is the declaration open in the program.
    TFontePruv(TPruv& Aberta, TColecaoPruv& Colecao);
    ~TFontePruv() override;

    TDeclaracaoEntrega Aberta() override { return Dados(FAberta); }
    bool Carrega(const QString& Ano, const QString& Ni, TDeclaracaoEntrega& Destino) override;
    std::vector<TAnexoEntrega> Anexos(const TDeclaracaoEntrega& Declaracao) override;
    void AbreItens(const TDeclaracaoEntrega& Declaracao, const TAnexoEntrega* Anexo) override;
    bool ProximoItem(TItemEntrega& Item) override;
    void FechaItens() override;
    std::unique_ptr<TErro> RegistraGeracao(const QString& Ano, const QString& Ni, const QString& RaizEstabelecimento,
                                           const QDateTime& Data, int Estabelecimentos) override;
    void RegistraVolumes(const QString& Ano, const QString& Ni, int Volumes) override;
    void DesfazRegistros() override;
    std::optional<double> DataGravada(const QString& Ano, const QString& Ni) override;
    // The same read from the program's database by a collection of its own, for whoever holds
    // no source. Raises the database's errors.
    [[nodiscard]] static std::optional<double> DataGravadaNoBanco(const QString& Ano, const QString& Ni);

    [[nodiscard]] static TDeclaracaoEntrega Dados(TPruv& Declaracao);
    static void Dados(const TPruvItem& Item, TItemEntrega& Destino);

private:
    // Loads the stored declaration of that year and number into Destino (cleared first).
    bool CarregaEm(TPruv& Destino, const QString& Ano, const QString& Ni);
    // The working declaration holds Declaracao.
    void Trabalha(const TDeclaracaoEntrega& Declaracao);
    // Lets the funds' owner, items and item go, before the working declaration is loaded again.
    void LiberaFundo();

    TPruv& FAberta;           // not owned
    TColecaoPruv& FColecao;   // not owned
    TErros FErros;
    TPruv FTrabalho;
    // The funds' owner, items and item, kept from fund to fund of the working declaration.
    std::unique_ptr<TAnexoFC> FFundo;
    std::unique_ptr<TColecaoPruvItem> FItensFundo;
    std::unique_ptr<TPruvItem> FItemFundo;
    std::unique_ptr<TPruvItem> FProprio;   // the item of the declaration's own walk
    TColecaoPruvItem* FItens = nullptr;    // the open walk's
    TPruvItem* FItem = nullptr;            // the open walk's
    // The open declaration's generation as it was before the first record, to take it back.
    struct TGeracaoAnterior {
        QString Estabelecimento;
        double Data = 0;
        int Estabelecimentos = 0;
        int Volumes = 0;
    };
    std::optional<TGeracaoAnterior> FAnterior;
};
