#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/search/TFoPesquisar.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "screens/pages/TFrBeneficiarios.h"

namespace {

using P = TPaginaDeclaracao;

// The engine's work of each action on the declaration's screens, by SQLite's own count of the
// steps of its machine: it tells a seek from a walk over the declaration whatever the computer.
class TrabalhoDasTelasTest : public DeclaracaoAbertaDeTeste {
protected:
    static constexpr const char* Codigos[] = {"0561", "0588", "3208", "3223", "3277",
                                              "3533", "3562", "5204", "5706", "5936"};

    // The number in syllables, one per digit: names take no digits.
    static QString Letras(int numero)
    {
        static const char* const Silabas[] = {"BA", "CE", "DI", "FO", "GU", "LA", "ME", "NI", "PO", "RU"};
        QString letras;
        for (int i = 0; i < 4; ++i, numero /= 10)
            letras.prepend(QLatin1String(Silabas[numero % 10]));
        return letras;
    }
    // A stored declaration of the declarant (with the nature of that position) whose people have
    // ten items each, written as one transaction.
    void Armazena(const QString& ni, int pessoas, int natureza = 0)
    {
        auto pruv = Armazenada(ni, "2002", natureza);
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TTransacao transacao(*banco);
        TColecaoPruvItem& itens = pruv->GetItens();
        itens.SetGravarEmDisco(false);
        itens.SetNaoAtualizaAux(true);
        TPruvItem item(*pruv, *pruv);
        for (int p = 0; p < pessoas; ++p) {
            // One in ten a company, so that the CNPJ key lists rows too.
            const QString raiz = p % 10 == 9
                ? QStringLiteral("%1").arg(100000000000LL + p * 7919LL, 12, 10, QLatin1Char('0'))
                : QStringLiteral("%1").arg(100000000 + p * 7919, 9, 10, QLatin1Char('0'));
            for (const char* codigo : Codigos) {
                item.Limpa();
                item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
                pruv->GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
                item.GetBeneficiario().SetNi(raiz + CalculaDV(raiz));
                item.GetBeneficiario().Nome().SetTexto(QStringLiteral("BENEFICIARIO ") + Letras(p));
                item.GetValores().GetRendimento(1).SetValor(1000 * TMonetario::Escala);
                itens.Salva(item);
            }
        }
        itens.SetGravarEmDisco(true);
        pruv->LiberaItens();
        transacao.Confirma();
    }

