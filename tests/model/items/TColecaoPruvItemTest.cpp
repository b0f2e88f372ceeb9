#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "model/DeclaracaoArmazenadaDeTeste.h"
#include "model/ImprimeQString.h"
#include "support/FalhasDeDisco.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TConferenciaContribuinte.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

namespace {

const QString Cpf1 = Cpf(QStringLiteral("111444777"));
const QString Cpf2 = Cpf(QStringLiteral("222333444"));
const QString Cpf3 = Cpf(QStringLiteral("333222111"));
const QString Cnpj1 = Cnpj(QStringLiteral("112223330001"));

std::shared_ptr<TDatabase> Banco()
{
    return TDatabase::DaPasta(DiretorioDados());
}

// Every row of the four tables an item touches (or of those named), as text.
QString Conteudo(std::initializer_list<const char*> tabelas = {"PruvItem", "Judicial", "Benef", "Resumo"})
{
    auto banco = Banco();
    QString texto;
    for (const char* nome : tabelas) {
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2, 3").arg(banco->NomeReal(QLatin1String(nome))));
        while (c.Passo()) {
            for (int i = 0; i < c.Colunas(); ++i)
                texto += c.Valor(i).toString() + QLatin1Char('|');
            texto += QLatin1Char('\n');
        }
    }
    return texto;
}

qint64 Linhas(const char* tabela)
{
    auto banco = Banco();
    TComando c(banco->Conexao(),
               QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(banco->NomeReal(QLatin1String(tabela))));
    return c.Passo() ? c.Inteiro(0) : -1;
}

// Everything a walk gives of an item, as text.
QString Descreve(const TPruvItem& i)
{
    QString texto = i.GetChave() + QLatin1Char(' ') + i.GetCodigoRetencao().GetCodigo() + QLatin1Char('/')
        + i.GetCodigoRetencao().GetAno() + QLatin1Char(' ') + i.GetBeneficiario().GetNiFormatado() + QLatin1Char(' ')
        + i.GetBeneficiario().Nome().GetTexto() + QLatin1Char(':');
    const TRendimentosTributaveis& v = i.GetValores();
    const TSubJudice& s = i.GetSubJudice();
    const TCompensacao& c = i.GetCompensacao();
    for (int m = 1; m <= TSerieMensal::Meses; ++m)
        for (const TMonetario* valor :
             {&v.GetRendimento(m), &v.GetDeducao(m), &v.GetImposto(m), &s.GetRendimento(m), &s.GetDeducao(m),
              &s.GetImposto(m), &s.GetDeposito(m), &c.GetCompensacaoAno(m), &c.GetCompensacaoAnosAnteriores(m)})
            texto += QLatin1Char(' ') + QString::number(valor->GetValor());
    return texto;
}

// Money in whole reais, on the model's scale.
constexpr qint64 R(qint64 reais)
{
    return reais * TMonetario::Escala;
}

class TColecaoPruvItemTest : public ::testing::Test {
protected:
    DialogosRoteirizados dialogos;
    DeclaracaoArmazenada declaracao;

    void SetUp() override { ASSERT_TRUE(TPastas::Cria()); }

    TColecaoPruvItem& itens() { return declaracao.GetItens(); }

    // An item of the owner under the code, for the beneficiary, with income of month 1.
    std::unique_ptr<TPruvItem> Item(const QString& codigo, const QString& ni, qint64 rendimento = R(1000),
                                    TPruvAnexo* dono = nullptr)
    {
        auto item = std::make_unique<TPruvItem>(declaracao, dono ? *dono : declaracao);
        item->GetCodigoRetencao().SetCodigo(codigo);
        declaracao.GetColecaoCodigoRetencao().BuscaCodigo(item->GetCodigoRetencao(), item->GetInAnexo());
        item->GetBeneficiario().SetNi(ni);
        item->GetBeneficiario().Nome().SetTexto(ni.size() == 11 ? QStringLiteral("JOSE DA SILVA")
                                                                : QStringLiteral("EMPRESA ALFA LTDA"));
        item->GetValores().GetRendimento(1).SetValor(rendimento);
        return item;
    }

    // The saves of the failure tests, after one item is stored: an insert, a move to another
    // beneficiary, a delete, to be run in that order.
    struct TOperacoes {
        std::unique_ptr<TPruvItem> Novo;
        std::unique_ptr<TPruvItem> Movido;
        std::vector<std::pair<const char*, std::function<void()>>> Lista;
    };
    TOperacoes Operacoes()
    {
        auto a = Item(QStringLiteral("0561"), Cpf1);
        a->GetSubJudice().GetDeposito(3).SetValor(R(40));
        itens().Salva(*a);
        TOperacoes o;
        o.Novo = Item(QStringLiteral("0561"), Cpf2);
        o.Novo->GetSubJudice().GetRendimento(1).SetValor(R(70));
        o.Movido = Relido(QStringLiteral("0561"), Cpf1);
        o.Movido->GetBeneficiario().SetNi(Cpf3);
        o.Movido->GetSubJudice().GetDeposito(3).SetValor(R(41));
        TPruvItem& novo = *o.Novo;
        TPruvItem& movido = *o.Movido;
        o.Lista = {{"insert", [this, &novo] { itens().Salva(novo); }},
                   {"move", [this, &movido] { itens().Salva(movido); }},
                   {"delete", [this, &movido] { itens().Exclui(movido); }}};
        return o;
    }

