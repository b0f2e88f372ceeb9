#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "model/values/PastasPrograma.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"

TEST(TArquivoIni, KeysRoundTripThroughTheProgramsIniFile)
{
    EXPECT_EQ(TArquivoIni::Caminho(), DiretorioPrograma() + QStringLiteral("/pruv2003.ini"));
    const QString secao = QStringLiteral("Copia de Seguranca");
    EXPECT_EQ(TArquivoIni::LeString(secao, QStringLiteral("automatica"), QStringLiteral("1")), QStringLiteral("1"));

    const struct {
        const char* chave;
        const char* valor;
    } casos[] = {
        {"DirCsDefault", "/home/usuário/CopSeg/"},
        {"automatica", "0"},
        {"ArqCsUltimo", ""},
        {"DirCsUltimo", " com brancos "},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.chave);
        TArquivoIni::GravaString(secao, QString::fromUtf8(c.chave), QString::fromUtf8(c.valor));
        EXPECT_EQ(TArquivoIni::LeString(QStringLiteral("COPIA DE SEGURANCA"), QString::fromUtf8(c.chave).toLower(),
                                        QStringLiteral("?")),
                  QString::fromUtf8(c.valor));
    }
    QFile arquivo(TArquivoIni::Caminho());
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(),
              QString(QStringLiteral("[Copia de Seguranca]\r\n"
                                     "DirCsDefault=/home/usuário/CopSeg/\r\n"
                                     "automatica=0\r\n"
                                     "ArqCsUltimo=\r\n"
                                     "DirCsUltimo= com brancos \r\n"))
                  .toLatin1());
}

TEST(TArquivoIni, AWriteThatFailsRaises159AndKeepsTheFile)
{
    QDir().mkpath(TArquivoIni::Caminho());   // a folder where the file should be
    try {
        TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("1"));
        ADD_FAILURE() << "no error";
    } catch (const TErro& e) {
        EXPECT_EQ(e.Codigo(), 159);
        EXPECT_EQ(e.Parametro(), TArquivoIni::Caminho());
    }
    EXPECT_EQ(TArquivoIni::LeString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("0")),
              QStringLiteral("0"));
}
