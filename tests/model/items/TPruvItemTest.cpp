#include "model/items/TPruvItem.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/DeclaracaoDeTeste.h"
#include "model/ImprimeQString.h"
#include "model/VerificacaoRegistrada.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/people/TConferenciaContribuinte.h"

namespace {

const char* const Cpf = "111.444.777-35";
const char* const Cnpj = "11.222.333/0001-81";

enum class Campo { Rend, Ded, Imp, CompAno, CompAnt, SjRend, SjDed, SjImp, Dep };

struct Valor {
    Campo campo;
    int mes;
    const char* texto;   // as typed; a leading "-" stores the negative amount
};

TMonetario& Alvo(TPruvItem& item, Campo campo, int mes)
{
    switch (campo) {
    case Campo::Rend:
        return item.GetValores().GetRendimento(mes);
    case Campo::Ded:
        return item.GetValores().GetDeducao(mes);
    case Campo::Imp:
        return item.GetValores().GetImposto(mes);
    case Campo::CompAno:
        return item.GetCompensacao().GetCompensacaoAno(mes);
    case Campo::CompAnt:
        return item.GetCompensacao().GetCompensacaoAnosAnteriores(mes);
    case Campo::SjRend:
        return item.GetSubJudice().GetRendimento(mes);
    case Campo::SjDed:
        return item.GetSubJudice().GetDeducao(mes);
    case Campo::SjImp:
        return item.GetSubJudice().GetImposto(mes);
    case Campo::Dep:
        return item.GetSubJudice().GetDeposito(mes);
    }
    throw std::logic_error("campo");
}

// One pending item as "code type object parameter", type A (warning) or E (error).
std::vector<std::string> Pendencias(const TErros& erros)
{
    std::vector<std::string> lista;
    for (int i = 0; i < erros.Count(); ++i) {
        const TErro& e = erros.Items(i);
        lista.push_back(std::to_string(e.Codigo()) + (e.Tipo() == TipoDialogo::Aviso ? " A " : " E ")
                        + std::to_string(e.Objeto()) + ' ' + e.Parametro().toStdString());
    }
    return lista;
}

struct Cenario {
    const char* nome;
    std::vector<Valor> valores;
    std::vector<std::string> esperado;
    const char* ano = "2002";
    const char* codigo = "0561";
    const char* ni = Cpf;
    bool deducao = true;
    bool subJudice = true;
    const char* tipo = "O";
};

class TPruvItemTest : public ::testing::Test {
protected:
    DeclaracaoDeTeste declaracao;
    AnexoDeTeste anexo;
    TErros erros;

    // An item with a valid name, its code completed from the table, and the scenario's values.
    std::unique_ptr<TPruvItem> Item(const Cenario& c, TPruvAnexo* dono = nullptr)
    {
        declaracao.SetAno(QString::fromLatin1(c.ano));
        declaracao.Tipo = QString::fromLatin1(c.tipo);
        auto item = std::make_unique<TPruvItem>(declaracao, dono ? *dono : declaracao);
        declaracao.Codigos.Adiciona(QString::fromLatin1(c.codigo), QString::fromLatin1(c.ano), item->GetInAnexo(),
                                    QStringLiteral("A"), c.deducao, false, c.subJudice);
        item->SetChave(QStringLiteral("0000003"));
        item->GetBeneficiario().SetNi(QString::fromLatin1(c.ni));
        item->GetBeneficiario().Nome().SetTexto(item->GetBeneficiario().TipoAtual() == TNiContribuinte::Cpf
                                                    ? QStringLiteral("Ana Souza")
                                                    : QStringLiteral("Empresa de Teste Ltda"));
        item->GetCodigoRetencao().SetCodigo(QString::fromLatin1(c.codigo));
        EXPECT_TRUE(declaracao.Codigos.BuscaCodigo(item->GetCodigoRetencao(), item->GetInAnexo()));
        for (const Valor& v : c.valores) {
            const QString texto = QString::fromUtf8(v.texto);
            TMonetario& alvo = Alvo(*item, v.campo, v.mes);
            if (texto.startsWith(QLatin1Char('-'))) {
                alvo.SetTexto(texto.mid(1));
                alvo.SetValor(-alvo.GetValor());
            } else {
                alvo.SetTexto(texto);
            }
        }
        return item;
    }

    std::vector<std::string> Valores(const Cenario& c)
    {
        erros.Limpa();
        Item(c)->VerificaValores(erros);
        return Pendencias(erros);
    }
};

class TPruvItemValores : public TPruvItemTest {
protected:
    void Confere(const std::vector<Cenario>& casos)
    {
        for (const Cenario& c : casos) {
            SCOPED_TRACE(c.nome);
            EXPECT_EQ(Valores(c), c.esperado);
        }
    }
};

}   // namespace

