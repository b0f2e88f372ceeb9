#include "shell/ExcecaoAplicacao.h"

#include <QString>
#include <QtGlobal>

#include "platform/ui/InterfaceUsuario.h"

namespace {

ExcecaoAplicacao::Tratador tratadorAtual;

void MostraTexto(std::exception_ptr excecao)
{
    QString texto;
    try {
        std::rethrow_exception(excecao);
    } catch (const std::exception& e) {
        texto = QString::fromUtf8(e.what());
    } catch (...) {
        texto = QStringLiteral("Erro inesperado.");
    }
    InterfaceUsuario::Mostra(texto, TipoDialogo::Erro, Botao::Ok);
}

}  // namespace

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
            MostraTexto(excecao);
    } catch (const std::exception& e) {
        qCritical("error while showing an error: %s", e.what());
    } catch (...) {
        qCritical("unknown error while showing an error");
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

}  // namespace ExcecaoAplicacao
