#include "reports/printing/TFoAssistRelatorios.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <span>
#include <utility>
#include <vector>

#include "assistants/verification/TFoPendencias.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "shell/common/ContextoAjuda.h"
#include "model/people/TNi.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/TDmGeral.h"

const QString TFoAssistRelatorios::TextoSemBeneficiarios = QStringLiteral(
    "O relatório não será impresso pois a declaração não possui nenhum beneficiário.");
const QString TFoAssistRelatorios::TextoSemComprovantes = QStringLiteral(
    "Esta declaração não possui nenhum beneficiário, portanto não pode ser impresso comprovante de "
    "rendimentos.");
const QString TFoAssistRelatorios::TextoSemArquivo = QStringLiteral(
    "Nenhuma declaração foi selecionada para que o recibo fosse impresso.");

namespace {

const QColor AzulTitulo(0, 0, 128);

// The one assistant that runs; nullptr when none.
TFoAssistRelatorios* Instancia = nullptr;

QString ArquivoIni()
{
    return TPastas::Dados() + QStringLiteral("/Pruv.ini");
}

// A radio button per value of a key, in the order of the values.
struct TChaveIni {
    const char* Secao;
    const char* Chave;
    std::vector<std::pair<const char*, QRadioButton*>> Valores;
};

std::vector<TChaveIni> ChavesIni(const TFoAssistRelatorios& a)
{
    return {
        {"Relatorio",
         "Tipo",
         {{"ListaBeneficiario", a.RBListaBenef},
          {"TotaisCodigo", a.RBTotaisCodigo},
          {"TotalMensalCodigo", a.RBTotalMensalCodigo},
          {"Gerencial", a.RBGerencial}}},
        {"Relatorio", "Detalhamento", {{"Sintetico", a.RBSintetico}, {"Analitico", a.RBAnalitico}}},
        {"Beneficiarios", "Ordenacao", {{"Alfabetica", a.RBOrdemAlfab}, {"CPF", a.RBOrdemCPF}}},
        {"Relatorio", "Impressao", {{"Visualizar", a.RBVisualizar}, {"Imprimir", a.RBImprimir}}},
        {"Relatorio",
         "Base",
         {{"Declaracao", a.RBDeclaracao},
          {"Recibo", a.RBRecibo},
          {"Comprovante", a.RBComprovante},
          {"Verificacao", a.RBVerificacao},
          {"Demais", a.RBDemaisRelatorios}}},
        {"Comprovante", "Beneficiarios", {{"Todos", a.RBTodosComprovantes}, {"Um", a.RBUmBeneficiario}}},
    };
}

void Linhas(const std::span<QLabel*> rotulos, const QStringList& textos)
{
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        const bool tem = i < std::size_t(textos.size()) && !textos[qsizetype(i)].isNull();
        rotulos[i]->setText(tem ? textos[qsizetype(i)] : QString());
        rotulos[i]->setVisible(tem);
    }
}

const QStringList Nomes = {QStringLiteral("Ana"), QStringLiteral("Bruno"), QStringLiteral("Carlos")};

bool BotaoDoPasso(int codigo)
{
    return codigo == TAssistente::BotaoAvancar || codigo == TAssistente::BotaoConcluir;
}

bool Conclui(int codigo)
{
    return codigo == TAssistente::BotaoConcluir;
}

}   // namespace

