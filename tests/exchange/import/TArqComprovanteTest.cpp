#include <QFile>
#include <gtest/gtest.h>

#include "exchange/FonteSimulada.h"
#include "exchange/ImportacaoDeTeste.h"
#include "exchange/import/TArqComprovante.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/import/TRegistroComprovante.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/ProgressoRegistrado.h"

namespace {

using namespace ImportacaoDeTeste;
using S = TItemEntrega::TSerie;

const QString Empresa = QStringLiteral("11222333000181");
const char* const Luis = "32165498791";
const char* const Bruno = "98765432100";
const char* const Ana = "12345678909";   // financial income only

// A line of the statement file: the CPF, ten amounts (fields 2 to 10 and 12, in cents), the
// description of the other exempt income and the complementary information.
QByteArray Linha(const char* cpf, std::initializer_list<const char*> valores, const char* descricao = "",
                 const char* informacoes = "")
{
    QList<QByteArray> campos;
    for (const char* valor : valores)
        campos << QByteArray(valor).rightJustified(15, '0');
    while (campos.size() < 10)
        campos << QByteArray(15, '0');
    QByteArray linha = QByteArray(cpf).leftJustified(11, ' ');
    for (int i = 0; i < 9; ++i)
        linha += campos[i];
    linha += QByteArray(descricao).leftJustified(60, ' ') + campos[9] + QByteArray(informacoes).leftJustified(200, ' ');
    return linha;
}

std::string Linhas(const QStringList& lista)
{
    return lista.join(QLatin1Char('\n')).toStdString();
}

// A declaration stored with three beneficiaries of its own.
class TArqComprovanteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
        TDeclaracaoEntrega d;
        d.Ano = QStringLiteral("2002");
        d.Ni = Empresa;
        d.Nome = QStringLiteral("COMERCIO E FILHOS LTDA");
        TPruv alvo;
        alvo.SetErros(&erros);
        alvo.GetDeclarante().SetNi(Empresa);
        alvo.GetDeclarante().Nome().SetTexto(d.Nome);
        alvo.SetAno(d.Ano);
        const QString arquivo = Arquivo(
            {Tipo1(1, d),
             Valores(
                 '2', 2, Empresa,
                 ItemSimulado("0561", Luis, "LUIS").Em(S::Rendimento, 1, 12, 30000000).Em(S::Deducao, 1, 12, 2000000),
                 0),
             Valores('2', 3, Empresa, ItemSimulado("0561", Bruno, "BRUNO").Em(S::Rendimento, 3, 100000000), 0),
             Valores('2', 4, Empresa, ItemSimulado("8053", Ana, "ANA").Em(S::Rendimento, 3, 10000000), 0)});
        TImportacaoPruv importacao;
        const TResultadoImportacao resultado = importacao.Importa(*colecao, TPedidoImportacao(arquivo, alvo));
        ASSERT_EQ(resultado.Codigo, 0);
        ASSERT_EQ(resultado.Contadores.BeneficiariosAdicionados, 3);
        pruv.SetErros(&erros);
        pruv.GetDeclarante().SetNi(Empresa);
        pruv.SetAno(d.Ano);
        ASSERT_TRUE(colecao->Carrega(pruv));
    }

    QString Comprovantes(const QList<QByteArray>& linhas)
    {
        return Arquivo(linhas, "\r\n", QStringLiteral("comprovantes.txt"));
    }

    TErros erros;
    DialogosRoteirizados dialogos;
    std::unique_ptr<TColecaoPruv> colecao;
    TPruv pruv;
};

}   // namespace

