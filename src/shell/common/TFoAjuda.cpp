#include "shell/common/TFoAjuda.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/files/TPastas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/keyboard/FechaComEsc.h"

namespace {

QPointer<TFoAjuda> janelaAberta;

constexpr int Espaco = 8;   // between the owner's frame and the help window

}   // namespace

QString TFoAjuda::Pasta()
{
    return TPastas::PastaRecurso(QStringLiteral("help"));
}

QString TFoAjuda::Pagina(const QString& pasta, int contexto)
{
    if (pasta.isEmpty())
        return QString();
    const QDir dir(pasta);
    for (const int c : {contexto, Conteudo}) {
        const QString arquivo = dir.filePath(QString::number(c) + QStringLiteral(".html"));
        if (QFileInfo(arquivo).isFile())
            return arquivo;
    }
    return QString();
}

QPoint TFoAjuda::Posicao(const QRect& dono, const QSize& tamanho, const QRect& tela)
{
    int x = dono.right() + 1 + Espaco;
    if (x + tamanho.width() - 1 > tela.right()) {
        x = dono.left() - Espaco - tamanho.width();
        if (x < tela.left())
            x = std::max(tela.left(), tela.right() + 1 - tamanho.width());
    }
    const int y = std::max(tela.top(), std::min(dono.top(), tela.bottom() + 1 - tamanho.height()));
    return {x, y};
}

void TFoAjuda::Mostra(int contexto, QWidget* dono)
{
    const QString pasta = Pasta();
    const QString arquivo = Pagina(pasta, contexto);
    if (arquivo.isEmpty()) {
        InterfaceUsuario::Mostra(QStringLiteral("As páginas de ajuda não foram encontradas junto ao programa."),
                                 TipoDialogo::Aviso, Botao::Ok);
        return;
    }
    if (!dono)
        dono = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    if (dono == janelaAberta)
        dono = janelaAberta->parentWidget();
    if (dono)
        dono = dono->window();
    // Above its owner: a window of the owner's own (the modal assistant would otherwise keep it
    // from taking clicks), and always on top where the owner is, or it would open beneath it.
    const Qt::WindowFlags tipo = dono && dono->windowFlags().testFlag(Qt::WindowStaysOnTopHint)
        ? Qt::Window | Qt::WindowStaysOnTopHint
        : Qt::Window;
    if (janelaAberta
        && (janelaAberta->parentWidget() != dono
            || janelaAberta->windowFlags().testFlag(Qt::WindowStaysOnTopHint)
                != tipo.testFlag(Qt::WindowStaysOnTopHint))) {
        janelaAberta->hide();
        janelaAberta->setParent(dono, tipo);
    }
    if (!janelaAberta) {
        janelaAberta = new TFoAjuda(dono);
        janelaAberta->setWindowFlags(tipo);
        janelaAberta->setAttribute(Qt::WA_DeleteOnClose);
    }
    janelaAberta->FContexto = contexto;
    janelaAberta->MostraPagina(arquivo);
    if (!janelaAberta->isVisible())
        janelaAberta->Posiciona();
    janelaAberta->showNormal();
    janelaAberta->raise();
    janelaAberta->activateWindow();
}

TFoAjuda* TFoAjuda::Aberta()
{
    return janelaAberta;
}

TFoAjuda::TFoAjuda(QWidget* pai)
    : QWidget(pai, Qt::Window)
    , Texto(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("FoAjuda"));
    setWindowTitle(QStringLiteral("Ajuda da Pruv 2003"));
    setAttribute(Qt::WA_QuitOnClose, false);   // the program ends with its main window
    resize(640, 520);
    Texto->setObjectName(QStringLiteral("Texto"));
    // Links between the pages stay in this window; links to the web go to the browser.
    Texto->setOpenExternalLinks(true);
    Texto->document()->setDocumentMargin(12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Texto);
    FechaComEsc(*this);
}

void TFoAjuda::MostraPagina(const QString& arquivo)
{
    Texto->setSource(QUrl::fromLocalFile(arquivo));
}

void TFoAjuda::Posiciona()
{
    const QWidget* dono = parentWidget();
    const QScreen* tela = dono ? dono->screen() : screen();
    if (!dono || !tela)
        return;
    // Before the first show the frame is not known: the window manager's border is guessed.
    const QSize moldura = frameGeometry().size() != size() ? frameGeometry().size() : size() + QSize(2, 30);
    move(Posicao(dono->frameGeometry(), moldura, tela->availableGeometry()));
}
