#include <gtest/gtest.h>

#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/files/TEspacoEmDisco.h"

namespace {
QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
}   // namespace

TEST(Diretorios, FollowTheProgramFolder)
{
    const QString programa = qEnvironmentVariable("PRUV2003_HOME");
    EXPECT_EQ(DiretorioPrograma(), programa);
    EXPECT_EQ(DiretorioDados(), programa + T("/DADOS"));
    EXPECT_EQ(DiretorioTemporario(), programa + T("/DADOS/TEMP"));
}

TEST(RetiraBarraFinal, RemovesEveryTrailingSeparator)
{
    const struct {
        const char* caminho;
        const char* esperado;
    } casos[] = {
        {"/home/u/CopSeg/", "/home/u/CopSeg"},
        {"/home/u/CopSeg//", "/home/u/CopSeg"},
        {"C:\\CopSeg\\", "C:\\CopSeg"},
        {"/home/u", "/home/u"},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho);
        EXPECT_EQ(RetiraBarraFinal(T(c.caminho)), T(c.esperado));
    }
}

TEST(VerificaEspacoEmDisco, BelowTheMinimumOrUnknownRaises150)
{
    const struct {
        qint64 livres;
        bool levanta;
    } casos[] = {
        {56199, true}, {56200, false}, {0, true}, {-1, true}, {1'000'000'000, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.livres);
        TEspacoEmDisco::Simulacao disco(c.livres);
        if (!c.levanta) {
            EXPECT_NO_THROW(VerificaEspacoEmDisco());
            continue;
        }
        try {
            VerificaEspacoEmDisco();
            ADD_FAILURE() << "no error";
        } catch (const EEspacoEmDiscoError& e) {
            EXPECT_EQ(e.Codigo(), 150);
            EXPECT_EQ(e.Tipo(), TipoDialogo::Erro);
            EXPECT_EQ(e.Botoes(), Botao::Ok);
            EXPECT_TRUE(e.Parametro().isEmpty());
        }
    }
}

TEST(VerificaEspacoEmDisco, AsksAboutTheDataFolder)
{
    QString consultada;
    TEspacoEmDisco::Simulacao disco([&](const QString& pasta) {
        consultada = pasta;
        return 100000;
    });
    VerificaEspacoEmDisco();
    EXPECT_EQ(consultada, DiretorioDados());
}
