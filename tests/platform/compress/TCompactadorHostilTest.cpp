#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include "ArquivosDeTeste.h"
#include "ProgramaDeTeste.h"
#include "platform/compress/TCompactador.h"
#include "platform/compress/TPacoteEntrega.h"
#include "platform/files/TEspacoEmDisco.h"

using namespace ArquivosDeTeste;
namespace R = ResultadoCompressao;

namespace {

// A fresh target folder inside a parent that must stay untouched too.
struct Alvo {
    Alvo()
    {
        QDir(pai).removeRecursively();
        Pasta(QStringLiteral("pai/alvo"));
    }
    QString pai = Pasta(QStringLiteral("pai"));
    QString pasta = pai + QStringLiteral("/alvo");
};

}   // namespace

TEST(NomesHostis, ArchiveHoldingAnyUnsafeNameIsRefusedWhole)
{
    const QByteArray absoluto = (Pasta(QStringLiteral("fora")) + QStringLiteral("/x")).toUtf8();
    const QByteArray nomes[] = {
        "../x",
        "../../x",
        "a/../../x",
        "sub/x",
        "/tmp/x",
        absoluto,
        "..\\x",
        "C:x",
        "C:\\x",
        ".",
        "..",
        "x\ny",
        "dir/",
        // Control and high bytes that a CP437 reading would turn into graphic characters.
        "x\x07y.db",
        "x\x1by.db",
        "x\x01.db",
        "x\x7fy.db",
        "caf\x82.db",
        "\xff",
    };
    for (const QByteArray& hostil : nomes) {
        SCOPED_TRACE(hostil.toStdString());
        Alvo a;
        const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                                  Zip({{"bom.db", "good"}, {hostil, "evil"}}));
        TCompactador c;
        EXPECT_EQ(c.Descomprimir(cmp, a.pasta, {}), R::Falha);
        EXPECT_EQ(Conteudo(a.pasta), QStringList());
        EXPECT_EQ(Conteudo(a.pai), QStringList{QStringLiteral("alvo")});
        EXPECT_FALSE(QFile::exists(QString::fromUtf8(absoluto)));
        EXPECT_FALSE(QFile::exists(ProgramaDeTeste::Pasta() + QStringLiteral("/x")));
    }
}

TEST(NomesHostis, NamesAlikeButForCaseAreRefused)
{
    Alvo a;
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                              Zip({{"Pruv.db", "one"}, {"PRUV.DB", "two"}}));
    TCompactador c;
    EXPECT_EQ(c.Descomprimir(cmp, a.pasta, {}), R::Falha);
    EXPECT_EQ(Conteudo(a.pasta), QStringList());
}

TEST(NomesHostis, ALinkInTheTargetFolderIsReplacedNotFollowed)
{
    Alvo a;
    const QString vitima = Grava(a.pai + QStringLiteral("/vitima"), "keep me");
    ASSERT_TRUE(QFile::link(vitima, a.pasta + QStringLiteral("/Pruv.db")));
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                              Zip({{"Pruv.db", "restored"}}));
    TCompactador c;
    ASSERT_EQ(c.Descomprimir(cmp, a.pasta, {}), R::Ok);
    EXPECT_EQ(Le(vitima), "keep me");
    EXPECT_FALSE(QFileInfo(a.pasta + QStringLiteral("/Pruv.db")).isSymLink());
    EXPECT_EQ(Le(a.pasta + QStringLiteral("/Pruv.db")), "restored");
}