    // The item stored under that code and beneficiary, loaded into a new object.
    std::unique_ptr<TPruvItem> Relido(const QString& codigo, const QString& ni, TPruvAnexo* dono = nullptr)
    {
        auto item = Item(codigo, ni, 0, dono);
        EXPECT_TRUE((dono ? dono->GetItens() : itens()).Carrega(*item));
        return item;
    }
};

TEST_F(TColecaoPruvItemTest, MonthThirteenAndDeductionsFollowCodeYearAndBeneficiary)
{
    const struct {
        const char* codigo;
        const char* ano;
        QString ni;
        bool mes13;
        bool deducao;
    } casos[] = {
        {"0561", "2001", Cpf1, true, true},   {"0588", "2001", Cpf2, false, true},   {"0588", "2002", Cpf3, true, true},
        {"3208", "2002", Cpf1, false, true},  {"3208", "2002", Cnpj1, false, false},   // a CNPJ has no deductions
        {"1708", "2002", Cpf2, false, false},                                          // nor a code without them
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + " " + c.ano + " " + c.ni.toStdString());
        declaracao.SetAno(QLatin1String(c.ano));
        auto item = Item(QLatin1String(c.codigo), c.ni);
        item->GetValores().GetRendimento(13).SetValor(R(500));
        item->GetValores().GetDeducao(1).SetValor(R(100));
        item->GetValores().GetImposto(13).SetValor(R(10));
        item->GetValores().GetRendimento(2).SetValor(-R(7));
        ASSERT_EQ(itens().Salva(*item), TColecaoPruvItem::Inserido);
        auto relido = Relido(QLatin1String(c.codigo), c.ni);
        for (TPruvItem* i : {item.get(), relido.get()}) {
            EXPECT_EQ(i->GetValores().GetRendimento(13).GetValor(), c.mes13 ? R(500) : 0);
            EXPECT_EQ(i->GetValores().GetImposto(13).GetValor(), c.mes13 ? R(10) : 0);
            EXPECT_EQ(i->GetValores().GetDeducao(1).GetValor(), c.deducao ? R(100) : 0);
        }
        EXPECT_EQ(relido->GetValores().GetRendimento(1).GetValor(), R(1000));
        EXPECT_EQ(relido->GetValores().GetRendimento(2).GetValor(), 0);   // a negative amount is stored as 0
    }
}

TEST_F(TColecaoPruvItemTest, ReadingAppliesTheRulesOfTheYearInForce)
{
    auto item = Item(QStringLiteral("0588"), Cpf1);
    item->GetValores().GetRendimento(13).SetValor(R(500));
    itens().Salva(*item);
    declaracao.SetAno(QStringLiteral("2001"));
    EXPECT_EQ(Relido(QStringLiteral("0588"), Cpf1)->GetValores().GetRendimento(13).GetValor(), 0);
}

TEST_F(TColecaoPruvItemTest, KeysCountOnPerOwnerAndStepOverAKeyTakenElsewhere)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    auto a = Item(QStringLiteral("0561"), Cpf1);
    auto b = Item(QStringLiteral("0561"), Cpf2);
    auto f = Item(QStringLiteral("3208"), Cpf1, R(1), &anexo);
    itens().Salva(*a);
    itens().Salva(*b);
    anexo.GetItens().Salva(*f);
    EXPECT_EQ(a->GetChave(), QStringLiteral("0000001"));
    EXPECT_EQ(b->GetChave(), QStringLiteral("0000002"));
    EXPECT_EQ(f->GetChave(), QStringLiteral("0000001"));   // the first of its owner

    // A second collection of the same owner takes the next key; the first one's count is then
    // behind and must not fail twice.
    auto c = Item(QStringLiteral("0561"), Cpf3);
    {
        TColecaoPruvItem outra(declaracao, declaracao);
        outra.Salva(*c);
    }
    EXPECT_EQ(c->GetChave(), QStringLiteral("0000003"));
    auto d = Item(QStringLiteral("3208"), Cpf1);
    EXPECT_EQ(itens().Salva(*d), TColecaoPruvItem::Inserido);
    EXPECT_EQ(d->GetChave(), QStringLiteral("0000004"));
    EXPECT_EQ(Linhas("PruvItem"), 5);
}

// Keys typed or imported by older programs may lack their zeros, carry too many, or hold letters:
// the owner's next key follows the highest number among its keys of digits only.
TEST_F(TColecaoPruvItemTest, TheLastKeyIsTheHighestNumberAmongTheKeysOfDigitsOnly)
{
    EXPECT_EQ(itens().UltimaChave(), 1);   // none yet: the first key is next
    for (const QString& ni : {Cpf1, Cpf2, Cpf3})
        ASSERT_EQ(itens().Salva(*Item(QStringLiteral("0561"), ni)), TColecaoPruvItem::Inserido);
    EXPECT_EQ(itens().UltimaChave(), 3);
    const auto chave = [](const char* de, const char* para) {
        Banco()->Escreve(QStringLiteral("UPDATE PruvItem SET PRUV_ITEM_DK = '%1' WHERE PRUV_ITEM_DK = '%2'")
                             .arg(QLatin1String(para), QLatin1String(de)));
    };
    chave("0000003", "A0000099");
    chave("0000002", "12");
    EXPECT_EQ(itens().UltimaChave(), 12);   // the last by the index holds a letter: weighed all
    chave("12", "000000000000015");
    EXPECT_EQ(itens().UltimaChave(), 15);
    chave("0000001", "9999998");
    EXPECT_EQ(itens().UltimaChave(), 9999998);
    for (const char* cheia : {"9999999", "12345678", "123456789012345678901234567890"}) {
        SCOPED_TRACE(cheia);
        chave("9999998", cheia);
        try {
            (void)itens().UltimaChave();
            ADD_FAILURE() << "no key is left after " << cheia;
        } catch (const EColecaoError& e) {
            EXPECT_EQ(e.Codigo(), 141);
        }
        chave(cheia, "9999998");
    }
    // The last key by the index has seven digits, as every key the program writes: it is the
    // last, found by one seek, though a longer one (which the column never holds) has a higher
    // number; the next key, of seven digits, can be none of those.
    chave("9999998", "0000005");
    chave("A0000099", "0000004");
    EXPECT_EQ(itens().UltimaChave(), 5);
    chave("000000000000015", "0000003");
    EXPECT_EQ(itens().UltimaChave(), 5);
}

