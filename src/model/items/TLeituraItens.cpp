#include "model/items/TLeituraItens.h"

#include <stdexcept>

TLeituraItens::TLeituraItens(std::shared_ptr<TDatabase> Banco, const QString& Selecao, QVariantList Parametros,
                             const QStringList& Ordem, std::vector<int> PosicoesOrdem)
    : FBanco(std::move(Banco))
    , FParametros(std::move(Parametros))
    , FPosicoesOrdem(std::move(PosicoesOrdem))
{
    const QString ordem = QStringLiteral(" ORDER BY ") + Ordem.join(QLatin1Char(','));
    QStringList marcadores;
    for (qsizetype i = 0; i < Ordem.size(); ++i)
        marcadores << QLatin1Char('?') + QString::number(FParametros.size() + i + 1);
    FPrimeira = FBanco->ComandoDevolvido(Selecao + ordem);
    FSeguinte = FBanco->ComandoDevolvido(
        Selecao
        + QStringLiteral(" AND (%1) > (%2)").arg(Ordem.join(QLatin1Char(',')), marcadores.join(QLatin1Char(',')))
        + ordem);
    LigaParametros();
    FBanco->RegistraLeitor(this);
}

void TLeituraItens::LigaParametros()
{
    for (TComando* comando : {FPrimeira.get(), FSeguinte.get()})
        for (qsizetype i = 0; i < FParametros.size(); ++i)
            comando->Liga(static_cast<int>(i + 1), FParametros[i]);
}

void TLeituraItens::Recomeca(QVariantList Parametros)
{
    SoltaLeituras();
    FParametros = std::move(Parametros);
    LigaParametros();
    FUltima.clear();
    FIniciada = false;
    FFim = false;
}

TLeituraItens::~TLeituraItens()
{
    FBanco->RemoveLeitor(this);
    FAtual = nullptr;
    FBanco->DevolveComando(std::move(FPrimeira));
    FBanco->DevolveComando(std::move(FSeguinte));
}

bool TLeituraItens::Proxima()
{
    if (FFim)
        return false;
    if (!FAtual) {
        if (!FIniciada) {
            FAtual = FPrimeira.get();
        } else {
            FAtual = FSeguinte.get();
            for (std::size_t i = 0; i < FUltima.size(); ++i)
                FAtual->Liga(static_cast<int>(FParametros.size() + static_cast<qsizetype>(i) + 1), FUltima[i]);
        }
        FAtual->Reinicia();
        FIniciada = true;
    }
    if (!FAtual->Passo()) {
        FAtual->Reinicia();
        FAtual = nullptr;
        FFim = true;
        return false;
    }
    // Written over the last row's values: the same keys' strings are reused, not allocated anew.
    FUltima.resize(FPosicoesOrdem.size());
    for (std::size_t i = 0; i < FPosicoesOrdem.size(); ++i)
        FAtual->LeValor(FPosicoesOrdem[i], false, FUltima[i]);
    return true;
}

const TComando& TLeituraItens::Linha() const
{
    if (!FAtual)
        throw std::logic_error("no row is current in the walk");
    return *FAtual;
}

void TLeituraItens::SoltaLeituras()
{
    if (FAtual) {
        FAtual->Reinicia();
        FAtual = nullptr;
    }
}
