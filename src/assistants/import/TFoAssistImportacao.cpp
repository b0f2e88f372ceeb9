#include "assistants/import/TFoAssistImportacao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStyle>
#include <QVBoxLayout>

#include "model/values/CodigoMensagem.h"
#include "platform/widgets/windows/TDialogoArquivo.h"
#include "shell/common/PosicaoAssistente.h"
#include "assistants/pages/RotuloAssistente.h"
#include "assistants/import/TAmostraDeclaracao.h"
#include "assistants/import/TFoErrosImportCompr.h"
#include "assistants/pages/TPaginaArquivo.h"
#include "assistants/pages/TPaginaComFigura.h"
#include "assistants/import/TPruvGridImpCompr.h"
#include "assistants/import/TPruvGridImpDecl.h"
#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "components/data/datasets/TdvTable.h"
#include "exchange/import/TArqComprovante.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/import/TLeitorLinhas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TArquivoIni.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/people/TNi.h"
#include "model/people/TNiContribuinte.h"
#include "model/people/TNomeContribuinte.h"
#include "model/declaration/TPruv.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/ComboNaturezas.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/IImpressoras.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TProgressoQt.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TDmGeral.h"
#include "platform/widgets/controls/TComboBox.h"

namespace {

const QString Secao = QStringLiteral("Importacao");
const QString TabelaDeclaracoes = QStringLiteral("Pruv.DB");
constexpr int NaturezaPessoaFisica = 8;   // position in the table of all natures

// The packed declaration files: those of the versions with a two-digit year first.
const char* const ExtensoesAnoDoisDigitos[] = {".RFO", ".RFR", ".D90", ".D91", ".D00", ".D01"};
const char* const ExtensoesCompactadas[] = {".D10", ".D11", ".DEC"};

bool Entre(const QString& Extensao, std::initializer_list<const char*> Lista)
{
    for (const char* e : Lista)
        if (Extensao == QLatin1String(e))
            return true;
    return false;
}

QProgressBar* Gauge(const char* nome)
{
    auto* gauge = new QProgressBar;
    gauge->setObjectName(QLatin1String(nome));
    gauge->setRange(0, 100);
    gauge->setValue(0);
    return gauge;
}

// A page of one text over one control that fills it.
QWidget* PaginaSobre(const char* nome, const QString& texto, QWidget* controle, int estica = 0)
{
    auto* painel = new QWidget;
    painel->setObjectName(QLatin1String(nome));
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addWidget(RotuloAssistente(texto, painel));
    controle->setParent(painel);
    layout->addWidget(controle, 1);
    if (estica == 0)
        layout->addStretch();
    return painel;
}

void GravaIni(const char* chave, const QString& valor)
{
    try {
        TArquivoIni::GravaString(Secao, QLatin1String(chave), valor);
    } catch (const TErro& e) {
        e.Exibe();   // only the place is not remembered
    }
}

QLabel* Contador(const char* nome)
{
    auto* rotulo = new QLabel(QStringLiteral("0"));
    rotulo->setObjectName(QLatin1String(nome));
    rotulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return rotulo;
}

TFoAssistImportacao* Existente = nullptr;

}   // namespace

const QString TFoAssistImportacao::TextoDescompactacao = QStringLiteral(
    "A declaração não pôde ser importada, pois apresentou problemas na descompactação do arquivo gerado.");
const QString TFoAssistImportacao::TextoCancelada = QStringLiteral("A importação da declaração foi cancelada.");
const QString TFoAssistImportacao::TextoFormatoAntigo = QStringLiteral(
    "A declaração não pôde ser importada: o arquivo foi compactado por uma versão anterior do programa, num formato "
    "que "
    "este programa não descompacta. Importe o arquivo texto da declaração.");

