#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "EntradaRtfFuzz.h"
#include "EntradasFuzz.h"

namespace {

// Every sample of the corpus through the fuzzers' own entry points (they abort on a broken
// invariant).
void Reproduz(const char* Pasta, int (*Entrada)(const std::uint8_t*, std::size_t))
{
    const QDir pasta(QStringLiteral(PRUV_PASTA_CORPUS "/") + QLatin1String(Pasta));
    const QStringList amostras = pasta.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(amostras.isEmpty()) << pasta.path().toStdString();
    for (const QString& amostra : amostras) {
        SCOPED_TRACE(amostra.toStdString());
        QFile arquivo(pasta.filePath(amostra));
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
        const QByteArray dados = arquivo.readAll();
        EXPECT_EQ(
            Entrada(reinterpret_cast<const std::uint8_t*>(dados.constData()), static_cast<std::size_t>(dados.size())),
            0);
    }
}

}   // namespace

TEST(CorpusFuzz, DeliveryLayoutSamplesImportWithoutBreakingTheLog)
{
    Reproduz("entrega", ImportaEntregaFuzz);
}

TEST(CorpusFuzz, IncomeStatementSamplesImportWithoutBreakingTheLog)
{
    Reproduz("comprovantes", ImportaComprovantesFuzz);
}

TEST(CorpusFuzz, DeliveryFilesUnpackOnlyIntoTheirFolderAndWithTheirCrc)
{
    Reproduz("pacoteentrega", DescompactaEntregaFuzz);
}

TEST(CorpusFuzz, BackupArchivesGoThroughTheRestoreChecksWithinTheirFolder)
{
    Reproduz("copiaseguranca", RestauraCopiaFuzz);
}

TEST(CorpusFuzz, ReceiptFilesAreCheckedWithoutCertifyingTheDamaged)
{
    Reproduz("recibo", LeReciboFuzz);
}

TEST(CorpusFuzz, IniWritesReadBackAndKeepEveryOtherLine)
{
    Reproduz("ini", EscreveIniFuzz);
}

TEST(CorpusFuzz, RichTextSamplesReadAndComeBackThroughTheWriter)
{
    Reproduz("rtf", LeRtfFuzz);
}
