#include "assistants/generation/TFoAssistGeracao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>
#include <initializer_list>

#include "shell/common/PosicaoAssistente.h"
#include "assistants/pages/RotuloAssistente.h"
#include "assistants/pages/PaginasAssistente.h"
#include "assistants/pages/TRotuloSitio.h"
#include "assistants/verification/TFrPruvVerifica.h"
#include "assistants/transmission/TFrResultTrans.h"
#include "assistants/generation/TabelaUf.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/data/datasets/TdvTable.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/layout/TNomeEntrega.h"
#include "exchange/layout/TNumeroRecibo.h"
#include "model/values/CodigoMensagem.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"
#include "model/people/TNiContribuinte.h"
#include "model/declaration/TPruv.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TratamentoTexto.h"
#include "model/storage/OperacoesTabela.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "platform/compress/Compressao.h"
#include "platform/ui/TProgressoQt.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TDmGeral.h"
#include "platform/widgets/controls/TComboBox.h"

namespace {

constexpr int Altura = 280;   // room for the verification frame above the buttons
const QString SecaoAssistente = QStringLiteral("AssistG");
const QString SecaoGeracao = QStringLiteral("Geracao");
const QString SemUnidade = QStringLiteral("x");   // nothing remembered
const QString Seis = QStringLiteral("      ");

TFoAssistGeracao* Existente = nullptr;

void GravaIni(const QString& secao, const char* chave, const QString& valor)
{
    try {
        TArquivoIni::GravaString(secao, QLatin1String(chave), valor);
    } catch (const TErro& e) {
        e.Exibe();   // only the place is not remembered
    }
}

}   // namespace

const QString TFoAssistGeracao::TextoErroVerificacao = QStringLiteral(
    "Declaração apresentou erros não pode ser gravada.");
const QString TFoAssistGeracao::TextoVerificacaoCancelada = QStringLiteral(
    "Verificação de pendências cancelada. Declaração não pode ser gravada.");
const QString TFoAssistGeracao::TextoCdRom = QStringLiteral(
    "A declaração não pode ser gravada diretamente em CD, deverá ser gravada primeiramente no disco rígido.");
const QString TFoAssistGeracao::TextoReciboVazio = QStringLiteral("Número de recibo não preenchido.");
const QString TFoAssistGeracao::TextoReciboInvalido = QStringLiteral("Número de recibo inválido.");

TFoAssistGeracao::TFoAssistGeracao(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* owner)
    : TFormAssist(owner)
    , FDeclaracao(Declaracao)
    , FArquivoPruv(std::make_unique<TArquivoPruv>())
    , FColecao(Colecao)
{
    setObjectName(QStringLiteral("FoAssistGeracao"));
    setWindowTitle(QStringLiteral("Assistente de Gravação da Declaração"));
    resize(width(), Altura);
    FVolumes = TVolumes::Lista();

    DefinePagina(1, CriaPagina1());
    DefinePagina(2, CriaPagina2());
    DefinePagina(3, CriaPagina3());
    DefinePagina(4, CriaPagina4());
    DefinePagina(5, CriaPagina5());
    DefinePagina(6, CriaPagina6());
    DefinePagina(7, CriaPagina7());
    DefinePagina(8, CriaPagina8());
    DefinePagina(9, CriaPagina9());
    DefineHelpContext(*this, HelpContext);   // the buttons find it on the form
    for (int n = 1; n <= 9; ++n)
        DefineHelpContext(*Pagina(n), n == 8 ? HelpContextTransmissao : HelpContext);
    EstadoPrograma::ContextoAjuda = HelpContext;

    FUnidade = TArquivoIni::LeString(SecaoAssistente, QStringLiteral("unidade"), SemUnidade);
    FDiretorio = TArquivoIni::LeString(SecaoAssistente, QStringLiteral("diretorio"), SemUnidade);
    // A removable medium is not taken for granted: the volume of the last writing is offered.
    const int lembrado = IndiceVolume(FUnidade);
    if (FUnidade == SemUnidade || (lembrado >= 0 && FVolumes[lembrado].Removivel()))
        BuscaInformacaoIni();

    AdicionaEstado(std::make_unique<TEstadoGeracao1>(*this, 1));
    AdicionaEstado(std::make_unique<TEstadoGeracao2>(*this, 2));
    AdicionaEstado(std::make_unique<TEstadoGeracao3>(*this, 3));
    AdicionaEstado(std::make_unique<TEstadoGeracao4>(*this, 4));
    AdicionaEstado(std::make_unique<TEstadoGeracao5>(*this, 5));
    AdicionaEstado(std::make_unique<TEstadoGeracao6>(*this, 6));
    AdicionaEstado(std::make_unique<TEstadoGeracao7>(*this, 7));
    AdicionaEstado(std::make_unique<TEstadoGeracao8>(*this, 8));
    AdicionaEstado(std::make_unique<TEstadoGeracao9>(*this, 9));

    // Cancelar first stops a verification that runs; the assistant ends only once none does.
    disconnect(CancelBtn, &QPushButton::clicked, this, nullptr);
    connect(CancelBtn, &QPushButton::clicked, this,
            [this] { ExcecaoAplicacao::Protege([this] { BotaoCancelarOnClick(); }); });
    Processa();
}