TEST_F(TPruvItemValores, MonthlyThresholdsByBeneficiaryKind)
{
    Confere({
        {"PF income at the limit", {{Campo::Rend, 3, "100.000,00"}}, {}},
        {"PF income past the limit", {{Campo::Rend, 3, "100.000,01"}}, {"84 A 21 0561 111.444.777-35 Mar"}},
        {"PF deduction at the limit", {{Campo::Rend, 4, "50.000,00"}, {Campo::Ded, 4, "20.000,00"}}, {}},
        {"PF deduction past the limit",
         {{Campo::Rend, 4, "50.000,00"}, {Campo::Ded, 4, "20.000,01"}},
         {"85 A 21 0561 111.444.777-35 Abr"}},
        {"PF deduction under a code without deductions is an error, not a warning",
         {{Campo::Rend, 4, "50.000,00"}, {Campo::Ded, 4, "30.000,00"}},
         {"91 E 21 0561 111.444.777-35 Abr"},
         "2002",
         "0561",
         Cpf,
         false},
        {"PF tax with compensations past 20.000",
         {{Campo::Rend, 5, "90.000,00"}, {Campo::Imp, 5, "20.000,00"}, {Campo::CompAnt, 5, "0,01"}},
         {"86 A 21 0561 111.444.777-35 Mai"}},
        {"tax equal to income",
         {{Campo::Rend, 1, "10,00"}, {Campo::Imp, 1, "10,00"}},
         {"83 A 21 0561 111.444.777-35 Jan"}},
        {"tax just below income", {{Campo::Rend, 1, "10,00"}, {Campo::Imp, 1, "9,99"}}, {}},
        {"compensations alone equal to income",
         {{Campo::Rend, 6, "10,00"}, {Campo::CompAno, 6, "5,00"}, {Campo::CompAnt, 6, "5,00"}},
         {"83 A 21 0561 111.444.777-35 Jun"}},
        {"PF compensation without income",
         {{Campo::Rend, 1, "10,00"}, {Campo::CompAno, 7, "1,00"}},
         {"83 A 21 0561 111.444.777-35 Jul", "97 E 21 0561 111.444.777-35 Jul"}},
        {"a negative income reads as zero",
         {{Campo::Rend, 8, "-100,00"}, {Campo::Imp, 8, "1,00"}},
         {"83 A 21 0561 111.444.777-35 Ago"}},
        {"PF sub judice deduction under a code without deductions",
         {{Campo::Rend, 9, "10,00"}, {Campo::SjDed, 9, "1,00"}},
         {"91 E 21 0561 Exigibilidade Suspensa 111.444.777-35 Set"},
         "2002",
         "0561",
         Cpf,
         false},
        {"PJ income at the limit", {{Campo::Rend, 10, "1.000.000,00"}}, {}, "2002", "0561", Cnpj},
        {"PJ income past the limit",
         {{Campo::Rend, 10, "1.000.000,01"}},
         {"87 A 21 0561 11.222.333/0001-81 Out"},
         "2002",
         "0561",
         Cnpj},
        {"PJ deduction, even under a code with deductions",
         {{Campo::Rend, 11, "10,00"}, {Campo::Ded, 11, "0,01"}},
         {"91 E 21 0561 11.222.333/0001-81 Nov"},
         "2002",
         "0561",
         Cnpj},
        {"PJ tax past 100.000, compensations aside",
         {{Campo::Rend, 12, "900.000,00"}, {Campo::Imp, 12, "100.000,01"}},
         {"88 A 21 0561 11.222.333/0001-81 Dez"},
         "2002",
         "0561",
         Cnpj},
        {"PJ tax of 30.000 is no warning",
         {{Campo::Rend, 12, "900.000,00"}, {Campo::Imp, 12, "30.000,00"}},
         {},
         "2002",
         "0561",
         Cnpj},
    });
}