    template <class Acao> void Conta(const std::string& nome, Acao&& acao)
    {
        const quint64 antes = TComando::PassosMotor();
        acao();
        QApplication::processEvents();
        trabalho[nome] = TComando::PassosMotor() - antes;
    }
    void Clica(P pagina, const char* botao, const std::string& nome)
    {
        Conta(nome + (pagina == P::Beneficiarios ? " nos beneficiários" : " no comprovante"),
              [&] { quadro->Pagina(pagina).findChild<QToolButton*>(QLatin1String(botao))->click(); });
    }
    // Every action of the search window (Ctrl+S) on the open declaration: opening it, then for
    // each key choosing it, a keystroke, Backspace and a move in its list; and coming back to it.
    void MedePesquisa()
    {
        Conta("pesquisa: abre", [&] { MostraPesquisa(janela->ObtemDeclaracao(), {}, janela.get()); });
        TFoPesquisar& pesquisa = *FoPesquisar();
        TFrPesquisarPruv& quadroPesquisa = *pesquisa.FrPesquisarPruv;
        const struct {
            TFrPesquisarPruv::TChave Chave;
            const char* Nome;
            Qt::Key Tecla;
        } chaves[] = {
            // Each keystroke goes past most of the list: a search that walks, rather than seeks, to
            // the first match reads all of them.
            {TFrPesquisarPruv::ChaveCpf, "CPF", Qt::Key_9},
            {TFrPesquisarPruv::ChaveCnpj, "CNPJ", Qt::Key_9},
            {TFrPesquisarPruv::ChaveNome, "nome", Qt::Key_N},
            {TFrPesquisarPruv::ChaveCodigo, "código", Qt::Key_5},
        };
        for (const auto& c : chaves) {
            const std::string chave = std::string(" (") + c.Nome + ")";
            Conta("pesquisa: escolhe a chave" + chave, [&] { quadroPesquisa.SelecionaChave(c.Chave); });
            // What the typing timer does once the user pauses.
            Conta("pesquisa: tecla" + chave, [&] {
                QTest::keyClick(quadroPesquisa.EdChave, c.Tecla);
                quadroPesquisa.RestringePruv();
            });
            Conta("pesquisa: Backspace" + chave, [&] {
                QTest::keyClick(quadroPesquisa.EdChave, Qt::Key_Backspace);
                quadroPesquisa.RestringePruv();
            });
            QWidget* lista = c.Chave == TFrPesquisarPruv::ChaveCodigo
                ? static_cast<QWidget*>(quadroPesquisa.DbgPruvItem)
                : static_cast<QWidget*>(quadroPesquisa.DbgBeneficiarios);
            EXPECT_TRUE(lista->isVisible()) << c.Nome;
            Conta("pesquisa: desce na lista" + chave, [&] { QTest::keyClick(lista, Qt::Key_Down); });
            Conta("pesquisa: desce uma página" + chave, [&] { QTest::keyClick(lista, Qt::Key_PageDown); });
        }
        // Back from the main window: the search reads its tables again.
        janela->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela.get()));
        Conta("pesquisa: reativação", [&] {
            pesquisa.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&pesquisa));
        });
        LiberaPesquisa();
        QApplication::processEvents();
    }

    // Every action on the declaration of that declarant, each counted on its own.
    std::map<std::string, quint64> Mede(const QString& ni)
    {
        trabalho.clear();
        Inicia();
        Conta("abre", [&] {
            Abre(ni);
            quadro->AtivaPagina(P::Beneficiarios);
        });
        for (P pagina : {P::Beneficiarios, P::Comprovante}) {
            quadro->AtivaPagina(pagina);
            QApplication::processEvents();
            for (const char* botao : {"BbFirst", "BbNext", "BbLast", "BbPrior"})
                Clica(pagina, botao, botao);
            Clica(pagina, "BbNext", "BbNext ao último");
        }
        // The summary's list of the codes under which the declaration has items.
        Conta("resumo", [&] { quadro->AtivaPagina(P::Resumo); });
        MedePesquisa();
        // The first item saved after a start finds the owner's next key.
        Conta("primeiro item novo", [&] {
            TPruv& pruv = janela->ObtemDeclaracao();
            TPruvItem item(pruv, pruv);
            item.GetCodigoRetencao().SetCodigo(QStringLiteral("0561"));
            pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
            const QString raiz = QStringLiteral("%1").arg(900000000 + ++novos, 9, 10, QLatin1Char('0'));
            item.GetBeneficiario().SetNi(raiz + CalculaDV(raiz));
            item.GetBeneficiario().Nome().SetTexto(QStringLiteral("NOVO ") + Letras(novos));
            item.GetValores().GetRendimento(1).SetValor(1000 * TMonetario::Escala);
            EXPECT_EQ(pruv.GetItens().Salva(item), TColecaoPruvItem::Inserido);
            novo = item.GetChave();
        });
        // Taken away again, with its beneficiary: the next count finds the declaration as it was.
        TPruv& pruv = janela->ObtemDeclaracao();
        TPruvItem item(pruv, pruv);
        item.SetChave(novo);
        EXPECT_TRUE(pruv.GetItens().Carrega(item));
        pruv.GetItens().Exclui(item);
        janela.reset();
        return trabalho;
    }

    std::map<std::string, quint64> trabalho;
    int novos = 0;   // items saved by the counts, each of a beneficiary of its own
    QString novo;    // the key of the last
};

}   // namespace

TEST_F(TrabalhoDasTelasTest, EveryActionOfTheScreensDoesTheSameWorkAtAnySize)
{
    Armazena(Matriz, 100);   // 1,000 items, alone in the file
    const auto pequena = Mede(Matriz);
    Armazena(Filial, 2000);   // 20,000 items
    const auto grande = Mede(Filial);
    // The small one again, now beside the large one: no action reads another declaration's rows.
    const auto pequenaAoLado = Mede(Matriz);
    for (const auto& [acao, passos] : pequena) {
        // The deeper indexes of the larger declaration cost no steps; a walk over its rows costs
        // many at each row.
        EXPECT_LE(grande.at(acao), passos * 3 / 2 + 2000) << acao << ": " << passos << " steps at 1,000 items";
        EXPECT_LE(pequenaAoLado.at(acao), passos * 3 / 2 + 2000)
            << acao << ": " << passos << " steps with the 1,000 items alone in the file";
    }
}

