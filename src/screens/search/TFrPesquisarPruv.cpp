#include "screens/search/TFrPesquisarPruv.h"

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "shell/declarations/TabelaDeclaracoes.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

constexpr int Fundo = 3;   // the nature whose funds are searched too
const QString Acentuadas = QStringLiteral("ÀÁÂÃÇÉÊÍÓÔÕÚÜàáâãçéêíóôõúü");
const QString SinaisNome = QStringLiteral(" &',-./\\");

// The declaration's items by code (E_PRUV_DK;TRIB_TRIBU;E_IN_PF_PJ;E_NR_PF_PJ) and its
// beneficiaries by name (E_PRUV_DK;NM_NM_EMPR): every list is read by an index, within the
// declaration.
const char* const IndiceItens = "ICodBenefPruv";
const char* const IndiceNomes = "INome";

// The end of a prefix range: the prefix with its last character raised, exclusive, when it is
// whole; otherwise the prefix followed by "z", inclusive.
void FimDoPrefixo(const QString& prefixo, int inteiro, QString& fim, bool& exclusivo)
{
    exclusivo = prefixo.size() == inteiro;
    if (exclusivo) {
        fim = prefixo;
        fim[fim.size() - 1] = QChar(fim.back().unicode() + 1);
    } else {
        fim = prefixo + QLatin1Char('z');
    }
}

QString Campo(const TdvTable& tabela, const char* nome)
{
    return tabela.FieldByName(QLatin1String(nome))->AsString();
}

TdvDBGrid* CriaGrade(const char* nome, QWidget* pai)
{
    auto* grade = new TdvDBGrid(pai);
    grade->setObjectName(QLatin1String(nome));
    grade->SetReadOnly(true);
    grade->SetUseTFields(false);
    grade->SetTitleFont({grade->font(), QColor(0, 0, 255)});
    grade->SetTitleAlignment(taCenter);
    grade->SetKeyOptions(0);
    grade->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    grade->hide();
    return grade;
}

}   // namespace

const QString TFrPesquisarPruv::TextoCodigo = QStringLiteral("Código de Retenção");
const QString TFrPesquisarPruv::TextoCpf = QStringLiteral("CPF");
const QString TFrPesquisarPruv::TextoCnpj = QStringLiteral("CNPJ");
const QString TFrPesquisarPruv::TextoNome = QStringLiteral("Nome/Nome Empresarial");

TFrPesquisarPruv::TFaixa TFrPesquisarPruv::Faixa(TChave Chave, const QString& K, const QString& T)
{
    TFaixa faixa;
    QString fim;
    switch (Chave) {
    case ChaveCodigo: {
        const QString codigo = T.left(4);
        FimDoPrefixo(codigo, 4, fim, faixa.FimExclusivo);
        faixa.Itens = true;
        faixa.Inicio = {K, codigo};
        faixa.Fim = {K, fim};
        break;
    }
    case ChaveCpf:
    case ChaveCnpj: {
        const int tamanho = Chave == ChaveCpf ? 9 : 12;
        const QString tipo = Chave == ChaveCpf ? QStringLiteral("1") : QStringLiteral("2");
        const QString numero = T.left(tamanho);
        FimDoPrefixo(numero, tamanho, fim, faixa.FimExclusivo);
        faixa.Inicio = {K, tipo, numero};
        faixa.Fim = {K, tipo, fim};
        break;
    }
    case ChaveNome:
        faixa.Inicio = {K, T.isEmpty() ? QStringLiteral("0") : T.left(60)};
        faixa.Fim = {K, T.left(59) + QLatin1Char('{')};
        break;
    }
    return faixa;
}

bool TFrPesquisarPruv::TeclaAceita(QChar Tecla, TChave Chave)
{
    const char16_t c = Tecla.unicode();
    if (c == u'\b' || c == u'\t' || c == u'\n' || c == u'\r' || (c >= u'0' && c <= u'9'))
        return true;
    if (Chave != ChaveNome)
        return false;
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || SinaisNome.contains(Tecla)
        || Acentuadas.contains(Tecla);
}

