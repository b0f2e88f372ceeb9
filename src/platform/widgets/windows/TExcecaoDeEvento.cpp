#include "platform/widgets/windows/TExcecaoDeEvento.h"

#include <QString>
#include <QtGlobal>
#include <utility>

#include "platform/ui/InterfaceUsuario.h"

namespace {

TExcecaoDeEvento::TTratador& Atual()
{
    static TExcecaoDeEvento::TTratador tratador;
    return tratador;
}

void MostraPadrao(std::exception_ptr excecao)
{
    QString texto = QStringLiteral("Unknown error");
    try {
        std::rethrow_exception(excecao);
    } catch (const std::exception& e) {
        texto = QString::fromUtf8(e.what());
    } catch (...) {
        // texto stays the generic one: the kind of the exception tells nothing more.
    }
    try {
        InterfaceUsuario::Mostra(texto, TipoDialogo::Erro, Botao::Ok);
    } catch (const std::exception& e) {
        qCritical("%s (%s)", qUtf8Printable(texto), e.what());
    }
}

}   // namespace

void TExcecaoDeEvento::Trata(std::exception_ptr excecao)
{
    if (!excecao)
        return;
    if (Atual())
        Atual()(std::move(excecao));
    else
        MostraPadrao(std::move(excecao));
}

TExcecaoDeEvento::TTratador TExcecaoDeEvento::Instala(TTratador tratador)
{
    return std::exchange(Atual(), std::move(tratador));
}
