#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

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