TEST_F(TColecaoPruvItemTest, AnotherItemsCodeAndBeneficiaryAskBeforeReplacingIt)
{
    auto a = Item(QStringLiteral("3208"), Cpf1, R(100));
    auto b = Item(QStringLiteral("0561"), Cpf1, R(200));
    itens().Salva(*a);
    itens().Salva(*b);
    const QString antes = Conteudo();

    auto editado = Relido(QStringLiteral("0561"), Cpf1);
    editado->GetCodigoRetencao().SetCodigo(QStringLiteral("3208"));
    try {
        itens().Salva(*editado);
        FAIL() << "no question";
    } catch (const EColecaoError& e) {
        EXPECT_EQ(e.Codigo(), 76);
        EXPECT_EQ(e.Parametro(), TNiContribuinte().Formata(Cpf1) + QStringLiteral(";3208"));
        EXPECT_EQ(e.Tipo(), TipoDialogo::Confirmacao);
        EXPECT_EQ(e.Botoes(), Botao::Sim | Botao::Nao);
    }
    EXPECT_EQ(Conteudo(), antes);
    TPruvItem atual(declaracao, declaracao);
    itens().LeRegistro(atual);
    EXPECT_EQ(atual.GetChave(), b->GetChave());   // the row being edited stays current

    // Yes: the other item gives way, in one go.
    EXPECT_EQ(itens().Substitui(*editado), TColecaoPruvItem::Atualizado);
    EXPECT_EQ(Linhas("PruvItem"), 1);
    EXPECT_EQ(Relido(QStringLiteral("3208"), Cpf1)->GetChave(), b->GetChave());
    EXPECT_EQ(declaracao.GetResumo().TOT_BENEF().GetValor(), R(1));
    EXPECT_EQ(declaracao.GetResumo().TOT_REND().GetValor(), R(200));
    EXPECT_TRUE(declaracao.ComprovantesExcluidos.isEmpty());   // the beneficiary stays

    // A free code updates the row in place.
    editado->GetCodigoRetencao().SetCodigo(QStringLiteral("1708"));
    EXPECT_EQ(itens().Salva(*editado), TColecaoPruvItem::Atualizado);
    EXPECT_EQ(Relido(QStringLiteral("1708"), Cpf1)->GetChave(), b->GetChave());
    EXPECT_EQ(Linhas("PruvItem"), 1);
}

TEST_F(TColecaoPruvItemTest, ABeneficiaryGoesWithItsLastItemInAnyOwner)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    auto a = Item(QStringLiteral("3208"), Cpf1);
    auto f = Item(QStringLiteral("3208"), Cpf1, R(5), &anexo);
    auto b = Item(QStringLiteral("0561"), Cpf2);
    itens().Salva(*a);
    anexo.GetItens().Salva(*f);
    itens().Salva(*b);
    EXPECT_EQ(Linhas("Benef"), 2);

    b->GetBeneficiario().SetNi(Cpf3);   // moved: Cpf2 has no item left
    itens().Salva(*b);
    EXPECT_EQ(declaracao.ComprovantesExcluidos, QStringList{TNiContribuinte().Formata(Cpf2)});
    EXPECT_EQ(Linhas("Benef"), 2);

    a->GetBeneficiario().SetNi(Cpf3);   // Cpf1 keeps the annex's item
    itens().Salva(*a);
    EXPECT_EQ(declaracao.ComprovantesExcluidos.size(), 1);
    EXPECT_EQ(Linhas("Benef"), 2);

    anexo.GetItens().Exclui(*f);   // the annex's last item, and Cpf1's
    EXPECT_TRUE(f->GetChave().isEmpty());
    EXPECT_TRUE(f->GetBeneficiario().GetNiFormatado().isEmpty());
    EXPECT_EQ(declaracao.ComprovantesExcluidos.size(), 2);
    EXPECT_EQ(Linhas("Benef"), 1);
    EXPECT_EQ(Linhas("PruvItem"), 2);
}

TEST_F(TColecaoPruvItemTest, SummariesFollowEverySaveAndDelete)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    auto a = Item(QStringLiteral("0561"), Cpf1, R(1000));
    a->GetValores().GetRendimento(13).SetValor(R(500));
    a->GetValores().GetImposto(1).SetValor(R(100));
    a->GetSubJudice().GetRendimento(2).SetValor(R(300));
    auto b = Item(QStringLiteral("1708"), Cpf2, R(200));
    auto f = Item(QStringLiteral("3208"), Cpf2, R(50), &anexo);
    itens().Salva(*a);
    itens().Salva(*b);
    anexo.GetItens().Salva(*f);

    TResumo& proprio = declaracao.GetResumo();
    EXPECT_EQ(proprio.TOT_BENEF().GetValor(), R(2));
    EXPECT_EQ(proprio.TOT_REND().GetValor(), R(1700));
    EXPECT_EQ(proprio.TOT_IRRF().GetValor(), R(100));
    EXPECT_EQ(proprio.TOT_REND_SUBJUD().GetValor(), R(300));
    EXPECT_EQ(anexo.GetResumo().TOT_REND().GetValor(), R(50));
    EXPECT_EQ(declaracao.GetResumoTotal().TOT_BENEF().GetValor(), R(3));
    EXPECT_EQ(declaracao.GetResumoTotal().TOT_REND().GetValor(), R(1750));

    a->GetValores().GetRendimento(1).SetValor(R(800));
    itens().Salva(*a);
    itens().Exclui(*b);
    EXPECT_EQ(proprio.TOT_BENEF().GetValor(), R(1));
    EXPECT_EQ(proprio.TOT_REND().GetValor(), R(1300));
    EXPECT_EQ(declaracao.GetResumoTotal().TOT_REND().GetValor(), R(1350));

    // Both rows are stored, told apart by the annex flag.
    for (TPruvAnexo* dono : {static_cast<TPruvAnexo*>(&declaracao), static_cast<TPruvAnexo*>(&anexo)}) {
        TResumo lido(dono);
        ASSERT_TRUE(declaracao.GetColecaoResumo().Carrega(lido));
        EXPECT_EQ(lido.TOT_BENEF().GetValor(), dono->GetResumo().TOT_BENEF().GetValor());
        EXPECT_EQ(lido.TOT_REND().GetValor(), dono->GetResumo().TOT_REND().GetValor());
        EXPECT_EQ(lido.TOT_REND_SUBJUD().GetValor(), dono->GetResumo().TOT_REND_SUBJUD().GetValor());
    }
}