TEST(NomesHostis, DeliveryUnpackersTakeOnlyTheirOwnMemberUnderTheirOwnName)
{
    const QByteArray declaracao = Declaracao(2);
    const struct {
        const char* caso;
        QList<QPair<QByteArray, QByteArray>> membros;
        int pruv;
        int recibo;
    } casos[] = {
        {"hostile names beside good members",
         {{"../Declar.txt", "evil"},
          {"Declar.txt", declaracao},
          {"/tmp/Recibo.ini", "evil"},
          {"Recibo.ini", "[A]\r\n"}},
         R::Ok,
         1},
        {"only hostile names", {{"../Declar.txt", declaracao}, {"sub/Recibo.ini", "[A]\r\n"}}, R::Falha, 0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Alvo a;
        const QString dec = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/x.dec"),
                                  EntregaCom(Zip(caso.membros), declaracao));
        TCompactador c;
        EXPECT_EQ(c.DescomprimirPruv(dec, a.pasta, {}), caso.pruv);
        EXPECT_EQ(c.DescomprimirReciboPruv(dec, a.pasta), caso.recibo);
        QStringList esperado;
        if (caso.recibo)
            esperado << QStringLiteral("Recibo.ini");
        if (caso.pruv == R::Ok)
            esperado << QStringLiteral("declar.txt");
        EXPECT_EQ(Conteudo(a.pasta), esperado);
        EXPECT_EQ(Conteudo(a.pai), QStringList{QStringLiteral("alvo")});
    }
}

// --- Damaged and foreign files -----------------------------------------------------------------

