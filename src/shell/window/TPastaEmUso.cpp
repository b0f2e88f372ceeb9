#include "shell/window/TPastaEmUso.h"

#include <QDir>
#include <QtGlobal>
#include <cerrno>
#include <pwd.h>
#include <unistd.h>

#include "platform/files/CriaPastas.h"
#include "platform/files/TMotivoSistema.h"

namespace {

// The login name of a user id; its number when the system knows no name for it.
QString NomeDoUsuario(uid_t usuario)
{
    if (const passwd* conta = ::getpwuid(usuario); conta && conta->pw_name && *conta->pw_name)
        return QString::fromLocal8Bit(conta->pw_name);
    return QString::number(usuario);
}

}   // namespace

QString TPastaEmUso::NomeArquivo()
{
    return QStringLiteral("pruv2003.lock");
}

TPastaEmUso::TPastaEmUso(QString pasta)
    : FPasta(std::move(pasta))
    , FTrava(FPasta + QLatin1Char('/') + NomeArquivo(), QStringLiteral("Pruv 2003"))
{}

TPastaEmUso::~TPastaEmUso() = default;

TPastaEmUso::TResultado TPastaEmUso::Trava()
{
    CriaPastas(FPasta);
    const TResultado resultado = FTrava.Trava();
    if (resultado == TResultado::Impossivel)
        qWarning("cannot lock the program folder %s: error %d", qUtf8Printable(FPasta), FTrava.Erro());
    return resultado;
}

QString TPastaEmUso::MensagemEmUso() const
{
    const QString pasta = QStringLiteral("A pasta do programa ") + QDir::toNativeSeparators(FPasta);
    const QString fim = QStringLiteral("Feche aquela cópia antes de iniciar esta. O programa será finalizado.");
    const std::optional<uid_t> dono = FTrava.Dono();
    if (!dono)
        return pasta + QStringLiteral(" está em uso por outra cópia do Pruv 2003, deste ou de outro usuário. ") + fim;
    if (*dono != ::geteuid())
        return pasta + QStringLiteral(" está em uso por outro usuário (") + NomeDoUsuario(*dono)
            + QStringLiteral("), numa cópia do Pruv 2003 aberta por ele. ") + fim;
    return pasta
        + QStringLiteral(" está em uso por outra cópia do Pruv 2003 deste usuário, aberta nesta ou em outra sessão. ")
        + fim;
}

QString TPastaEmUso::PerguntaSemTrava() const
{
    if (FTrava.Erro() == EROFS)
        return QString();
    return QStringLiteral("Não foi possível reservar a pasta do programa ") + QDir::toNativeSeparators(FPasta)
        + QStringLiteral(" para esta cópia do Pruv 2003: ") + TMotivoSistema::Texto(FTrava.Erro())
        + QStringLiteral(". Outra cópia aberta sobre a mesma pasta, por outro usuário ou em outra sessão, não seria "
                         "impedida, e uma poderia desfazer as gravações da outra. Deseja continuar?");
}
