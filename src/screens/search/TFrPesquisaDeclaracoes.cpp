#include "screens/search/TFrPesquisaDeclaracoes.h"

#include <QLabel>
#include <QVBoxLayout>

#include "components/controls/datetime/TdvDBDateTimePicker.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "exchange/layout/TNumeroRecibo.h"
#include "model/people/TNi.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/ui/TCursorOcupado.h"
#include "screens/search/TBuscaGravadas.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

const QColor Marinho(0, 0, 128);
const QColor Vermelho(255, 0, 0);

}   // namespace

const QString TFrPesquisaDeclaracoes::TextoTransmitidas = QStringLiteral(
    "Foram encontradas nas suas unidades as seguintes Declarações já transmitidas.  Selecione as Declarações para as "
    "quais deseja imprimir o recibo.");
const QString TFrPesquisaDeclaracoes::TextoSemTransmitidas = QStringLiteral(
    "Não foram encontradas Declarações já transmitidas nas suas unidades.");
const QString TFrPesquisaDeclaracoes::TextoNaoTransmitidas = QStringLiteral(
    "Foram encontradas nas suas unidades as seguintes Declarações já gravadas para entrega à XEQ e ainda não "
    "transmitidas.  Selecione as Declarações que deseja transmitir.");
const QString TFrPesquisaDeclaracoes::TextoSemNaoTransmitidas = QStringLiteral(
    "Não foram encontradas Declarações gravadas para entrega à XEQ e ainda não transmitidas nas suas unidades.");
const QString TFrPesquisaDeclaracoes::TextoTodas = QStringLiteral(
    "Foram encontradas nas suas unidades as seguintes Declarações já gravadas para entrega à XEQ.");
const QString TFrPesquisaDeclaracoes::TextoSemTodas = QStringLiteral(
    "Não foram encontradas Declarações já gravadas para entrega à XEQ nas suas unidades.");

TFrPesquisaDeclaracoes::TFrPesquisaDeclaracoes(QWidget* parent)
    : QFrame(parent)
    , FTbGeradas(CriaTabela(TabelaGeradasPrograma().Nome))
    , DsGeradas(std::make_unique<TDataSource>())
{
    setObjectName(QStringLiteral("FrPesquisaDeclaracoes"));
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(34);
    LbMens = new QLabel(Panel1);
    LbMens->setObjectName(QStringLiteral("LbMens"));
    LbMens->setWordWrap(true);
    auto* topo = new QVBoxLayout(Panel1);
    topo->setContentsMargins(4, 1, 4, 1);
    topo->addWidget(LbMens);

    FTbGeradas->SetExclusive(true);
    FTbGeradas->AddField(std::make_unique<TField>(ftString, QStringLiteral("Selected"), 1, fkCalculated));
    FTbGeradas->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    TdvTable* tabela = FTbGeradas.get();
    FTbGeradas->OnCalcFields = [tabela](TDataSet*) {
        QString numero = tabela->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed();
        FormataNi(numero);
        tabela->FieldByName(QStringLiteral("CPF_CNPJ"))->SetAsString(numero);
    };
    FTbGeradas->ControlType() = {QStringLiteral("Selected;CheckBox;T;F"),
                                 QStringLiteral("DATA_GERA;CustomEdit;dvDBDateTimePicker1")};
    dvDBDateTimePicker1 = new TdvDBDateTimePicker(this);
    dvDBDateTimePicker1->setObjectName(QStringLiteral("dvDBDateTimePicker1"));
    dvDBDateTimePicker1->SetEpoch(1950);
    dvDBDateTimePicker1->hide();

    DbgGeradas = new TdvDBGrid(this);
    DbgGeradas->setObjectName(QStringLiteral("DbgGeradas"));
    DbgGeradas->SetReadOnly(true);
    DbgGeradas->SetUseTFields(false);
    DbgGeradas->SetTitleFont({DbgGeradas->font(), QColor(0, 0, 255)});
    DbgGeradas->SetTitleAlignment(taCenter);
    DbgGeradas->SetDataFixedCols(0);
    DbgGeradas->SetScrollBars(TScrollStyle::ssBoth);
    DbgGeradas->SetKeyOptions(0);
    DbgGeradas->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection | dgMultiSelect);
    DbgGeradas->SetMultiSelectOptions(msoAutoUnselect | msoShiftSelect);
    DbgGeradas->SetEditControlOptions(ecoCheckboxSingleClick);
    DbgGeradas->SetSelected(
        {QStringLiteral("Selected\t2\t "), QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"), QStringLiteral("ANO\t4\tAno"),
         QStringLiteral("DATA_GERA\t18\tData de Gravação"), QStringLiteral("HASH\t14\tNúmero do Recibo"),
         QStringLiteral("TIPO\t12\tTipo"), QStringLiteral("NOME_ARQUIVO\t52\tNome do arquivo"),
         QStringLiteral("CAMINHO\t50\tCaminho Completo"), QStringLiteral("NOME\t45\tNome/Nome Empresarial")});
    DbgGeradas->OnMultiSelectRecord = [this](TdvDBGrid*, bool selecionando, bool&) { MultiSelecao(selecionando); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(DbgGeradas, 1);
}

