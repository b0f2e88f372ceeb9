#include "model/statements/TComprovantePJ.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ImprimeQString.h"
#include "model/ItensDeTeste.h"

namespace {

const char* const Cnpj = "11.222.333/0001-81";

class TComprovantePJTest : public ::testing::Test {
protected:
    DeclaracaoDeTeste declaracao;
    ItensDeTeste itens{declaracao};
    TBeneficiarioPruv beneficiario{&declaracao};
    TComprovantePJ comprovante{beneficiario};

    void SetUp() override
    {
        beneficiario.SetNi(QString::fromLatin1(Cnpj));
        // Item, month, income, tax (reais); month 13 is the 13th salary.
        const struct {
            const char* codigo;
            const char* regime;
            bool in4;
            int mes;
            qint64 rend, imp;
        } valores[] = {
            {"1708", "C", false, 1, 1000, 15}, {"1708", "C", false, 3, 2000, 30}, {"1708", "C", false, 13, 500, 0},
            {"6147", "C", true, 2, 300, 10},   {"3426", "F", false, 1, 700, 0},   // only counted
            {"8045", "C", false, 13, 100, 0},                                     // nothing in months 1 to 12: no line
        };
        TPruvItem* item = nullptr;
        for (const auto& v : valores) {
            if (!item || item->GetCodigoRetencao().GetCodigo() != QLatin1String(v.codigo))
                item = &itens.Adiciona(Cnpj, v.codigo, v.regime, nullptr, v.in4);
            item->GetValores().GetRendimento(v.mes).SetValor(Reais(v.rend));
            item->GetValores().GetImposto(v.mes).SetValor(Reais(v.imp));
        }
        comprovante.AdicionaItens(itens);
    }

    std::vector<std::string> Linhas() const
    {
        std::vector<std::string> linhas;
        for (int i = 0; i < comprovante.QuantidadeLinhas(); ++i) {
            const TRendimentoMensalPJ& l = comprovante.GetLinha(i);
            linhas.push_back(QStringLiteral("%1 %2 %3 %4%5")
                                 .arg(l.GetCodigo())
                                 .arg(l.GetMes())
                                 .arg(l.GetRendimento().GetTextoFormatado(), l.GetImposto().GetTextoFormatado(),
                                      l.GetIN4() ? QStringLiteral(" IN4") : QString())
                                 .toStdString());
        }
        return linhas;
    }
};

}   // namespace

TEST_F(TComprovantePJTest, OneLinePerMonthWithIncome)
{
    EXPECT_EQ(Linhas(),
              (std::vector<std::string>{"1708 1 1.000,00 15,00", "1708 3 2.000,00 30,00", "6147 2 300,00 10,00 IN4"}));
    EXPECT_EQ(comprovante.QuantidadeItens(), 4);
    EXPECT_TRUE(comprovante.PossuiLinhasIN4());
    EXPECT_TRUE(comprovante.PossuiLinhasOutros());
    EXPECT_TRUE(comprovante.PossuiRendimentos());
    EXPECT_EQ(comprovante.LocalizaLinha(QStringLiteral("1708"), 3), 1);
    EXPECT_EQ(comprovante.LocalizaLinha(QStringLiteral("1708"), 13), -1);
    EXPECT_EQ(comprovante.LocalizaLinha(QStringLiteral("8045"), 1), -1);

    comprovante.Limpa();
    EXPECT_EQ(comprovante.QuantidadeLinhas(), 0);
    EXPECT_FALSE(comprovante.PossuiRendimentos());
    EXPECT_EQ(comprovante.QuantidadeItens(), 0);
}

TEST_F(TComprovantePJTest, NatureBackToTheCodeDescriptionIsTheDefault)
{
    TRendimentoMensalPJ& linha = comprovante.GetLinha(0);
    const struct {
        const char* digitada;
        const char* natureza;
        bool padrao;
    } casos[] = {
        {"  código 1708 ", "Código 1708", true},
        {" serviços prestados", "SERVIÇOS PRESTADOS", false},
        {"CÓDIGO 1708", "Código 1708", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitada);
        comprovante.SetAlterado(false);
        linha.SetNatureza(QString::fromUtf8(c.digitada));
        EXPECT_EQ(linha.GetNatureza(), QString::fromUtf8(c.natureza));
        EXPECT_EQ(linha.NaturezaPadrao(), c.padrao);
        EXPECT_TRUE(comprovante.GetAlterado());
    }
}
