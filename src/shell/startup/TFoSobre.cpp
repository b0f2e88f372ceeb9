#include "shell/startup/TFoSobre.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "shell/common/Navegador.h"
#include "shell/common/TDmGeral.h"

namespace {

const QColor Marinho(0, 0, 128);
const QColor Azul(0, 0, 255);
constexpr int LarguraBandeira = 90;
constexpr int AlturaBandeira = 60;

void Colore(QWidget* controle, const QColor& cor)
{
    QPalette paleta = controle->palette();
    paleta.setColor(QPalette::WindowText, cor);
    controle->setPalette(paleta);
}

QLabel* Titulo(const QString& texto, int pixels, bool negrito, QWidget* pai)
{
    auto* rotulo = new QLabel(texto, pai);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(pixels);
    fonte.setBold(negrito);
    rotulo->setFont(fonte);
    Colore(rotulo, Marinho);
    return rotulo;
}

// A waving green flag with its yellow lozenge, drawn in vertical strips shifted by a sine.
class TBandeira final : public QWidget {
public:
    TBandeira(const int& fase, QWidget* pai)
        : QWidget(pai)
        , FFase(fase)
    {
        setFixedSize(LarguraBandeira + 8, AlturaBandeira + 16);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPixmap pano(LarguraBandeira, AlturaBandeira);
        pano.fill(QColor(0, 150, 60));
        {
            QPainter p(&pano);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 220, 0));
            const QPolygon losango({QPoint(LarguraBandeira / 2, 6), QPoint(LarguraBandeira - 8, AlturaBandeira / 2),
                                    QPoint(LarguraBandeira / 2, AlturaBandeira - 6), QPoint(8, AlturaBandeira / 2)});
            p.drawPolygon(losango);
            p.setBrush(QColor(0, 40, 140));
            p.drawEllipse(QPoint(LarguraBandeira / 2, AlturaBandeira / 2), 13, 13);
        }
        QPainter pintor(this);
        for (int x = 0; x < LarguraBandeira; x += 2) {
            const double onda = std::sin((x + FFase * 6) * std::numbers::pi / 30.0) * 4.0 * x / LarguraBandeira;
            pintor.drawPixmap(QPoint(4 + x, 8 + static_cast<int>(std::lround(onda))), pano,
                              QRect(x, 0, 2, AlturaBandeira));
        }
    }

private:
    const int& FFase;
};

// A light that sweeps along a bar, under the titles.
class TVarredura final : public QWidget {
public:
    TVarredura(const int& fase, QWidget* pai)
        : QWidget(pai)
        , FFase(fase)
    {
        setFixedHeight(6);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        const int largura = std::max(1, width());
        const int x = (FFase * 8) % (largura + 40) - 20;
        QLinearGradient brilho(x - 20, 0, x + 20, 0);
        brilho.setColorAt(0, Qt::black);
        brilho.setColorAt(0.5, QColor(0, 255, 0));
        brilho.setColorAt(1, Qt::black);
        p.fillRect(QRect(x - 20, 0, 40, height()), brilho);
    }

private:
    const int& FFase;
};

}   // namespace

const QString TFoSobre::TextoVersao = QStringLiteral("Versão 1.0");

std::function<bool(const QUrl&)> TFoSobre::AbreEndereco = [](const QUrl& endereco) {
    return QDesktopServices::openUrl(endereco);
};

TFoSobre::TFoSobre(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FoSobre"));
    setWindowTitle(QStringLiteral("Sobre a Pruv 2003"));

    auto* bandeira = new TBandeira(FFaseBandeira, this);
    bandeira->setObjectName(QStringLiteral("ImgBandeira"));
    PaintBox1 = new TVarredura(FFaseVarredura, this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));

    auto* titulos = new QVBoxLayout;
    titulos->setSpacing(2);
    titulos->addWidget(Titulo(QStringLiteral("Pruv 2003"), 28, true, this));
    titulos->addWidget(Titulo(QStringLiteral("Declaração do"), 14, false, this));
    titulos->addWidget(Titulo(QStringLiteral("Imposto de Renda"), 14, false, this));
    titulos->addWidget(Titulo(QStringLiteral("Retido na Fonte"), 14, false, this));
    LabelVersao = new QLabel(this);
    LabelVersao->setObjectName(QStringLiteral("LabelVersao"));
    titulos->addSpacing(6);
    titulos->addWidget(LabelVersao);

    auto* topo = new QHBoxLayout;
    topo->setSpacing(16);
    topo->addWidget(bandeira, 0, Qt::AlignTop);
    topo->addLayout(titulos, 1);

    auto* criador = new QLabel(QStringLiteral("Secretaria Morvex Federal"), this);
    LbSite = new QLabel(QString::fromLatin1(EnderecoSitio), this);
    LbSite->setObjectName(QStringLiteral("LbSite"));
    QFont sublinhado = LbSite->font();
    sublinhado.setUnderline(true);
    LbSite->setFont(sublinhado);
    Colore(LbSite, Marinho);
    LbSite->setCursor(Qt::PointingHandCursor);
    LbSite->setMouseTracking(true);
    LbSite->installEventFilter(this);

    BitBtn2 = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    auto* rodape = new QHBoxLayout;
    auto* textos = new QVBoxLayout;
    textos->addWidget(criador);
    textos->addWidget(LbSite);
    rodape->addLayout(textos, 1);
    rodape->addWidget(BitBtn2, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(topo);
    layout->addSpacing(8);
    layout->addWidget(PaintBox1);
    layout->addSpacing(8);
    layout->addLayout(rodape);
    setFixedSize(380, 250);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(80);
    connect(Timer1, &QTimer::timeout, this, [this, bandeira] {
        ++FFaseBandeira;
        bandeira->update();
    });
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(40);
    connect(Timer2, &QTimer::timeout, this, [this] {
        ++FFaseVarredura;
        PaintBox1->update();
    });
}

void TFoSobre::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    LabelVersao->setText(TextoVersao);
    Timer1->start();
    Timer2->start();
}

void TFoSobre::hideEvent(QHideEvent* evento)
{
    Timer1->stop();
    Timer2->stop();
    QDialog::hideEvent(evento);
}

bool TFoSobre::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == LbSite) {
        switch (evento->type()) {
        case QEvent::Enter:
            Colore(LbSite, Azul);
            break;
        case QEvent::Leave:
            Colore(LbSite, Marinho);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
                LbSiteClick();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFoSobre::LbSiteClick()
{
    if (AbreEndereco)
        AbreEndereco(QUrl(QString::fromLatin1(EnderecoSitio)));
}

void MostraSobre(QWidget* Dono)
{
    {
        TFoSobre janela(Dono);
        janela.exec();
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
