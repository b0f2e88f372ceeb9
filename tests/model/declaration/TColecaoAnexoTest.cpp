#include "model/declaration/TColecaoAnexo.h"

#include <functional>

#include "model/PruvDeTeste.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/values/CodigoMensagem.h"

namespace {

using TColecaoAnexoTest = PruvDeTeste;

// The number of the message a store raised; 0 when it raised none.
int Recusa(const std::function<void()>& Grava)
{
    try {
        Grava();
    } catch (const TErro& e) {
        return static_cast<int>(e.Codigo());
    }
    return 0;
}

}   // namespace

TEST_F(TColecaoAnexoTest, NewAnnexGetsTheNextKeyAndAnUpToDateSummary)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    TColecaoAnexo& anexos = pruv->GetColecaoAnexo();
    auto primeiro = NovoAnexo(*pruv, Fundo);
    anexos.Salva(*primeiro);
    EXPECT_EQ(primeiro->GetChave(), QStringLiteral("00001"));
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("IN_ANEXO"), QStringLiteral("1")), 1);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("OK"), QStringLiteral("1")), 2);

    auto segundo = NovoAnexo(*pruv, NumeroDe("667778880001"));
    anexos.Salva(*segundo);
    EXPECT_EQ(segundo->GetChave(), QStringLiteral("00002"));

    auto semChave = NovoAnexo(*pruv, Fundo);   // found by its fund, and renamed
    semChave->GetDeclarante().Nome().SetTexto(QStringLiteral("FUNDO GAMA"));
    anexos.Salva(*semChave);
    EXPECT_EQ(semChave->GetChave(), QStringLiteral("00001"));
    EXPECT_EQ(Linhas("Anexo"), 2);

    TAnexoFC lido(*pruv);
    lido.SetChave(QStringLiteral("00001"));
    ASSERT_TRUE(anexos.Carrega(lido));
    EXPECT_EQ(lido.GetDeclarante().GetNi(), Fundo);
    EXPECT_EQ(lido.GetDeclarante().Nome().GetTexto(), QStringLiteral("FUNDO BETA"));
    EXPECT_EQ(anexos.GetAnexoAtual().GetChave(), QStringLiteral("00001"));
    EXPECT_TRUE(lido.GetResumo().GetOK());
}

TEST_F(TColecaoAnexoTest, AnotherDeclarationsKeyFindsOnlyTheSameFundInThisOne)
{
    auto a = Armazenada(Matriz, "2002", 3);
    auto b = Armazenada(Outra, "2002", 3);
    auto c = Armazenada(Matriz, "2001", 3);
    a->GetColecaoAnexo().Salva(*NovoAnexo(*a, Fundo));
    b->GetColecaoAnexo().Salva(*NovoAnexo(*b, Fundo));

    auto alheio = NovoAnexo(*b, Fundo, "00001");   // a's key
    EXPECT_TRUE(b->GetColecaoAnexo().Localiza(*alheio));
    EXPECT_EQ(alheio->GetChave(), QStringLiteral("00002"));

    auto semFundo = NovoAnexo(*c, Fundo, "00001");
    EXPECT_FALSE(c->GetColecaoAnexo().Localiza(*semFundo));
    c->GetColecaoAnexo().Salva(*semFundo);   // a new annex, a's untouched
    EXPECT_EQ(semFundo->GetChave(), QStringLiteral("00003"));
    EXPECT_EQ(Linhas("Anexo", QStringLiteral("E_PRUV_DK"), a->GetChave()), 1);

    a->GetColecaoAnexo().ExcluiTodos();
    EXPECT_EQ(Linhas("Anexo"), 2);   // b's and c's stay
}