TFoAssistImportacao::TFoAssistImportacao(TColecaoPruv& Colecao, const QString& NomeErro, QWidget* owner)
    : TFormAssist(owner)
    , FColecao(Colecao)
    , PruvImportacao(std::make_unique<TPruv>())
    , FNomeErro(NomeErro)
{
    setObjectName(QStringLiteral("FoAssistImportacao"));
    setWindowTitle(QStringLiteral("Assistente de Importação de Dados"));
    resize(width(), 300);
    PruvImportacao->SetErros(&FErrosImportacao);

    TPaginaComFigura pagina1 = TPaginaComFigura::Cria(
        QStringLiteral("Panel1"),
        {QStringLiteral(
             "Este Assistente  serve para que você utilize  dados de sua contabilidade  na elaboração da Pruv e "
             "de Comprovante de Rendimentos. Os  dados  deverão estar em um arquivo texto com o leiaute  "
             "especificado pela Morvex Federal (veja no menu  Ajuda - Leiaute do Arquivo Pruv)."),
         QStringLiteral("Usar  o  assistente  é  fácil. Basta  clicar  no  botão \"Avançar\" e responder às questões "
                        "apresentadas.")},
        TImagem::Importar);
    DefinePagina(1, pagina1.Painel);
    DefinePagina(2, CriaPagina2());
    // The kind of import stands above the file's name but is made after it: Tab reads the page top
    // down. Set once the page is in the form, whose chain is the one Tab follows.
    setTabOrder(RBComprovante, EdArquivo);
    setTabOrder(EdArquivo, BitBtn1);
    Gauge3 = Gauge("Gauge3");
    DefinePagina(3, PaginaSobre("Panel3", QStringLiteral("Descomprimindo o arquivo ..."), Gauge3));
    DefinePagina(4, CriaPagina4());
    grdImpDecl = new TPruvGridImpDecl;
    grdImpDecl->setObjectName(QStringLiteral("grdImpDecl"));
    DefinePagina(5,
                 PaginaSobre("Panel5",
                             QStringLiteral("Veja abaixo uma amostra de como os  registros serão importados para sua "
                                            "declaração"),
                             grdImpDecl, 1));
    Gauge1 = Gauge("Gauge1");
    DefinePagina(6, PaginaSobre("Panel6", QStringLiteral("Importando ..."), Gauge1));
    DefinePagina(7, CriaPagina7());
    DefinePagina(8, CriaPagina8());
    grdImpCompr = new TPruvGridImpCompr;
    grdImpCompr->setObjectName(QStringLiteral("grdImpCompr"));
    DefinePagina(9,
                 PaginaSobre("Panel9",
                             QStringLiteral("Veja abaixo uma amostra de como os  registros serão importados:"),
                             grdImpCompr, 1));
    Gauge2 = Gauge("Gauge2");
    DefinePagina(10, PaginaSobre("Panel10", QStringLiteral("Importando ..."), Gauge2));
    DefinePagina(11, CriaPagina11());
    TPaginaComFigura pagina12 = TPaginaComFigura::Cria(QStringLiteral("Panel12"), {TextoDescompactacao},
                                                       TImagem::Importar);
    LErro = pagina12.Textos.front();
    LErro->setObjectName(QStringLiteral("LErro"));
    if (auto* figura = pagina12.Painel->findChild<QLabel*>(QStringLiteral("Image1")))
        figura->setPixmap(style()->standardPixmap(QStyle::SP_MessageBoxCritical));
    DefinePagina(12, pagina12.Painel);

    DefineHelpContext(*this, HelpContext);   // the buttons find it on the form
    EstadoPrograma::ContextoAjuda = HelpContext;
    DialogoAbrir = [this](const QString& pasta, const QString& filtro) {
        return TDialogoArquivo::Abre(this, pasta, filtro);
    };
    BuscaInformacaoIni();

    AdicionaEstado(std::make_unique<TEstadoImportacao1>(*this, 1));
    AdicionaEstado(std::make_unique<TEstadoImportacao2>(*this, 2));
    AdicionaEstado(std::make_unique<TEstadoImportacao3>(*this, 3));
    AdicionaEstado(std::make_unique<TEstadoImportacao4>(*this, 4));
    AdicionaEstado(std::make_unique<TEstadoImportacao5>(*this, 5));
    AdicionaEstado(std::make_unique<TEstadoImportacao6>(*this, 6));
    AdicionaEstado(std::make_unique<TEstadoImportacao7>(*this, 7));
    AdicionaEstado(std::make_unique<TEstadoImportacao8>(*this, 8));
    AdicionaEstado(std::make_unique<TEstadoImportacao9>(*this, 9));
    AdicionaEstado(std::make_unique<TEstadoImportacao10>(*this, 10));
    AdicionaEstado(std::make_unique<TEstadoImportacao11>(*this, 11));
    AdicionaEstado(std::make_unique<TEstadoImportacao12>(*this, 12));
    RBDeclaracaoClick();
    Processa();
}

TFoAssistImportacao::~TFoAssistImportacao()
{
    // Freed while shown, the name field loses the focus as the window goes: its check must not
    // run on a window already half gone.
    disconnect(DENome, nullptr, this, nullptr);
    DBGrDeclaracao->SetDataSource(nullptr);
    if (TbPruv)
        FechaTabela(*TbPruv);
    // A text unpacked and never imported (the assistant closed before the import) goes too.
    if (FDescompactado)
        QFile::remove(DiretorioDados() + QStringLiteral("/declar.txt"));
}

QWidget* TFoAssistImportacao::CriaPagina2()
{
    auto* tipo = new QWidget;
    auto* coluna = new QVBoxLayout(tipo);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->addWidget(RotuloAssistente(QStringLiteral("Indique o tipo de importação que deseja realizar"), tipo));
    RBDeclaracao = new QRadioButton(QStringLiteral("&Declaração"), tipo);
    RBDeclaracao->setObjectName(QStringLiteral("RBDeclaracao"));
    RBDeclaracao->setChecked(true);
    RBComprovante = new QRadioButton(QStringLiteral("Co&mprovante de Rendimentos"), tipo);
    RBComprovante->setObjectName(QStringLiteral("RBComprovante"));
    auto* opcoes = new QHBoxLayout;
    opcoes->addWidget(RBDeclaracao);
    opcoes->addWidget(RBComprovante);
    opcoes->addStretch();
    coluna->addLayout(opcoes);
    LDescrImportacao = RotuloAssistente(QString(), tipo, "LDescrImportacao");
    coluna->addWidget(LDescrImportacao);
    connect(RBDeclaracao, &QRadioButton::clicked, this, &TFoAssistImportacao::RBDeclaracaoClick);
    connect(RBComprovante, &QRadioButton::clicked, this, &TFoAssistImportacao::RBComprovanteClick);

    const TPaginaArquivo pagina = TPaginaArquivo::Cria(
        QStringLiteral("Panel2"), QStringLiteral("Selecione ou digite o nome e caminho do arquivo que deseja importar"),
        nullptr);
    tipo->setParent(pagina.Painel);
    static_cast<QVBoxLayout*>(pagina.Painel->layout())->insertWidget(0, tipo);
    EdArquivo = pagina.EdArquivo;
    BitBtn1 = pagina.BitBtn1;
    connect(BitBtn1, &QPushButton::clicked, this, &TFoAssistImportacao::BitBtn1Click);
    return pagina.Painel;
}

