#include "shell/startup/TFoInicial.h"
#include "shell/common/TFoAjuda.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/values/TErro.h"
#include "model/declaration/TPruv.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/painting/SystemColors.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TDmGeral.h"
#include "shell/declarations/TabelaDeclaracoes.h"
#include "platform/widgets/windows/TMinimoDoProjeto.h"

namespace {

constexpr TdvDBGridOptions OpcoesGrade = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;

void CorDaFonte(QWidget* controle, const QColor& cor)
{
    QPalette paleta = controle->palette();
    paleta.setColor(QPalette::Text, cor);
    paleta.setColor(QPalette::WindowText, cor);
    controle->setPalette(paleta);
}

}   // namespace

TFoInicial::TFoInicial(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono)
    : QDialog(Dono)
    , Pruv(Declaracao)
    , ColecaoPruv(Colecao)
    , DsPruv(std::make_unique<TDataSource>())
{
    setObjectName(QStringLiteral("FoInicial"));
    setWindowTitle(QStringLiteral("Pruv 2003"));

    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* figura = new QLabel(Panel1);
    figura->setPixmap(TDmGeral::Logotipo().scaledToWidth(110, Qt::SmoothTransformation));
    figura->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    RbAbrir = new QRadioButton(QStringLiteral("A&brir uma declaração já existente"), Panel1);
    RbAbrir->setObjectName(QStringLiteral("RbAbrir"));
    RbAbrir->setChecked(true);
    RbNova = new QRadioButton(QStringLiteral("Criar uma &nova declaração"), Panel1);
    RbNova->setObjectName(QStringLiteral("RbNova"));
    RbImporta = new QRadioButton(QStringLiteral("&Importar dados"), Panel1);
    RbImporta->setObjectName(QStringLiteral("RbImporta"));
    auto* grupo = new QButtonGroup(this);
    for (QRadioButton* opcao : {RbAbrir, RbNova, RbImporta}) {
        grupo->addButton(opcao);
        connect(opcao, &QRadioButton::toggled, this, [this](bool marcado) {
            if (marcado)
                AplicaOpcao();
        });
    }

    TbPruv = CriaTbPruv(false);
    DBGrContribu = new TdvDBGrid(Panel1);
    DBGrContribu->setObjectName(QStringLiteral("DBGrContribu"));
    DBGrContribu->SetReadOnly(true);
    DBGrContribu->SetUseTFields(false);
    DBGrContribu->SetKeyOptions(0);
    DBGrContribu->SetSelected({QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                               QStringLiteral("NM_NM_EMPR\t40\tNome/Nome Empresarial"),
                               QStringLiteral("AN_RETENCA\t6\tAno")});
    DBGrContribu->SetOptions(OpcoesGrade);
    DBGrContribu->OnDblClick = [this](TCustomGrid*) {
        if (RbAbrir->isChecked())
            ExcecaoAplicacao::Protege([this] { OKBtnClick(); });
    };

    auto* opcoes = new QVBoxLayout;
    opcoes->addWidget(RbAbrir);
    opcoes->addWidget(DBGrContribu, 1);
    opcoes->addWidget(RbNova);
    opcoes->addWidget(RbImporta);
    auto* painel = new QHBoxLayout(Panel1);
    painel->setContentsMargins(10, 10, 10, 10);
    painel->setSpacing(12);
    painel->addWidget(figura, 0, Qt::AlignTop);
    painel->addLayout(opcoes, 1);

    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancelar"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Ajuda"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, [this] { ExcecaoAplicacao::Protege([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { TFoAjuda::Mostra(HelpContext, this); });
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(OKBtn);
    botoes->addWidget(CancelBtn);
    botoes->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1, 1);
    layout->addLayout(botoes);
    resize(710, 330);   // the grid shows its three columns whole
    new TMinimoDoProjeto(*this);

    DefineHelpContext(*this, HelpContext);
    for (QWidget* controle : findChildren<QWidget*>())
        DefineHelpContext(*controle, HelpContext);

    Pruv.Limpa();
    AbreTabela(*TbPruv);
    DsPruv->SetDataSet(TbPruv.get());
    DBGrContribu->SetDataSource(DsPruv.get());
}

TFoInicial::~TFoInicial()
{
    DBGrContribu->SetDataSource(nullptr);
    FechaTabela(*TbPruv);
}

void TFoInicial::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (FMostrado)
        return;
    FMostrado = true;
    if (const QWidget* principal = parentWidget() ? parentWidget()->window() : nullptr) {
        const int dpi = screen() ? static_cast<int>(screen()->logicalDotsPerInch()) : 96;
        const QRect cliente = principal->geometry();
        move(cliente.left() + (cliente.width() - frameGeometry().width()) / 2,
             cliente.top() + DistanciaTopo * dpi / 96);
    }
    const bool vazia = !TbPruv->Active() || TbPruv->IsEmpty();
    RbAbrir->setEnabled(!vazia);
    if (vazia) {
        RbNova->setChecked(true);
        RbNova->setFocus();
    } else {
        RbAbrir->setChecked(true);
        TbPruv->First();
        RbAbrir->setFocus();
    }
    AplicaOpcao();
}

void TFoInicial::AplicaOpcao()
{
    const bool abrir = RbAbrir->isChecked() && RbAbrir->isEnabled();
    DBGrContribu->setEnabled(abrir);
    DBGrContribu->SetOptions(abrir ? OpcoesGrade : OpcoesGrade & ~(dgRowSelect | dgAlwaysShowSelection));
    CorDaFonte(DBGrContribu, abrir ? QColor(Qt::black) : SystemColors::InactiveCaptionText());
}

bool TFoInicial::CarregaSelecionada()
{
    if (!TbPruv->Active() || TbPruv->IsEmpty())
        return false;
    Pruv.SetChave(QString());
    Pruv.GetDeclarante().SetRaiz(TbPruv->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed());
    try {
        Pruv.SetAno(TbPruv->FieldByName(QStringLiteral("AN_RETENCA"))->AsString());
        if (ColecaoPruv.Carrega(Pruv))
            return true;
    } catch (const EEspacoEmDiscoError&) {
        Pruv.Limpa();
        throw;   // the program ends: its handler says so
    } catch (const TErro& e) {
        e.Exibe();
    }
    Pruv.Limpa();   // half loaded: nothing of it may be opened
    return false;
}

void TFoInicial::OKBtnClick()
{
    if (RbAbrir->isChecked()) {
        if (!CarregaSelecionada())
            return;
        FEscolha = TEscolha::Abrir;
    } else {
        FEscolha = RbNova->isChecked() ? TEscolha::Nova : TEscolha::Importa;
    }
    accept();
}

bool MostraInicial(TPruv& Pruv, TColecaoPruv& Colecao, const TOfertasInicial& Ofertas, QWidget* Dono)
{
    TFoInicial::TEscolha escolha = TFoInicial::TEscolha::Cancelar;
    {
        TFoInicial tela(Pruv, Colecao, Dono);
        tela.exec();
        escolha = tela.Escolha();
    }   // the table is closed before the offer runs
    switch (escolha) {
    case TFoInicial::TEscolha::Abrir:
        return true;
    case TFoInicial::TEscolha::Nova:
        return Ofertas.Nova && Ofertas.Nova();
    case TFoInicial::TEscolha::Importa:
        return Ofertas.Importa && Ofertas.Importa();
    case TFoInicial::TEscolha::Cancelar:
        break;
    }
    return false;
}