TFoAssistRelatorios::TFoAssistRelatorios(TPruv& Pruv, TColecaoPruv& Colecao, bool Aberta, QWidget* owner)
    : TFormAssist(owner)
    , FPruv(Pruv)
    , FColecao(Colecao)
    , FAberta(Aberta)
{
    setObjectName(QStringLiteral("FoAssistRelatorios"));
    setWindowTitle(QStringLiteral("Assistente de Impressão"));
    resize(Largura, Altura);
    FTbPruv = CriaTabela(QStringLiteral("Pruv"));
    FTbPruv->SetName(QStringLiteral("TbPruv"));
    FDsPruv = std::make_unique<TDataSource>();
    FDsPruv->SetDataSet(FTbPruv.get());

    for (int n = 1; n <= 12; ++n)
        DefinePagina(n, CriaPagina(n));
    // A list of beneficiaries has no detail of its own: the synthetic one.
    connect(RBListaBenef, &QRadioButton::clicked, this, [this] { RBSintetico->setChecked(true); });
    AdicionaEstado(std::make_unique<TEstadoRelatorios1>(*this, 1));
    AdicionaEstado(std::make_unique<TEstadoRelatorios2>(*this, 2));
    AdicionaEstado(std::make_unique<TEstadoRelatorios3>(*this, 3));
    AdicionaEstado(std::make_unique<TEstadoRelatorios4>(*this, 4));
    AdicionaEstado(std::make_unique<TEstadoRelatorios5>(*this, 5));
    AdicionaEstado(std::make_unique<TEstadoRelatorios6>(*this, 6));
    AdicionaEstado(std::make_unique<TEstadoRelatorios7>(*this, 7));
    AdicionaEstado(std::make_unique<TEstadoRelatorios8>(*this, 8));
    AdicionaEstado(std::make_unique<TEstadoRelatorios9>(*this, 9));
    AdicionaEstado(std::make_unique<TEstadoRelatorios10>(*this, 10));
    AdicionaEstado(std::make_unique<TEstadoRelatorios11>(*this, 11));
    AdicionaEstado(std::make_unique<TEstadoRelatorios12>(*this, 12));

    if (AbreTabela(*FTbPruv)) {
        SelecionaIndiceTabela(*FTbPruv, QStringLiteral("IChavePruv"));
        FTbPruv->First();
    }
    // Statements exist from the year 2001 on.
    if (FAberta && FPruv.GetAno() < QLatin1String("2001"))
        RBComprovante->setEnabled(false);
    // The pending-items report is that window's.
    if (!FoPendencias())
        RBVerificacao->setEnabled(false);

    // The examples follow the choices read.
    BuscaInformacaoIni();

    DefineHelpContext(*this, HelpContext);
    EstadoPrograma::ContextoAjuda = HelpContext;
    Processa();
}

TFoAssistRelatorios::~TFoAssistRelatorios()
{
    // The grid lets go of its table before the table goes.
    DBGrDeclaracao->SetDataSource(nullptr);
}

// ---- the pages ----

QRadioButton* TFoAssistRelatorios::Opcao(QWidget* pai, const char* nome, const char* texto)
{
    auto* opcao = new QRadioButton(QString::fromUtf8(texto), pai);
    opcao->setObjectName(QLatin1String(nome));
    pai->layout()->addWidget(opcao);
    return opcao;
}

QWidget* TFoAssistRelatorios::PaginaComFigura(const QString& nome, QWidget* conteudo)
{
    auto* painel = new QWidget;
    painel->setObjectName(nome);
    auto* figura = new QLabel(painel);
    figura->setObjectName(QStringLiteral("Image") + nome.mid(5));
    figura->setPixmap(TDmGeral::IlCor(TImagem::Imprimir).scaled(TDmGeral::Tamanho * 3));
    figura->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* layout = new QHBoxLayout(painel);
    layout->setContentsMargins(12, 12, 12, 4);
    layout->setSpacing(16);
    layout->addWidget(figura, 0, Qt::AlignTop);
    conteudo->setParent(painel);
    layout->addWidget(conteudo, 1);
    return painel;
}

namespace {

// A column of the prompt and the choices beneath it, and beside them an example of the report.
struct TColuna {
    QWidget* Conteudo;
    QWidget* Opcoes;
    QFrame* Exemplo = nullptr;
};

TColuna Coluna(const QString& prompt, bool exemplo)
{
    TColuna c{new QWidget, new QWidget};
    auto* layout = new QGridLayout(c.Conteudo);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!prompt.isEmpty()) {
        auto* rotulo = new QLabel(prompt, c.Conteudo);
        rotulo->setWordWrap(true);
        layout->addWidget(rotulo, 0, 0, 1, 2);
    }
    auto* opcoes = new QVBoxLayout(c.Opcoes);
    opcoes->setContentsMargins(8, 4, 0, 0);
    c.Opcoes->setParent(c.Conteudo);
    layout->addWidget(c.Opcoes, 1, 0, Qt::AlignTop);
    if (exemplo) {
        c.Exemplo = new QFrame(c.Conteudo);
        c.Exemplo->setFrameShape(QFrame::Box);
        c.Exemplo->setAutoFillBackground(true);
        QPalette paleta = c.Exemplo->palette();
        paleta.setColor(QPalette::Window, Qt::white);
        c.Exemplo->setPalette(paleta);
        c.Exemplo->setFixedWidth(250);
        auto* linhas = new QVBoxLayout(c.Exemplo);
        linhas->setContentsMargins(6, 4, 6, 4);
        linhas->setSpacing(0);
        layout->addWidget(c.Exemplo, 1, 1, Qt::AlignTop);
    }
    layout->setRowStretch(2, 1);
    return c;
}

