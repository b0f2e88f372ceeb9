#include "shell/window/TEstadoMenus.h"

#include "shell/common/TituloJanela.h"
#include "shell/window/TComandosPrincipal.h"

namespace {

// Turned off with the whole command set after a data error. The restore, the reorganisation
// and the help stay, so that the user can repair the data or read how to.
bool DesligadoSemDados(const QString& nome, const QString& pai)
{
    static const QSet<QString> desligados = {
        QStringLiteral("MiDeclaracao"),  QStringLiteral("MiPesquisar"),   QStringLiteral("MiResumo"),
        QStringLiteral("MiSincronizar"), QStringLiteral("MiGravarCopia"), QStringLiteral("MiCopiaAuto"),
        QStringLiteral("MiCalculadora"),
    };
    return desligados.contains(nome) || pai == QLatin1String("MiDeclaracao");
}

// Only with a declaration open.
bool PedeDeclaracao(const QString& nome)
{
    static const QSet<QString> comandos = {
        QStringLiteral("MiFecharDeclaracao"),
        QStringLiteral("MiResumo"),
        QStringLiteral("MiVerificarPendencias"),
        QStringLiteral("MiPesquisar"),
    };
    return comandos.contains(nome);
}

// Only with a declaration stored.
bool PedeColecao(const QString& nome)
{
    static const QSet<QString> comandos = {
        QStringLiteral("MiAbrir"),
        QStringLiteral("MiExcluir"),
        QStringLiteral("MiGravarXeq"),
    };
    return comandos.contains(nome);
}

}   // namespace

TEstadoMenus TEstadoMenus::Calcula(const TSituacaoMenus& s)
{
    constexpr int NaturezaFundos = 3;
    TEstadoMenus estado;
    // A declaration of an earlier year has no income statements to keep in step.
    const bool anoAnterior = s.DeclaracaoAberta && s.Ano < s.AnoAtual;
    estado.SincronizarVisivel = !anoAnterior;
    estado.MostraComprovante = !anoAnterior;
    estado.MostraFundos = s.DeclaracaoAberta && s.CodigoNatureza == NaturezaFundos;
    estado.Titulo = s.DeclaracaoAberta ? TituloJanela(s.Nome, s.Estabelecimento) : TituloJanela({}, {});
    estado.AnoRet = s.DeclaracaoAberta ? QStringLiteral("Ano-calendário: ") + s.Ano : QString();

    for (const TItemMenu& item : TComandosPrincipal::Menus()) {
        if (item.Tipo == TItemMenu::TTipo::Separador)
            continue;
        const QString nome = QLatin1String(item.Nome);
        bool ligado = true;
        if (!s.Habilitados && DesligadoSemDados(nome, QLatin1String(item.Pai)))
            ligado = false;
        if (item.Tipo == TItemMenu::TTipo::Comando) {
            ligado = ligado && s.Disponiveis.contains(nome);
            if (PedeDeclaracao(nome))
                ligado = ligado && s.DeclaracaoAberta;
            if (PedeColecao(nome))
                ligado = ligado && !s.ColecaoVazia;
            if (nome == QLatin1String("MiSincronizar"))
                ligado = ligado && !anoAnterior;
        }
        if (ligado)
            estado.Habilitados.insert(nome);
    }
    return estado;
}