QWidget* TFoAssistImportacao::CriaPagina4()
{
    auto* painel = new QWidget;
    painel->setObjectName(QStringLiteral("Panel4"));
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addWidget(
        RotuloAssistente(QStringLiteral("Altere, se for o caso , o Nome/Nome Empresarial e indique o ano-calendário "
                                        "para a importação"),
                         painel));

    CbAnoRet = new TComboBox(painel);
    CbAnoRet->setObjectName(QStringLiteral("CbAnoRet"));
    CbAnoRet->addItems({QStringLiteral("2003"), QStringLiteral("2002"), QStringLiteral("2001"), QStringLiteral("2000"),
                        QStringLiteral("1999"), QStringLiteral("1998"), QStringLiteral("1997")});
    CbAnoRet->setCurrentText(QStringLiteral("2002"));
    connect(CbAnoRet, &QComboBox::activated, this, [this] { ExcecaoAplicacao::Protege([this] { CbAnoRetChange(); }); });
    auto* ano = new QHBoxLayout;
    ano->addWidget(new QLabel(QStringLiteral("Ano-Calendário"), painel));
    ano->addWidget(CbAnoRet);
    ano->addStretch();
    layout->addLayout(ano);

    PanelNome = new QWidget(painel);
    PanelNome->setObjectName(QStringLiteral("PanelNome"));
    DENome = new QLineEdit(PanelNome);
    DENome->setObjectName(QStringLiteral("DENome"));
    DENome->setMaxLength(60);
    connect(DENome, &QLineEdit::editingFinished, this, &TFoAssistImportacao::DENomeExit);
    auto* nome = new QHBoxLayout(PanelNome);
    nome->setContentsMargins(0, 0, 0, 0);
    nome->addWidget(new QLabel(QStringLiteral("Nome/Nome Empresarial:"), PanelNome));
    nome->addWidget(DENome, 1);
    layout->addWidget(PanelNome);

    PanelNatureza = new QWidget(painel);
    PanelNatureza->setObjectName(QStringLiteral("PanelNatureza"));
    CbTipoDeclar = new TdvDBComboBox(PanelNatureza);
    CbTipoDeclar->setObjectName(QStringLiteral("CbTipoDeclar"));
    // The descriptions are longer than the page is wide: the box is two lines tall and shows the
    // chosen one wrapped, whole; the hint holds it too and the list opens wide enough for all.
    CbTipoDeclar->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
    CbTipoDeclar->setFixedHeight(AlturaDaNatureza(QFontMetrics(CbTipoDeclar->font())));
    CbTipoDeclar->OnDrawItem = [this](QWidget*, int indice, QPainter& p, const QRect& r, unsigned estado) {
        DesenhaNatureza(indice, p, r, estado);
    };
    CbTipoDeclar->OnChange = [this] {
        if (!FPreenchendo)
            ExcecaoAplicacao::Protege([this] { CbTipoDeclarChange(); });
    };
    auto* natureza = new QVBoxLayout(PanelNatureza);
    natureza->setContentsMargins(0, 0, 0, 0);
    natureza->addWidget(new QLabel(QStringLiteral("Natureza do Declarante:"), PanelNatureza));
    natureza->addWidget(CbTipoDeclar);
    layout->addWidget(PanelNatureza);
    layout->addStretch();
    return painel;
}

QWidget* TFoAssistImportacao::CriaPagina7()
{
    TPaginaComFigura pagina = TPaginaComFigura::Cria(
        QStringLiteral("Panel7"),
        {QStringLiteral("Examine a situação dos dados importados usando o Resumo da Declaração, a Verificação de "
                        "Pendências e o Relatório Gerencial.")},
        TImagem::Importar);
    LbTotDecImp = Contador("LbTotDecImp");
    LbTotBenefAdic = Contador("LbTotBenefAdic");
    LbTotBenefSubs = Contador("LbTotBenefSubs");
    LbDescartados = Contador("LbDescartados");
    LbTotRej = Contador("LbTotRej");
    LbAvisos = Contador("LbAvisos");
    LbAnexosAdic = Contador("LbAnexosAdic");
    auto* contadores = new QWidget;
    auto* grade = new QFormLayout(contadores);
    grade->setContentsMargins(0, 0, 0, 0);
    grade->setVerticalSpacing(1);
    grade->addRow(QStringLiteral("Declarações Importadas:"), LbTotDecImp);
    grade->addRow(QStringLiteral("Beneficiários Adicionados:"), LbTotBenefAdic);
    grade->addRow(QStringLiteral("Beneficiários Substituídos:"), LbTotBenefSubs);
    grade->addRow(QStringLiteral("Beneficiários Rejeitados:"), LbDescartados);
    grade->addRow(QStringLiteral("Registros Rejeitados:"), LbTotRej);
    grade->addRow(QStringLiteral("Avisos:"), LbAvisos);
    grade->addRow(QStringLiteral("Fundos ou Clubes:"), LbAnexosAdic);
    pagina.Acrescenta(contadores);
    CheckMostrRel = new QCheckBox(QStringLiteral("Mostrar &Relatório de Erros / Avisos"));
    CheckMostrRel->setObjectName(QStringLiteral("CheckMostrRel"));
    CheckMostrRel->setChecked(true);
    pagina.Acrescenta(CheckMostrRel);
    CheckMostrRel->hide();
    return pagina.Painel;
}

