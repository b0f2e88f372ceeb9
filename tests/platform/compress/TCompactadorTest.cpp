#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <vector>

#include "ArquivosDeTeste.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/TCompactador.h"

using namespace ArquivosDeTeste;
namespace R = ResultadoCompressao;

namespace {

// A data folder with the two files the delivery packs.
struct Entrega {
    QString dados = Pasta(QStringLiteral("DADOS"));
    QString destino = Pasta(QStringLiteral("Gravadas"));
    QByteArray declaracao = Declaracao(5);
    QString declar = Grava(dados + QStringLiteral("/Declar.txt"), declaracao);
    QString recibo = Grava(
        dados + QStringLiteral("/Recibo.Ini"),
        "[Declarante]\r\nIN_PF_PJ=1\r\n[Declaracao]\r\nCRC=0000000001\r\n\r\n[Valores]\r\nVL_REND=1,00\r\n");
    QString dec = destino + QStringLiteral("/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");

    int Empacota(TCompactador& c, const TProgressoCompressao& progresso = {})
    {
        c.AdicionaArquivo(recibo);
        c.AdicionaArquivo(declar);
        QString caminho = dec;
        return c.ComprimirPruv(caminho, progresso);
    }
};

}   // namespace

// --- CRC ---------------------------------------------------------------------------------

TEST(CalculaCRC32, ChainedPiecesGiveZlibsCrcOfTheWhole)
{
    const struct {
        QByteArray texto;
        std::vector<int> cortes;
    } casos[] = {
        {"123456789", {}},
        {"123456789", {1, 5}},
        {"", {}},
        {QByteArray(730, 'A') + "\r\n", {730}},
        {Aleatorio(100000, 7), {1, 4096, 65536}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto.left(20).toStdString());
        quint32 registro = 0xFFFFFFFFu;
        int inicio = 0;
        std::vector<int> cortes = c.cortes;
        cortes.push_back(static_cast<int>(c.texto.size()));
        for (const int fim : cortes) {
            registro = TCompactador::CalculaCRC32(c.texto.constData() + inicio, static_cast<quint32>(fim - inicio),
                                                  registro);
            inicio = fim;
        }
        EXPECT_EQ(~registro, CrcZlib(c.texto));
    }
    EXPECT_EQ(~TCompactador::CalculaCRC32("123456789", 9, 0xFFFFFFFFu), 0xCBF43926u);   // the CRC-32 check value
}

// --- Adding files ------------------------------------------------------------------------

TEST(AdicionaArquivo, RefusesWhatCouldNotBePackedAndUnpackedUnderItsName)
{
    const QString pasta = Pasta(QStringLiteral("d"));
    Grava(pasta + QStringLiteral("/Pruv.db"), "x");
    Grava(pasta + QStringLiteral("/outro"), "y");
    QDir().mkpath(pasta + QStringLiteral("/sub"));
    TCompactador c;
    ASSERT_EQ(c.AdicionaArquivo(pasta + QStringLiteral("/Pruv.db")), 1);
    const struct {
        QString caminho;
        int esperado;
    } casos[] = {
        {pasta + QStringLiteral("/nao-existe"), 0},
        {pasta + QStringLiteral("/sub"), 0},   // a folder
        {QString(), 0},
        {pasta + QStringLiteral("/Pruv.db"), 0},        // added already
        {pasta + QStringLiteral("/../d/PRUV.DB"), 0},   // same name, other case
        {pasta + QStringLiteral("/outro"), 1},
    };
    for (const auto& c2 : casos) {
        SCOPED_TRACE(c2.caminho.toStdString());
        EXPECT_EQ(c.AdicionaArquivo(c2.caminho), c2.esperado);
    }
}

// --- Backups: Comprimir / Descomprimir -----------------------------------------------------

TEST(Comprimir, RoundTripRestoresEveryFileUnderItsName)
{
    const QString dados = Pasta(QStringLiteral("DADOS"));
    const QString trabalho = Pasta(QStringLiteral("TEMP"));
    const QList<QPair<QString, QByteArray>> arquivos = {
        {QStringLiteral("Pruv.DB"), "declarations"},         {QStringLiteral("Vazio.PX"), {}},
        {QStringLiteral("Grande.DB"), Aleatorio(300000, 1)}, {QStringLiteral("Texto.MB"), QByteArray(200000, 'a')},
        {QStringLiteral("Acentuação.db"), "\xe9\xe7"},
    };
    TCompactador c;
    for (const auto& [nome, conteudo] : arquivos)
        ASSERT_EQ(c.AdicionaArquivo(Grava(dados + QLatin1Char('/') + nome, conteudo)), 1);
    const QString cmp = Pasta(QStringLiteral("CopSeg")) + QStringLiteral("/CopSeg.cmp");
    ASSERT_EQ(c.Comprimir(cmp, {}), R::Ok);
    EXPECT_EQ(Conteudo(Pasta(QStringLiteral("CopSeg"))), QStringList{QStringLiteral("CopSeg.cmp")});

    ASSERT_EQ(c.Descomprimir(cmp, trabalho, {}), R::Ok);
    EXPECT_EQ(Conteudo(trabalho).size(), arquivos.size());
    for (const auto& [nome, conteudo] : arquivos) {
        SCOPED_TRACE(nome.toStdString());
        EXPECT_EQ(Le(trabalho + QLatin1Char('/') + nome), conteudo);
    }
}

