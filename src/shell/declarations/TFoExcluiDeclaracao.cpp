#include "shell/declarations/TFoExcluiDeclaracao.h"

#include <QScopeGuard>

#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/values/TErro.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/TCursorOcupado.h"

TFoExcluiDeclaracao::TFoExcluiDeclaracao(TColecaoPruv& Colecao, QWidget* Dono)
    : TFoListaDeclaracoes("FoExcluiDeclaracao", "DBGrContribu", true, HelpContext, Dono)
    , DBGrContribu(&Grade())
    , ColecaoPruv(Colecao)
    , FErros(std::make_unique<TErros>())
    , Pruv(std::make_unique<TPruv>())
{
    setWindowTitle(QStringLiteral("Excluir Declaração"));
    Pruv->SetErros(FErros.get());
    DBGrContribu->SetSelected({QStringLiteral("Selected\t2\t "), QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                               QStringLiteral("NM_NM_EMPR\t44\tNome/Nome Empresarial"),
                               QStringLiteral("AN_RETENCA\t6\tAno")});
    DBGrContribu->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection
                             | dgMultiSelect);
    DBGrContribu->SetMultiSelectOptions(msoAutoUnselect | msoShiftSelect);
    DBGrContribu->SetEditControlOptions(ecoCheckboxSingleClick);
}

TFoExcluiDeclaracao::~TFoExcluiDeclaracao() = default;

QString TFoExcluiDeclaracao::Pergunta(int n)
{
    if (n == 1)
        return QStringLiteral("Tem certeza que deseja excluir a declaração selecionada ?");
    return QStringLiteral("Tem certeza que deseja excluir as %1 declarações ?").arg(n);
}

void TFoExcluiDeclaracao::OKBtnClick()
{
    const std::vector<TBookmark> selecionadas = DBGrContribu->SelectedRows();
    const int n = static_cast<int>(selecionadas.size());
    if (n == 0)
        return;
    if (TErro::MostraMensagem(Pergunta(n), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, HelpContext)
        != Resposta::Sim)
        return;
    TdvTable& tabela = TbPruv();
    TCursorOcupado ocupado;
    // Every key first: each deletion changes the table under the bookmarks.
    QStringList chaves;
    {
        tabela.DisableControls();
        struct TReabilita {
            TdvTable& Tabela;
            ~TReabilita() { Tabela.EnableControls(); }
        } reabilita{tabela};
        for (const TBookmark& marca : selecionadas) {
            tabela.GotoBookmark(marca);
            chaves << tabela.FieldByName(QStringLiteral("PRUV_DK"))->AsString();
        }
        DBGrContribu->UnselectAll();
    }
    // A deletion that fails leaves the others done, and the list shows what is stored.
    const auto atualiza = qScopeGuard([&tabela] { tabela.Refresh(); });
    for (const QString& chave : chaves) {
        Pruv->SetChave(chave);
        ColecaoPruv.Exclui(*Pruv);
    }
    accept();
}

bool ExcluiDeclaracoes(TColecaoPruv& Colecao, QWidget* Dono)
{
    TFoExcluiDeclaracao dialogo(Colecao, Dono);
    return dialogo.exec() == QDialog::Accepted;
}