TFoAssistGeracao::~TFoAssistGeracao()
{
    FrResultTrans->Libera();
    DBLCUF->SetLookupTable(nullptr);
    if (FTabuf)
        FechaTabela(*FTabuf);
}

QWidget* TFoAssistGeracao::CriaPagina1()
{
    FTabuf = CriaTabela(QLatin1String(TabelaUf::NomeArquivo));
    DBLCUF = new TdvDBLookupCombo;
    DBLCUF->setObjectName(QStringLiteral("DBLCUF"));
    DBLCUF->SetCharCase(TEditCharCase::ecUpperCase);
    DBLCUF->SetStyle(TComboBoxStyle::csDropDownList);
    DBLCUF->SetAutoDropDown(true);
    DBLCUF->ShowMatchText = true;
    DBLCUF->SetSelected({QLatin1String(TabelaUf::SG_UF) + QStringLiteral("\t3\tUF"),
                         QLatin1String(TabelaUf::NM_UF) + QStringLiteral("\t20\tEstado")});
    // The user chooses; without the table the combo stays empty and the step cannot go on.
    if (TabelaUf::Abre(*FTabuf)) {
        DBLCUF->SetLookupTable(FTabuf.get());
        DBLCUF->SetLookupField(QLatin1String(TabelaUf::SG_UF));
    }
    auto* local = new QWidget;
    auto* linha = new QHBoxLayout(local);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(RotuloAssistente(QStringLiteral("Local de Transmissão:"), local));
    linha->addWidget(DBLCUF, 1);
    return PaginaComFigura(
        "Panel1", FiguraDe(TImagem::Gerar),
        {RotuloAssistente(
             QStringLiteral("Será efetuada a gravação da declaração para entrega, via internet, à Morvex Federal.  "
                            "Para gravar em disquete, certifique-se que o mesmo esteja vazio."),
             nullptr),
         local});
}

QWidget* TFoAssistGeracao::CriaPagina2()
{
    FrPruvVerifica = new TFrPruvVerifica;
    FrPruvVerifica->setObjectName(QStringLiteral("FrPruvVerifica"));
    return PaginaDeQuadro("Panel2", FrPruvVerifica);
}

QWidget* TFoAssistGeracao::CriaPagina3()
{
    DCBDisco = new TComboBox;
    DCBDisco->setObjectName(QStringLiteral("DCBDisco"));
    for (const TVolume& volume : FVolumes)
        DCBDisco->addItem(volume.Nome);
    connect(DCBDisco, &QComboBox::currentIndexChanged, this, [this] { DCBDiscoChange(); });
    return PaginaComFigura(
        "Panel3", FiguraDe(TImagem::Gerar),
        {RotuloAssistente(QStringLiteral("Indique a unidade  desejada para gravar a declaração."), nullptr),
         RotuloAssistente(QStringLiteral("A gravação poderá ser efetuada em disquete ou disco rígido."), nullptr),
         DCBDisco});
}

QWidget* TFoAssistGeracao::CriaPagina4()
{
    Gauge1 = new QProgressBar;
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge2 = new QProgressBar;
    Gauge2->setObjectName(QStringLiteral("Gauge2"));
    for (QProgressBar* gauge : {Gauge1, Gauge2}) {
        gauge->setRange(0, 100);
        gauge->setValue(0);
    }
    auto* painel = new QWidget;
    painel->setObjectName(QStringLiteral("Panel4"));
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(24, 24, 24, 8);
    layout->addWidget(RotuloAssistente(QStringLiteral("Preparando para Gravação ..."), painel));
    layout->addWidget(Gauge1);
    layout->addWidget(RotuloAssistente(QStringLiteral("Gravando a Declaração ..."), painel));
    layout->addWidget(Gauge2);
    layout->addStretch();
    return painel;
}

