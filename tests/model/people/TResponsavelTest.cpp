#include <gtest/gtest.h>

#include <vector>

#include "model/people/TResponsavel.h"
#include "model/values/TErro.h"

namespace {

std::vector<int> Objetos(const TErros& erros)
{
    std::vector<int> objetos;
    for (int i = 0; i < erros.Count(); ++i)
        objetos.push_back(erros.Items(i).Objeto());
    return objetos;
}

void Preenche(TResponsavel& r)
{
    r.SetNi(QStringLiteral("111.444.777-35"));
    r.Nome().SetTexto(QStringLiteral("Maria da Silva"));
    r.Fone().DDD().SetTexto(QStringLiteral("11"));
    r.Fone().Numero().SetTexto(QStringLiteral("32221234"));
}

}   // namespace

TEST(TResponsavel, AFilledResponsiblePersonHasNoPendingItem)
{
    TResponsavel r;
    Preenche(r);
    TErros erros;
    r.VerificaPendencias(erros);
    EXPECT_EQ(erros.Count(), 0);
}

TEST(TResponsavel, EachFaultyPartIsAPendingItemOfItsField)
{
    const struct {
        const char* caso;
        void (*muda)(TResponsavel&);
        std::vector<int> objetos;
    } casos[] = {
        {"empty phone", [](TResponsavel& r) { r.Fone().Limpa(); }, {13, 14}},
        {"empty fax", [](TResponsavel& r) { r.Fax().Limpa(); }, {}},
        {"faulty fax number", [](TResponsavel& r) { r.Fax().Numero().SetTextoSemExcecao(QStringLiteral("12")); }, {16}},
        {"faulty fax area code and extensions",   // not checked
         [](TResponsavel& r) {
             r.Fax().DDD().SetTextoSemExcecao(QStringLiteral("x"));
             r.Fax().Ramal().SetTextoSemExcecao(QStringLiteral("x"));
             r.Fone().Ramal().SetTextoSemExcecao(QStringLiteral("x"));
         },
         {}},
        {"faulty e-mail", [](TResponsavel& r) { r.Email().SetTextoSemExcecao(QStringLiteral("a@")); }, {17}},
        {"empty CPF and name", [](TResponsavel& r) { r.TContribuinte::Limpa(); }, {11, 12}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TErros sink;
        TResponsavel r;
        r.SetErros(&sink);
        Preenche(r);
        c.muda(r);
        TErros erros;
        r.VerificaPendencias(erros);
        EXPECT_EQ(Objetos(erros), c.objetos);
        for (int i = 0; i < erros.Count(); ++i) {
            EXPECT_EQ(erros.Items(i).AQuemPertence(), r.GetNiFormatado());
            EXPECT_EQ(erros.Items(i).QuemEh(), r.GetNiFormatado());
        }
    }
}

TEST(TResponsavel, PhoneItemsCarryTheirKind)
{
    TResponsavel r;
    Preenche(r);
    r.Fone().Limpa();
    TErros erros;
    r.VerificaPendencias(erros);
    ASSERT_EQ(erros.Count(), 2);
    EXPECT_EQ(erros.Items(0).Codigo(), 82);
    EXPECT_EQ(erros.Items(1).Codigo(), 130);
    EXPECT_NE(dynamic_cast<const EFoneInvalido*>(&erros.Items(0)), nullptr);
    EXPECT_EQ(erros.Items(0).AQuemPertence(), QStringLiteral("111.444.777-35"));
}

TEST(TResponsavel, IsAlwaysACpfAndLimpaClearsEveryPart)
{
    TResponsavel r;
    EXPECT_THROW(r.SetNi(QStringLiteral("11.222.333/0001-81")), EContribuinteInvalido);
    Preenche(r);
    r.Email().SetTexto(QStringLiteral("a@b"));
    r.Fax().Numero().SetTexto(QStringLiteral("1234"));
    r.Limpa();
    EXPECT_EQ(r.GetNi(), QString());
    EXPECT_EQ(r.Nome().GetTexto(), QString());
    EXPECT_EQ(r.Fone().DDD().GetTexto(), QString());
    EXPECT_EQ(r.Fone().Numero().GetTexto(), QString());
    EXPECT_EQ(r.Fax().Numero().GetTexto(), QString());
    EXPECT_EQ(r.Email().GetTexto(), QString());
}

TEST(TResponsavel, SetErrosReachesEveryPart)
{
    TErros erros;
    TResponsavel r;
    r.SetErros(&erros);
    r.SetNiSemExcecao(QStringLiteral("11144477736"));
    r.Fone().Numero().SetTextoSemExcecao(QStringLiteral("1"));
    r.Fax().DDD().SetTextoSemExcecao(QStringLiteral("1"));
    r.Email().SetTextoSemExcecao(QStringLiteral("x"));
    EXPECT_EQ(erros.Count(), 4);
}

TEST(TResponsavel, APersonReadWithoutFaxOrEmailReportsNothing)
{
    TErros erros;
    TResponsavel r;
    r.SetErros(&erros);
    r.Fax().DDD().SetTextoSemExcecao(QString());
    r.Fax().Numero().SetTextoSemExcecao(QString());
    r.Email().SetTextoSemExcecao(QString());
    EXPECT_EQ(erros.Count(), 0);
}
