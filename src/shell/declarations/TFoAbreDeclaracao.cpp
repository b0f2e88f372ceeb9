#include "shell/declarations/TFoAbreDeclaracao.h"

#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/values/TErro.h"
#include "platform/db/datasets/TField.h"
#include "shell/common/ExcecaoAplicacao.h"

TFoAbreDeclaracao::TFoAbreDeclaracao(const QString& Legenda, TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono)
    : TFoListaDeclaracoes("FoAbreDeclaracao", "DBGrDeclaracao", false, HelpContext, Dono)
    , DBGrDeclaracao(&Grade())
    , Pruv(Declaracao)
    , ColecaoPruv(Colecao)
{
    setWindowTitle(Legenda);
    DBGrDeclaracao->SetSelected({QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                                 QStringLiteral("NM_NM_EMPR\t46\tNome/Nome Empresarial"),
                                 QStringLiteral("AN_RETENCA\t6\tAno")});
    DBGrDeclaracao->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    // A double click on a row opens it, as in the start dialog's list.
    DBGrDeclaracao->OnDblClick = [this](TCustomGrid*) { ExcecaoAplicacao::Protege([this] { OKBtnClick(); }); };
    Pruv.Limpa();
    Pruv.SetChave(QString());
}

void TFoAbreDeclaracao::OKBtnClick()
{
    TdvTable& tabela = TbPruv();
    if (!tabela.Active() || tabela.IsEmpty())
        return;
    Pruv.SetChave(QString());
    // The stored number is the root, maybe with blanks around it: the check digits follow it.
    Pruv.GetDeclarante().SetRaiz(tabela.FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed());
    const QString chave = tabela.FieldByName(QStringLiteral("PRUV_DK"))->AsString();
    try {
        Pruv.SetAno(tabela.FieldByName(QStringLiteral("AN_RETENCA"))->AsString());
        // The number is looked up as stored: a row whose number has blanks around it is
        // found by its own key instead.
        if (!ColecaoPruv.Carrega(Pruv)) {
            Pruv.SetChave(chave);
            if (!ColecaoPruv.Carrega(Pruv)) {
                Pruv.Limpa();
                TErro::MostraMensagem(QStringLiteral("A declaração escolhida não foi encontrada."), TipoDialogo::Erro,
                                      Botao::Ok, 0);
                return;
            }
        }
    } catch (const EEspacoEmDiscoError&) {
        Pruv.Limpa();
        throw;   // the program ends: its handler says so
    } catch (const TErro& e) {
        Pruv.Limpa();   // half loaded: nothing of it may be opened
        e.Exibe();
        return;
    }
    accept();
}

bool AbreDeclaracao(TPruv& Pruv, TColecaoPruv& Colecao, const QString& Legenda, QWidget* Dono)
{
    TFoAbreDeclaracao dialogo(Legenda, Pruv, Colecao, Dono);
    return dialogo.exec() == QDialog::Accepted;
}
