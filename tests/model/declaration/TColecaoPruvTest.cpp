#include "model/declaration/TColecaoPruv.h"

#include <map>

#include "model/PruvDeTeste.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/storage/OperacoesTabela.h"
#include "components/data/datasets/TdvTable.h"

namespace {

using TColecaoPruvTest = PruvDeTeste;

// Every table a declaration owns rows in, with the responsible persons'.
const char* const Tabelas[] = {"Pruv",    "PruvItem", "Judicial", "Anexo",    "Benef",  "Resumo",
                               "ComprPf", "ComprPj",  "Compvel",  "InfoComp", "Respons"};

std::map<std::string, qint64> Contagens()
{
    std::map<std::string, qint64> contagens;
    for (const char* tabela : Tabelas)
        contagens[tabela] = Linhas(tabela);
    return contagens;
}

}   // namespace

TEST_F(TColecaoPruvTest, InclusionIssuesKeysAndRefusesASecondDeclarationOfTheSameYear)
{
    EXPECT_EQ(Armazenada(Matriz)->GetChave(), QStringLiteral("00001"));
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("OK"), QStringLiteral("1")), 1);   // complete, empty

    const struct {
        QString ni;
        std::uint8_t codigo;
    } casos[] = {{Matriz, 74}, {CpfDeclarante, 75}};
    Armazenada(CpfDeclarante);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        auto segunda = Nova(c.ni);
        try {
            colecao->Inclui(*segunda);
            ADD_FAILURE() << "refusal expected";
        } catch (const EPruvError& e) {
            EXPECT_EQ(e.Codigo(), c.codigo);
            EXPECT_EQ(e.Parametro(), segunda->GetDeclarante().GetNiFormatado() + QStringLiteral(";2002"));
            EXPECT_TRUE(e.GetMensagem().contains(QStringLiteral("no Ano-calendário 2002")));
        }
        EXPECT_TRUE(segunda->GetChave().isEmpty());
    }
    EXPECT_EQ(Linhas("Pruv"), 2);
    EXPECT_EQ(Armazenada(Matriz, "2001")->GetChave(), QStringLiteral("00003"));
}

