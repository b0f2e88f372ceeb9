#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "platform/db/sqlite/TTransacao.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/search/TFoPesquisar.h"
#include "screens/search/TFrPesquisarPruv.h"

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
    // A stored declaration of the declarant whose people have ten items each, written as one
    // transaction.
    void Armazena(const QString& ni, int pessoas)
    {
        auto pruv = Armazenada(ni);
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        TTransacao transacao(*banco);
        TColecaoPruvItem& itens = pruv->GetItens();
        itens.SetGravarEmDisco(false);
        itens.SetNaoAtualizaAux(true);
        TPruvItem item(*pruv, *pruv);
        for (int p = 0; p < pessoas; ++p) {
            const QString raiz = QStringLiteral("%1").arg(100000000 + p * 7919, 9, 10, QLatin1Char('0'));
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
        TFoPesquisar pesquisa;
        pesquisa.show();
        TFrPesquisarPruv& quadroPesquisa = *pesquisa.FrPesquisarPruv;
        quadroPesquisa.Abre(janela->ObtemDeclaracao(), {});
        quadroPesquisa.SelecionaChave(TFrPesquisarPruv::ChaveCpf);
        QApplication::processEvents();
        Conta("tecla da pesquisa", [&] {
            QTest::keyClick(quadroPesquisa.EdChave, Qt::Key_1);
            quadroPesquisa.RestringePruv();   // what the typing timer does once the user pauses
        });
        quadroPesquisa.Fecha();
        janela.reset();
        return trabalho;
    }

    std::map<std::string, quint64> trabalho;
};

}   // namespace

TEST_F(TrabalhoDasTelasTest, EveryActionOfTheScreensDoesTheSameWorkAtAnySize)
{
    Armazena(Matriz, 100);    // 1,000 items
    Armazena(Filial, 2000);   // 20,000 items
    const auto pequena = Mede(Matriz);
    const auto grande = Mede(Filial);
    for (const auto& [acao, passos] : pequena) {
        // The deeper indexes of the larger declaration cost no steps; a walk over its rows costs
        // many at each row.
        EXPECT_LE(grande.at(acao), passos * 3 / 2 + 2000) << acao << ": " << passos << " steps at 1,000 items";
    }
}
