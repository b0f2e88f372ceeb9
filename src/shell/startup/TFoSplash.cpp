#include "shell/startup/TFoSplash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QColor Prata(192, 192, 192);
const QColor Marinho(0, 0, 128);
const QColor Cinza(128, 128, 128);
const QColor Lima(0, 255, 0);
constexpr int IntervaloTimer = 50;
constexpr QSize TamanhoDisco(40, 40);
constexpr QSize TamanhoVisor(180, 100);

// A diskette seen from the front.
QPixmap FiguraDisco()
{
    QPixmap figura(TamanhoDisco);
    figura.fill(Qt::transparent);
    QPainter pintor(&figura);
    pintor.setPen(Qt::black);
    pintor.setBrush(QColor(40, 40, 90));
    pintor.drawRect(0, 0, 39, 39);
    pintor.setBrush(QColor(210, 210, 210));
    pintor.drawRect(10, 0, 20, 13);   // shutter
    pintor.setBrush(Qt::white);
    pintor.drawRect(6, 20, 28, 19);   // label
    return figura;
}

// The program's year, drawn as a picture beside its name: navy, slanted, with a light shadow.
QPixmap FiguraAno(const QFont& base)
{
    QFont fonte(base);
    fonte.setItalic(true);
    const QString ano = QStringLiteral("2003");
    const QFontMetrics medidas(fonte);
    QPixmap figura(medidas.horizontalAdvance(ano) + 6, medidas.height() + 2);
    figura.fill(Qt::transparent);
    QPainter pintor(&figura);
    pintor.setRenderHint(QPainter::TextAntialiasing);
    pintor.setFont(fonte);
    pintor.setPen(QColor(255, 255, 255));
    pintor.drawText(QPoint(2, medidas.ascent() + 2), ano);
    pintor.setPen(Marinho);
    pintor.drawText(QPoint(0, medidas.ascent()), ano);
    return figura;
}

// The two pictures of the display: lines of text that scroll while the program loads.
std::array<QPixmap, 2> FigurasVisor()
{
    std::array<QPixmap, 2> quadros;
    for (std::size_t q = 0; q < quadros.size(); ++q) {
        QPixmap figura(TamanhoVisor.width() - 20, 2 * TamanhoVisor.height());
        figura.fill(Qt::black);
        QPainter pintor(&figura);
        pintor.setPen(QColor(0, q == 0 ? 200 : 255, 0));
        for (int linha = 0; linha * 8 < figura.height(); ++linha) {
            const int largura = 30 + ((linha * 37 + static_cast<int>(q) * 11) % 110);
            pintor.drawLine(4, linha * 8 + 4, 4 + largura, linha * 8 + 4);
        }
        quadros[q] = figura;
    }
    return quadros;
}

QFrame* CriaPainel(QWidget* pai, const char* nome, const QRect& geometria, QFrame::Shadow sombra)
{
    auto* painel = new QFrame(pai);
    painel->setObjectName(QLatin1String(nome));
    painel->setGeometry(geometria);
    painel->setFrameStyle(QFrame::Panel | sombra);
    painel->setAutoFillBackground(true);
    return painel;
}

void PintaFundo(QWidget* w, const QColor& cor)
{
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::Window, cor);
    w->setPalette(paleta);
}

}   // namespace

QRect TTrajetoSplash::Geometria(const QRect& inicio, int passo)
{
    int resta = std::clamp(passo, 0, TotalPassos);
    auto consome = [&resta](int fase) {
        const int n = std::min(resta, fase);
        resta -= n;
        return n;
    };
    QPoint ponto = inicio.topLeft();
    ponto.ry() += consome(Descida);
    if (const int n = consome(PassosCirculo); n > 0) {
        // Clockwise from the top of a circle whose centre lies Raio below the disk.
        const double angulo = 2.0 * std::numbers::pi * n / PassosCirculo;
        const QPoint centro = ponto + QPoint(0, Raio);
        ponto = centro
            + QPoint(static_cast<int>(std::lround(Raio * std::sin(angulo))),
                     static_cast<int>(std::lround(-Raio * std::cos(angulo))));
    }
    ponto.rx() -= consome(Esquerda);
    ponto.ry() -= consome(Subida);
    const int afundado = consome(PassosAltura);
    const int altura = inicio.height() - inicio.height() * afundado / PassosAltura;
    // The bottom edge stays where it is: the disk sinks into the display below it.
    return {ponto.x(), ponto.y() + inicio.height() - altura, inicio.width(), altura};
}

