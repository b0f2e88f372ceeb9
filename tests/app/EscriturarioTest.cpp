#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "support/ProgramaDeTeste.h"
#include "app/Programa.h"
#include "model/TColecaoPruv.h"
#include "model/TErro.h"
#include "model/TPruv.h"
#include "model/TColecaoPruvItem.h"
#include "model/TPruvItem.h"
#include "platform/files/TVolumes.h"
#include "platform/report/ImpressorasSimuladas.h"

namespace {

// A clerk at the keyboard: each step waits until the program shows what it expects (a window
// active, a field focused), then types. Keys go where the program put the focus, as a user's do;
// nothing is set, triggered or clicked.
class Escriturario : public QObject {
public:
    struct TPasso {
        const char* Nome;
        std::function<bool()> Pronto;
        std::function<void()> Faz;
    };

    explicit Escriturario(std::vector<TPasso> passos) : FPassos(std::move(passos))
    {
        FPrazo.setRemainingTime(PrazoPasso);
        Agenda();
    }
    [[nodiscard]] std::size_t Feitos() const { return FFeito; }
    [[nodiscard]] const char* Parado() const { return FFeito < FPassos.size() ? FPassos[FFeito].Nome : ""; }

    static QWidget* Foco() { return QApplication::focusWidget(); }
    static QString NomeDoFoco() { return Foco() ? Foco()->objectName() : QString(); }
    static QWidget* Ativa() { return QApplication::activeWindow(); }
    static bool AtivaE(const char* nome) { return Ativa() && Ativa()->objectName() == QLatin1String(nome); }
    static bool FocoEm(const char* nome) { return NomeDoFoco() == QLatin1String(nome); }
    static void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QWidget* alvo = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : Foco() ? Foco() : Ativa();
        if (alvo)
            QTest::keyClick(alvo, tecla, mod);
    }
    static void Digita(const QString& texto)
    {
        if (QWidget* alvo = Foco())
            QTest::keyClicks(alvo, texto);
    }

private:
    static constexpr int PrazoPasso = 15000;
    // A new timer for each look: a timer does not fire again while its last call has not
    // returned, and a step's keys may run a modal window for a long while.
    void Agenda() { QTimer::singleShot(20, this, [this] { Avanca(); }); }
    void Avanca()
    {
        if (FFeito >= FPassos.size() || FDesistiu)
            return;
        Agenda();
        const TPasso passo = FPassos[FFeito];
        if (passo.Pronto()) {
            ++FFeito;
            FPrazo.setRemainingTime(PrazoPasso);
            passo.Faz();   // may run a modal window: the next steps run inside it
            return;
        }
        if (FPrazo.hasExpired()) {
            ADD_FAILURE() << "step \"" << passo.Nome << "\" never ready; active window "
                          << (Ativa() ? Ativa()->objectName().toStdString() : "none") << ", focus "
                          << NomeDoFoco().toStdString();
            FDesistiu = true;
            Desiste();
        }
    }
    // Ends every window and loop, so that the test reports instead of waiting.
    static void Desiste()
    {
        auto* fim = new QTimer(qApp);
        QObject::connect(fim, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->hide();   // its loop ends, with no question asked
                return;
            }
            for (QWidget* janela : QApplication::topLevelWidgets())
                janela->hide();
            QCoreApplication::exit(1);
        });
        fim->start(50);
    }

    std::vector<TPasso> FPassos;
    std::size_t FFeito = 0;
    bool FDesistiu = false;
    QDeadlineTimer FPrazo;
};

using E = Escriturario;

}  // namespace

