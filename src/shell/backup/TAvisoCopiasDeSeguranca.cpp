#include "shell/backup/TAvisoCopiasDeSeguranca.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

QString TAvisoCopiasDeSeguranca::Texto(const QString& pasta)
{
    if (pasta.isEmpty())
        return {};
    const QFileInfoList copias = QDir(pasta).entryInfoList(
        {QStringLiteral("*.cmp")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    if (copias.isEmpty())
        return {};
    QString linhas;
    for (const QFileInfo& copia : copias) {
        linhas += QStringLiteral("  - ") + copia.fileName() + QStringLiteral(" de ")
            + copia.lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) + QLatin1Char('\n');
    }
    if (copias.size() == 1) {
        return QStringLiteral("Um arquivo de cópia de segurança foi encontrado no diretório ") + pasta
            + QStringLiteral(":\n") + linhas
            + QStringLiteral("\nSe desejar restaurá-lo utilize a opção Ferramentas/Cópia de Segurança/Restaurar.");
    }
    return QStringLiteral("Os seguintes arquivos de cópia de segurança foram encontrados no diretório ") + pasta
        + QStringLiteral(":\n\n") + linhas
        + QStringLiteral(
               "\nSe desejar restaurar algum arquivo utilize a opção Ferramentas/Cópia de Segurança/Restaurar.");
}
