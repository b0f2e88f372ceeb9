#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "support/ProgramaDeTeste.h"
#include "shell/backup/TAvisoCopiasDeSeguranca.h"

namespace {

void CriaArquivo(const QString& pasta, const QString& nome, const QDateTime& quando)
{
    QFile arquivo(pasta + QLatin1Char('/') + nome);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("x");
    arquivo.flush();   // a later write would move the time again
    ASSERT_TRUE(arquivo.setFileTime(quando, QFileDevice::FileModificationTime));
}

}   // namespace

TEST(TAvisoCopiasDeSeguranca, ListsTheBackupsWithTheSingularOrPluralText)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/copias");
    ASSERT_TRUE(QDir().mkpath(pasta));
    EXPECT_EQ(TAvisoCopiasDeSeguranca::Texto(pasta), QString());   // none: nothing shown

    CriaArquivo(pasta, QStringLiteral("leia.txt"), QDateTime(QDate(2003, 1, 2), QTime(3, 4, 5)));
    CriaArquivo(pasta, QStringLiteral("copsegauto.cmp"), QDateTime(QDate(2003, 3, 14), QTime(9, 5, 7)));
    const QString uma = QStringLiteral("Um arquivo de cópia de segurança foi encontrado no diretório ") + pasta
        + QStringLiteral(":\n  - copsegauto.cmp de 14/03/2003 09:05:07\n\n"
                         "Se desejar restaurá-lo utilize a opção Ferramentas/Cópia de Segurança/Restaurar.");
    EXPECT_EQ(TAvisoCopiasDeSeguranca::Texto(pasta).toStdString(), uma.toStdString());

    CriaArquivo(pasta, QStringLiteral(".oculta.cmp"), QDateTime(QDate(2002, 12, 31), QTime(23, 59, 59)));
    const QString duas =
        QStringLiteral("Os seguintes arquivos de cópia de segurança foram encontrados no diretório ") + pasta
        + QStringLiteral(
            ":\n\n  - .oculta.cmp de 31/12/2002 23:59:59\n"
            "  - copsegauto.cmp de 14/03/2003 09:05:07\n\n"
            "Se desejar restaurar algum arquivo utilize a opção Ferramentas/Cópia de Segurança/Restaurar.");
    EXPECT_EQ(TAvisoCopiasDeSeguranca::Texto(pasta).toStdString(), duas.toStdString());
}

TEST(TAvisoCopiasDeSeguranca, NoFolderOrAMissingOneShowsNothing)
{
    EXPECT_EQ(TAvisoCopiasDeSeguranca::Texto(QString()), QString());
    EXPECT_EQ(TAvisoCopiasDeSeguranca::Texto(ProgramaDeTeste::Pasta() + QStringLiteral("/nao-existe")), QString());
}