TEST(Escriturario, ADeclarationTypedFromTheProgramsStartWithTheKeyboardOnly)
{
    const QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    QDir().mkpath(base);
    TVolumes::DefinePastaBase(base);
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta() + QStringLiteral("/pdf"));
    impressoras.Nomes.clear();   // only the PDF stand-in

    Escriturario escriturario({
        {"the tips close with Esc", [] { return E::AtivaE("FoNovidade"); }, [] { E::Tecla(Qt::Key_Escape); }},
        {"the initial screen offers a new declaration", [] { return E::AtivaE("FoInicial"); },
         [] { E::Tecla(Qt::Key_Return); }},
        {"the new declaration: number, year, name", [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("DeCpfCnpj"); },
         [] {
             E::Digita(QStringLiteral("11222333000181"));
             E::Tecla(Qt::Key_Tab);
             E::Tecla(Qt::Key_Tab);
             E::Digita(QStringLiteral("EMPRESA GAMA LTDA"));
             E::Tecla(Qt::Key_Return);
         }},
        {"the declaration opens on its name; the nature is the first", [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeNome"); },
         [] {
             E::Tecla(Qt::Key_Tab);
             E::Tecla(Qt::Key_Down);
         }},
        // Tab reads the page as it shows: rectifying, special situation, the CNPJ's CPF, then
        // the person responsible.
        {"Tab: rectifying", [] { return E::FocoEm("CbTipoDeclarante"); }, [] { E::Tecla(Qt::Key_Tab); }},
        {"Tab: special situation", [] { return E::NomeDoFoco().endsWith(QLatin1String("Retificadora")); },
         [] { E::Tecla(Qt::Key_Tab); }},
        {"Tab: the CNPJ's CPF", [] { return E::NomeDoFoco().endsWith(QLatin1String("Encerramento")); },
         [] { E::Tecla(Qt::Key_Tab); }},
        {"the CPF before the CNPJ", [] { return E::FocoEm("DeRespNoCnpj"); },
         [] {
             E::Digita(QStringLiteral("52998224725"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"the person responsible", [] { return E::FocoEm("DblcResponsavel"); },
         [] {
             E::Digita(QStringLiteral("52998224725"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"name, area code, telephone", [] { return E::FocoEm("DeNomeResp"); },
         [] {
             E::Digita(QStringLiteral("MARIA DA SILVA"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"area code", [] { return E::FocoEm("DeDDD"); },
         [] {
             E::Digita(QStringLiteral("11"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"telephone", [] { return E::FocoEm("DeTelefone"); },
         [] {
             E::Digita(QStringLiteral("32221234"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"to the beneficiaries by their tab's letter", [] { return E::AtivaE("Pruv2003") && !E::FocoEm("DeTelefone"); },
         [] { E::Tecla(Qt::Key_B, Qt::AltModifier); }},
        {"a person on 0561", [] { return E::FocoEm("DblcCodRet"); },
         [] {
             E::Digita(QStringLiteral("0561"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"the person's CPF", [] { return E::FocoEm("DeCpfCnpjBenef"); },
         [] {
             E::Digita(QStringLiteral("22233344405"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"the person's name", [] { return E::FocoEm("DeNomeBenef"); },
         [] {
             E::Digita(QStringLiteral("JOAO DE SOUZA"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"Tab on to the months", [] { return E::AtivaE("Pruv2003") && !E::FocoEm("DeNomeBenef"); },
         [] {
             for (int i = 0; i < 12 && !E::FocoEm("DgrRendimentos"); ++i)
                 E::Tecla(Qt::Key_Tab);
         }},
        {"January and February", [] { return E::FocoEm("DgrRendimentos"); },
         [] {
             E::Digita(QStringLiteral("1000"));
             E::Tecla(Qt::Key_Down);
             E::Digita(QStringLiteral("2000"));
             E::Tecla(Qt::Key_Down);
             E::Tecla(Qt::Key_Insert, Qt::AltModifier);   // the item is stored
         }},
        {"leaving by the menu: Declaração, Sair do Programa",
         [] { return E::AtivaE("Pruv2003") && (E::FocoEm("DblcCodRet") || E::FocoEm("DeCpfCnpjBenef")); },
         [] {
             E::Tecla(Qt::Key_D, Qt::AltModifier);
         }},
        {"the menu", [] { return QApplication::activePopupWidget() != nullptr; }, [] { E::Tecla(Qt::Key_S); }},
        {"leaving asks", [] { return E::Ativa() && E::Ativa()->objectName() != QLatin1String("Pruv2003"); },
         [] { E::Tecla(Qt::Key_Return); }},
    });
    const int resultado = ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia"));
    EXPECT_EQ(escriturario.Parado(), std::string()) << "stopped at " << escriturario.Parado();
    EXPECT_EQ(resultado, 0);
    TVolumes::DefinePastaBase(QString());

    // What was typed, as the program stored it.
    TErros erros;
    TPruv lida;
    lida.SetErros(&erros);
    lida.GetDeclarante().SetNi(QStringLiteral("11222333000181"));
    lida.SetAno(QStringLiteral("2002"));
    ASSERT_TRUE(TColecaoPruv().Carrega(lida));
    EXPECT_EQ(lida.GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA GAMA LTDA"));
    EXPECT_EQ(lida.GetRespCnpj().GetTexto(), QStringLiteral("52998224725"));
    const TResponsavel& responsavel = lida.GetResponsavel();
    EXPECT_EQ(responsavel.GetNi(), QStringLiteral("52998224725"));
    EXPECT_EQ(responsavel.Nome().GetTexto(), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(responsavel.Fone().DDD().GetTexto(), QStringLiteral("11"));
    EXPECT_EQ(responsavel.Fone().Numero().GetTexto(), QStringLiteral("32221234"));
    TColecaoPruvItem& itens = lida.GetItens();
    itens.Primeiro();
    ASSERT_FALSE(itens.Eof());
    TPruvItem item(lida, lida);
    item.SetErros(&erros);
    itens.LeRegistro(item);
    EXPECT_EQ(item.GetCodigoRetencao().GetCodigo(), QStringLiteral("0561"));
    EXPECT_EQ(item.GetBeneficiario().GetNi(), QStringLiteral("22233344405"));
    EXPECT_EQ(item.GetBeneficiario().Nome().GetTexto(), QStringLiteral("JOAO DE SOUZA"));
    EXPECT_EQ(item.GetValores().GetRendimento(1).GetValor(), 1000 * 10000);
    EXPECT_EQ(item.GetValores().GetRendimento(2).GetValor(), 2000 * 10000);
}
