#include "model/TColecaoComprovantePJ.h"

#include "components/data/TdvTable.h"
#include "model/IDeclaracao.h"
#include "model/RotinasComprovante.h"
#include "model/TBeneficiarioPruv.h"
#include "model/TComprovantePJ.h"
#include "model/Utilitarios.h"
#include "platform/db/EDatabaseError.h"

namespace {

QString Raiz(const TComprovantePJ& Comprovante)
{
    return Comprovante.GetBeneficiario().GetRaiz();
}

QString EmVista(const TComprovantePJ& Comprovante)
{
    return Comprovante.GetChaveDeclaracao() + QLatin1Char('/') + Raiz(Comprovante);
}

// MES as a number; a stored month beyond a byte is a broken row.
int Mes(const TField& Campo)
{
    const int mes = Campo.AsInteger();
    if (mes < 0 || mes > 255)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid value for field 'MES'").arg(Campo.AsString()));
    return mes;
}

}  // namespace

TColecaoComprovantePJ::TColecaoComprovantePJ(IDeclaracao& Declaracao) : FDeclaracao(Declaracao)
{
    CriaTabelaColecao(QStringLiteral("ComprPj.db"));
    CriaEsquema({{QStringLiteral("E_PRUV_DK"), ftString, 5},
                 {QStringLiteral("NR_PJ"), ftString, 12},
                 {QStringLiteral("COD_RETENCAO"), ftString, 4},
                 {QStringLiteral("MES"), ftString, 2},
                 {QStringLiteral("NAT_RENDIMENTO"), ftString, 255}},
                {{QString(), QStringLiteral("E_PRUV_DK;NR_PJ;COD_RETENCAO;MES"), TIndexOption::ixPrimary}});
    AbreTabelaColecao();
    FiltraDeclaracao();
}

bool TColecaoComprovantePJ::Carrega(TComprovantePJ& Comprovante)
{
    bool aplicou = false;
    EmTransacao(Tabela(), [&] {
        FiltraComprovante(Comprovante);
        TdvTable& tabela = Tabela();
        aplicou = PercorreAplicando(tabela, [&] {
            const int linha = Comprovante.LocalizaLinha(tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->AsString(),
                                                        Mes(*tabela.FieldByName(QStringLiteral("MES"))));
            if (linha < 0)
                return false;
            Comprovante.GetLinha(linha).SetNatureza(tabela.FieldByName(QStringLiteral("NAT_RENDIMENTO"))->AsString());
            return true;
        });
    });
    return aplicou;
}

void TColecaoComprovantePJ::Salva(TComprovantePJ& Comprovante)
{
    if (Comprovante.GetChaveDeclaracao().isEmpty() || Comprovante.GetBeneficiario().GetNiFormatado().isEmpty())
        return;
    EmTransacao(Tabela(), [&] {
        TdvTable& tabela = Tabela();
        for (int i = 0; i < Comprovante.QuantidadeLinhas(); ++i) {
            const TRendimentoMensalPJ& linha = Comprovante.GetLinha(i);
            if (!linha.GetAlterado())
                continue;
            if (Localiza(Comprovante, i)) {
                if (linha.NaturezaPadrao()) {
                    TColecao::Exclui();
                    continue;
                }
                tabela.Edit();
            } else {
                if (linha.NaturezaPadrao())
                    continue;
                tabela.Append();
                tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(Comprovante.GetChaveDeclaracao());
                tabela.FieldByName(QStringLiteral("NR_PJ"))->SetAsString(Raiz(Comprovante));
                tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->SetAsString(linha.GetCodigo());
                tabela.FieldByName(QStringLiteral("MES"))->SetAsString(ZerosAEsquerda(linha.GetMes(), 2));
            }
            tabela.FieldByName(QStringLiteral("NAT_RENDIMENTO"))->SetAsString(linha.GetNatureza());
            Grava();
        }
    });
}

void TColecaoComprovantePJ::Exclui(TComprovantePJ& Comprovante, int Linha)
{
    EmTransacao(Tabela(), [&] {
        if (Localiza(Comprovante, Linha))
            TColecao::Exclui();
    });
}

void TColecaoComprovantePJ::ExcluiTodos()
{
    EmTransacao(Tabela(), [&] {
        FiltraDeclaracao();
        ExcluiEmVista(Tabela());
    });
}

bool TColecaoComprovantePJ::Localiza(const TComprovantePJ& Comprovante, int Linha)
{
    if (FEmVista != EmVista(Comprovante))
        FiltraComprovante(Comprovante);
    const TRendimentoMensalPJ& linha = Comprovante.GetLinha(Linha);
    SelecionaIndice(QString());
    return Tabela().FindKey(
        {Comprovante.GetChaveDeclaracao(), Raiz(Comprovante), linha.GetCodigo(), ZerosAEsquerda(linha.GetMes(), 2)});
}

void TColecaoComprovantePJ::FiltraDeclaracao()
{
    const QString chave = FDeclaracao.GetChave();
    FiltraFaixa(Tabela(), {chave, QStringLiteral("000000000001")}, {chave, QStringLiteral("999999999999")},
                {QStringLiteral("E_PRUV_DK = ") + chave});
    FEmVista.clear();
    SetFiltrado(true);
}

void TColecaoComprovantePJ::FiltraComprovante(const TComprovantePJ& Comprovante)
{
    const QString chave = Comprovante.GetChaveDeclaracao();
    const QString raiz = Raiz(Comprovante);
    FiltraFaixa(Tabela(), {chave, raiz, QStringLiteral("0000")}, {chave, raiz, QStringLiteral("9999")},
                {QStringLiteral("E_PRUV_DK = ") + chave, QStringLiteral("NR_PJ = ") + raiz});
    FEmVista = EmVista(Comprovante);
    SetFiltrado(true);
}

void TColecaoComprovantePJ::Desfaz()
{
    DesfazEdicao(Tabela());
}
