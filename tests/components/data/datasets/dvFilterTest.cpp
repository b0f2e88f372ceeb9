#include <gtest/gtest.h>

#include <QtEndian>
#include <cstring>

#include "components/data/TDataSetEmMemoria.h"
#include "components/data/datasets/dvFilter.h"
#include "platform/db/cursors/CanExpr.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

// The fields a filter is checked against.
class DvFilterTest : public ::testing::Test {
protected:
    DvFilterTest()
        : dados({{QStringLiteral("ANO"), ftSmallint},
                 {QStringLiteral("NOME"), ftString, 40},
                 {QStringLiteral("IN4"), ftBoolean},
                 {QStringLiteral("VALOR"), ftFloat},
                 {QStringLiteral("QTD"), ftInteger},
                 {QStringLiteral("PRECO"), ftBCD, 2},
                 {QStringLiteral("DIA"), ftDate},
                 {QStringLiteral("E_PRUV/ANEXO_DK"), ftString, 5},
                 {QStringLiteral("OBS"), ftMemo}},
                {})
    {
        dados.Open();
    }

    QByteArray Compila(const char* texto) { return dvParseFilterExpression(QString::fromUtf8(texto), &dados); }

    static int Palavra(const QByteArray& b, int posicao) { return qFromLittleEndian<quint16>(b.constData() + posicao); }
    static quint32 Dupla(const QByteArray& b, int posicao)
    {
        return qFromLittleEndian<quint32>(b.constData() + posicao);
    }
    // The slot of a node and the literal pool.
    static const char* Slot(const QByteArray& b, int deslocamento) { return b.constData() + 10 + deslocamento; }
    static QByteArray Literal(const QByteArray& b, int deslocamento, int tamanho)
    {
        return b.mid(Palavra(b, 8) + deslocamento, tamanho);
    }

    DialogosRoteirizados dialogos;
    TDataSetEmMemoria dados;
};

TEST_F(DvFilterTest, ASmallIntegerComparisonIsWrittenByteForByte)
{
    const QByteArray esperado = QByteArray::fromHex("0100"
                                                    "3a00"
                                                    "0300"
                                                    "0a00"
                                                    "3400"   // version, size 58, 3 nodes, node start 10, literals at 52
                                                    "02000000"
                                                    "03000000"
                                                    "1c00"
                                                    "0e00"
                                                    "0000"   // slot 0: "=" with left at 28, right at 14
                                                    "05000000"
                                                    "0e000000"
                                                    "0500"
                                                    "0200"
                                                    "0400"   // slot 1: 16-bit constant, 2 bytes, literal 4
                                                    "04000000"
                                                    "0d000000"
                                                    "0100"
                                                    "0000"
                                                    "0000"   // slot 2: field 1, name at literal 0
                                                    "414e4f00"
                                                    "d207");   // "ANO\0", 2002
    EXPECT_EQ(Compila("ANO = 2002").toHex(), esperado.toHex());
    // The field's name in another case matches; the name is written as typed.
    QByteArray minusculo = esperado;
    minusculo.replace(52, 3, "ano");
    EXPECT_EQ(Compila("ano = 2002").toHex(), minusculo.toHex());
}