QWidget* TFoAssistImportacao::CriaPagina8()
{
    TbPruv = CriaTabela(TabelaDeclaracoes);
    DsPruv = std::make_unique<TDataSource>();
    DsPruv->SetDataSet(TbPruv.get());
    DBGrDeclaracao = new TdvCustomDBGrid;
    DBGrDeclaracao->setObjectName(QStringLiteral("DBGrDeclaracao"));
    DBGrDeclaracao->SetOptions(dgTitles | dgColumnResize | dgColLines | dgRowLines | dgRowSelect
                               | dgAlwaysShowSelection);
    DBGrDeclaracao->SetReadOnly(true);
    DBGrDeclaracao->SetUseTFields(false);
    DBGrDeclaracao->SetSelected({QStringLiteral("NR_PF_PJ\t18\tCPF/CNPJ"),
                                 QStringLiteral("NM_NM_EMPR\t32\tNome/Nome Empresarial"),
                                 QStringLiteral("AN_RETENCA\t4\tAno")});
    return PaginaSobre("Panel8",
                       QStringLiteral("Selecione a declaração para onde os dados de comprovante serão importados."),
                       DBGrDeclaracao, 1);
}

QWidget* TFoAssistImportacao::CriaPagina11()
{
    TPaginaComFigura pagina = TPaginaComFigura::Cria(
        QStringLiteral("Panel11"), {QStringLiteral("Importação de Comprovantes de Rendimentos Concluída.")},
        TImagem::Importar);
    lblComprImportados = Contador("lblComprImportados");
    lblComprRejeitados = Contador("lblComprRejeitados");
    auto* contadores = new QWidget;
    auto* grade = new QFormLayout(contadores);
    grade->setContentsMargins(0, 0, 0, 0);
    grade->addRow(QStringLiteral("Comprovantes de Rendimentos importados:"), lblComprImportados);
    grade->addRow(QStringLiteral("Quantidade de Registros rejeitada:"), lblComprRejeitados);
    pagina.Acrescenta(contadores);
    MostraRelErroCompr = new QCheckBox(QStringLiteral("Mostrar &Relatório de Erros"));
    MostraRelErroCompr->setObjectName(QStringLiteral("MostraRelErroCompr"));
    MostraRelErroCompr->setChecked(true);
    pagina.Acrescenta(MostraRelErroCompr);
    MostraRelErroCompr->hide();
    return pagina.Painel;
}

void TFoAssistImportacao::showEvent(QShowEvent* evento)
{
    PosicionaAssistente(*this);
    TFormAssist::showEvent(evento);
}

void TFoAssistImportacao::MostraPagina(int n)
{
    ExibePagina(n);
    switch (n) {
    case 1:
        DefineBotoes(false, true, true, true);
        break;
    case 6:
    case 10:
        DefineBotoes(false, false, false, true);
        break;
    case 7:
        DefineBotoes(false, false, true, false);
        break;
    case 11:
    case 12:
        DefineBotoes(false, false, true, true);
        break;
    default:
        DefineBotoes(true, true, true, true);
        break;
    }
    const bool final = n == 7 || n == 11 || n == 12;
    MostraFechar(final);
    if (n >= 2)
        FocaBotoes();
}

bool TFoAssistImportacao::ExecutaEtapa(int n)
{
    switch (n) {
    case 3:
        Descomprime();
        break;
    case 4:
        LeDeclarante();
        break;
    case 5:
        PassaNomeEAno();
        break;
    case 6:
        Importa();
        return FResultadoImportacao == 0;
    case 7:
        MostraRelatorioDeclaracao();
        break;
    case 8:
        if (!TbPruv->Active() && AbreTabela(*TbPruv)) {
            SelecionaIndiceTabela(*TbPruv, QStringLiteral("IChavePruv"));
            TbPruv->SetFilter(QStringLiteral("AN_RETENCA  >= 2001"));
            TbPruv->SetFiltered(true);
            if (TField* ni = TbPruv->FieldByName(QStringLiteral("NR_PF_PJ"))) {
                const TField* especie = TbPruv->FieldByName(QStringLiteral("IN_PF_PJ"));
                // The declarant's number with its check digits, formatted.
                ni->OnGetText = [especie](TField* campo, QString& texto, bool) {
                    const QString raiz = campo->AsString();
                    const bool cpf = especie && especie->AsString() == QString::number(TNiContribuinte::Cpf);
                    texto = cpf ? FormataCpf(raiz + CalculaDVCpf(raiz)) : FormataCnpj(raiz + CalculaDVCnpj(raiz));
                };
            }
            DBGrDeclaracao->SetDataSource(DsPruv.get());
        }
        break;
    case 9:
        AmostraComprovantes();
        break;
    case 10:
        ImportaComprovantes();
        break;
    default:
        break;
    }
    return true;
}