TFrPesquisarPruv::TFrPesquisarPruv(QWidget* parent)
    : QFrame(parent)
    , FTbBeneficiarios(CriaTabela(TColecaoBeneficiario::NomeArquivo()))
    , FTbPruvItem(CriaTabela(TColecaoPruvItem::NomeArquivo()))
    , FTbPruvItemBenef(CriaTabela(TColecaoPruvItem::NomeArquivo()))
    , FTbNomes(CriaTabela(TColecaoBeneficiario::NomeArquivo()))
    , DsBeneficiarios(std::make_unique<TDataSource>())
    , DsPruvItem(std::make_unique<TDataSource>())
    , DsPruvItemBenef(std::make_unique<TDataSource>())
{
    setObjectName(QStringLiteral("FrPesquisarPruv"));
    PnPesquisar = new QFrame(this);
    PnPesquisar->setObjectName(QStringLiteral("PnPesquisar"));
    static_cast<QFrame*>(PnPesquisar)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* rotulo = new QLabel(QStringLiteral("Pesquisar por"), PnPesquisar);
    CbChave = new TdvDBComboBox(PnPesquisar);
    CbChave->setObjectName(QStringLiteral("CbChave"));
    CbChave->SetStyle(TComboBoxStyle::csDropDownList);
    for (const QString& chave : {TextoCodigo, TextoCpf, TextoCnpj, TextoNome})
        CbChave->Items().Add(chave);
    CbChave->setToolTip(QStringLiteral("Selecione o critério pelo qual será efetuada a pesquisa/ordenação."));
    // Wide enough for its longest choice, which the window then never cuts.
    int largura = 0;
    for (const QString& chave : CbChave->Items().Strings())
        largura = std::max(largura, CbChave->fontMetrics().horizontalAdvance(chave));
    CbChave->setMinimumWidth(largura + CbChave->EffectiveButtonWidth() + 12);
    LbEntraChave = new QLabel(QStringLiteral("Digite o Código de Retenção"), PnPesquisar);
    LbEntraChave->setObjectName(QStringLiteral("LbEntraChave"));
    // Room for its longest caption, the one of the name.
    LbEntraChave->setMinimumWidth(
        LbEntraChave->fontMetrics().horizontalAdvance(QStringLiteral("Nome/Nome Empresarial do Beneficiário")) + 4);
    EdChave = new QLineEdit(PnPesquisar);
    EdChave->setObjectName(QStringLiteral("EdChave"));
    EdChave->installEventFilter(this);
    BbLocalizar = new QPushButton(QStringLiteral("&Localizar"), PnPesquisar);
    BbLocalizar->setObjectName(QStringLiteral("BbLocalizar"));
    BbLocalizar->setToolTip(QStringLiteral("Localiza o beneficiário/código na declaração"));
    connect(BbLocalizar, &QPushButton::clicked, this, [this] { ExcecaoAplicacao::Protege([this] { Localiza(); }); });

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(rotulo);
    esquerda->addWidget(CbChave);
    auto* meio = new QVBoxLayout;
    meio->addWidget(LbEntraChave);
    meio->addWidget(EdChave);
    auto* painel = new QHBoxLayout(PnPesquisar);
    painel->setContentsMargins(8, 4, 8, 6);
    painel->addLayout(esquerda, 2);
    painel->addLayout(meio, 3);
    painel->addWidget(BbLocalizar, 0, Qt::AlignBottom);

    // The tables and what the grids show of them.
    for (TdvTable* tabela : {FTbBeneficiarios.get(), FTbPruvItem.get(), FTbPruvItemBenef.get()}) {
        tabela->SetReadOnly(true);
        tabela->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    }
    FTbNomes->SetReadOnly(true);
    FTbBeneficiarios->SetCamposNome({QStringLiteral("NM_NM_EMPR")});
    TdvTable* beneficiarios = FTbBeneficiarios.get();
    FTbBeneficiarios->OnCalcFields = [beneficiarios](TDataSet*) {
        beneficiarios->FieldByName(QStringLiteral("CPF_CNPJ"))
            ->SetAsString(CpfCnpjArmazenado(Campo(*beneficiarios, "NR_PF_PJ")));
    };
    FTbPruvItem->AddField(std::make_unique<TField>(ftString, QStringLiteral("NM_NM_EMPRE"), 60, fkCalculated));
    TdvTable* itens = FTbPruvItem.get();
    TdvTable* nomes = FTbNomes.get();
    FTbPruvItem->OnCalcFields = [itens, nomes](TDataSet*) {
        itens->FieldByName(QStringLiteral("CPF_CNPJ"))->SetAsString(CpfCnpjArmazenado(Campo(*itens, "E_NR_PF_PJ")));
        QString nome;
        if (nomes->Active()
            && nomes->FindKey({Campo(*itens, "E_PRUV_DK"), Campo(*itens, "E_IN_PF_PJ"), Campo(*itens, "E_NR_PF_PJ")}))
            nome = Campo(*nomes, "NM_NM_EMPR");
        itens->FieldByName(QStringLiteral("NM_NM_EMPRE"))->SetAsString(nome);
    };
    TdvTable* itensBenef = FTbPruvItemBenef.get();
    FTbPruvItemBenef->OnCalcFields = [itensBenef](TDataSet*) {
        itensBenef->FieldByName(QStringLiteral("CPF_CNPJ"))
            ->SetAsString(CpfCnpjArmazenado(Campo(*itensBenef, "E_NR_PF_PJ")));
    };
    FTbBeneficiarios->AfterScroll = [this](TDataSet*) { BeneficiarioMudou(); };

    DbgPruvItem = CriaGrade("DbgPruvItem", this);
    DbgPruvItem->SetSelected({QStringLiteral("TRIB_TRIBU\t4\tCód."), QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                              QStringLiteral("NM_NM_EMPRE\t60\tNome/Nome Empresarial")});
    DbgBeneficiarios = CriaGrade("DbgBeneficiarios", this);
    DbgCodigosBenef = CriaGrade("DbgCodigosBenef", this);
    DbgCodigosBenef->SetTitleLines(2);
    DbgCodigosBenef->SetSelected({QStringLiteral("TRIB_TRIBU\t12\tCódigos")});
    DbgCodigosBenef->setFixedWidth(125);
    DbgPruvItem->OnDblClick = [this](TCustomGrid*) {
        ExcecaoAplicacao::Protege([this] {
            if (!FSelBeneficiario)
                Localiza();
        });
    };
    DbgBeneficiarios->OnDblClick = [this](TCustomGrid*) {
        ExcecaoAplicacao::Protege([this] {
            FOrigemBeneficiarios = true;
            if (!FSelBeneficiario)
                Localiza();
            if (OnGridDblClick)
                OnGridDblClick(this);
        });
    };
    DbgCodigosBenef->OnDblClick = [this](TCustomGrid*) {
        ExcecaoAplicacao::Protege([this] {
            FOrigemBeneficiarios = false;
            Localiza();
            FOrigemBeneficiarios = true;
        });
    };
    for (TdvDBGrid* grade : {DbgPruvItem, DbgBeneficiarios, DbgCodigosBenef})
        grade->installEventFilter(this);

    auto* grades = new QHBoxLayout;
    grades->setSpacing(0);
    grades->addWidget(DbgPruvItem, 1);
    grades->addWidget(DbgBeneficiarios, 1);
    grades->addWidget(DbgCodigosBenef);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PnPesquisar);
    layout->addLayout(grades, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(EsperaDigitacao);
    connect(Timer1, &QTimer::timeout, this, [this] { ExcecaoAplicacao::Protege([this] { RestringePruv(); }); });
    connect(EdChave, &QLineEdit::textEdited, Timer1, qOverload<>(&QTimer::start));
}