void CriaExemplo(QFrame* exemplo, std::span<QLabel*> rotulos, const char* prefixo)
{
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        auto* rotulo = new QLabel(exemplo);
        rotulo->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(prefixo)).arg(i + 1));
        QFont fonte = rotulo->font();
        fonte.setPointSizeF(fonte.pointSizeF() * 0.85);
        fonte.setBold(i < 2 && rotulos.size() > 3);   // the title lines of a report's sample
        rotulo->setFont(fonte);
        exemplo->layout()->addWidget(rotulo);
        rotulos[i] = rotulo;
    }
    static_cast<QVBoxLayout*>(exemplo->layout())->addStretch();
}

// A page whose controls go one under the other, over its whole width.
QWidget* PaginaEmColuna(const QString& nome)
{
    auto* painel = new QWidget;
    painel->setObjectName(nome);
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(12, 8, 12, 4);
    return painel;
}

QWidget* Texto(const QString& nome, const QStringList& textos, QLabel** rotulo = nullptr)
{
    auto* coluna = new QWidget;
    auto* layout = new QVBoxLayout(coluna);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const QString& texto : textos) {
        auto* l = new QLabel(texto, coluna);
        l->setWordWrap(true);
        l->setObjectName(nome);
        layout->addWidget(l);
        if (rotulo)
            *rotulo = l;
    }
    layout->addStretch();
    return coluna;
}

}   // namespace

QWidget* TFoAssistRelatorios::PaginaDeOpcoes(const QString& nome, const QString& prompt,
                                             std::initializer_list<TOpcao> opcoes, std::span<QLabel*> exemplo,
                                             const char* prefixo, void (TFoAssistRelatorios::*aoClicar)())
{
    TColuna c = Coluna(prompt, !exemplo.empty());
    for (const TOpcao& opcao : opcoes) {
        *opcao.Botao = Opcao(c.Opcoes, opcao.Nome, opcao.Texto);
        if (aoClicar)
            connect(*opcao.Botao, &QRadioButton::clicked, this, aoClicar);
    }
    (*opcoes.begin()->Botao)->setChecked(true);
    if (!exemplo.empty())
        CriaExemplo(c.Exemplo, exemplo, prefixo);
    return PaginaComFigura(nome, c.Conteudo);
}

void TFoAssistRelatorios::CriaGrade(QWidget* pai)
{
    FTbPruv->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    auto ano = std::make_unique<TField>(ftString, QStringLiteral("AN_RETENCA"), 4);
    ano->SetAlignment(taCenter);
    FTbPruv->AddField(std::move(ano));
    FTbPruv->OnCalcFields = [this](TDataSet* tabela) { TbPruvCalcFields(tabela); };
    DBGrDeclaracao = new TdvDBGrid(pai);
    DBGrDeclaracao->setObjectName(QStringLiteral("DBGrDeclaracao"));
    DBGrDeclaracao->SetSelected({QStringLiteral("CPF_CNPJ\t18\tCPF/CNPJ"),
                                 QStringLiteral("NM_NM_EMPR\t46\tNome/Nome Empresarial"),
                                 QStringLiteral("AN_RETENCA\t4\tAno")});
    DBGrDeclaracao->SetOptions((DBGrDeclaracao->Options() | dgRowSelect | dgAlwaysShowSelection | dgTitles)
                               & ~TdvDBGridOptions(dgEditing | dgIndicator));
    DBGrDeclaracao->SetReadOnly(true);
    QFont titulo(QStringLiteral("Arial"));
    titulo.setPointSize(8);
    DBGrDeclaracao->SetTitleFont({titulo, Qt::white});
    DBGrDeclaracao->SetTitleColor(AzulTitulo);
    QFont linhas(QStringLiteral("Arial"));
    linhas.setPointSize(8);
    linhas.setBold(true);
    DBGrDeclaracao->setFont(linhas);
    DBGrDeclaracao->SetDataSource(FDsPruv.get());
    DBGrDeclaracao->OnDblClick = [this](TCustomGrid*) { AvancaSeHabilitado(); };
    pai->layout()->addWidget(DBGrDeclaracao);
}

