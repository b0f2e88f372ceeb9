#include "shell/TFoAbreDeclaracao.h"

#include <QPushButton>

#include "components/controls/TdvCustomDBGrid.h"
#include "components/data/TdvTable.h"
#include "model/RotinasTabela.h"
#include "model/TColecaoPruv.h"
#include "model/TErro.h"
#include "model/TPruv.h"
#include "model/gui/UtilJanelas.h"
#include "platform/db/TDataSource.h"
#include "platform/db/TField.h"
#include "shell/ExcecaoAplicacao.h"
#include "shell/FonteFormulario.h"
#include "shell/PosicaoAssistente.h"
#include "shell/TFoAjuda.h"
#include "shell/TabelaDeclaracoes.h"

TFoAbreDeclaracao::TFoAbreDeclaracao(const QString& Legenda, TPruv& Pruv, TColecaoPruv& Colecao, QWidget* Dono)
    : QDialog(Dono), Pruv(Pruv), ColecaoPruv(Colecao), FTbPruv(CriaTbPruv(false)),
      DsPruv(std::make_unique<TDataSource>())
{
    setObjectName(QStringLiteral("FoAbreDeclaracao"));
    setWindowTitle(Legenda);
    setFixedSize(481, 230);
    setFont(FonteFormulario());

    DBGrDeclaracao = new TdvCustomDBGrid(this);
    DBGrDeclaracao->setObjectName(QStringLiteral("DBGrDeclaracao"));
    DBGrDeclaracao->setGeometry(8, 8, 465, 178);
    DBGrDeclaracao->SetReadOnly(true);
    DBGrDeclaracao->SetUseTFields(false);
    DBGrDeclaracao->SetSelected({QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                                 QStringLiteral("NM_NM_EMPR\t46\tNome/Nome Empresarial"),
                                 QStringLiteral("AN_RETENCA\t6\tAno")});
    DBGrDeclaracao->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    DBGrDeclaracao->SetKeyOptions(0);

    auto botao = [this](const char* nome, const char* legenda, int esquerda) {
        auto* b = new QPushButton(QString::fromUtf8(legenda), this);
        b->setObjectName(QLatin1String(nome));
        b->setGeometry(esquerda, 196, 75, 25);
        b->setAutoDefault(false);
        return b;
    };
    OKBtn = botao("OKBtn", "&OK", 232);
    OKBtn->setDefault(true);
    CancelBtn = botao("CancelBtn", "&Cancelar", 315);
    HelpBtn = botao("HelpBtn", "&Ajuda", 398);
    DefineHelpContext(*this, HelpContext);
    connect(OKBtn, &QPushButton::clicked, this, [this] { ExcecaoAplicacao::Protege([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [] { TFoAjuda::Mostra(HelpContext); });

    Pruv.Limpa();
    Pruv.SetChave(QString());
    AbreTabela(*FTbPruv);
    DsPruv->SetDataSet(FTbPruv.get());
    DBGrDeclaracao->SetDataSource(DsPruv.get());
}

TFoAbreDeclaracao::~TFoAbreDeclaracao()
{
    DBGrDeclaracao->SetDataSource(nullptr);
    FechaTabela(*FTbPruv);
}

void TFoAbreDeclaracao::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (FMostrado)
        return;
    FMostrado = true;
    PosicionaAssistente(*this);
    DBGrDeclaracao->setFocus();
}

void TFoAbreDeclaracao::OKBtnClick()
{
    if (!FTbPruv->Active() || FTbPruv->IsEmpty())
        return;
    Pruv.SetChave(QString());
    // The stored number is the root, maybe with blanks around it: the check digits follow it.
    Pruv.GetDeclarante().SetRaiz(FTbPruv->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed());
    try {
        Pruv.SetAno(FTbPruv->FieldByName(QStringLiteral("AN_RETENCA"))->AsString());
        if (!ColecaoPruv.Carrega(Pruv))
            return;
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