// An order that SQLite must sort in a temporary b-tree reads every row in range before the first
// is shown: over the items or the beneficiaries that grows with the declaration, or with the file.
TEST_F(TrabalhoDasTelasTest, NoStatementOfTheScreensSortsItemsOrBeneficiaries)
{
    Armazena(Matriz, 10);
    Armazena(Filial, 10);
    QSet<QString> instrucoes;
    TComando::AnotaInstrucoes(&instrucoes);
    try {
        Mede(Matriz);
    } catch (...) {
        TComando::AnotaInstrucoes(nullptr);
        throw;
    }
    TComando::AnotaInstrucoes(nullptr);
    const QRegularExpression tabelas(QStringLiteral("\\b(PruvItem|Benef)\\b"),
                                     QRegularExpression::CaseInsensitiveOption);
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    int examinadas = 0;
    for (const QString& sql : std::as_const(instrucoes)) {
        if (!tabelas.match(sql).hasMatch())
            continue;
        ++examinadas;
        TComando plano(banco->Conexao(), QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        while (plano.Passo()) {
            const QString passo = plano.Texto(3);
            EXPECT_FALSE(passo.contains(QLatin1String("TEMP B-TREE")) && passo.contains(QLatin1String("ORDER BY")))
                << passo.toStdString() << " in " << sql.toStdString();
        }
    }
    EXPECT_GT(examinadas, 10);
}

// The summary lists the codes under which the declaration has items, each found by a seek: a fund
// administrator's by the declaration's key, its funds' items included.
TEST_F(TrabalhoDasTelasTest, TheSummaryFindsEachCodeOfAnAdministratorWithTheSameWorkAtAnySize)
{
    constexpr int Administradora = 3;
    const auto mede = [&](const QString& ni) {
        Inicia();
        Abre(ni);
        const quint64 antes = TComando::PassosMotor();
        quadro->AtivaPagina(P::Resumo);
        QApplication::processEvents();
        const quint64 passos = TComando::PassosMotor() - antes;
        janela.reset();
        return passos;
    };
    Armazena(Matriz, 100, Administradora);   // 1,000 items
    const quint64 pequena = mede(Matriz);
    Armazena(Outra, 2000, Administradora);   // 20,000 items
    const quint64 grande = mede(Outra);
    EXPECT_GT(pequena, 0u);
    EXPECT_LE(grande, pequena * 3 / 2 + 2000) << pequena << " steps at 1,000 items";
}

// The fund list of an administrator opens, moves and chooses a fund by seeks: at two thousand
// funds it does the work it does at twenty.
TEST_F(TrabalhoDasTelasTest, TheFundListOpensAndChoosesAFundWithTheSameWorkAtAnySize)
{
    constexpr int Administradora = 3;
    const auto mede = [&](const QString& ni, int fundos, qint64 raiz, int chave) {
        Fundos(*Armazenada(ni, "2002", Administradora), fundos, 1, raiz, chave);
        Inicia();
        Abre(ni);
        Conta("abre a página dos fundos", [&] { quadro->AtivaPagina(P::Fundos); });
        auto* lista = quadro->BeneficiariosAnexo().findChild<TdvDBLookupCombo*>(QStringLiteral("DblcFundos"));
        Conta("abre a lista", [&] { QTest::mouseClick(lista->Button(), Qt::LeftButton); });
        EXPECT_TRUE(lista->DroppedDown());
        const auto tecla = [](Qt::Key k) {
            QWidget* alvo = QApplication::activePopupWidget();
            QTest::keyClick(alvo ? alvo : QApplication::focusWidget(), k);
        };
        Conta("desce na lista", [&] { tecla(Qt::Key_Down); });
        Conta("escolhe o fundo", [&] { tecla(Qt::Key_Return); });
        EXPECT_FALSE(lista->DroppedDown());
        EXPECT_EQ(quadro->BeneficiariosAnexo().Item()->GetDono().GetChave(),
                  QStringLiteral("%1").arg(chave + 1, 5, 10, QLatin1Char('0')));
        janela.reset();
        return trabalho;
    };
    const auto poucos = mede(Matriz, 20, 20000000, 1);
    const auto muitos = mede(Outra, 2000, 30000000, 100);
    for (const auto& [acao, passos] : poucos)
        EXPECT_LE(muitos.at(acao), passos * 3 / 2 + 2000) << acao << ": " << passos << " steps at 20 funds";
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}
