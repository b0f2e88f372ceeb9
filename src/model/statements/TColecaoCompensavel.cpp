#include "model/statements/TColecaoCompensavel.h"

#include "components/data/datasets/TdvTable.h"
#include "model/statements/TComprovantePF.h"
#include "model/storage/ValoresArmazenados.h"

namespace {

TComprovantePF& PF(TComprovante& Comprovante)
{
    return dynamic_cast<TComprovantePF&>(Comprovante);
}

}   // namespace

TColecaoCompensavel::TColecaoCompensavel(IDeclaracao& Declaracao)
    : TColecaoLinhasComprovante(Declaracao, QStringLiteral("NR_PF"),
                                {QStringLiteral("000000000"), QStringLiteral("0000")},
                                {QStringLiteral("999999999"), QStringLiteral("9999")}, {QStringLiteral("COD_RETENCAO")})
{
    CriaTabelaColecao(QStringLiteral("Compvel.db"));
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FiltraDeclaracao();
}

std::vector<TFieldDef> TColecaoCompensavel::Campos()
{
    return {{QStringLiteral("E_PRUV_DK"), ftString, 5},
            {QStringLiteral("NR_PF"), ftString, 9},
            {QStringLiteral("COD_RETENCAO"), ftString, 4},
            {QStringLiteral("REND_COMPENSAVEL"), ftCurrency},
            {QStringLiteral("IRRF_COMPENSAVEL"), ftCurrency}};
}

std::vector<TIndexDef> TColecaoCompensavel::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;NR_PF;COD_RETENCAO"), TIndexOption::ixPrimary}};
}

int TColecaoCompensavel::QuantidadeLinhas(TComprovante& Comprovante) const
{
    return PF(Comprovante).QuantidadeRendimentosParciais();
}

QVariantList TColecaoCompensavel::ChaveLinha(TComprovante& Comprovante, int Linha) const
{
    return {PF(Comprovante).GetRendimentoParcial(Linha).GetCodigo()};
}

bool TColecaoCompensavel::LinhaAlterada(TComprovante& Comprovante, int Linha) const
{
    return PF(Comprovante).GetRendimentoParcial(Linha).GetAlterado();
}

bool TColecaoCompensavel::LinhaVazia(TComprovante& Comprovante, int Linha) const
{
    return PF(Comprovante).GetRendimentoParcial(Linha).Zerado();
}

int TColecaoCompensavel::LinhaDoRegistro(TComprovante& Comprovante) const
{
    return PF(Comprovante).LocalizaRendimentoParcial(Tabela().FieldByName(QStringLiteral("COD_RETENCAO"))->AsString());
}

void TColecaoCompensavel::LeValores(TComprovante& Comprovante, int Linha)
{
    TComprovantePF& pf = PF(Comprovante);
    TRendimentoParcial& linha = pf.GetRendimentoParcial(Linha);
    linha.GetRendimentoCompensavel().SetValor(Tabela().FieldByName(QStringLiteral("REND_COMPENSAVEL"))->AsFixed4());
    linha.GetImpostoCompensavel().SetValor(Tabela().FieldByName(QStringLiteral("IRRF_COMPENSAVEL"))->AsFixed4());
    pf.AjustaRendimentoParcial(Linha);
}

void TColecaoCompensavel::GravaValores(TComprovante& Comprovante, int Linha)
{
    TRendimentoParcial& linha = PF(Comprovante).GetRendimentoParcial(Linha);
    GravaMonetario(*Tabela().FieldByName(QStringLiteral("REND_COMPENSAVEL")),
                   linha.GetRendimentoCompensavel().GetValor());
    GravaMonetario(*Tabela().FieldByName(QStringLiteral("IRRF_COMPENSAVEL")), linha.GetImpostoCompensavel().GetValor());
}
