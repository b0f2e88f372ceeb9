#include "model/declaration/TPruv.h"

#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/PruvDeTeste.h"
#include "model/VerificacaoRegistrada.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/declaration/TRecalculoResumos.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/schema/ReorganizaTabelas.h"
#include "model/statements/TComprovantePF.h"
#include "platform/ui/ProgressoRegistrado.h"

namespace {

class TPruvTest : public PruvDeTeste {
protected:
    TErros lista;   // the run's list
    VerificacaoRegistrada frame{lista};
    int verificados = 0;

    struct TTrabalho {
        quint64 Passos = 0;
        quint64 Preparados = 0;
    };
    // The engine's steps and the statements prepared while acao runs.
    static TTrabalho Trabalho(const std::function<void()>& acao)
    {
        const quint64 passos = TComando::PassosMotor();
        const quint64 preparados = TComando::Preparados();
        acao();
        return {TComando::PassosMotor() - passos, TComando::Preparados() - preparados};
    }
    // A run of the verification on its own, which checks that many items.
    void VerificaItens(TPruv& pruv, int itens)
    {
        verificados = 0;
        pruv.Verifica(lista, frame, verificados);
        EXPECT_EQ(verificados, itens);
    }

    // The rows of the run: text rows as they are, pending items as gravity, object and message.
    QStringList Verifica(TPruv& pruv)
    {
        pruv.Verifica(lista, frame, verificados);
        QStringList linhas;
        for (const auto& l : frame.Linhas)
            linhas << (l.Objeto == 255
                           ? l.Descricao
                           : QStringLiteral("%1 %2 %3").arg(l.Gravidade).arg(l.Objeto).arg(l.Descricao.mid(2)));
        return linhas;
    }
    static QString Pendente(int gravidade, int objeto, std::uint8_t codigo, const QString& parametro = {})
    {
        return QStringLiteral("%1 %2 %3").arg(gravidade).arg(objeto).arg(TErro::FormataMensagem(codigo, parametro));
    }
    TAnexoFC& Anexo(TPruv& pruv, const QString& fundo)
    {
        return *anexos.emplace_back(NovoAnexo(pruv, fundo, "", true));
    }
    std::vector<std::unique_ptr<TAnexoFC>> anexos;

    // A stored administrator's declaration with one stored fund annex holding one item of the
    // code; the keys of both.
    std::pair<QString, QString> ComAnexo(const char* codigo)
    {
        auto pruv = Armazenada(Matriz, "2002", 3);
        auto anexo = NovoAnexo(*pruv, Fundo, "", true);
        Item(*pruv, *anexo, codigo, CpfBeneficiario, 300);
        return {pruv->GetChave(), anexo->GetChave()};
    }
    void Carrega(TPruv& pruv, const QString& chave)
    {
        pruv.SetErros(&erros);
        pruv.SetChave(chave);
        ASSERT_TRUE(colecao->Carrega(pruv));
    }
};

int Posicao(const TPruv& pruv, const TNatureza* natureza)
{
    return static_cast<int>(natureza - pruv.GetNaturezas().GetTodas().data());
}

}   // namespace

TEST_F(TPruvTest, YearIsAcceptedFrom1997To2003AndAYearAfterTheCurrentOneIsSpecial)
{
    const struct {
        const char* ano;
        std::uint8_t codigo;
        bool especial;
    } casos[] = {
        {"1997", 0, false},   {"2002", 0, false},   {"2003", 0, true}, {"1996", 119, false},
        {"2004", 119, false}, {"20a2", 119, false}, {"", 119, false},  {" 2002", 119, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ano);
        TPruv pruv;
        try {
            pruv.SetAno(QLatin1String(c.ano));
            EXPECT_EQ(c.codigo, 0);
            EXPECT_EQ(pruv.GetAno(), QLatin1String(c.ano));
        } catch (const EPruvError& e) {
            EXPECT_EQ(e.Codigo(), c.codigo);
            EXPECT_EQ(pruv.GetAno(), QString());
        }
        EXPECT_EQ(pruv.GetSituacaoEspecial(), c.especial);

        TPruv coletada;
        coletada.SetErros(&erros);
        erros.Limpa();
        coletada.SetAnoSemExcecao(QLatin1String(c.ano));
        EXPECT_EQ(erros.Count(), c.codigo ? 1 : 0);
        EXPECT_FALSE(coletada.GetSituacaoEspecial());   // only the raising form switches it on
    }
}

