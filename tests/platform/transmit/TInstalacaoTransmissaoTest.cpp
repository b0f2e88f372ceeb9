#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/ProgramaDeTeste.h"
#include "platform/transmit/TInstalacaoTransmissao.h"

namespace {

QString Pasta(const QString& nome)
{
    const QString pasta = ProgramaDeTeste::Pasta() + QLatin1Char('/') + nome;
    QDir().mkpath(pasta);
    return pasta;
}

void Escreve(const QString& caminho, const QByteArray& conteudo)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(conteudo);
}

}   // namespace

TEST(TInstalacaoTransmissao, ReadsVersionAndFolderOfTheIniFile)
{
    const struct {
        const char* nomeArquivo;   // nullptr: no INI file
        const char* conteudo;
        bool existe;
        int versao;
        const char* versaoTexto;
        const char* path;
    } casos[] = {
        {nullptr, "", false, 0, "0", ""},   // also for no system folder at all
        {"vel-kop.ini", "[Vel-Kop]\r\nVersao=200301\r\nPath=/opt/ulvaro\r\n", true, 200301, "200301", "/opt/ulvaro"},
        // the installer's own spelling of the name, section and keys in other cases, blanks around values
        {"Vel-kop.ini", "[VEL-KOP]\nversao= 200300 \npath= /opt/u \n", true, 200300, "200300", "/opt/u"},
        {"VEL-KOP.INI", "[Vel-Kop]\nVersao=2003a\nPath=\n", true, 0, "2003a", ""},
        {"vel-kop.ini", "[Outra]\nVersao=200301\n", true, 0, "0", ""},
    };
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.conteudo);
        const QString sistema = Pasta(QStringLiteral("sistema%1").arg(++n));
        if (c.nomeArquivo)
            Escreve(sistema + QLatin1Char('/') + QLatin1String(c.nomeArquivo), c.conteudo);
        const TInstalacaoTransmissao instalacao(sistema);
        EXPECT_EQ(instalacao.Existe(), c.existe);
        EXPECT_EQ(instalacao.Versao(), c.versao);
        EXPECT_EQ(instalacao.VersaoTexto(), QLatin1String(c.versaoTexto));
        EXPECT_EQ(instalacao.Path(), QLatin1String(c.path));
    }
}

TEST(TInstalacaoTransmissao, FindsTheExactNameBeforeOneOfOtherCase)
{
    const QString pasta = Pasta(QStringLiteral("programa"));
    Escreve(pasta + QStringLiteral("/vornel21.dll"), "a");
    EXPECT_EQ(TInstalacaoTransmissao::LocalizaArquivo(pasta, QStringLiteral("VORNEL21.DLL")),
              pasta + QStringLiteral("/vornel21.dll"));
    Escreve(pasta + QStringLiteral("/VORNEL21.DLL"), "b");
    EXPECT_EQ(TInstalacaoTransmissao::LocalizaArquivo(pasta, QStringLiteral("VORNEL21.DLL")),
              pasta + QStringLiteral("/VORNEL21.DLL"));
    EXPECT_TRUE(TInstalacaoTransmissao::LocalizaArquivo(pasta, QStringLiteral("KORMEX32.DLL")).isEmpty());
    EXPECT_TRUE(TInstalacaoTransmissao::LocalizaArquivo(QString(), QStringLiteral("VORNEL21.DLL")).isEmpty());
    // a folder of that name is not the library
    QDir().mkpath(pasta + QStringLiteral("/PruvNet03.DLL"));
    EXPECT_TRUE(TInstalacaoTransmissao::LocalizaArquivo(pasta, QStringLiteral("PruvNet03.DLL")).isEmpty());
}
