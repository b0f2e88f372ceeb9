#include <gtest/gtest.h>

#include "components/data/datasets/TdvTable.h"
#include "model/ImprimeQString.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

const QString Cpf = QStringLiteral("11144477735");
const QString Raiz = QStringLiteral("111444777");

struct TContato {
    const char* Nome;
    const char* DDD;
    const char* Fone;
    const char* Ramal;
    const char* FaxDDD;
    const char* Fax;
    const char* Email;
};

// A responsible person with its own sink, as a declaration holds one.
class TPessoa {
public:
    TPessoa()
    {
        Pessoa.SetErros(&Erros);
        Pessoa.SetNi(Cpf);
    }
    void Preenche(const TContato& c)
    {
        // As the screens type it: an empty fax is only a pending item.
        Pessoa.Nome().SetNomeSemExcecao(QString::fromUtf8(c.Nome));
        Pessoa.Fone().DDD().SetTextoSemExcecao(QLatin1String(c.DDD));
        Pessoa.Fone().Numero().SetTextoSemExcecao(QLatin1String(c.Fone));
        Pessoa.Fone().Ramal().SetTextoSemExcecao(QLatin1String(c.Ramal));
        Pessoa.Fax().DDD().SetTextoSemExcecao(QLatin1String(c.FaxDDD));
        Pessoa.Fax().Numero().SetTextoSemExcecao(QLatin1String(c.Fax));
        Pessoa.Email().SetTextoSemExcecao(QLatin1String(c.Email));
        Erros.Limpa();
    }
    [[nodiscard]] QStringList Campos() const
    {
        return {Pessoa.GetNi(),
                Pessoa.Nome().GetTexto(),
                Pessoa.Fone().DDD().GetTexto(),
                Pessoa.Fone().Numero().GetTexto(),
                Pessoa.Fone().Ramal().GetTexto(),
                Pessoa.Fax().DDD().GetTexto(),
                Pessoa.Fax().Numero().GetTexto(),
                Pessoa.Email().GetTexto()};
    }
    // What a load gives back: the fax on the phone's area code.
    [[nodiscard]] QStringList ComoGravada() const
    {
        QStringList campos = Campos();
        campos[5] = campos[2];
        return campos;
    }

    TErros Erros;
    TResponsavel Pessoa;
};

const TContato Ana{"Ana Maria Souza", "11", "32345678", "12", "21", "32345679", "ana@exemplo.com.br"};
const TContato Beatriz{"Beatriz Lima", "61", "998877665", "", "", "", "bia@exemplo.org"};

class TColecaoResponsavelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TPastas::Cria()); }

    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(TColecaoResponsavelTest, SavedPersonComesBackWithTheFaxOnThePhonesAreaCode)
{
    TColecaoResponsavel colecao;
    TPessoa salva;
    salva.Preenche(Ana);
    colecao.Salva(salva.Pessoa);

    TPessoa lida;
    ASSERT_TRUE(colecao.Carrega(lida.Pessoa));
    EXPECT_EQ(lida.Campos(),
              (QStringList{Cpf, QStringLiteral("Ana Maria Souza"), QStringLiteral("11"), QStringLiteral("32345678"),
                           QStringLiteral("12"), QStringLiteral("11"), QStringLiteral("32345679"),
                           QStringLiteral("ana@exemplo.com.br")}));
    EXPECT_TRUE(lida.Erros.Vazia());
}

TEST_F(TColecaoResponsavelTest, PersonWithoutARowKeepsItsCpfAndLosesTheRest)
{
    TColecaoResponsavel colecao;
    TPessoa pessoa;
    pessoa.Preenche(Ana);
    EXPECT_FALSE(colecao.Carrega(pessoa.Pessoa));
    EXPECT_EQ(pessoa.Campos(), (QStringList{Cpf, {}, {}, {}, {}, {}, {}, {}}));
    EXPECT_TRUE(colecao.EstaVazia());
}