TEST_F(TColecaoPruvItemTest, AnItemFilledAnewReplacesTheStoredJudicialValues)
{
    auto a = Item(QStringLiteral("3208"), Cpf1);
    a->GetSubJudice().GetDeposito(4).SetValor(R(60));
    itens().Salva(*a);
    auto importado = Item(QStringLiteral("3208"), Cpf1);   // as an import that replaces the item
    itens().Salva(*importado);
    EXPECT_EQ(importado->GetChave(), a->GetChave());
    EXPECT_EQ(Linhas("Judicial"), 0);
    EXPECT_EQ(declaracao.GetResumo().TOT_DEP_SUBJUD().GetValor(), 0);
}

// Every judicial value of month 2, each its own amount from base on; 0 clears them.
void Judicial(TPruvItem& item, qint64 base)
{
    TSubJudice& s = item.GetSubJudice();
    TCompensacao& c = item.GetCompensacao();
    int n = 0;
    for (TMonetario* valor : {&s.GetRendimento(2), &s.GetDeducao(2), &s.GetImposto(2), &s.GetDeposito(2),
                              &c.GetCompensacaoAno(2), &c.GetCompensacaoAnosAnteriores(2)})
        valor->SetValor(base == 0 ? 0 : base + R(n++));
}

// The judicial row of the owner's item, as the amounts of month 2 in whole reais in the order of
// the table; empty when there is none.
QString JudicialArmazenado(const QString& dono, const QString& chave)
{
    auto banco = Banco();
    TComando c(banco->Conexao(),
               QStringLiteral("SELECT * FROM \"%1\" WHERE \"E_PRUV/ANEXO_DK\" = '%2' AND "
                              "PRUV_ITEM_DK = '%3'")
                   .arg(banco->NomeReal(QStringLiteral("Judicial")), dono, chave));
    QString texto;
    if (c.Passo())
        for (int coluna : {4, 17, 30, 43, 56, 69})
            texto += QString::number(c.Inteiro(coluna) / TMonetario::Escala) + QLatin1Char(' ');
    return texto;
}

// The fund page keeps one collection while its owner moves from fund to fund.
TEST_F(TColecaoPruvItemTest, TheJudicialValuesFollowTheOwnerTheCollectionIsMovedTo)
{
    AnexoArmazenado dono(declaracao, QStringLiteral("00001"));
    auto a = Item(QStringLiteral("3208"), Cpf1, R(1000), &dono);
    Judicial(*a, R(5));
    ASSERT_EQ(dono.GetItens().Salva(*a), TColecaoPruvItem::Inserido);

    for (const char* chave : {"00002", "00003"}) {
        SCOPED_TRACE(chave);
        const QString fundo = QLatin1String(chave);
        const AnexoArmazenado armazenado(declaracao, fundo);   // items go only under a stored fund
        dono.SetChave(fundo);
        dono.GetItens().AplicaFiltro();
        auto b = Item(QStringLiteral("3208"), Cpf2, R(500), &dono);
        Judicial(*b, R(10));
        ASSERT_EQ(dono.GetItens().Salva(*b), TColecaoPruvItem::Inserido);
        EXPECT_EQ(b->GetChave(), QStringLiteral("0000001"));   // the first of its owner
        Judicial(*b, R(20));
        ASSERT_EQ(dono.GetItens().Salva(*b), TColecaoPruvItem::Atualizado);
        EXPECT_EQ(JudicialArmazenado(fundo, b->GetChave()), QStringLiteral("20 21 22 23 24 25 "));
        EXPECT_EQ(Relido(QStringLiteral("3208"), Cpf2, &dono)->GetCompensacao().GetCompensacaoAno(2).GetValor(), R(24));
        Judicial(*b, 0);
        dono.GetItens().Salva(*b);
        EXPECT_EQ(JudicialArmazenado(fundo, b->GetChave()), QString());

        // Moved to a code without sub judice values and back: nothing of the row comes back.
        Judicial(*b, R(30));
        dono.GetItens().Salva(*b);
        b->GetCodigoRetencao().SetCodigo(QStringLiteral("1708"));
        declaracao.GetColecaoCodigoRetencao().BuscaCodigo(b->GetCodigoRetencao(), b->GetInAnexo());
        dono.GetItens().Salva(*b);
        EXPECT_EQ(JudicialArmazenado(fundo, b->GetChave()), QString());
        b->GetCodigoRetencao().SetCodigo(QStringLiteral("3208"));
        declaracao.GetColecaoCodigoRetencao().BuscaCodigo(b->GetCodigoRetencao(), b->GetInAnexo());
        dono.GetItens().Salva(*b);
        EXPECT_EQ(Relido(QStringLiteral("3208"), Cpf2, &dono)->GetSubJudice().GetDeposito(2).GetValor(), 0);

        // Deleted with its row; the next item, though it takes the same key once the owner is
        // read anew, inherits nothing.
        Judicial(*b, R(40));
        dono.GetItens().Salva(*b);
        dono.GetItens().Exclui(*b);
        EXPECT_EQ(JudicialArmazenado(fundo, QStringLiteral("0000001")), QString());
        dono.LiberaItens();
        auto c = Item(QStringLiteral("3208"), Cpf3, R(700), &dono);
        ASSERT_EQ(dono.GetItens().Salva(*c), TColecaoPruvItem::Inserido);
        EXPECT_EQ(c->GetChave(), QStringLiteral("0000001"));
        EXPECT_EQ(Descreve(*Relido(QStringLiteral("3208"), Cpf3, &dono)), Descreve(*c));
        EXPECT_EQ(c->GetSubJudice().GetDeposito(2).GetValor(), 0);
    }
    // The first owner's row is as it was saved.
    EXPECT_EQ(JudicialArmazenado(QStringLiteral("00001"), a->GetChave()), QStringLiteral("5 6 7 8 9 10 "));
    EXPECT_EQ(dialogos.Mensagens().size(), 0U);
}

