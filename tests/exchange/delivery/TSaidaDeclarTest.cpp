#include <QFile>
#include <gtest/gtest.h>
#include <zlib.h>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TItemEntrega.h"
#include "exchange/delivery/TOrdemRegistros.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "exchange/delivery/TRegistroTipo3.h"
#include "exchange/delivery/TSaidaDeclar.h"
#include "model/values/CamposEntrega.h"
#include "platform/files/TArquivoTexto.h"
#include "support/ProgramaDeTeste.h"

namespace {

using S = TItemEntrega::TSerie;

QString Caminho(const char* Nome = "Declar.txt")
{
    return ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(Nome);
}

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

TItemEntrega Item(const char* Nome)
{
    TItemEntrega item;
    item.Codigo = QStringLiteral("0561");
    item.BeneficiarioPf = true;
    item.NiBeneficiario = QStringLiteral("11144477735");
    item.NomeBeneficiario = QString::fromUtf8(Nome);
    return item;
}

}   // namespace

TEST(TSaidaDeclar, LinesOfManyBlocksReachTheFileWhole)
{
    TArquivoTexto arquivo;
    ASSERT_TRUE(arquivo.Cria(Caminho()));
    TSaidaDeclar saida(arquivo);
    QByteArray esperado;
    quint32 crc = 0;
    // Lines of every length around the block's edge, bytes beyond ASCII among them.
    for (int i = 0; esperado.size() < 3 * TSaidaDeclar::TamanhoBloco; ++i) {
        const QByteArray linha = QByteArray(i % 1500, static_cast<char>('A' + i % 26)) + "\xC7\xE3";
        ASSERT_TRUE(saida.Grava(linha));
        esperado += linha + "\r\n";
        if (i > 0) {
            saida.SomaCrc(linha);
            crc = static_cast<quint32>(
                crc32(crc, reinterpret_cast<const Bytef*>(linha.constData()), static_cast<uInt>(linha.size())));
            crc = static_cast<quint32>(crc32(crc, reinterpret_cast<const Bytef*>("\r\n"), 2));
        }
    }
    ASSERT_TRUE(saida.Descarrega());
    ASSERT_TRUE(arquivo.Fecha());
    EXPECT_EQ(Le(Caminho()), esperado);
    EXPECT_EQ(saida.Crc(), crc);
    EXPECT_FALSE(saida.Falhou());
}

TEST(TSaidaDeclar, AFailedWriteIsKeptAndStopsTheLinesAfterIt)
{
    TArquivoTexto arquivo;   // never opened: every write fails
    TSaidaDeclar saida(arquivo);
    EXPECT_TRUE(saida.Grava("gathered, not yet written"));
    EXPECT_FALSE(saida.Descarrega());
    EXPECT_EQ(saida.Resultado(), ResultadoEntrega::ErroGravacao);
    EXPECT_FALSE(saida.Grava("after the failure"));
    EXPECT_FALSE(saida.Descarrega());
    saida.Falha(ResultadoEntrega::ForaDeOrdem);
    EXPECT_EQ(saida.Resultado(), ResultadoEntrega::ErroGravacao);   // the first fault stays
}