TEST_F(TColecaoResponsavelTest, OneRowPerCpfSharedByEveryDeclaration)
{
    // Each declaration's collection opens the same table; the last save wins.
    TColecaoResponsavel primeira;
    TColecaoResponsavel segunda;
    TPessoa daPrimeira;
    daPrimeira.Preenche(Ana);
    primeira.Salva(daPrimeira.Pessoa);
    primeira.Salva(daPrimeira.Pessoa);
    TPessoa daSegunda;
    daSegunda.Preenche(Beatriz);
    segunda.Salva(daSegunda.Pessoa);

    EXPECT_EQ(primeira.Quantidade(), 1);
    TPessoa lida;
    ASSERT_TRUE(primeira.Carrega(lida.Pessoa));
    EXPECT_EQ(lida.Campos(), daSegunda.ComoGravada());

    // Another person gets a row of its own; deleting it leaves the shared one.
    TPessoa outra;
    outra.Pessoa.SetNi(QStringLiteral("52998224725"));
    outra.Preenche(Ana);
    segunda.Salva(outra.Pessoa);
    EXPECT_EQ(segunda.Quantidade(), 2);
    segunda.Filtra(outra.Pessoa);
    EXPECT_TRUE(segunda.Filtrado());
    EXPECT_EQ(segunda.Quantidade(), 1);
    segunda.LimpaFiltro();
    segunda.Exclui(outra.Pessoa);
    segunda.Exclui(outra.Pessoa);   // no row left: nothing happens
    EXPECT_EQ(segunda.Quantidade(), 1);
    EXPECT_TRUE(primeira.Carrega(lida.Pessoa));
}

TEST_F(TColecaoResponsavelTest, BadStoredValuesGoToThePersonsSink)
{
    {
        TColecaoResponsavel colecao;
        TPessoa pessoa;
        pessoa.Preenche(Ana);
        colecao.Salva(pessoa.Pessoa);
    }
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    banco->Escreve(QStringLiteral("UPDATE Respons SET ED_DDD = '1', ED_EMAIL = 'ana.exemplo'"));

    TColecaoResponsavel colecao;
    TPessoa lida;
    ASSERT_TRUE(colecao.Carrega(lida.Pessoa));
    EXPECT_EQ(lida.Pessoa.Fone().DDD().GetTexto(), QStringLiteral("1"));
    EXPECT_EQ(lida.Pessoa.Email().GetTexto(), QStringLiteral("ana.exemplo"));
    std::vector<int> codigos;
    for (int i = 0; i < lida.Erros.Count(); ++i)
        codigos.push_back(lida.Erros.Items(i).Codigo());
    EXPECT_EQ(codigos, (std::vector<int>{82, 82, 81}));   // phone and fax area codes, e-mail
}

TEST_F(TColecaoResponsavelTest, FailedSaveLeavesTheRowAsItWas)
{
    TColecaoResponsavel colecao;
    TPessoa ana;
    ana.Preenche(Ana);
    colecao.Salva(ana.Pessoa);
    TPessoa beatriz;
    beatriz.Preenche(Beatriz);

    const auto banco = TDatabase::DaPasta(DiretorioDados());
    banco->FalhaNaProximaEscrita();
    try {
        colecao.Salva(beatriz.Pessoa);
        FAIL() << "no error";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 141);
        EXPECT_TRUE(e.Parametro().startsWith(QStringLiteral("Respons.db. Erro Retornado: ")))
            << e.Parametro().toStdString();
    }
    TPessoa lida;
    ASSERT_TRUE(colecao.Carrega(lida.Pessoa));
    EXPECT_EQ(lida.Campos(), ana.ComoGravada());

    colecao.Salva(beatriz.Pessoa);   // the collection goes on working
    ASSERT_TRUE(colecao.Carrega(lida.Pessoa));
    EXPECT_EQ(lida.Campos(), beatriz.ComoGravada());
}