void TFoAssistRelatorios::TbPruvCalcFields(TDataSet* tabela)
{
    QString ni = tabela->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed();
    ni += CalculaDV(ni);
    FormataNi(ni);
    tabela->FieldByName(QStringLiteral("CPF_CNPJ"))->SetAsString(ni);
}

QWidget* TFoAssistRelatorios::CriaPagina(int n)
{
    const QString nome = QStringLiteral("Panel%1").arg(n == 12 ? 13 : n);
    switch (n) {
    case 1:
        return PaginaComFigura(
            nome,
            Texto(QStringLiteral("Label1"),
                  {QStringLiteral("Com este assistente você pode especificar que tipo de relatório deseja. O "
                                  "funcionamento é simples. Basta clicar no botão \"Avançar\" e ir respondendo "
                                  "às questões que vão sendo apresentadas.")}));
    case 2:
        return PaginaDeOpcoes(nome, QStringLiteral("Escolha o tipo de relatório na lista abaixo:"),
                              {{&RBListaBenef, "RBListaBenef", "&Lista de Beneficiários"},
                               {&RBTotaisCodigo, "RBTotaisCodigo", "&Totais por Código"},
                               {&RBGerencial, "RBGerencial", "&Gerencial"},
                               {&RBTotalMensalCodigo, "RBTotalMensalCodigo", "Total &Mensal por Código"}},
                              LbExemploTipo, "LbExemploTipo", &TFoAssistRelatorios::ExemploTipo);
    case 3:
        return PaginaDeOpcoes(nome, QStringLiteral("Qual o grau de detalhamento do relatório?"),
                              {{&RBSintetico, "RBSintetico", "Relatório &Sintético"},
                               {&RBAnalitico, "RBAnalitico", "Relatório Ana&lítico"}},
                              LbExemploDetalhe, "LbExemploDetalhe", &TFoAssistRelatorios::ExemploDetalhe);
    case 4:
        return PaginaDeOpcoes(nome, QStringLiteral("Como serão ordenados os beneficiários?"),
                              {{&RBOrdemAlfab, "RBOrdemAlfab", "Ordem Alfa&bética"},
                               {&RBOrdemCPF, "RBOrdemCPF", "Ordem de C&PF ou CNPJ"}},
                              LbExemploOrdem, "LbExemploOrdem", &TFoAssistRelatorios::ExemploOrdem);
    case 5:
        return PaginaDeOpcoes(nome,
                              QStringLiteral("Escolha abaixo a forma como quer que o relatório seja apresentado e "
                                             "clique em 'Concluir'."),
                              {{&RBVisualizar, "RBVisualizar", "Visualizar a impressão na &tela"},
                               {&RBImprimir, "RBImprimir", "&Imprimir"}});
    case 6:
        return PaginaDeOpcoes(nome, QStringLiteral("Escolha a impressão desejada:"),
                              {{&RBDeclaracao, "RBDeclaracao", "&Declaração Completa"},
                               {&RBRecibo, "RBRecibo", "&Recibo"},
                               {&RBComprovante, "RBComprovante", "Co&mprovante de Rendimentos"},
                               {&RBVerificacao, "RBVerificacao", "V&erificação de Pendências"},
                               {&RBDemaisRelatorios, "RBDemaisRelatorios", "Demai&s Relatórios"}});
    case 7: {
        QWidget* painel = PaginaEmColuna(nome);
        painel->layout()->addWidget(new QLabel(QStringLiteral("Selecione a declaração:"), painel));
        CriaGrade(painel);
        return painel;
    }
    case 8: {
        QWidget* painel = PaginaEmColuna(nome);
        auto* layout = static_cast<QVBoxLayout*>(painel->layout());
        auto* panel12 = new QWidget(painel);
        panel12->setObjectName(QStringLiteral("Panel12"));
        auto* radios = new QHBoxLayout(panel12);
        radios->setContentsMargins(0, 0, 0, 0);
        RBJahTransmitidas = new QRadioButton(QStringLiteral("Mostrar declarações já &transmitidas"), panel12);
        RBJahTransmitidas->setObjectName(QStringLiteral("RBJahTransmitidas"));
        RBNaoTransmitidas = new QRadioButton(QStringLiteral("Mostrar declarações em CD-ROM &não transmitidas"),
                                             panel12);
        RBNaoTransmitidas->setObjectName(QStringLiteral("RBNaoTransmitidas"));
        RBJahTransmitidas->setChecked(true);
        radios->addWidget(RBJahTransmitidas);
        radios->addWidget(RBNaoTransmitidas);
        panel12->hide();
        panel12->setEnabled(false);
        for (QRadioButton* b : {RBJahTransmitidas, RBNaoTransmitidas})
            connect(b, &QRadioButton::clicked, this, &TFoAssistRelatorios::ProcuraArquivosGravados);
        layout->addWidget(panel12);
        FrPesquisaDeclaracoes1 = new TFrPesquisaDeclaracoes(painel);
        FrPesquisaDeclaracoes1->setObjectName(QStringLiteral("FrPesquisaDeclaracoes1"));
        FrPesquisaDeclaracoes1->IncluiCDROM = true;
        FrPesquisaDeclaracoes1->OnChangeSelection = [this](TFrPesquisaDeclaracoes*) { HabilitaArquivosGravados(); };
        layout->addWidget(FrPesquisaDeclaracoes1);
        return painel;
    }
    case 9:
        return PaginaDeOpcoes(nome, QString(),
                              {{&RBTodosComprovantes, "RBTodosComprovantes", "&Todos os comprovantes"},
                               {&RBUmBeneficiario, "RBUmBeneficiario", "Comprovante de &um beneficiário"}});
    case 10: {
        QWidget* painel = PaginaEmColuna(nome);
        FrPesquisarPruv = new TFrPesquisarPruv(painel);
        FrPesquisarPruv->setObjectName(QStringLiteral("FrPesquisarPruv"));
        FrPesquisarPruv->SetSelBeneficiario(true);
        FrPesquisarPruv->OnGridDblClick = [this](TFrPesquisarPruv*) { AvancaSeHabilitado(); };
        painel->layout()->addWidget(FrPesquisarPruv);
        return painel;
    }
    case 11:
        return PaginaComFigura(nome, Texto(QStringLiteral("LbErroComprovRecibo"), {QString()}, &LbErroComprovRecibo));
    default:
        return PaginaComFigura(
            nome,
            Texto(QStringLiteral("Label12"),
                  {QStringLiteral("Se o recibo a ser impresso for relativo a declaração  gravada em disquete, "
                                  "certifique-se que o mesmo esteja inserido na unidade, antes de avançar. "),
                   QStringLiteral("O assistente pesquisará em todas as suas unidades de disco por declarações "
                                  "já gravadas e transmitidas.")}));
    }
}

