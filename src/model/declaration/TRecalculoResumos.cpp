#include "model/declaration/TRecalculoResumos.h"

#include <QtGlobal>

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "model/values/TErro.h"
#include "platform/ui/IProgresso.h"
#include "platform/ui/InterfaceUsuario.h"

TRecalculoResumos::TRecalculoResumos(TPruv& Pruv)
    : FPruv(Pruv)
{}

bool TRecalculoResumos::Executa(IProgresso& Gauge)
{
    TResumo total(nullptr);
    total.Zera();
    TResumo& proprio = static_cast<TPruvAnexo&>(FPruv).GetResumo();
    proprio.Zera();
    FLidos = 0;
    const bool administradora = FPruv.GetNatureza().GetCodigo() == TPruv::CodigoAdministradora;
    Gauge.DefineFaixa(0, qMax(1, Passos(administradora)));

    TErros erros;   // what loading the items reports is nobody's to show here
    bool completo = false;
    {
        TColecaoPruvItem itens(FPruv, FPruv);
        TPruvItem item(FPruv, FPruv);
        item.SetErros(&erros);
        completo = Soma(itens, item, proprio, total, Gauge);
    }
    if (completo && administradora) {
        TColecaoAnexo& anexos = FPruv.GetColecaoAnexo();
        TAnexoFC anexo(FPruv);
        // One collection and one item for every fund, following the key the annex is given.
        TColecaoPruvItem itens(FPruv, anexo);
        TPruvItem item(FPruv, anexo);
        item.SetErros(&erros);
        anexos.Primeiro();
        while (completo && !anexos.Eof()) {
            anexos.LeFundo(anexo);   // its stored summary is computed again
            anexo.GetResumo().Zera();
            completo = Soma(itens, item, anexo.GetResumo(), total, Gauge);
            anexo.Reinicia();
            anexos.Proximo();
        }
    }
    Gauge.Completa();
    if (!completo || FCancelado)
        return false;
    total.SetOK(true);
    total.Copia(FPruv.GetResumo());
    FPruv.GetResumo().SetOK(true);
    return true;
}

int TRecalculoResumos::Passos(bool Administradora)
{
    int passos = TColecaoPruvItem(FPruv, FPruv).UltimaChave();
    if (!Administradora)
        return passos;
    TColecaoAnexo& anexos = FPruv.GetColecaoAnexo();
    TAnexoFC anexo(FPruv);
    TColecaoPruvItem itens(FPruv, anexo);   // one for every fund: it follows the annex's key
    for (anexos.Primeiro(); !anexos.Eof(); anexos.Proximo()) {
        anexo.SetChave(anexos.ChaveAtual());   // the key is all the count needs
        passos += itens.UltimaChave();
    }
    return passos;
}

bool TRecalculoResumos::Soma(TColecaoPruvItem& Itens, TPruvItem& Item, TResumo& Resumo, TResumo& Total,
                             IProgresso& Gauge)
{
    // Read by the walk that joins each item with its beneficiary and judicial values.
    Itens.IniciaLeitura();
    while (!FCancelado) {
        InterfaceUsuario::Atividade().MantemVivo();
        Gauge.DefinePosicao(FLidos);
        if (FCancelado || !Itens.LeProximo(Item))
            break;
        const TResumo::TMudanca mudanca = TResumo::Mudanca(nullptr, Item);
        Resumo.Aplica(mudanca);
        Total.Aplica(mudanca);
        ++FLidos;
    }
    Itens.EncerraLeitura();
    if (FCancelado)
        return false;
    Resumo.SetOK(true);
    FPruv.GetColecaoResumo().Grava(Resumo);
    return true;
}