QWidget* TFoAssistGeracao::CriaPagina5()
{
    Memo2 = new QPlainTextEdit;
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Label7 = RotuloAssistente(
        QStringLiteral("ATENÇÃO : a declaração transmitida fora do prazo está sujeita a cobrança de multa por "
                       "atraso."),
        nullptr, "Label7");
    QPalette paleta = Label7->palette();
    paleta.setColor(QPalette::WindowText, Qt::red);
    Label7->setPalette(paleta);
    CBRecibo = new QCheckBox(QStringLiteral("Imprimir &Recibo"));
    CBRecibo->setObjectName(QStringLiteral("CBRecibo"));
    CBRecibo->setChecked(true);
    return PaginaComFigura("Panel5", FiguraDe(TImagem::Gerar), {Memo2, Label7, CBRecibo});
}

QWidget* TFoAssistGeracao::CriaPagina6()
{
    LbPrimeiraParteErro = RotuloAssistente(
        QStringLiteral("A declaração não foi gravada. Na unidade indicada existe uma declaração "
                       "do mesmo declarante, do mesmo tipo, já transmitida à Morvex Federal."),
        nullptr, "LbPrimeiraParteErro");
    LErro = RotuloAssistente(
        QStringLiteral("Se deseja realmente gravar esta declaração, você deverá excluir a declaração gravada "
                       "anteriormente, ou  gravá-la em outro disco."),
        nullptr, "LErro");
    return PaginaComFigura("Panel6", style()->standardPixmap(QStyle::SP_MessageBoxCritical),
                           {LbPrimeiraParteErro, LErro});
}

QWidget* TFoAssistGeracao::CriaPagina7()
{
    FrResultTrans = new TFrResultTrans;
    FrResultTrans->setObjectName(QStringLiteral("FrResultTrans"));
    return PaginaDeQuadro("Panel7", FrResultTrans);
}

QWidget* TFoAssistGeracao::CriaPagina8()
{
    LbSite = new TRotuloSitio;
    LbSite->setObjectName(QStringLiteral("LbSite"));
    RBSim = new QRadioButton(QStringLiteral("&Sim"));
    RBSim->setObjectName(QStringLiteral("RBSim"));
    RBSim->setChecked(true);
    RBNao = new QRadioButton(QStringLiteral("&Não"));
    RBNao->setObjectName(QStringLiteral("RBNao"));
    auto* respostas = new QWidget;
    auto* linha = new QHBoxLayout(respostas);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(RBSim);
    linha->addWidget(RBNao);
    linha->addStretch();
    QLabel* aviso = RotuloAssistente(
        QStringLiteral("A transmissão da declaração gravada deverá ser realizada através do Ulvaro.   "
                       "Caso este aplicativo não esteja instalado  faça a cópia do programa da página "
                       "da Morvex Federal no endereço:"),
        nullptr);
    QLabel* pergunta = RotuloAssistente(QStringLiteral("Deseja transmitir a declaração agora?"), nullptr);
    QWidget* painel = PaginaComFigura("Panel8", FiguraDe(TImagem::Transmitir), {aviso, LbSite, pergunta, respostas});
    DefineHelpContext(*RBSim, HelpContextTransmissao);
    DefineHelpContext(*RBNao, HelpContextTransmissao);
    return painel;
}

QWidget* TFoAssistGeracao::CriaPagina9()
{
    MENumRec = new QLineEdit;
    MENumRec->setObjectName(QStringLiteral("MENumRec"));
    MENumRec->setInputMask(QStringLiteral("99.99.99.99.99-99;_"));   // digits only
    auto* numero = new QWidget;
    auto* linha = new QHBoxLayout(numero);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(RotuloAssistente(QStringLiteral("Número do Recibo:"), numero));
    linha->addWidget(MENumRec);
    linha->addStretch();
    return PaginaComFigura(
        "Panel9", FiguraDe(TImagem::Gerar),
        {RotuloAssistente(QStringLiteral("Informe abaixo o número constante do recibo anteriormente entregue."),
                          nullptr),
         RotuloAssistente(QStringLiteral("A informação errada deste número inviabilizará a entrega da declaração."),
                          nullptr),
         numero});
}

