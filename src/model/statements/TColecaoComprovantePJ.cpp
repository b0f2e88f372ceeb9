#include "model/statements/TColecaoComprovantePJ.h"

#include "components/data/datasets/TdvTable.h"
#include "model/statements/TComprovantePJ.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace {

TRendimentoMensalPJ& Linha(TComprovante& Comprovante, int Indice)
{
    return dynamic_cast<TComprovantePJ&>(Comprovante).GetLinha(Indice);
}

}   // namespace

TColecaoComprovantePJ::TColecaoComprovantePJ(IDeclaracao& Declaracao)
    : TColecaoLinhasComprovante(Declaracao, QStringLiteral("NR_PJ"), {QStringLiteral("000000000001")},
                                {QStringLiteral("999999999999")},
                                {QStringLiteral("COD_RETENCAO"), QStringLiteral("MES")})
{
    CriaTabelaColecao(QStringLiteral("ComprPj.db"));
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FiltraDeclaracao();
}

std::vector<TFieldDef> TColecaoComprovantePJ::Campos()
{
    return {{QStringLiteral("E_PRUV_DK"), ftString, 5},
            {QStringLiteral("NR_PJ"), ftString, 12},
            {QStringLiteral("COD_RETENCAO"), ftString, 4},
            {QStringLiteral("MES"), ftString, 2},
            {QStringLiteral("NAT_RENDIMENTO"), ftString, 255}};
}

std::vector<TIndexDef> TColecaoComprovantePJ::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;NR_PJ;COD_RETENCAO;MES"), TIndexOption::ixPrimary}};
}

int TColecaoComprovantePJ::QuantidadeLinhas(TComprovante& Comprovante) const
{
    return dynamic_cast<TComprovantePJ&>(Comprovante).QuantidadeLinhas();
}

QVariantList TColecaoComprovantePJ::ChaveLinha(TComprovante& Comprovante, int Indice) const
{
    const TRendimentoMensalPJ& linha = Linha(Comprovante, Indice);
    return {linha.GetCodigo(), ZerosAEsquerda(linha.GetMes(), 2)};
}

bool TColecaoComprovantePJ::LinhaAlterada(TComprovante& Comprovante, int Indice) const
{
    return Linha(Comprovante, Indice).GetAlterado();
}

bool TColecaoComprovantePJ::LinhaVazia(TComprovante& Comprovante, int Indice) const
{
    return Linha(Comprovante, Indice).NaturezaPadrao();
}

int TColecaoComprovantePJ::LinhaDoRegistro(TComprovante& Comprovante) const
{
    const TField& campo = *Tabela().FieldByName(QStringLiteral("MES"));
    const int mes = campo.AsInteger();
    // A month beyond a byte is a broken row, not a line that went away.
    if (mes < 0 || mes > 255)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid value for field 'MES'").arg(campo.AsString()));
    return dynamic_cast<TComprovantePJ&>(Comprovante)
        .LocalizaLinha(Tabela().FieldByName(QStringLiteral("COD_RETENCAO"))->AsString(), mes);
}

void TColecaoComprovantePJ::LeValores(TComprovante& Comprovante, int Indice)
{
    Linha(Comprovante, Indice).SetNatureza(Tabela().FieldByName(QStringLiteral("NAT_RENDIMENTO"))->AsString());
}

void TColecaoComprovantePJ::GravaValores(TComprovante& Comprovante, int Indice)
{
    Tabela().FieldByName(QStringLiteral("NAT_RENDIMENTO"))->SetAsString(Linha(Comprovante, Indice).GetNatureza());
}