TEST_F(TPruvItemValores, ThirteenthSalaryByCodeYearAndBeneficiary)
{
    Confere({
        {"0561 in 2001", {{Campo::Rend, 13, "100,00"}}, {}, "2001", "0561"},
        {"0588 before 2002", {{Campo::Rend, 13, "100,00"}}, {"92 E 21 0588 111.444.777-35 13º"}, "2001", "0588"},
        {"0588 from 2002", {{Campo::Rend, 13, "100,00"}}, {}, "2002", "0588"},
        {"0588 from 2002 to a CNPJ",
         {{Campo::Rend, 13, "100,00"}},
         {"92 E 21 0588 11.222.333/0001-81 13º"},
         "2002",
         "0588",
         Cnpj},
        {"another code", {{Campo::Rend, 13, "100,00"}}, {"92 E 21 3208 111.444.777-35 13º"}, "2002", "3208"},
        {"sub judice 13th",
         {{Campo::Rend, 1, "1,00"}, {Campo::Dep, 13, "1,00"}},
         {"92 E 21 0588 Exigibilidade Suspensa 111.444.777-35 13º"},
         "2001",
         "0588"},
        {"values and compensations each their own",
         {{Campo::Rend, 13, "100,00"}, {Campo::CompAno, 13, "1,00"}},
         {"92 E 21 3208 111.444.777-35 13º", "92 E 21 3208 Compensação 111.444.777-35 13º"},
         "2002",
         "3208"},
    });
}

TEST_F(TPruvItemValores, SubJudiceAndCompensationsByYearBeneficiaryAndCode)
{
    Confere({
        {"sub judice before 2000, whatever the code",
         {{Campo::SjRend, 2, "5,00"}},
         {"101 E 21 1999;111.444.777-35"},
         "1999"},
        {"compensations before 2000",
         {{Campo::Rend, 2, "50,00"}, {Campo::CompAnt, 2, "5,00"}},
         {"103 E 21 1999;111.444.777-35"},
         "1999"},
        {"sub judice to a CNPJ",
         {{Campo::SjImp, 2, "5,00"}},
         {"98 E 21 0561 11.222.333/0001-81"},
         "2000",
         "0561",
         Cnpj},
        {"compensations to a CNPJ",
         {{Campo::Rend, 2, "50,00"}, {Campo::CompAno, 2, "5,00"}},
         {"100 E 21 0561 11.222.333/0001-81"},
         "2000",
         "0561",
         Cnpj},
        {"sub judice under a code without them",
         {{Campo::SjRend, 2, "5,00"}},
         {"94 E 21 0561 111.444.777-35"},
         "2000",
         "0561",
         Cpf,
         true,
         false},
        {"a deposit alone is sub judice",
         {{Campo::Dep, 5, "5,00"}},
         {"94 E 21 0561 111.444.777-35"},
         "2000",
         "0561",
         Cpf,
         true,
         false},
        {"compensations under a code without them",
         {{Campo::Rend, 2, "50,00"}, {Campo::CompAno, 2, "5,00"}},
         {"96 E 21 0561 111.444.777-35"},
         "2000",
         "0561",
         Cpf,
         true,
         false},
        {"both under a code that admits them",
         {{Campo::Rend, 2, "50,00"}, {Campo::SjRend, 2, "5,00"}, {Campo::CompAno, 2, "5,00"}},
         {},
         "2000"},
    });
}

TEST_F(TPruvItemValores, CodesEndedByTheAct)
{
    Confere({
        {"January stays allowed", {{Campo::Rend, 1, "10,00"}}, {}, "2002", "3249"},
        {"February", {{Campo::Rend, 2, "10,00"}}, {"171 E 21 3249;3249 111.444.777-35 Fev"}, "2002", "3249"},
        {"before 2002", {{Campo::Rend, 2, "10,00"}}, {}, "2001", "3249"},
        {"each group its own item",
         {{Campo::Rend, 3, "10,00"}, {Campo::SjRend, 3, "1,00"}, {Campo::CompAnt, 3, "1,00"}},
         {"171 E 21 6799;6799 111.444.777-35 Mar", "171 E 23 6799;6799 Exigibilidade Suspensa 111.444.777-35 Mar",
          "171 E 22 6799;6799 Compensação 111.444.777-35 Mar"},
         "2002",
         "6799"},
        {"8045 to a CNPJ", {{Campo::Rend, 2, "10,00"}}, {}, "2002", "8045", Cnpj},
        {"8045 to a CPF", {{Campo::Rend, 2, "10,00"}}, {"170 E 21 8045;8045 111.444.777-35 Fev"}, "2002", "8045"},
        {"the 13th of an ended code",
         {{Campo::Rend, 13, "10,00"}},
         {"171 E 21 3251;3251 111.444.777-35 13º", "92 E 21 3251 111.444.777-35 13º"},
         "2002",
         "3251"},
    });
}

TEST_F(TPruvItemValores, AllValuesZero)
{
    Confere({
        {"original", {}, {"90 E 21 0561 111.444.777-35"}},
        {"rectifying before 1999 is a warning",
         {},
         {"90 A 21 0561 111.444.777-35"},
         "1998",
         "0561",
         Cpf,
         true,
         true,
         "R"},
        {"original before 1999", {}, {"90 E 21 0561 111.444.777-35"}, "1998"},
        {"rectifying of 1999", {}, {"90 E 21 0561 111.444.777-35"}, "1999", "0561", Cpf, true, true, "R"},
        {"negative amounts count as zero",
         {{Campo::Rend, 4, "-3,00"}, {Campo::Dep, 13, "-1,00"}},
         {"90 E 21 0561 111.444.777-35"}},
        {"a deposit is a value", {{Campo::Dep, 4, "3,00"}}, {}},
    });
}

