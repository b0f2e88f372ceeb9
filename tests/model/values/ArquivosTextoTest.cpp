#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "model/values/ArquivosTexto.h"
#include "model/values/PastasPrograma.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/InterfaceUsuario.h"

#include <utility>

namespace {

QString Caminho(const char* nome)
{
    return DiretorioPrograma() + QLatin1Char('/') + QLatin1String(nome);
}

void Escreve(const QString& caminho, const QByteArray& bytes)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}

}   // namespace

TEST(ArquivosTexto, ARefusedOpenAsksAndRetriesWhileTheAnswerIsYes)
{
    DialogosRoteirizados dialogos;
    AtividadeRegistrada atividade;
    const QString caminho = Caminho("falta.txt");
    dialogos.Responde(Resposta::Sim);
    dialogos.Responde(Resposta::Nao);
    TArquivoTexto arquivo;
    EXPECT_FALSE(AbreArquivoTexto(arquivo, caminho));
    ASSERT_EQ(dialogos.Mensagens().size(), 2u);
    const TMensagemDialogo& pergunta = dialogos.Mensagens()[0];
    EXPECT_EQ(pergunta.Texto,
              QStringLiteral("Não foi possível abrir o arquivo ") + caminho + QStringLiteral(". Tentar Novamente?"));
    EXPECT_EQ(pergunta.Tipo, TipoDialogo::Erro);
    EXPECT_EQ(pergunta.Botoes, Botao::Sim | Botao::Nao);
    EXPECT_GE(atividade.VezesMantido(), 2);
}

// Answers Yes after making the missing file, as a user who fixed the cause would.
class CriaEResponde final : public IDialogos {
public:
    explicit CriaEResponde(QString caminho)
        : FCaminho(std::move(caminho))
        , FAnterior(InterfaceUsuario::Instala(this))
    {}
    ~CriaEResponde() override { InterfaceUsuario::Instala(FAnterior); }
    Resposta Mostra(const TMensagemDialogo&) override
    {
        ++Perguntas;
        Escreve(FCaminho, "x");
        return Resposta::Sim;
    }
    int Perguntas = 0;

private:
    QString FCaminho;
    IDialogos* FAnterior;
};

TEST(ArquivosTexto, ARetryThatSucceedsAnswersTrue)
{
    const QString caminho = Caminho("depois.txt");
    CriaEResponde usuario(caminho);
    QFile arquivo;
    EXPECT_TRUE(AbreArquivo(arquivo, caminho, QIODevice::ReadOnly));
    EXPECT_TRUE(arquivo.isOpen());
    EXPECT_EQ(usuario.Perguntas, 1);
}

// A caller that asks in its own way gets the question, and nothing reaches the dialogs.
TEST(ArquivosTexto, EachOpenerAsksThroughTheQuestionItIsGiven)
{
    DialogosRoteirizados dialogos;
    Escreve(Caminho("arquivo"), "not a folder");
    const QString falta = Caminho("falta.txt");
    const QString debaixo = Caminho("arquivo/novo.txt");   // its folder cannot be made
    TArquivoTexto texto;
    QFile bytes;
    const struct {
        const char* nome;
        QString caminho;
        std::function<bool(const TPergunta&)> abre;
    } casos[] = {
        {"CriaArquivoTexto", debaixo, [&](const TPergunta& p) { return CriaArquivoTexto(texto, debaixo, p); }},
        {"AbreArquivoTexto", falta, [&](const TPergunta& p) { return AbreArquivoTexto(texto, falta, p); }},
        {"AbreArquivo", falta, [&](const TPergunta& p) { return AbreArquivo(bytes, falta, QIODevice::ReadOnly, p); }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        std::vector<TMensagemDialogo> perguntas;
        const TPergunta pergunta = [&](const QString& t, TipoDialogo tipo, std::uint16_t botoes) {
            perguntas.push_back({t, tipo, botoes});
            return Resposta::Nao;
        };
        EXPECT_FALSE(caso.abre(pergunta));
        ASSERT_EQ(perguntas.size(), 1u);
        EXPECT_EQ(perguntas[0].Texto,
                  QStringLiteral("Não foi possível abrir o arquivo ") + caso.caminho
                      + QStringLiteral(". Tentar Novamente?"));
        EXPECT_EQ(perguntas[0].Tipo, TipoDialogo::Erro);
        EXPECT_EQ(perguntas[0].Botoes, Botao::Sim | Botao::Nao);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST(ArquivosTexto, CriaArquivoTextoMakesTheFolders)
{
    TArquivoTexto texto;
    ASSERT_TRUE(CriaArquivoTexto(texto, Caminho("sub/pasta/novo.txt")));
    EXPECT_TRUE(GravaLinha(texto, QStringLiteral("um")));
    EXPECT_TRUE(texto.Fecha());
    EXPECT_TRUE(QFile::exists(Caminho("sub/pasta/novo.txt")));
}

TEST(ArquivosTexto, ReadingToTheEndGivesEmptyLinesAndFimSaysSo)
{
    Escreve(Caminho("e.txt"), "um\r\ndois\n");
    TArquivoTexto arquivo;
    ASSERT_TRUE(AbreArquivoTexto(arquivo, Caminho("e.txt")));
    bool erro = false;
    QString linha;
    ASSERT_FALSE(FimDeArquivo(arquivo, erro));
    EXPECT_TRUE(LeLinha(arquivo, linha));
    EXPECT_EQ(linha, QStringLiteral("um"));
    EXPECT_TRUE(LeLinha(arquivo, linha));
    EXPECT_EQ(linha, QStringLiteral("dois"));
    EXPECT_TRUE(FimDeArquivo(arquivo, erro));
    EXPECT_TRUE(LeLinha(arquivo, linha));
    EXPECT_EQ(linha, QString());
    EXPECT_FALSE(erro);
}

TEST(ArquivosTexto, AFileThatCannotBeReadIsReportedOnce)
{
    DialogosRoteirizados dialogos;
    TArquivoTexto fechado;
    bool erro = false;
    EXPECT_TRUE(FimDeArquivo(fechado, erro));
    EXPECT_TRUE(erro);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Erro de acesso ao arquivo.")});
    QString linha = QStringLiteral("velha");
    EXPECT_FALSE(LeLinha(fechado, linha));
    EXPECT_EQ(linha, QString());
    EXPECT_FALSE(GravaLinha(fechado, QStringLiteral("x")));
    EXPECT_EQ(dialogos.Mensagens().size(), 1u);   // reading and writing say nothing
}

TEST(LeCabecalhoArquivo, First142BytesCutAtNul)
{
    Escreve(Caminho("longo.txt"), QByteArray(200, 'P'));
    EXPECT_EQ(LeCabecalhoArquivo(Caminho("longo.txt")), QString(142, QLatin1Char('P')));
    Escreve(Caminho("nulo.txt"), QByteArray("PRUV\xc7\0resto", 10));
    EXPECT_EQ(LeCabecalhoArquivo(Caminho("nulo.txt")), QStringLiteral("PRUVÇ"));
    DialogosRoteirizados dialogos;   // no question for a missing file
    EXPECT_EQ(LeCabecalhoArquivo(Caminho("falta.txt")), QString());
    EXPECT_TRUE(dialogos.Mensagens().empty());
}
