#include "screens/tips/TZofHint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

#include "screens/grids/TPruvCustomGrid.h"

namespace {

// The grid whose cells lie under the control: the grid itself, or its viewport, where the cells
// are drawn and which gets the mouse. Its other parts (scroll bars, corner, cell editor) have no
// cell under them.
TPruvCustomGrid* GradeDe(QWidget* w)
{
    if (auto* grade = qobject_cast<TPruvCustomGrid*>(w))
        return grade;
    auto* grade = w ? qobject_cast<TPruvCustomGrid*>(w->parentWidget()) : nullptr;
    return grade && grade->viewport() == w ? grade : nullptr;
}

}   // namespace

TZofHint::TZofHint(QObject* parent)
    : QObject(parent)
{
    FAparencia.Fonte = QFont(QStringLiteral("Arial"));
    FAparencia.Fonte.setPointSize(8);
    FAparencia.Fonte.setItalic(true);
    FTempo.setSingleShot(true);
    connect(&FTempo, &QTimer::timeout, this, &TZofHint::Esconde);
    FPausa.setSingleShot(true);
    connect(&FPausa, &QTimer::timeout, this, [this] {
        if (FAguardada.Controle)
            Mostra(FAguardada.Controle, FAguardada.Texto, FAguardada.Area, FAguardada.Global);
        FAguardada.Controle = nullptr;
    });
    qApp->installEventFilter(this);
}

TZofHint::~TZofHint()
{
    qApp->removeEventFilter(this);
    delete FBalao.data();
}

TZofHint* TZofHint::InstalaPruvHint(QWidget* principal)
{
    auto* dica = new TZofHint(principal);
    dica->setObjectName(QStringLiteral("PruvHint"));
    dica->SetHintColor(principal->palette().color(QPalette::Base));
    dica->SetHintShadowColor(Qt::black);
    dica->SetHintRadius(14);
    dica->SetHintWidth(200);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(11);
    dica->SetHintFont(fonte);
    dica->SetHintPauseTime(1500);
    dica->SetHintActive(true);
    return dica;
}

int TZofHint::TempoVisivel(int caracteres)
{
    return std::max(1300, 70 * caracteres + 200);
}

void TZofHint::SetHintActive(bool ativo)
{
    if (ativo == FHintActive)
        return;
    FHintActive = ativo;
    Esconde();
}

void TZofHint::SetAbout(const QString& texto)
{
    if (texto != FAbout)
        FAbout = QStringLiteral("Hint");
}

void TZofHint::EscondePorMovimento()
{
    if (FBalao && FBalao->isVisible())
        FEscondidoEm.start();
    Esconde();
}

bool TZofHint::EmSequencia() const
{
    if (FBalao && FBalao->isVisible())
        return true;
    return FEscondidoEm.isValid()
        && FEscondidoEm.elapsed() < qApp->style()->styleHint(QStyle::SH_ToolTip_FallAsleepDelay);
}

void TZofHint::Esconde()
{
    FPausa.stop();
    FAguardada.Controle = nullptr;
    FTempo.stop();
    FControle = nullptr;
    if (FBalao)
        FBalao->hide();
}

bool TZofHint::Dica(QWidget* controle, const QHelpEvent& ajuda, QString& texto, QRect& area) const
{
    texto = controle->toolTip();
    area = controle->rect();
    TPruvCustomGrid* grade = GradeDe(controle);
    if (!grade)
        return !texto.isEmpty();
    QWidget* celulas = grade->viewport();
    // The control is the viewport or the grid around it: mapped downward only.
    const QPoint ponto = celulas->mapFrom(controle, ajuda.pos());
    if (!celulas->rect().contains(ponto))
        return !texto.isEmpty();   // on the grid's frame, beside its cells
    texto = grade->toolTip();
    THintInfo info;
    info.CursorPos = ponto;
    info.CursorRect = TRect::From(celulas->rect());
    bool mostra = true;
    grade->MostraHint(texto, mostra, info);
    if (!mostra)
        texto.clear();
    const QRect celula = info.CursorRect.ToQRect();
    area = QRect(celulas->mapTo(controle, celula.topLeft()), celula.size());
    return !texto.isEmpty();
}

void TZofHint::Aguarda(QWidget* controle, const QString& texto, const QRect& area, QPoint global, int ms)
{
    FAguardada = {controle, texto, area, global};
    FPausa.start(ms);
}

void TZofHint::Mostra(QWidget* controle, const QString& texto, const QRect& area, QPoint global)
{
    const int tempo = TempoVisivel(static_cast<int>(texto.size()));
    if (!FHintActive) {
        QToolTip::showText(global, texto, controle, area, tempo);
        return;
    }
    THintDirection direcao = HintDirection;
    if (OnSelectHintDirection)
        OnSelectHintDirection(QApplication::widgetAt(global), direcao);
    if (!FBalao)
        FBalao = new TNewHint;
    FBalao->Ativa(texto, global, direcao, FAparencia);
    FControle = controle;
    FArea = area;
    FTempo.start(tempo);
}

bool TZofHint::eventFilter(QObject* objeto, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::ToolTip: {
        if (!objeto->isWidgetType())
            return false;
        auto* controle = static_cast<QWidget*>(objeto);
        auto* ajuda = static_cast<QHelpEvent*>(evento);
        QString texto;
        QRect area;
        if (!Dica(controle, *ajuda, texto, area)) {
            // Nothing here: the parent is asked next, as the event goes up.
            if (FControle == controle)
                EscondePorMovimento();
            return false;
        }
        // From one cell or control to the next while hints are showing, only the short pause.
        const int espera = EmSequencia() ? HintShortPause
                                         : FHintPauseTime - qApp->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
        if (espera > 0)
            Aguarda(controle, texto, area, ajuda->globalPos(), espera);
        else
            Mostra(controle, texto, area, ajuda->globalPos());
        evento->accept();
        return true;
    }
    case QEvent::MouseMove:
        // A hint waits for the mouse to rest: moving starts the wait again.
        if (FAguardada.Controle && objeto == FAguardada.Controle.data()) {
            FPausa.stop();
            FAguardada.Controle = nullptr;
        }
        if (FControle && objeto == FControle.data()) {
            const QPoint p = static_cast<QMouseEvent*>(evento)->position().toPoint();
            if (!FArea.contains(p))
                EscondePorMovimento();
        }
        return false;
    case QEvent::Leave:
        if ((FControle && objeto == FControle.data()) || (FAguardada.Controle && objeto == FAguardada.Controle.data()))
            EscondePorMovimento();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate:
        // A click or a key ends the run of hints: the next one waits the whole pause.
        FEscondidoEm.invalidate();
        if ((FBalao && FBalao->isVisible()) || FAguardada.Controle)
            Esconde();
        return false;
    default:
        return false;
    }
}
