#include "app/Programa.h"

#include <QApplication>
#include <QScopeGuard>
#include <memory>
#include <utility>

#include "app/JanelasDosComandos.h"
#include "platform/files/TPastas.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TAtividadeQt.h"
#include "platform/ui/TDialogosQt.h"
#include "platform/ui/TJanelaVisivel.h"
#include "platform/ui/TTraducaoQt.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "screens/tips/TZofHint.h"
#include "shell/startup/TFoSplash.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TFoAjuda.h"
#include "shell/window/TInstanciaUnica.h"
#include "shell/window/TPastaEmUso.h"
#include "shell/window/TPruv2003.h"

int ExecutaPrograma(const QString& PastaInstancia)
{
    // Qt's own dialogs (file dialog, standard buttons) speak the program's language.
    const TTraducaoQt traducao;

    QApplication::setApplicationName(QStringLiteral("Pruv 2003"));
    TDialogosQt dialogos(nullptr, [](int contexto, QWidget* dialogo) { TFoAjuda::Mostra(contexto, dialogo); });
    TAtividadeQt atividade;
    InterfaceUsuario::Instala(&dialogos);
    InterfaceUsuario::Instala(&atividade);
    // The widgets' own last catch goes to the same handler as everything else.
    TExcecaoDeEvento::Instala([](std::exception_ptr excecao) { ExcecaoAplicacao::Trata(excecao); });
    const auto desinstala = qScopeGuard([] {
        TExcecaoDeEvento::Instala({});
        InterfaceUsuario::Instala(static_cast<IDialogos*>(nullptr));
        InterfaceUsuario::Instala(static_cast<IAtividade*>(nullptr));
    });

    // One copy per session: a later start only brings this one to the front.
    TInstanciaUnica instancia(PastaInstancia);
    if (instancia.InstanciaAnterior()) {
        if (instancia.Respondeu())
            return 0;
        InterfaceUsuario::Mostra(TInstanciaUnica::MensagemSemResposta(), TipoDialogo::Erro, Botao::Ok);
        return 1;
    }

    // One copy per program folder, whichever login or session started it: two copies on one
    // database would fail each other's saves.
    TPastaEmUso pasta(TPastas::Programa());
    switch (pasta.Trava()) {
    case TPastaEmUso::TResultado::Travado:
        break;
    case TPastaEmUso::TResultado::EmUso:
        InterfaceUsuario::Mostra(pasta.MensagemEmUso(), TipoDialogo::Erro, Botao::Ok);
        return 1;
    case TPastaEmUso::TResultado::Impossivel:
        // Not kept out, a second copy could undo this one's saves: the user decides, and Enter
        // does not decide for them.
        if (const QString pergunta = pasta.PerguntaSemTrava(); !pergunta.isEmpty()) {
            TMensagemDialogo mensagem{pergunta, TipoDialogo::Aviso, Botao::Sim | Botao::Nao};
            mensagem.Padrao = Resposta::Nao;
            if (InterfaceUsuario::Dialogos().Mostra(mensagem) != Resposta::Sim)
                return 1;
        }
        break;
    }

    std::unique_ptr<TFoSplash> splash = TFoSplash::Cria();
    QCoreApplication::processEvents();

    int resultado = 1;
    {
        // Shown disabled until the splash has gone, so that no command runs before.
        TPruv2003 janela;
        janela.DefineRotinas(JanelasDosComandos(janela));
        TZofHint::InstalaPruvHint(&janela);
        janela.setEnabled(false);
        janela.show();
        instancia.DefineJanela(&janela);

        // A data error leaves the program running with what can mend the data; only a database
        // that cannot be reached at all, or a full disk, ends it here.
        if (!janela.Terminando()) {
            if (splash) {
                splash->SetPrincipal(&janela);
                // On the screen before the animation starts, so that all of it is seen.
                TJanelaVisivel::Mostra(*splash);
                AnimaSplash(*splash);
                splash.reset();
            }
            // Qt ends its loop with the last window only once the loop runs: a window closed
            // during the splash or the initial dialogs ends the program here.
            if (!janela.Fechada()) {
                janela.setEnabled(true);
                ExcecaoAplicacao::Protege([&janela] { janela.AbrirDialogoInicial(); });
            }
            if (janela.Fechada())
                resultado = 0;
            else if (!janela.Terminando())
                resultado = QApplication::exec();
        }
        instancia.DefineJanela(nullptr);
    }
    return resultado;
}