void TFoAssistGeracao::MostraPagina(int n)
{
    ExibePagina(n);
    const bool final = n == 5 || n == 6;
    switch (n) {
    case 1:
        DefineBotoes(false, true, true, true);
        break;
    case 2:
    case 3:
    case 9:
        DefineBotoes(true, true, true, true);
        break;
    case 4:
        DefineBotoes(false, false, false, true);
        Gauge1->setValue(0);
        break;
    case 5:
    case 6:
        DefineBotoes(false, false, true, false);
        break;
    default:
        DefineBotoes(false, true, true, true);
        break;
    }
    MostraFechar(final);
    if (n == 3)
        SelecionaVolume(VolumePreferido());
    if (n == 5)
        PreencheMemo();
    // The first page waits for the place of transmission, without which it cannot be left.
    if (n == 1)
        FocaPrimeiro(DBLCUF, nullptr, nullptr, nullptr);
    else if (n != 9)
        FocaBotoes();
}

bool TFoAssistGeracao::ExecutaEtapa(int n)
{
    switch (n) {
    case 2:
        Verifica();
        break;
    case 4:
        Grava();
        return FResultado == ResultadoEntrega::Ok;
    case 5:
        Label7->setVisible(FDeclaracao.GetTipoDeclaracao() != QLatin1String("R"));
        break;
    case 7:
        Transmite();
        break;
    case 9:
        FocaPrimeiro(MENumRec, nullptr, nullptr, nullptr);
        break;
    default:
        break;
    }
    return true;
}

bool TFoAssistGeracao::PodeAvancar(int etapa)
{
    switch (etapa) {
    case 1:
        if (Uf().size() == 2)
            return true;
        // Refused without a word the button would seem dead: the place is asked for.
        TErro(CodigoMensagem::SiglaUfInvalida, QString(), TipoDialogo::Erro, Botao::Ok, 0).Exibe();
        DBLCUF->setFocus(Qt::OtherFocusReason);
        return false;
    case 3: {
        const int i = DCBDisco->currentIndex();
        if (i >= 0 && i < FVolumes.size() && FVolumes[i].CdRom()) {
            TErro::MostraMensagem(TextoCdRom, TipoDialogo::Erro, Botao::Ok, 0);
            return false;
        }
        return true;
    }
    case 9: {
        const QString numero = NumeroRecibo();
        const bool vazio = numero.isEmpty();
        if (!vazio && numero.size() == 12 && SoNumeros(numero) && TNumeroRecibo::Valida(numero) == 0)
            return true;
        TErro::MostraMensagem(vazio ? TextoReciboVazio : TextoReciboInvalido, TipoDialogo::Erro, Botao::Ok, 0);
        // Back in the number, all of it selected: what is typed next replaces it.
        MENumRec->setFocus(Qt::OtherFocusReason);
        MENumRec->selectAll();
        return false;
    }
    default:
        return true;
    }
}

void TFoAssistGeracao::Cancela()
{
    FCancelado = true;
    TFormAssist::Cancela();
    CancelarCompressao();
}

void TFoAssistGeracao::BotaoCancelarOnClick()
{
    FrPruvVerifica->SetaInterrompida(true);
    if (!FrPruvVerifica->Concluida())
        return;   // the verification stops; the assistant stays on its page
    FrPruvVerifica->FechaTabela();
    TFormAssist::reject();
}

void TFoAssistGeracao::reject()
{
    if (CancelBtn->isEnabled())
        ExcecaoAplicacao::Protege([this] { BotaoCancelarOnClick(); });
}

void TFoAssistGeracao::showEvent(QShowEvent* evento)
{
    PosicionaAssistente(*this);
    TFormAssist::showEvent(evento);
    if (PaginaAtual() == 1 && !evento->spontaneous())
        DBLCUF->setFocus();   // the page was laid out before the window could take a focus
}

bool TFoAssistGeracao::PedeNumeroRecibo() const
{
    return FDeclaracao.GetTipoDeclaracao() == QLatin1String("R") && FDeclaracao.GetAno() >= QLatin1String("2002");
}

QString TFoAssistGeracao::Uf() const
{
    return DBLCUF->text().trimmed();
}

QString TFoAssistGeracao::NumeroRecibo() const
{
    QString numero = MENumRec->text();
    numero.remove(QLatin1Char('.'));
    numero.remove(QLatin1Char('-'));
    return numero.trimmed();
}

int TFoAssistGeracao::IndiceVolume(const QString& Raiz) const
{
    for (int i = 0; i < FVolumes.size(); ++i)
        if (FVolumes[i].Raiz == Raiz)
            return i;
    return -1;
}

