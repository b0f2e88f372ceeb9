#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/stat.h>

#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TSubstituicao.h"
#include "support/ArquivosDeTeste.h"
#include "support/ProcessoLimitado.h"
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

// What a process that ended between putting the new file in place and confirming it leaves: the
// caller's answer for the place says which file goes, and only that one; keeping both shows the
// earlier one under a name a person sees, beside any kept before; waiting leaves everything.
TEST(TSubstituicao, TheCallersAnswerAloneDecidesWhichFileALeftoverPlaceKeeps)
{
    using D = TSubstituicao::TDestino;
    using M = TSubstituicao::TSobra::TMarca;
    const struct {
        const char* caso;
        bool anterior;   // an earlier file waits aside
        bool novo;       // the new file is at the place
        bool marcada;
        D resposta;
        const char* ficam;      // the folder afterwards
        const char* conteudo;   // what the place holds, if anything
    } casos[] = {
        {"the new one stays", true, true, true, D::FicaNovo, "a.dec a.dec.anterior", "new"},
        {"the earlier one back", true, true, true, D::VoltaAnterior, "a.dec a.dec.anterior", "earlier"},
        {"both kept", true, true, true, D::FicamAmbos, "a.dec a.dec.anterior a.dec.anterior-2", "new"},
        {"both kept, no mark", true, true, false, D::FicamAmbos, "a.dec a.dec.anterior a.dec.anterior-2", "new"},
        {"all wait", true, true, true, D::Espera, ".a.dec.anterior .a.dec.marca a.dec a.dec.anterior", "new"},
        {"no earlier: kept", false, true, true, D::FicamAmbos, "a.dec a.dec.anterior", "new"},
        {"no earlier, the place emptied", false, true, true, D::VoltaAnterior, "a.dec.anterior", nullptr},
        {"before the new one moved", true, false, true, D::FicaNovo, "a.dec a.dec.anterior", "earlier"},
        {"a mark alone", false, false, true, D::FicaNovo, "a.dec.anterior", nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        QDir().mkpath(ProgramaDeTeste::Pasta());
        const QString destino = Caminho("a.dec");
        GravaArquivo(destino + QStringLiteral(".anterior"), "kept by an earlier recovery");
        if (c.anterior)
            GravaArquivo(TSubstituicao::NomeAparte(destino), "earlier");
        if (c.novo)
            GravaArquivo(destino, "new");
        if (c.marcada)
            GravaArquivo(TSubstituicao::NomeMarca(destino), "2002 x");
        std::optional<TSubstituicao::TSobra> perguntada;
        QStringList expostos;
        TSubstituicao::Recupera(
            ProgramaDeTeste::Pasta(), {},
            [&](const TSubstituicao::TSobra& sobra) {
                perguntada = sobra;
                return c.resposta;
            },
            &expostos);
        EXPECT_EQ(Arquivos(), QLatin1String(c.ficam));
        if (c.conteudo) {
            EXPECT_EQ(BytesDoArquivo(destino), c.conteudo);
        }
        ASSERT_EQ(perguntada.has_value(), c.novo);
        if (c.novo) {
            EXPECT_EQ(perguntada->Destino, destino);
            EXPECT_EQ(perguntada->Aparte, c.anterior ? TSubstituicao::NomeAparte(destino) : QString());
            EXPECT_EQ(perguntada->EstadoMarca, c.marcada ? M::Lida : M::Nenhuma);
            EXPECT_EQ(perguntada->Marca, c.marcada ? "2002 x" : "");
        }
        EXPECT_EQ(BytesDoArquivo(destino + QStringLiteral(".anterior")), "kept by an earlier recovery");
        if (QString(c.ficam).contains(QLatin1String("anterior-2"))) {
            EXPECT_EQ(expostos, QStringList{destino + QStringLiteral(".anterior-2")});
            EXPECT_EQ(BytesDoArquivo(destino + QStringLiteral(".anterior-2")), "earlier");
        }
    }
}

// A confirmation whose removal of the earlier file or of the mark fails says so, and leaves the
// mark for the recovery, which then has the earlier file aside to decide on.
TEST(TSubstituicao, AConfirmationThatCannotRemoveTheEarlierFileOrTheMarkSaysSo)
{
    for (const bool tiraAnterior : {false, true}) {
        SCOPED_TRACE(tiraAnterior);
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        QDir().mkpath(ProgramaDeTeste::Pasta());
        GravaArquivo(Caminho("a.dec"), "earlier");
        GravaArquivo(Caminho("a.dec.tmp"), "new");
        TSubstituicao substituicao(Caminho("a.dec.tmp"), Caminho("a.dec"), "mark");
        QString erro;
        ASSERT_TRUE(substituicao.Coloca(erro)) << erro.toStdString();
        // A folder that takes a file's name cannot be removed as one.
        const QString preso = tiraAnterior ? TSubstituicao::NomeAparte(Caminho("a.dec"))
                                           : TSubstituicao::NomeMarca(Caminho("a.dec"));
        QFile::remove(preso);
        QDir().mkpath(preso + QStringLiteral("/x"));
        EXPECT_FALSE(substituicao.Confirma(erro));
        EXPECT_FALSE(erro.isEmpty());
        EXPECT_TRUE(QFileInfo::exists(TSubstituicao::NomeMarca(Caminho("a.dec"))));
        EXPECT_EQ(BytesDoArquivo(Caminho("a.dec")), "new");
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
            if (confirma) {
                EXPECT_TRUE(substituicao.Confirma(erro)) << erro.toStdString();
            }
        }
        EXPECT_EQ(Arquivos(), QStringLiteral("a.dec"));
        EXPECT_EQ(BytesDoArquivo(Caminho("a.dec")), confirma ? "new" : "earlier");
    }
}

