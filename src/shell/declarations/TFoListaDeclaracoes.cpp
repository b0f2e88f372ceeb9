#include "shell/declarations/TFoListaDeclaracoes.h"

#include <QPushButton>

#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "platform/db/datasets/TDataSource.h"
#include "shell/assistant/BotoesDialogo.h"
#include "shell/common/PosicaoAssistente.h"
#include "shell/declarations/TabelaDeclaracoes.h"
#include "shell/common/ExcecaoAplicacao.h"

TFoListaDeclaracoes::TFoListaDeclaracoes(const char* Nome, const char* NomeGrade, bool ComSelecao, int HelpContext,
                                         QWidget* Dono)
    : TDialogoPrincipal(Nome, 481, 230, HelpContext, Dono)
    , FTbPruv(CriaTbPruv(ComSelecao))
    , DsPruv(std::make_unique<TDataSource>())
{
    FGrade = new TdvDBGrid(this);
    FGrade->setObjectName(QLatin1String(NomeGrade));
    FGrade->setGeometry(8, 8, 465, 178);
    FGrade->SetReadOnly(true);
    FGrade->SetUseTFields(false);
    FGrade->SetKeyOptions(0);

    const TBotoesDialogo botoes = CriaBotoesDialogo(*this, "OKBtn", "CancelBtn", HelpContext);
    OKBtn = botoes.Ok;
    CancelBtn = botoes.Cancela;
    HelpBtn = botoes.Ajuda;
    connect(OKBtn, &QPushButton::clicked, this, [this] { ExcecaoAplicacao::Protege([this] { OKBtnClick(); }); });

    if (ComSelecao)
        FTbPruv->ControlType() = {QStringLiteral("Selected;CheckBox;T;F")};
    AbreTabela(*FTbPruv);
    DsPruv->SetDataSet(FTbPruv.get());
    FGrade->SetDataSource(DsPruv.get());
}

TFoListaDeclaracoes::~TFoListaDeclaracoes()
{
    FGrade->SetDataSource(nullptr);
    FechaTabela(*FTbPruv);
}

void TFoListaDeclaracoes::AoMostrar()
{
    MostraTodasAsColunas();
    FGrade->setFocus();
}

void TFoListaDeclaracoes::MostraTodasAsColunas()
{
    int colunas = 0;
    for (int i = 0; i < FGrade->ColCount(); ++i)
        colunas += FGrade->ColWidths(i) + FGrade->GridLineWidth();
    const int falta = colunas - FGrade->ClientWidth();
    if (falta <= 0)
        return;
    setFixedWidth(width() + falta);
    FGrade->resize(FGrade->width() + falta, FGrade->height());
    for (QPushButton* botao : {OKBtn, CancelBtn, HelpBtn})
        botao->move(botao->x() + falta, botao->y());
    PosicionaAssistente(*this);
}
