#include <QFile>
#include <gtest/gtest.h>

#include <stdexcept>

#include "model/values/ErrosDeLinha.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/files/TArquivoTexto.h"

namespace {

QString Caminho(const char* nome)
{
    return DiretorioPrograma() + QLatin1Char('/') + QLatin1String(nome);
}

QByteArray Bytes(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray("<missing>");
}

// An input file of three lines, open for reading, with its first line already read.
class Entrada {
public:
    Entrada()
    {
        QFile arquivo(Caminho("entrada.txt"));
        EXPECT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("primeira\r\nsegunda\r\nterceira\r\n");
        arquivo.close();
        EXPECT_TRUE(Arquivo.Abre(Caminho("entrada.txt")));
        EXPECT_TRUE(Arquivo.LeLinha(Linha));
    }
    TArquivoTexto Arquivo;
    QString Linha;
    int N = 1;
};

}   // namespace

TEST(ConcatenaErros, OnlyErrorsJoinedWithoutTheirFinalFullStop)
{
    TErros erros;
    erros.Add(EContribuinteInvalido(66, QStringLiteral("111.444.777-36"), 0));
    erros.Add(TErro(82, QStringLiteral("1"), TipoDialogo::Aviso, Botao::Ok, 0));   // a warning: left out
    erros.Add(EMonetarioInvalido(165, QString(), 0));
    const struct {
        const char* antes;
        const char* depois;
    } casos[] = {
        {"",
         "Número de Inscrição no CPF inválido: 111.444.777-36; "
         "Valor excede o máximo permitido pelo programa: 99.999.999.999,99"},
        {"Nome",
         "Nome; Número de Inscrição no CPF inválido: 111.444.777-36; "
         "Valor excede o máximo permitido pelo programa: 99.999.999.999,99"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.antes);
        bool haErros = false;
        QString texto = QString::fromUtf8(c.antes);
        ConcatenaErros(erros, haErros, texto);
        EXPECT_TRUE(haErros);
        EXPECT_EQ(texto, QString::fromUtf8(c.depois));
    }

    TErros avisos;
    avisos.Add(TErro(82, QString(), TipoDialogo::Aviso, Botao::Ok, 0));
    bool haErros = false;
    QString texto = QStringLiteral("x.");
    ConcatenaErros(avisos, haErros, texto);
    EXPECT_FALSE(haErros);
    EXPECT_EQ(texto, QStringLiteral("x."));
}

TEST(RegistraErroLinha, StartsTheLineThenAppendsAndMovesOn)
{
    Entrada entrada;
    std::vector<QString> linhas(3);
    bool haErro = false;
    QString texto;
    ASSERT_TRUE(RegistraErroLinha(1, 19, QString(), entrada.Arquivo, haErro, texto, linhas, entrada.N, entrada.Linha));
    EXPECT_TRUE(haErro);
    EXPECT_EQ(texto, QStringLiteral("Linha: 1 - Identificador de tipo de registro inválido."));
    EXPECT_EQ(linhas[1], texto);
    EXPECT_EQ(entrada.N, 2);
    EXPECT_EQ(entrada.Linha, QStringLiteral("segunda"));

    ASSERT_TRUE(RegistraErroLinha(1, 37, QStringLiteral("0561"), entrada.Arquivo, haErro, texto, linhas, entrada.N,
                                  entrada.Linha));
    EXPECT_EQ(texto,
              QStringLiteral("Linha: 1 - Identificador de tipo de registro inválido.; "
                             "O código 0561 não é previsto para Fundo ou Clube de Investimento."));
    EXPECT_EQ(linhas[1], texto);
    EXPECT_EQ(entrada.N, 3);
    EXPECT_EQ(entrada.Linha, QStringLiteral("terceira"));

    EXPECT_THROW(
        (void)RegistraErroLinha(3, 19, QString(), entrada.Arquivo, haErro, texto, linhas, entrada.N, entrada.Linha),
        std::out_of_range);
}