TEST_F(TPruvItemTest, ItemsOfAnAnnexUseTheirOwnObjectNumbers)
{
    declaracao.Codigos.Adiciona(QStringLiteral("3208"), QStringLiteral("2002"));
    const Cenario c{"annex", {{Campo::Rend, 13, "1,00"}}, {}, "2002", "6800"};
    const auto item = Item(c, &anexo);
    EXPECT_EQ(item->GetInAnexo(), QStringLiteral("1"));
    item->GetCodigoRetencao().SetCodigo(QStringLiteral("3208"));   // a code of the declaration's items
    item->VerificaPendencias(erros);
    EXPECT_EQ(Pendencias(erros),
              (std::vector<std::string>{"37 E 26 3208;111.444.777-35", "92 E 29 3208 111.444.777-35 13º"}));
    EXPECT_EQ(erros.Items(0).AQuemPertence(), QStringLiteral("00007"));
    EXPECT_EQ(erros.Items(0).QuemEh(), QStringLiteral("0000003;3208;111444777"));
}

TEST_F(TPruvItemTest, CodeChecksInTheirOrder)
{
    struct Caso {
        const char* nome;
        const char* codigo;
        const char* ni;
        int natureza;   // position in the table of natures
        bool doAnexo;
        std::vector<std::string> esperado;
    };
    declaracao.Codigos.Adiciona(QStringLiteral("1111"), QStringLiteral("2001"));
    declaracao.Codigos.Adiciona(QStringLiteral("6800"), QStringLiteral("2002"), QStringLiteral("1"));
    declaracao.Codigos.Adiciona(QStringLiteral("2222"), QStringLiteral("2002"), QStringLiteral("0"),
                                QStringLiteral("F"), true, true);
    declaracao.Codigos.Adiciona(QStringLiteral("3333"), QStringLiteral("2002"), QStringLiteral("0"),
                                QStringLiteral("F"));
    declaracao.Codigos.Adiciona(QStringLiteral("4444"), QStringLiteral("2002"), QStringLiteral("0"),
                                QStringLiteral("J"));
    const Caso casos[] = {
        {"no such code", "9999", Cpf, 0, false, {"116 E 18 9999;111.444.777-35"}},
        {"a code of another year", "1111", Cpf, 0, false, {"117 E 18 1111;111.444.777-35"}},
        {"an annex code in the declaration", "6800", Cpf, 0, false, {"38 E 18 6800;111.444.777-35"}},
        {"the same code in an annex", "6800", Cpf, 0, true, {}},
        {"federal bodies only", "2222", Cnpj, 0, false, {"111 E 18 2222;11.222.333/0001-81"}},
        {"federal body, then the person rule", "2222", Cnpj, 1, false, {"110 E 18 2222;11.222.333/0001-81"}},
        {"persons only", "3333", Cnpj, 0, false, {"110 E 18 3333;11.222.333/0001-81"}},
        {"a person under a code of persons", "3333", Cpf, 0, false, {}},
        {"legal entities only", "4444", Cpf, 0, false, {"109 E 18 4444;111.444.777-35"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        erros.Limpa();
        declaracao.Natureza = &declaracao.Naturezas.GetTodas()[c.natureza];
        // The code under test is set after the fixture's own row (1,00 in January: no value item).
        const auto item = Item({c.nome, {{Campo::Rend, 1, "1,00"}}, {}, "2002", "0561", c.ni},
                               c.doAnexo ? &anexo : nullptr);
        item->GetCodigoRetencao().Limpa();
        item->GetCodigoRetencao().SetCodigo(QString::fromLatin1(c.codigo));
        item->VerificaPendencias(erros);
        std::vector<std::string> codigo;
        for (const std::string& p : Pendencias(erros))
            if (p.find(" 18 ") != std::string::npos || p.find(" 26 ") != std::string::npos)
                codigo.push_back(p);
        EXPECT_EQ(codigo, c.esperado);
    }
}

TEST_F(TPruvItemTest, CodeLookupCompletesTheItemsCode)
{
    declaracao.Codigos.Adiciona(QStringLiteral("1111"), QStringLiteral("2001"), QStringLiteral("0"),
                                QStringLiteral("J"), false, false, false);
    const auto item = Item({"", {}, {}, "2002", "0561"});
    item->GetCodigoRetencao().Limpa();
    item->GetCodigoRetencao().SetCodigo(QStringLiteral("1111"));
    EXPECT_EQ(item->VerificaCodigo(), 117);
    EXPECT_EQ(item->GetCodigoRetencao().GetAno(), QStringLiteral("2001"));
    EXPECT_EQ(item->GetCodigoRetencao().GetPfPjAmbos(), QStringLiteral("J"));
}

TEST_F(TPruvItemTest, BeneficiaryChecksComeFirst)
{
    TErros sink;
    declaracao.SetErros(&sink);
    const auto item = Item({"", {{Campo::Rend, 1, "1,00"}}, {}});
    item->GetBeneficiario().SetNiSemExcecao(QStringLiteral("111.444.777-36"));
    item->GetBeneficiario().Nome().SetNomeSemExcecao(QString());
    item->VerificaPendencias(erros);
    ASSERT_EQ(erros.Count(), 2);
    EXPECT_EQ(erros.Items(0).Codigo(), 66);
    EXPECT_EQ(erros.Items(0).Objeto(), 19);
    EXPECT_EQ(erros.Items(1).Codigo(), 123);
    EXPECT_EQ(erros.Items(1).Objeto(), 20);
    EXPECT_EQ(erros.Items(1).AQuemPertence(), QStringLiteral("00001"));
    EXPECT_EQ(erros.Items(1).QuemEh(), QStringLiteral("0000003;0561;111444777"));
    declaracao.SetErros(nullptr);
}

// A walk checks each beneficiary's number and name once for its items in a row: every item of a
// faulty beneficiary still gets its own pending items, with its own key, and a change of number,
// kind or name alone is checked again.
TEST_F(TPruvItemTest, ASharedBeneficiaryCheckGivesEveryItemItsOwnPendingItems)
{
    TErros sink;
    declaracao.SetErros(&sink);
    const auto item = Item({"", {{Campo::Rend, 1, "1,00"}}, {}});
    const struct {
        const char* ni;
        const char* nome;
        const char* chave;
    } passos[] = {
        {"111.444.777-36", "", "0000003"},            // bad number, no name
        {"111.444.777-36", "", "0000004"},            // the same beneficiary's next item
        {"111.444.777-35", "", "0000005"},            // the number mended
        {"111.444.777-35", "Ana Souza", "0000006"},   // the name too
        {"111.444.777-35", "Ana Souza", "0000007"},
        {"111.444.777-35", "", "0000008"},       // only the name differs
        {"11.222.333/0001-81", "", "0000009"},   // another kind of number
        {"11.222.333/0001-81", "Empresa de Teste Ltda", "0000010"},
        {"111.444.777-35", "Empresa de Teste Ltda", "0000011"},   // only the number differs
    };
    TConferenciaContribuinte conferencia;
    int achados = 0;
    for (const auto& p : passos) {
        SCOPED_TRACE(p.chave);
        item->SetChave(QString::fromLatin1(p.chave));
        item->GetBeneficiario().SetNiSemExcecao(QString::fromLatin1(p.ni));
        item->GetBeneficiario().Nome().SetNomeSemExcecao(QString::fromLatin1(p.nome));
        TErros sozinho;
        item->VerificaPendencias(sozinho);
        erros.Limpa();
        item->VerificaPendencias(erros, conferencia);
        EXPECT_EQ(Pendencias(erros), Pendencias(sozinho));
        achados += erros.Count();
        ASSERT_EQ(erros.Count(), sozinho.Count());
        for (int i = 0; i < erros.Count(); ++i) {
            EXPECT_EQ(erros.Items(i).QuemEh(), item->Identidade());
            EXPECT_TRUE(erros.Items(i).QuemEh().startsWith(QString::fromLatin1(p.chave) + QLatin1Char(';')));
            EXPECT_EQ(erros.Items(i).AQuemPertence(), sozinho.Items(i).AQuemPertence());
        }
    }
    EXPECT_GE(achados, 6);
    declaracao.SetErros(nullptr);
}

TEST_F(TPruvItemTest, VerificaGivesTheFirstFault)
{
    declaracao.Codigos.Adiciona(QStringLiteral("3333"), QStringLiteral("2002"), QStringLiteral("0"),
                                QStringLiteral("F"));
    TErros sink;
    declaracao.SetErros(&sink);
    auto item = Item({"", {}, {}});
    EXPECT_EQ(item->Verifica(), 0);

    item->GetCodigoRetencao().SetCodigo(QStringLiteral("3333"));
    item->GetBeneficiario().SetNi(QString::fromLatin1(Cnpj));
    EXPECT_EQ(item->Verifica(), 110);
    item->GetCodigoRetencao().SetCodigo(QStringLiteral("9999"));
    EXPECT_EQ(item->Verifica(), 116);
    item->GetBeneficiario().SetNiSemExcecao(QStringLiteral("11.222.333/0001-82"));
    EXPECT_EQ(item->Verifica(), 67);
    anexo.SetChave(QString());
    EXPECT_EQ(TPruvItem(declaracao, anexo).Verifica(), 3);
    declaracao.TPruvAnexo::SetChave(QString());
    EXPECT_EQ(item->Verifica(), 3);
    declaracao.SetErros(nullptr);
}

TEST_F(TPruvItemTest, ValoresValidosStopsAtTheFirstMonthAfterJanuary)
{
    const struct {
        const char* nome;
        const char* codigo;
        const char* ni;
        const char* ano;
        Valor valor;
        int codigoEsperado;
    } casos[] = {
        {"January", "8045", Cpf, "2002", {Campo::Rend, 1, "1,00"}, 0},
        {"8045, a person", "8045", Cpf, "2002", {Campo::Rend, 2, "1,00"}, 170},
        {"8045, a company", "8045", Cnpj, "2002", {Campo::Rend, 2, "1,00"}, 0},
        {"a deposit in the 13th", "3251", Cpf, "2002", {Campo::Dep, 13, "1,00"}, 171},
        {"a compensation", "6799", Cnpj, "2002", {Campo::CompAno, 7, "1,00"}, 171},
        {"before 2002", "3251", Cpf, "2001", {Campo::Rend, 5, "1,00"}, 0},
        {"another code", "0561", Cpf, "2002", {Campo::Rend, 5, "1,00"}, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Item({c.nome, {c.valor}, {}, c.ano, c.codigo, c.ni})->ValoresValidos(), c.codigoEsperado);
    }
}

TEST_F(TPruvItemTest, ImportChecksGiveThePlainErrorOfEachGroup)
{
    using Verificacao = void (TPruvItem::*)(TErros&) const;
    const Verificacao rend = &TPruvItem::VerificaRendimentos;
    const Verificacao sj = &TPruvItem::VerificaSubJudice;
    const Verificacao dep = &TPruvItem::VerificaDeposito;
    const Verificacao comp = &TPruvItem::VerificaCompensacao;
    const struct {
        Cenario cenario;
        Verificacao verifica;
    } casos[] = {
        {{"PF deduction, code without deductions",
          {{Campo::Ded, 3, "1,00"}},
          {"91 E 0 0561;Mar"},
          "2002",
          "0561",
          Cpf,
          false},
         rend},
        {{"PJ deduction", {{Campo::Ded, 3, "1,00"}}, {"91 E 0 0561;Mar"}, "2002", "0561", Cnpj}, rend},
        {{"ended code, listed months",
          {{Campo::Rend, 1, "1,00"}, {Campo::Rend, 2, "1,00"}, {Campo::Imp, 3, "1,00"}},
          {"171 E 0 3249;(Fev, Mar)"},
          "2002",
          "3249"},
         rend},
        {{"13th", {{Campo::Rend, 13, "1,00"}}, {"92 E 0 0588"}, "2001", "0588"}, rend},
        {{"sub judice before 2000", {{Campo::SjRend, 3, "1,00"}}, {"101 E 0 1999"}, "1999"}, sj},
        {{"sub judice, code without it",
          {{Campo::SjRend, 3, "1,00"}},
          {"94 E 0 0561"},
          "2002",
          "0561",
          Cpf,
          true,
          false},
         sj},
        {{"sub judice to a CNPJ", {{Campo::SjRend, 3, "1,00"}}, {"98 E 0 11.222.333/0001-81"}, "2002", "0561", Cnpj},
         sj},
        {{"sub judice deduction, ended code, 13th",
          {{Campo::SjDed, 4, "1,00"}, {Campo::SjImp, 13, "1,00"}},
          {"91 E 0 3251;Abr", "171 E 0 3251;(Abr, 13º)", "92 E 0 3251"},
          "2002",
          "3251",
          Cpf,
          false},
         sj},
        {{"deposits are not the sub judice group", {{Campo::Dep, 3, "1,00"}}, {}, "1999"}, sj},
        {{"deposit before 2000", {{Campo::Dep, 13, "1,00"}}, {"102 E 0 1999"}, "1999"}, dep},
        {{"deposit, code without it", {{Campo::Dep, 3, "1,00"}}, {"95 E 0 0561"}, "2002", "0561", Cpf, true, false},
         dep},
        {{"deposit to a CNPJ", {{Campo::Dep, 3, "1,00"}}, {"99 E 0 11.222.333/0001-81"}, "2002", "0561", Cnpj}, dep},
        {{"deposit in the 13th", {{Campo::Dep, 13, "1,00"}}, {"92 E 0 3208"}, "2002", "3208"}, dep},
        {{"compensation before 2000", {{Campo::CompAnt, 3, "1,00"}}, {"103 E 0 1999"}, "1999"}, comp},
        {{"compensation, code without it",
          {{Campo::CompAno, 3, "1,00"}},
          {"96 E 0 0561"},
          "2002",
          "0561",
          Cpf,
          true,
          false},
         comp},
        {{"compensation to a CNPJ",
          {{Campo::CompAno, 3, "1,00"}},
          {"100 E 0 11.222.333/0001-81"},
          "2002",
          "0561",
          Cnpj},
         comp},
        {{"compensation of 8045 to a person", {{Campo::CompAno, 2, "1,00"}}, {"170 E 0 8045;(Fev)"}, "2002", "8045"},
         comp},
        {{"nothing to check", {}, {}}, comp},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.cenario.nome);
        erros.Limpa();
        const auto item = Item(c.cenario);
        ((*item).*c.verifica)(erros);
        EXPECT_EQ(Pendencias(erros), c.cenario.esperado);
        for (int i = 0; i < erros.Count(); ++i) {
            EXPECT_TRUE(erros.Items(i).AQuemPertence().isEmpty());
            EXPECT_TRUE(erros.Items(i).QuemEh().isEmpty());
        }
    }
}

TEST_F(TPruvItemTest, ImportListOfEndedMonthsReadsAsOneSentence)
{
    const auto item = Item({"", {{Campo::Rend, 2, "1,00"}, {Campo::Rend, 3, "1,00"}}, {}, "2002", "3249"});
    item->VerificaRendimentos(erros);
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).GetMensagem(),
              QStringLiteral("O código 3249 foi extinto, conforme ADE Vimbe nº 9/2002, de 16 de janeiro de 2002. Só "
                             "deverão ser informados, neste código, os valores retidos até 16 de janeiro de 2002: "
                             "(Fev, Mar)."));
}

