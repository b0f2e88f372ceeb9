#include "model/TColecaoCompensavel.h"

#include "components/data/TdvTable.h"
#include "model/IDeclaracao.h"
#include "model/RotinasComprovante.h"
#include "model/TBeneficiarioPruv.h"
#include "model/TComprovantePF.h"

namespace {

QString Raiz(const TComprovantePF& Comprovante)
{
    return Comprovante.GetBeneficiario().GetRaiz();
}

QString EmVista(const TComprovantePF& Comprovante)
{
    return Comprovante.GetChaveDeclaracao() + QLatin1Char('/') + Raiz(Comprovante);
}

}  // namespace

TColecaoCompensavel::TColecaoCompensavel(IDeclaracao& Declaracao) : FDeclaracao(Declaracao)
{
    CriaTabelaColecao(QStringLiteral("Compvel.db"));
    CriaEsquema({{QStringLiteral("E_PRUV_DK"), ftString, 5},
                 {QStringLiteral("NR_PF"), ftString, 9},
                 {QStringLiteral("COD_RETENCAO"), ftString, 4},
                 {QStringLiteral("REND_COMPENSAVEL"), ftCurrency},
                 {QStringLiteral("IRRF_COMPENSAVEL"), ftCurrency}},
                {{QString(), QStringLiteral("E_PRUV_DK;NR_PF;COD_RETENCAO"), TIndexOption::ixPrimary}});
    AbreTabelaColecao();
    FiltraDeclaracao();
}

bool TColecaoCompensavel::Carrega(TComprovantePF& Comprovante)
{
    bool aplicou = false;
    EmTransacao(Tabela(), [&] {
        FiltraComprovante(Comprovante);
        TdvTable& tabela = Tabela();
        aplicou = PercorreAplicando(tabela, [&] {
            const int i =
                Comprovante.LocalizaRendimentoParcial(tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->AsString());
            if (i < 0)
                return false;
            TRendimentoParcial& linha = Comprovante.GetRendimentoParcial(i);
            linha.GetRendimentoCompensavel().SetValor(tabela.FieldByName(QStringLiteral("REND_COMPENSAVEL"))->AsFixed4());
            linha.GetImpostoCompensavel().SetValor(tabela.FieldByName(QStringLiteral("IRRF_COMPENSAVEL"))->AsFixed4());
            Comprovante.AjustaRendimentoParcial(i);
            return true;
        });
    });
    return aplicou;
}

void TColecaoCompensavel::Salva(TComprovantePF& Comprovante)
{
    if (Comprovante.GetChaveDeclaracao().isEmpty() || Comprovante.GetBeneficiario().GetNiFormatado().isEmpty())
        return;
    EmTransacao(Tabela(), [&] {
        TdvTable& tabela = Tabela();
        for (int i = 0; i < Comprovante.QuantidadeRendimentosParciais(); ++i) {
            TRendimentoParcial& linha = Comprovante.GetRendimentoParcial(i);
            if (!linha.GetAlterado())
                continue;
            if (Localiza(Comprovante, i)) {
                if (linha.Zerado()) {
                    TColecao::Exclui();
                    continue;
                }
                tabela.Edit();
            } else {
                if (linha.Zerado())
                    continue;
                tabela.Append();
                tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(Comprovante.GetChaveDeclaracao());
                tabela.FieldByName(QStringLiteral("NR_PF"))->SetAsString(Raiz(Comprovante));
                tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->SetAsString(linha.GetCodigo());
            }
            GravaMonetario(*tabela.FieldByName(QStringLiteral("REND_COMPENSAVEL")), linha.GetRendimentoCompensavel());
            GravaMonetario(*tabela.FieldByName(QStringLiteral("IRRF_COMPENSAVEL")), linha.GetImpostoCompensavel());
            Grava();
        }
    });
}

void TColecaoCompensavel::Exclui(TComprovantePF& Comprovante, int Linha)
{
    EmTransacao(Tabela(), [&] {
        if (Localiza(Comprovante, Linha))
            TColecao::Exclui();
    });
}

void TColecaoCompensavel::ExcluiTodos()
{
    EmTransacao(Tabela(), [&] {
        FiltraDeclaracao();
        ExcluiEmVista(Tabela());
    });
}

bool TColecaoCompensavel::Localiza(TComprovantePF& Comprovante, int Linha)
{
    if (FEmVista != EmVista(Comprovante))
        FiltraComprovante(Comprovante);
    SelecionaIndice(QString());
    return Tabela().FindKey(
        {Comprovante.GetChaveDeclaracao(), Raiz(Comprovante), Comprovante.GetRendimentoParcial(Linha).GetCodigo()});
}

void TColecaoCompensavel::FiltraDeclaracao()
{
    const QString chave = FDeclaracao.GetChave();
    FiltraFaixa(Tabela(), {chave, QStringLiteral("000000000"), QStringLiteral("0000")},
                {chave, QStringLiteral("999999999"), QStringLiteral("9999")}, {QStringLiteral("E_PRUV_DK = ") + chave});
    FEmVista.clear();
    SetFiltrado(true);
}

void TColecaoCompensavel::FiltraComprovante(const TComprovantePF& Comprovante)
{
    const QString chave = Comprovante.GetChaveDeclaracao();
    const QString raiz = Raiz(Comprovante);
    FiltraFaixa(Tabela(), {chave, raiz, QStringLiteral("0000")}, {chave, raiz, QStringLiteral("9999")},
                {QStringLiteral("E_PRUV_DK = ") + chave, QStringLiteral("NR_PF = ") + raiz});
    FEmVista = EmVista(Comprovante);
    SetFiltrado(true);
}

void TColecaoCompensavel::Desfaz()
{
    DesfazEdicao(Tabela());
}
