#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
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
            if (qEnvironmentVariableIsSet("PRUV_ESCRITURARIO_TRACE"))
                qInfo("step \"%s\": window %s, focus %s", passo.Nome,
                      Ativa() ? qPrintable(Ativa()->objectName()) : "none", qPrintable(NomeDoFoco()));
            ++FFeito;
            FPrazo.setRemainingTime(PrazoPasso);
            passo.Faz();   // may run a modal window: the next steps run inside it
            return;
        }
        if (FPrazo.hasExpired()) {
            ADD_FAILURE() << "step \"" << passo.Nome << "\" never ready; active window "
                          << (Ativa() ? Ativa()->objectName().toStdString() : "none") << ", focus "
                          << NomeDoFoco().toStdString() << Controles();
            FDesistiu = true;
            Desiste();
        }
    }
    // What the clerk sees of the active window, for the report of a step never ready.
    static std::string Controles()
    {
        std::string lista;
        if (QWidget* janela = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : Ativa())
            for (QWidget* w : janela->findChildren<QWidget*>())
                if (w->isVisible() && w->focusPolicy() != Qt::NoFocus)
                    lista += "\n  " + w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
        return lista;
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
using Passos = std::vector<Escriturario::TPasso>;

// One month row of a month grid: each amount, then Return to the next cell.
void DigitaLinha(std::initializer_list<const char*> valores)
{
    for (const char* valor : valores) {
        E::Digita(QString::fromLatin1(valor));
        E::Tecla(Qt::Key_Return);
    }
}

struct TBeneficiarioDigitado {
    const char* Cpf;
    const char* Nome;
    // Income, deductions and tax of January, February and the 13th salary; then the sub judice
    // January: income, deductions, tax, deposit.
    const char* Meses[3][3];
    const char* SubJudice[4];
};

const TBeneficiarioDigitado Beneficiarios[] = {
    {"22233344405", "JOAO DE SOUZA", {{"1000", "100", "50"}, {"2000", "200", "150"}, {"1500", "0", "80"}},
     {"500", "0", "20", "40"}},
    {"11144477735", "ANA PEREIRA", {{"3000", "300", "250"}, {"3100", "310", "260"}, {"2900", "0", "200"}},
     {"700", "0", "30", "60"}},
    {"12345678909", "CARLOS LIMA", {{"800", "0", "10"}, {"900", "0", "20"}, {"850", "0", "15"}},
     {"300", "0", "5", "25"}},
};

// A beneficiary on 0561 typed from its code to its sub judice month, stored with Alt+Insert.
void DigitaBeneficiario(Passos& passos, const TBeneficiarioDigitado& b)
{
    // A new item keeps the code of the last one: the focus is then on the number.
    passos.push_back({"a person on 0561", [] { return E::FocoEm("DblcCodRet") || E::FocoEm("DeCpfCnpjBenef"); },
                      [] {
                          if (!E::FocoEm("DblcCodRet"))
                              return;
                          E::Digita(QStringLiteral("0561"));
                          E::Tecla(Qt::Key_Tab);
                      }});
    passos.push_back({"the person's CPF", [] { return E::FocoEm("DeCpfCnpjBenef"); },
                      [&b] {
                          E::Digita(QString::fromLatin1(b.Cpf));
                          E::Tecla(Qt::Key_Tab);
                      }});
    passos.push_back({"the person's name", [] { return E::FocoEm("DeNomeBenef"); },
                      [&b] {
                          E::Digita(QString::fromLatin1(b.Nome));
                          E::Tecla(Qt::Key_Tab);
                      }});
    passos.push_back({"Tab on to the months", [] { return E::AtivaE("Pruv2003") && !E::FocoEm("DeNomeBenef"); },
                      [] {
                          for (int i = 0; i < 12 && !E::FocoEm("DgrRendimentos"); ++i)
                              E::Tecla(Qt::Key_Tab);
                      }});
    passos.push_back({"January, February, the 13th salary", [] { return E::FocoEm("DgrRendimentos"); },
                      [&b] {
                          DigitaLinha({b.Meses[0][0], b.Meses[0][1], b.Meses[0][2]});
                          DigitaLinha({b.Meses[1][0], b.Meses[1][1], b.Meses[1][2]});
                          for (int i = 0; i < 10; ++i)   // March down to the 13th salary, past the totals
                              E::Tecla(Qt::Key_Down);
                          DigitaLinha({b.Meses[2][0], b.Meses[2][1], b.Meses[2][2]});
                          E::Tecla(Qt::Key_E, Qt::AltModifier);   // the sub judice tab
                      }});
    passos.push_back({"into the sub judice grid", [] { return E::AtivaE("Pruv2003") && !E::FocoEm("DgrRendimentos"); },
                      [] {
                          for (int i = 0; i < 4 && !E::FocoEm("DgsSubJudice"); ++i)
                              E::Tecla(Qt::Key_Tab);
                      }});
    passos.push_back({"the sub judice January", [] { return E::FocoEm("DgsSubJudice"); },
                      [&b] {
                          DigitaLinha({b.SubJudice[0], b.SubJudice[1], b.SubJudice[2], b.SubJudice[3]});
                          E::Tecla(Qt::Key_Insert, Qt::AltModifier);   // stored; a new item follows
                      }});
}

qint64 Quantia(const char* texto)
{
    return QByteArray(texto).toLongLong() * 10000;
}

// The declaration of the current program folder holds every value the clerk typed.
void ConfereDeclaracao()
{
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
    std::size_t achados = 0;
    TPruvItem item(lida, lida);
    item.SetErros(&erros);
    itens.IniciaLeitura();
    while (itens.LeProximo(item)) {
        const auto b = std::find_if(std::begin(Beneficiarios), std::end(Beneficiarios), [&](const TBeneficiarioDigitado& d) {
            return item.GetBeneficiario().GetNi() == QLatin1String(d.Cpf);
        });
        ASSERT_NE(b, std::end(Beneficiarios)) << item.GetBeneficiario().GetNi().toStdString();
        ++achados;
        SCOPED_TRACE(b->Nome);
        EXPECT_EQ(item.GetCodigoRetencao().GetCodigo(), QStringLiteral("0561"));
        EXPECT_EQ(item.GetBeneficiario().Nome().GetTexto(), QLatin1String(b->Nome));
        const TRendimentosTributaveis& v = item.GetValores();
        const int meses[] = {1, 2, 13};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(v.GetRendimento(meses[i]).GetValor(), Quantia(b->Meses[i][0])) << "month " << meses[i];
            EXPECT_EQ(v.GetDeducao(meses[i]).GetValor(), Quantia(b->Meses[i][1])) << "month " << meses[i];
            EXPECT_EQ(v.GetImposto(meses[i]).GetValor(), Quantia(b->Meses[i][2])) << "month " << meses[i];
        }
        const TSubJudice& s = item.GetSubJudice();
        EXPECT_EQ(s.GetRendimento(1).GetValor(), Quantia(b->SubJudice[0]));
        EXPECT_EQ(s.GetDeducao(1).GetValor(), Quantia(b->SubJudice[1]));
        EXPECT_EQ(s.GetImposto(1).GetValor(), Quantia(b->SubJudice[2]));
        EXPECT_EQ(s.GetDeposito(1).GetValor(), Quantia(b->SubJudice[3]));
    }
    itens.EncerraLeitura();
    EXPECT_EQ(achados, std::size(Beneficiarios));
}

}  // namespace

