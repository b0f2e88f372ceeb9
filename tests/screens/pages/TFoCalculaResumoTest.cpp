#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

#include "screens/DeclaracaoAbertaDeTeste.h"
#include "model/declaration/TResumo.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TAtividadeQt.h"
#include "screens/pages/TFoCalculaResumo.h"

namespace {

class TFoCalculaResumoTest : public DeclaracaoAbertaDeTeste {};

}   // namespace

TEST_F(TFoCalculaResumoTest, TheTotalsOfEveryItemAreComputedAndStoredOrNothingOnCancel)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "3208", CpfBeneficiario, 250);
    for (bool cancela : {true, false}) {
        SCOPED_TRACE(cancela);
        TPruv lida;
        lida.SetErros(&erros);
        lida.GetDeclarante().SetNi(Matriz);
        lida.SetAno(QStringLiteral("2002"));
        ASSERT_TRUE(colecao->Carrega(lida));
        lida.GetResumo().SetOK(false);
        if (cancela)
            AoAbrir<QDialog>("FoCalculaResumo", [](QDialog& d) { d.findChild<QPushButton*>("BbCancelar")->click(); });
        const int resultado = TFoCalculaResumo::CalculaResumo(lida, nullptr);
        EXPECT_EQ(resultado, cancela ? 2 : 1);
        EXPECT_EQ(lida.GetResumo().GetOK(), !cancela);
        if (!cancela) {
            EXPECT_EQ(lida.GetResumo().TOT_BENEF().GetValor(), 2 * TMonetario::Escala);
            EXPECT_EQ(lida.GetResumo().TOT_REND().GetValor(), 1250 * TMonetario::Escala);
            EXPECT_EQ(lida.GetResumo().TOT_IRRF().GetValor(), 125 * TMonetario::Escala);
        }
    }
}

namespace {

// The ten totals of a summary, in table order.
std::vector<qint64> Totais(TResumo& Resumo)
{
    std::vector<qint64> v;
    for (int i = 0; i < TResumo::QuantidadeValores; ++i)
        v.push_back(Resumo.Valor(i).GetValor());
    return v;
}

// An item of the owner with values in every series the summary adds, month 13 included.
void ItemCheio(TPruv& Pruv, TPruvAnexo& Dono, const char* Codigo, const QString& Ni, qint64 Base)
{
    TPruvItem item(Pruv, Dono);
    item.GetCodigoRetencao().SetCodigo(QLatin1String(Codigo));
    Pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
    item.GetBeneficiario().SetNi(Ni);
    item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
    for (int m = 1; m <= 13; ++m) {
        item.GetValores().GetRendimento(m).SetValor((Base + m) * TMonetario::Escala + 37);
        item.GetValores().GetDeducao(m).SetValor(m * 1000 + 1);
        item.GetValores().GetImposto(m).SetValor((Base + m) * 1000 + 3);
    }
    item.GetCompensacao().GetCompensacaoAno(2).SetValor(Base * 11);
    item.GetCompensacao().GetCompensacaoAnosAnteriores(13).SetValor(Base * 7);
    item.GetSubJudice().GetRendimento(3).SetValor(Base * 100 + 5);
    item.GetSubJudice().GetDeducao(13).SetValor(Base * 3);
    item.GetSubJudice().GetImposto(4).SetValor(Base * 9);
    item.GetSubJudice().GetDeposito(13).SetValor(Base * 13);
    ASSERT_EQ(Dono.GetItens().Salva(item), TColecaoPruvItem::Inserido);
}

// The owner's items added one by one as each is read by its key, with its beneficiary and
// judicial rows looked up apart: the summary as it was made before the joined walk.
void SomaItemAItem(TPruv& Pruv, TPruvAnexo& Dono, TResumo& Resumo, TResumo& Total)
{
    TColecaoPruvItem itens(Pruv, Dono);
    const TPruvItem vazio(Pruv, Dono);
    TPruvItem item(Pruv, Dono);
    for (itens.Primeiro(); !itens.Eof(); itens.Proximo()) {
        itens.LeRegistro(item);
        Resumo.AcumulaItem(vazio, item);
        Total.AcumulaItem(vazio, item);
    }
}

}   // namespace