TEST_F(TColecaoAnexoTest, DeletingAnAnnexTakesItsItemsSummaryAndBeneficiariesLeftWithoutItems)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    auto anexo = NovoAnexo(*pruv, Fundo);
    pruv->GetColecaoAnexo().Salva(*anexo);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    Item(*pruv, *anexo, "6800", CpfBeneficiario);
    Item(*pruv, *anexo, "6813", Filial);
    ASSERT_EQ(Linhas("Benef"), 2);

    pruv->GetColecaoAnexo().Exclui(*anexo);
    EXPECT_EQ(Linhas("Anexo"), 0);
    EXPECT_EQ(Linhas("PruvItem", QStringLiteral("IN_ANEXO"), QStringLiteral("1")), 0);
    EXPECT_EQ(Linhas("PruvItem"), 1);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("IN_ANEXO"), QStringLiteral("1")), 0);
    EXPECT_EQ(Linhas("Benef", QStringLiteral("NR_PF_PJ"), CpfBeneficiario.left(9)), 1);   // still has an item
    EXPECT_EQ(Linhas("Benef"), 1);
}

// The deleted fund's totals leave the declaration's: its summary is out of date in memory and as
// stored, and is computed again before it is shown.
TEST_F(TColecaoAnexoTest, DeletingAFundMarksTheDeclarationsSummaryOutOfDate)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    auto anexo = NovoAnexo(*pruv, Fundo, "", true);
    Item(*pruv, *anexo, "6800", CpfBeneficiario);
    pruv->GetResumo().SetOK(true);   // as computed
    pruv->GetColecaoAnexo().Exclui(*anexo);
    EXPECT_FALSE(pruv->GetResumo().GetOK());
    TPruv relida;
    relida.SetErros(&erros);
    relida.GetDeclarante().SetNi(Matriz);
    relida.SetAno(QStringLiteral("2002"));
    ASSERT_TRUE(colecao->Carrega(relida));
    EXPECT_FALSE(relida.GetResumo().GetOK());
}

// Two copies of one fund, each read before the other saved: each save moves the fund's stored
// totals, never a copy's own, stale ones.
TEST_F(TColecaoAnexoTest, ASaveThroughAStaleCopyOfTheFundMovesItsStoredTotals)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    auto anexo = NovoAnexo(*pruv, Fundo, "", true);
    TAnexoFC copia(*pruv);
    copia.SetErros(&erros);
    copia.SetChave(anexo->GetChave());
    ASSERT_TRUE(pruv->GetColecaoAnexo().Carrega(copia));
    Item(*pruv, *anexo, "6800", CpfBeneficiario, 1000);
    Item(*pruv, copia, "6813", Filial, 300);
    Item(*pruv, *anexo, "6813", Outra, 20);
    TResumo armazenado(anexo.get());
    pruv->GetColecaoResumo().Carrega(armazenado);
    EXPECT_TRUE(armazenado.GetOK());
    EXPECT_EQ(armazenado.TOT_BENEF().GetValor(), 3 * TMonetario::Escala);
    EXPECT_EQ(armazenado.TOT_REND().GetValor(), 1320 * TMonetario::Escala);
}

// A fund gone from under its items (as a folder may hold them): no item is stored
// under it, and its key is not given to the next fund, which would take those items over.
TEST_F(TColecaoAnexoTest, NoRowIsStoredUnderAMissingFundAndItsKeyIsNotGivenAgain)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    auto primeiro = NovoAnexo(*pruv, Fundo, "", true);
    auto segundo = NovoAnexo(*pruv, NumeroDe("667778880001"), "", true);
    Item(*pruv, *segundo, "6800", CpfBeneficiario);
    Executa(QStringLiteral("DELETE FROM Anexo WHERE ANEXO_DK = '00002'"));
    const qint64 itens = Linhas("PruvItem");
    const qint64 resumos = Linhas("Resumo");

    TPruvItem item(*pruv, *segundo);
    item.GetCodigoRetencao().SetCodigo(QStringLiteral("6800"));
    pruv->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
    item.GetBeneficiario().SetNi(NumeroDe("333444555"));
    item.GetBeneficiario().Nome().SetTexto(QStringLiteral("ANA MARIA"));
    item.GetValores().GetRendimento(1).SetValor(500 * TMonetario::Escala);
    EXPECT_EQ(Recusa([&] { segundo->GetItens().Salva(item); }), CodigoMensagem::FundoInexistente);
    EXPECT_EQ(Linhas("PruvItem"), itens);
    EXPECT_EQ(Linhas("Resumo"), resumos);
    EXPECT_EQ(pruv->GetColecaoAnexo().ChavesSemFundo(), QStringList{QStringLiteral("00002")});

    auto terceiro = NovoAnexo(*pruv, NumeroDe("778889990001"), "", true);
    EXPECT_EQ(terceiro->GetChave(), QStringLiteral("00003"));
    EXPECT_EQ(Recusa([&] { Item(*pruv, *primeiro, "6800", NumeroDe("444555666")); }), 0);
}