// The owner given another key while its collection lives, the collection not told: every find,
// walk, save and delete works at once on the items of the new key, and the former key's items are
// as they were when the owner comes back to it.
TEST_F(TColecaoPruvItemTest, EveryOperationFollowsTheOwnersNewKeyUntold)
{
    AnexoArmazenado dono(declaracao, QStringLiteral("00001"));
    const AnexoArmazenado outro(declaracao, QStringLiteral("00002"));   // the stored fund it moves to
    TColecaoPruvItem& colecao = dono.GetItens();
    auto a = Item(QStringLiteral("3208"), Cpf1, R(1000), &dono);
    ASSERT_EQ(colecao.Salva(*a), TColecaoPruvItem::Inserido);
    auto a2 = Item(QStringLiteral("3208"), Cpf2, R(1100), &dono);
    ASSERT_EQ(colecao.Salva(*a2), TColecaoPruvItem::Inserido);

    dono.SetChave(QStringLiteral("00002"));
    auto procurado = Item(QStringLiteral("3208"), Cpf1, 0, &dono);
    EXPECT_FALSE(colecao.Carrega(*procurado));   // the other owner's item is none of this one's
    procurado->SetChave(QStringLiteral("0000001"));
    EXPECT_FALSE(colecao.Carrega(*procurado));
    auto b = Item(QStringLiteral("3208"), Cpf1, R(500), &dono);
    ASSERT_EQ(colecao.Salva(*b), TColecaoPruvItem::Inserido);
    EXPECT_EQ(b->GetChave(), QStringLiteral("0000001"));   // the first of its owner
    b->GetValores().GetRendimento(2).SetValor(R(50));
    ASSERT_EQ(colecao.Salva(*b), TColecaoPruvItem::Atualizado);
    auto lido = Item(QStringLiteral("3208"), Cpf3, 0, &dono);
    colecao.PrimeiroRegistro(*lido);
    EXPECT_EQ(Descreve(*lido), Descreve(*b));
    EXPECT_TRUE(colecao.NoUltimo());   // the walk holds the new key's one item
    colecao.Exclui(*b);
    EXPECT_EQ(Linhas("PruvItem"), 2);

    dono.SetChave(QStringLiteral("00001"));
    EXPECT_EQ(Descreve(*Relido(QStringLiteral("3208"), Cpf1, &dono)), Descreve(*a));
    EXPECT_EQ(Descreve(*Relido(QStringLiteral("3208"), Cpf2, &dono)), Descreve(*a2));
    EXPECT_EQ(dialogos.Mensagens().size(), 0U);
}

// A row left by an item deleted while the fault that kept it lasted: a new item that takes the
// key takes none of it, whatever its code.
TEST_F(TColecaoPruvItemTest, ANewItemTakesNothingOfAJudicialRowLeftAtItsKey)
{
    for (const char* codigo : {"3208", "1708"}) {
        SCOPED_TRACE(codigo);
        AnexoArmazenado dono(declaracao, QStringLiteral("00002"));
        dono.GetItens();
        Banco()->Escreve(QStringLiteral("DELETE FROM PruvItem"));
        auto velho = Item(QStringLiteral("3208"), Cpf1, R(100), &dono);
        Judicial(*velho, R(10));
        dono.GetItens().Salva(*velho);
        Banco()->Escreve(QStringLiteral("DELETE FROM PruvItem"));
        dono.LiberaItens();
        auto novo = Item(QLatin1String(codigo), Cpf2, R(200), &dono);
        ASSERT_EQ(dono.GetItens().Salva(*novo), TColecaoPruvItem::Inserido);
        EXPECT_EQ(novo->GetChave(), velho->GetChave());
        EXPECT_EQ(JudicialArmazenado(QStringLiteral("00002"), novo->GetChave()), QString());
        EXPECT_EQ(Relido(QLatin1String(codigo), Cpf2, &dono)->GetSubJudice().GetDeposito(2).GetValor(), 0);
    }
}

TEST_F(TColecaoPruvItemTest, BeforeTwoThousandNothingReachesTheJudicialTable)
{
    declaracao.SetAno(QStringLiteral("1999"));
    auto a = Item(QStringLiteral("0561"), Cpf1);
    a->GetSubJudice().GetRendimento(2).SetValor(R(300));
    a->GetCompensacao().GetCompensacaoAno(2).SetValor(R(30));
    itens().Salva(*a);
    EXPECT_EQ(Linhas("Judicial"), 0);
    EXPECT_EQ(declaracao.GetResumo().TOT_REND_SUBJUD().GetValor(), 0);
    EXPECT_EQ(declaracao.GetResumo().TOT_ANO_ATU().GetValor(), R(30));
}

TEST_F(TColecaoPruvItemTest, AFailureAnywhereLeavesEveryTableAndTheSummariesAsTheyWere)
{
    const TOperacoes operacoes = Operacoes();
    TPruvItem* movido = operacoes.Movido.get();
    for (const auto& [nome, acao] : operacoes.Lista) {
        SCOPED_TRACE(nome);
        int falhas = 0;
        for (;; ++falhas) {
            const QString antes = Conteudo();
            const QString chave = movido->GetChave();
            const qint64 rendimento = declaracao.GetResumo().TOT_REND().GetValor();
            const qint64 total = declaracao.GetResumoTotal().TOT_BENEF().GetValor();
            Banco()->FalhaNaProximaEscrita(falhas);
            try {
                acao();
                break;
            } catch (const EColecaoError& e) {
                EXPECT_EQ(e.Codigo(), 141);
            }
            EXPECT_EQ(Conteudo(), antes);
            EXPECT_EQ(movido->GetChave(), chave);
            EXPECT_EQ(declaracao.GetResumo().TOT_REND().GetValor(), rendimento);
            EXPECT_EQ(declaracao.GetResumoTotal().TOT_BENEF().GetValor(), total);
        }
        EXPECT_GE(falhas, 3);                // the item, its beneficiary, its judicial row and the summary at least
        Banco()->FalhaNaProximaEscrita(0);   // disarms what the successful run left armed
        EXPECT_THROW(Banco()->Escreve(QStringLiteral("SELECT 1")), EDBEngineError);
    }
    EXPECT_EQ(Linhas("PruvItem"), 1);
    EXPECT_EQ(declaracao.GetResumo().TOT_BENEF().GetValor(), R(1));
}