bool TFoAssistImportacao::PodeAvancar(int etapa)
{
    switch (etapa) {
    case 2: {
        const QString caminho = EdArquivo->text().trimmed();
        if (caminho.isEmpty())
            return false;
        QFile arquivo(caminho);
        if (!QFileInfo(caminho).isFile() || !arquivo.open(QIODevice::ReadOnly))
            return false;
        TLeitorLinhas leitor(arquivo);
        QString linha;
        return leitor.LeLinha(linha);
    }
    case 4: {
        QString nome = DENome->text().trimmed();
        if (nome.isEmpty()) {
            TErro(CodigoMensagem::NomeInvalido, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
            return false;
        }
        if (CbAnoRet->currentText().trimmed().size() != 4) {
            TErro(CodigoMensagem::AnoCalendarioInvalido, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
            return false;
        }
        if (PanelNatureza->isEnabled() && CbTipoDeclar->ItemIndex() < 0) {
            TErro(CodigoMensagem::NaturezaInvalida, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
            return false;
        }
        const TContribuinte& declarante = PruvImportacao->GetDeclarante();
        const std::uint8_t tipo = declarante.GetNi().isEmpty() ? declarante.Tipo() : declarante.TipoAtual();
        if (const std::uint8_t codigo = ConfereNome(nome, tipo, false); codigo != 0) {
            TErro(codigo, nome, TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
            return false;
        }
        return true;
    }
    case 8:
        return CarregaDeclaracaoEscolhida();
    default:
        return true;
    }
}

void TFoAssistImportacao::Cancela()
{
    FCancelado = true;
    TFormAssist::Cancela();
    CancelarCompressao();
}

void TFoAssistImportacao::reject()
{
    if (CancelBtn->isEnabled())
        TFormAssist::reject();
}

bool TFoAssistImportacao::Declaracoes() const
{
    return RBDeclaracao->isChecked();
}

// ---- page 2 ----

void TFoAssistImportacao::RBDeclaracaoClick()
{
    LDescrImportacao->setText(
        QStringLiteral("Você poderá importar arquivos de declarações gravadas pelo QWT PRUV2001 ou "
                       "anteriores, ou ainda, importar seus dados de um arquivo texto."));
}

void TFoAssistImportacao::RBComprovanteClick()
{
    LDescrImportacao->setText(QStringLiteral("\rVocê somente poderá importar dados de arquivo texto."));
}

void TFoAssistImportacao::BitBtn1Click()
{
    const QString filtro = RBDeclaracao->isChecked()
        ? QStringLiteral("Todos arquivos (*.*);;Arquivo texto (*.txt);;Pruv Original (*.dec *.d10 *.d00 *.d90 *.rfo);;"
                         "Pruv Retificadora (*.d21 *.d11 *.d01 *.d91 *.rfr)")
        : QStringLiteral("Todos arquivos (*.*);;Arquivo texto (*.txt)");
    const QString pasta = QFileInfo(FDiretorio).isDir() ? FDiretorio : DiretorioPrograma();
    const QString escolhido = DialogoAbrir(pasta, filtro);
    if (escolhido.isEmpty())
        return;
    EdArquivo->setText(QDir::toNativeSeparators(escolhido));
    FDiretorio = QFileInfo(escolhido).absolutePath();
}

void TFoAssistImportacao::BuscaInformacaoIni()
{
    FDiretorio = TArquivoIni::LeString(Secao, QStringLiteral("Diretorio"), DiretorioPrograma());
}

void TFoAssistImportacao::GravaDadosIni()
{
    GravaIni("Diretorio", FDiretorio);
}

int TFoAssistImportacao::Escolha(bool& Repetir)
{
    PruvImportacao->Limpa();
    FErrosImportacao.Limpa();
    ArquivoImportacao = EdArquivo->text().trimmed();
    if (RBComprovante->isChecked())
        return 8;
    GravaIni("ArqImporta", ArquivoImportacao);
    const QString extensao = QLatin1Char('.') + QFileInfo(ArquivoImportacao).suffix().toUpper();
    ArquivoCompactado = false;
    FFormato = 0;
    if (Entre(extensao,
              {ExtensoesAnoDoisDigitos[0], ExtensoesAnoDoisDigitos[1], ExtensoesAnoDoisDigitos[2],
               ExtensoesAnoDoisDigitos[3], ExtensoesAnoDoisDigitos[4], ExtensoesAnoDoisDigitos[5]})) {
        ArquivoCompactado = true;
        FFormato = FormatoAnoDoisDigitos;
    } else if (Entre(extensao, {ExtensoesCompactadas[0], ExtensoesCompactadas[1], ExtensoesCompactadas[2]})) {
        ArquivoCompactado = true;
    }
    if (ArquivoCompactado) {
        Repetir = true;
        return 3;
    }
    return 4;
}

// ---- step 3: unpacking ----

void TFoAssistImportacao::Descomprime()
{
    for (QPushButton* botao : {BtnRetornar, BtnAvancar, BtnOK})
        botao->setEnabled(false);
    Gauge3->setValue(0);
    const QString origem = ArquivoImportacao;
    try {
        ResultadoDescompressao = DescomprimirPruv(origem, DiretorioDados(), [this](int percentual) {
            Gauge3->setValue(percentual);
            Gauge3->repaint();
            InterfaceUsuario::Atividade().MantemVivo();
        });
    } catch (const std::exception& e) {
        qWarning("declaration %s not unpacked: %s", qUtf8Printable(origem), e.what());
        ResultadoDescompressao = ResultadoCompressao::Falha;
    }
    ArquivoImportacao = DiretorioDados() + QStringLiteral("/declar.txt");
    FDescompactado = true;
}

int TFoAssistImportacao::DestinoDescompressao()
{
    switch (ResultadoDescompressao) {
    case ResultadoCompressao::Ok:
        return 4;
    case ResultadoCompressao::Cancelado:
        MostraErro(TextoCancelada);
        return 12;
    case ResultadoCompressao::FormatoDesconhecido:
        MostraErro(TextoFormatoAntigo);
        return 12;
    default:
        MostraErro(TextoDescompactacao);
        return 12;
    }
}

void TFoAssistImportacao::MostraErro(const QString& Texto)
{
    LErro->setText(Texto);
}

// ---- step 4: the declarant ----

void TFoAssistImportacao::LeDeclarante()
{
    FocaPrimeiro(DENome, nullptr, nullptr, nullptr);
    TContribuinte& declarante = PruvImportacao->GetDeclarante();
    declarante.Nome().SetPermiteVazio(true);
    grdImpDecl->Limpa();
    CodigoNatureza = -1;
    NomeArquivo.clear();

    TAmostraDeclaracao amostra;
    if (!amostra.Le(ArquivoImportacao, FFormato)) {
        TErro::MostraMensagem(QStringLiteral("Não foi possível ler o arquivo ") + ArquivoImportacao, TipoDialogo::Erro,
                              Botao::Ok, 0);
        return;
    }
    FErrosImportacao.Limpa();
    if (amostra.Tipo == QLatin1Char('1')) {
        PruvImportacao->SetAnoSemExcecao(amostra.Ano);
        if (!FErrosImportacao.Vazia()) {
            FErrosImportacao.Limpa();
            PruvImportacao->SetAnoSemExcecao(QStringLiteral("2001"));
        }
        NomeArquivo = amostra.Nome;
        declarante.Nome().SetNomeSemExcecao(amostra.Nome);
        if (!amostra.Ni.isEmpty())
            declarante.SetNiSemExcecao(amostra.Ni);
    } else if (!amostra.Ni.isEmpty()) {
        declarante.SetNiSemExcecao(amostra.Ni);
    }
    if (PruvImportacao->GetAno().isEmpty())
        PruvImportacao->SetAnoSemExcecao(CbAnoRet->currentText());
    if (amostra.Natureza.isDigit()) {
        CodigoNatureza = amostra.Natureza.digitValue();
        PruvImportacao->AtualizaNaturezas();
        if (const TNatureza* natureza = PruvImportacao->GetNaturezas().GetDisponivel(
                static_cast<std::uint8_t>(CodigoNatureza)))
            PruvImportacao->SetNaturezaSemExcecao(*natureza);
    }
    FErrosImportacao.Limpa();
    ProcuraDeclaracao();

    for (std::size_t i = 0; i < amostra.Amostras.size(); ++i)
        for (int c = 0; c < TPruvGridImpDecl::Colunas; ++c)
            grdImpDecl->SetTexto(c, static_cast<int>(i) + 1, amostra.Amostras[i].value(c));
    grdImpDecl->update();
}

void TFoAssistImportacao::ProcuraDeclaracao()
{
    const QScopedValueRollback<bool> preenchendo(FPreenchendo, true);
    bool encontrada = false;
    if (!PruvImportacao->GetDeclarante().GetNi().isEmpty()) {
        const TNatureza* natureza = &PruvImportacao->GetNatureza();
        const QString nome = PruvImportacao->GetDeclarante().Nome().GetTexto();
        try {
            encontrada = FColecao.Carrega(*PruvImportacao);
        } catch (const TErro& e) {
            e.Exibe();   // a stored declaration that cannot be read: the file's data are offered
        }
        FErrosImportacao.Limpa();
        if (!encontrada) {
            PruvImportacao->GetDeclarante().Nome().SetNomeSemExcecao(nome);
            PruvImportacao->SetNaturezaSemExcecao(*natureza);
        }
    }
    if (!encontrada) {
        PruvImportacao->SetChave(QString());
        PruvImportacao->AtualizaNaturezas();
        if (CodigoNatureza >= 0) {
            if (const TNatureza* natureza = PruvImportacao->GetNaturezas().GetDisponivel(
                    static_cast<std::uint8_t>(CodigoNatureza)))
                PruvImportacao->SetNaturezaSemExcecao(*natureza);
        }
        PruvImportacao->GetDeclarante().Nome().SetNomeSemExcecao(NomeArquivo);
        FErrosImportacao.Limpa();
    }
    DENome->setText(PruvImportacao->GetDeclarante().Nome().GetTexto());
    CbAnoRet->setCurrentText(PruvImportacao->GetAno());
    PreencheNaturezas();
    TravaPainel(encontrada);
}

void TFoAssistImportacao::PreencheNaturezas()
{
    const QScopedValueRollback<bool> preenchendo(FPreenchendo, true);
    const TNaturezas& naturezas = PruvImportacao->GetNaturezas();
    PreencheCombo(*CbTipoDeclar, naturezas);
    if (CbTipoDeclar->QuantidadeItens() > 0)
        CbTipoDeclar->SetItemIndex(naturezas.IndiceDisponivel(&PruvImportacao->GetNatureza()));
    const QFontMetrics medidas(CbTipoDeclar->font());
    int largura = CbTipoDeclar->width();
    for (const QString& descricao : CbTipoDeclar->Items().Strings())
        largura = std::max(largura, medidas.horizontalAdvance(descricao) + 8);
    CbTipoDeclar->DropDownWidth = largura;
    DicaNatureza();
}

void TFoAssistImportacao::DicaNatureza()
{
    const int i = CbTipoDeclar->ItemIndex();
    CbTipoDeclar->setToolTip(i >= 0 && i < CbTipoDeclar->QuantidadeItens() ? CbTipoDeclar->Items()[i] : QString());
}

void TFoAssistImportacao::DesenhaNatureza(int Indice, QPainter& p, const QRect& r, unsigned Estado) const
{
    const QPalette::ColorGroup grupo = CbTipoDeclar->isEnabled() ? QPalette::Active : QPalette::Disabled;
    const bool destacado = (Estado & odSelected) != 0 || ((Estado & odFocused) != 0 && CbTipoDeclar->hasFocus());
    const QPalette& paleta = CbTipoDeclar->palette();
    p.fillRect(r, paleta.color(grupo, destacado ? QPalette::Highlight : QPalette::Base));
    if (Indice < 0 || Indice >= CbTipoDeclar->QuantidadeItens())
        return;
    p.setPen(paleta.color(grupo, destacado ? QPalette::HighlightedText : QPalette::Text));
    p.setFont(CbTipoDeclar->font());
    const QRect texto = r.adjusted(3, 0, -3, 0);
    const QString& descricao = CbTipoDeclar->Items()[Indice];
    // Wrapped where the rectangle holds it (the box), shortened where it cannot (a row of the list).
    constexpr int quebra = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    if (p.fontMetrics().boundingRect(texto, quebra, descricao).height() <= texto.height())
        p.drawText(texto, quebra, descricao);
    else
        p.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(descricao, Qt::ElideRight, texto.width()));
}

int TFoAssistImportacao::AlturaDaNatureza(const QFontMetrics& Medidas)
{
    // Two lines and the frame round them: the longest description wraps once at the page's width.
    return 2 * Medidas.lineSpacing() + 6;
}

void TFoAssistImportacao::TravaPainel(bool Encontrada)
{
    PanelNome->setEnabled(!Encontrada);
    PanelNatureza->setEnabled(!Encontrada && CbTipoDeclar->QuantidadeItens() > 0);
    QPalette paleta = DENome->palette();
    paleta.setColor(QPalette::Base, Encontrada ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
    DENome->setPalette(paleta);
}

void TFoAssistImportacao::CbAnoRetChange()
{
    PruvImportacao->SetChave(QString());
    FErrosImportacao.Limpa();
    PruvImportacao->SetAnoSemExcecao(CbAnoRet->currentText());
    FErrosImportacao.Limpa();
    ProcuraDeclaracao();
}

void TFoAssistImportacao::CbTipoDeclarChange()
{
    DicaNatureza();
    const auto& disponiveis = PruvImportacao->GetNaturezas().GetDisponiveis();
    const int i = CbTipoDeclar->ItemIndex();
    if (i < 0 || i >= static_cast<int>(disponiveis.size()))
        return;
    const TNatureza* escolhida = disponiveis[static_cast<std::size_t>(i)];
    CodigoNatureza = escolhida->GetCodigo();
    TContribuinte& declarante = PruvImportacao->GetDeclarante();
    if (declarante.GetNi().isEmpty()) {
        const bool pessoa = escolhida == &PruvImportacao->GetNaturezas().GetTodas()[NaturezaPessoaFisica];
        declarante.SetTipo(pessoa ? TNiContribuinte::Cpf : TNiContribuinte::Cnpj);
    }
}

void TFoAssistImportacao::DENomeExit()
{
    NomeArquivo = DENome->text();
}

// ---- steps 5 and 6: the import ----

void TFoAssistImportacao::PassaNomeEAno()
{
    FErrosImportacao.Limpa();
    PruvImportacao->GetDeclarante().Nome().SetNomeSemExcecao(DENome->text().trimmed());
    if (PruvImportacao->GetAno() != CbAnoRet->currentText())
        PruvImportacao->SetAnoSemExcecao(CbAnoRet->currentText());
    FErrosImportacao.Limpa();
}

void TFoAssistImportacao::Importa()
{
    TPruv& alvo = *PruvImportacao;
    const int i = CbTipoDeclar->ItemIndex();
    if (i >= 0) {
        const auto& disponiveis = alvo.GetNaturezas().GetDisponiveis();
        const auto todas = alvo.GetNaturezas().GetTodas();
        const TNatureza& natureza = i < static_cast<int>(disponiveis.size()) ? *disponiveis[static_cast<std::size_t>(i)]
                                                                             : todas[TPruv::NaturezaVazia];
        alvo.SetNaturezaSemExcecao(natureza);
        if (natureza.GetDescricao() == QLatin1String("Pessoa Física"))
            alvo.GetDeclarante().SetTipo(TNiContribuinte::Cpf);
    }
    FErrosImportacao.Limpa();
    Gauge1->setValue(0);
    TProgressoQt gauge(Gauge1);
    TImportacaoPruv importacao;
    TPedidoImportacao pedido(ArquivoImportacao, alvo);
    pedido.Cancelado = &FCancelado;
    pedido.ArquivoCompactado = ArquivoCompactado;
    pedido.Leiaute = FFormato;
    pedido.Gauge = &gauge;
    // The log is named for the declarant this file brings, not after an earlier import, whose
    // log the clerk may still be correcting: no name is given.
    const TResultadoImportacao resultado = importacao.Importa(FColecao, pedido);
    FResultadoImportacao = resultado.Codigo;
    FNomeErro = resultado.NomeLog;
    FContadores = resultado.Contadores;
    LbTotDecImp->setText(QString::number(FContadores.Declaracoes));
    LbTotBenefAdic->setText(QString::number(FContadores.BeneficiariosAdicionados));
    LbTotBenefSubs->setText(QString::number(FContadores.BeneficiariosSubstituidos));
    LbDescartados->setText(QString::number(FContadores.BeneficiariosRejeitados));
    LbTotRej->setText(QString::number(FContadores.RegistrosRejeitados));
    LbAnexosAdic->setText(QString::number(FContadores.Fundos));
    LbAvisos->setText(QString::number(FContadores.Avisos));
}

int TFoAssistImportacao::DestinoImportacao()
{
    if (FResultadoImportacao == 0)
        return 7;
    MostraErro(TErro::Mensagem(FResultadoImportacao));
    return 12;
}

void TFoAssistImportacao::MostraRelatorioDeclaracao()
{
    const QFileInfo erros(TPastas::ErroImp() + QLatin1Char('/') + FNomeErro + QStringLiteral(".txt"));
    CheckMostrRel->setVisible(!FNomeErro.trimmed().isEmpty() && erros.isFile() && erros.size() > 0);
}

// ---- steps 8 to 10: income statements ----

bool TFoAssistImportacao::CarregaDeclaracaoEscolhida()
{
    if (!TbPruv->Active() || TbPruv->IsEmpty())
        return false;
    PruvImportacao->Limpa();
    FErrosImportacao.Limpa();
    PruvImportacao->SetChave(TbPruv->FieldByName(QStringLiteral("PRUV_DK"))->AsString());
    try {
        return FColecao.Carrega(*PruvImportacao);
    } catch (const TErro& e) {
        e.Exibe();
        return false;
    }
}

void TFoAssistImportacao::AmostraComprovantes()
{
    QFile arquivo(ArquivoImportacao);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        TErro::MostraMensagem(QStringLiteral("Não foi possível ler o arquivo ") + ArquivoImportacao, TipoDialogo::Erro,
                              Botao::Ok, 0);
        return;
    }
    TLeitorLinhas leitor(arquivo);
    QString linha;
    int linhaGrade = 1;
    while (linhaGrade <= TAmostraDeclaracao::MaximoAmostras && leitor.LeLinha(linha)) {
        if (linha.trimmed().isEmpty())
            continue;
        grdImpCompr->AdicionaLinha(linhaGrade++, linha);
    }
}

void TFoAssistImportacao::ImportaComprovantes()
{
    Gauge2->setValue(0);
    TProgressoQt gauge(Gauge2);
    TArqComprovante importacao(ArquivoImportacao, *PruvImportacao);
    importacao.Importa(&gauge);   // a failure was shown; the counts say what came in
    lblComprImportados->setText(QString::number(importacao.Importadas()));
    lblComprRejeitados->setText(QString::number(importacao.Rejeitadas()));
    FComprRejeitados = importacao.Rejeitadas();
    FNomeLogCompr = importacao.NomeLog();
    MostraRelErroCompr->setVisible(FComprRejeitados > 0);
}

// ---- the steps ----

bool TEstadoImportacao1::Evento(int codigo)
{
    return Vai(2, codigo == TAssistente::BotaoConcluir);
}

bool TEstadoImportacao2::Evento(int codigo)
{
    bool repetir = codigo == TAssistente::BotaoConcluir;
    const int proximo = Assistente().Escolha(repetir);
    return Vai(proximo, repetir);
}

bool TEstadoImportacao3::Evento(int codigo)
{
    return Vai(Assistente().DestinoDescompressao(), codigo == TAssistente::BotaoConcluir);
}

bool TEstadoImportacao4::Evento(int codigo)
{
    return Vai(5, codigo == TAssistente::BotaoConcluir);
}

bool TEstadoImportacao5::Evento(int)
{
    return Vai(6, true);
}

bool TEstadoImportacao6::Evento(int)
{
    return Vai(Assistente().DestinoImportacao(), false);
}

bool TEstadoImportacao7::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoImportacao8::Evento(int codigo)
{
    return Vai(9, codigo == TAssistente::BotaoConcluir);
}

bool TEstadoImportacao9::Evento(int)
{
    return Vai(10, true);
}

bool TEstadoImportacao10::Evento(int)
{
    return Vai(11, false);
}

bool TEstadoImportacao11::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoImportacao12::Evento(int)
{
    return Vai(0, false);
}

bool ExecutaAssistImportacao(QString& NomeErro, TColecaoPruv& Colecao, bool& MostraRelatorio, int& Linhas,
                             QWidget* Dono)
{
    MostraRelatorio = false;
    Linhas = 0;
    if (Existente)
        return false;
    auto assistente = std::make_unique<TFoAssistImportacao>(Colecao, NomeErro, Dono);
    Existente = assistente.get();
    const auto esquece = qScopeGuard([] {
        Existente = nullptr;
        QDir::setCurrent(DiretorioPrograma());
    });
    assistente->RBComprovante->setEnabled(!Colecao.EstaVazia());
    assistente->ExibeModal();
    assistente->GravaDadosIni();
    const TResultadoImportacao::TContadores& n = assistente->Contadores();
    Linhas = n.RegistrosRejeitados + n.Avisos;
    if (assistente->Declaracoes()) {
        NomeErro = assistente->NomeErro();
        MostraRelatorio = !assistente->CheckMostrRel->isHidden() && assistente->CheckMostrRel->isChecked();
        return n.Declaracoes > 0;
    }
    if (!assistente->MostraRelErroCompr->isHidden() && assistente->MostraRelErroCompr->isChecked()
        && assistente->ComprovantesRejeitados() > 0) {
        if (Impressoras::Atual().ExisteImpressora())
            ExibeErrosImportCompr(assistente->NomeLogComprovantes(), assistente->ComprovantesRejeitados());
        else
            TErro(CodigoMensagem::SemDriverDeImpressao, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
    }
    return false;
}