TEST_F(TPruvItemTest, TaxTotalsIncludeCompensations)
{
    const auto item = Item({"",
                            {{Campo::Imp, 1, "10,00"},
                             {Campo::CompAno, 1, "2,00"},
                             {Campo::CompAnt, 1, "3,00"},
                             {Campo::Imp, 12, "1,00"},
                             {Campo::Imp, 13, "7,00"},
                             {Campo::CompAnt, 13, "1,00"}},
                            {}});
    EXPECT_EQ(item->GetTotalImpostoMes(1).GetValor(), 15 * TMonetario::Escala);
    EXPECT_EQ(item->GetTotalImpostoMes(13).GetValor(), 8 * TMonetario::Escala);
    EXPECT_EQ(item->GetTotalImposto().GetValor(), 16 * TMonetario::Escala);   // months 1 to 12 only
    item->GetCompensacao().GetCompensacaoAno(12).SetTexto(QStringLiteral("4,00"));
    EXPECT_EQ(item->GetTotalImposto().GetValor(), 20 * TMonetario::Escala);
    EXPECT_THROW((void)item->GetTotalImpostoMes(0), std::out_of_range);
    EXPECT_THROW((void)item->GetTotalImpostoMes(14), std::out_of_range);
}

TEST_F(TPruvItemTest, NetValueKeepsItsSign)
{
    const auto item = Item({"",
                            {{Campo::Rend, 13, "100,00"},
                             {Campo::Ded, 13, "10,00"},
                             {Campo::Imp, 13, "95,00"},
                             {Campo::CompAno, 13, "5,00"}},
                            {}});
    TMonetario liquido;
    item->CalculaLiquido(13, liquido);
    EXPECT_EQ(liquido.GetValor(), -10 * TMonetario::Escala);
    EXPECT_THROW(item->CalculaLiquido(14, liquido), std::out_of_range);
}