void TVisorSplash::Tique()
{
    if (FQuadro == 1)
        FContador += Passo;
    FQuadro = 1 - FQuadro;
}

bool TFoSplash::Desligado()
{
    return qEnvironmentVariable("PRUV2003_NO_SPLASH") == QLatin1String("1");
}

std::unique_ptr<TFoSplash> TFoSplash::Cria()
{
    return Desligado() ? nullptr : std::make_unique<TFoSplash>();
}

QPoint TFoSplash::Posicao(const QRect& molduraPrincipal, int alturaClientePrincipal, int largura)
{
    return {molduraPrincipal.left() + (molduraPrincipal.width() - largura) / 2,
            molduraPrincipal.top() + molduraPrincipal.height() - alturaClientePrincipal + 40};
}

TFoSplash::TFoSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , FQuadros(FigurasVisor())
{
    setObjectName(QStringLiteral("FoSplash"));
    setFixedSize(Largura, Altura);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    PintaFundo(this, Prata);

    Panel1 = CriaPainel(this, "Panel1", rect(), QFrame::Raised);
    LbAguarde = new QLabel(QStringLiteral("Aguarde. Carregando ..."), Panel1);
    LbAguarde->setObjectName(QStringLiteral("LbAguarde"));
    LbAguarde->setGeometry(16, 12, 300, 20);
    LbAguarde->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    LbPruv = new QLabel(QStringLiteral("Pruv"), Panel1);
    LbPruv->setObjectName(QStringLiteral("LbPruv"));
    QFont grande = LbPruv->font();
    grande.setPixelSize(40);
    grande.setBold(true);
    LbPruv->setFont(grande);
    LbPruv->adjustSize();
    QPalette cinza = LbPruv->palette();
    cinza.setColor(QPalette::WindowText, Cinza);
    LbPruv->setPalette(cinza);
    ImgAno = new QLabel(Panel1);
    ImgAno->setObjectName(QStringLiteral("ImgAno"));
    ImgAno->setPixmap(FiguraAno(grande));
    ImgAno->adjustSize();
    // The name and its year together, against the right margin.
    constexpr int Margem = 24;
    constexpr int EntreNomeEAno = 12;
    LbPruv->move(Largura - Margem - ImgAno->width() - EntreNomeEAno - LbPruv->width(), 60);
    ImgAno->move(LbPruv->geometry().right() + 1 + EntreNomeEAno, LbPruv->y());
    LbAno = new QLabel(QStringLiteral("2002"), Panel1);
    LbAno->setObjectName(QStringLiteral("LbAno"));
    LbAno->setGeometry(300, 108, 200, 20);
    LbAno->hide();
    // The row of boxes under everything: what the program is.
    const char* const linhas[] = {"Declaração do", "Imposto de Renda", "Retido na Fonte"};
    for (int i = 0; i < 3; ++i) {
        auto* bevel = new QLabel(QString::fromUtf8(linhas[i]), Panel1);
        bevel->setObjectName(QStringLiteral("Bevel%1").arg(i + 1));
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        bevel->setAlignment(Qt::AlignCenter);
        bevel->setGeometry(16 + i * 168, Altura - 40, 160, 24);
        bevel->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    }

    Panel10 = CriaPainel(Panel1, "Panel10", QRect(QPoint(), TamanhoVisor), QFrame::Sunken);
    PintaFundo(Panel10, Qt::black);
    PaintBox1 = new QLabel(Panel10);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(10, 10, TamanhoVisor.width() - 20, TamanhoVisor.height() - 30);
    PanelLed = CriaPainel(Panel10, "PanelLed", QRect(TamanhoVisor.width() - 40, TamanhoVisor.height() - 14, 12, 6),
                          QFrame::Sunken);
    PanelLedMonitor = CriaPainel(Panel10, "PanelLedMonitor",
                                 QRect(TamanhoVisor.width() - 22, TamanhoVisor.height() - 14, 12, 6), QFrame::Sunken);

    ImgDsk1 = new QLabel(Panel1);
    ImgDsk1->setObjectName(QStringLiteral("ImgDsk1"));
    ImgDsk1->setPixmap(FiguraDisco());
    // Sinking, the disk shows its upper part above the display's edge, as if it went in.
    ImgDsk1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FInicioDisco = QRect(LbPruv->pos() - QPoint(45, 5), TamanhoDisco);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(IntervaloTimer);
    connect(Timer1, &QTimer::timeout, this, &TFoSplash::TiqueVisor);

    Reinicia();
}