void TFoAssistRelatorios::ExemploTipo()
{
    if (RBListaBenef->isChecked()) {
        Linhas(LbExemploTipo,
               {QStringLiteral("Listagem dos funcionários"), QStringLiteral("com totais anuais"), Nomes[0], Nomes[1],
                Nomes[2]});
    } else if (RBTotaisCodigo->isChecked()) {
        Linhas(LbExemploTipo,
               {QStringLiteral("Dados ordenados por código"), QStringLiteral("de retenção"),
                QStringLiteral("Código 0561"), QStringLiteral("Código 0588"), QStringLiteral("Código 0924")});
    } else if (RBTotalMensalCodigo->isChecked()) {
        Linhas(LbExemploTipo,
               {QStringLiteral("Dados totalizados mensalmente"), QStringLiteral("por código de retenção"),
                QStringLiteral("Código 0561"), QStringLiteral("     janeiro / fevereiro"),
                QStringLiteral("     março / Total")});
    } else if (RBGerencial->isChecked()) {
        Linhas(LbExemploTipo,
               {QStringLiteral("Informações gerais de"), QStringLiteral("todas as declarações"),
                QStringLiteral("Declarante xx.xxx.xxx"), QStringLiteral("Ano-calendário"), QStringLiteral("Original"),
                QStringLiteral("Responsável")});
    }
}