TEST_F(TPruvItemTest, ChangedFlagFollowsItsParts)
{
    const auto item = Item({"", {{Campo::Rend, 1, "1,00"}}, {}});
    item->SetAlterado(false);
    EXPECT_FALSE(item->GetAlterado());
    item->GetSubJudice().GetDeposito(13).SetTexto(QStringLiteral("1,00"));
    EXPECT_TRUE(item->GetAlterado());
    item->SetAlterado(false);
    EXPECT_FALSE(item->GetSubJudice().GetAlterado());
    item->AtribuiCodigoRetencao(item->GetCodigoRetencao());
    EXPECT_TRUE(item->GetAlterado());
}

TEST_F(TPruvItemTest, CopyAndClear)
{
    TErros sink;
    declaracao.SetErros(&sink);
    const auto origem = Item(
        {"", {{Campo::Rend, 2, "10,00"}, {Campo::Dep, 13, "1,00"}, {Campo::CompAnt, 4, "2,00"}}, {}, "2002", "0561"});
    TPruvItem destino(declaracao, declaracao);
    EXPECT_EQ(destino.Erros(), &sink);   // an item takes its declaration's sink
    destino.GetValores().GetImposto(5).SetTexto(QStringLiteral("9,00"));
    origem->Copia(destino);
    EXPECT_EQ(destino.GetChave(), QStringLiteral("0000003"));
    EXPECT_EQ(destino.GetBeneficiario().GetNiFormatado(), QString::fromLatin1(Cpf));
    EXPECT_EQ(destino.GetBeneficiario().Nome().GetTexto(), QStringLiteral("Ana Souza"));
    EXPECT_EQ(destino.GetCodigoRetencao().GetCodigo(), QStringLiteral("0561"));
    EXPECT_EQ(destino.GetValores().GetRendimento(2).GetValor(), 10 * TMonetario::Escala);
    EXPECT_EQ(destino.GetValores().GetImposto(5).GetValor(), 0);
    EXPECT_EQ(destino.GetSubJudice().GetDeposito(13).GetValor(), TMonetario::Escala);
    EXPECT_EQ(destino.GetCompensacao().GetCompensacaoAnosAnteriores(4).GetValor(), 2 * TMonetario::Escala);

    destino.GetCodigoRetencao().SetAnexo(QStringLiteral("0"));
    destino.Limpa();
    EXPECT_TRUE(destino.GetChave().isEmpty());
    EXPECT_TRUE(destino.GetBeneficiario().GetNi().isEmpty());
    EXPECT_TRUE(destino.GetCodigoRetencao().GetCodigo().isEmpty());
    EXPECT_EQ(destino.GetCodigoRetencao().GetAnexo(), QStringLiteral("0"));   // the annex flag stays
    EXPECT_TRUE(destino.GetValores().Zerado());
    EXPECT_TRUE(destino.GetSubJudice().DepositoZerado());
    EXPECT_TRUE(destino.GetCompensacao().Zerado());
    declaracao.SetErros(nullptr);
}