TEST(Comprimir, ConsumesTheAddedFilesAndRefusesAnEmptySetKeepingTheOldArchive)
{
    const QString pasta = Pasta(QStringLiteral("CopSeg"));
    const QString cmp = Grava(pasta + QStringLiteral("/CopSeg.cmp"), "the good backup");
    TCompactador c;
    ASSERT_EQ(c.AdicionaArquivo(Grava(Pasta(QStringLiteral("DADOS")) + QStringLiteral("/a.db"), "a")), 1);
    ASSERT_EQ(c.Comprimir(pasta + QStringLiteral("/primeira.cmp"), {}), R::Ok);
    EXPECT_EQ(c.Comprimir(cmp, {}), R::Falha);   // nothing left to pack
    EXPECT_EQ(Le(cmp), "the good backup");
}

TEST(Comprimir, AFileThatVanishedBeforePackingFailsWithoutTouchingTheTarget)
{
    const QString pasta = Pasta(QStringLiteral("CopSeg"));
    const QString cmp = Grava(pasta + QStringLiteral("/CopSeg.cmp"), "the good backup");
    const QString some = Grava(Pasta(QStringLiteral("DADOS")) + QStringLiteral("/some.db"), "x");
    TCompactador c;
    ASSERT_EQ(c.AdicionaArquivo(some), 1);
    QFile::remove(some);
    EXPECT_EQ(c.Comprimir(cmp, {}), R::Falha);
    EXPECT_EQ(Le(cmp), "the good backup");
    EXPECT_EQ(Conteudo(pasta), QStringList{QStringLiteral("CopSeg.cmp")});
}

// --- Delivery files: ComprimirPruv and its readers ------------------------------------------

TEST(ComprimirPruv, PlainHeaderIsTheDeclarationsHeaderWithItsCrcAndVolumeFlag)
{
    Entrega e;
    TCompactador c;
    ASSERT_EQ(e.Empacota(c), R::Ok);
    const QByteArray dec = Le(e.dec);
    const quint32 crc = CrcZlib(AposPrimeiraLinha(e.declaracao));
    QByteArray esperado = e.declaracao.left(248);
    esperado.replace(101, 10, QByteArray::number(crc).rightJustified(10, '0'));
    esperado[124] = '0';
    EXPECT_EQ(dec.left(248), esperado);
    EXPECT_EQ(dec.mid(248, 2), "\r\n");
    // What the recorded-files list checks in the first 142 bytes.
    EXPECT_EQ(dec.left(12), "PRUV    2003");
    EXPECT_EQ(dec.mid(16, 4), "1080");
    EXPECT_EQ(dec.mid(101, 10), QByteArray::number(crc).rightJustified(10, '0'));
    EXPECT_EQ(dec.at(124), '0');
}

TEST(ComprimirPruv, ReportsTheCrcOfThePackedLinesAsTheWriterChainsIt)
{
    Entrega e;
    TCompactador c;
    ASSERT_EQ(e.Empacota(c), R::Ok);
    // The writer's running CRC: every line after the header and its CR LF, from all ones, complemented.
    quint32 registro = 0xFFFFFFFFu;
    for (const QByteArray& linha : AposPrimeiraLinha(e.declaracao).split('\n')) {
        if (linha.isEmpty())
            continue;
        const QByteArray semFim = linha.chopped(1);
        registro = TCompactador::CalculaCRC32(semFim.constData(), static_cast<quint32>(semFim.size()), registro);
        registro = TCompactador::CalculaCRC32("\r\n", 2, registro);
    }
    EXPECT_EQ(c.ObtemCRCDeclaracao(), ~registro);
    EXPECT_EQ(c.ObtemCRCDeclaracao(), CrcZlib(AposPrimeiraLinha(e.declaracao)));
}

