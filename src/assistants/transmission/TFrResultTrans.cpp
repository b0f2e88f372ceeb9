#include "assistants/transmission/TFrResultTrans.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSplitter>
#include <QVBoxLayout>
#include <memory>

#include "assistants/pages/DesenhoIcones.h"
#include "assistants/transmission/TDesenhoResultadoTrans.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/Navegador.h"
#include "model/values/TErro.h"
#include "platform/transmit/ProgramaTransmissao.h"
#include "platform/transmit/TInstalacaoTransmissao.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"
#include "platform/ui/TProgressoQt.h"

namespace {

const QColor CorLinkAtivo(0, 0, 255);
const QColor CorLink(0, 0, 128);

// The pictures of the status codes, drawn here at the size of a result line.
QPixmap DesenhaImagem(const QString& codigo)
{
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF caixa(1.5, 1.5, 13, 13);
    if (codigo == QLatin1String(TFrResultTrans::CodigoErro)) {
        DesenhaIconeErro(p);
    } else if (codigo == QLatin1String(TFrResultTrans::CodigoAceito)) {
        DesenhaIconeOk(p);
    } else if (codigo == QLatin1String(TFrResultTrans::CodigoEnviando)) {
        p.setPen(QPen(QColor(0, 0, 128), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(caixa);
        p.setPen(QPen(QColor(0, 0, 128), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    } else if (codigo == QLatin1String(TFrResultTrans::CodigoAviso)) {
        DesenhaIconeAviso(p, QColor(250, 210, 40));
    }
    return imagem;
}

QLabel* NovaImagem(QWidget* dono, const char* nome, const char* codigo)
{
    auto* imagem = new QLabel(dono);
    imagem->setObjectName(QString::fromLatin1(nome));
    imagem->setPixmap(DesenhaImagem(QString::fromLatin1(codigo)));
    imagem->hide();
    return imagem;
}

}   // namespace

const QString TFrResultTrans::TextoNaoInstalado = QStringLiteral(
    "O Ulvaro não está instalado no seu computador. Faça a cópia do programa da página da Morvex Federal e "
    "instale-o.");
const QString TFrResultTrans::TextoDesatualizado = QStringLiteral(
    "A versão do Ulvaro instalada no seu computador está desatualizada. Faça a cópia da versão correta da "
    "página da Morvex Federal e instale-o.");
const QString TFrResultTrans::TextoNenhumaSelecionada = QStringLiteral("Nenhuma declaração foi selecionada.");

TFrResultTrans::TFrResultTrans(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FrResultTrans"));

    PnTrans = new QWidget(this);
    PnTrans->setObjectName(QStringLiteral("PnTrans"));
    Splitter1 = new QSplitter(Qt::Vertical, PnTrans);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    PnResultado = new QWidget(Splitter1);
    PnResultado->setObjectName(QStringLiteral("PnResultado"));
    Label6 = new QLabel(QStringLiteral(" Resultados da transmissão"), PnResultado);
    Label6->setObjectName(QStringLiteral("Label6"));
    LbxResultado = new QListWidget(PnResultado);
    LbxResultado->setObjectName(QStringLiteral("LbxResultado"));
    LbxResultado->setUniformItemSizes(true);
    LbxResultado->setItemDelegate(
        new TDesenhoResultadoTrans([this](const QString& codigo) { return ImagemDoCodigo(codigo); }, LbxResultado));
    DefineHelpContext(*LbxResultado, HelpContextResultado);
    auto* layoutResultado = new QVBoxLayout(PnResultado);
    layoutResultado->setContentsMargins(0, 0, 0, 0);
    layoutResultado->setSpacing(2);
    layoutResultado->addWidget(Label6);
    layoutResultado->addWidget(LbxResultado, 1);

    PnErros = new QWidget(Splitter1);
    PnErros->setObjectName(QStringLiteral("PnErros"));
    LbDescomp = new QLabel(QStringLiteral("Descompactando a declaração ... "), PnErros);
    LbDescomp->setObjectName(QStringLiteral("LbDescomp"));
    LbDescomp->hide();
    GgDescomp = new QProgressBar(PnErros);
    GgDescomp->setObjectName(QStringLiteral("GgDescomp"));
    GgDescomp->setRange(0, 100);
    GgDescomp->setValue(0);
    GgDescomp->hide();
    MeErro = new QPlainTextEdit(PnErros);
    MeErro->setObjectName(QStringLiteral("MeErro"));
    MeErro->setReadOnly(true);
    MeErro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layoutErros = new QVBoxLayout(PnErros);
    layoutErros->setContentsMargins(0, 0, 0, 0);
    layoutErros->setSpacing(2);
    layoutErros->addWidget(LbDescomp);
    layoutErros->addWidget(GgDescomp);
    layoutErros->addWidget(MeErro, 1);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 1);

    auto* layoutTrans = new QVBoxLayout(PnTrans);
    layoutTrans->setContentsMargins(0, 0, 0, 0);
    layoutTrans->addWidget(Splitter1);
    PnTrans->hide();

    ImgErro = NovaImagem(this, "ImgErro", CodigoErro);
    ImgOk = NovaImagem(this, "ImgOk", CodigoAceito);
    ImgRelogio = NovaImagem(this, "ImgRelogio", CodigoEnviando);
    ImgAviso = NovaImagem(this, "ImgAviso", CodigoAviso);

    PnDownLoad = new QFrame(this);
    PnDownLoad->setObjectName(QStringLiteral("PnDownLoad"));
    Bevel1 = new QFrame(PnDownLoad);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    LbUlvaro = new QLabel(Bevel1);
    LbUlvaro->setObjectName(QStringLiteral("LbUlvaro"));
    LbUlvaro->setWordWrap(true);
    LbSite = new QLabel(QString::fromLatin1(EnderecoSitio), Bevel1);
    LbSite->setObjectName(QStringLiteral("LbSite"));
    LbSite->setCursor(Qt::PointingHandCursor);
    QFont fonteSite = LbSite->font();
    fonteSite.setUnderline(true);
    LbSite->setFont(fonteSite);
    PintaLbSite(CorLink);
    auto* layoutBevel = new QVBoxLayout(Bevel1);
    layoutBevel->addWidget(LbUlvaro);
    layoutBevel->addWidget(LbSite);
    layoutBevel->addStretch();
    auto* layoutDownLoad = new QVBoxLayout(PnDownLoad);
    layoutDownLoad->addWidget(Bevel1);
    PnDownLoad->hide();

    for (QWidget* controle :
         {static_cast<QWidget*>(PnDownLoad), static_cast<QWidget*>(LbUlvaro), static_cast<QWidget*>(LbSite)}) {
        controle->setMouseTracking(true);
        controle->installEventFilter(this);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PnTrans);
    layout->addWidget(PnDownLoad);

    connect(LbxResultado, &QListWidget::clicked, this, &TFrResultTrans::LbxResultadoClick);
    connect(LbxResultado, &QListWidget::currentRowChanged, this,
            [this](int linha) { LbxResultadoClick(LbxResultado->model()->index(linha, 0)); });
}

TFrResultTrans::~TFrResultTrans() = default;

QString TFrResultTrans::CodigoDoResultado(int resultado)
{
    if (resultado == 0)
        return QString::fromLatin1(CodigoAceito);
    if (resultado == 1004 || resultado == 4896)
        return QString::fromLatin1(CodigoAviso);
    return QString::fromLatin1(CodigoErro);
}

void TFrResultTrans::Transmite()
{
    // The keep-alive may deliver a second request while files are being sent.
    if (FEnviando)
        return;
    FEnviando = true;
    const auto fim = qScopeGuard([this] { FEnviando = false; });
    TCursorOcupado ocupado;
    MeErro->clear();
    FMensagensEnvio.clear();
    FCancelado = false;
    if (FArquivos.isEmpty()) {
        LbSite->hide();
        LbSite->setEnabled(false);
        MostraAviso(TextoNenhumaSelecionada);
        return;
    }
    LbSite->show();
    LbSite->setEnabled(true);
    LbxResultado->clear();
    LbxResultado->addItems(FArquivos);
    LbxResultado->setEnabled(false);
    const auto habilita = qScopeGuard([this] { LbxResultado->setEnabled(true); });
    EnviaDeclaracoes();
}

void TFrResultTrans::Libera()
{
    MeErro->clear();
    FMensagensEnvio.clear();
}

void TFrResultTrans::Cancela()
{
    FCancelado = true;
}

void TFrResultTrans::EnviaDeclaracoes()
{
    LbUlvaro->clear();
    ICarregadorTransmissao& carregador = ProgramaTransmissao::Carregador();
    const TInstalacaoTransmissao instalacao(carregador.PastaSistema());
    if (!instalacao.Existe()) {
        MostraAviso(TextoNaoInstalado);
        return;
    }
    if (instalacao.Versao() < VersaoMinima) {
        MostraAviso(TextoDesatualizado);
        return;
    }
    const QString pasta = instalacao.Path();
    std::unique_ptr<IBibliotecaEnvio> envio = carregador.CarregaEnvio(pasta);
    if (!envio) {
        MostraAviso(TextoNaoInstalado);
        return;
    }
    PnDownLoad->hide();
    PnTrans->show();
    PnTrans->repaint();
    InterfaceUsuario::Atividade().MantemVivo();

    // Without the progress library the files are sent without progress.
    std::unique_ptr<IBibliotecaProgresso> progresso = carregador.CarregaProgresso(pasta);
    if (progresso)
        progresso->SetaGaugeTransmissao([this](int percentual) { AtualizaGaugeTransmissao(percentual); });

    for (int i = 0; i < FArquivos.size(); ++i) {
        InterfaceUsuario::Atividade().MantemVivo();
        if (FCancelado)
            break;
        EnviaArquivo(i, FArquivos.at(i), *envio);
    }
    LbxResultado->setCurrentRow(0);
    MeErro->setPlainText(FMensagensEnvio.value(0));
    envio.reset();
    progresso.reset();
}

void TFrResultTrans::EnviaArquivo(int indice, const QString& arquivo, IBibliotecaEnvio& envio)
{
    const QString caminho = arquivo;   // the line is about to change
    DefineItem(indice, QString::fromLatin1(CodigoEnviando) + caminho);
    QString codigo;
    QString mensagem;
    if (!IBibliotecaEnvio::NomeAceito(caminho)) {
        // The library's buffer would cut the name and send another file, or none.
        codigo = QString::fromLatin1(CodigoErro);
        mensagem = TErro::FormataMensagem(CodigoMensagem::NomeDeArquivoInvalido, caminho);
    } else {
        TProgressoQt gauge(GgDescomp);
        gauge.DefineFaixa(0, 100);
        FGauge = &gauge;
        LbDescomp->show();
        GgDescomp->show();
        const auto esconde = qScopeGuard([this] {
            FGauge = nullptr;
            LbDescomp->hide();
            GgDescomp->hide();
        });
        try {
            codigo = CodigoDoResultado(envio.EnviarDeclaracao(caminho, mensagem));
        } catch (...) {
            DefineItem(indice, QString::fromLatin1(CodigoErro) + caminho);
            throw;
        }
    }
    DefineItem(indice, codigo + caminho);
    mensagem.replace(QLatin1Char('\n'), QLatin1String("  "));
    FMensagensEnvio << mensagem;
    MeErro->setPlainText(mensagem);
    LbxResultado->repaint();
}

void TFrResultTrans::MostraAviso(const QString& texto)
{
    LbUlvaro->setText(texto);
    PnTrans->hide();
    PnDownLoad->show();
}

void TFrResultTrans::DefineItem(int indice, const QString& texto)
{
    FArquivos[indice] = texto;
    if (QListWidgetItem* item = LbxResultado->item(indice))
        item->setText(texto);
}

void TFrResultTrans::AtualizaGaugeTransmissao(int percentual)
{
    if (!FGauge)
        return;
    FGauge->DefinePosicao(percentual);
    InterfaceUsuario::Atividade().MantemVivo();
}

void TFrResultTrans::LbxResultadoClick(const QModelIndex& indice)
{
    if (indice.isValid() && indice.row() < FMensagensEnvio.size())
        MeErro->setPlainText(FMensagensEnvio.at(indice.row()));
}

void TFrResultTrans::LbSiteClick()
{
    ExisteNavegador(true);
}

void TFrResultTrans::PintaLbSite(const QColor& cor)
{
    QPalette paleta = LbSite->palette();
    paleta.setColor(QPalette::WindowText, cor);
    LbSite->setPalette(paleta);
}

QPixmap TFrResultTrans::ImagemDoCodigo(const QString& codigo) const
{
    if (codigo == QLatin1String(CodigoErro))
        return ImgErro->pixmap();
    if (codigo == QLatin1String(CodigoAceito))
        return ImgOk->pixmap();
    if (codigo == QLatin1String(CodigoEnviando))
        return ImgRelogio->pixmap();
    if (codigo == QLatin1String(CodigoAviso))
        return ImgAviso->pixmap();
    return QPixmap();
}

bool TFrResultTrans::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseMove)
        PintaLbSite(objeto == LbSite ? CorLinkAtivo : CorLink);
    else if (objeto == LbSite && evento->type() == QEvent::MouseButtonRelease
             && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton && LbSite->isEnabled())
        LbSiteClick();
    return QFrame::eventFilter(objeto, evento);
}