// A mark with its companion: both are there from Coloca until Confirma, which lets the companion
// go first; a companion that cannot go takes the mark with it, so that no mark is left that says
// the substitution was never confirmed. Undoing takes both away.
TEST(TSubstituicao, AMarksCompanionStaysUntilTheConfirmationAndNeverOutlivesItAlone)
{
    const struct {
        const char* caso;
        bool confirma;
        bool presa;             // the companion cannot be removed
        bool confirmada;        // what Confirma answers
        const char* arquivos;   // the folder afterwards
    } casos[] = {
        {"confirmed", true, false, true, "a.dec"},
        {"undone", false, false, true, "a.dec"},
        {"a companion that cannot go", true, true, false, ".a.dec.pendente a.dec"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        QDir().mkpath(ProgramaDeTeste::Pasta());
        GravaArquivo(Caminho("a.dec"), "earlier");
        GravaArquivo(Caminho("a.dec.tmp"), "new");
        {
            TSubstituicao substituicao(Caminho("a.dec.tmp"), Caminho("a.dec"), "mark", true);
            QString erro;
            ASSERT_TRUE(substituicao.Coloca(erro)) << erro.toStdString();
            EXPECT_EQ(Arquivos(), QStringLiteral(".a.dec.anterior .a.dec.marca .a.dec.pendente a.dec"));
            if (c.presa) {
                // A folder that takes a file's name cannot be removed as one.
                QFile::remove(TSubstituicao::NomePendente(Caminho("a.dec")));
                QDir().mkpath(TSubstituicao::NomePendente(Caminho("a.dec")) + QStringLiteral("/x"));
            }
            if (c.confirma) {
                EXPECT_EQ(substituicao.Confirma(erro), c.confirmada) << erro.toStdString();
            }
        }
        QString arquivos = QDir(ProgramaDeTeste::Pasta())
                               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
                               .join(QLatin1Char(' '));
        EXPECT_EQ(arquivos, QLatin1String(c.arquivos));
        EXPECT_EQ(BytesDoArquivo(Caminho("a.dec")), c.confirma ? "new" : "earlier");
    }
}

// A mark, or the file kept aside, that is a fifo never holds the recovery of the folder: the place
// is left for a person, and the recovery goes on.
TEST(TSubstituicao, AFifoUnderAMarksOrTheEarlierFilesNameNeverHoldsTheRecovery)
{
    for (const char* nome : {".entrega.dec.marca", ".entrega.dec.anterior"}) {
        SCOPED_TRACE(nome);
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(ProgramaDeTeste::Pasta()));
        GravaArquivo(Caminho("entrega.dec"), "nova");
        if (QByteArray(nome).endsWith(".marca"))
            GravaArquivo(Caminho(".entrega.dec.anterior"), "anterior");
        ASSERT_EQ(::mkfifo(QFile::encodeName(Caminho(nome)).constData(), 0644), 0);
        EXPECT_EQ(NoProcessoLimitado([] {
                      TSubstituicao::Recupera(ProgramaDeTeste::Pasta(), {}, [](const TSubstituicao::TSobra&) {
                          return TSubstituicao::TDestino::Espera;
                      });
                      return 0;
                  }),
                  0)
            << "held by the fifo";
    }
}
