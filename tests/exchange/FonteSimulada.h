#pragma once
#include <QStringList>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "exchange/delivery/IFonteEntrega.h"
#include "exchange/delivery/TPedidoGeracao.h"

// Declarations kept in memory for the writer of the delivery file, with what it recorded.
class FonteSimulada final : public IFonteEntrega {
public:
    struct Declaracao {
        TDeclaracaoEntrega Dados;
        std::vector<TItemEntrega> Itens;
        std::vector<std::pair<TAnexoEntrega, std::vector<TItemEntrega>>> Anexos;
    };

    std::vector<Declaracao> Declaracoes;            // the first is the open one
    std::map<QString, std::uint8_t> ErrosGeracao;   // by number: the error that setting the establishment gives
    QStringList Registros;                          // "geracao|volumes ano ni ..." in the order recorded
    std::function<void()> AoRegistrarGeracao;       // runs between the writing and the packing
    std::function<void(int)> AoLerItem;             // with the count of items read so far

    TDeclaracaoEntrega Aberta() override { return Declaracoes.at(0).Dados; }
    bool Carrega(const QString& Ano, const QString& Ni, TDeclaracaoEntrega& Destino) override;
    std::vector<TAnexoEntrega> Anexos(const TDeclaracaoEntrega& Declaracao) override;
    void AbreItens(const TDeclaracaoEntrega& Declaracao, const TAnexoEntrega* Anexo) override;
    bool ProximoItem(TItemEntrega& Item) override;
    void FechaItens() override { FItens = nullptr; }
    std::unique_ptr<TErro> RegistraGeracao(const QString& Ano, const QString& Ni, const QString& Raiz,
                                           const QDateTime& Data, int Estabelecimentos) override;
    void RegistraVolumes(const QString& Ano, const QString& Ni, int Volumes) override;
    void DesfazRegistros() override { Registros << QStringLiteral("desfeito"); }
    // The date of the last generation recorded for the year and not taken back (its seconds
    // since 1970), 0 before any: the open declaration counts as stored.
    std::optional<double> DataGravada(const QString& Ano, const QString& Ni) override;

private:
    Declaracao* Procura(const QString& Ano, const QString& Ni);

    const std::vector<TItemEntrega>* FItens = nullptr;
    std::size_t FProximo = 0;
    int FLidos = 0;
};

// Items built month by month, amounts in ten-thousandths.
struct ItemSimulado : TItemEntrega {
    ItemSimulado(const char* Codigo, const char* Ni, const char* Nome);
    ItemSimulado& Em(TSerie Serie, int De, int Ate, qint64 Valor);
    ItemSimulado& Em(TSerie Serie, int Mes, qint64 Valor) { return Em(Serie, Mes, Mes, Valor); }
};
constexpr qint64 Reais(qint64 Centavos)
{
    return Centavos * 100;
}   // in cents, for the amounts

// The four declarations of the golden files under tests/data/declar, with the keys to write.
struct Cenario {
    FonteSimulada Fonte;
    QStringList Chaves;
    QString Uf;
    QString Recibo;

    // The writing of the keys to Volume, Registros lines expected.
    [[nodiscard]] TPedidoGeracao Pedido(const TVolume& Volume, int Registros = 10) const;
};
Cenario PessoaFisica();
Cenario EmpresaDoisEstabelecimentos();
Cenario Retificadora();
Cenario AdministradoraDeFundos();
