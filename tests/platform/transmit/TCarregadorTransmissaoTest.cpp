#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <vector>

#include "support/ProgramaDeTeste.h"
#include "platform/transmit/TCarregadorTransmissao.h"

namespace {

class TCarregadorTransmissaoTest : public ::testing::Test {
protected:
    void TearDown() override { QDir::setCurrent(FPastaAtual); }

    // A folder of the program with the stand-in under each library's name.
    QString Programa(const QString& nome = QStringLiteral("ulvaro"))
    {
        const QString pasta = Pasta(nome);
        for (const char* biblioteca : {TCarregadorTransmissao::NomeEnvio, TCarregadorTransmissao::NomeProgresso,
                                       TCarregadorTransmissao::NomeAssinatura})
            QFile::link(QStringLiteral(PROGRAMA_FALSO), pasta + QLatin1Char('/') + QLatin1String(biblioteca));
        return pasta;
    }
    static QString Pasta(const QString& nome)
    {
        const QString pasta = ProgramaDeTeste::Pasta() + QLatin1Char('/') + nome;
        QDir().mkpath(pasta);
        return pasta;
    }
    // A delivery file that the stand-in answers with its first line and the rest as message.
    static QString Declaracao(const QByteArray& conteudo)
    {
        const QString caminho = ProgramaDeTeste::Pasta() + QStringLiteral("/declaracao.dec");
        QFile arquivo(caminho);
        arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate);
        arquivo.write(conteudo);
        return caminho;
    }

    TCarregadorTransmissao carregador;

private:
    QString FPastaAtual = QDir::currentPath();
};

TEST_F(TCarregadorTransmissaoTest, SendsThroughTheLibraryWithProgressFromItsFolder)
{
    const QString pasta = Programa();
    auto envio = carregador.CarregaEnvio(pasta);
    ASSERT_TRUE(envio);
    EXPECT_EQ(QDir::currentPath(), pasta);
    auto progresso = carregador.CarregaProgresso(pasta);
    ASSERT_TRUE(progresso);
    std::vector<int> percentuais;
    progresso->SetaGaugeTransmissao([&](int p) { percentuais.push_back(p); });

    QString mensagem;
    EXPECT_EQ(envio->EnviarDeclaracao(Declaracao("4896\nlinha 1\nlinha 2"), mensagem), 4896);
    EXPECT_EQ(mensagem, QStringLiteral("linha 1\nlinha 2"));
    EXPECT_EQ(percentuais, (std::vector<int>{0, 50, 100}));

    EXPECT_EQ(envio->EnviarDeclaracao(pasta + QStringLiteral("/nenhum.dec"), mensagem), 2);
    EXPECT_EQ(mensagem, QStringLiteral("arquivo inexistente"));

    // a message that fills the library's buffer ends with it
    EXPECT_EQ(envio->EnviarDeclaracao(Declaracao("cheio"), mensagem), 0);
    EXPECT_EQ(mensagem, QString(IBibliotecaEnvio::TamanhoMensagem, QLatin1Char('x')));
}

TEST_F(TCarregadorTransmissaoTest, AbsentBrokenOrIncompleteLibrariesAreNotLoaded)
{
    const QString vazia = Pasta(QStringLiteral("vazia"));
    const QString quebrada = Pasta(QStringLiteral("quebrada"));
    for (const char* nome : {TCarregadorTransmissao::NomeEnvio, TCarregadorTransmissao::NomeProgresso,
                             TCarregadorTransmissao::NomeAssinatura}) {
        QFile texto(quebrada + QLatin1Char('/') + QLatin1String(nome));
        texto.open(QIODevice::WriteOnly);
        texto.write("não é uma biblioteca");
    }
    const QString incompleta = Pasta(QStringLiteral("incompleta"));
    for (const char* nome : {TCarregadorTransmissao::NomeEnvio, TCarregadorTransmissao::NomeProgresso,
                             TCarregadorTransmissao::NomeAssinatura})
        QFile::link(QStringLiteral(SEM_EXPORTACOES), incompleta + QLatin1Char('/') + QLatin1String(nome));

    for (const QString& pasta : {QString(), vazia, quebrada, incompleta}) {
        SCOPED_TRACE(pasta.toStdString());
        EXPECT_FALSE(carregador.CarregaEnvio(pasta));
        EXPECT_FALSE(carregador.CarregaAssinatura(pasta));
        if (!pasta.isEmpty()) {
            EXPECT_FALSE(carregador.CarregaProgresso(pasta));
        }
    }
}

TEST_F(TCarregadorTransmissaoTest, GaugeFailureComesOutOnceTheLibraryHasReturned)
{
    const QString pasta = Programa();
    auto envio = carregador.CarregaEnvio(pasta);
    auto progresso = carregador.CarregaProgresso(pasta);
    ASSERT_TRUE(envio && progresso);
    std::vector<int> percentuais;
    progresso->SetaGaugeTransmissao([&](int p) {
        percentuais.push_back(p);
        if (p == 50)
            throw std::runtime_error("gauge");
    });
    QString mensagem;
    const QString arquivo = Declaracao("0\nentregue");
    EXPECT_THROW(envio->EnviarDeclaracao(arquivo, mensagem), std::runtime_error);
    EXPECT_EQ(percentuais, (std::vector<int>{0, 50}));   // no report after the failure

    // the next sending starts clean; a freed progress library reports nothing more
    progresso.reset();
    percentuais.clear();
    EXPECT_EQ(envio->EnviarDeclaracao(arquivo, mensagem), 0);
    EXPECT_TRUE(percentuais.empty());
}

TEST_F(TCarregadorTransmissaoTest, FileNameMustFitTheLibrarysBuffer)
{
    const struct {
        QString nome;
        bool aceito;
    } casos[] = {
        {QString(255, QLatin1Char('a')), true},
        {QString(256, QLatin1Char('a')), false},
        {QString(127, QChar(0x00E7)) + QLatin1Char('a'), true},   // bytes count, not characters
        {QString(128, QChar(0x00E7)), false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome.size());
        EXPECT_EQ(IBibliotecaEnvio::NomeAceito(c.nome), c.aceito);
    }
    auto envio = carregador.CarregaEnvio(Programa());
    ASSERT_TRUE(envio);
    QString mensagem;
    EXPECT_THROW(envio->EnviarDeclaracao(QLatin1Char('/') + QString(255, QLatin1Char('a')), mensagem),
                 std::invalid_argument);
}

TEST_F(TCarregadorTransmissaoTest, SignatureLibraryAnswersWhetherTheReceiptIsAuthentic)
{
    auto assinatura = carregador.CarregaAssinatura(Programa());
    ASSERT_TRUE(assinatura);
    const QString recibo = QStringLiteral("1234567890"), ni = QStringLiteral("12345678000195");
    EXPECT_TRUE(assinatura->VA5(recibo, ni, QStringLiteral("3141592653"), 31, 3, 2003, 23, 59, 59));
    EXPECT_FALSE(assinatura->VA5(recibo, ni, QStringLiteral("0"), 31, 3, 2003, 23, 59, 59));
}

}   // namespace
