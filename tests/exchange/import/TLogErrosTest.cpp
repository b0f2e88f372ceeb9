#include <QFile>
#include <QScopeGuard>
#include <gtest/gtest.h>

#include "exchange/import/TLeitorLinhas.h"
#include "exchange/import/TLogErros.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

}   // namespace

TEST(TLogErros, ThePairTakesTheBaseNameAndIsReadBackLineByLine)
{
    ASSERT_TRUE(TPastas::Cria());
    TLogErros antigo;
    ASSERT_TRUE(antigo.Inicia(QStringLiteral("12345678")));
    antigo.RegistraErro(9, QStringLiteral("velho"), QStringLiteral("linha velha"));
    ASSERT_TRUE(antigo.Conclui());

    TLogErros log;
    ASSERT_TRUE(log.Inicia(QStringLiteral("provisorio")));
    EXPECT_TRUE(
        log.RegistraErro(3, QStringLiteral("Beneficiário duplicado no arquivo."), QStringLiteral("ÁÉ linha 3")));
    EXPECT_TRUE(log.Registra(QStringLiteral("Linha: 7 -  AVISO: aviso."), QString()));
    log.SetNomeBase(QStringLiteral("12345678"));   // the declarant, known by the end
    ASSERT_TRUE(log.Conclui());
    EXPECT_FALSE(QFile::exists(TPastas::ErroImp() + QStringLiteral("/Erros.txt")));
    EXPECT_EQ(Le(log.NomeArquivoDsc()),
              QByteArray("Linha: 3 - Benefici\xe1rio duplicado no arquivo.\r\nLinha: 7 -  AVISO: aviso.\r\n"));
    EXPECT_EQ(Le(log.NomeArquivoTxt()), QByteArray("\xc1\xc9 linha 3\r\n\r\n"));

    TLogErros leitura;
    ASSERT_TRUE(leitura.AbreLeitura(QStringLiteral("12345678")));
    for (int passada = 0; passada < 2; ++passada) {
        ASSERT_TRUE(leitura.LeProximo());
        EXPECT_EQ(leitura.Linha(), QStringLiteral("ÁÉ linha 3"));
        ASSERT_TRUE(leitura.LeProximo());
        EXPECT_EQ(leitura.Mensagem(), QStringLiteral("Linha: 7 -  AVISO: aviso."));
        EXPECT_FALSE(leitura.LeProximo());
        ASSERT_TRUE(leitura.Reinicia());
    }
    leitura.Fecha();
    EXPECT_TRUE(leitura.ApagaArquivos());
    EXPECT_FALSE(QFile::exists(log.NomeArquivoDsc()));
    EXPECT_FALSE(QFile::exists(log.NomeArquivoTxt()));
}

TEST(TLogErros, ReadingStopsAtTheShorterFileAndNamesStayInTheirFolder)
{
    ASSERT_TRUE(TPastas::Cria());
    QFile dsc(TPastas::ErroImp() + QStringLiteral("/par.dsc"));
    QFile txt(TPastas::ErroImp() + QStringLiteral("/par.txt"));
    ASSERT_TRUE(dsc.open(QIODevice::WriteOnly) && txt.open(QIODevice::WriteOnly));
    dsc.write("um\r\ndois\r\ntres\r\n");
    txt.write("1\r\n");
    dsc.close();
    txt.close();
    TLogErros log;
    ASSERT_TRUE(log.AbreLeitura(QStringLiteral("par")));
    EXPECT_TRUE(log.LeProximo());
    EXPECT_FALSE(log.LeProximo());

    for (const char* nome : {"../../fora", "a/b\\c", "", ".."}) {
        SCOPED_TRACE(nome);
        log.SetNomeBase(QString::fromLatin1(nome));
        EXPECT_TRUE(log.NomeArquivoDsc().startsWith(TPastas::ErroImp() + QLatin1Char('/')));
        EXPECT_FALSE(log.NomeBase().contains(QLatin1Char('/')));
    }
}

// A write that fails on one file of the pair names that file, not the other.
TEST(TLogErros, AFailedWriteNamesTheFileItFailedOn)
{
    ASSERT_TRUE(TPastas::Cria());
    for (const QString& falho : {TLogErros::NomeErros(), TLogErros::NomeLinhasErro()}) {
        SCOPED_TRACE(falho.toStdString());
        DialogosRoteirizados dialogos;
        TLogErros log;
        ASSERT_TRUE(log.Inicia(QStringLiteral("12345678")));
        TFalhasDeArquivo::Instala([&falho](TFalhasDeArquivo::Operacao operacao, const QString& caminho) {
            const bool escrita = operacao & (TFalhasDeArquivo::Escrita | TFalhasDeArquivo::Descarga);
            return escrita && caminho.endsWith(QLatin1Char('/') + falho) ? TFalhasDeArquivo::Efeito::DiscoCheio
                                                                         : TFalhasDeArquivo::Efeito::Nenhum;
        });
        const auto desarma = qScopeGuard([] { TFalhasDeArquivo::Instala({}); });
        log.RegistraErro(3, QStringLiteral("Beneficiário duplicado no arquivo."), QStringLiteral("linha 3"));
        EXPECT_FALSE(log.Conclui());
        ASSERT_EQ(dialogos.Codigos(), std::vector<int>{159});
        EXPECT_TRUE(dialogos.Textos().front().endsWith(QLatin1Char('/') + falho + QLatin1Char('.')))
            << dialogos.Textos().front().toStdString();
    }
}

