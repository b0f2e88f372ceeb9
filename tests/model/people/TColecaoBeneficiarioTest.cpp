#include <gtest/gtest.h>

#include "model/DeclaracaoArmazenadaDeTeste.h"
#include "model/ImprimeQString.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

class TColecaoBeneficiarioTest : public ::testing::Test {
protected:
    DialogosRoteirizados dialogos;
    DeclaracaoArmazenada declaracao;

    void SetUp() override { ASSERT_TRUE(TPastas::Cria()); }

    // Stores a beneficiary of that declaration and answers the name stored for it.
    QString Grava(DeclaracaoArmazenada& d, const QString& ni, const QString& nome)
    {
        TBeneficiarioPruv b(&d);
        b.SetNi(ni);
        if (!nome.isEmpty())
            b.Nome().SetTexto(nome);
        d.GetColecaoBeneficiario().GravaRegistro(b);
        TBeneficiarioPruv lido(&d);
        lido.SetNi(ni);
        EXPECT_TRUE(d.GetColecaoBeneficiario().Carrega(lido));
        return lido.Nome().GetTexto();
    }
};

TEST_F(TColecaoBeneficiarioTest, AMissingNameComesFromWhatIsStoredUnlessInABulkLoad)
{
    DeclaracaoArmazenada outra(QStringLiteral("00002"));
    Grava(declaracao, Cnpj(QStringLiteral("112223330001")), QStringLiteral("EMPRESA ALFA LTDA"));
    Grava(outra, Cpf(QStringLiteral("111444777")), QStringLiteral("JOSE DA SILVA"));

    // Another establishment of a company of this declaration takes the company's name.
    EXPECT_EQ(Grava(declaracao, Cnpj(QStringLiteral("112223330002")), QStringLiteral("OUTRO NOME SA")),
              QStringLiteral("EMPRESA ALFA LTDA"));
    // A person of another declaration lends the name only when none was typed.
    EXPECT_EQ(Grava(declaracao, Cpf(QStringLiteral("111444777")), QString()), QStringLiteral("JOSE DA SILVA"));
    EXPECT_EQ(Grava(declaracao, Cpf(QStringLiteral("111444777")), QStringLiteral("MARIA SOUZA")),
              QStringLiteral("MARIA SOUZA"));

    declaracao.GetColecaoBeneficiario().SetGravarEmDisco(false);
    EXPECT_EQ(Grava(declaracao, Cnpj(QStringLiteral("112223330003")), QStringLiteral("TERCEIRO NOME SA")),
              QStringLiteral("TERCEIRO NOME SA"));
}

// A collection that outlives the key its rows were restricted to works on the rows of the new one.
TEST_F(TColecaoBeneficiarioTest, TheRowsFollowTheDeclarationsKeyWhenItChanges)
{
    const QString jose = Cpf(QStringLiteral("111444777"));
    Grava(declaracao, jose, QStringLiteral("JOSE DA SILVA"));
    declaracao.SetChave(QStringLiteral("00002"));
    EXPECT_EQ(Grava(declaracao, jose, QStringLiteral("JOSE SOUZA")), QStringLiteral("JOSE SOUZA"));
    EXPECT_EQ(Grava(declaracao, jose, QStringLiteral("JOSE S. SOUZA")), QStringLiteral("JOSE S. SOUZA"));
    declaracao.SetChave(QStringLiteral("00001"));
    TBeneficiarioPruv lido(&declaracao);
    lido.SetNi(jose);
    EXPECT_TRUE(declaracao.GetColecaoBeneficiario().Carrega(lido));
    EXPECT_EQ(lido.Nome().GetTexto(), QStringLiteral("JOSE DA SILVA"));
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TColecaoBeneficiarioTest, ABulkLoadStoresEachBeneficiaryOnceWithTheLastNameGiven)
{
    TColecaoBeneficiario& colecao = declaracao.GetColecaoBeneficiario();
    colecao.SetGravarEmDisco(false);
    const QString jose = Cpf(QStringLiteral("111444777"));
    const QString ana = Cpf(QStringLiteral("222555888"));
    // A beneficiary comes once per code, in any order; a new name replaces the stored one, and
    // the former name given again comes back.
    const std::pair<QString, const char*> cargas[] = {
        {jose, "JOSE DA SILVA"}, {ana, "ANA PAULA"}, {jose, "JOSE DA SILVA"},
        {jose, "JOSE SILVA"},    {ana, "ANA PAULA"}, {jose, "JOSE DA SILVA"},
    };
    for (const auto& [ni, nome] : cargas) {
        TBeneficiarioPruv b(&declaracao);
        b.SetNi(ni);
        b.Nome().SetTexto(QString::fromLatin1(nome));
        colecao.GravaRegistroDireto(b);
    }
    colecao.SetGravarEmDisco(true);
    colecao.Atualiza();
    for (const auto& [ni, nome] : {std::pair{jose, "JOSE DA SILVA"}, std::pair{ana, "ANA PAULA"}}) {
        SCOPED_TRACE(nome);
        TBeneficiarioPruv lido(&declaracao);
        lido.SetNi(ni);
        ASSERT_TRUE(colecao.Carrega(lido));
        EXPECT_EQ(lido.Nome().GetTexto(), QString::fromLatin1(nome));
    }
    auto banco = TDatabase::DaPasta(DiretorioDados());
    TComando conta(
        banco->Conexao(),
        QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(banco->NomeReal(TColecaoBeneficiario::NomeArquivo())));
    ASSERT_TRUE(conta.Passo());
    EXPECT_EQ(conta.Inteiro(0), 2);
}