TEST_F(TArqComprovanteTest, EachLineIsCheckedAgainstTheDeclarationAndStoredWhenAccepted)
{
    const QList<QByteArray> linhas = {
        Linha(Luis, {"10600", "20000", "30000", "1100000", "500", "600", "700", "800", "900", "1000"}, "BOLSA",
              "ALUGUEL"),
        "",
        "      ",
        QByteArray(220, '1'),
        Linha(Bruno, {"0", "0", "0", "1375401", "5x"}),
        Linha(Luis, {}),
        Linha("12345678900", {}),
        Linha("11144477735", {}),
        Linha(Ana, {}),
        Linha(Bruno, {}),
        Linha(Luis, {}) + QByteArray(79, ' ') + "X",
    };
    ProgressoRegistrado gauge;
    TArqComprovante importacao(Comprovantes(linhas), pruv);
    ASSERT_EQ(importacao.Importa(&gauge), 0);
    EXPECT_EQ(importacao.NomeLog(), QStringLiteral("11222333-Comprovantes"));
    EXPECT_EQ(importacao.Lidas(), 11);
    EXPECT_EQ(importacao.Importadas(), 1);
    EXPECT_EQ(importacao.Rejeitadas(), 8);
    EXPECT_EQ(gauge.Posicao(), gauge.Maximo());
    EXPECT_EQ(
        Linhas(Mensagens(importacao.NomeLog())),
        Linhas({QStringLiteral("Linha: 4 - Tamanho de Linha Inválido: 220"),
                QStringLiteral("Linha: 5 - Aposentadoria: O valor informado neste campo não pode exceder "
                               "R$13.754,00.; Diarias: Valor inválido."),
                QStringLiteral("Linha: 6 - Beneficiário duplicado no arquivo."),
                QStringLiteral("Linha: 7 - Número de Inscrição no CPF inválido: 123.456.789-00."),
                QStringLiteral("Linha: 8 - Beneficiário não consta da Pruv."),
                QStringLiteral("Linha: 9 - Beneficiário possui apenas rendimentos financeiros.  Este programa não "
                               "emite comprovante de rendimentos financeiros."),
                QStringLiteral("Linha: 10 - Beneficiário duplicado no arquivo."),
                // Longer than its fields: read by position like any other.
                QStringLiteral("Linha: 11 - Beneficiário duplicado no arquivo.")}));
    EXPECT_EQ(Log(importacao.NomeLog()).at(1).second, QString::fromLatin1(linhas.at(4)));

    TBeneficiarioPruv beneficiario(&pruv);
    beneficiario.SetNi(QString::fromLatin1(Luis));
    TComprovantePF comprovante(beneficiario);
    ASSERT_TRUE(pruv.GetColecaoComprovante().Carrega(comprovante));
    TQuadroRendTributaveis& q3 = comprovante.GetQuadro3();
    TQuadroRendIsentos& q4 = comprovante.GetQuadro4();
    const std::pair<TMonetario*, qint64> valores[] = {
        {&q3.GetLinha2(), 1060000},   {&q3.GetLinha3(), 2000000}, {&q3.GetLinha4(), 3000000},
        {&q4.GetLinha1(), 110000000}, {&q4.GetLinha2(), 50000},   {&q4.GetLinha3(), 60000},
        {&q4.GetLinha4(), 70000},     {&q4.GetLinha5(), 80000},   {&q4.GetLinha7(), 90000},
        {&q4.GetLinha8(), 100000},
    };
    for (const auto& [valor, esperado] : valores)
        EXPECT_EQ(valor->GetValor(), esperado);
    EXPECT_EQ(q4.GetDescricaoLinha8().GetTexto(), QStringLiteral("BOLSA"));
    EXPECT_EQ(comprovante.GetInformacoesComplementares().GetTexto(), QStringLiteral("ALUGUEL"));
}

TEST_F(TArqComprovanteTest, AnotherImportReplacesTheLogAndAFailureUndoesTheWholeFile)
{
    TArqComprovante primeira(Comprovantes({QByteArray(10, '1'), QByteArray(20, '2')}), pruv);
    ASSERT_EQ(primeira.Importa(nullptr), 0);
    EXPECT_EQ(Mensagens(primeira.NomeLog()).size(), 2);

    const QString arquivo = Comprovantes({Linha(Luis, {"10600"}), Linha(Bruno, {"5"})});
    TDatabase::DaPasta(TPastas::Dados())
        ->FalhaNaProximaEscrita(5);   // within the second line, after the first was stored
    TArqComprovante segunda(arquivo, pruv);
    EXPECT_EQ(segunda.Importa(nullptr), 141);
    EXPECT_EQ(segunda.Importadas(), 0);
    EXPECT_EQ(dialogos.Mensagens().back().Tipo, TipoDialogo::Erro);
    TBeneficiarioPruv beneficiario(&pruv);
    beneficiario.SetNi(QString::fromLatin1(Luis));
    TComprovantePF comprovante(beneficiario);
    EXPECT_FALSE(pruv.GetColecaoComprovante().Carrega(comprovante));
    EXPECT_TRUE(Mensagens(segunda.NomeLog()).isEmpty());

    // The file that cannot be opened: told, and one line of the log for the report.
    dialogos.Responde(Resposta::Nao);
    TArqComprovante ausente(TPastas::Programa() + QStringLiteral("/nao-existe.txt"), pruv);
    EXPECT_EQ(ausente.Importa(nullptr), 139);
    EXPECT_EQ(ausente.Rejeitadas(), 1);
    EXPECT_EQ(Mensagens(ausente.NomeLog()).size(), 1);
}

TEST(TRegistroComprovante, FieldsStandAtTheirColumnsAndAmountsReadAsMoney)
{
    TRegistroComprovante registro;
    registro.SetLinha(QString::fromLatin1(Linha("32165498791", {"123456", "", "", "", "", "x"}, "DESC", "INFO"))
                      + QStringLiteral("   "));
    EXPECT_EQ(registro.GetLinha().size(), 222 + 3);   // trailing blanks dropped
    EXPECT_TRUE(registro.TamanhoValido());
    const struct {
        int campo;
        const char* texto;
        std::uint8_t codigo;
    } casos[] = {
        {1, "32165498791", 0},
        {2, "1.234,56", 0},
        {3, "0,00", 0},
        {7, "00000000000000x", 114},
        {11, "DESC                                                        ", 0},
        {13, "INFO", 0},
        {14, "", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        QString texto;
        EXPECT_EQ(registro.CampoValor(c.campo, texto), c.codigo);
        EXPECT_EQ(texto.toStdString(), c.texto);
    }
    registro.SetLinha(QStringLiteral("     "));
    EXPECT_TRUE(registro.Vazia());
}