void TFoAssistRelatorios::ExemploDetalhe()
{
    if (RBSintetico->isChecked())
        Linhas(LbExemploDetalhe,
               {QStringLiteral("O Relatório Sintético é resumido,"),
                QStringLiteral("apresentando apenas os dados totais"), QStringLiteral("Código 0561"),
                QStringLiteral("Código 0764"), QStringLiteral("Código 8051")});
    else
        Linhas(LbExemploDetalhe,
               {QStringLiteral("O Relatório Analítico apresenta,"), QStringLiteral("dados de todos os beneficiários "),
                QStringLiteral("Código 0561"), QStringLiteral("     ") + Nomes[0], QStringLiteral("     ") + Nomes[1]});
}

void TFoAssistRelatorios::ExemploOrdem()
{
    if (RBOrdemAlfab->isChecked())
        Linhas(LbExemploOrdem, Nomes);
    else
        Linhas(LbExemploOrdem, {QStringLiteral("011.12..."), QStringLiteral("012.45..."), QStringLiteral("235.65...")});
}

void TFoAssistRelatorios::MostraPagina(int n)
{
    ExibePagina(n);
    BtnRetornar->setEnabled(n != 1);
    BtnAvancar->setEnabled(n != 5 && n != 11);
    BtnOK->setText(n == 11 ? QStringLiteral("F&echar") : QStringLiteral("C&oncluir"));
    BtnOK->setEnabled(n != 1);
    CancelBtn->setEnabled(true);
    if (n != 1)
        FocaBotoes();
}

bool TFoAssistRelatorios::ExecutaEtapa(int n)
{
    switch (n) {
    case 5:
        // Receipts are printed only.
        RBVisualizar->setEnabled(!RBRecibo->isChecked());
        (RBRecibo->isChecked() ? RBImprimir : RBVisualizar)->setChecked(true);
        break;
    case 7:
        FTbPruv->dvFilter().clear();
        if (RBComprovante->isChecked())
            FTbPruv->dvFilter().append(QStringLiteral("AN_RETENCA >= 2001"));
        if (FTbPruv->Active())
            FTbPruv->RefreshDvFilter();
        break;
    case 8:
        ProcuraArquivosGravados();
        break;
    case 10:
        AbrePesquisaBeneficiario();
        break;
    default:
        break;
    }
    return true;
}

