#include "shell/printing/TFoPreview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "shell/common/AvisosImpressora.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/ui/InterfaceUsuario.h"
#include "shell/printing/IDialogoImpressao.h"
#include "shell/printing/TPreviewRelatorio.h"

namespace {

TFoPreview* Global = nullptr;
// Given before the window exists; handed to it by VisualizaRelatorio.
std::function<void()> EventoPendente;

}   // namespace

TFoPreview::TFoPreview(QWidget* dono)
    : QDialog(dono)
{
    setObjectName(QStringLiteral("FoPreview"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Visualizar Impressão"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ZoomFit = CriaBotao("ZoomFit", QStringLiteral("&Página inteira"), QStringLiteral("Visualizar Página Inteira"));
    Zoom100 = CriaBotao("Zoom100", QStringLiteral("&100%"), QStringLiteral("Visualizar em Tamanho Normal"));
    ZoomToWidth = CriaBotao("ZoomToWidth", QStringLiteral("&Largura"),
                            QStringLiteral("Ajustar Visualização à Largura da Página"));
    ToolBar1->addSeparator();
    FirstPage = CriaBotao("FirstPage", QString(), QStringLiteral("Primeira Página"));
    PreviousPage = CriaBotao("PreviousPage", QString(), QStringLiteral("Página Anterior"));
    NextPage = CriaBotao("NextPage", QString(), QStringLiteral("Próxima Página"));
    LastPage = CriaBotao("LastPage", QString(), QStringLiteral("Última Página"));
    ToolBar1->addSeparator();
    Print = CriaBotao("Print", QStringLiteral("&Imprimir"), QStringLiteral("Imprimir"));
    ProximasPaginas = CriaBotao("ProximasPaginas", QStringLiteral("Pró&ximas páginas"),
                                QStringLiteral("Exibe o próximo conjunto de páginas."));
    ToolBar1->addSeparator();
    ToolButton2 = CriaBotao("ToolButton2", QStringLiteral("&Fechar"),
                            QStringLiteral("Fechar a visualização da impressão"));
    FirstPage->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    PreviousPage->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    NextPage->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    LastPage->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    Print->setEnabled(false);
    ProximasPaginas->setEnabled(false);

    QRPreview = new TPreviewRelatorio(this);
    QRPreview->setObjectName(QStringLiteral("QRPreview"));

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    PainelPagina = new QLabel(QStringLiteral("Página 1/1"), StatusBar);
    PainelPagina->setFixedWidth(100);
    PainelProgresso = new QLabel(StatusBar);
    PainelProgresso->setFixedWidth(50);
    StatusBar->addWidget(PainelPagina);
    StatusBar->addWidget(PainelProgresso);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(QRPreview, 1);
    layout->addWidget(StatusBar);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    connect(Timer1, &QTimer::timeout, this, &TFoPreview::Timer1Timer);
    connect(QRPreview, &TPreviewRelatorio::PaginaDisponivel, this, &TFoPreview::QRPreviewPageAvailable);
    connect(QRPreview, &TPreviewRelatorio::PaginaMudou, this, &TFoPreview::AtualizaStatus);
    connect(ZoomFit, &QToolButton::clicked, this, &TFoPreview::ZoomFitClick);
    connect(Zoom100, &QToolButton::clicked, this, &TFoPreview::Zoom100Click);
    connect(ZoomToWidth, &QToolButton::clicked, this, &TFoPreview::ZoomToWidthClick);
    connect(FirstPage, &QToolButton::clicked, this, &TFoPreview::FirstPageClick);
    connect(PreviousPage, &QToolButton::clicked, this, &TFoPreview::PreviousPageClick);
    connect(NextPage, &QToolButton::clicked, this, &TFoPreview::NextPageClick);
    connect(LastPage, &QToolButton::clicked, this, &TFoPreview::LastPageClick);
    connect(Print, &QToolButton::clicked, this, &TFoPreview::PrintClick);
    connect(ProximasPaginas, &QToolButton::clicked, this, &TFoPreview::ProximasPaginasClick);
    connect(ToolButton2, &QToolButton::clicked, this, &TFoPreview::ToolButton2Click);

    // The window sees the keys before its controls do.
    QRPreview->installEventFilter(this);
    QRPreview->viewport()->installEventFilter(this);
    for (QToolButton* b : findChildren<QToolButton*>())
        b->installEventFilter(this);
    AtualizaStatus();
}

TFoPreview::~TFoPreview()
{
    DefineRelatorio(nullptr);
}

QToolButton* TFoPreview::CriaBotao(const char* nome, const QString& texto, const QString& dica)
{
    auto* botao = new QToolButton(ToolBar1);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setText(texto);
    botao->setToolTip(dica);
    botao->setToolButtonStyle(texto.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    botao->setFocusPolicy(Qt::NoFocus);
    ToolBar1->addWidget(botao);
    return botao;
}

void TFoPreview::DefineRelatorio(TRelatorio* relatorio)
{
    if (FRelatorio != nullptr) {
        FRelatorio->AoProcessar = std::move(FAoProcessarAnterior);
        FRelatorio->AoMudarProgresso = std::move(FAoMudarProgressoAnterior);
        FRelatorio->AoCriarDocumento = std::move(FAoCriarDocumentoAnterior);
        QRPreview->AtribuiDocumento(nullptr);
    }
    FRelatorio = relatorio;
    if (relatorio == nullptr)
        return;
    FAoProcessarAnterior = std::exchange(relatorio->AoProcessar, [] { InterfaceUsuario::Atividade().MantemVivo(); });
    FAoMudarProgressoAnterior = std::exchange(relatorio->AoMudarProgresso, [this](int percentual) {
        PainelProgresso->setText(QString::number(percentual) + QLatin1Char('%'));
    });
    FAoCriarDocumentoAnterior = std::exchange(relatorio->AoCriarDocumento,
                                              [this](TDocumentoRelatorio&) { AtribuiImpressora(); });
}

void TFoPreview::AtribuiImpressora()
{
    QRPreview->AtribuiDocumento(FRelatorio != nullptr ? FRelatorio->Documento() : nullptr);
    AtualizaStatus();
}

void TFoPreview::HabilitaProximas()
{
    MaisPaginas = true;
    Print->setEnabled(true);
    ProximasPaginas->setEnabled(true);
}

void TFoPreview::AtualizaStatus()
{
    if (Fechando && QRPreview->Documento() == nullptr)
        return;
    const int atual = QRPreview->PaginaAtual();
    const int total = QRPreview->TotalPaginas();
    if (isMinimized() && total > 0)
        showMaximized();
    PainelPagina->setText(QStringLiteral("Página %1/%2").arg(atual).arg(total));
    FirstPage->setEnabled(atual >= 2);
    PreviousPage->setEnabled(atual >= 2);
    NextPage->setEnabled(total > atual);
    LastPage->setEnabled(total > atual);
}

bool TFoPreview::Gera(const std::function<bool()>& passo)
{
    FGerando = true;
    bool terminou = true;
    try {
        terminou = passo();
    } catch (...) {
        // Nothing may cross the window's event loop: the caller of VisualizaRelatorio gets it.
        FErro = std::current_exception();
        if (FRelatorio != nullptr)
            FRelatorio->Abandona();
    }
    FGerando = false;
    PainelProgresso->clear();
    return terminou;
}

void TFoPreview::ContinuaLote()
{
    if (!FRelatorio->Continua(FRelatorio->PaginasPorLote))
        HabilitaProximas();
}

void TFoPreview::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        Timer1->start();
}

void TFoPreview::Timer1Timer()
{
    Timer1->stop();
    if (FRelatorio == nullptr || FGerando || Print->isEnabled())
        return;
    if (!FCancelamentoPedido) {
        const bool terminou = Gera([this] {
            if (!FRelatorio->Inicia())
                return true;
            AtribuiImpressora();
            return FRelatorio->Continua(FRelatorio->PaginasPorLote);
        });
        if (!terminou) {
            if (!EventoProximasPaginas)
                EventoProximasPaginas = [this] { ContinuaLote(); };
            HabilitaProximas();
        }
    }
    Print->setEnabled(true);
    AtualizaStatus();
    if (FErro || QRPreview->TotalPaginas() == 0) {
        close();
        return;
    }
    if (isMinimized())
        showMaximized();
}

void TFoPreview::QRPreviewPageAvailable()
{
    AtualizaStatus();
}

void TFoPreview::ZoomFitClick()
{
    if (!Fechando)
        QRPreview->ZoomPaginaInteira();
}

void TFoPreview::Zoom100Click()
{
    if (!Fechando)
        QRPreview->DefineZoom(100);
}

void TFoPreview::ZoomToWidthClick()
{
    if (!Fechando)
        QRPreview->ZoomLarguraDaPagina();
}

void TFoPreview::FirstPageClick()
{
    if (Fechando)
        return;
    QRPreview->DefinePagina(1);
    AtualizaStatus();
}

void TFoPreview::PreviousPageClick()
{
    if (Fechando)
        return;
    if (QRPreview->PaginaAtual() > 1)
        QRPreview->DefinePagina(QRPreview->PaginaAtual() - 1);
    AtualizaStatus();
}

void TFoPreview::NextPageClick()
{
    if (Fechando)
        return;
    if (QRPreview->PaginaAtual() < QRPreview->TotalPaginas())
        QRPreview->DefinePagina(QRPreview->PaginaAtual() + 1);
    AtualizaStatus();
}

void TFoPreview::LastPageClick()
{
    if (Fechando)
        return;
    QRPreview->DefinePagina(QRPreview->TotalPaginas());
    AtualizaStatus();
}

void TFoPreview::PrintClick()
{
    TDocumentoRelatorio* documento = QRPreview->Documento();
    if (Fechando || documento == nullptr || documento->Quantidade() == 0)
        return;
    const int total = documento->Quantidade();
    const QString titulo = FRelatorio != nullptr ? FRelatorio->Titulo : QString();
    const std::unique_ptr<QPrinter> impressora = CriaImpressoraOuAvisa(titulo);
    if (!impressora)
        return;
    const TEscolhaImpressao escolha = DialogoImpressao::Atual().Executa(*impressora, 1, total, this);
    if (!escolha.Confirmada)
        return;
    int de = 1;
    int ate = total;
    if (escolha.Faixa == TFaixaImpressao::Selecao) {
        de = ate = QRPreview->PaginaAtual();
    } else if (escolha.Faixa == TFaixaImpressao::Paginas) {
        de = std::max(1, escolha.De);
        ate = std::min(total, escolha.Ate);
    }
    if (de > ate)
        return;
    if (!TSaidaRelatorio::ImprimePaginas(*documento, *impressora, de, ate))
        AvisaImpressaoRecusada(*impressora);
    else
        AvisaImpressaoConcluida(*impressora);
}

void TFoPreview::ProximasPaginasClick()
{
    if (Fechando || !MaisPaginas || !EventoProximasPaginas || FGerando)
        return;
    QRPreview->DefinePagina(1);
    MaisPaginas = false;
    Print->setEnabled(false);
    ProximasPaginas->setEnabled(false);
    QRPreview->AtribuiDocumento(nullptr);
    FRelatorio->LiberaDocumento();
    // The routine may give another one while it runs.
    const std::function<void()> evento = EventoProximasPaginas;
    Gera([&evento] {
        evento();
        return true;
    });
    Print->setEnabled(true);
    AtualizaStatus();
    if (FErro)
        close();
}

void TFoPreview::ToolButton2Click()
{
    if (Fechando)
        return;
    if (FRelatorio != nullptr)
        FRelatorio->Cancela();
    if (!FGerando && !Print->isEnabled())
        FCancelamentoPedido = true;   // the generation has not started: it will not
    close();
}

bool TFoPreview::FormCloseQuery()
{
    InterfaceUsuario::Atividade().MantemVivo();
    if (Fechando || FGerando || !Print->isEnabled())
        return false;
    Fechando = true;
    return true;
}

void TFoPreview::closeEvent(QCloseEvent* evento)
{
    if (!FormCloseQuery()) {
        evento->ignore();
        return;
    }
    evento->accept();
    QDialog::done(QDialog::Rejected);
}

void TFoPreview::reject()
{
    close();
}

bool TFoPreview::TrataTecla(const QKeyEvent& evento)
{
    const bool alt = evento.modifiers().testFlag(Qt::AltModifier);
    switch (evento.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        alt ? FirstPageClick() : PreviousPageClick();
        return true;
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        alt ? LastPageClick() : NextPageClick();
        return true;
    case Qt::Key_Home:
        FirstPageClick();
        return true;
    case Qt::Key_End:
        LastPageClick();
        return true;
    case Qt::Key_Escape:
        ToolButton2Click();   // as "Fechar": stops a generation, then closes when it may
        return true;
    default:
        return false;
    }
}

void TFoPreview::keyPressEvent(QKeyEvent* evento)
{
    if (!TrataTecla(*evento))
        QDialog::keyPressEvent(evento);
}

bool TFoPreview::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && TrataTecla(static_cast<QKeyEvent&>(*evento)))
        return true;
    return QDialog::eventFilter(objeto, evento);
}

