#include "platform/db/sqlite/TConfiguracaoMotor.h"

#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"

namespace {

QString Secao(const QString& alias)
{
    return QStringLiteral("Databases\\") + alias + QStringLiteral("\\db info");
}

}   // namespace

QString TConfiguracaoMotor::Arquivo()
{
    return TPastas::Programa() + QLatin1Char('/') + QLatin1String(NomeArquivo);
}

QString TConfiguracaoMotor::Entrada(const QString& alias, const QString& entrada)
{
    return TIniFile(Arquivo()).ReadString(Secao(alias), entrada, QString()).trimmed();
}