TFoSplash::~TFoSplash() = default;

void TFoSplash::SetPrincipal(QWidget* principal)
{
    if (FPrincipal)
        FPrincipal->removeEventFilter(this);
    FPrincipal = principal;
    if (FPrincipal)
        FPrincipal->installEventFilter(this);
}

bool TFoSplash::eventFilter(QObject* objeto, QEvent* evento)
{
    // The user closed the program while it was loading: nothing is left to wait for. A
    // minimised window's hide comes from the window system and is not an end.
    if (objeto == FPrincipal && evento->type() == QEvent::Hide && !evento->spontaneous())
        Interrompe();
    return QWidget::eventFilter(objeto, evento);
}

void TFoSplash::Reinicia()
{
    Timer1->stop();
    PintaLeds(palette().color(QPalette::Button));
    ImgDsk1->setGeometry(FInicioDisco);
    // The display lies under the point where the disk ends its path.
    const QRect fim = TTrajetoSplash::Geometria(FInicioDisco, TTrajetoSplash::TotalPassos);
    Panel10->move(fim.left() - (TamanhoVisor.width() - TamanhoDisco.width()) / 2, fim.bottom() + 1);
    ImgDsk1->raise();
}

void TFoSplash::PintaLeds(const QColor& cor)
{
    PintaFundo(PanelLed, cor);
    PintaFundo(PanelLedMonitor, cor);
}

void TFoSplash::showEvent(QShowEvent* evento)
{
    if (FPrincipal)
        move(Posicao(FPrincipal->frameGeometry(), FPrincipal->geometry().height(), width()));
    Reinicia();
    QWidget::showEvent(evento);
}

void TFoSplash::Interrompe()
{
    FFim = true;
    Timer1->stop();
}

void TFoSplash::mousePressEvent(QMouseEvent* /*evento*/)
{
    Interrompe();
}

void TFoSplash::keyPressEvent(QKeyEvent* /*evento*/)
{
    Interrompe();
}

void TFoSplash::closeEvent(QCloseEvent* evento)
{
    Interrompe();
    evento->accept();
}

void TFoSplash::TiqueVisor()
{
    FVisor.Tique();
    const QPixmap& quadro = FQuadros[static_cast<std::size_t>(FVisor.Quadro())];
    PaintBox1->setPixmap(quadro.copy(0, FVisor.Contador(), PaintBox1->width(), PaintBox1->height()));
    if (FVisor.Terminou())
        Interrompe();
}

void AnimaSplash(TFoSplash& splash)
{
    QElapsedTimer relogio;
    relogio.start();
    for (int passo = 1; passo <= TTrajetoSplash::TotalPassos && !splash.FFim; ++passo) {
        splash.ImgDsk1->setGeometry(TTrajetoSplash::Geometria(splash.FInicioDisco, passo));
        QCoreApplication::processEvents();
        // Resting until the step's moment, while a click or a key can still end it.
        while (!splash.FFim && relogio.elapsed() < TTrajetoSplash::Instante(passo)) {
            QThread::msleep(1);
            QCoreApplication::processEvents();
        }
    }
    if (splash.FFim)
        return;
    splash.PintaLeds(Lima);
    splash.Timer1->start();
    while (!splash.FFim)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
