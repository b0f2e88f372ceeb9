#include "assistants/verification/TFoPendencias.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "model/people/TNi.h"
#include "model/declaration/TPruv.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/widgets/keyboard/FechaComEsc.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "platform/widgets/windows/TMinimoDoProjeto.h"

namespace {

TFoPendencias* Global = nullptr;

}   // namespace

TFoPendencias::TFoPendencias(QWidget* Dono)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    , FDono(Dono)
{
    setObjectName(QStringLiteral("FoPendencias"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Verificação de Pendências"));
    resize(Largura, Altura);
    new TMinimoDoProjeto(*this);
    FrPruvVerifica = new TFrPruvVerifica(this);
    FrPruvVerifica->setObjectName(QStringLiteral("FrPruvVerifica"));
    auto* disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->addWidget(FrPruvVerifica);
    // It opens on its list, where Return locates the highlighted item, not on the check box that
    // comes first in the Tab order.
    FrPruvVerifica->FocaLista();

    for (QTimer** timer : {&Timer1, &Timer2}) {
        *timer = new QTimer(this);
        (*timer)->setInterval(Intervalo);
    }
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer1, &QTimer::timeout, this, &TFoPendencias::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TFoPendencias::Timer2Timer);

    // It stays beside the declaration without a close button of its own: Esc closes it.
    FechaComEsc(*this);
    // The window sees the keys before its controls do.
    installEventFilter(this);
    for (QWidget* controle : findChildren<QWidget*>())
        controle->installEventFilter(this);
    if (Dono)
        connect(Dono, &QObject::destroyed, this, [] { LiberaPendencias(); });
}

TFoPendencias::~TFoPendencias()
{
    if (Global == this)
        Global = nullptr;
}

QPoint TFoPendencias::Posicao(const QRect& Dono, const QSize& Tamanho, int PixelsPorPolegada)
{
    const int margem = static_cast<int>(std::trunc(PixelsPorPolegada / 96.0 * MargemInferior));
    return {Dono.left() + (Dono.width() - Tamanho.width()) / 2, Dono.top() + Dono.height() - Tamanho.height() - margem};
}

bool TFoPendencias::TeclaEngolida(int Tecla, Qt::KeyboardModifiers Modificadores)
{
    if (Tecla == Qt::Key_Alt || Tecla == Qt::Key_D)
        return true;
    return (Modificadores & Qt::AltModifier) && Tecla != Qt::Key_F4;
}

void TFoPendencias::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    if (!FDono)
        return;
    const QScreen* tela = FDono->screen();
    const int ppp = tela ? static_cast<int>(tela->logicalDotsPerInch()) : 96;
    move(Posicao(FDono->frameGeometry(), frameGeometry().size(), ppp));
}

bool TFoPendencias::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (TeclaEngolida(tecla->key(), tecla->modifiers()))
            return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFoPendencias::Timer1Timer()
{
    Timer1->stop();
    if (Pruv == nullptr || FVerificando)
        return;
    FrPruvVerifica->Chaves = {Pruv->GetAno() + Pruv->GetDeclarante().GetRaiz()};
    ExcecaoAplicacao::Protege([this] {
        // Nothing may change the declaration under the checks: only the stop button stays.
        const QPointer<QWidget> dono = FDono;
        if (dono)
            dono->setEnabled(false);
        FVerificando = true;
        const auto reabilita = qScopeGuard([this, dono] {
            FVerificando = false;
            if (dono)
                dono->setEnabled(true);
        });
        int quantidade = 0;
        FrPruvVerifica->Verifica(quantidade);
        Pruv->CalculaResumo();
    });
}

void TFoPendencias::Timer2Timer()
{
    if (!FrPruvVerifica->Concluida() || FVerificando)
        return;
    Timer2->stop();
    close();
}

void TFoPendencias::closeEvent(QCloseEvent* evento)
{
    if (FormCloseQuery())
        evento->accept();
    else
        evento->ignore();
}

bool TFoPendencias::FormCloseQuery()
{
    FrPruvVerifica->SetaInterrompida(true);
    if (FrPruvVerifica->Concluida() && !FVerificando) {
        FrPruvVerifica->FechaTabela();
        LiberaPendencias();
        return true;
    }
    Timer2->start();
    return false;
}

void ExibePendencias(TPruv& Pruv, TFrPruvVerifica::TAoLocalizar AoLocalizar, QWidget* Dono)
{
    if (Global == nullptr) {
        Global = new TFoPendencias(Dono);
        Global->FrPruvVerifica->AoLocalizar = std::move(AoLocalizar);
    }
    // The owner's declaration object, which stays the same while it is open.
    Global->Pruv = &Pruv;
    if (Global->isMinimized())
        Global->showNormal();
    Global->show();
    Global->raise();
    Global->Timer1->start();
}

void LiberaPendencias()
{
    if (Global == nullptr)
        return;
    // A verification started while the window waits to be freed would free it under its own
    // feet, as the verification keeps the events flowing: the timers stop with the window.
    Global->Timer1->stop();
    Global->Timer2->stop();
    Global->hide();
    Global->deleteLater();
    Global = nullptr;
}

TFoPendencias* FoPendencias()
{
    return Global;
}