TFrPesquisarPruv::~TFrPesquisarPruv()
{
    Fecha();
}

void TFrPesquisarPruv::Abre(TPruv& Declaracao, TPosicionaCampo Posiciona)
{
    Timer1->stop();
    CbChave->OnChange = nullptr;
    DbgPruvItem->hide();
    DbgBeneficiarios->hide();
    FDeclaracao = &Declaracao;
    FPosiciona = std::move(Posiciona);

    FTbPruvItem->SetIndexName(QLatin1String(IndiceItens));
    FTbBeneficiarios->SetIndexName(QString());
    // Fund items are searched only where the nature has funds.
    const bool fundos = Declaracao.GetNatureza().GetCodigo() == Fundo;
    for (TdvTable* tabela : {FTbPruvItem.get(), FTbPruvItemBenef.get()}) {
        tabela->dvFilter().clear();
        if (!fundos)
            tabela->dvFilter() << QStringLiteral("IN_ANEXO = 0");
    }
    FAberto = AbreTabela(*FTbNomes) && AbreTabela(*FTbBeneficiarios) && AbreTabela(*FTbPruvItem)
        && AbreTabela(*FTbPruvItemBenef);
    for (TdvTable* tabela : {FTbPruvItem.get(), FTbPruvItemBenef.get()})
        tabela->RefreshDvFilter();
    DsBeneficiarios->SetDataSet(FTbBeneficiarios.get());
    DsPruvItem->SetDataSet(FTbPruvItem.get());
    DsPruvItemBenef->SetDataSet(FTbPruvItemBenef.get());
    DbgBeneficiarios->SetDataSource(DsBeneficiarios.get());
    DbgPruvItem->SetDataSource(DsPruvItem.get());
    DbgCodigosBenef->SetDataSource(DsPruvItemBenef.get());

    SetSelBeneficiario(FSelBeneficiario);
    CbChave->SetItemIndex(0);
    CbChave->OnChange = [this] { ExcecaoAplicacao::Protege([this] { CbChaveChange(); }); };
    CbChaveChange();
    MostraGrades();
}