TEST_F(DvFilterTest, ConstantsTakeTheTypeOfTheFieldOnTheLeft)
{
    const struct {
        const char* texto;
        int tipo;
        QByteArray valor;
    } casos[] = {
        {"IN4 = False", CanExpr::fldBOOL, QByteArray::fromHex("0000")},
        {"IN4 = \"true\"", CanExpr::fldBOOL, QByteArray::fromHex("ffff")},
        {"NOME = JOAO DA SILVA", CanExpr::fldZSTRING, QByteArray("JOAO DA SILVA", 14)},
        {"NOME = \"A AND B\" AND ANO = 1", CanExpr::fldZSTRING, QByteArray("A AND B", 8)},
        // Unquoted, the value swallows the AND up to the next comparison character.
        {"NOME = JOAO AND ANO = 1", CanExpr::fldZSTRING, QByteArray("JOAO AND ANO", 13)},
        {"NOME =", CanExpr::fldZSTRING, QByteArray("", 1)},
        {"QTD = 70000", CanExpr::fldINT32, QByteArray::fromHex("70110100")},
        {"DIA = \"01/01/2002\"", CanExpr::fldDATE, QByteArray::fromHex("e3260b00")},   // day 730851 = 37257 + 693594
        {"E_PRUV/ANEXO_DK = 00001", CanExpr::fldZSTRING, QByteArray("00001", 6)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const QByteArray b = Compila(c.texto);
        ASSERT_FALSE(b.isEmpty());
        // The first relation's right operand sits in slot 1 when the relation stands alone,
        // or is found through the root's left child.
        int no = 14;
        if (Dupla(b, 10 + 4) == CanExpr::canAND)
            no = Palavra(b, 10 + Palavra(b, 10 + 8) + 10);
        const char* slot = Slot(b, no);
        ASSERT_EQ(qFromLittleEndian<quint32>(slot), CanExpr::nodeCONST);
        EXPECT_EQ(qFromLittleEndian<quint16>(slot + 8), c.tipo);
        EXPECT_EQ(Literal(b, qFromLittleEndian<quint16>(slot + 12), qFromLittleEndian<quint16>(slot + 10)).toHex(),
                  c.valor.toHex());
    }
}

TEST_F(DvFilterTest, NumbersUseTheProgramsDecimalComma)
{
    const QByteArray b = Compila("VALOR = 1,5");
    ASSERT_FALSE(b.isEmpty());
    double valor = 0;
    const quint64 bits = qFromLittleEndian<quint64>(Literal(b, 6, 8).constData());
    std::memcpy(&valor, &bits, sizeof valor);
    EXPECT_EQ(valor, 1.5);
    const QByteArray bcd = Compila("PRECO = 12,34");
    ASSERT_FALSE(bcd.isEmpty());
    EXPECT_EQ(Literal(bcd, 6, 34).toHex(),
              QByteArray::fromHex("2002"
                                  "0000000000000000000000000000"
                                  "1234"
                                  + QByteArray(32, '0'))
                  .toHex());
}

TEST_F(DvFilterTest, AndAndOrGroupFromTheLeft)
{
    const QByteArray b = Compila("ANO = 1 AND ANO = 2 OR ANO = 3");
    ASSERT_FALSE(b.isEmpty());
    EXPECT_EQ(Palavra(b, 4), 11);
    EXPECT_EQ(Dupla(b, 10 + 4), CanExpr::canOR);
    const int esquerdo = Palavra(b, 10 + 8);
    EXPECT_EQ(Dupla(b, 10 + esquerdo + 4), CanExpr::canAND);
    // Children lie in higher slots than their operator; fields are numbered as written.
    EXPECT_GT(esquerdo, 0);
    EXPECT_EQ(Palavra(b, 10 + 10 * 14 + 8), 1) << "the first field written is the last slot";
}

TEST_F(DvFilterTest, TextThatDoesNotParseGivesNothing)
{
    const struct {
        const char* texto;
        bool avisa;
    } casos[] = {
        {"% = 1", false},
        {"ANO = %", false},
        {"(ANO = 1", false},
        {"NADA = 1", true},
        {"ANO = abc", false},     // not a number
        {"ANO = 40000", false},   // does not fit sixteen bits
        {"DIA = \"31/02/2002\"", false},
        {"DIA = 01/01/2002", false},   // unquoted, a date is the number 01
        {"ANO = 1 AND (X = 2)", true},
        {"NOME = \"sem fim", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        dialogos.Limpa();
        EXPECT_TRUE(Compila(c.texto).isEmpty());
        EXPECT_EQ(dialogos.Mensagens().size(), c.avisa ? 1u : 0u);
    }
    Compila("NADA = 1");
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(dialogos.Textos().front(), QStringLiteral("NADA\rField not found in Table. "));
    EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Aviso);
}

TEST_F(DvFilterTest, TheSameTextFollowsTheFieldsOfEachDataSetItIsCompiledFor)
{
    const QString texto = QStringLiteral("QTD = 5 AND NOME = A");
    const QByteArray inteiro = dvParseFilterExpression(texto, &dados);
    ASSERT_FALSE(inteiro.isEmpty());
    // The same names with other types: the constant takes this dataset's type.
    TDataSetEmMemoria outros({{QStringLiteral("QTD"), ftString, 3}, {QStringLiteral("NOME"), ftString, 40}}, {});
    outros.Open();
    const QByteArray texto5 = dvParseFilterExpression(texto, &outros);
    ASSERT_FALSE(texto5.isEmpty());
    EXPECT_NE(texto5, inteiro);
    EXPECT_TRUE(texto5.contains(QByteArray("5", 2)));
    // A dataset without one of the fields is warned every time, however often the text compiled.
    TDataSetEmMemoria semNome({{QStringLiteral("QTD"), ftInteger}}, {});
    semNome.Open();
    for (int vez = 0; vez < 2; ++vez) {
        dialogos.Limpa();
        EXPECT_TRUE(dvParseFilterExpression(texto, &semNome).isEmpty());
        ASSERT_EQ(dialogos.Mensagens().size(), 1u);
        EXPECT_EQ(dialogos.Textos().front(), QStringLiteral("NOME\rField not found in Table. "));
    }
    EXPECT_EQ(dvParseFilterExpression(texto, &dados), inteiro);
    // A number read by the program's decimal comma is compiled again each time.
    EXPECT_EQ(dvParseFilterExpression(QStringLiteral("VALOR = 1,5"), &dados), Compila("VALOR = 1,5"));
}

TEST_F(DvFilterTest, TextAfterACompleteRelationIsIgnored)
{
    EXPECT_EQ(Compila("ANO = 2002 XYZ"), Compila("ANO = 2002"));
    EXPECT_EQ(Compila("ANO = 2002 )"), Compila("ANO = 2002"));
}

TEST_F(DvFilterTest, OversizedOperandsAndLiteralsFailCleanly)
{
    EXPECT_FALSE(Compila(qPrintable(QStringLiteral("NOME = ") + QString(64, QLatin1Char('x')))).isEmpty());
    EXPECT_TRUE(Compila(qPrintable(QStringLiteral("NOME = ") + QString(65, QLatin1Char('x')))).isEmpty());
    QStringList relacoes;
    for (int i = 0; i < 20; ++i)
        relacoes << QStringLiteral("NOME = ") + QString(60, QLatin1Char('a' + i));
    EXPECT_TRUE(Compila(qPrintable(relacoes.join(QStringLiteral(" OR ")))).isEmpty());
}

}   // namespace
