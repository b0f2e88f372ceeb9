#include <gtest/gtest.h>

#include <memory>

#include "model/values/TTexto.h"
#include "model/ImprimeQString.h"
#include "model/ObservadorRegistrado.h"

namespace {

class DadoSimples : public TDadoBasico {};

// Removes itself from the value it observes when first told of a change.
class ObservadorQueSai : public IObservador {
public:
    explicit ObservadorQueSai(TDadoBasico& dado)
        : FDado(dado)
    {}
    void Atualiza(ISujeito&) override
    {
        ++Chamadas;
        FDado.RemoveObservador(*this);
    }
    void Liberado(ISujeito&) override {}
    int Chamadas = 0;

private:
    TDadoBasico& FDado;
};

}   // namespace

TEST(TTexto, StoresTheTextWithoutSurroundingBlanks)
{
    const struct {
        const char* entrada;
        const char* guardado;
    } casos[] = {
        {"  Rua das Flores  ", "Rua das Flores"},
        {"\t\r\nlinha\x01\x1f", "linha"},
        {"a  b", "a  b"},   // blanks inside stay
        {"   ", ""},
        {"", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.entrada);
        TTexto texto;
        texto.SetTexto(QString::fromUtf8(c.entrada));
        EXPECT_EQ(texto.GetTexto(), QString::fromUtf8(c.guardado));
        EXPECT_EQ(texto.GetTextoFormatado(), QString::fromUtf8(c.guardado));
    }
}

TEST(TTexto, EverySetNotifiesEvenWithTheSameText)
{
    TTexto texto;
    ObservadorRegistrado observador;
    texto.AdicionaObservador(observador);
    texto.SetTexto(QStringLiteral(" a "));
    texto.SetTexto(QStringLiteral("a"));
    texto.Limpa();
    EXPECT_EQ(observador.Chamadas(),
              (QStringList{QStringLiteral("Atualiza:a"), QStringLiteral("Atualiza:a"), QStringLiteral("Atualiza:")}));
    texto.RemoveObservador(observador);
}

TEST(TDadoBasico, ChangedFlagFollowsNotificationsOnly)
{
    DadoSimples dado;
    EXPECT_FALSE(dado.GetAlterado());
    EXPECT_FALSE(dado.PermiteVazio());
    EXPECT_TRUE(dado.GetTexto().isEmpty());

    ObservadorRegistrado observador;
    dado.AdicionaObservador(observador);
    dado.SetTexto(QStringLiteral("ignorado"));   // the base stores nothing but notifies
    EXPECT_TRUE(dado.GetAlterado());
    EXPECT_EQ(observador.Chamadas(), QStringList{QStringLiteral("Atualiza:")});

    dado.SetAlterado(false);   // reset after a save: nobody is told
    EXPECT_FALSE(dado.GetAlterado());
    EXPECT_EQ(observador.Chamadas().size(), 1);
    dado.RemoveObservador(observador);
}

TEST(TDadoBasico, ObserversAreCalledInOrderOncePerAddition)
{
    QStringList registro;
    ObservadorRegistrado a(QStringLiteral("a"), &registro);
    ObservadorRegistrado b(QStringLiteral("b"), &registro);
    TTexto texto;
    texto.AdicionaObservador(a);
    texto.AdicionaObservador(b);
    texto.AdicionaObservador(a);
    texto.SetTexto(QStringLiteral("x"));
    EXPECT_EQ(
        registro,
        (QStringList{QStringLiteral("a Atualiza:x"), QStringLiteral("b Atualiza:x"), QStringLiteral("a Atualiza:x")}));

    registro.clear();
    texto.RemoveObservador(a);   // the first occurrence only
    texto.SetTexto(QStringLiteral("y"));
    EXPECT_EQ(registro, (QStringList{QStringLiteral("b Atualiza:y"), QStringLiteral("a Atualiza:y")}));
    texto.NotificaLiberacao();
}

TEST(TDadoBasico, FreeingTellsEachObserverInOrderAndForgetsThem)
{
    QStringList registro;
    ObservadorRegistrado a(QStringLiteral("a"), &registro);
    ObservadorRegistrado b(QStringLiteral("b"), &registro);
    {
        TTexto texto;
        texto.AdicionaObservador(a);
        texto.AdicionaObservador(b);
    }
    EXPECT_EQ(registro, (QStringList{QStringLiteral("a Liberado"), QStringLiteral("b Liberado")}));

    registro.clear();
    TTexto texto;
    texto.AdicionaObservador(a);
    texto.NotificaLiberacao();
    texto.SetTexto(QStringLiteral("depois"));
    EXPECT_EQ(registro, QStringList{QStringLiteral("a Liberado")});
}

TEST(TDadoBasico, AnObserverMayLeaveWhileBeingTold)
{
    TTexto texto;
    ObservadorQueSai sai(texto);
    ObservadorRegistrado fica;
    texto.AdicionaObservador(sai);
    texto.AdicionaObservador(fica);
    texto.SetTexto(QStringLiteral("1"));
    texto.SetTexto(QStringLiteral("2"));
    EXPECT_EQ(sai.Chamadas, 1);
    EXPECT_EQ(fica.Chamadas().back(), QStringLiteral("Atualiza:2"));
    texto.RemoveObservador(fica);
}

TEST(TDadoBasico, AnObserverThatGoesFirstLeavesItsValuesAndAValueThatGoesFirstIsForgotten)
{
    QStringList registro;
    TTexto texto;
    {
        ObservadorRegistrado curto(QStringLiteral("curto"), &registro);
        texto.AdicionaObservador(curto);
        texto.AdicionaObservador(curto);
    }
    texto.SetTexto(QStringLiteral("depois"));
    EXPECT_TRUE(registro.isEmpty());

    // Both ways round, on the list itself.
    TObservadores lista;
    {
        ObservadorRegistrado curto;
        lista.Adiciona(curto);
        EXPECT_EQ(lista.Count(), 1);
    }
    EXPECT_EQ(lista.Count(), 0);
    ObservadorRegistrado longo;
    {
        TObservadores curta;
        curta.Adiciona(longo);
    }
    lista.Adiciona(longo);
    lista.Remove(longo);
    EXPECT_EQ(lista.Count(), 0);
}
