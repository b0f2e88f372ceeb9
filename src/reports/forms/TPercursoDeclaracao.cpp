#include "reports/forms/TPercursoDeclaracao.h"

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "model/items/TPruvItem.h"

TPercursoDeclaracao::TPercursoDeclaracao(const TPruv& Declaracao, TColecaoPruv& Colecao, TColecaoPruvItem::TOrdem Ordem)
    : FPruv(std::make_unique<TPruv>())
    , FOrdem(Ordem)
{
    FPruv->SetErros(&FErros);
    FPruv->SetChave(Declaracao.GetChave());
    if (!FPruv->GetChave().isEmpty())
        Colecao.Carrega(*FPruv);
    FPruv->GetItens().SetOrdem(Ordem);
    FItem = std::make_unique<TPruvItem>(*FPruv, *FPruv);
    FAnexo = std::make_unique<TAnexoFC>(*FPruv);
    FItemAnexo = std::make_unique<TPruvItem>(*FPruv, *FAnexo);
    const qint64 beneficiarios = FPruv->GetResumo().TOT_BENEF().GetValorPositivo();
    FBeneficiarios = int((beneficiarios + TMonetario::Escala / 2) / TMonetario::Escala);
}

TPercursoDeclaracao::~TPercursoDeclaracao()
{
    // The items go before the annex they belong to, the annex before the declaration.
    FItemAnexo.reset();
    FItem.reset();
    FAnexo.reset();
    FPruv.reset();
}

void TPercursoDeclaracao::Inicia()
{
    FTratados = 0;
    FItensTomados = 0;
    FPruv->GetItens().PrimeiroRegistro(*FItem);
    FAnexo->Limpa();
    FPruv->GetColecaoAnexo().PrimeiroRegistro(*FAnexo);
    FFase = TFase::Declaracao;
}

TPercursoDeclaracao::TRegistro TPercursoDeclaracao::Proximo()
{
    for (;;) {
        switch (FFase) {
        case TFase::Declaracao:
            if (!FPruv->GetItens().Eof())
                return TRegistro::Item;
            FFase = FPruv->GetColecaoAnexo().Eof() ? TFase::Fim : TFase::InicioAnexo;
            break;
        case TFase::InicioAnexo: {
            // A fund without items has nothing to print: no start, no page of its own.
            TColecaoPruvItem& itens = FAnexo->GetItens();
            itens.SetOrdem(FOrdem);
            itens.PrimeiroRegistro(*FItemAnexo);
            if (!itens.Eof())
                return TRegistro::InicioFundo;
            ProximoAnexo();
            break;
        }
        case TFase::ItensAnexo:
            if (!FAnexo->GetItens().Eof())
                return TRegistro::Item;
            ProximoAnexo();
            break;
        case TFase::Fim:
            return TRegistro::Fim;
        }
    }
}

void TPercursoDeclaracao::ProximoAnexo()
{
    TColecaoAnexo& anexos = FPruv->GetColecaoAnexo();
    FAnexo->Limpa();
    anexos.ProximoRegistro(*FAnexo);
    FFase = anexos.Eof() ? TFase::Fim : TFase::InicioAnexo;
}

TPruvItem& TPercursoDeclaracao::Item() const
{
    return FFase == TFase::ItensAnexo ? *FItemAnexo : *FItem;
}

void TPercursoDeclaracao::Avanca()
{
    switch (Proximo()) {
    case TRegistro::Item:
        ++FItensTomados;
        if (FFase == TFase::ItensAnexo)
            FAnexo->GetItens().ProximoRegistro(*FItemAnexo);
        else
            FPruv->GetItens().ProximoRegistro(*FItem);
        break;
    case TRegistro::InicioFundo:
        FFase = TFase::ItensAnexo;   // Proximo put its items on the first
        break;
    case TRegistro::Fim:
        return;
    }
    ++FTratados;
}

int TPercursoDeclaracao::Progresso()
{
    if (Proximo() == TRegistro::Fim)
        return 100;
    if (FBeneficiarios <= 0)
        return 0;
    return int((qint64(FTratados) * 100 + FBeneficiarios / 2) / FBeneficiarios);
}