bool TFoAssistRelatorios::PodeAvancar(int etapa)
{
    if (etapa == 7) {
        if (!FTbPruv->Active() || FTbPruv->IsEmpty()) {
            TErro(CodigoMensagem::NenhumaDeclaracaoSelecionada, QString(), TipoDialogo::Informacao, Botao::Ok, 0)
                .Exibe();
            return false;
        }
        const QString raiz = FTbPruv->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().trimmed();
        FPruv.Limpa();
        FPruv.GetDeclarante().SetNiSemExcecao(raiz + CalculaDV(raiz));
        FPruv.SetAnoSemExcecao(FTbPruv->FieldByName(QStringLiteral("AN_RETENCA"))->AsString());
        FColecao.Carrega(FPruv);
        return true;
    }
    if (etapa == 10 && BeneficiarioSelecionado().trimmed().isEmpty()) {
        TErro(CodigoMensagem::NenhumBeneficiarioSelecionado, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
        return false;
    }
    return true;
}

void TFoAssistRelatorios::AvancaSeHabilitado()
{
    if (BtnAvancar->isEnabled())
        BtnAvancar->click();
}

bool TFoAssistRelatorios::TemBeneficiarios() const
{
    return FPruv.GetResumo().TOT_BENEF().GetValorPositivo() > 0;
}

bool TFoAssistRelatorios::RelatorioSemBeneficiarios() const
{
    return RBDemaisRelatorios->isChecked() && !RBGerencial->isChecked() && !TemBeneficiarios();
}

int TFoAssistRelatorios::Erro(const QString& texto)
{
    LbErroComprovRecibo->setText(texto);
    return PaginaErro;
}

int TFoAssistRelatorios::ProximoDaImpressao()
{
    if (!RBComprovante->isChecked())
        return 5;
    if (TemBeneficiarios())
        return 9;
    return Erro(TextoSemComprovantes);
}

// ---- recorded delivery files and the beneficiary search ----

void TFoAssistRelatorios::ProcuraArquivosGravados()
{
    RBJahTransmitidas->setEnabled(false);
    RBNaoTransmitidas->setEnabled(false);
    BtnRetornar->setEnabled(false);
    AbreArquivosGravados(RBJahTransmitidas->isChecked());
    HabilitaArquivosGravados();
    BtnRetornar->setEnabled(true);
    RBJahTransmitidas->setEnabled(true);
    RBNaoTransmitidas->setEnabled(true);
}

bool TFoAssistRelatorios::AbreArquivosGravados(bool Transmitidas)
{
    FrPesquisaDeclaracoes1->SetSituacao(Transmitidas ? 1 : 0);
    FrPesquisaDeclaracoes1->Abre(FArquivos);
    return ArquivosGravados();
}

bool TFoAssistRelatorios::ArquivosGravados() const
{
    const TdvTable& tabela = FrPesquisaDeclaracoes1->TbGeradas();
    return tabela.Active() && !tabela.IsEmpty();
}

void TFoAssistRelatorios::HabilitaArquivosGravados()
{
    const bool ha = ArquivosGravados();
    BtnAvancar->setEnabled(ha);
    BtnOK->setEnabled(ha);
    if (!ha)
        SetRepetir(false);
}

QStringList TFoAssistRelatorios::ArquivosSelecionados()
{
    return FrPesquisaDeclaracoes1->ArquivosSelecionados();
}

void TFoAssistRelatorios::FechaArquivosGravados()
{
    FrPesquisaDeclaracoes1->Fecha();
}

void TFoAssistRelatorios::AbrePesquisaBeneficiario()
{
    FrPesquisarPruv->Abre(FPruv, {});   // a choice, nothing to locate
}

QString TFoAssistRelatorios::BeneficiarioSelecionado() const
{
    return FrPesquisarPruv->CpfCnpjSelecionado();
}

void TFoAssistRelatorios::FechaPesquisaBeneficiario()
{
    FrPesquisarPruv->Fecha();
}

// ---- the answer and the remembered choices ----

TPedidoImpressao TFoAssistRelatorios::Pedido()
{
    TPedidoImpressao pedido;
    if (ModalResult() != mrOk || FFechouSemRelatorio)
        return pedido;
    const bool visualiza = RBVisualizar->isChecked();
    auto par = [visualiza](int primeiro) { return std::uint8_t(visualiza ? primeiro : primeiro + 1); };
    if (RBDemaisRelatorios->isChecked()) {
        if (RBTotaisCodigo->isChecked())
            pedido.Codigo = par(RBSintetico->isChecked() ? 1 : 3);
        else if (RBListaBenef->isChecked())
            pedido.Codigo = par(5);
        else if (RBGerencial->isChecked())
            pedido.Codigo = par(7);
        else
            pedido.Codigo = par(20);
    } else if (RBDeclaracao->isChecked()) {
        pedido.Codigo = par(10);
    } else if (RBRecibo->isChecked()) {
        pedido.Arquivos = ArquivosSelecionados();
        pedido.Codigo = pedido.Arquivos.isEmpty() ? 0 : 12;
    } else if (RBComprovante->isChecked()) {
        if (RBUmBeneficiario->isChecked()) {
            pedido.Codigo = par(18);
            pedido.Ni = BeneficiarioSelecionado();
        } else {
            pedido.Codigo = par(14);
        }
    } else if (RBVerificacao->isChecked()) {
        pedido.Codigo = par(16);
    }
    return pedido;
}

void TFoAssistRelatorios::BuscaInformacaoIni()
{
    const TIniFile ini(ArquivoIni());
    for (const TChaveIni& chave : ChavesIni(*this)) {
        if (QLatin1String(chave.Chave) == QLatin1String("Base"))
            continue;   // written, not read back
        const QString valor = ini.ReadString(QLatin1String(chave.Secao), QLatin1String(chave.Chave), QString());
        for (const auto& [texto, botao] : chave.Valores) {
            if (valor != QLatin1String(texto))
                continue;
            botao->setChecked(false);
            botao->click();   // as the user would: its example, and what goes with it
        }
    }
    ExemploTipo();
    ExemploDetalhe();
    ExemploOrdem();
}

void TFoAssistRelatorios::GravaDadosIni()
{
    TIniFile ini(ArquivoIni());
    try {
        for (const TChaveIni& chave : ChavesIni(*this))
            for (const auto& [texto, botao] : chave.Valores)
                if (botao->isChecked())
                    ini.WriteString(QLatin1String(chave.Secao), QLatin1String(chave.Chave), QLatin1String(texto));
    } catch (const EIniFile&) {
        // Only the choices offered next time are lost: the user is told, the printing goes on.
        TErro(CodigoMensagem::FalhaNaGravacao, ini.FileName(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
    }
}

// ---- the steps ----

bool TEstadoRelatorios1::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(6, Conclui(codigo));
}

bool TEstadoRelatorios2::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    TFoAssistRelatorios& a = Assistente();
    if (!a.DeclaracaoAberta() && !a.RBGerencial->isChecked())
        return Vai(7, false);
    // The reason shows before anything else happens.
    if (a.RelatorioSemBeneficiarios())
        return Vai(a.Erro(TFoAssistRelatorios::TextoSemBeneficiarios), false);
    return Vai(a.RBTotaisCodigo->isChecked() ? 3 : 5, Conclui(codigo));
}

bool TEstadoRelatorios3::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(5, Conclui(codigo));
}

