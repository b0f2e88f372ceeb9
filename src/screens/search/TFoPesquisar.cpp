#include "screens/search/TFoPesquisar.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "shell/common/ContextoAjuda.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "platform/widgets/windows/TMinimoDoProjeto.h"

namespace {

QPointer<TFoPesquisar> Existente;
constexpr int DistanciaBase = 12;   // above the main window's bottom edge

}   // namespace

TFoPesquisar::TFoPesquisar(QWidget* Dono)
    : QDialog(Dono, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FoPesquisar"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Pesquisar"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    FrPesquisarPruv = new TFrPesquisarPruv(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FrPesquisarPruv);
    resize(521, 213);
    new TMinimoDoProjeto(*this);
}

void TFoPesquisar::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (FMostrado || !parentWidget())
        return;
    FMostrado = true;
    const QRect principal = parentWidget()->window()->frameGeometry();
    move(principal.left() + (principal.width() - frameGeometry().width()) / 2,
         principal.bottom() - DistanciaBase - frameGeometry().height());
}

void TFoPesquisar::closeEvent(QCloseEvent* evento)
{
    FrPesquisarPruv->Fecha();
    evento->accept();
}

void TFoPesquisar::changeEvent(QEvent* evento)
{
    QDialog::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        ExcecaoAplicacao::Protege([this] { FrPesquisarPruv->Atualiza(); });
}

void MostraPesquisa(TPruv& Declaracao, TPosicionaCampo Posiciona, QWidget* Dono)
{
    if (!Existente) {
        Existente = new TFoPesquisar(Dono);
        Existente->FrPesquisarPruv->Abre(Declaracao, std::move(Posiciona));
    }
    if (Existente->isMinimized())
        Existente->setWindowState(Existente->windowState() & ~Qt::WindowMinimized);
    Existente->show();
    Existente->raise();
    Existente->activateWindow();
    Existente->FrPesquisarPruv->EdChave->setFocus();
}

void LiberaPesquisa()
{
    if (Existente)
        Existente->close();
}

TFoPesquisar* FoPesquisar()
{
    return Existente.data();
}
