#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "platform/files/TArquivoNovo.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "support/ArquivosDeTeste.h"
#include "support/ProgramaDeTeste.h"

namespace {

QStringList Arquivos()
{
    return QDir(ProgramaDeTeste::Pasta()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}   // namespace

// Whichever step fails (a write of a large file, the last flush, the sync or the rename), the
// old file stays whole, the failure is told and no temporary is left.
TEST(TArquivoNovo, AFailureAtAnyStepKeepsTheOldFileWhole)
{
    const QString caminho = ProgramaDeTeste::Pasta() + QStringLiteral("/dados.txt");
    const QByteArray grande(200 * 1024, 'n');
    for (const auto operacao : {TFalhasDeArquivo::Escrita, TFalhasDeArquivo::Descarga, TFalhasDeArquivo::Sincronia,
                                TFalhasDeArquivo::Renomeacao}) {
        SCOPED_TRACE(operacao);
        GravaArquivo(caminho, "old");
        TFalhasDeArquivo::Instala([operacao](TFalhasDeArquivo::Operacao feita, const QString&) {
            return feita == operacao ? TFalhasDeArquivo::Efeito::DiscoCheio : TFalhasDeArquivo::Efeito::Nenhum;
        });
        TArquivoNovo novo;
        const bool gravou = novo.Abre(caminho) && novo.Escreve(grande) && novo.Escreve("end") && novo.Confirma();
        TFalhasDeArquivo::Instala({});
        EXPECT_FALSE(gravou);
        EXPECT_FALSE(novo.Erro().isEmpty());
        novo.Descarta();
        EXPECT_EQ(BytesDoArquivo(caminho), "old");
        EXPECT_EQ(Arquivos(), QStringList{QStringLiteral("dados.txt")});
    }
    TArquivoNovo novo;
    ASSERT_TRUE(novo.Abre(caminho) && novo.Escreve(grande) && novo.Confirma());
    EXPECT_EQ(BytesDoArquivo(caminho), grande);
}

// Only the temporaries that no running writer holds go: a writer's own, still open, stays, and
// files that merely look alike are not touched.
TEST(TArquivoNovo, RemovesOnlyTheTemporariesNoWriterHolds)
{
    const QString pasta = ProgramaDeTeste::Pasta();
    GravaArquivo(pasta + QStringLiteral("/.recibo.ini.novo-AbC123"), "left by a killed run");
    GravaArquivo(pasta + QStringLiteral("/.recibo.ini.novo-ABC"), "not ours: short suffix");
    GravaArquivo(pasta + QStringLiteral("/recibo.ini.novo-ABC123"), "not ours: not hidden");
    TArquivoNovo aberto;
    ASSERT_TRUE(aberto.Abre(pasta + QStringLiteral("/Declar.txt")));
    EXPECT_EQ(TArquivoNovo::RemoveAbandonados(pasta), 1);
    EXPECT_TRUE(QFile::exists(aberto.Temporario()));
    EXPECT_FALSE(QFile::exists(pasta + QStringLiteral("/.recibo.ini.novo-AbC123")));
    EXPECT_TRUE(QFile::exists(pasta + QStringLiteral("/.recibo.ini.novo-ABC")));
    EXPECT_TRUE(QFile::exists(pasta + QStringLiteral("/recibo.ini.novo-ABC123")));
    ASSERT_TRUE(aberto.Escreve("x") && aberto.Confirma());
    EXPECT_EQ(BytesDoArquivo(pasta + QStringLiteral("/Declar.txt")), "x");
}
