#include <gtest/gtest.h>

#include "model/people/TContribuinte.h"
#include "model/people/TCnpj.h"
#include "model/people/TCpf.h"
#include "model/values/TErro.h"
#include "model/people/TRespCnpj.h"
#include "model/ImprimeQString.h"
#include "model/ObservadorRegistrado.h"

TEST(TNi, SetNiStoresDigitsAndMaskOrRaisesAndKeepsTheOld)
{
    TCpf cpf;
    ObservadorRegistrado observador;
    cpf.AdicionaObservador(observador);
    cpf.SetNi(QStringLiteral("111.444.777-35"));
    EXPECT_EQ(cpf.GetNi(), QStringLiteral("11144477735"));
    EXPECT_EQ(cpf.GetTexto(), QStringLiteral("11144477735"));
    EXPECT_EQ(cpf.GetNiFormatado(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(cpf.GetTextoFormatado(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(cpf.GetRaiz(), QStringLiteral("111444777"));

    try {
        cpf.SetTexto(QStringLiteral("11144477736"));
        FAIL() << "no error raised";
    } catch (const EContribuinteInvalido& e) {
        EXPECT_EQ(e.Codigo(), 66);
        EXPECT_EQ(e.Parametro(), QStringLiteral("111.444.777-36"));
    }
    EXPECT_EQ(cpf.GetNi(), QStringLiteral("11144477735"));
    EXPECT_EQ(observador.Chamadas().size(), 1);
    cpf.RemoveObservador(observador);
}

TEST(TNi, SemExcecaoStoresTheRefusedNumberAndReportsIt)
{
    TErros erros;
    TCnpj cnpj(true);
    cnpj.SetErros(&erros);
    cnpj.SetNiSemExcecao(QStringLiteral("11222333000262"));
    EXPECT_EQ(cnpj.GetNiFormatado(), QStringLiteral("11.222.333/0002-62"));
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).Codigo(), 42);
    EXPECT_EQ(erros.Items(0).Parametro(), QStringLiteral("11.222.333/0002-62"));
    EXPECT_NE(dynamic_cast<const EContribuinteInvalido*>(&erros.Items(0)), nullptr);

    TCpf semSorvedouro;
    EXPECT_THROW(semSorvedouro.SetNiSemExcecao(QStringLiteral("123")), EContribuinteInvalido);
    EXPECT_EQ(semSorvedouro.GetNi(), QStringLiteral("123"));   // stored all the same
}

TEST(TNi, SetRaizAddsTheCheckDigits)
{
    TCnpj cnpj;
    cnpj.SetRaiz(QStringLiteral("11.222.333/0002"));
    EXPECT_EQ(cnpj.GetNi(), QStringLiteral("11222333000262"));

    TCpf cpf;
    EXPECT_THROW(cpf.SetRaiz(QStringLiteral("1114447")), EContribuinteInvalido);
    TErros erros;
    cpf.SetErros(&erros);
    cpf.SetRaizSemExcecao(QStringLiteral("111.444.777"));
    EXPECT_EQ(cpf.GetNiFormatado(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(erros.Count(), 0);
    cpf.Limpa();
    EXPECT_TRUE(cpf.GetNi().isEmpty());
    EXPECT_TRUE(cpf.GetNiFormatado().isEmpty());
}

TEST(TRespCnpj, EveryFaultIs178)
{
    TRespCnpj resp;
    EXPECT_EQ(resp.Valida(QStringLiteral("11144477735")), 0);
    EXPECT_EQ(resp.Valida(QStringLiteral("11144477736")), 178);
    EXPECT_EQ(resp.Valida(QString()), 178);
    resp.SetPermiteVazio(true);
    EXPECT_EQ(resp.Valida(QString()), 0);
}

TEST(TNiContribuinte, DispatchesOnItsKind)
{
    const struct {
        int tipo;
        bool matriz;
        const char* texto;
        int codigo;
        const char* formatado;
        const char* raiz;
    } casos[] = {
        {0, false, "11144477735", 0, "111.444.777-35", "111444777"},
        {0, false, "11222333000262", 0, "11.222.333/0002-62", "112223330002"},
        {2, true, "11222333000262", 42, "11.222.333/0002-62", "112223330002"},
        {1, false, "11222333000262", 66, "11222333000262", "112223330"},
        {0, false, "1234567890", 65, "1234567890", "1234567890"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        TNiContribuinte ni(static_cast<std::uint8_t>(c.tipo), c.matriz);
        const QString texto = QString::fromUtf8(c.texto);
        EXPECT_EQ(ni.Valida(texto), c.codigo);
        EXPECT_EQ(ni.Formata(texto), QString::fromUtf8(c.formatado));
        EXPECT_EQ(ni.Raiz(texto), QString::fromUtf8(c.raiz));
    }
    TNiContribuinte porTamanho;
    EXPECT_EQ(porTamanho.CalculaDV(QStringLiteral("1234567890")), QString());
    porTamanho.SetNi(QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(porTamanho.TipoAtual(), TNiContribuinte::Cnpj);
}

// The setters remember what a text gave: the same text set again, on this number or on another,
// under other rules (kind, head-office rule, empty allowed), is judged by those rules.
TEST(TNiContribuinte, ATextSetAgainIsJudgedByTheRulesInForceThen)
{
    const QString filial = QStringLiteral("11.222.333/0002-62");
    const auto codigo = [](TNiContribuinte& ni, const QString& texto) {
        TErros erros;
        ni.SetErros(&erros);
        ni.SetNiSemExcecao(texto);
        ni.SetErros(nullptr);
        return erros.Count() == 0 ? 0 : static_cast<int>(erros.Items(0).Codigo());
    };
    TNiContribuinte livre;
    TNiContribuinte matriz(TNiContribuinte::Cnpj, true);
    TNiContribuinte pessoa(TNiContribuinte::Cpf);
    for (int vez = 0; vez < 2; ++vez) {
        SCOPED_TRACE(vez);
        EXPECT_EQ(codigo(livre, filial), 0);
        EXPECT_EQ(livre.GetNi(), QStringLiteral("11222333000262"));
        EXPECT_EQ(livre.GetNiFormatado(), filial);
        EXPECT_EQ(codigo(matriz, filial), 42);
        EXPECT_EQ(matriz.GetNi(), QStringLiteral("11222333000262"));
        EXPECT_EQ(codigo(pessoa, filial), 66);
        EXPECT_EQ(pessoa.GetNiFormatado(), QStringLiteral("11222333000262"));
    }
    // The rules of one number changed between two settings of the same text.
    matriz.SetMatrizObrigatoria(false);
    EXPECT_EQ(codigo(matriz, filial), 0);
    matriz.SetMatrizObrigatoria(true);
    EXPECT_EQ(codigo(matriz, filial), 42);
    livre.SetTipo(TNiContribuinte::Cpf);
    EXPECT_EQ(codigo(livre, filial), 66);
    EXPECT_THROW(livre.SetNi(filial), EContribuinteInvalido);
    livre.SetTipo(TNiContribuinte::PorTamanho);
    EXPECT_NO_THROW(livre.SetNi(filial));
    // An empty number follows the value's own rule every time.
    pessoa.SetPermiteVazio(true);
    EXPECT_EQ(codigo(pessoa, QString()), 0);
    pessoa.SetPermiteVazio(false);
    EXPECT_EQ(codigo(pessoa, QString()), 68);
}
TEST(TContribuinte, NameRulesFollowTheNumber)
{
    TContribuinte contribuinte;
    contribuinte.SetNi(QStringLiteral("11222333000181"));
    EXPECT_EQ(contribuinte.Nome().Tipo(), TNiContribuinte::Cnpj);
    contribuinte.Nome().SetTexto(QStringLiteral("3M & Cia"));   // digits and ampersand: a company's

    contribuinte.SetNi(QStringLiteral("11144477735"));
    EXPECT_EQ(contribuinte.Nome().Tipo(), TNiContribuinte::Cpf);
    EXPECT_THROW(contribuinte.Nome().SetTexto(QStringLiteral("3M & Cia")), EContribuinteInvalido);

    TErros erros;
    contribuinte.SetErros(&erros);
    contribuinte.SetNiSemExcecao(QStringLiteral("11222333000182"));   // refused, but its length tells a CNPJ
    EXPECT_EQ(contribuinte.Nome().Tipo(), TNiContribuinte::Cnpj);
    contribuinte.Nome().SetNomeSemExcecao(QStringLiteral("Me"));
    EXPECT_EQ(erros.Count(), 2);   // both reach the shared sink
}

TEST(TContribuinte, VerificaGivesTheFirstFault)
{
    const struct {
        const char* ni;
        const char* nome;
        bool vazioOk;
        int codigo;
        int codigoNi;
    } casos[] = {
        {"11144477735", "Ana Maria", false, 0, 0},
        {"11144477735", "A", false, 123, 0},
        {"11222333000181", "Me", false, 78, 0},
        {"11144477736", "A", false, 66, 66},
        {"", "", false, 65, 65},
        {"", "", true, 65, 65},   // no kind: the length of nothing tells none
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni);
        SCOPED_TRACE(c.nome);
        TErros erros;
        TContribuinte contribuinte;
        contribuinte.SetErros(&erros);
        contribuinte.SetPermiteVazio(c.vazioOk);
        contribuinte.SetNiSemExcecao(QString::fromUtf8(c.ni));
        contribuinte.Nome().SetNomeSemExcecao(QString::fromUtf8(c.nome));
        EXPECT_EQ(contribuinte.Verifica(), c.codigo);
        EXPECT_EQ(contribuinte.VerificaNi(), c.codigoNi);
    }
    TContribuinte cpf(TNiContribuinte::Cpf);
    cpf.SetPermiteVazio(true);
    EXPECT_EQ(cpf.Verifica(), 0);
}

TEST(TContribuinte, PendingItemsCarryWhereTheyBelong)
{
    TErros sorvedouro;
    TContribuinte contribuinte(TNiContribuinte::Cpf);
    contribuinte.SetErros(&sorvedouro);
    contribuinte.SetNiSemExcecao(QStringLiteral("111.444.777-36"));
    contribuinte.Nome().SetNomeSemExcecao(QStringLiteral("Jooosé Silva"));

    TErros pendencias;
    contribuinte.VerificaNiPendencia(pendencias, QStringLiteral("00001"), QStringLiteral("111.444.777-36"), 11);
    contribuinte.VerificaNomePendencia(pendencias, QStringLiteral("00001"), QStringLiteral("111.444.777-36"), 12);
    ASSERT_EQ(pendencias.Count(), 2);
    const TErro& ni = pendencias.Items(0);
    EXPECT_EQ(ni.Codigo(), 66);
    EXPECT_EQ(ni.Parametro(), QStringLiteral("11144477736"));
    EXPECT_EQ(ni.Tipo(), TipoDialogo::Erro);
    EXPECT_EQ(ni.Botoes(), Botao::Ok);
    EXPECT_EQ(ni.AQuemPertence(), QStringLiteral("00001"));
    EXPECT_EQ(ni.QuemEh(), QStringLiteral("111.444.777-36"));
    EXPECT_EQ(ni.Objeto(), 11);
    const TErro& nome = pendencias.Items(1);
    EXPECT_EQ(nome.Codigo(), 125);
    EXPECT_EQ(nome.Parametro(), QStringLiteral("111.444.777-36 Jooosé Silva"));
    EXPECT_EQ(nome.Objeto(), 12);

    contribuinte.SetNi(QStringLiteral("11144477735"));
    contribuinte.Nome().SetTexto(QStringLiteral("José Silva"));
    TErros nenhuma;
    contribuinte.VerificaNiPendencia(nenhuma, {}, {}, 11);
    contribuinte.VerificaNomePendencia(nenhuma, {}, {}, 12);
    EXPECT_EQ(nenhuma.Count(), 0);
}

TEST(TContribuinte, AtribuiACopiesOrClearsEachPart)
{
    TErros erros;
    TContribuinte origem;
    origem.SetNi(QStringLiteral("11222333000181"));
    origem.Nome().SetTexto(QStringLiteral("Acme Ltda"));

    TContribuinte destino;
    destino.SetErros(&erros);
    origem.AtribuiA(destino);
    EXPECT_EQ(destino.GetNi(), QStringLiteral("11222333000181"));
    EXPECT_EQ(destino.Nome().GetTexto(), QStringLiteral("Acme Ltda"));
    EXPECT_EQ(destino.Nome().Tipo(), TNiContribuinte::Cnpj);

    TContribuinte vazio;
    vazio.AtribuiA(destino);
    EXPECT_TRUE(destino.GetNi().isEmpty());
    EXPECT_TRUE(destino.Nome().GetTexto().isEmpty());
    EXPECT_EQ(erros.Count(), 0);
}

TEST(TContribuinte, ChangedWhenNumberOrNameChanged)
{
    TContribuinte contribuinte;
    EXPECT_FALSE(contribuinte.GetAlterado());
    contribuinte.Nome().SetTexto(QStringLiteral("Acme"));
    EXPECT_TRUE(contribuinte.GetAlterado());
    contribuinte.SetAlterado(false);
    EXPECT_FALSE(contribuinte.GetAlterado());
    EXPECT_FALSE(contribuinte.Nome().GetAlterado());
    contribuinte.SetNi(QStringLiteral("11144477735"));
    EXPECT_TRUE(contribuinte.GetAlterado());
    contribuinte.SetAlterado(false);
    contribuinte.Limpa();
    EXPECT_TRUE(contribuinte.GetAlterado());
    EXPECT_TRUE(contribuinte.Nome().GetTexto().isEmpty());
}
