#include <gtest/gtest.h>

#include "model/ObservadorRegistrado.h"
#include "model/people/TFone.h"
#include "model/values/TErro.h"

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The code that the raising setter gives, 0 when it stores.
template <class Parte> int Codigo(Parte& parte, const QString& texto)
{
    try {
        parte.SetTexto(texto);
    } catch (const EFoneInvalido& e) {
        return e.Codigo();
    }
    return 0;
}

}   // namespace

TEST(TFone, PartsDropLeadingZerosThenCheck)
{
    const struct {
        const char* parte;
        const char* digitado;
        bool vazioOk;
        int codigo;
        const char* guardado;
    } casos[] = {
        {"ddd", "011", false, 0, "11"},
        {"ddd", "0", false, 82, ""},   // becomes empty, which is not allowed here
        {"ddd", "0", true, 0, ""},
        {"ddd", "", false, 82, ""},
        {"ddd", "1", true, 82, ""},
        {"ddd", "1a", true, 82, ""},
        {"ddd", " 11", true, 82, ""},
        {"ddd", "123", false, 0, "123"},
        {"numero", "0800", false, 130, ""},   // 800: three digits
        {"numero", "1234", false, 0, "1234"},
        {"numero", "12345678", false, 0, "12345678"},
        {"numero", "", true, 0, ""},
        {"numero", "", false, 130, ""},
        {"numero", "1234-5678", false, 130, ""},
        {"ramal", "", false, 0, ""},
        {"ramal", "012", false, 0, "12"},
        {"ramal", "1 2", false, 131, ""},
        {"ramal", "x", false, 131, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.parte) + " [" + c.digitado + "]");
        TFone fone;
        TDadoBasico& parte = std::string(c.parte) == "ddd" ? static_cast<TDadoBasico&>(fone.DDD())
            : std::string(c.parte) == "numero"             ? static_cast<TDadoBasico&>(fone.Numero())
                                                           : static_cast<TDadoBasico&>(fone.Ramal());
        parte.SetPermiteVazio(c.vazioOk);
        EXPECT_EQ(Codigo(parte, T(c.digitado)), c.codigo);
        EXPECT_EQ(parte.GetTexto(), T(c.guardado));
    }
}

TEST(TFone, ARefusedPartKeepsItsOldTextAndTellsNobody)
{
    TFone fone;
    fone.Numero().SetTexto(T("32221234"));
    ObservadorRegistrado observador;
    fone.Numero().AdicionaObservador(observador);
    try {
        fone.Numero().SetTexto(T("12"));
        ADD_FAILURE() << "no error";
    } catch (const EFoneInvalido& e) {
        EXPECT_EQ(e.Codigo(), 130);
        EXPECT_EQ(e.Parametro(), T("12"));
    }
    EXPECT_EQ(fone.Numero().GetTexto(), T("32221234"));
    EXPECT_TRUE(observador.Chamadas().isEmpty());
    fone.Numero().RemoveObservador(observador);
}

TEST(TFone, SemExcecaoStoresAndReportsToTheSink)
{
    TErros erros;
    TFone fone;
    fone.SetErros(&erros);
    fone.DDD().SetTextoSemExcecao(T("01a"));
    fone.Ramal().SetTextoSemExcecao(T("12"));
    EXPECT_EQ(fone.DDD().GetTexto(), T("1a"));
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).Codigo(), 82);
    EXPECT_EQ(erros.Items(0).Parametro(), T("1a"));
    EXPECT_NE(dynamic_cast<const EFoneInvalido*>(&erros.Items(0)), nullptr);

    TFone semSink;
    EXPECT_THROW(semSink.Ramal().SetTextoSemExcecao(T("a")), EFoneInvalido);
    EXPECT_EQ(semSink.Ramal().GetTexto(), T("a"));
}

TEST(TFone, FormattedTexts)
{
    const struct {
        const char* ddd;
        const char* numero;
        const char* dddFormatado;
        const char* numeroFormatado;
    } casos[] = {
        {"11", "32221234", "(11)", "3222-1234"},
        {"61", "1234", "(61)", "1234"},
        {"", "12345", "", "1-2345"},
        {"123", "922221234", "(123)", "92222-1234"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.numero);
        TFone fone;
        fone.DDD().SetPermiteVazio(true);
        fone.DDD().SetTexto(T(c.ddd));
        fone.Numero().SetTexto(T(c.numero));
        EXPECT_EQ(fone.DDD().GetTextoFormatado(), T(c.dddFormatado));
        EXPECT_EQ(fone.Numero().GetTextoFormatado(), T(c.numeroFormatado));
        EXPECT_EQ(fone.Ramal().GetTextoFormatado(), QString());
    }
}

TEST(TFone, LimpaEmptiesWithoutNotifying)
{
    TFone fone;
    fone.DDD().SetTexto(T("11"));
    ObservadorRegistrado observador;
    fone.DDD().AdicionaObservador(observador);
    fone.Limpa();
    EXPECT_EQ(fone.DDD().GetTexto(), QString());
    EXPECT_TRUE(observador.Chamadas().isEmpty());
    fone.DDD().RemoveObservador(observador);
}