// The year a clerk passes over on the way to another leaves no special situation behind; one
// the clerk chose stays.
TEST_F(TPruvTest, AYearPassedOverLeavesTheSpecialSituationAsItWas)
{
    // Each step: a year to set ("*" sets the special situation on by choice, "-" clears the
    // declaration); then the special situation expected at the end.
    const struct {
        std::vector<const char*> passos;
        bool especial;
    } casos[] = {
        {{"2003", "2002"}, false},         {{"2003", "2003", "2002"}, false},   // forced twice, still nothing chosen
        {{"2003", "20a2", "2001"}, false},                                      // a refused year in between
        {{"2003", "2003"}, true},          {{"*", "2003", "2002"}, true},       // chosen before the year forced it
        {{"2003", "*", "2002"}, true},                                          // confirmed while forced: a choice
        {{"2003", "-", "2002"}, false},    {{"2003", "-", "*", "2003", "1999"}, true},
    };
    for (const auto& c : casos) {
        std::string rastro;
        TPruv pruv;
        for (const char* passo : c.passos) {
            rastro += std::string(passo) + " ";
            if (std::string_view(passo) == "*") {
                pruv.SetSituacaoEspecial(true);
            } else if (std::string_view(passo) == "-") {
                pruv.Limpa();
            } else {
                try {
                    pruv.SetAno(QLatin1String(passo));
                } catch (const EPruvError&) {}
            }
        }
        SCOPED_TRACE(rastro);
        EXPECT_EQ(pruv.GetSituacaoEspecial(), c.especial);
    }
}

TEST_F(TPruvTest, SpecialSituationIsRequiredIn2003AndABadTypeIsRefused)
{
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.SetAno(QStringLiteral("2003"));
    try {
        pruv.SetSituacaoEspecial(false);
        ADD_FAILURE() << "46 expected";
    } catch (const EPruvError& e) {
        EXPECT_EQ(e.Codigo(), 46);
    }
    EXPECT_TRUE(pruv.GetSituacaoEspecial());
    pruv.SetSituacaoEspecialSemExcecao(false);
    EXPECT_TRUE(pruv.GetSituacaoEspecial());

    EXPECT_THROW(pruv.SetTipoDeclaracao(QStringLiteral("X")), EPruvError);
    pruv.SetTipoDeclaracaoSemExcecao(QStringLiteral("X"));
    EXPECT_EQ(pruv.GetTipoDeclaracao(), QStringLiteral("O"));
    pruv.SetTipoDeclaracao(QStringLiteral("R"));
    EXPECT_EQ(pruv.GetTipoDeclaracao(), QStringLiteral("R"));
    ASSERT_EQ(erros.Count(), 2);
    EXPECT_EQ(erros.Items(0).Codigo(), 46);
    EXPECT_EQ(erros.Items(1).Codigo(), 50);

    pruv.SetDataGeracao(0);
    pruv.SetNrDisquetes(3);
    EXPECT_EQ(pruv.NrDisquetes().GetTexto(), QStringLiteral("3"));
}

TEST_F(TPruvTest, NaturesOfferedFollowTheDeclarantsKindAndTheYear)
{
    const struct {
        QString ni;
        const char* ano;
        std::vector<int> posicoes;
    } casos[] = {
        {{}, "1998", {1, 6, 7, 8}}, {{}, "2002", {0, 1, 2, 3, 8}}, {{}, "1997", {8, 9}},
        {Matriz, "1997", {5}},      {Matriz, "1998", {1, 6, 7}},   {Matriz, "2002", {0, 1, 2, 3}},
        {Filial, "2002", {1, 2}},   {CpfDeclarante, "2002", {5}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni.toStdString() + " " + c.ano);
        TPruv pruv;
        if (!c.ni.isEmpty())
            pruv.GetDeclarante().SetNi(c.ni);
        pruv.SetAno(QLatin1String(c.ano));
        std::vector<int> posicoes;
        for (const TNatureza* n : pruv.GetNaturezas().GetDisponiveis())
            posicoes.push_back(Posicao(pruv, n));
        EXPECT_EQ(posicoes, c.posicoes);
    }

    TPruv filial;
    filial.SetErros(&erros);
    filial.GetDeclarante().SetNi(Filial);
    filial.SetAno(QStringLiteral("2002"));
    const auto todas = filial.GetNaturezas().GetTodas();
    EXPECT_THROW(filial.SetNatureza(todas[3]), EPruvError);
    EXPECT_EQ(Posicao(filial, &filial.GetNatureza()), TPruv::NaturezaVazia);
    filial.SetNaturezaSemExcecao(todas[3]);
    EXPECT_EQ(Posicao(filial, &filial.GetNatureza()), 3);
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).Codigo(), 49);
    filial.SetNatureza(todas[2]);
    EXPECT_EQ(Posicao(filial, &filial.GetNatureza()), 2);
}

