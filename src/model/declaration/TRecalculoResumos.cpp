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

    bool completo = Soma(FPruv, proprio, total, Gauge);
    if (completo && administradora) {
        TColecaoAnexo& anexos = FPruv.GetColecaoAnexo();
        TAnexoFC anexo(FPruv);
        anexos.Primeiro();
        while (completo && !anexos.Eof()) {
            anexos.LeRegistro(anexo);
            anexo.GetResumo().Zera();
            completo = Soma(anexo, anexo.GetResumo(), total, Gauge);
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
    anexos.PrimeiroRegistro(anexo);
    while (!anexos.Eof()) {
        passos += TColecaoPruvItem(FPruv, anexo).UltimaChave();
        anexo.Reinicia();
        anexos.ProximoRegistro(anexo);
    }
    return passos;
}

bool TRecalculoResumos::Soma(TPruvAnexo& Dono, TResumo& Resumo, TResumo& Total, IProgresso& Gauge)
{
    // Read by the walk that joins each item with its beneficiary and judicial values.
    TColecaoPruvItem itens(FPruv, Dono);
    TPruvItem item(FPruv, Dono);
    TErros erros;
    item.SetErros(&erros);
    itens.IniciaLeitura();
    while (!FCancelado) {
        InterfaceUsuario::Atividade().MantemVivo();
        Gauge.DefinePosicao(FLidos);
        if (FCancelado || !itens.LeProximo(item))
            break;
        const TResumo::TMudanca mudanca = TResumo::Mudanca(nullptr, item);
        Resumo.Aplica(mudanca);
        Total.Aplica(mudanca);
        ++FLidos;
    }
    itens.EncerraLeitura();
    if (FCancelado)
        return false;
    Resumo.SetOK(true);
    FPruv.GetColecaoResumo().Grava(Resumo);
    return true;
}
