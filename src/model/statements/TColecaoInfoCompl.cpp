#include "model/statements/TColecaoInfoCompl.h"

#include "components/data/datasets/TdvTable.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/TComprovante.h"
#include "model/storage/OperacoesTabela.h"

namespace {

QString Tipo(const TComprovante& Comprovante)
{
    return QString::number(Comprovante.GetBeneficiario().TipoAtual());
}

}   // namespace

TColecaoInfoCompl::TColecaoInfoCompl(IDeclaracao& Declaracao)
    : TColecaoComprovantePFBasica(Declaracao)
{
    CriaTabelaColecao(QStringLiteral("InfoComp.db"));
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FiltraDeclaracao();
    Primeiro();
}

std::vector<TFieldDef> TColecaoInfoCompl::Campos()
{
    return {{QStringLiteral("E_PRUV_DK"), ftString, 5},
            {QStringLiteral("IN4"), ftString, 1},
            {QStringLiteral("IN_PF_PJ"), ftString, 1},
            {QStringLiteral("NR_PF_PJ"), ftString, 12},
            {QStringLiteral("INFO_COMPL"), ftMemo}};
}

std::vector<TIndexDef> TColecaoInfoCompl::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;IN4;IN_PF_PJ;NR_PF_PJ"), TIndexOption::ixPrimary}};
}

bool TColecaoInfoCompl::Localiza(const TComprovante& Comprovante)
{
    MostraDeclaracaoDe(Comprovante);
    SelecionaIndice(QString());
    return Tabela().FindKey(
        {Comprovante.GetChaveDeclaracao(), FIN4, Tipo(Comprovante), Comprovante.GetBeneficiario().GetRaiz()});
}

void TColecaoInfoCompl::LeRegistro(TComprovante& Comprovante)
{
    if (LeRegistroDe(Comprovante))
        Texto(Comprovante).SetTexto(Tabela().FieldByName(QStringLiteral("INFO_COMPL"))->AsString());
}

void TColecaoInfoCompl::LimpaDados(TComprovante& Comprovante)
{
    Texto(Comprovante).Limpa();
}

void TColecaoInfoCompl::Salva(TComprovante& Comprovante)
{
    EmTransacao(Tabela(), [&] {
        const bool encontrado = Localiza(Comprovante);
        if (Comprovante.GetChaveDeclaracao().isEmpty() || Comprovante.GetBeneficiario().GetNiFormatado().isEmpty()
            || FIN4.isEmpty())
            return;
        const QString texto = Texto(Comprovante).GetTexto();
        if (Comprovante.GetAlterado() && texto.isEmpty()) {
            if (encontrado)
                TColecao::Exclui();
            return;
        }
        EditaOuInsere(encontrado);
        TdvTable& tabela = Tabela();
        tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(Comprovante.GetChaveDeclaracao());
        tabela.FieldByName(QStringLiteral("IN4"))->SetAsString(FIN4);
        tabela.FieldByName(QStringLiteral("IN_PF_PJ"))->SetAsString(Tipo(Comprovante));
        tabela.FieldByName(QStringLiteral("NR_PF_PJ"))->SetAsString(Comprovante.GetBeneficiario().GetRaiz());
        tabela.FieldByName(QStringLiteral("INFO_COMPL"))->SetAsString(texto);
        Grava();
    });
}

void TColecaoInfoCompl::FiltraChave(const QString& Chave)
{
    RestringeTabela(Tabela(), QString(), {Chave, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("000000000")},
                    {Chave, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("999999999999")},
                    {QStringLiteral("E_PRUV_DK = ") + Chave});
}

TTexto& TColecaoInfoCompl::Texto(TComprovante& Comprovante) const
{
    return FIN4 == QLatin1String("1") ? Comprovante.GetInformacoesComplementaresIN4()
                                      : Comprovante.GetInformacoesComplementares();
}