TEST(TRegistroTipo2, EachLineOfAnItemIsTheLineMontaMakes)
{
    TItemEntrega todas = Item("Ana  d'Avila");
    for (int m = 1; m <= TItemEntrega::Meses; ++m) {
        todas.Valor(S::Rendimento, m) = m * 1'000'000;
        todas.Valor(S::CompensacaoAno, m) = 149;   // rounds to 1 cent
        todas.Valor(S::ImpostoSubJudice, m) = 51 * m;
        todas.Valor(S::Deposito, m) = 7;   // rounds to nothing
    }
    TItemEntrega grande = Item("MARIA");
    grande.Valor(S::Rendimento, 1) = 5'000'000;
    grande.Valor(S::RendimentoSubJudice, 1) = 99'999'999'999'999'999;   // beyond the same field of the next line
    TItemEntrega negativo = Item("JOSE");
    negativo.Valor(S::Deducao, 4) = -500;
    const struct {
        const char* caso;
        TItemEntrega item;
        QList<int> identificadores;
    } casos[] = {
        {"all four lines", todas, {0, 1, 2, 3}},
        {"a value beyond its field", grande, {0, 2}},
        {"a negative value", negativo, {0}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TArquivoTexto arquivo;
        ASSERT_TRUE(arquivo.Cria(Caminho(c.caso)));
        TSaidaDeclar saida(arquivo);
        TOrdemRegistros ordem;
        TTotalCodigo total;
        ASSERT_TRUE(TRegistroTipo2::Grava('2', saida, ordem, QStringLiteral("00011144477735"), c.item, total));
        ASSERT_TRUE(saida.Descarrega());
        ASSERT_TRUE(arquivo.Fecha());
        QByteArray esperado;
        TTotalCodigo totalEsperado;
        int sequencia = 0;
        for (const int id : c.identificadores) {
            esperado += TRegistroTipo2::Monta('2', ++sequencia, QStringLiteral("00011144477735"), c.item, id).Bytes()
                + "\r\n";
            totalEsperado.Soma(TRegistroTipo2::Colunas(c.item, id));
        }
        EXPECT_EQ(Le(Caminho(c.caso)), esperado);
        EXPECT_EQ(total.Linhas(), totalEsperado.Linhas());
        EXPECT_EQ(total.Somas(), totalEsperado.Somas());
        EXPECT_EQ(saida.Crc(),
                  static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(esperado.constData()),
                                             static_cast<uInt>(esperado.size()))));
    }
    // The value, and the next line's field in the same place left blank, not holding it.
    const QByteArray linhas = Le(Caminho("a value beyond its field"));
    EXPECT_EQ(linhas.mid(102, 15), "000000000050000");
    EXPECT_EQ(linhas.mid(732 + 102, 15), QByteArray(15, ' '));
}

TEST(TOrdemRegistros, AcceptsOnlyAKeyAboveTheLastOne)
{
    const auto linha = [](const char* ni, char identificador) {
        TLinhaFixa l = LayoutDeclar::NovaLinha(1, '2', QStringLiteral("11222333000181"));
        l.Bytes(24, 4, "0561");
        l.Bytes(28, 1, "1");
        l.Bytes(29, 14, ni);
        l.Bytes(688, 1, QByteArrayView(&identificador, 1));
        return l;
    };
    TOrdemRegistros ordem;
    EXPECT_TRUE(ordem.Aceita(linha("00011144477735", '0')));
    const QByteArray primeira = ordem.Ultima();
    EXPECT_EQ(primeira,
              "11222333000181"
              "0561"
              "1"
              "00011144477735"
              "0");
    const struct {
        const char* caso;
        const char* ni;
        char identificador;
        bool aceita;
    } casos[] = {
        {"the same key", "00011144477735", '0', false},
        {"a lower number", "00011144477734", '9', false},
        {"the same number, a later line", "00011144477735", '2', true},
        {"the same number, an earlier line", "00011144477735", '1', false},
        {"a byte beyond ASCII sorts after the digits",
         "\xC7"
         "0011144477735",
         '0', true},
        {"a digit after it does not", "90011144477735", '0', false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QByteArray antes = ordem.Ultima();
        EXPECT_EQ(ordem.Aceita(linha(c.ni, c.identificador)), c.aceita);
        if (!c.aceita)
            EXPECT_EQ(ordem.Ultima(), antes);
        else
            EXPECT_EQ(ordem.Ultima().right(15), QByteArray(c.ni) + c.identificador);
    }
    ordem.Reinicia();
    EXPECT_EQ(ordem.Ultima(), QByteArray(TOrdemRegistros::TamanhoChave, '0'));
}

TEST(LayoutDeclar, NamesAreWrittenAsNormalisingGivesThem)
{
    const char* nomes[] = {
        "JOSE DA SILVA",
        "JOSE DA SILVA LTDA.",
        "D'AVILA & FILHOS - ME",
        "A",
        "",
        " ",
        "JOSE  DA SILVA",
        " JOSE",
        "JOSE ",
        "Jose da Silva",
        "JOSÉ",
        "ÂNGELA",
        "JOSE\tSILVA",
        "ZÉ~",
        "123 ABC/DEF",
        "X.Y'Z",
        "  ",
        "MARIA  ",
        "\xE2\x82\xAC",
        "NOME COM ACENTUAÇÃO",
    };
    for (const char* nome : nomes)
        for (const bool pf : {true, false}) {
            SCOPED_TRACE(std::string(nome) + (pf ? " (CPF)" : " (CNPJ)"));
            const QString texto = QString::fromUtf8(nome);
            EXPECT_EQ(LayoutDeclar::NomeDaLinha(texto, pf), NormalizaTexto(texto, pf));
        }
}