TEST_F(TColecaoPruvItemTest, AFailureOfTheDiskAtAnyOperationLeavesEveryTableAndTheSummariesAsTheyWere)
{
    const TOperacoes operacoes = Operacoes();
    for (const auto& [nome, acao] : operacoes.Lista) {
        SCOPED_TRACE(nome);
        const QString antes = Conteudo();
        const qint64 rendimento = declaracao.GetResumo().TOT_REND().GetValor();
        const qint64 total = declaracao.GetResumoTotal().TOT_BENEF().GetValor();
        const int falhas = FalhasDeDisco::PorCadaOperacao(
            FalhasDeDisco::Escrita | FalhasDeDisco::Sincronia | FalhasDeDisco::Truncagem, acao, [&](int) {
                EXPECT_EQ(Conteudo(), antes);
                EXPECT_EQ(declaracao.GetResumo().TOT_REND().GetValor(), rendimento);
                EXPECT_EQ(declaracao.GetResumoTotal().TOT_BENEF().GetValor(), total);
            });
        EXPECT_GE(falhas, 3);
    }
    EXPECT_EQ(Linhas("PruvItem"), 1);
}

TEST_F(TColecaoPruvItemTest, ABulkLoadAppendsAndStoresItsSummaryUpToDateAtTheEnd)
{
    itens().SetGravarEmDisco(false);
    itens().SetNaoAtualizaAux(true);
    TResumo lido(&declaracao);
    declaracao.GetColecaoResumo().Carrega(lido);
    EXPECT_FALSE(lido.GetOK());
    auto a = Item(QStringLiteral("0561"), Cpf1);
    auto b = Item(QStringLiteral("3208"), Cpf1);
    itens().Salva(*a);
    itens().Salva(*b);
    EXPECT_FALSE(Banco()->WriteThrough());
    declaracao.LiberaItens();
    EXPECT_TRUE(Banco()->WriteThrough());
    declaracao.GetColecaoResumo().Carrega(lido);
    EXPECT_TRUE(lido.GetOK());
    EXPECT_EQ(lido.TOT_BENEF().GetValor(), R(2));
    EXPECT_EQ(Linhas("PruvItem"), 2);

    // Turned on again by the loader rather than at the end.
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    anexo.GetItens().SetGravarEmDisco(false);
    auto f = Item(QStringLiteral("3208"), Cpf2, R(5), &anexo);
    anexo.GetItens().Salva(*f);
    anexo.GetItens().SetGravarEmDisco(true);
    EXPECT_TRUE(Banco()->WriteThrough());
    TResumo doAnexo(&anexo);
    declaracao.GetColecaoResumo().Carrega(doAnexo);
    EXPECT_TRUE(doAnexo.GetOK());
    EXPECT_EQ(doAnexo.TOT_REND().GetValor(), R(5));
}

TEST_F(TColecaoPruvItemTest, ABulkLoadEndedByTheDestructorShowsItsFailureAndGoesOn)
{
    itens().SetGravarEmDisco(false);
    auto a = Item(QStringLiteral("0561"), Cpf1);
    itens().Salva(*a);
    Banco()->FalhaNaProximaEscrita();
    // Showing the failure fails too: the destructor must still end quietly.
    dialogos.AoMostrar([](const TMensagemDialogo&) { throw std::runtime_error("no screen"); });
    declaracao.LiberaItens();
    Banco()->FalhaNaProximaEscrita(-1);
    ASSERT_FALSE(dialogos.Codigos().empty());
    for (int codigo : dialogos.Codigos())
        EXPECT_EQ(codigo, 141);
}

TEST_F(TColecaoPruvItemTest, TheJoinedWalkGivesEachItemAsReadingItsRowDoesInEveryOrder)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    auto a = Item(QStringLiteral("3208"), Cpf2, R(10));
    a->GetValores().GetDeducao(2).SetValor(R(4));
    a->GetSubJudice().GetRendimento(3).SetValor(R(30));
    a->GetSubJudice().GetDeposito(5).SetValor(R(6));
    a->GetCompensacao().GetCompensacaoAnosAnteriores(7).SetValor(R(2));
    auto b = Item(QStringLiteral("0561"), Cpf2, R(20));
    b->GetValores().GetRendimento(13).SetValor(R(9));
    auto c = Item(QStringLiteral("0561"), Cnpj1, R(30));
    auto d = Item(QStringLiteral("1708"), Cpf1, R(40));
    auto e = Item(QStringLiteral("0924"), Cpf3, R(50));
    e->GetSubJudice().GetDeposito(4).SetValor(R(8));
    auto doAnexo = Item(QStringLiteral("3208"), Cpf1, R(60), &anexo);
    for (TPruvItem* i : {a.get(), b.get(), c.get(), d.get(), e.get()})
        ASSERT_EQ(itens().Salva(*i), TColecaoPruvItem::Inserido);
    anexo.GetItens().Salva(*doAnexo);
    ASSERT_EQ(Linhas("Judicial"), 2);
    // A beneficiary whose row is gone: the collection's own search decides its name.
    Banco()->Escreve(QStringLiteral("DELETE FROM Benef WHERE NR_PF_PJ = '333222111'"));

    for (const auto ordem :
         {TColecaoPruvItem::OrdemChave, TColecaoPruvItem::OrdemCodigo, TColecaoPruvItem::OrdemBeneficiario}) {
        SCOPED_TRACE(static_cast<int>(ordem));
        itens().SetOrdem(ordem);
        QStringList esperados;
        TPruvItem lido(declaracao, declaracao);
        for (itens().PrimeiroRegistro(lido); !itens().Eof(); itens().ProximoRegistro(lido))
            esperados << Descreve(lido);
        ASSERT_EQ(esperados.size(), 5);

        // Once straight through, once with a write after every item (which lets the query go).
        for (const bool escreve : {false, true}) {
            SCOPED_TRACE(escreve);
            QStringList vistos;
            TPruvItem item(declaracao, declaracao);
            itens().IniciaLeitura();
            while (itens().LeProximo(item)) {
                vistos << Descreve(item);
                EXPECT_FALSE(item.GetAlterado());
                if (escreve)
                    Banco()->Escreve(QStringLiteral("UPDATE Resumo SET E_PRUV_DK = E_PRUV_DK"));
            }
            EXPECT_FALSE(itens().LeProximo(item));
            itens().EncerraLeitura();
            EXPECT_EQ(vistos, esperados);
        }
    }
}