TEST_F(TColecaoPruvTest, StoredDeclarationComesBackAsWritten)
{
    auto pruv = Armazenada(Matriz);
    pruv->SetTipoDeclaracao(QStringLiteral("R"));
    pruv->SetNrEstabelecimentos(2);
    pruv->SetDataGeracao(37500.5);
    pruv->GetNiEstabResponsavel().SetNi(Filial);
    pruv->GetResponsavel().Email().SetTexto(QStringLiteral("maria@exemplo.com.br"));
    colecao->Atualiza(*pruv);

    TPruv lida;
    lida.SetErros(&erros);
    lida.GetDeclarante().SetNi(Matriz);
    lida.SetAno(QStringLiteral("2002"));
    ASSERT_TRUE(colecao->Carrega(lida));
    EXPECT_EQ(erros.Count(), 0) << (erros.Vazia() ? std::string() : erros.Items(0).what());
    EXPECT_EQ(lida.GetChave(), QStringLiteral("00001"));
    EXPECT_EQ(lida.GetTipoDeclaracao(), QStringLiteral("R"));
    EXPECT_EQ(lida.GetNrEstabelecimentos(), 2);
    EXPECT_EQ(lida.GetDataGeracao(), 37500.5);
    EXPECT_EQ(lida.GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA ALFA LTDA"));
    EXPECT_EQ(&lida.GetNatureza(), &lida.GetNaturezas().GetTodas()[0]);
    EXPECT_EQ(lida.GetNiEstabResponsavel().GetNi(), Filial);
    EXPECT_EQ(lida.GetRespCnpj().GetNi(), CpfResponsavel);
    EXPECT_EQ(lida.GetResponsavel().GetNi(), CpfResponsavel);
    EXPECT_EQ(lida.GetResponsavel().Email().GetTexto(), QStringLiteral("maria@exemplo.com.br"));
    EXPECT_TRUE(lida.GetResumoTotal().GetOK());
}

TEST_F(TColecaoPruvTest, SearchByDeclarantAndYearLendsAStoredNameToANewDeclaration)
{
    Armazenada(Matriz);
    const struct {
        QString ni;
        const char* ano;
        const char* chave;
        bool achou;
        bool nome;
    } casos[] = {
        {Matriz, "2002", "00000", true, true}, {Matriz, "2002", "", true, true},
        {Matriz, "2001", "", false, true},   // another year of the same company
        {Filial, "2002", "", false, true},   // another establishment
        {Outra, "2002", "", false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni.toStdString() + " " + c.ano);
        TPruv pruv;
        pruv.SetErros(&erros);
        pruv.SetChave(QLatin1String(c.chave));
        pruv.GetDeclarante().SetNi(c.ni);
        pruv.SetAno(QLatin1String(c.ano));
        EXPECT_EQ(colecao->Localiza(pruv), c.achou);
        EXPECT_EQ(pruv.GetDeclarante().Nome().GetTexto(), c.nome ? QStringLiteral("EMPRESA ALFA LTDA") : QString());
        EXPECT_EQ(pruv.GetChave(), QLatin1String(c.chave));   // the key is not read
    }
}

TEST_F(TColecaoPruvTest, LoadingTakesOnlyAvailableNaturesAndTheDeclarantsOwnEstablishment)
{
    Armazenada(Filial, "2002", 1);
    Armazenada(CpfDeclarante);
    Armazenada(Matriz);
    Executa(QStringLiteral("UPDATE Pruv SET IN_NATUREZADECLAR = 3 WHERE PRUV_DK = '00001'"));
    Executa(QStringLiteral("UPDATE Pruv SET NR_EST_RESP = '0000' WHERE PRUV_DK = '00003'"));

    const struct {
        const char* chave;
        QString estabelecimento;
        int natureza;
    } casos[] = {
        {"00001", Filial, TPruv::NaturezaVazia},   // 3 is not offered to a branch
        {"00002", CpfDeclarante, TPruv::NaturezaVazia},
        {"00003", Matriz, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.chave);
        TPruv pruv;
        pruv.SetErros(&erros);
        pruv.SetChave(QLatin1String(c.chave));
        ASSERT_TRUE(colecao->Carrega(pruv));
        EXPECT_EQ(pruv.GetNiEstabResponsavel().GetNi(), c.estabelecimento);
        EXPECT_EQ(&pruv.GetNatureza(), &pruv.GetNaturezas().GetTodas()[c.natureza]);
    }
}

TEST_F(TColecaoPruvTest, SavingWithTheEmptyNatureKeepsTheStoredCode)
{
    Armazenada(Filial, "2002", 1);
    Executa(QStringLiteral("UPDATE Pruv SET IN_NATUREZADECLAR = 3 WHERE PRUV_DK = '00001'"));
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.SetChave(QStringLiteral("00001"));
    ASSERT_TRUE(colecao->Carrega(pruv));
    ASSERT_EQ(&pruv.GetNatureza(), &pruv.GetNaturezas().GetTodas()[TPruv::NaturezaVazia]);
    colecao->Atualiza(pruv);
    EXPECT_EQ(Linhas("Pruv", QStringLiteral("IN_NATUREZADECLAR"), QStringLiteral("3")), 1);
}

TEST_F(TColecaoPruvTest, StoredYear2003WithoutSpecialSituationIsRefusedOnLoading)
{
    Armazenada(Matriz);
    Executa(QStringLiteral("UPDATE Pruv SET AN_RETENCA = '2003', IN_ENCERRA = 0"));
    TPruv pruv;
    pruv.SetErros(&erros);
    pruv.SetChave(QStringLiteral("00001"));
    try {
        colecao->Carrega(pruv);
        ADD_FAILURE() << "46 expected";
    } catch (const EPruvError& e) {
        EXPECT_EQ(e.Codigo(), 46);
    }
}

TEST_F(TColecaoPruvTest, DeletingADeclarationRemovesEveryRowItOwnsInOneTransaction)
{
    auto outra = Armazenada(Outra);
    Item(*outra, *outra, "0561", CpfBeneficiario);
    const auto antes = Contagens();

    auto pruv = Armazenada(Matriz, "2002", 3);
    pruv->SetErros(&erros);
    {
        TPruvItem item(*pruv, *pruv);
        item.GetCodigoRetencao().SetCodigo(QStringLiteral("0561"));
        pruv->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(CpfBeneficiario);
        item.GetValores().GetRendimento(1).SetValor(1000 * TMonetario::Escala);
        item.GetCompensacao().GetCompensacaoAno(1).SetValor(10 * TMonetario::Escala);   // a judicial row
        pruv->GetItens().Salva(item);
    }
    auto anexo = NovoAnexo(*pruv, Fundo, "", true);
    Item(*pruv, *anexo, "6800", Filial);
    (void)pruv->GetColecaoComprovante();   // its tables
    Executa(QStringLiteral("INSERT INTO ComprPf (E_PRUV_DK, NR_PF) VALUES ('00002', '222333444')"));
    Executa(QStringLiteral(
        "INSERT INTO ComprPj (E_PRUV_DK, NR_PJ, COD_RETENCAO, MES) VALUES ('00002', '112223330002', '6800', '01')"));
    Executa(
        QStringLiteral("INSERT INTO Compvel (E_PRUV_DK, NR_PF, COD_RETENCAO) VALUES ('00002', '222333444', '0561')"));
    Executa(QStringLiteral(
        "INSERT INTO InfoComp (E_PRUV_DK, IN4, IN_PF_PJ, NR_PF_PJ) VALUES ('00002', '0', '1', '222333444')"));
    const auto cheio = Contagens();
    for (const char* tabela : Tabelas)
        EXPECT_TRUE(std::string(tabela) == "Respons" || cheio.at(tabela) > antes.at(tabela)) << tabela;

    TPruv excluida;
    excluida.SetChave(QStringLiteral("00002"));
    // A failure at any write leaves every row; the first run that gets past them all deletes.
    auto banco = TDatabase::DaPasta(DiretorioDados());
    int falhas = 0;
    for (;; ++falhas) {
        SCOPED_TRACE(falhas);
        banco->FalhaNaProximaEscrita(falhas);
        try {
            colecao->Exclui(excluida);
        } catch (const TErro&) {
            ASSERT_EQ(Contagens(), cheio);
            continue;
        }
        break;
    }
    banco->FalhaNaProximaEscrita(-1);
    EXPECT_GT(falhas, 10);
    EXPECT_EQ(Contagens(), antes);   // the responsible person stays with the other declaration
    EXPECT_FALSE(colecao->Localiza(excluida));
}

TEST_F(TColecaoPruvTest, ResponsiblePersonIsSharedByDeclarations)
{
    auto primeira = Armazenada(Matriz);
    auto segunda = Nova(Outra);
    segunda->GetResponsavel().Fone().Numero().SetTexto(QStringLiteral("99998888"));
    colecao->Inclui(*segunda);
    EXPECT_EQ(Linhas("Respons"), 1);

    colecao->CarregaResponsavel(*primeira);
    EXPECT_EQ(primeira->GetResponsavel().Fone().Numero().GetTexto(), QStringLiteral("99998888"));

    // A person who fails the checks is not written: the declaration keeps the one stored.
    primeira->GetResponsavel().Nome().SetNomeSemExcecao(QStringLiteral("X"));
    colecao->Atualiza(*primeira);
    EXPECT_EQ(Linhas("Pruv", QStringLiteral("RESP_PF"), CpfResponsavel.left(9)), 2);
    EXPECT_EQ(Linhas("Respons", QStringLiteral("NM_RESP"), QStringLiteral("MARIA DA SILVA")), 1);

    colecao->Exclui(*segunda);
    EXPECT_EQ(Linhas("Respons"), 1);
}

TEST_F(TColecaoPruvTest, YearFilterShowsEveryEstablishmentOfTheCompany)
{
    Armazenada(Matriz);
    Armazenada(Filial, "2002", 1);
    Armazenada(Matriz, "2001");
    Armazenada(Outra);
    auto tabela = CriaTabela(TColecaoPruv::NomeArquivo());
    ASSERT_TRUE(AbreTabela(*tabela));
    TColecaoPruv::FiltraAno(Filial, QStringLiteral("2002"), *tabela);
    EXPECT_EQ(tabela->RecordCount(), 2);
    for (tabela->First(); !tabela->Eof(); tabela->Next())
        EXPECT_EQ(tabela->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString().left(8), QStringLiteral("11222333"));
}

TEST_F(TColecaoPruvTest, ReadingRowAfterRowTotalsEachDeclarationsOwnAnnexes)
{
    for (const QString& ni : {Matriz, Outra}) {
        auto pruv = Armazenada(ni, "2002", 3);
        auto anexo = NovoAnexo(*pruv, Fundo, "", true);
        Item(*pruv, *anexo, "6800", CpfBeneficiario, ni == Matriz ? 300 : 500);
    }
    TPruv pruv;
    pruv.SetErros(&erros);
    colecao->LimpaFiltro();
    colecao->SelecionaIndice(QString());
    colecao->PrimeiroRegistro(pruv);
    EXPECT_EQ(pruv.GetResumoTotal().TOT_REND().GetValor(), 300 * TMonetario::Escala);
    colecao->ProximoRegistro(pruv);
    EXPECT_EQ(pruv.GetChave(), QStringLiteral("00002"));
    EXPECT_EQ(pruv.GetResumoTotal().TOT_REND().GetValor(), 500 * TMonetario::Escala);
}

// The declarant renamed and saved: its own summary row (the administrator's line of the detailed
// summary) takes the new name at once, read back after the declaration is opened again.
TEST_F(TColecaoPruvTest, ARenamedDeclarantsSummaryRowTakesTheNewName)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    pruv->GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA NOVA SA"));
    colecao->Atualiza(*pruv);
    pruv.reset();
    auto lida = Nova(Matriz, "2002", 3);
    ASSERT_TRUE(colecao->Carrega(*lida));
    EXPECT_EQ(lida->GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA NOVA SA"));
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("NM_EMPR"), QStringLiteral("EMPRESA NOVA SA")), 1);
    EXPECT_EQ(Linhas("Resumo", QStringLiteral("NM_EMPR"), QStringLiteral("EMPRESA ALFA LTDA")), 0);
}

// Deleting a declaration takes also the items it held under a fund no longer stored: a later
// declaration given its key would otherwise find them.
TEST_F(TColecaoPruvTest, DeletingADeclarationTakesItsItemsLeftWithoutAFund)
{
    auto pruv = Armazenada(Matriz, "2002", 3);
    Item(*pruv, *NovoAnexo(*pruv, Fundo, "", true), "6800", CpfBeneficiario);
    Executa(QStringLiteral("DELETE FROM Anexo"));
    colecao->Exclui(*pruv);
    EXPECT_EQ(Linhas("PruvItem"), 0);
    EXPECT_EQ(Linhas("Benef"), 0);
}
