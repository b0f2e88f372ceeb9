#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/values/PastasPrograma.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"

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

// A full disk is told by 159; a folder where the file should be by its own cause (139). Either
// way nothing is written.
TEST(TArquivoIni, AWriteThatFailsIsToldByItsCauseAndKeepsTheFile)
{
    {
        TFalhasDeArquivo::Instala(
            [](TFalhasDeArquivo::Operacao, const QString&) { return TFalhasDeArquivo::Efeito::DiscoCheio; });
        const auto tira = qScopeGuard([] { TFalhasDeArquivo::Instala({}); });
        try {
            TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("1"));
            ADD_FAILURE() << "no error";
        } catch (const TErro& e) {
            EXPECT_EQ(e.Codigo(), CodigoMensagem::FalhaNaGravacao);
            EXPECT_EQ(e.Parametro(), TArquivoIni::Caminho());
        }
    }
    QDir().mkpath(TArquivoIni::Caminho());   // a folder where the file should be
    try {
        TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("1"));
        ADD_FAILURE() << "no error";
    } catch (const TErro& e) {
        EXPECT_EQ(e.Codigo(), CodigoMensagem::ArquivoNaoAberto);
        EXPECT_EQ(e.GetMensagem(),
                  QStringLiteral("Não foi possivel abrir arquivo ") + TArquivoIni::Caminho()
                      + QStringLiteral(": há uma pasta com o nome do arquivo."));
    }
    EXPECT_EQ(TArquivoIni::LeString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("0")),
              QStringLiteral("0"));
}

// What stands under the settings' name instead of a file the user may write is told by its own
// cause, not as a full disk; a fifo never holds a read or a write, for the user who made it or
// another.
TEST(TArquivoIni, WhatStandsUnderTheSettingsNameIsToldByItsCauseAndNeverWaitedOn)
{
    // The other user's cases need a folder that user can reach.
    const QString semOutro = ProgramaDeTeste::AbreAOutroUsuario(65534);
    const QByteArray caminho = QFile::encodeName(TArquivoIni::Caminho());
    const struct {
        const char* caso;
        std::function<bool()> faz;
        int usuario;
        const char* motivo;
    } casos[] = {
        {"a folder", [&caminho] { return ::mkdir(caminho.constData(), 0755) == 0; }, -1, "pasta com o nome"},
        {"a fifo", [&caminho] { return ::mkfifo(caminho.constData(), 0666) == 0; }, -1, "arquivo especial"},
        {"a fifo, for another user", [&caminho] { return ::mkfifo(caminho.constData(), 0644) == 0; }, 65534,
         "arquivo especial"},
        {"a link", [&caminho] { return ::symlink("/etc/hostname", caminho.constData()) == 0; }, -1, "atalho"},
        {"another user's private file",
         [&caminho] {
             QFile arquivo(QFile::decodeName(caminho));
             return arquivo.open(QIODevice::WriteOnly) && arquivo.write("[Geral]\r\nJahMostrou=1\r\n") > 0
                 && arquivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
         },
         65534, "acesso"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (c.usuario >= 0 && !semOutro.isEmpty())
            continue;
        QDir(ProgramaDeTeste::Pasta()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(ProgramaDeTeste::Pasta()));
        if (semOutro.isEmpty()) {
            ASSERT_EQ(::chmod(QFile::encodeName(ProgramaDeTeste::Pasta()).constData(), 0777), 0);
        }
        ASSERT_TRUE(c.faz());
        const QString motivo = QString::fromUtf8(c.motivo);
        const int saida = NoProcessoLimitado(
            [&motivo] {
                if (TArquivoIni::LeString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("?"))
                    != QStringLiteral("?"))
                    return 1;
                try {
                    TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"),
                                             QStringLiteral("1"));
                } catch (const TErro& e) {
                    return e.GetMensagem().contains(motivo) && !e.GetMensagem().contains(QStringLiteral("espaço")) ? 0
                                                                                                                   : 3;
                }
                return 2;
            },
            c.usuario);
        EXPECT_EQ(saida, 0) << "-1: held; 1: read something; 2: written through; 3: not told by its cause";
    }
    if (!semOutro.isEmpty())
        GTEST_SKIP() << "another user's cases not tried: " << semOutro.toStdString();
}