// Beneficiaries stored before the load keep their one row: the same name leaves it, another
// replaces it, an empty one too, and one with no name stored takes the one given.
TEST_F(TColecaoBeneficiarioTest, ABulkLoadGivesABeneficiaryStoredBeforeItTheNameGiven)
{
    TColecaoBeneficiario& colecao = declaracao.GetColecaoBeneficiario();
    const QString jose = Cpf(QStringLiteral("111444777"));
    const QString ana = Cpf(QStringLiteral("222555888"));
    const QString rui = Cpf(QStringLiteral("333666999"));
    const QString sem = Cpf(QStringLiteral("444777000"));
    Grava(declaracao, jose, QStringLiteral("JOSE DA SILVA"));
    Grava(declaracao, ana, QStringLiteral("ANA PAULA"));
    Grava(declaracao, rui, QStringLiteral("RUI BARBOSA"));
    auto banco = TDatabase::DaPasta(DiretorioDados());
    const QString tabela = banco->NomeReal(TColecaoBeneficiario::NomeArquivo());
    TComando semNome(banco->Conexao(),
                     QStringLiteral("INSERT INTO \"%1\" VALUES ('00001', '1', '444777000', '')").arg(tabela));
    banco->Escreve(semNome);

    colecao.SetGravarEmDisco(false);
    for (const auto& [ni, nome] : {std::pair{jose, "JOSE DA SILVA"}, std::pair{ana, "ANA P SOUZA"}, std::pair{rui, ""},
                                   std::pair{sem, "SEM NOME ANTES"}}) {
        TBeneficiarioPruv b(&declaracao);
        b.SetNi(ni);
        if (*nome != '\0')
            b.Nome().SetTexto(QString::fromLatin1(nome));
        colecao.GravaRegistroDireto(b);
    }
    colecao.SetGravarEmDisco(true);
    TComando linhas(banco->Conexao(),
                    QStringLiteral("SELECT NR_PF_PJ, NM_NM_EMPR FROM \"%1\" "
                                   "WHERE E_PRUV_DK = '00001' ORDER BY NR_PF_PJ")
                        .arg(tabela));
    QStringList lidas;
    while (linhas.Passo())
        lidas << linhas.Texto(0) + QLatin1Char('=') + linhas.Texto(1);
    EXPECT_EQ(lidas,
              (QStringList{QStringLiteral("111444777=JOSE DA SILVA"), QStringLiteral("222555888=ANA P SOUZA"),
                           QStringLiteral("333666999="), QStringLiteral("444777000=SEM NOME ANTES")}));
}

