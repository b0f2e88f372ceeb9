#include <QApplication>
#include <QMainWindow>
#include <memory>

#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TAtividadeQt.h"
#include "platform/ui/TDialogosQt.h"
#include "shell/TFoSplash.h"
#include "shell/TInstanciaUnica.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    // One copy per session: a later start only brings this one to the front.
    TInstanciaUnica instancia;
    if (instancia.InstanciaAnterior())
        return 0;

    std::unique_ptr<TFoSplash> splash = TFoSplash::Cria();
    QCoreApplication::processEvents();
    QApplication::setApplicationName(QStringLiteral("Pruv 2003"));

    TDialogosQt dialogos;
    TAtividadeQt atividade;
    InterfaceUsuario::Instala(&dialogos);
    InterfaceUsuario::Instala(&atividade);

    // Shown disabled until the splash has gone, so that no command runs before.
    QMainWindow janela;
    janela.setObjectName(QStringLiteral("Pruv2003"));
    janela.setWindowTitle(QStringLiteral("Pruv 2003"));
    janela.resize(634, 429);
    janela.setEnabled(false);
    janela.show();
    instancia.DefineJanela(&janela);

    if (splash) {
        splash->SetPrincipal(&janela);
        splash->show();
        QCoreApplication::processEvents();
        AnimaSplash(*splash);
        splash.reset();
    }
    janela.setEnabled(true);

    const int resultado = QApplication::exec();
    InterfaceUsuario::Instala(static_cast<IDialogos*>(nullptr));
    InterfaceUsuario::Instala(static_cast<IAtividade*>(nullptr));
    return resultado;
}
