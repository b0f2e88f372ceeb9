#include "model/statements/TColecaoLinhasComprovante.h"

#include "components/data/datasets/TdvTable.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/LinhasEmVista.h"
#include "model/statements/TComprovante.h"
#include "model/storage/OperacoesTabela.h"

namespace {

QString Raiz(const TComprovante& Comprovante)
{
    return Comprovante.GetBeneficiario().GetRaiz();
}

QString EmVista(const TComprovante& Comprovante)
{
    return Comprovante.GetChaveDeclaracao() + QLatin1Char('/') + Raiz(Comprovante);
}

}   // namespace

TColecaoLinhasComprovante::TColecaoLinhasComprovante(IDeclaracao& Declaracao, QString ColunaRaiz,
                                                     QVariantList InicioDeclaracao, QVariantList FimDeclaracao,
                                                     QStringList ColunasLinha)
    : FDeclaracao(Declaracao)
    , FColunaRaiz(std::move(ColunaRaiz))
    , FInicioDeclaracao(std::move(InicioDeclaracao))
    , FFimDeclaracao(std::move(FimDeclaracao))
    , FColunasLinha(std::move(ColunasLinha))
{}

bool TColecaoLinhasComprovante::Carrega(TComprovante& Comprovante)
{
    bool aplicou = false;
    EmTransacao(Tabela(), [&] {
        FiltraComprovante(Comprovante);
        aplicou = PercorreAplicando(Tabela(), [&] {
            const int linha = LinhaDoRegistro(Comprovante);
            if (linha < 0)
                return false;
            LeValores(Comprovante, linha);
            return true;
        });
    });
    return aplicou;
}

void TColecaoLinhasComprovante::Salva(TComprovante& Comprovante)
{
    if (Comprovante.GetChaveDeclaracao().isEmpty() || Comprovante.GetBeneficiario().GetNiFormatado().isEmpty())
        return;
    EmTransacao(Tabela(), [&] {
        TdvTable& tabela = Tabela();
        for (int i = 0; i < QuantidadeLinhas(Comprovante); ++i) {
            if (!LinhaAlterada(Comprovante, i))
                continue;
            const bool vazia = LinhaVazia(Comprovante, i);
            if (Localiza(Comprovante, i)) {
                if (vazia) {
                    TColecao::Exclui();
                    continue;
                }
                tabela.Edit();
            } else {
                if (vazia)
                    continue;
                tabela.Append();
                tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(Comprovante.GetChaveDeclaracao());
                tabela.FieldByName(FColunaRaiz)->SetAsString(Raiz(Comprovante));
                const QVariantList chave = ChaveLinha(Comprovante, i);
                for (int c = 0; c < FColunasLinha.size(); ++c)
                    tabela.FieldByName(FColunasLinha[c])->SetValue(chave[c]);
            }
            GravaValores(Comprovante, i);
            Grava();
        }
    });
}

void TColecaoLinhasComprovante::Exclui(TComprovante& Comprovante, int Linha)
{
    EmTransacao(Tabela(), [&] {
        if (Localiza(Comprovante, Linha))
            TColecao::Exclui();
    });
}

void TColecaoLinhasComprovante::ExcluiTodos()
{
    EmTransacao(Tabela(), [&] {
        FiltraDeclaracao();
        ExcluiEmVista(Tabela());
    });
}

bool TColecaoLinhasComprovante::Localiza(TComprovante& Comprovante, int Linha)
{
    if (FEmVista != EmVista(Comprovante))
        FiltraComprovante(Comprovante);
    SelecionaIndice(QString());
    return Tabela().FindKey(QVariantList{Comprovante.GetChaveDeclaracao(), Raiz(Comprovante)}
                            + ChaveLinha(Comprovante, Linha));
}

void TColecaoLinhasComprovante::FiltraDeclaracao()
{
    const QString chave = FDeclaracao.GetChave();
    RestringeTabela(Tabela(), QString(), QVariantList{chave} + FInicioDeclaracao, QVariantList{chave} + FFimDeclaracao,
                    {QStringLiteral("E_PRUV_DK = ") + chave});
    FEmVista.clear();
    SetFiltrado(true);
}

void TColecaoLinhasComprovante::FiltraComprovante(const TComprovante& Comprovante)
{
    const QString chave = Comprovante.GetChaveDeclaracao();
    const QString raiz = Raiz(Comprovante);
    RestringeTabela(Tabela(), QString(), {chave, raiz, QStringLiteral("0000")}, {chave, raiz, QStringLiteral("9999")},
                    {QStringLiteral("E_PRUV_DK = ") + chave, FColunaRaiz + QStringLiteral(" = ") + raiz});
    FEmVista = EmVista(Comprovante);
    SetFiltrado(true);
}

void TColecaoLinhasComprovante::Desfaz()
{
    DescartaEdicao(Tabela());
}