TEST(TLeitorLinhas, LinesEndAtLfWithOrWithoutCrAndLongLinesAreCut)
{
    const QByteArray longa(TLeitorLinhas::MaximoGuardado + 5, 'x');
    const struct {
        const char* caso;
        QByteArray conteudo;
        QStringList linhas;
        int cortada;   // the line that was cut, from 1; 0 none
    } casos[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}, 0},
        {"LF", "a\nb\n", {"a", "b"}, 0},
        {"no final line end", "a\r\nb", {"a", "b"}, 0},
        {"a lone CR stays in the line", "a\rb\r\n", {"a\rb"}, 0},
        {"empty lines", "\r\n\n", {"", ""}, 0},
        {"nothing", "", {}, 0},
        {"a line beyond the maximum",
         longa + "\r\nz",
         {QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x')), "z"},
         1},
        {"exactly the maximum",
         longa.left(TLeitorLinhas::MaximoGuardado) + "\r\n",
         {QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x'))},
         0},
        {"Latin-1 bytes",
         QByteArray("\xe7\xe3\xff\x00!", 5),
         {QStringLiteral("çãÿ") + QChar(0) + QStringLiteral("!")},
         0},
        {"a CR at the very end stays", "a\r\nb\r", {"a", "b\r"}, 0},
        {"a CR before CR LF stays", "a\r\r\n", {"a\r"}, 0},
        {"one beyond the maximum, LF alone",
         longa.left(TLeitorLinhas::MaximoGuardado + 1) + "\nz",
         {QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x')), "z"},
         1},
        {"the maximum with a CR of its own",
         longa.left(TLeitorLinhas::MaximoGuardado - 1) + "\r\r\n",
         {QString(TLeitorLinhas::MaximoGuardado - 1, QLatin1Char('x')) + QLatin1Char('\r')},
         0},
        {"a last line beyond the maximum", longa, {QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x'))}, 1},
        {"lines after a cut one",
         longa + "\r\nz\r\n" + longa + "\ny",
         {QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x')), "z",
          QString(TLeitorLinhas::MaximoGuardado, QLatin1Char('x')), "y"},
         3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile arquivo(QStringLiteral("linhas.txt"));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(c.conteudo);
        arquivo.close();
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
        TLeitorLinhas leitor(arquivo);
        QStringList lidas;
        QString linha;
        int cortada = 0;
        while (leitor.LeLinha(linha)) {
            lidas << linha;
            if (leitor.Cortada())
                cortada = leitor.Lidas();
        }
        EXPECT_EQ(lidas, c.linhas);
        EXPECT_EQ(cortada, c.cortada);
        EXPECT_FALSE(leitor.Falhou());
        EXPECT_EQ(leitor.Lidas(), c.linhas.size());
        arquivo.remove();
    }
    QFile arquivo(QStringLiteral("falha.txt"));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadWrite));
    arquivo.write("1\n2\n3\n");
    arquivo.seek(0);
    TLeitorLinhas::FalhaSimulada falha(2);
    TLeitorLinhas leitor(arquivo);
    QString linha;
    EXPECT_TRUE(leitor.LeLinha(linha));
    EXPECT_FALSE(leitor.LeLinha(linha));
    EXPECT_TRUE(leitor.Falhou());
    EXPECT_TRUE(leitor.Fim());
    arquivo.remove();
}

// Lines of every length up to two thousand, so that they end anywhere in what is read at once.
TEST(TLeitorLinhas, ReadsManyLinesOfEveryLength)
{
    QByteArray conteudo;
    QStringList esperadas;
    for (int i = 0; i < 2000; ++i) {
        const QByteArray linha(i, static_cast<char>('a' + i % 26));
        esperadas << QString::fromLatin1(linha);
        conteudo += linha + (i % 3 ? "\r\n" : "\n");
    }
    QFile arquivo(QStringLiteral("muitas.txt"));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadWrite));
    arquivo.write(conteudo);
    arquivo.seek(0);
    TLeitorLinhas leitor(arquivo);
    QString linha;
    for (qsizetype i = 0; i < esperadas.size(); ++i) {
        ASSERT_TRUE(leitor.LeLinha(linha)) << i;
        ASSERT_EQ(linha, esperadas[i]) << i;
        ASSERT_FALSE(leitor.Cortada()) << i;
    }
    EXPECT_FALSE(leitor.LeLinha(linha));
    EXPECT_TRUE(leitor.Fim());
    EXPECT_FALSE(leitor.Falhou());
    EXPECT_EQ(leitor.Lidas(), esperadas.size());
    arquivo.remove();
}
