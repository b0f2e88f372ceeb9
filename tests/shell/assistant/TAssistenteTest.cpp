#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "shell/assistant/TAssistente.h"

namespace {

// An assistant without widgets that records what the stepping asks of it.
class AssistenteGravado final : public TAssistente {
public:
    void MostraPagina(int n) override
    {
        Paginas.push_back(n);
        SetPaginaAtual(n);
    }
    bool ExecutaEtapa(int n) override
    {
        Etapas.push_back(n);
        if (auto trabalho = Trabalhos.find(n); trabalho != Trabalhos.end())
            trabalho->second();
        return true;
    }
    bool PodeAvancar(int etapa) override
    {
        Verificadas.push_back(etapa);
        return Recusa.count(etapa) == 0;
    }

    std::vector<int> Paginas;
    std::vector<int> Etapas;
    std::vector<int> Verificadas;
    std::vector<int> Resultados;
    std::map<int, std::function<void()>> Trabalhos;   // extra work of a step, by its number
    std::map<int, bool> Recusa;                       // pages whose check refuses

protected:
    void Termina(int resultado) override { Resultados.push_back(resultado); }
};

// A step whose reaction to each button is scripted: the next step and whether to advance again.
class EstadoRoteiro final : public TEstado {
public:
    EstadoRoteiro(TAssistente& form, int numero, int proximo, bool repetir = false)
        : TEstado(form, numero)
        , FProximoRoteiro(proximo)
        , FRepetir(repetir)
    {}
    void Processa() override { Form().ExecutaEtapa(Pagina()); }
    bool Evento(int codigo) override
    {
        Codigos.push_back(codigo);
        SetProximo(FProximoRoteiro);
        return FRepetir;
    }
    void Corrige() override
    {
        ++Correcoes;
        if (Mendar)
            SetFalhou(false);
    }

    std::vector<int> Codigos;
    int Correcoes = 0;
    bool Mendar = false;

private:
    int FProximoRoteiro;
    bool FRepetir;
};

struct Passo {
    int proximo;
    bool repetir;
};

// Builds the steps 1..n from the script and runs step 1, as a concrete assistant's constructor.
std::vector<EstadoRoteiro*> Monta(AssistenteGravado& a, std::initializer_list<Passo> roteiro)
{
    std::vector<EstadoRoteiro*> estados;
    int numero = 0;
    for (const Passo& p : roteiro) {
        auto estado = std::make_unique<EstadoRoteiro>(a, ++numero, p.proximo, p.repetir);
        estados.push_back(estado.get());
        a.AdicionaEstado(std::move(estado));
    }
    a.Processa();
    return estados;
}

}   // namespace

TEST(TAssistente, ANewAssistantStartsAtStepOneAndDoesNothingWithoutSteps)
{
    AssistenteGravado a;
    EXPECT_EQ(a.Atual(), 1);
    EXPECT_EQ(a.PaginaAtual(), 1);
    EXPECT_EQ(a.NumEstados(), 0);
    EXPECT_FALSE(a.Cancelado());
    a.Processa();
    EXPECT_TRUE(a.Paginas.empty());
    EXPECT_TRUE(a.Resultados.empty());
    EXPECT_EQ(a.ModalResult(), 0);
}

TEST(TAssistente, ProcessaExecutesStepOneAndEachAdvanceTheNextStep)
{
    AssistenteGravado a;
    auto e = Monta(a, {{2, false}, {3, false}, {0, false}});
    EXPECT_EQ(a.Paginas, std::vector<int>{1});
    EXPECT_EQ(a.Etapas, std::vector<int>{1});

    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_EQ(a.Atual(), 2);
    EXPECT_EQ(a.EstadoAtual(), e[1]);
    EXPECT_EQ(e[1]->Anterior(), 1);
    EXPECT_EQ(a.Etapas, (std::vector<int>{1, 2}));

    a.Avanca(TAssistente::BotaoAvancar);
    a.Avanca(TAssistente::BotaoConcluir);
    EXPECT_EQ(e[2]->Codigos, std::vector<int>{TAssistente::BotaoConcluir});
    EXPECT_EQ(a.Atual(), 0);
    EXPECT_EQ(a.Resultados, std::vector<int>{mrOk});
    EXPECT_EQ(a.ModalResult(), mrOk);
}