TEST(RegistraErroCampo, WritesBothLogsCountsAndMovesOn)
{
    Entrada entrada;
    TArquivoTexto dsc, txt;
    ASSERT_TRUE(dsc.Cria(Caminho("ErroImp/imp.dsc")));
    ASSERT_TRUE(txt.Cria(Caminho("ErroImp/imp.txt")));
    QString texto;
    int rejeitadas = 0, erros = 0;
    ASSERT_TRUE(RegistraErroCampo(true, 66, QStringLiteral("111.444.777-36"), entrada.Arquivo, dsc, txt, texto,
                                  entrada.Linha, entrada.N, rejeitadas, erros));
    EXPECT_EQ(texto, QStringLiteral("Linha: 1 - Número de Inscrição no CPF inválido: 111.444.777-36."));
    EXPECT_EQ(entrada.Linha, QStringLiteral("segunda"));
    EXPECT_EQ(entrada.N, 2);
    ASSERT_TRUE(RegistraErroCampo(false, 19, QString(), entrada.Arquivo, dsc, txt, texto, entrada.Linha, entrada.N,
                                  rejeitadas, erros));
    EXPECT_EQ(texto, QStringLiteral("Linha: 2 - Identificador de tipo de registro inválido."));
    EXPECT_EQ(rejeitadas, 2);
    EXPECT_EQ(erros, 2);
    EXPECT_EQ(entrada.N, 3);

    ASSERT_TRUE(RegistraErroSimples(true, 180, QString(), dsc, txt, texto, entrada.Linha, entrada.N, erros));
    EXPECT_EQ(texto, QStringLiteral("Linha: 3 - Registro fora de seqüência."));
    EXPECT_EQ(erros, 3);
    EXPECT_EQ(rejeitadas, 2);
    EXPECT_EQ(entrada.N, 3);
    EXPECT_EQ(entrada.Linha, QStringLiteral("terceira"));

    ASSERT_TRUE(dsc.Fecha());
    ASSERT_TRUE(txt.Fecha());
    EXPECT_EQ(Bytes(Caminho("ErroImp/imp.dsc")),
              QString(QStringLiteral("Linha: 1 - Número de Inscrição no CPF inválido: 111.444.777-36.\r\n"
                                     "Linha: 3 - Registro fora de seqüência.\r\n"))
                  .toLatin1());
    EXPECT_EQ(Bytes(Caminho("ErroImp/imp.txt")), QByteArray("primeira\r\nterceira\r\n"));
}

TEST(RegistraErroCampo, ALogThatCannotBeWrittenIsReported)
{
    Entrada entrada;
    TArquivoTexto fechado;
    QString texto;
    int rejeitadas = 0, erros = 0;
    EXPECT_FALSE(RegistraErroCampo(true, 19, QString(), entrada.Arquivo, fechado, fechado, texto, entrada.Linha,
                                   entrada.N, rejeitadas, erros));
    EXPECT_EQ(erros, 1);
    EXPECT_FALSE(RegistraErroSimples(true, 19, QString(), fechado, fechado, texto, entrada.Linha, entrada.N, erros));
    EXPECT_TRUE(RegistraErroSimples(false, 19, QString(), fechado, fechado, texto, entrada.Linha, entrada.N, erros));
}

TEST(ErrosDeLinha, AMessageEndedByAStopOrAQuestionGetsNoSecondStop)
{
    // 19 ends bare, 56 in a full stop, 30 in a question mark. A field is closed by its own stop.
    const struct {
        std::uint8_t codigo;
        const char* campo;
        const char* fim;
    } casos[] = {
        {19, "", "inválido."},     {19, "X", "inválido: X."}, {56, "", "4,5 e 6."},
        {56, "X", "4,5 e 6.: X."}, {30, "", "Privado ?"},     {30, "X", "Privado ?: X."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << int(c.codigo) << " " << c.campo);
        TArquivoTexto dsc, txt;
        QString texto;
        int erros = 0;
        ASSERT_TRUE(
            RegistraErroSimples(false, c.codigo, QString::fromLatin1(c.campo), dsc, txt, texto, QString(), 7, erros));
        EXPECT_TRUE(texto.startsWith(QStringLiteral("Linha: 7 - ")));
        EXPECT_TRUE(texto.endsWith(QString::fromUtf8(c.fim))) << texto.toStdString();

        if (*c.campo)
            continue;
        Entrada entrada;
        std::vector<QString> linhas(1);
        bool haErro = false;
        QString linha;
        ASSERT_TRUE(RegistraErroLinha(0, c.codigo, QString(), entrada.Arquivo, haErro, linha, linhas, entrada.N,
                                      entrada.Linha));
        EXPECT_EQ(linha, QStringLiteral("Linha: 1 - ") + TErro::Mensagem(c.codigo) + (c.codigo == 19 ? "." : ""));
    }
}
