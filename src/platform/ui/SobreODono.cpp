#include "platform/ui/SobreODono.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

// Moves the window it watches back whole into its screen once it has been shown, when its frame
// is known (the window system adds it as the window shows).
class TDeVoltaNaTela final : public QObject {
public:
    explicit TDeVoltaNaTela(QWidget& janela)
        : QObject(&janela)
        , FJanela(janela)
    {}

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (objeto == &FJanela && evento->type() == QEvent::Show)
            QTimer::singleShot(0, this, [this] { Recoloca(); });
        return false;
    }

private:
    void Recoloca()
    {
        if (!FJanela.isVisible() || !FJanela.screen())
            return;
        const QRect moldura = FJanela.frameGeometry();
        const QPoint lugar = CentroSobre(moldura, moldura.size(), FJanela.screen()->availableGeometry());
        if (lugar != moldura.topLeft())
            FJanela.move(lugar);
    }

    QWidget& FJanela;
};

}   // namespace

QPoint CentroSobre(const QRect& dono, const QSize& moldura, const QRect& tela)
{
    QPoint p = dono.center() - QPoint(moldura.width() / 2, moldura.height() / 2);
    p.setX(std::max(tela.left(), std::min(p.x(), tela.right() + 1 - moldura.width())));
    p.setY(std::max(tela.top(), std::min(p.y(), tela.bottom() + 1 - moldura.height())));
    return p;
}

void AbreSobreODono(QWidget& dialogo)
{
    QWidget* dono = dialogo.parentWidget() ? dialogo.parentWidget()->window() : nullptr;
    if (!dono)
        return;
    for (const QWidget* w = dono; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            dialogo.setWindowFlag(Qt::WindowStaysOnTopHint);
            break;
        }
    const QScreen* tela = dono->screen();
    if (!tela)
        return;
    dialogo.ensurePolished();
    dialogo.adjustSize();
    // Before the first show the frame is not known: the window manager's border is guessed wide.
    const QSize moldura = dialogo.size() + QSize(16, 40);
    dialogo.move(CentroSobre(dono->frameGeometry(), moldura, tela->availableGeometry()));
    // Shown, its size and frame are known (a dialog may still grow as it shows): moved back into
    // the screen where the guess fell short.
    dialogo.installEventFilter(new TDeVoltaNaTela(dialogo));
}