int TFoAssistGeracao::VolumePreferido() const
{
    const int lembrado = IndiceVolume(FUnidade);
    if (lembrado >= 0 && !FVolumes[lembrado].CdRom())
        return lembrado;
    const int dados = IndiceVolume(TVolumes::DoCaminho(DiretorioDados()).Raiz);
    return dados >= 0 ? dados : 0;
}

void TFoAssistGeracao::SelecionaVolume(int i)
{
    {
        const QSignalBlocker bloqueio(DCBDisco);
        DCBDisco->setCurrentIndex(i);
    }
    DCBDiscoChange();
}

void TFoAssistGeracao::DCBDiscoChange()
{
    const int i = DCBDisco->currentIndex();
    if (i < 0 || i >= FVolumes.size())
        return;
    FVolume = FVolumes[i];
    FUnidade = FVolume.Raiz;
    FRemovivel = FVolume.Removivel();
    if (FRemovivel)
        FDiretorio = FVolume.Raiz;
    GravaIni(SecaoAssistente, "unidade", FUnidade);
    GravaIni(SecaoAssistente, "diretorio", FDiretorio);
}

void TFoAssistGeracao::BuscaInformacaoIni()
{
    const QString disco = TArquivoIni::LeString(SecaoGeracao, QStringLiteral("Disco"), QStringLiteral("c"));
    if (disco.size() <= 1)
        return;
    for (int i = 0; i < FVolumes.size(); ++i) {
        if (FVolumes[i].Nome == disco) {
            SelecionaVolume(i);
            return;
        }
    }
}

void TFoAssistGeracao::GravaDadosIni()
{
    GravaIni(SecaoGeracao, "Disco", DCBDisco->currentText());
}

void TFoAssistGeracao::Verifica()
{
    for (QPushButton* botao : {BtnAvancar, BtnOK, BtnRetornar})
        botao->setEnabled(false);
    const auto habilita = qScopeGuard([this] {
        for (QPushButton* botao : {BtnAvancar, BtnOK, BtnRetornar})
            botao->setEnabled(true);
        FocaPrimeiro(BtnAvancar, BtnOK, BtnRetornar, CancelBtn);
    });
    FChaves = {FDeclaracao.GetAno() + FDeclaracao.GetDeclarante().GetRaiz()};
    FrPruvVerifica->PermiteLocalizar = false;
    FrPruvVerifica->PermiteInterromper = false;
    FrPruvVerifica->Chaves = FChaves;
    int quantidade = 0;
    try {
        FrPruvVerifica->Verifica(quantidade);
    } catch (const TErro& e) {
        e.Exibe();   // a failed run never allows writing
    } catch (const std::exception& e) {
        TErro::MostraMensagem(TextoDaFalha(e), TipoDialogo::Erro, Botao::Ok, 0);
    }
    FNumRegistros = quantidade;
}

int TFoAssistGeracao::DestinoVerificacao()
{
    if (FrPruvVerifica->NumErros() > 0) {
        MostraErro(TextoErroVerificacao);
        return 6;
    }
    if (FrPruvVerifica->PodeGravar())
        return 3;
    MostraErro(TextoVerificacaoCancelada);
    return 6;
}

void TFoAssistGeracao::Grava()
{
    if (!FChaves.isEmpty()) {
        TProgressoQt registros(Gauge1);
        TProgressoQt compactacao(Gauge2);
        TPedidoGeracao pedido;
        pedido.Cancelado = &FCancelado;
        pedido.GaugeRegistros = &registros;
        pedido.GaugeCompactacao = &compactacao;
        pedido.Chaves = FChaves;
        pedido.Volume = FVolume;
        pedido.Uf = Uf();
        pedido.NumeroRecibo = NumeroRecibo();
        pedido.Registros = FNumRegistros;
        const TResultadoGeracao resultado = FArquivoPruv->Gera(FDeclaracao, FColecao, pedido);
        FResultado = resultado.Codigo;
        // The writer shows nothing: the user hears here, once, what it tells; a failure on page 6.
        for (const QString& aviso : resultado.Avisos)
            TErro::MostraMensagem(aviso, TipoDialogo::Aviso, Botao::Ok, 0);
        if (resultado.Codigo != ResultadoEntrega::Ok)
            FTextoFalha = resultado.TextoDaFalha();
        else if (!resultado.Texto.isEmpty())
            TErro::MostraMensagem(resultado.Texto, TipoDialogo::Aviso, Botao::Ok, 0);
        // A run that stopped before naming the file keeps the name of an earlier one.
        if (!resultado.Arquivo.isEmpty())
            FNomeArquivo = resultado.Arquivo;
    }
    FChaves.clear();
}