// The items of one beneficiary come in a row; the walk loads the beneficiary once for them. What
// each item holds and the pending items its check finds stay those of reading its row alone,
// whether the beneficiary's number is faulty, its row is changed in mid-walk or between walks, or
// the walk's own object is changed between two items.
TEST_F(TColecaoPruvItemTest, AWalkLoadsARepeatedBeneficiaryOnceAndGivesWhatReadingEachRowGives)
{
    const QString codigos[] = {QStringLiteral("0561"), QStringLiteral("3208"), QStringLiteral("1708")};
    for (const QString& ni : {Cpf1, Cpf2, Cpf3, Cnpj1})
        for (const QString& codigo : codigos)
            ASSERT_EQ(itens().Salva(*Item(codigo, ni, R(100))), TColecaoPruvItem::Inserido);
    ASSERT_EQ(itens().Salva(*Item(QStringLiteral("0924"), Cpf1, R(5))), TColecaoPruvItem::Inserido);
    // A number no one has, as an older program or a hand-made file may have stored it.
    Banco()->Escreve(QStringLiteral("UPDATE PruvItem SET E_NR_PF_PJ = '000000000' WHERE E_NR_PF_PJ = '222333444'"));
    Banco()->Escreve(QStringLiteral("UPDATE Benef SET NR_PF_PJ = '000000000' WHERE NR_PF_PJ = '222333444'"));

    // Each item as reading its row alone gives it, with its pending items.
    const auto pendencias = [](TPruvItem& item) {
        TErros erros;
        item.VerificaPendencias(erros);
        QString texto;
        for (int i = 0; i < erros.Count(); ++i) {
            const TErro& e = erros.Items(i);
            texto += QStringLiteral(" [%1 %2 %3 %4 %5]")
                         .arg(e.Codigo())
                         .arg(e.Parametro(), e.AQuemPertence(), e.QuemEh())
                         .arg(e.Objeto());
        }
        return texto;
    };
    const auto esperados = [&] {
        QStringList linhas;
        TPruvItem lido(declaracao, declaracao);
        for (itens().PrimeiroRegistro(lido); !itens().Eof(); itens().ProximoRegistro(lido))
            linhas << Descreve(lido) + pendencias(lido);
        return linhas;
    };
    // The walk, with Mexe run after the item of that index.
    const auto caminha = [&](TPruvItem& item, const std::map<int, std::function<void()>>& mexe = {}) {
        QStringList linhas;
        TConferenciaContribuinte conferencia;
        itens().IniciaLeitura();
        while (itens().LeProximo(item)) {
            TErros erros;
            item.VerificaPendencias(erros, conferencia);
            linhas << Descreve(item) + pendencias(item);
            if (const auto acao = mexe.find(static_cast<int>(linhas.size())); acao != mexe.end())
                acao->second();
        }
        itens().EncerraLeitura();
        return linhas;
    };

    const QStringList antes = esperados();
    ASSERT_EQ(antes.size(), 13);
    ASSERT_TRUE(antes[3].contains(QStringLiteral("000.000.000-00")));
    ASSERT_TRUE(antes[3].contains(QStringLiteral(" [66 ")));
    declaracao.ErrosDeCarga.Limpa();
    TPruvItem item(declaracao, declaracao);
    EXPECT_EQ(caminha(item), antes);
    // The faulty number still reaches the item's sink.
    ASSERT_FALSE(declaracao.ErrosDeCarga.Vazia());
    for (int i = 0; i < declaracao.ErrosDeCarga.Count(); ++i)
        EXPECT_EQ(declaracao.ErrosDeCarga.Items(i).Codigo(), 66);

    // Edited between walks.
    Banco()->Escreve(QStringLiteral("UPDATE Benef SET NM_NM_EMPR = 'ANA SOUZA' WHERE NR_PF_PJ = '333222111'"));
    const QStringList depois = esperados();
    ASSERT_NE(depois, antes);
    EXPECT_EQ(caminha(item), depois);

    // In mid-walk: the stored name after the first item; the walk's object given another number
    // and its changed flag cleared (as a save clears it) after the second, another name after the
    // fourth, and emptied after the seventh.
    const std::map<int, std::function<void()>> mexe = {
        {1,
         [] { Banco()->Escreve(QStringLiteral("UPDATE Benef SET NM_NM_EMPR = 'JOAO' WHERE NR_PF_PJ = '111444777'")); }},
        {2,
         [&] {
             item.GetBeneficiario().SetNi(Cpf3);
             item.SetAlterado(false);
         }},
        {4, [&] { item.GetBeneficiario().Nome().SetTexto(QStringLiteral("OUTRO NOME")); }},
        {7, [&] { item.Limpa(); }},
    };
    QStringList emCurso = caminha(item, mexe);
    const QStringList finais = esperados();
    ASSERT_EQ(emCurso.size(), 13);
    EXPECT_EQ(emCurso.mid(1), finais.mid(1));
    EXPECT_TRUE(emCurso[0].contains(QStringLiteral("JOSE DA SILVA")));
    EXPECT_TRUE(finais[1].contains(QStringLiteral("JOAO")));
}