TEST_F(TPruvTest, CompleteDeclarationGivesOnlySectionsWithoutPendingItemsAndStoresItsSummary)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));

    EXPECT_EQ(Verifica(*pruv),
              (QStringList{
                  QStringLiteral("20Identificação do declarante"),
                  QString(),
                  QStringLiteral("20Responsável pelo Preenchimento da Declaração"),
                  QString(),
                  QStringLiteral("20Responsável perante o CNPJ"),
                  QString(),
                  QStringLiteral("20Beneficiários"),
                  QString(),
              }));
    EXPECT_TRUE(frame.Concluida);
    EXPECT_EQ(verificados, 1);
    EXPECT_EQ(frame.Verificados, 1);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("OK"), QStringLiteral("1")), 1);

    pruv->CalculaResumo();
    EXPECT_TRUE(pruv->GetResumoTotal().GetOK());
    EXPECT_EQ(pruv->GetResumoTotal().TOT_BENEF().GetValor(), TMonetario::Escala);
    EXPECT_EQ(pruv->GetResumoTotal().TOT_REND().GetValor(), 1000 * TMonetario::Escala);
}

TEST_F(TPruvTest, StoppedRunStoresNoSummary)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));
    frame.Interrompe = true;
    Verifica(*pruv);
    EXPECT_EQ(verificados, 0);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("OK"), QStringLiteral("1")), 0);
}

TEST_F(TPruvTest, FundsAndEmptyDeclarationsGiveTheirPendingItems)
{
    const struct {
        const char* caso;
        const char* tipo;
        const char* ano;
        int natureza;
        bool anexo;
        bool item;
        int gravidade;
        int objeto;
        std::uint8_t codigo;
        bool comNumero;
    } casos[] = {
        {"administrator without annexes", "O", "2002", 3, false, true, 1, 7, 59, true},
        {"annexes of another nature", "O", "2002", 0, true, true, 0, 7, 60, true},
        {"rectifying administrator without items", "R", "2002", 3, true, false, 1, 18, 43, false},
        {"rectifying without items", "R", "2002", 0, false, false, 0, 18, 133, false},
        {"original without items", "O", "1999", 0, false, false, 1, 18, 133, false},
        {"1998 without items", "O", "1998", 6, false, false, 1, 18, 134, false},
    };
    int declarante = 10000000;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto pruv = Nova(NumeroDe(QByteArray::number(++declarante).append("0001").constData()), c.ano, c.natureza);
        pruv->SetTipoDeclaracao(QLatin1String(c.tipo));
        colecao->Inclui(*pruv);
        if (c.item)
            Item(*pruv, *pruv, "0561", CpfBeneficiario);
        if (c.anexo)
            Anexo(*pruv, Outra);
        frame.Linhas.clear();
        const QString numero = pruv->GetDeclarante().GetNiFormatado();
        EXPECT_TRUE(
            Verifica(*pruv).contains(Pendente(c.gravidade, c.objeto, c.codigo, c.comNumero ? numero : QString())));
        anexos.clear();
    }
}

TEST_F(TPruvTest, EachFundOfAnAdministratorIsWalkedUnderItsTitle)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    TAnexoFC& vazio = Anexo(*pruv, Outra);
    TAnexoFC& cheio = Anexo(*pruv, Fundo);
    Item(*pruv, cheio, "6800", CpfBeneficiario, 300);
    const QString chave = vazio.GetChave();

    const QStringList linhas = Verifica(*pruv);
    const QStringList fundos = linhas.mid(linhas.indexOf(QStringLiteral("20Beneficiários")) + 2);
    EXPECT_EQ(fundos,
              (QStringList{
                  QStringLiteral("09FUNDO BETA ") + cheio.GetFundo().GetNiFormatado(),
                  QStringLiteral("20Identificação do Fundo ou Clube de Investimento"),
                  QString(),
                  QStringLiteral("20Beneficiários do Fundo ou Clube de Investimento"),
                  QString(),
                  QStringLiteral("09FUNDO BETA ") + vazio.GetFundo().GetNiFormatado(),
                  QStringLiteral("20Identificação do Fundo ou Clube de Investimento"),
                  QString(),
                  QStringLiteral("10Beneficiários"),
                  Pendente(1, TAnexoFC::ObjetoSemItens, 132),
                  QString(),
              }));
    EXPECT_EQ(frame.Linhas[static_cast<std::size_t>(linhas.indexOf(Pendente(1, 26, 132)))].AQuemPertence, chave);
    EXPECT_EQ(verificados, 2);

    pruv->CalculaResumo();
    EXPECT_TRUE(pruv->GetResumoTotal().GetOK());
    EXPECT_EQ(pruv->GetResumoTotal().TOT_REND().GetValor(), 1300 * TMonetario::Escala);
}