int TFoAssistGeracao::DestinoGravacao()
{
    if (FResultado == ResultadoEntrega::Ok)
        return 8;
    if (FResultado != ResultadoEntrega::ReciboExiste)
        MostraErro(FTextoFalha.isEmpty() ? TErro::Mensagem(FResultado) : FTextoFalha);
    return 6;
}

void TFoAssistGeracao::MostraErro(const QString& Texto)
{
    LbPrimeiraParteErro->hide();
    LErro->setText(Texto);
}

void TFoAssistGeracao::Transmite()
{
    BtnAvancar->setEnabled(false);
    BtnOK->setEnabled(false);
    const auto habilita = qScopeGuard([this] {
        BtnAvancar->setEnabled(true);
        BtnOK->setEnabled(true);
    });
    FrResultTrans->Arquivos().clear();
    FrResultTrans->Arquivos() << FNomeArquivo;
    FrResultTrans->Transmite();
}

void TFoAssistGeracao::ConfereArquivoRecibo()
{
    const bool existe = !TNomeEntrega::ReciboExistente(FNomeArquivo).isEmpty();
    CBRecibo->setVisible(existe);
    CBRecibo->setChecked(existe);
}

void TFoAssistGeracao::DispensaRecibo()
{
    CBRecibo->hide();
    CBRecibo->setChecked(false);
}

void TFoAssistGeracao::PreencheMemo()
{
    const TContribuinte& declarante = FDeclaracao.GetDeclarante();
    const bool empresa = declarante.TipoAtual() == TNiContribuinte::Cnpj;
    QStringList linhas{
        QStringLiteral("Você gravou sua declaração com sucesso."),
        QStringLiteral("      Pruv 2003   Ano-Calendário: ") + FDeclaracao.GetAno(),
        Seis + (empresa ? FDeclaracao.GetNiEstabResponsavel().GetNiFormatado() : declarante.GetNiFormatado()),
        Seis + declarante.Nome().GetTexto(), QStringLiteral("    ")};
    if (FRemovivel)
        linhas << QStringLiteral(" No disquete gravado, cole uma etiqueta com as informações")
               << QStringLiteral(" acima.");
    else
        linhas << QStringLiteral("A declaração foi gravada em: ")
               << Seis + QDir::toNativeSeparators(QFileInfo(FNomeArquivo).absolutePath());
    Memo2->setPlainText(linhas.join(QLatin1Char('\n')));
}

bool TEstadoGeracao1::Evento(int codigo)
{
    if (Assistente().PedeNumeroRecibo())
        return Vai(9, false);
    return Vai(2, codigo == TAssistente::BotaoConcluir);
}

bool TEstadoGeracao2::Evento(int codigo)
{
    return Vai(Assistente().DestinoVerificacao(), codigo == TAssistente::BotaoConcluir);
}

bool TEstadoGeracao3::Evento(int)
{
    return Vai(4, true);
}

bool TEstadoGeracao4::Evento(int)
{
    return Vai(Assistente().DestinoGravacao(), false);
}

bool TEstadoGeracao5::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoGeracao6::Evento(int)
{
    return Vai(0, false);
}

bool TEstadoGeracao7::Evento(int)
{
    Assistente().ConfereArquivoRecibo();
    return Vai(5, false);
}

bool TEstadoGeracao8::Evento(int)
{
    if (Assistente().RBSim->isChecked())
        return Vai(7, false);
    Assistente().DispensaRecibo();
    return Vai(5, false);
}

bool TEstadoGeracao9::Evento(int codigo)
{
    return Vai(2, codigo == TAssistente::BotaoConcluir);
}

bool ExecutaAssistGeracao(QString& NomeArquivo, TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono)
{
    if (Existente)
        return false;
    auto assistente = std::make_unique<TFoAssistGeracao>(Declaracao, Colecao, Dono);
    Existente = assistente.get();
    const auto esquece = qScopeGuard([] {
        Existente = nullptr;
        QDir::setCurrent(DiretorioPrograma());   // the transmission may have left another
    });
    const bool imprime = assistente->ExibeModal() != mrCancel && assistente->CBRecibo->isChecked();
    assistente->GravaDadosIni();
    NomeArquivo = assistente->NomeArquivo();
    assistente->FrPruvVerifica->FechaTabela();
    return assistente->Resultado() == ResultadoEntrega::Ok && imprime;
}
