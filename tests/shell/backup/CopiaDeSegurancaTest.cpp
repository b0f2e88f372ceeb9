#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "model/values/TArquivoIni.h"
#include "platform/files/TPastas.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "support/ProgramaDeTeste.h"

// What runs killed midway left (of this build and of earlier ones) goes at the next start; the
// files of the program and of the user that merely look alike stay.
TEST(CopiaDeSeguranca, TheNextStartRemovesWhatKilledRunsLeftAndNothingElse)
{
    ASSERT_TRUE(TPastas::Cria());
    const QString outra = ProgramaDeTeste::Pasta() + QStringLiteral("/outra");
    ASSERT_TRUE(QDir().mkpath(outra));
    TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsUltimo"), outra);
    const struct {
        const char* caminho;
        bool fica;
    } casos[] = {
        {"CopSeg/copsegauto.cmp", true},
        {"CopSeg/copsegauto.cmp.tmp", false},
        {"CopSeg/copsegauto.cmp.tmp.Ab12Cd", false},
        {"CopSeg/.copsegauto.cmp.novo-Ab12Cd", false},
        {"outra/CopSeg.cmp.tmp", false},
        {"outra/notas.tmp", true},
        {"DADOS/declar.txt", false},
        {"DADOS/Declar.txt", true},
        {"DADOS/Recibo.ini", true},
        {"DADOS/.Recibo.ini.novo-Xy34Zw", false},
        {"DADOS/ErroImp/.Erros.txt.novo-Xy34Zw", false},
        {"DADOS/ErroImp/11222333.dsc", true},
        {"DADOS/TEMP/pacote-Xy34Zw", false},
        {"DADOS/TEMP/pacote-Xy34Zw.zip", true},
        {".pruv2003.ini.novo-Xy34Zw", false},
    };
    for (const auto& c : casos) {
        const QString caminho = ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(c.caminho);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(caminho).path()));
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    RemoveTrabalhosAbandonados();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho);
        EXPECT_EQ(QFileInfo::exists(ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(c.caminho)), c.fica);
    }
}