// The same items in many small funds or in a few large ones: verifying and summing them costs
// about the same, by the engine's steps and the statements prepared, a fund its own rows and no
// more.
TEST_F(TPruvTest, ManySmallFundsAreVerifiedAndSummedAtTheWorkOfAFewLargeOnes)
{
    const auto mede = [this](const QString& ni, int porFundo, qint64 raiz, int chave) {
        auto pruv = Armazenada(ni, "2002", 3);
        Fundos(*pruv, 200, porFundo, raiz, chave);   // 1,000 items
        std::map<std::string, TTrabalho> trabalho;
        trabalho["verifica"] = Trabalho([&] { VerificaItens(*pruv, 1000); });
        trabalho["resumo"] = Trabalho([&] {
            TRecalculoResumos recalculo(*pruv);
            ProgressoRegistrado gauge;
            EXPECT_TRUE(recalculo.Executa(gauge));
            EXPECT_EQ(pruv->GetResumo().TOT_BENEF().GetValor(), 1000 * TMonetario::Escala);
        });
        return trabalho;
    };
    const auto grandes = mede(Matriz, 100, 20000000, 1);   // 2 funds of 500 items
    const auto pequenos = mede(Outra, 1, 30000000, 10);    // 200 funds of 5
    for (const auto& [acao, g] : grandes) {
        const TTrabalho& p = pequenos.at(acao);
        EXPECT_LE(p.Passos, g.Passos * 5 / 2) << acao << ": " << g.Passos << " steps in 2 funds";
        EXPECT_LE(p.Preparados, g.Preparados * 5 / 2) << acao << ": " << g.Preparados << " statements in 2 funds";
    }
}

// An administrator's verification reads its own rows only: beside another administrator's
// thousands of fund items it does the same work.
TEST_F(TPruvTest, AnAdministratorIsVerifiedAtTheSameWorkBesideALargerOne)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    Fundos(*pruv, 4, 2, 20000000, 1);   // 2 funds, 20 items
    const auto passos = [&] { return Trabalho([&] { VerificaItens(*pruv, 20); }).Passos; };
    const quint64 sozinha = passos();
    auto outra = Armazenada(Outra, "2002", 3);
    Fundos(*outra, 2000, 200, 30000000, 100);   // 10 funds, 10,000 items
    EXPECT_LE(passos(), sozinha * 3 / 2) << sozinha << " steps alone in the file";
}

TEST_F(TPruvTest, FundWithTheAdministratorsNumberIsRefused)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    TAnexoFC anexo(*pruv);
    anexo.GetDeclarante().Nome().SetTexto(QStringLiteral("FUNDO BETA"));
    EXPECT_THROW(anexo.GetDeclarante().SetNi(Matriz), EAnexoInvalido);
    erros.Limpa();
    anexo.GetDeclarante().SetNiSemExcecao(Matriz);
    ASSERT_EQ(erros.Count(), 1);
    EXPECT_EQ(erros.Items(0).Codigo(), 36);
    EXPECT_THROW(anexo.GetDeclarante().SetNi(Filial), EContribuinteInvalido);   // 42: not a head office

    TErros pendentes;
    anexo.VerificaDados(pendentes);
    ASSERT_EQ(pendentes.Count(), 1);
    EXPECT_EQ(pendentes.Items(0).Codigo(), 36);
    EXPECT_EQ(pendentes.Items(0).Objeto(), TAnexoFC::ObjetoNi);
}