TEST_F(TFoCalculaResumoTest, TheJoinedWalkGivesTheSameTotalsAsReadingEachItemByItsKey)
{
    const QString cnpjBeneficiario = NumeroDe("334445550001");
    const QString fundos2[] = {Fundo, NumeroDe("667778880001")};
    const struct {
        const char* caso;
        QString ni;
        const char* ano;
        int natureza;
        int fundos;
    } casos[] = {{"company, judicial values and 13th salary", Matriz, "2002", 0, 0},
                 {"fund administrator with two funds", Outra, "2002", 3, 2},
                 {"1999: no sub judice totals", Matriz, "1999", 0, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto pruv = Armazenada(c.ni, c.ano, c.natureza);
        for (int b = 0; b < 30; ++b) {
            const QString cpf = NumeroDe(QByteArray::number(222333000 + b * 17).constData());
            ItemCheio(*pruv, *pruv, b % 3 == 0 ? "0588" : "0561", cpf, 1000 + b);
            if (b % 4 == 0)
                Item(*pruv, *pruv, "3208", cpf, 50 + b);   // no judicial row
        }
        Item(*pruv, *pruv, "1708", cnpjBeneficiario, 700);
        std::vector<std::unique_ptr<TAnexoFC>> fundos;
        for (int f = 0; f < c.fundos; ++f) {
            fundos.push_back(NovoAnexo(*pruv, fundos2[f], "", true));
            for (int b = 0; b < 5 + f; ++b)
                ItemCheio(*pruv, *fundos.back(), "6800", NumeroDe(QByteArray::number(444555000 + b).constData()),
                          90 * b);
        }

        TResumo esperadoProprio(nullptr), esperadoTotal(nullptr);
        std::vector<std::vector<qint64>> esperadoFundos;
        auto lida = Lida(c.ni, c.ano);
        esperadoProprio.Zera();
        esperadoTotal.Zera();
        SomaItemAItem(*lida, *lida, esperadoProprio, esperadoTotal);
        for (auto& fundo : fundos) {
            TResumo resumo(nullptr);
            resumo.Zera();
            TAnexoFC anexo(*lida);
            anexo.SetChave(fundo->GetChave());
            ASSERT_TRUE(lida->GetColecaoAnexo().Carrega(anexo));
            SomaItemAItem(*lida, anexo, resumo, esperadoTotal);
            esperadoFundos.push_back(Totais(resumo));
        }
        lida->GetResumo().SetOK(false);

        ASSERT_EQ(TFoCalculaResumo::CalculaResumo(*lida, nullptr), 1);
        EXPECT_EQ(Totais(lida->GetResumo()), Totais(esperadoTotal));
        EXPECT_EQ(Totais(static_cast<TPruvAnexo&>(*lida).GetResumo()), Totais(esperadoProprio));
        // The cases do reach the totals they are about.
        const bool judicial = std::string(c.ano) != "1999";
        EXPECT_EQ(esperadoTotal.TOT_REND_SUBJUD().GetValor() > 0, judicial);
        EXPECT_EQ(esperadoTotal.TOT_ANO_ANT().GetValor() > 0, judicial);
        // Each fund's summary as stored.
        auto relida = Lida(c.ni, c.ano);
        for (std::size_t f = 0; f < fundos.size(); ++f) {
            TAnexoFC anexo(*relida);
            anexo.SetChave(fundos[f]->GetChave());
            ASSERT_TRUE(relida->GetColecaoAnexo().Carrega(anexo));
            EXPECT_TRUE(anexo.GetResumo().GetOK());
            EXPECT_EQ(Totais(anexo.GetResumo()), esperadoFundos[f]);
        }
    }
}

TEST_F(TFoCalculaResumoTest, AFailureShowsItsMessageAndClosesTheWindowAsNotComputed)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Executa(QStringLiteral("UPDATE Resumo SET OK = 0"));   // stale: the computation must write it
    auto lida = Lida(Matriz);
    lida->GetResumo().SetOK(false);
    // A window left open after the failure is closed here.
    bool ficouAberta = false;
    QTimer guarda;
    guarda.setSingleShot(true);
    QObject::connect(&guarda, &QTimer::timeout, [&ficouAberta] {
        for (QWidget* aberta : QApplication::topLevelWidgets())
            if (aberta->objectName() == QLatin1String("FoCalculaResumo") && aberta->isVisible()) {
                ficouAberta = true;
                static_cast<QDialog*>(aberta)->done(QDialog::Rejected);
            }
    });
    guarda.start(1000);
    TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita();
    EXPECT_EQ(TFoCalculaResumo::CalculaResumo(*lida, nullptr), 2);
    TDatabase::DaPasta(DiretorioDados())->FalhaNaProximaEscrita(-1);
    EXPECT_FALSE(ficouAberta);
    EXPECT_EQ(dialogos.Mensagens().size(), 1U);
    EXPECT_FALSE(lida->GetResumo().GetOK());
}

TEST_F(TFoCalculaResumoTest, SpaceOrEnterOnCancelarStopTheComputationWhileItRuns)
{
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
    Item(*pruv, *pruv, "3208", CpfBeneficiario, 250);
    // As the program runs: long work holds the user's keys back from the windows it does not own.
    TAtividadeQt atividade;
    IAtividade* anterior = InterfaceUsuario::Instala(&atividade);
    for (Qt::Key tecla : {Qt::Key_Space, Qt::Key_Return}) {
        SCOPED_TRACE(tecla);
        auto lida = Lida(Matriz);
        lida->GetResumo().SetOK(false);
        QTimer::singleShot(0, [tecla] {
            for (QWidget* aberta : QApplication::topLevelWidgets()) {
                if (aberta->objectName() != QLatin1String("FoCalculaResumo") || !aberta->isVisible())
                    continue;
                auto* gauge = aberta->findChild<QProgressBar*>("Gauge");
                auto* cancelar = aberta->findChild<QPushButton*>("BbCancelar");
                // The gauge moves when the computation sets its range: the walk has begun, and the
                // key arrives while it runs.
                gauge->setValue(50);
                QObject::connect(
                    gauge, &QProgressBar::valueChanged, cancelar,
                    [cancelar, tecla] {
                        QApplication::postEvent(cancelar, new QKeyEvent(QEvent::KeyPress, tecla, Qt::NoModifier));
                        QApplication::postEvent(cancelar, new QKeyEvent(QEvent::KeyRelease, tecla, Qt::NoModifier));
                    },
                    Qt::SingleShotConnection);
            }
        });
        EXPECT_EQ(TFoCalculaResumo::CalculaResumo(*lida, nullptr), 2);
        EXPECT_FALSE(lida->GetResumo().GetOK());
    }
    InterfaceUsuario::Instala(anterior);
}