TEST_F(TColecaoPruvItemTest, ABulkLoadStoresTheRowsThatSavingOneByOneStores)
{
    const auto itensDeTeste = [&] {
        std::vector<std::unique_ptr<TPruvItem>> lista;
        lista.push_back(Item(QStringLiteral("3208"), Cpf1, R(10)));
        lista.back()->GetValores().GetDeducao(2).SetValor(R(4));
        lista.back()->GetValores().GetRendimento(13).SetValor(R(8));   // not kept by this code
        lista.back()->GetSubJudice().GetImposto(3).SetValor(R(3));
        lista.push_back(Item(QStringLiteral("0561"), Cpf1, R(20)));
        lista.back()->GetValores().GetImposto(13).SetValor(R(2));
        lista.push_back(Item(QStringLiteral("0561"), Cnpj1, R(30)));
        lista.back()->GetValores().GetDeducao(1).SetValor(R(5));      // a CNPJ has none
        lista.back()->GetSubJudice().GetDeposito(1).SetValor(R(7));   // nor judicial values
        lista.push_back(Item(QStringLiteral("1708"), Cpf2, -R(1)));   // stored as 0
        lista.back()->GetCompensacao().GetCompensacaoAno(1).SetValor(R(6));
        return lista;
    };
    auto umAUm = itensDeTeste();
    for (auto& i : umAUm)
        itens().Salva(*i);
    const QString esperado = Conteudo({"PruvItem", "Judicial", "Benef"});   // a load marks its summary up to date
    const qint64 rendimento = declaracao.GetResumo().TOT_REND().GetValor();
    itens().ExcluiTodos();
    Banco()->Escreve(QStringLiteral("DELETE FROM Benef"));
    declaracao.GetResumo().Zera();
    declaracao.LiberaItens();   // keys count from 1 again

    TTransacao transacao(*Banco());
    itens().SetGravarEmDisco(false);
    itens().SetNaoAtualizaAux(true);
    auto emLote = itensDeTeste();
    for (std::size_t i = 0; i < emLote.size(); ++i) {
        ASSERT_EQ(itens().Salva(*emLote[i]), TColecaoPruvItem::Inserido);
        EXPECT_EQ(Descreve(*emLote[i]), Descreve(*umAUm[i]));   // the rules applied to the item alike
    }
    itens().SetGravarEmDisco(true);
    transacao.Confirma();
    EXPECT_EQ(Conteudo({"PruvItem", "Judicial", "Benef"}), esperado);
    EXPECT_EQ(declaracao.GetResumo().TOT_REND().GetValor(), rendimento);
}

TEST_F(TColecaoPruvItemTest, AFailedBulkLoadLeavesNoItemInPart)
{
    auto guardado = Item(QStringLiteral("0561"), Cpf3);
    itens().Salva(*guardado);
    const auto carrega = [&] {
        itens().SetGravarEmDisco(false);
        itens().SetNaoAtualizaAux(true);
        for (const QString& ni : {Cpf1, Cpf2}) {
            auto i = Item(QStringLiteral("3208"), ni);
            i->GetSubJudice().GetRendimento(1).SetValor(R(5));
            itens().Salva(*i);
        }
        itens().SetGravarEmDisco(true);
    };
    // Inside the caller's transaction (an import), the whole load is undone.
    int falhas = 0;
    for (;; ++falhas) {
        SCOPED_TRACE(falhas);
        const QString antes = Conteudo();
        Banco()->FalhaNaProximaEscrita(falhas);
        try {
            TTransacao transacao(*Banco());
            try {
                carrega();
            } catch (...) {
                itens().SetGravarEmDisco(true);   // the load ends before the transaction, as an import's does
                throw;
            }
            transacao.Confirma();
            break;
        } catch (const EColecaoError& e) {
            EXPECT_EQ(e.Codigo(), 141);
        }
        EXPECT_EQ(Conteudo(), antes);
    }
    EXPECT_GE(falhas, 6);   // two items, each with its beneficiary and judicial row
    Banco()->FalhaNaProximaEscrita(-1);
    EXPECT_EQ(Linhas("PruvItem"), 3);

    // On its own, the items saved before the failure stay, each with all its rows, and the
    // failed one leaves nothing. Write 0 is the summary's, as the load starts; then three a item.
    itens().ExcluiTodos();
    Banco()->Escreve(QStringLiteral("DELETE FROM Benef"));
    for (int antes : {1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(antes);
        Banco()->FalhaNaProximaEscrita(antes);
        EXPECT_THROW(carrega(), EColecaoError);
        itens().SetGravarEmDisco(true);
        Banco()->FalhaNaProximaEscrita(-1);
        const qint64 guardados = Linhas("PruvItem");
        EXPECT_EQ(guardados, (antes - 1) / 3);
        EXPECT_EQ(Linhas("Benef"), guardados);
        EXPECT_EQ(Linhas("Judicial"), guardados);
        itens().ExcluiTodos();
        Banco()->Escreve(QStringLiteral("DELETE FROM Benef"));
    }
}

TEST_F(TColecaoPruvItemTest, AStatementSeesItsBeneficiarysItemsOfEveryOwnerByCode)
{
    AnexoArmazenado anexo(declaracao, QStringLiteral("00007"));
    auto a = Item(QStringLiteral("3208"), Cpf1, R(10));
    a->GetCompensacao().GetCompensacaoAno(1).SetValor(R(3));
    auto b = Item(QStringLiteral("0561"), Cpf1, R(20));
    auto f = Item(QStringLiteral("3208"), Cpf1, R(30), &anexo);
    auto outro = Item(QStringLiteral("0561"), Cpf2, R(40));
    for (TPruvItem* i : {a.get(), b.get(), outro.get()})
        itens().Salva(*i);
    anexo.GetItens().Salva(*f);

    QStringList vistos;
    itens().ParaCadaItem(a->GetBeneficiario(), [&](const TPruvItem& i) {
        vistos << i.GetInAnexo() + i.GetDono().GetChave() + i.GetCodigoRetencao().GetCodigo() + ':'
                + i.GetValores().GetRendimento(1).GetTexto() + '/' + i.GetCompensacao().GetCompensacaoAno(1).GetTexto();
    });
    EXPECT_EQ(vistos,
              (QStringList{QStringLiteral("0000010561:20,00/0,00"), QStringLiteral("0000013208:10,00/3,00"),
                           QStringLiteral("1000073208:30,00/0,00")}));
    // The owner's view is back.
    EXPECT_EQ(itens().Quantidade(), 3);
}

}   // namespace