TEST_F(TPruvItemTest, PendingItemsBecomeVerificationRows)
{
    const auto item = Item(
        {"", {{Campo::Rend, 1, "10,00"}, {Campo::Imp, 1, "10,00"}, {Campo::Rend, 13, "1,00"}}, {}, "2002", "3208"});
    item->VerificaPendencias(erros);
    VerificacaoRegistrada verificacao(erros);
    verificacao.MostraAvisos = false;
    verificacao.IncluiErros();
    EXPECT_EQ(verificacao.NumErros(), 1);
    EXPECT_EQ(verificacao.Avisos, 1);
    ASSERT_EQ(verificacao.Linhas.size(), 1u);
    const auto& linha = verificacao.Linhas[0];
    EXPECT_EQ(linha.AQuemPertence, QStringLiteral("00001"));
    EXPECT_EQ(linha.QuemEh, QStringLiteral("0000003;3208;111444777"));
    EXPECT_EQ(linha.Objeto, 21);
    EXPECT_EQ(linha.Gravidade, 1);
    EXPECT_EQ(linha.Descricao,
              QStringLiteral("01Décimo terceiro indevido para o código de retenção 3208 111.444.777-35 13º."));
}

// What a row names an item by, read back: a key with code and number, a key alone when they are
// missing, nothing for a text that is no item's (the declarant's number of a row of its own).
TEST_F(TPruvItemTest, AnIdentityReadBackNamesTheItemOrNothing)
{
    const struct {
        const char* texto;
        bool item;
        const char* chave;
        const char* codigo;
        const char* raiz;
    } casos[] = {
        {"0000003;0561;111444777", true, "", "0561", "111444777"},
        {"0000003;0561;", true, "0000003", "", ""},
        {"99.888.777/0001-00", false, "", "", ""},
        {"", false, "", "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const auto item = Item({"", {}, {}});
        item->Limpa();
        EXPECT_EQ(item->TomaIdentidade(QLatin1String(c.texto)), c.item);
        EXPECT_EQ(item->GetChave(), QLatin1String(c.chave));
        EXPECT_EQ(item->GetCodigoRetencao().GetCodigo(), QLatin1String(c.codigo));
        EXPECT_EQ(item->GetBeneficiario().GetRaiz(), QLatin1String(c.raiz));
    }
}