// No summary row is written under a fund that is gone: neither one deleted through the very
// declaration that has just written its summary, nor one gone from beneath a declaration read
// afterwards, whose summary row stayed.
TEST_F(TColecaoAnexoTest, NoSummaryRowIsWrittenUnderAFundThatIsGone)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    auto apagado = NovoAnexo(*pruv, Fundo, "", true);
    Item(*pruv, *apagado, "6800", CpfBeneficiario);
    pruv->GetColecaoAnexo().Exclui(*apagado);
    qint64 resumos = Linhas("Resumo");
    EXPECT_EQ(Recusa([&] { pruv->GetColecaoResumo().Grava(apagado->GetResumo()); }), CodigoMensagem::FundoInexistente);
    EXPECT_EQ(Linhas("Resumo"), resumos);

    auto outra = Armazenada(Outra, "2002", 3);
    auto sumido = NovoAnexo(*outra, NumeroDe("667778880001"), "", true);
    Item(*outra, *sumido, "6800", CpfBeneficiario);
    const QString chave = sumido->GetChave();
    Executa(QStringLiteral("DELETE FROM Anexo WHERE ANEXO_DK = '%1'").arg(chave));
    outra.reset();
    auto lida = Nova(Outra, "2002", 3);
    ASSERT_TRUE(colecao->Carrega(*lida));
    TAnexoFC fundo(*lida);
    fundo.SetChave(chave);
    fundo.GetDeclarante().SetNi(NumeroDe("667778880001"));
    fundo.GetDeclarante().Nome().SetTexto(QStringLiteral("FUNDO SUMIDO"));
    resumos = Linhas("Resumo");
    EXPECT_EQ(Recusa([&] { lida->GetColecaoResumo().Grava(fundo.GetResumo()); }), CodigoMensagem::FundoInexistente);
    EXPECT_EQ(Linhas("Resumo"), resumos);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("NM_EMPR"), QStringLiteral("FUNDO SUMIDO")), 0);
}

// A fund's key is given once in the folder: whatever takes the highest-key fund away with its
// rows, the next fund gets a key of its own, so no stale row can ever name it.
TEST_F(TColecaoAnexoTest, TheHighestKeyGoneWithItsRowsIsNotGivenAgain)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    NovoAnexo(*pruv, Fundo, "", true);
    const struct {
        const char* caso;
        std::function<void(TPruv& outra, TAnexoFC& fundo)> Apaga;
    } casos[] = {
        {"the fund deleted", [](TPruv& outra, TAnexoFC& fundo) { outra.GetColecaoAnexo().Exclui(fundo); }},
        {"its declaration deleted", [this](TPruv& outra, TAnexoFC&) { colecao->Exclui(outra); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto outra = Armazenada(Outra, "2002", 3);
        auto fundo = NovoAnexo(*outra, NumeroDe("667778880001"), "", true);
        Item(*outra, *fundo, "6800", CpfBeneficiario);
        const int dada = fundo->GetChave().toInt();
        c.Apaga(*outra, *fundo);
        ASSERT_EQ(Linhas("Anexo", QStringLiteral("ANEXO_DK"), fundo->GetChave()), 0);
        fundo.reset();
        outra.reset();
        colecao->Exclui(*Nova(Outra));   // the next case makes it again
        auto novo = NovoAnexo(*pruv, NumeroDe("778889990001"), "", true);
        EXPECT_EQ(novo->GetChave().toInt(), dada + 1);
        pruv->GetColecaoAnexo().Exclui(*novo);
    }
}