TEST_F(TPruvTest, AnAnnexsItemsGoBeforeTheCollectionsTheyUseWhateverTheDeclarationDoesFirst)
{
    const auto [chave, chaveAnexo] = ComAnexo("6800");
    const struct {
        const char* caso;
        void (*faz)(TColecaoPruv&, std::unique_ptr<TPruv>&);
    } casos[] = {
        {"reloaded", [](TColecaoPruv& c, std::unique_ptr<TPruv>& p) { ASSERT_TRUE(c.Carrega(*p)); }},
        {"collections let go", [](TColecaoPruv&, std::unique_ptr<TPruv>& p) { p->LiberaItens(); }},
        {"cleared", [](TColecaoPruv&, std::unique_ptr<TPruv>& p) { p->Limpa(); }},
        {"destroyed", [](TColecaoPruv&, std::unique_ptr<TPruv>& p) { p.reset(); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto pruv = std::make_unique<TPruv>();
        Carrega(*pruv, chave);
        auto anexo = std::make_unique<TAnexoFC>(*pruv);
        anexo->SetChave(chaveAnexo);
        ASSERT_TRUE(pruv->GetColecaoAnexo().Carrega(*anexo));
        // A bulk load, as the importer's: letting the items go stores the annex's summary through
        // the declaration's collections.
        anexo->GetItens().SetGravarEmDisco(false);

        c.faz(*colecao, pruv);
        if (pruv && !pruv->GetChave().isEmpty()) {
            // Made afresh over the declaration's new collections.
            TPruvItem item(*pruv, *anexo);
            anexo->GetItens().PrimeiroRegistro(item);
            EXPECT_EQ(item.GetBeneficiario().Nome().GetTexto(), QStringLiteral("JOSE DA SILVA"));
        }
        anexo.reset();

        TPruv relida;
        Carrega(relida, chave);
        EXPECT_TRUE(relida.GetResumoTotal().GetOK());
        EXPECT_EQ(relida.GetResumoTotal().TOT_REND().GetValor(), 300 * TMonetario::Escala);
    }
}

TEST_F(TPruvTest, AfterAFailedDeletionIsUndoneTheStatementsReadWhatIsStored)
{
    const auto [chave, chaveAnexo] = ComAnexo("0561");
    // Deleting the annex deletes the statement of its beneficiary, left without items. Each run
    // starts without statement tables, so that they are made inside the deletion's transaction;
    // a failure at any write undoes them with everything else.
    auto banco = TDatabase::DaPasta(DiretorioDados());
    int falhas = 0;
    for (;; ++falhas) {
        SCOPED_TRACE(falhas);
        for (const char* tabela : {"ComprPf", "ComprPj", "Compvel", "InfoComp"})
            Executa(QStringLiteral("DROP TABLE IF EXISTS ") + QLatin1String(tabela));
        TPruv pruv;
        Carrega(pruv, chave);
        TAnexoFC anexo(pruv);
        anexo.SetChave(chaveAnexo);
        banco->FalhaNaProximaEscrita(falhas);
        try {
            pruv.GetColecaoAnexo().Exclui(anexo);
            break;
        } catch (const TErro&) {
            EXPECT_EQ(Linhas("Anexo"), 1);
        }
        TBeneficiarioPruv beneficiario(&pruv);
        beneficiario.SetNi(CpfBeneficiario);
        TComprovantePF comprovante(beneficiario);
        bool achou = true;
        EXPECT_NO_THROW(achou = pruv.GetColecaoComprovante().Carrega(comprovante));
        EXPECT_FALSE(achou);
    }
    EXPECT_GT(falhas, 3);
    EXPECT_EQ(Linhas("Anexo"), 0);
}

TEST_F(TPruvTest, TheWithholdingCodesFollowTheYearOfEachDeclarationLoadedInTurn)
{
    // The code collection outlives the declarations an import loads one after another: each
    // finds codes by its own year. 6813 is a code of 1997 to 1999 outside funds, and of funds
    // from 1999 on.
    const QString chave1999 = Armazenada(Matriz, "1999")->GetChave();
    const QString chave2002 = Armazenada(Filial, "2002")->GetChave();
    auto anoDoCodigo = [](TPruv& pruv) {
        TCodigoRetencao codigo;
        codigo.SetCodigo(QStringLiteral("6813"));
        return pruv.GetColecaoCodigoRetencao().BuscaCodigo(codigo, QStringLiteral("0")) ? codigo.GetAno() : QString();
    };
    TPruv pruv;
    Carrega(pruv, chave1999);
    EXPECT_EQ(anoDoCodigo(pruv), QStringLiteral("1999"));
    Carrega(pruv, chave2002);
    EXPECT_EQ(pruv.GetColecaoCodigoRetencao().GetAno(), QStringLiteral("2002"));
    EXPECT_EQ(anoDoCodigo(pruv), QStringLiteral("2002"));   // the fund's, of the year
    pruv.Limpa();
    pruv.SetAno(QStringLiteral("1998"));
    EXPECT_EQ(anoDoCodigo(pruv), QStringLiteral("1998"));
    Carrega(pruv, chave1999);
    EXPECT_EQ(anoDoCodigo(pruv), QStringLiteral("1999"));
}

TEST_F(TPruvTest, EachDeclarationLoadedInTurnReadsItsOwnSummary)
{
    // The summary collection outlives the declarations an import loads one after another: each
    // reads and stores the row of its own key.
    auto matriz = Armazenada(Matriz, "2002");
    Item(*matriz, *matriz, "0561", CpfBeneficiario, 300);
    auto filial = Armazenada(Filial, "2002");
    Item(*filial, *filial, "0561", CpfBeneficiario, 500);
    const QString chaves[] = {matriz->GetChave(), filial->GetChave(), matriz->GetChave()};
    const qint64 totais[] = {300, 500, 300};
    TPruv pruv;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        Carrega(pruv, chaves[i]);
        EXPECT_EQ(pruv.GetResumoTotal().TOT_REND().GetValor(), totais[i] * TMonetario::Escala);
    }
    // A declaration added after them starts from its own empty row.
    pruv.Limpa();
    pruv.GetDeclarante().SetNi(NumeroDe("112223330003"));
    pruv.GetDeclarante().Nome().SetTexto(QStringLiteral("COMERCIO E FILHOS LTDA"));
    pruv.SetAno(QStringLiteral("2002"));
    colecao->Inclui(pruv);
    TPruv relida;
    Carrega(relida, pruv.GetChave());
    EXPECT_EQ(relida.GetResumoTotal().TOT_REND().GetValor(), 0);
    TPruv primeira;
    Carrega(primeira, chaves[0]);
    EXPECT_EQ(primeira.GetResumoTotal().TOT_REND().GetValor(), 300 * TMonetario::Escala);
}

// Items left under a fund that is no longer stored are in no fund: the verification names each
// (fund key, code, beneficiary) as an error, so that no delivery is written without them, and says
// how they go; the reorganisation takes them, as the fund's delete would have.
TEST_F(TPruvTest, ItemsOfAFundNoLongerStoredAreNamedByTheVerificationAndGoByTheReorganisation)
{
    const QString cpfOrfao = NumeroDe("333444555");
    auto pruv = Armazenada(Matriz, "2002", 3);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    TAnexoFC& apagado = Anexo(*pruv, Fundo);
    Item(*pruv, apagado, "6800", CpfBeneficiario);
    Item(*pruv, apagado, "6800", cpfOrfao);
    Item(*pruv, Anexo(*pruv, NumeroDe("667778880001")), "6800", CpfBeneficiario);
    Executa(QStringLiteral("DELETE FROM Anexo WHERE ANEXO_DK = '00001'"));
    const QStringList linhas = Verifica(*pruv);
    const qsizetype titulo = linhas.indexOf(QStringLiteral(
        "10Beneficiários sem Fundo ou Clube de Investimento (para excluí-los: Ferramentas, Reorganizar Tabelas de "
        "Dados)"));
    ASSERT_GE(titulo, 0) << linhas.join(QLatin1Char('|')).toStdString();
    const auto semFundo = [](QString cpf) {
        FormataNi(cpf);
        return Pendente(1, 26, CodigoMensagem::BeneficiarioSemFundo,
                        QStringLiteral("fundo 00001, 6800 %1 JOSE DA SILVA").arg(cpf));
    };
    EXPECT_EQ(linhas.mid(titulo + 1, 2), (QStringList{semFundo(CpfBeneficiario), semFundo(cpfOrfao)}));
    EXPECT_GT(frame.NumErros(), 0);

    ProgressoRegistrado gauge;
    ASSERT_TRUE(ReorganizaTabelas(gauge, false, false, QStringLiteral(PRUV_PASTA_RECURSOS "/indices.dat")));
    EXPECT_EQ(Linhas("PruvItem"), 2);   // the declaration's own and the other fund's
    EXPECT_EQ(Linhas("Benef"), 1);      // the beneficiary that only the items gone had, gone with them
    frame.Linhas.clear();
    lista.Limpa();
    const QString depois = Verifica(*pruv).join(QLatin1Char('|'));
    EXPECT_FALSE(depois.contains(QStringLiteral("sem Fundo"))) << depois.toStdString();
}
