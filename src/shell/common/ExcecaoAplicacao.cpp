#include "shell/common/ExcecaoAplicacao.h"

#include <QString>
#include <QtGlobal>

#include "platform/ui/InterfaceUsuario.h"

namespace {

ExcecaoAplicacao::Tratador tratadorAtual;

QString TextoDe(std::exception_ptr excecao)
{
    try {
        std::rethrow_exception(excecao);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erro inesperado.");
    }
}

}   // namespace

namespace ExcecaoAplicacao {

Tratador Instala(Tratador tratador)
{
    Tratador anterior = std::move(tratadorAtual);
    tratadorAtual = std::move(tratador);
    return anterior;
}

void Trata(std::exception_ptr excecao) noexcept
{
    try {
        if (tratadorAtual)
            tratadorAtual(excecao);
        else
            InterfaceUsuario::Mostra(TextoDe(excecao), TipoDialogo::Erro, Botao::Ok);
    } catch (...) {
        // Nobody could show it: the log keeps both.
        qCritical("%s (while showing: %s)", qUtf8Printable(TextoDe(std::current_exception())),
                  qUtf8Printable(TextoDe(excecao)));
    }
}

void Protege(const std::function<void()>& acao) noexcept
{
    try {
        acao();
    } catch (...) {
        Trata(std::current_exception());
    }
}

}   // namespace ExcecaoAplicacao