void TFrPesquisarPruv::Fecha()
{
    Timer1->stop();
    for (TdvDBGrid* grade : {DbgPruvItem, DbgBeneficiarios, DbgCodigosBenef})
        grade->SetDataSource(nullptr);
    for (TdvTable* tabela : {FTbBeneficiarios.get(), FTbPruvItem.get(), FTbPruvItemBenef.get(), FTbNomes.get()})
        FechaTabela(*tabela);
    FAberto = false;
    MostraGrades();
}

void TFrPesquisarPruv::Atualiza()
{
    if (!FAberto)
        return;
    for (TdvTable* tabela : {FTbBeneficiarios.get(), FTbPruvItem.get(), FTbPruvItemBenef.get()})
        if (tabela->Active())
            tabela->Refresh();
}

void TFrPesquisarPruv::SetSelBeneficiario(bool Valor)
{
    FSelBeneficiario = Valor;
    const int indice = CbChave->Items().IndexOf(TextoCodigo);
    if (Valor && indice >= 0)
        CbChave->Items().Delete(indice);
    else if (!Valor && indice < 0)
        CbChave->Items().Insert(0, TextoCodigo);
    static_cast<QFrame*>(PnPesquisar)->setFrameStyle(Valor ? QFrame::NoFrame : QFrame::Panel | QFrame::Raised);
    BbLocalizar->setVisible(!Valor);
}

TFrPesquisarPruv::TChave TFrPesquisarPruv::ChaveAtual() const
{
    const QString texto = CbChave->ItemIndex() >= 0 ? CbChave->Items().Strings().at(CbChave->ItemIndex()) : TextoCodigo;
    if (texto == TextoCpf)
        return ChaveCpf;
    if (texto == TextoCnpj)
        return ChaveCnpj;
    return texto == TextoNome ? ChaveNome : ChaveCodigo;
}

void TFrPesquisarPruv::SelecionaChave(TChave Chave)
{
    static const QString* const textos[] = {&TextoCodigo, &TextoCpf, &TextoCnpj, &TextoNome};
    const int indice = CbChave->Items().IndexOf(*textos[Chave]);
    if (indice < 0)
        return;
    CbChave->SetItemIndex(indice);
    CbChaveChange();
}

bool TFrPesquisarPruv::ChaveBeneficiario() const
{
    return ChaveAtual() != ChaveCodigo;
}