TEST(Escriturario, ADeclarationTypedFromTheProgramsStartWithTheKeyboardOnly)
{
    const QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    QDir().mkpath(base);
    TVolumes::DefinePastaBase(base);
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta() + QStringLiteral("/pdf"));
    impressoras.Nomes.clear();   // only the PDF stand-in

    Passos passos({
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
    });
    for (const TBeneficiarioDigitado& b : Beneficiarios)
        DigitaBeneficiario(passos, b);
    passos.insert(passos.end(), {
        {"leaving by the menu: Declaração, Sair do Programa",
         [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeCpfCnpjBenef"); },
         [] {
             E::Tecla(Qt::Key_D, Qt::AltModifier);
         }},
        {"the menu", [] { return QApplication::activePopupWidget() != nullptr; }, [] { E::Tecla(Qt::Key_S); }},
        {"leaving asks", [] { return E::Ativa() && E::Ativa()->objectName() != QLatin1String("Pruv2003"); },
         [] { E::Tecla(Qt::Key_Return); }},
    });
    Escriturario escriturario(std::move(passos));
    const int resultado = ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia"));
    EXPECT_EQ(escriturario.Parado(), std::string()) << "stopped at " << escriturario.Parado();
    EXPECT_EQ(resultado, 0);
    TVolumes::DefinePastaBase(QString());

    // What was typed, as the program stored it.
    ConfereDeclaracao();
}