void VisualizaRelatorio(TRelatorio& relatorio)
{
    if (Global != nullptr)
        return;   // one preview at a time
    auto janela = std::make_unique<TFoPreview>(QApplication::activeWindow());
    Global = janela.get();
    janela->DefineRelatorio(&relatorio);
    janela->Fechando = false;
    janela->MaisPaginas = false;
    janela->EventoProximasPaginas = std::exchange(EventoPendente, nullptr);
    janela->setWindowState(Qt::WindowMaximized);
    janela->exec();

    janela->QRPreview->AtribuiDocumento(nullptr);
    if (relatorio.Gerando())
        relatorio.Abandona();
    relatorio.LiberaDocumento();
    const std::exception_ptr erro = janela->Erro();
    janela.reset();
    Global = nullptr;
    EventoPendente = nullptr;
    if (erro)
        std::rethrow_exception(erro);
}

void AtribuiImpressoraPreview()
{
    if (Global != nullptr)
        Global->AtribuiImpressora();
}

void HabilitaProximasPaginas()
{
    if (Global != nullptr)
        Global->HabilitaProximas();
}

void SetaEventoProximasPaginas(std::function<void()> evento)
{
    if (Global != nullptr)
        Global->EventoProximasPaginas = std::move(evento);
    else
        EventoPendente = std::move(evento);
}

TFoPreview* FoPreview()
{
    return Global;
}