void TFrPesquisarPruv::CbChaveChange()
{
    EdChave->clear();
    Timer1->stop();
    const TChave chave = ChaveAtual();
    if (chave == ChaveCodigo) {
        FTbBeneficiarios->SetIndexName(QStringLiteral("IPFPJ"));
    } else {
        DbgBeneficiarios->SetSelected({QStringLiteral("CPF_CNPJ\t18\t")
                                           + (chave == ChaveCpf        ? QStringLiteral("CPF")
                                                  : chave == ChaveCnpj ? QStringLiteral("CNPJ")
                                                                       : QStringLiteral("CPF/CNPJ")),
                                       QStringLiteral("NM_NM_EMPR\t60\t")
                                           + (chave == ChaveCpf        ? QStringLiteral("Nome")
                                                  : chave == ChaveCnpj ? QStringLiteral("Nome Empresarial")
                                                                       : QStringLiteral("Nome/Nome Empresarial"))});
    }
    MostraGrades();
    EdChave->setFocus();
    RestringePruv();
}

void TFrPesquisarPruv::MostraGrades()
{
    const bool codigo = FAberto && ChaveAtual() == ChaveCodigo && !FSelBeneficiario;
    DbgPruvItem->setVisible(codigo);
    DbgBeneficiarios->setVisible(FAberto && !codigo);
    DbgCodigosBenef->setVisible(FAberto && !codigo && !FSelBeneficiario);
}

void TFrPesquisarPruv::RestringePruv()
{
    Timer1->stop();
    if (!FDeclaracao)
        return;
    const TChave chave = ChaveAtual();
    struct TRotulo {
        const char* Rotulo;
        const char* Dica;
    };
    static const TRotulo rotulos[] = {
        {"Código de Retenção", "Digite o Código de retenção."},
        {"CPF do Beneficiário", "Digite o CPF do beneficiário, com até 9 dígitos."},
        {"CNPJ do Beneficiário", "Digite o CNPJ do beneficiário, com até 12 dígitos."},
        {"Nome/Nome Empresarial do Beneficiário", "Digite o Nome/Nome Empresarial do beneficiário."},
    };
    LbEntraChave->setText(QString::fromUtf8(rotulos[chave].Rotulo));
    EdChave->setToolTip(QString::fromUtf8(rotulos[chave].Dica));

    const TFaixa faixa = Faixa(chave, FDeclaracao->GetChave(), EdChave->text().trimmed());
    TdvTable& tabela = faixa.Itens ? *FTbPruvItem : *FTbBeneficiarios;
    if (!tabela.Active())
        return;
    if (!faixa.Itens) {
        if (chave == ChaveNome)
            tabela.SetIndexName(QLatin1String(IndiceNomes));
        else
            tabela.SetIndexName(QString());
    }
    tabela.SetRangeStart();
    for (int i = 0; i < faixa.Inicio.size(); ++i)
        tabela.IndexFields(i)->SetAsString(faixa.Inicio.at(i).toString());
    tabela.SetRangeEnd();
    tabela.SetKeyExclusive(faixa.FimExclusivo);
    for (int i = 0; i < faixa.Fim.size(); ++i)
        tabela.IndexFields(i)->SetAsString(faixa.Fim.at(i).toString());
    tabela.ApplyRange();
    if (!faixa.Itens)
        BeneficiarioMudou();
}

void TFrPesquisarPruv::BeneficiarioMudou()
{
    if (!FDeclaracao || !FTbBeneficiarios->Active() || !FTbPruvItemBenef->Active())
        return;
    if (FTbBeneficiarios->IsEmpty()) {
        // No beneficiary (no kind is empty): no codes.
        TColecaoPruvItem::FiltraPorCodigo(FDeclaracao->GetChave(), QString(), QString(), *FTbPruvItemBenef);
        return;
    }
    TColecaoPruvItem::FiltraPorCodigo(FDeclaracao->GetChave(), Campo(*FTbBeneficiarios, "IN_PF_PJ"),
                                      Campo(*FTbBeneficiarios, "NR_PF_PJ"), *FTbPruvItemBenef);
}