TEST(ComprimirPruv, TheHeadersCrcIsThatOfTheTextAfterItsFirstLineWhateverItsShape)
{
    const QByteArray cabecalho(248, 'P');
    const struct {
        const char* caso;
        QByteArray declaracao;
    } casos[] = {
        {"the header only", cabecalho + "\r\n"},
        {"a header ended by LF alone", cabecalho + "\nline\r\n"},
        {"a last line without its end", cabecalho + "\r\nline\r\nlast"},
        {"many pieces of the archive", Declaracao(3000)},
        {"bytes that do not compress", cabecalho + "\r\n" + Aleatorio(300000, 11)},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Entrega e;
        Grava(e.declar, caso.declaracao);
        TCompactador c;
        ASSERT_EQ(e.Empacota(c), R::Ok);
        const quint32 crc = CrcZlib(AposPrimeiraLinha(caso.declaracao));
        EXPECT_EQ(c.ObtemCRCDeclaracao(), crc);
        EXPECT_EQ(Le(e.dec).mid(101, 10), QByteArray::number(crc).rightJustified(10, '0'));
        const QString importacao = Pasta(QStringLiteral("importacao"));
        ASSERT_EQ(c.DescomprimirPruv(e.dec, importacao, {}), R::Ok);
        EXPECT_EQ(Le(importacao + QStringLiteral("/declar.txt")), caso.declaracao);
        EXPECT_EQ(Conteudo(e.destino), QStringList{QFileInfo(e.dec).fileName()});   // nothing of the packing left
    }
}

TEST(ComprimirPruv, RoundTripGivesBackTheDeclarationAndTheReceiptWithItsVolumes)
{
    Entrega e;
    TCompactador c;
    ASSERT_EQ(e.Empacota(c), R::Ok);
    const QByteArray volumes = "[Declarante]\r\nIN_PF_PJ=1\r\n[Declaracao]\r\nCRC=0000000001\r\nVOLUMES=1\r\n\r\n"
                               "[Valores]\r\nVL_REND=1,00\r\n";
    EXPECT_EQ(Le(e.recibo), volumes);   // the writer reads VOLUMES from its own file

    const QString importacao = Pasta(QStringLiteral("importacao"));
    ASSERT_EQ(c.DescomprimirPruv(e.dec, importacao, {}), R::Ok);
    EXPECT_EQ(Conteudo(importacao), QStringList{QStringLiteral("declar.txt")});
    EXPECT_EQ(Le(importacao + QStringLiteral("/declar.txt")), e.declaracao);

    const QString recibo = Pasta(QStringLiteral("recibo"));
    ASSERT_EQ(c.DescomprimirReciboPruv(e.dec, recibo), 1);
    EXPECT_EQ(Conteudo(recibo), QStringList{QStringLiteral("Recibo.ini")});
    EXPECT_EQ(Le(recibo + QStringLiteral("/Recibo.ini")), volumes);
}

TEST(ComprimirPruv, GivesBackTheAbsolutePathAndWritesTheSecondCopy)
{
    Entrega e;
    TCompactador c;
    c.AdicionaArquivo(e.declar);
    QString caminho = e.dec;
    const QString segundo = Pasta(QStringLiteral("disquete")) + QStringLiteral("/copia.dec");
    ASSERT_EQ(c.ComprimirPruv(caminho, {}, segundo), R::Ok);
    EXPECT_EQ(caminho, QFileInfo(e.dec).absoluteFilePath());
    EXPECT_EQ(Le(segundo), Le(e.dec));
}

TEST(ComprimirPruv, FailsWithoutAUsableDeclarationAndKeepsTheOldFile)
{
    const struct {
        const char* caso;
        QByteArray declaracao;
        bool adiciona;
    } casos[] = {
        {"declaration not added", Declaracao(2), false},
        {"header line of 141 bytes", QByteArray(141, 'P') + "\r\nline\r\n", true},
        {"no line end at all", QByteArray(300, 'P'), true},
        {"empty file", {}, true},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Entrega e;
        Grava(e.declar, caso.declaracao);
        Grava(e.dec, "the good delivery");
        TCompactador c;
        c.AdicionaArquivo(e.recibo);
        if (caso.adiciona)
            c.AdicionaArquivo(e.declar);
        QString caminho = e.dec;
        EXPECT_EQ(c.ComprimirPruv(caminho, {}), R::Falha);
        EXPECT_EQ(c.ObtemCRCDeclaracao(), 0u);
        EXPECT_EQ(Le(e.dec), "the good delivery");
        EXPECT_EQ(Conteudo(e.destino).size(), 1);
    }
}

TEST(ComprimirPruv, ReplacesAnExistingDeliveryFileWhenComplete)
{
    Entrega e;
    Grava(e.dec, "an older delivery");
    TCompactador c;
    ASSERT_EQ(e.Empacota(c), R::Ok);
    EXPECT_TRUE(Le(e.dec).startsWith("PRUV    2003"));
    EXPECT_EQ(Conteudo(e.destino).size(), 1);
}

// --- Progress and cancel ----------------------------------------------------------------------