TEST(TAssistente, AStepThatAsksToRepeatMovesOnWithoutAClickEachPageCheckedFirst)
{
    AssistenteGravado a;
    auto e = Monta(a, {{2, true}, {3, true}, {4, false}, {0, false}});
    a.Avanca(TAssistente::BotaoAvancar);

    EXPECT_EQ(a.Atual(), 4);
    EXPECT_EQ(a.Verificadas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(a.Etapas, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(e[2]->Codigos, std::vector<int>{TAssistente::BotaoAvancar});   // same code, no click
    EXPECT_EQ(e[3]->Anterior(), 3);

    a.Retorna();   // back to the step from which the last advance started
    EXPECT_EQ(a.Atual(), 3);
    EXPECT_EQ(a.Paginas.back(), 3);
}

TEST(TAssistente, ARepeatThatReachesTheEndStopsThere)
{
    const struct {
        int fim;
        int resultado;
    } casos[] = {{0, mrOk}, {-1, mrCancel}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.fim);
        AssistenteGravado a;
        Monta(a, {{c.fim, true}});
        a.Avanca(TAssistente::BotaoAvancar);
        EXPECT_EQ(a.Atual(), c.fim);
        EXPECT_EQ(a.Resultados, std::vector<int>{c.resultado});
        EXPECT_EQ(a.Verificadas, std::vector<int>{1});
    }
}

TEST(TAssistente, ARefusedPageKeepsStepPageAndNextStep)
{
    AssistenteGravado a;
    auto e = Monta(a, {{2, false}, {0, false}});
    a.Recusa[1] = true;
    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_EQ(a.Atual(), 1);
    EXPECT_EQ(a.PaginaAtual(), 1);
    EXPECT_EQ(e[0]->Proximo(), 0);
    EXPECT_TRUE(e[0]->Codigos.empty());
    EXPECT_FALSE(a.Ocupado());
}

TEST(TAssistente, VoltarShowsThePreviousPageOnlyAndNothingBeforeTheFirst)
{
    AssistenteGravado a;
    auto e = Monta(a, {{2, false}, {0, false}});
    a.Retorna();   // on the first step
    EXPECT_EQ(a.Atual(), 1);
    EXPECT_EQ(a.Paginas, std::vector<int>{1});

    a.Avanca(TAssistente::BotaoAvancar);
    a.Retorna();
    EXPECT_EQ(a.Atual(), 1);
    EXPECT_EQ(a.EstadoAtual(), e[0]);
    EXPECT_EQ(a.Paginas, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(a.Etapas, (std::vector<int>{1, 2}));   // the page only: no work, no event
    EXPECT_EQ(e[0]->Codigos.size(), 1u);

    a.Retorna();   // back on the first step again
    EXPECT_EQ(a.Atual(), 1);
    EXPECT_EQ(a.Paginas.size(), 3u);
}

TEST(TAssistente, AnInvalidStepShowsItsPageAsksCorrigeOnceAndStays)
{
    const struct {
        bool mendar;
        std::vector<int> etapas;
        std::vector<int> paginas;
    } casos[] = {
        {false, {1}, {1, 2}},        // still failed: the page, no work
        {true, {1, 2}, {1, 2, 2}},   // mended: the page again, then the work
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mendar);
        AssistenteGravado a;
        auto e = Monta(a, {{2, false}, {0, false}});
        e[1]->SetFalhou(true);
        e[1]->Mendar = c.mendar;
        a.Avanca(TAssistente::BotaoAvancar);
        EXPECT_EQ(e[1]->Correcoes, 1);
        EXPECT_EQ(a.Atual(), 2);
        EXPECT_EQ(a.Etapas, c.etapas);
        EXPECT_EQ(a.Paginas, c.paginas);
        EXPECT_FALSE(a.Ocupado());
    }
}

TEST(TAssistente, SetFalhouAtualMarksTheStepBeingExecuted)
{
    AssistenteGravado a;
    a.Trabalhos[2] = [&a] { a.SetFalhouAtual(true); };
    auto e = Monta(a, {{2, false}, {3, false}, {0, false}});
    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_FALSE(e[1]->Valido());
    EXPECT_TRUE(e[0]->Valido());
}

TEST(TAssistente, CancelarDuringAStepEndsOnceAndTheAdvanceGoesNoFurther)
{
    AssistenteGravado a;
    a.Trabalhos[2] = [&a] {
        a.Cancelar();   // a click pumped while the step works
        a.Cancelar();
        a.Avanca(TAssistente::BotaoAvancar);   // ignored: a step runs
        a.Retorna();
    };
    Monta(a, {{2, true}, {3, true}, {0, false}});
    a.Avanca(TAssistente::BotaoAvancar);

    EXPECT_TRUE(a.Cancelado());
    EXPECT_EQ(a.Resultados, std::vector<int>{mrCancel});
    EXPECT_EQ(a.Etapas, (std::vector<int>{1, 2}));   // step 2 ran to its end, step 3 never
    EXPECT_EQ(a.Atual(), 2);

    a.Avanca(TAssistente::BotaoAvancar);   // after the end nothing moves
    a.Retorna();
    a.Cancelar();
    EXPECT_EQ(a.Etapas.size(), 2u);
    EXPECT_EQ(a.Resultados.size(), 1u);
}

TEST(TAssistente, ClicksDuringAStepAreIgnored)
{
    AssistenteGravado a;
    a.Trabalhos[2] = [&a] {
        EXPECT_TRUE(a.Ocupado());
        a.Avanca(TAssistente::BotaoAvancar);
        a.Retorna();
    };
    Monta(a, {{2, false}, {3, false}, {0, false}});
    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_EQ(a.Atual(), 2);
    EXPECT_EQ(a.Etapas, (std::vector<int>{1, 2}));
    EXPECT_FALSE(a.Ocupado());
}

TEST(TAssistente, AnErrorInAStepLeavesTheButtonsUsable)
{
    AssistenteGravado a;
    bool falha = true;
    a.Trabalhos[2] = [&falha] {
        if (falha)
            throw std::runtime_error("disco cheio");
    };
    Monta(a, {{2, false}, {0, false}});
    EXPECT_THROW(a.Avanca(TAssistente::BotaoAvancar), std::runtime_error);
    EXPECT_FALSE(a.Ocupado());
    falha = false;
    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_EQ(a.ModalResult(), mrOk);
}

TEST(TAssistente, ANextStepThatDoesNotExistMovesNothing)
{
    AssistenteGravado a;
    Monta(a, {{7, true}});
    a.Avanca(TAssistente::BotaoAvancar);
    EXPECT_EQ(a.Atual(), 7);
    EXPECT_EQ(a.Etapas, std::vector<int>{1});
    a.Avanca(TAssistente::BotaoAvancar);   // no step 7 to ask: nothing, no loop
    a.Retorna();
    EXPECT_EQ(a.ModalResult(), 0);
    EXPECT_FALSE(a.Ocupado());
}