TEST(ArquivosEstranhos, EachUnpackerGivesAClearFailure)
{
    const QByteArray declaracao = Declaracao(3);
    const QByteArray zip = Zip({{"Declar.txt", declaracao}, {"Recibo.ini", "[Declaracao]\r\n"}});
    QByteArray crcErrado = EntregaCom(zip, declaracao);
    crcErrado.replace(101, 10, "0000000000");
    QByteArray semMarca = EntregaCom(zip, declaracao);
    semMarca.replace(250, 8, "XXXXXXXX");
    QByteArray zipDanificado = zip;
    zipDanificado[60] = static_cast<char>(zipDanificado[60] ^ 0x55);   // inside the first member's data

    const struct {
        const char* caso;
        QByteArray conteudo;
        int cmp;
        int pruv;
        int recibo;
    } casos[] = {
        {"empty file", {}, R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
        {"text file", "just some text\r\nand more\r\n", R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
        {"earlier version's packing", "PKDV" + Aleatorio(5000, 9), R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
        {"plain declaration text", declaracao, R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
        {"plain zip given as delivery", zip, R::Ok, R::FormatoDesconhecido, 0},
        {"header CRC does not match", crcErrado, R::FormatoDesconhecido, R::Falha, 1},
        {"mark after the header missing", semMarca, R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
        {"damaged member data", zipDanificado, R::Falha, R::FormatoDesconhecido, 0},
        {"delivery with damaged member data", EntregaCom(zipDanificado, declaracao), R::FormatoDesconhecido, R::Falha,
         1},
        {"truncated archive", zip.left(zip.size() / 2), R::FormatoDesconhecido, R::FormatoDesconhecido, 0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const QString origem = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/arquivo"), caso.conteudo);
        TCompactador c;
        Alvo a;
        const int cmp = c.Descomprimir(origem, a.pasta, {});
        if (caso.cmp == R::FormatoDesconhecido) {
            EXPECT_TRUE(cmp == R::FormatoDesconhecido || cmp == R::Falha) << cmp;
        } else {
            EXPECT_EQ(cmp, caso.cmp);
        }
        EXPECT_EQ(c.DescomprimirPruv(origem, a.pasta, {}), caso.pruv);
        EXPECT_EQ(c.DescomprimirReciboPruv(origem, a.pasta), caso.recibo);
        QStringList esperado;
        if (caso.cmp == R::Ok)
            esperado << QStringLiteral("Declar.txt") << QStringLiteral("Recibo.ini");
        else if (caso.recibo)
            esperado << QStringLiteral("Recibo.ini");
        esperado.sort();
        EXPECT_EQ(Conteudo(a.pasta), esperado);
    }
}

TEST(ArquivosEstranhos, MissingFileOrFolderFails)
{
    TCompactador c;
    const QString pasta = Pasta(QStringLiteral("alvo"));
    const QString nada = pasta + QStringLiteral("/nao-existe");
    EXPECT_EQ(c.Descomprimir(nada, pasta, {}), R::Falha);
    EXPECT_EQ(c.DescomprimirPruv(nada, pasta, {}), R::Falha);
    EXPECT_EQ(c.DescomprimirReciboPruv(nada, pasta), 0);
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"), Zip({{"a", "b"}}));
    EXPECT_EQ(c.Descomprimir(cmp, nada, {}), R::Falha);
}

// --- Robustness: truncated and garbage files never crash an unpacker nor write outside ------------

TEST(Robustez, TruncatedFlippedAndRandomFilesNeverEscapeOrCrash)
{
    const QByteArray declaracao = Declaracao(20);
    const QByteArray zip = Zip({{"Declar.txt", declaracao}, {"Recibo.ini", "[Declaracao]\r\nCRC=1\r\n"}});
    const QByteArray entrega = EntregaCom(zip, declaracao);
    QList<QByteArray> amostras;
    for (const QByteArray& base : {zip, entrega}) {
        for (qsizetype n = 0; n < base.size(); n += (n < 400 ? 1 : 37))
            amostras.append(base.left(n));
        QRandomGenerator gerador(42);
        for (int i = 0; i < 300; ++i) {
            QByteArray virado = base;
            const auto pos = static_cast<qsizetype>(gerador.bounded(static_cast<quint32>(base.size())));
            virado[pos] = static_cast<char>(virado[pos] ^ (1 << gerador.bounded(8)));
            amostras.append(virado);
        }
    }
    for (quint32 s = 0; s < 50; ++s)
        amostras.append(Aleatorio(1 + static_cast<qsizetype>(s) * 97, s));

    const QString origem = Pasta(QStringLiteral("origem")) + QStringLiteral("/arquivo");
    const QStringList permitidos = {QStringLiteral("Declar.txt"), QStringLiteral("Recibo.ini"),
                                    QStringLiteral("declar.txt")};
    int validos = 0;
    for (const QByteArray& amostra : amostras) {
        Grava(origem, amostra);
        Alvo a;
        TCompactador c;
        const int r1 = c.Descomprimir(origem, a.pasta, {});
        const int r2 = c.DescomprimirPruv(origem, a.pasta, {});
        const int r3 = c.DescomprimirReciboPruv(origem, a.pasta);
        for (const QString& nome : Conteudo(a.pasta))
            ASSERT_TRUE(permitidos.contains(nome)) << nome.toStdString();
        ASSERT_EQ(Conteudo(a.pai), QStringList{QStringLiteral("alvo")});
        if (r2 == R::Ok) {
            ASSERT_EQ(Le(a.pasta + QStringLiteral("/declar.txt")), declaracao);   // never a wrong declaration
        }
        validos += (r1 == R::Ok) + (r2 == R::Ok) + (r3 == 1);
    }
    EXPECT_GT(validos, 0);
}

TEST(Bombas, AMemberBeyondItsBoundsIsRefusedBeforeAnythingIsWritten)
{
    const qsizetype acimaDoPiso = static_cast<qsizetype>(TCompactador::TamanhoSemLimiteDeRazao) + 1024;
    const struct {
        const char* caso;
        QByteArray dados;
        int esperado;
    } casos[] = {
        {"64 MiB of zeros", QByteArray(64 << 20, '\0'), R::Falha},
        // With the other member's byte, the members' sum too is at the floor.
        {"zeros up to the floor", QByteArray(static_cast<qsizetype>(TCompactador::TamanhoSemLimiteDeRazao) - 1, '\0'),
         R::Ok},
        {"bytes that do not pack, past the floor", Aleatorio(acimaDoPiso, 7), R::Ok},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Alvo a;
        const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                                  Zip({{"pequeno.db", "x"}, {"pruv2003.db", c.dados}}));
        TCompactador c2;
        ASSERT_EQ(c2.Descomprimir(cmp, a.pasta, {}), c.esperado);
        EXPECT_EQ(Conteudo(a.pasta).size(), c.esperado == R::Ok ? 2 : 0);
    }
}

TEST(Bombas, MembersEachWithinBoundsMayNotAddUpToABomb)
{
    // Each member below the floor of the ratio check; together far beyond it.
    const QByteArray zeros(static_cast<qsizetype>(TCompactador::TamanhoSemLimiteDeRazao / 2), '\0');
    Alvo a;
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                              Zip({{"a.db", zeros}, {"b.db", zeros}, {"c.db", zeros}}));
    TCompactador c;
    EXPECT_EQ(c.Descomprimir(cmp, a.pasta, {}), R::Falha);
    EXPECT_EQ(Conteudo(a.pasta), QStringList());
}

TEST(Bombas, UnpackingLeavesTheMarginOfTheVolumeFree)
{
    const QByteArray declaracao = Declaracao(3);
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                              Zip({{"pruv2003.db", "data"}}));
    const QString dec = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/e.dec"),
                              EntregaCom(Zip({{"Declar.txt", declaracao}}), declaracao));
    const auto margem = static_cast<qint64>(TCompactador::MargemLivre);
    const auto tamanho = static_cast<qint64>(declaracao.size());
    for (const bool cabe : {false, true}) {
        SCOPED_TRACE(cabe);
        Alvo a;
        TCompactador c;
        {
            const TEspacoEmDisco::Simulacao disco(margem + (cabe ? tamanho : 3));
            EXPECT_EQ(c.Descomprimir(cmp, a.pasta, {}), cabe ? R::Ok : R::Falha);
            EXPECT_EQ(c.DescomprimirPruv(dec, a.pasta, {}), cabe ? R::Ok : R::Falha);
        }
        EXPECT_EQ(Conteudo(a.pasta).size(), cabe ? 2 : 0);
    }
}

TEST(Bombas, APackedDeclarationBeyondWhatADeclarationPacksToIsRefused)
{
    // Lines alike but for nothing pack far better than any declaration's numbered lines.
    QByteArray texto = Declaracao(1);
    const QByteArray linha = QByteArray(730, '0') + "\r\n";
    const auto linhas = static_cast<int>(TCompactador::TamanhoSemLimiteDeRazao / 732) * 2;
    texto.reserve(texto.size() + linhas * linha.size());
    for (int i = 0; i < linhas; ++i)
        texto += linha;
    Alvo a;
    const QString dec = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/e.dec"),
                              EntregaCom(Zip({{"Declar.txt", texto}}), texto));
    TCompactador c;
    EXPECT_EQ(c.DescomprimirPruv(dec, a.pasta, {}), R::Falha);
    EXPECT_EQ(Conteudo(a.pasta), QStringList());
}

TEST(Bombas, MembersThatShareTheirPackedBytesAreRefused)
{
    // Each member below the floor of the ratio check, and their claimed packed bytes, counting the
    // shared block once per member, enough for their sum: only the archive's real size tells.
    QByteArray nucleo = Aleatorio(100 * 1024, 11);
    nucleo += QByteArray(static_cast<qsizetype>(TCompactador::TamanhoSemLimiteDeRazao / 2) - nucleo.size(), '\0');
    const QString cmp = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/c.cmp"),
                              ZipSobreposto({"a.db", "b.db", "c.db", "d.db"}, nucleo));
    const QByteArray declaracao = Declaracao(3);
    const QString dec = Grava(Pasta(QStringLiteral("origem")) + QStringLiteral("/e.dec"),
                              EntregaCom(ZipSobreposto({"Recibo.ini", "Declar.txt"}, declaracao), declaracao));
    Alvo a;
    TCompactador c;
    EXPECT_EQ(c.Descomprimir(cmp, a.pasta, {}), R::Falha);
    EXPECT_EQ(c.DescomprimirPruv(dec, a.pasta, {}), R::Falha);
    EXPECT_EQ(c.DescomprimirReciboPruv(dec, a.pasta), 0);
    EXPECT_EQ(Conteudo(a.pasta), QStringList());
}
