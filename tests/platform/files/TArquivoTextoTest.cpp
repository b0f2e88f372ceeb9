#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "support/ArquivosDeTeste.h"
#include "support/ProgramaDeTeste.h"
#include "platform/files/TArquivoTexto.h"

namespace {

QString Caminho(const char* nome)
{
    return ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(nome);
}

QStringList LeTudo(const QString& caminho)
{
    TArquivoTexto arquivo;
    QStringList linhas;
    if (!arquivo.Abre(caminho))
        return {QStringLiteral("<not opened>")};
    QString linha;
    while (arquivo.LeLinha(linha))
        linhas << linha;
    EXPECT_TRUE(arquivo.Fim());
    return linhas;
}

}   // namespace

TEST(TArquivoTexto, WritesLatin1WithCrLfAndMakesTheFolders)
{
    const QString caminho = Caminho("a/b/saida.txt");
    TArquivoTexto arquivo;
    ASSERT_TRUE(arquivo.Cria(caminho));
    ASSERT_TRUE(arquivo.GravaLinha(QStringLiteral("Ação")));
    ASSERT_TRUE(arquivo.GravaLinha(QString()));
    ASSERT_TRUE(arquivo.GravaLinha(QStringLiteral("€")));   // beyond Latin-1
    ASSERT_TRUE(arquivo.Fecha());
    EXPECT_EQ(BytesDoArquivo(caminho), QByteArray("A\xe7\xe3o\r\n\r\n?\r\n"));
}

TEST(TArquivoTexto, ReadsLfCrLfAndALastLineWithoutEnd)
{
    const struct {
        const char* bytes;
        QStringList linhas;
    } casos[] = {
        {"um\r\ndois\r\n", {QStringLiteral("um"), QStringLiteral("dois")}},
        {"um\ndois\n", {QStringLiteral("um"), QStringLiteral("dois")}},
        {"um\r\ndois", {QStringLiteral("um"), QStringLiteral("dois")}},
        {"\r\n\r\n", {QString(), QString()}},
        {"", {}},
        {"a\rb\n", {QStringLiteral("a\rb")}},   // a lone CR is part of the line
        {"\xe7\r\n", {QStringLiteral("ç")}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.bytes);
        GravaArquivo(Caminho("entrada.txt"), QByteArray(c.bytes));
        EXPECT_EQ(LeTudo(Caminho("entrada.txt")), c.linhas);
    }
    // Lines longer than one read takes, around the lengths where a read stops, with the CR of
    // CR LF on either side of the stop.
    for (const int tamanho : {1021, 1022, 1023, 1024, 1025, 2045, 2046, 2047, 5000, 70000}) {
        SCOPED_TRACE(tamanho);
        const QByteArray longa(tamanho, 'x');
        GravaArquivo(Caminho("entrada.txt"), longa + "\r\ncurta\n" + longa);
        EXPECT_EQ(LeTudo(Caminho("entrada.txt")),
                  QStringList({QString::fromLatin1(longa), QStringLiteral("curta"), QString::fromLatin1(longa)}));
    }
}

TEST(TArquivoTexto, ReadsEachFileOpenedInTurnWithNothingLeftOfTheOneBefore)
{
    GravaArquivo(Caminho("longo.txt"), QByteArray(3000, 'a') + "\n" + QByteArray(10, 'b'));
    GravaArquivo(Caminho("curto.txt"), "c\r\n");
    TArquivoTexto arquivo;
    QStringList linhas;
    QString linha;
    for (const char* nome : {"longo.txt", "curto.txt"}) {
        ASSERT_TRUE(arquivo.Abre(Caminho(nome)));
        while (arquivo.LeLinha(linha))
            linhas << linha;
    }
    EXPECT_EQ(linhas,
              QStringList({QString(3000, QLatin1Char('a')), QString(10, QLatin1Char('b')), QStringLiteral("c")}));
}

TEST(TArquivoTexto, AnUnfinishedWriteLeavesTheOldFile)
{
    const QString caminho = Caminho("declar.txt");
    GravaArquivo(caminho, "antigo\r\n");
    {
        TArquivoTexto arquivo;
        ASSERT_TRUE(arquivo.Cria(caminho));
        ASSERT_TRUE(arquivo.GravaLinha(QStringLiteral("novo")));
        EXPECT_EQ(BytesDoArquivo(caminho), QByteArray("antigo\r\n"));
    }   // dropped without Fecha
    EXPECT_EQ(BytesDoArquivo(caminho), QByteArray("antigo\r\n"));
    EXPECT_EQ(QDir(ProgramaDeTeste::Pasta()).entryList(QDir::Files), QStringList{QStringLiteral("declar.txt")});

    TArquivoTexto arquivo;
    ASSERT_TRUE(arquivo.Cria(caminho));
    ASSERT_TRUE(arquivo.GravaLinha(QStringLiteral("novo")));
    arquivo.Descarta();
    EXPECT_FALSE(arquivo.AbertoParaEscrita());
    EXPECT_EQ(BytesDoArquivo(caminho), QByteArray("antigo\r\n"));
}

TEST(TArquivoTexto, FailuresAnswerFalseWithAReason)
{
    TArquivoTexto arquivo;
    EXPECT_FALSE(arquivo.Abre(Caminho("nao-existe.txt")));
    EXPECT_FALSE(arquivo.Erro().isEmpty());
    QString linha;
    EXPECT_FALSE(arquivo.LeLinha(linha));
    EXPECT_TRUE(arquivo.Fim());
    EXPECT_FALSE(arquivo.GravaLinha(QStringLiteral("x")));

    GravaArquivo(Caminho("arquivo"), "x");
    EXPECT_FALSE(arquivo.Cria(Caminho("arquivo/sob-arquivo.txt")));   // its folder is a file
    EXPECT_FALSE(arquivo.Erro().isEmpty());
}

TEST(TArquivoTexto, LeInicioReadsAtMostTheGivenBytes)
{
    GravaArquivo(Caminho("cab.txt"), QByteArray("PRUV\0resto", 10));
    QByteArray bytes;
    ASSERT_TRUE(TArquivoTexto::LeInicio(Caminho("cab.txt"), 7, bytes));
    EXPECT_EQ(bytes, QByteArray("PRUV\0re", 7));
    ASSERT_TRUE(TArquivoTexto::LeInicio(Caminho("cab.txt"), 142, bytes));
    EXPECT_EQ(bytes.size(), 10);
    EXPECT_FALSE(TArquivoTexto::LeInicio(Caminho("nao-existe"), 142, bytes));
}
