#include "shell/TFoAjuda.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/files/TPastas.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

QPointer<TFoAjuda> janelaAberta;

}  // namespace

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

void TFoAjuda::Mostra(int contexto)
{
    const QString pasta = Pasta();
    const QString arquivo = Pagina(pasta, contexto);
    if (arquivo.isEmpty()) {
        InterfaceUsuario::Mostra(QStringLiteral("As páginas de ajuda não foram encontradas junto ao programa."),
                                 TipoDialogo::Aviso, Botao::Ok);
        return;
    }
    if (!janelaAberta) {
        janelaAberta = new TFoAjuda;
        janelaAberta->setAttribute(Qt::WA_DeleteOnClose);
    }
    janelaAberta->MostraPagina(arquivo);
    janelaAberta->showNormal();
    janelaAberta->raise();
    janelaAberta->activateWindow();
}

TFoAjuda* TFoAjuda::Aberta()
{
    return janelaAberta;
}

TFoAjuda::TFoAjuda(QWidget* pai) : QWidget(pai, Qt::Window), Texto(new QTextBrowser(this))
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
}

void TFoAjuda::MostraPagina(const QString& arquivo)
{
    Texto->setSource(QUrl::fromLocalFile(arquivo));
}
