#include "model/declaration/TRecalculoResumos.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "model/PruvDeTeste.h"
#include "model/declaration/TResumo.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/ProgressoRegistrado.h"

namespace {

// A gauge that records its positions and runs Acao when one reaches Em.
class ProgressoComAcao final : public IProgresso {
public:
    ProgressoComAcao(int Em, std::function<void()> Acao)
        : FEm(Em)
        , FAcao(std::move(Acao))
    {}
    void DefineFaixa(int minimo, int maximo) override { FRegistro.DefineFaixa(minimo, maximo); }
    void DefinePosicao(int posicao) override
    {
        FRegistro.DefinePosicao(posicao);
        if (posicao == FEm && FAcao)
            std::exchange(FAcao, nullptr)();
    }
    void MostraTexto(const QString& texto) override { FRegistro.MostraTexto(texto); }
    [[nodiscard]] int Minimo() const override { return FRegistro.Minimo(); }
    [[nodiscard]] int Maximo() const override { return FRegistro.Maximo(); }
    [[nodiscard]] int Posicao() const override { return FRegistro.Posicao(); }
    [[nodiscard]] const std::vector<int>& Posicoes() const { return FRegistro.Posicoes(); }

private:
    ProgressoRegistrado FRegistro;
    int FEm;
    std::function<void()> FAcao;
};

// An administrator's declaration with three items of its own and two funds of two items each,
// stored; loaded again with its summary invalid.
class TRecalculoResumosTest : public PruvDeTeste {
protected:
    std::unique_ptr<TPruv> lida;
    std::vector<QString> fundos;
    AtividadeRegistrada atividade;

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        auto pruv = Armazenada(Matriz, "2002", 3);
        for (const char* raiz : {"222333444", "222333445", "222333446"})
            Item(*pruv, *pruv, "0561", NumeroDe(raiz), 1000);
        for (const QString& ni : {Fundo, Outra}) {
            auto anexo = NovoAnexo(*pruv, ni, "", true);
            Item(*pruv, *anexo, "6800", NumeroDe("444555000"), 100);
            Item(*pruv, *anexo, "6800", NumeroDe("444555001"), 100);
            fundos.push_back(anexo->GetChave());
        }
        Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));
        lida = std::make_unique<TPruv>();
        lida->SetErros(&erros);
        lida->SetChave(pruv->GetChave());
        ASSERT_TRUE(colecao->Carrega(*lida));
        lida->GetResumo().SetOK(false);
    }

    // Whether each stored summary is marked valid: the declaration's own one, then each fund's;
    // false for one not stored.
    [[nodiscard]] std::vector<bool> Validos() const
    {
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT OK FROM \"%1\" WHERE IN_ANEXO = ?1 AND \"E_PRUV/ANEXO_DK\" = ?2")
                       .arg(banco->NomeReal(QStringLiteral("Resumo"))));
        std::vector<bool> validos;
        const auto valido = [&](const char* anexo, const QString& dono) {
            c.Reinicia();
            c.LigaTexto(1, QLatin1String(anexo));
            c.LigaTexto(2, dono);
            validos.push_back(c.Passo() && c.Inteiro(0) == 1);
        };
        valido("0", lida->GetChave());
        for (const QString& fundo : fundos)
            valido("1", fundo);
        return validos;
    }
};

}   // namespace

TEST_F(TRecalculoResumosTest, AddsEveryItemOfTheDeclarationAndItsFundsAndStoresEachSummary)
{
    ProgressoRegistrado gauge;
    TRecalculoResumos recalculo(*lida);
    ASSERT_TRUE(recalculo.Executa(gauge));

    EXPECT_TRUE(lida->GetResumo().GetOK());
    EXPECT_EQ(lida->GetResumo().TOT_BENEF().GetValor(), 7 * TMonetario::Escala);
    EXPECT_EQ(lida->GetResumo().TOT_REND().GetValor(), 3400 * TMonetario::Escala);
    EXPECT_EQ(static_cast<TPruvAnexo&>(*lida).GetResumo().TOT_REND().GetValor(), 3000 * TMonetario::Escala);
    EXPECT_EQ(Validos(), (std::vector<bool>{true, true, true}));
    // The gauge counts every item, one step each, and ends full; the interface is kept alive
    // before each of them.
    EXPECT_EQ(gauge.Minimo(), 0);
    EXPECT_EQ(gauge.Maximo(), 7);
    std::vector<int> passos;
    for (int p : gauge.Posicoes())
        if (passos.empty() || passos.back() != p)
            passos.push_back(p);
    EXPECT_EQ(passos, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_GE(atividade.VezesMantido(), 7);
}

// Cancelled at a step of the walk: the summaries completed before it stay stored, the others and
// the declaration's total do not.
TEST_F(TRecalculoResumosTest, ACancelStoresOnlyTheSummariesCompletedBeforeIt)
{
    const struct {
        const char* caso;
        int em;   // the gauge's position at which Cancel is clicked; -1 before the walk
        std::vector<bool> validos;
    } casos[] = {
        {"before the walk", -1, {false, false, false}},
        {"among the declaration's items", 2, {false, false, false}},
        {"during the first fund", 4, {true, false, false}},
        {"during the second fund", 6, {true, true, false}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));
        lida->GetResumo().SetOK(false);
        TRecalculoResumos recalculo(*lida);
        ProgressoComAcao gauge(c.em, [&recalculo] { recalculo.Cancela(); });
        if (c.em < 0)
            recalculo.Cancela();
        EXPECT_FALSE(recalculo.Executa(gauge));
        EXPECT_TRUE(recalculo.Cancelado());
        EXPECT_FALSE(lida->GetResumo().GetOK());
        EXPECT_EQ(Validos(), c.validos);
        EXPECT_EQ(gauge.Posicao(), gauge.Maximo());
    }
}

// A failure of the summary table raises its error; the summaries completed before stay stored and
// the declaration's total stays invalid, as after a cancel.
TEST_F(TRecalculoResumosTest, AFailureOfTheSummaryTableRaisesAndLeavesTheTotalInvalid)
{
    ProgressoRegistrado gauge;
    TRecalculoResumos recalculo(*lida);
    TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita(1);   // the first fund's summary
    try {
        recalculo.Executa(gauge);
        ADD_FAILURE() << "no error";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 141);
    }
    TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita(-1);
    EXPECT_FALSE(lida->GetResumo().GetOK());
    EXPECT_EQ(Validos(), (std::vector<bool>{true, false, false}));
}