bool TEstadoRelatorios4::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(5, Conclui(codigo));
}

bool TEstadoRelatorios5::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(0, false);
}

bool TEstadoRelatorios6::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    TFoAssistRelatorios& a = Assistente();
    if (a.RBRecibo->isChecked())
        return Vai(12, Conclui(codigo));
    if (!a.DeclaracaoAberta() && !a.RBDemaisRelatorios->isChecked())
        return Vai(7, false);
    if (a.RBDemaisRelatorios->isChecked())
        return Vai(2, Conclui(codigo));
    const int proximo = a.ProximoDaImpressao();
    return Vai(proximo, proximo != TFoAssistRelatorios::PaginaErro && Conclui(codigo));
}

bool TEstadoRelatorios7::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    TFoAssistRelatorios& a = Assistente();
    if (a.RelatorioSemBeneficiarios())
        return Vai(a.Erro(TFoAssistRelatorios::TextoSemBeneficiarios), false);
    if (a.RBDemaisRelatorios->isChecked() && a.RBTotaisCodigo->isChecked())
        return Vai(3, Conclui(codigo));
    const int proximo = a.ProximoDaImpressao();
    return Vai(proximo, proximo != TFoAssistRelatorios::PaginaErro && Conclui(codigo));
}

bool TEstadoRelatorios8::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    TFoAssistRelatorios& a = Assistente();
    if (a.ArquivosSelecionados().isEmpty())
        return Vai(a.Erro(TFoAssistRelatorios::TextoSemArquivo), false);
    return Vai(5, Conclui(codigo));
}

bool TEstadoRelatorios9::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    if (!Assistente().RBTodosComprovantes->isChecked())
        return Vai(10, false);
    return Vai(5, Conclui(codigo));
}

bool TEstadoRelatorios10::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(5, Conclui(codigo));
}

bool TEstadoRelatorios11::Evento(int codigo)
{
    if (!BotaoDoPasso(codigo))
        return false;
    Assistente().FechaSemRelatorio();
    return Vai(0, false);
}

bool TEstadoRelatorios12::Evento(int codigo)
{
    return BotaoDoPasso(codigo) && Vai(8, Conclui(codigo));
}

// ---- entry ----

void ExecutaAssistRelatorios(TPedidoImpressao& Pedido, TPruv& Pruv, TColecaoPruv& Colecao, bool Aberta, QWidget* Dono)
{
    Pedido = {};
    if (Instancia)
        return;
    const QString pastaAnterior = QDir::currentPath();
    TFoAssistRelatorios assistente(Pruv, Colecao, Aberta, Dono);
    Instancia = &assistente;
    // Whatever the result, the lists close and the choices are kept.
    const auto termina = qScopeGuard([&] {
        assistente.FechaPesquisaBeneficiario();
        FechaTabela(assistente.TbPruv());
        assistente.FechaArquivosGravados();
        assistente.GravaDadosIni();
        QDir::setCurrent(pastaAnterior);
        Instancia = nullptr;
    });
    if (const QScreen* tela = assistente.screen())
        assistente.move(tela->availableGeometry().center() - assistente.rect().center());
    assistente.ExibeModal();
    Pedido = assistente.Pedido();
}
