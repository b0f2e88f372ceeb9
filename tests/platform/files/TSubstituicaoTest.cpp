#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TSubstituicao.h"
#include "support/ArquivosDeTeste.h"
#include "support/ProgramaDeTeste.h"

namespace {

QString Caminho(const char* nome)
{
    return ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(nome);
}

QString Arquivos()
{
    return QDir(ProgramaDeTeste::Pasta()).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(QLatin1Char(' '));
}

}   // namespace

// A rename that fails: putting the new file in place (the earlier one renamed back), and then
// putting the earlier one back as well, twice (it waits aside, alone, until Recupera brings it
// back).
TEST(TSubstituicao, ARenameThatFailsLeavesTheEarlierFileOrPutsItBackLater)
{
    for (const int falhas : {2, 4}) {
        SCOPED_TRACE(falhas);
        GravaArquivo(Caminho("a.dec"), "earlier");
        GravaArquivo(Caminho("a.dec.tmp"), "new");
        {
            TSubstituicao substituicao(Caminho("a.dec.tmp"), Caminho("a.dec"));
            QString erro;
            bool colocou = true;
            {
                // The first rename (the earlier file aside) passes; the next ones fail.
                auto vezes = std::make_shared<int>(0);
                TFalhasDeArquivo::Instala([vezes, falhas](TFalhasDeArquivo::Operacao operacao, const QString&) {
                    if (operacao != TFalhasDeArquivo::Renomeacao || ++*vezes == 1 || *vezes > falhas)
                        return TFalhasDeArquivo::Efeito::Nenhum;
                    return TFalhasDeArquivo::Efeito::ErroES;
                });
                colocou = substituicao.Coloca(erro);
                substituicao.Desfaz();
                TFalhasDeArquivo::Instala({});
            }
            EXPECT_FALSE(colocou);
            EXPECT_FALSE(erro.isEmpty());
        }
        if (falhas == 4) {
            EXPECT_EQ(Arquivos(), QStringLiteral(".a.dec.anterior"));
            EXPECT_EQ(TSubstituicao::Recupera(ProgramaDeTeste::Pasta()), 1);
        }
        EXPECT_EQ(Arquivos(), QStringLiteral("a.dec"));
        EXPECT_EQ(BytesDoArquivo(Caminho("a.dec")), "earlier");
    }
}

// What a process that ended midway left aside: back to its place when nothing took it, removed
// when its replacement is there; one a running substitution holds, and names that only look
// alike, are left alone.
TEST(TSubstituicao, RecoversOnlyWhatNoRunningSubstitutionHolds)
{
    GravaArquivo(Caminho(".sozinho.dec.anterior"), "earlier, alone");
    GravaArquivo(Caminho(".trocado.dec.anterior"), "earlier, replaced");
    GravaArquivo(Caminho("trocado.dec"), "new");
    GravaArquivo(Caminho("usuario.dec.anterior"), "not ours: not hidden");
    GravaArquivo(Caminho("vivo.dec"), "earlier, held");
    GravaArquivo(Caminho("vivo.dec.tmp"), "new, held");
    TSubstituicao viva(Caminho("vivo.dec.tmp"), Caminho("vivo.dec"));
    QString erro;
    ASSERT_TRUE(viva.Coloca(erro));
    EXPECT_EQ(TSubstituicao::Recupera(ProgramaDeTeste::Pasta()), 2);
    EXPECT_EQ(Arquivos(), QStringLiteral(".vivo.dec.anterior sozinho.dec trocado.dec usuario.dec.anterior vivo.dec"));
    EXPECT_EQ(BytesDoArquivo(Caminho("sozinho.dec")), "earlier, alone");
    EXPECT_EQ(BytesDoArquivo(Caminho("trocado.dec")), "new");
    viva.Desfaz();
    EXPECT_EQ(BytesDoArquivo(Caminho("vivo.dec")), "earlier, held");
}

// What a process that ended between putting the new file in place and confirming it leaves, with
// the mark that names its record: the answer of the one who keeps the record decides which file
// stays, and no answer leaves everything for a later start.
TEST(TSubstituicao, AMarkLeftByAnEndedProcessLetsTheRecordDecideWhichFileStays)
{
    const struct {
        const char* caso;
        bool anterior;                 // an earlier file waits aside
        bool novo;                     // the new file is at the place
        std::optional<bool> gravado;   // the record's answer
        const char* ficam;             // the folder afterwards
        const char* conteudo;          // what the place holds, if anything
    } casos[] = {
        {"not recorded: the earlier back", true, true, false, "a.dec", "earlier"},
        {"recorded: the new one stays", true, true, true, "a.dec", "new"},
        {"record unreadable: all wait", true, true, std::nullopt, ".a.dec.anterior .a.dec.marca a.dec", "new"},
        {"no earlier, not recorded: none", false, true, false, "", nullptr},
        {"no earlier, recorded", false, true, true, "a.dec", "new"},
        {"before the new one moved", true, false, true, "a.dec", "earlier"},
        {"a mark alone", false, false, false, "", nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        QDir().mkpath(ProgramaDeTeste::Pasta());
        const QString destino = Caminho("a.dec");
        if (c.anterior)
            GravaArquivo(TSubstituicao::NomeAparte(destino), "earlier");
        if (c.novo)
            GravaArquivo(destino, "new");
        GravaArquivo(TSubstituicao::NomeMarca(destino), "2002 x");
        QByteArray perguntada;
        TSubstituicao::Recupera(ProgramaDeTeste::Pasta(), {}, [&](const QByteArray& marca) {
            perguntada = marca;
            return c.gravado;
        });
        EXPECT_EQ(Arquivos(), QLatin1String(c.ficam));
        if (c.conteudo) {
            EXPECT_EQ(BytesDoArquivo(destino), c.conteudo);
        }
        if (c.novo) {
            EXPECT_EQ(perguntada, "2002 x");
        }
    }
}

// A substitution that is confirmed, or taken back, leaves no mark behind.
TEST(TSubstituicao, TheMarkGoesWithTheConfirmationOrTheUndoing)
{
    for (const bool confirma : {true, false}) {
        SCOPED_TRACE(confirma);
        GravaArquivo(Caminho("a.dec"), "earlier");
        GravaArquivo(Caminho("a.dec.tmp"), "new");
        {
            TSubstituicao substituicao(Caminho("a.dec.tmp"), Caminho("a.dec"), "mark");
            QString erro;
            ASSERT_TRUE(substituicao.Coloca(erro)) << erro.toStdString();
            EXPECT_EQ(Arquivos(), QStringLiteral(".a.dec.anterior .a.dec.marca a.dec"));
            if (confirma)
                substituicao.Confirma();
        }
        EXPECT_EQ(Arquivos(), QStringLiteral("a.dec"));
        EXPECT_EQ(BytesDoArquivo(Caminho("a.dec")), confirma ? "new" : "earlier");
    }
}