TFrPesquisaDeclaracoes::~TFrPesquisaDeclaracoes()
{
    DbgGeradas->SetDataSource(nullptr);
    FechaTabela(*FTbGeradas);
}

void TFrPesquisaDeclaracoes::Abre(QStringList& Arquivos)
{
    const TCursorOcupado ocupado;
    FQuantidadeSelecionados = 0;
    FArquivos = &Arquivos;
    LbMens->clear();
    Arquivos.clear();
    if (FTbGeradas->Active())
        Fecha();
    if (!AbreTabela(*FTbGeradas))
        return;
    for (const char* centrado : {"ANO", "DATA_GERA", "HASH"})
        FTbGeradas->FieldByName(QLatin1String(centrado))->SetAlignment(taCenter);
    FTbGeradas->FieldByName(QStringLiteral("HASH"))->OnGetText = [](TField* campo, QString& texto, bool) {
        texto = campo->AsString();
        TNumeroRecibo::Formata(texto);   // "99.99.99.99.99-99"
    };
    DsGeradas->SetDataSet(FTbGeradas.get());
    DbgGeradas->SetDataSource(DsGeradas.get());
    Preenche();
}

void TFrPesquisaDeclaracoes::Preenche()
{
    const QList<TDeclaracaoGravada> achadas = TBuscaGravadas::Busca(FSituacao, IncluiCDROM);
    try {
        TBuscaGravadas::Preenche(*FTbGeradas, achadas);
    } catch (const TErro& e) {
        e.Exibe();
    }
    const bool achou = !FTbGeradas->IsEmpty();
    QString texto;
    switch (FSituacao) {
    case TBuscaGravadas::Transmitidas:
        texto = achou ? TextoTransmitidas : TextoSemTransmitidas;
        break;
    case TBuscaGravadas::NaoTransmitidas:
        texto = achou ? TextoNaoTransmitidas : TextoSemNaoTransmitidas;
        break;
    default:
        texto = achou ? TextoTodas : TextoSemTodas;
        break;
    }
    LbMens->setText(texto);
    QPalette paleta = LbMens->palette();
    paleta.setColor(QPalette::WindowText, achou ? Marinho : Vermelho);
    LbMens->setPalette(paleta);
}

void TFrPesquisaDeclaracoes::MultiSelecao(bool Selecionando)
{
    const int atual = static_cast<int>(DbgGeradas->SelectedRows().size());
    FQuantidadeSelecionados = std::max(0, Selecionando ? atual + 1 : atual - 1);
    if (OnChangeSelection)
        OnChangeSelection(this);
}

QStringList& TFrPesquisaDeclaracoes::ArquivosSelecionados()
{
    QStringList& lista = FArquivos ? *FArquivos : FSemLista;
    lista.clear();
    if (!FTbGeradas->Active() || FTbGeradas->IsEmpty())
        return lista;
    TdvTable& tabela = *FTbGeradas;
    const TBookmark atual = tabela.GetBookmark();
    tabela.DisableControls();
    for (const TBookmark& marca : DbgGeradas->SelectedRows()) {
        tabela.GotoBookmark(marca);
        lista << tabela.FieldByName(QStringLiteral("CAMINHO"))->AsString() + QLatin1Char('/')
                + tabela.FieldByName(QStringLiteral("NOME_ARQUIVO"))->AsString();
    }
    tabela.GotoBookmark(atual);
    tabela.EnableControls();
    return lista;
}

void TFrPesquisaDeclaracoes::Fecha()
{
    DbgGeradas->UnselectAll();
    FQuantidadeSelecionados = 0;
    DbgGeradas->SetDataSource(nullptr);
    if (!FTbGeradas->Active())
        return;
    FechaTabela(*FTbGeradas);
    try {
        FTbGeradas->EmptyTable();
    } catch (const EDatabaseError&) {
        // Emptied again by the next Abre, in the same transaction as its new rows.
        qWarning("the list of recorded files could not be emptied");
    }
}