QString TFrPesquisarPruv::CpfCnpjSelecionado() const
{
    if (!FTbBeneficiarios->Active() || FTbBeneficiarios->IsEmpty())
        return {};
    return Campo(*FTbBeneficiarios, "CPF_CNPJ");
}

void TFrPesquisarPruv::Localiza()
{
    if (!FAberto || !FPosiciona || FSelBeneficiario)
        return;
    const bool beneficiario = ChaveBeneficiario();
    if (beneficiario && !FTbBeneficiarios->IsEmpty() && FTbPruvItemBenef->IsEmpty()) {
        TErro(CodigoMensagem::FundoIndisponivel, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
        return;
    }
    TdvTable& itens = beneficiario ? *FTbPruvItemBenef : *FTbPruvItem;
    if (itens.IsEmpty())
        return;
    const QPointer<QWidget> ativo = window()->focusWidget();   // the form's active control
    const bool deBeneficiarios = FOrigemBeneficiarios && beneficiario;
    const QString anexo = Campo(itens, "E_PRUV/ANEXO_DK");
    // The income statement follows first, then the item's own page.
    FPosiciona(anexo, Campo(itens, "CPF_CNPJ"), deBeneficiarios ? 3 : 0);
    const bool fundo = Campo(itens, "IN_ANEXO") == QLatin1String("1");
    // The hit names its item by key, code and number: a hit left from before a change finds the
    // item it shows or nothing.
    const QString item = TPruvItem::Identidade(Campo(itens, "PRUV_ITEM_DK"), Campo(itens, "TRIB_TRIBU"),
                                               Campo(itens, "E_NR_PF_PJ").trimmed());
    FPosiciona(anexo, item, deBeneficiarios ? (fundo ? 4 : 2) : (fundo ? 26 : 18));
    // The declaration took the keyboard to show the item; the search takes it back.
    if (ativo && ativo->isVisible() && ativo->isEnabled()) {
        ativo->window()->activateWindow();
        ativo->setFocus();
    }
}

bool TFrPesquisarPruv::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == EdChave) {
        if (evento->type() == QEvent::KeyPress) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
                ExcecaoAplicacao::Protege([this] {
                    RestringePruv();
                    Localiza();
                });
                return true;
            }
            // The arrows choose the key from the edit too, where the search keeps the keyboard.
            const bool seta = tecla->key() == Qt::Key_Up || tecla->key() == Qt::Key_Down;
            if (seta && !(tecla->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier))) {
                const int indice = CbChave->ItemIndex() + (tecla->key() == Qt::Key_Down ? 1 : -1);
                if (indice >= 0 && indice < CbChave->Items().Count())
                    ExcecaoAplicacao::Protege([this, indice] {
                        CbChave->SetItemIndex(indice);
                        CbChaveChange();
                    });
                return true;
            }
            // The list shown moves a page as by its own keys; the keyboard stays here.
            const bool pagina = tecla->key() == Qt::Key_PageDown || tecla->key() == Qt::Key_PageUp;
            if (pagina && !(tecla->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
                QKeyEvent copia(tecla->type(), tecla->key(), tecla->modifiers());
                QCoreApplication::sendEvent(ChaveBeneficiario() ? DbgBeneficiarios : DbgPruvItem, &copia);
                return true;
            }
            const QString texto = tecla->text();
            if (!texto.isEmpty() && texto.front().isPrint() && !TeclaAceita(texto.front(), ChaveAtual()))
                return true;
        } else if (evento->type() == QEvent::FocusOut && Timer1->isActive()) {
            // A search typed and left at once is not lost.
            ExcecaoAplicacao::Protege([this] { RestringePruv(); });
        }
    } else if (evento->type() == QEvent::FocusIn && objeto == DbgBeneficiarios) {
        FOrigemBeneficiarios = true;
    } else if (evento->type() == QEvent::KeyPress && (objeto == DbgPruvItem || objeto == DbgBeneficiarios)) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            ExcecaoAplicacao::Protege([this] { Localiza(); });
            return true;
        }
    }
    return QFrame::eventFilter(objeto, evento);
}