// Two numbers of one root (one with wrong check digits, kept as given) are one row: the name
// stored is always the one given last, however they alternate.
TEST_F(TColecaoBeneficiarioTest, ABulkLoadKeepsTheLastNameOfARootWhateverItsCheckDigits)
{
    TColecaoBeneficiario& colecao = declaracao.GetColecaoBeneficiario();
    colecao.SetGravarEmDisco(false);
    TErros erros;
    const QString certo = Cpf(QStringLiteral("111444777"));
    const QString errado = QStringLiteral("11144477700");
    const std::pair<QString, const char*> cargas[] = {
        {certo, "JOSE DA SILVA"},
        {errado, "JOSE SOUZA"},
        {certo, "JOSE DA SILVA"},
        {errado, "JOSE SOUZA"},
    };
    for (std::size_t i = 0; i < std::size(cargas); ++i) {
        TBeneficiarioPruv b(&declaracao);
        b.SetErros(&erros);
        b.SetNiSemExcecao(cargas[i].first);
        b.Nome().SetTexto(QString::fromLatin1(cargas[i].second));
        colecao.GravaRegistroDireto(b);
        TBeneficiarioPruv lido(&declaracao);
        lido.SetNi(certo);
        colecao.Atualiza();
        ASSERT_TRUE(colecao.Carrega(lido));
        EXPECT_EQ(lido.Nome().GetTexto(), QString::fromLatin1(cargas[i].second)) << i;
    }
    colecao.SetGravarEmDisco(true);
}

TEST_F(TColecaoBeneficiarioTest, APersonsNumberIsReadFromItsFirstNineCharacters)
{
    TColecaoBeneficiario& colecao = declaracao.GetColecaoBeneficiario();
    auto banco = TDatabase::DaPasta(DiretorioDados());
    TComando insere(banco->Conexao(),
                    QStringLiteral("INSERT INTO \"%1\" VALUES ('00001', '1', '111444777999', 'JOSE DA SILVA')")
                        .arg(banco->NomeReal(TColecaoBeneficiario::NomeArquivo())));
    banco->Escreve(insere);
    colecao.Atualiza();
    TBeneficiarioPruv b(&declaracao);
    colecao.PrimeiroRegistro(b);
    EXPECT_EQ(b.GetNi(), Cpf(QStringLiteral("111444777")));
    EXPECT_EQ(b.Nome().GetTexto(), QStringLiteral("JOSE DA SILVA"));
}

}   // namespace

// A beneficiary as a page holds it, loaded and not typed over since: its save keeps the name
// stored meanwhile (corrected through another item) and takes it; a name typed is written.
TEST_F(TColecaoBeneficiarioTest, ANameNotTypedSinceItWasLoadedNeverGoesOverANewerOne)
{
    const QString ni = Cpf(QStringLiteral("111444777"));
    Grava(declaracao, ni, QStringLiteral("JOSE DA SILVA"));
    TBeneficiarioPruv lido(&declaracao);
    lido.SetNi(ni);
    ASSERT_TRUE(declaracao.GetColecaoBeneficiario().Carrega(lido));
    lido.SetAlterado(false);
    ASSERT_EQ(Grava(declaracao, ni, QStringLiteral("JOSE DA SILVA SAURO")), QStringLiteral("JOSE DA SILVA SAURO"));

    declaracao.GetColecaoBeneficiario().GravaRegistro(lido);
    EXPECT_EQ(lido.Nome().GetTexto(), QStringLiteral("JOSE DA SILVA SAURO"));
    TBeneficiarioPruv armazenado(&declaracao);
    armazenado.SetNi(ni);
    ASSERT_TRUE(declaracao.GetColecaoBeneficiario().Carrega(armazenado));
    EXPECT_EQ(armazenado.Nome().GetTexto(), QStringLiteral("JOSE DA SILVA SAURO"));

    lido.Nome().SetTexto(QStringLiteral("JOSE XAVIER"));
    declaracao.GetColecaoBeneficiario().GravaRegistro(lido);
    ASSERT_TRUE(declaracao.GetColecaoBeneficiario().Carrega(armazenado));
    EXPECT_EQ(armazenado.Nome().GetTexto(), QStringLiteral("JOSE XAVIER"));
}
