#include "platform/files/TFalhasDeArquivo.h"

#include <cerrno>
#include <utility>

#include "platform/files/TMotivoSistema.h"

namespace {

TFalhasDeArquivo::Gancho& GanchoInstalado()
{
    static TFalhasDeArquivo::Gancho gancho;
    return gancho;
}

}   // namespace

void TFalhasDeArquivo::Instala(Gancho gancho)
{
    GanchoInstalado() = std::move(gancho);
}

bool TFalhasDeArquivo::Permite(Operacao operacao, const QString& caminho, QString& erro)
{
    const Gancho& gancho = GanchoInstalado();
    if (!gancho)
        return true;
    switch (gancho(operacao, caminho)) {
    case Efeito::Nenhum:
        return true;
    case Efeito::ErroES:
        erro = TMotivoSistema::Texto(EIO);
        errno = EIO;
        return false;
    case Efeito::DiscoCheio:
        erro = TMotivoSistema::Texto(ENOSPC);
        errno = ENOSPC;
        return false;
    }
    return true;
}