namespace {

enum class Operacao { Comprimir, ComprimirPruv, Descomprimir, DescomprimirPruv };

const char* Nome(Operacao o)
{
    switch (o) {
    case Operacao::Comprimir:
        return "Comprimir";
    case Operacao::ComprimirPruv:
        return "ComprimirPruv";
    case Operacao::Descomprimir:
        return "Descomprimir";
    case Operacao::DescomprimirPruv:
        return "DescomprimirPruv";
    }
    return "";
}

// The file each operation writes in its output folder.
QString Alvo(Operacao o)
{
    switch (o) {
    case Operacao::Comprimir:
        return QStringLiteral("CopSeg.cmp");
    case Operacao::ComprimirPruv:
        return QStringLiteral("x.dec");
    case Operacao::Descomprimir:
        return QStringLiteral("Grande.db");
    case Operacao::DescomprimirPruv:
        return QStringLiteral("declar.txt");
    }
    return {};
}

// Runs one operation on a few megabytes, calling CancelarCompressao when the progress reaches
// cancelaEm (never when negative); gives the result and the percentages reported. The output
// folder holds a good file under the name the operation writes.
int Executa(Operacao o, int cancelaEm, std::vector<int>& informados, QString& saida)
{
    Entrega e;
    Grava(e.declar, Declaracao(4000));   // about 3 MB of lines
    const QString grande = Grava(e.dados + QStringLiteral("/Grande.db"), Aleatorio(3 * 1024 * 1024, 3));
    TCompactador preparo;
    const QString cmp = e.destino + QStringLiteral("/CopSeg.cmp");
    const QString decPronto = e.destino + QStringLiteral("/pronto.dec");
    if (o == Operacao::Descomprimir) {
        preparo.AdicionaArquivo(grande);
        preparo.AdicionaArquivo(e.declar);
        if (preparo.Comprimir(cmp, {}) != R::Ok)
            return -1;
    }
    if (o == Operacao::DescomprimirPruv) {
        preparo.AdicionaArquivo(e.declar);
        QString p = decPronto;
        if (preparo.ComprimirPruv(p, {}) != R::Ok)
            return -1;
    }

    TCompactador c;
    const auto progresso = [&](int p) {
        informados.push_back(p);
        if (cancelaEm >= 0 && p >= cancelaEm)
            c.CancelarCompressao();
    };
    static int execucao = 0;
    saida = Pasta(QStringLiteral("saida%1").arg(++execucao));
    Grava(saida + QLatin1Char('/') + Alvo(o), "good");
    switch (o) {
    case Operacao::Comprimir:
        c.AdicionaArquivo(grande);
        c.AdicionaArquivo(e.declar);
        return c.Comprimir(saida + QLatin1Char('/') + Alvo(o), progresso);
    case Operacao::ComprimirPruv: {
        c.AdicionaArquivo(e.declar);
        c.AdicionaArquivo(grande);
        QString caminho = saida + QLatin1Char('/') + Alvo(o);
        return c.ComprimirPruv(caminho, progresso);
    }
    case Operacao::Descomprimir:
        return c.Descomprimir(cmp, saida, progresso);
    case Operacao::DescomprimirPruv:
        return c.DescomprimirPruv(decPronto, saida, progresso);
    }
    return -1;
}

}   // namespace

TEST(Andamento, ProgressRisesFromZeroToOneHundred)
{
    for (const Operacao o :
         {Operacao::Comprimir, Operacao::ComprimirPruv, Operacao::Descomprimir, Operacao::DescomprimirPruv}) {
        SCOPED_TRACE(Nome(o));
        std::vector<int> informados;
        QString saida;
        ASSERT_EQ(Executa(o, -1, informados, saida), R::Ok);
        EXPECT_NE(Le(saida + QLatin1Char('/') + Alvo(o)), "good");   // replaced when complete
        ASSERT_GE(informados.size(), 3u);                            // something between the ends
        EXPECT_EQ(informados.front(), 0);
        EXPECT_EQ(informados.back(), 100);
        EXPECT_TRUE(std::is_sorted(informados.begin(), informados.end()));
        EXPECT_EQ(std::adjacent_find(informados.begin(), informados.end()), informados.end());   // no repeats
    }
}

TEST(Andamento, CancelStopsTheRunAndLeavesTheGoodFileAlone)
{
    for (const Operacao o :
         {Operacao::Comprimir, Operacao::ComprimirPruv, Operacao::Descomprimir, Operacao::DescomprimirPruv}) {
        for (const int cancelaEm : {0, 1, 50}) {
            SCOPED_TRACE(std::string(Nome(o)) + " at " + std::to_string(cancelaEm));
            std::vector<int> informados;
            QString saida;
            EXPECT_EQ(Executa(o, cancelaEm, informados, saida), R::Cancelado);
            EXPECT_EQ(Conteudo(saida), QStringList{Alvo(o)});
            EXPECT_EQ(Le(saida + QLatin1Char('/') + Alvo(o)), "good");
            EXPECT_NE(informados.back(), 100);
        }
    }
}
