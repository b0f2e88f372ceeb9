#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLockFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <QEventLoop>
#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <vector>

#include "support/FalhasDeArquivo.h"
#include "support/FalhasDeDisco.h"
#include "support/ProgramaDeTeste.h"
#include "support/VariavelDeAmbiente.h"
#include "exchange/ImportacaoDeTeste.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TItemEntrega.h"
#include "app/Programa.h"
#include "assistants/verification/TFrPruvVerifica.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/statements/TComprovantePF.h"
#include "model/values/TErro.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/ui/TEntradaRetida.h"
#include "shell/common/EstadoPrograma.h"

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

    explicit Escriturario(std::vector<TPasso> passos)
        : FPassos(std::move(passos))
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
    static bool FocoDentroDe(const char* nome)
    {
        for (QWidget* w = Foco(); w; w = w->parentWidget())
            if (w->objectName() == QLatin1String(nome))
                return true;
        return false;
    }
    static void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QWidget* alvo = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
            : Foco()                                      ? Foco()
                                                          : Ativa();
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
    void Agenda()
    {
        QTimer::singleShot(20, this, [this] { Avanca(); });
    }
    void Avanca()
    {
        if (FFeito >= FPassos.size() || FDesistiu)
            return;
        Agenda();
        // While the program works its keys would be lost: the clerk waits for it.
        if (TEntradaRetida::Retendo())
            return;
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
    // The income statement's official and private pension and alimony; together the months'
    // deductions, as the statement's check wants them.
    const char* Comprovante[3];
};

const TBeneficiarioDigitado Beneficiarios[] = {
    {"22233344405",
     "JOAO DE SOUZA",
     {{"1000", "100", "50"}, {"2000", "200", "150"}, {"1500", "0", "80"}},
     {"500", "0", "20", "40"},
     {"200", "60", "40"}},
    {"11144477735",
     "ANA PEREIRA",
     {{"3000", "300", "250"}, {"3100", "310", "260"}, {"2900", "0", "200"}},
     {"700", "0", "30", "60"},
     {"400", "110", "100"}},
    {"12345678909",
     "CARLOS LIMA",
     {{"800", "0", "10"}, {"900", "0", "20"}, {"850", "0", "15"}},
     {"300", "0", "5", "25"},
     {"0", "0", "0"}},
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
    passos.push_back({"the person's name; the months by their tab's letter", [] { return E::FocoEm("DeNomeBenef"); },
                      [&b] {
                          E::Digita(QString::fromLatin1(b.Nome));
                          E::Tecla(Qt::Key_T, Qt::AltModifier);
                      }});
    passos.push_back({"January, February, the 13th salary", [] { return E::FocoEm("DgrRendimentos"); },
                      [&b] {
                          DigitaLinha({b.Meses[0][0], b.Meses[0][1], b.Meses[0][2]});
                          DigitaLinha({b.Meses[1][0], b.Meses[1][1], b.Meses[1][2]});
                          for (int i = 0; i < 10; ++i)   // March down to the 13th salary, past the totals
                              E::Tecla(Qt::Key_Down);
                          DigitaLinha({b.Meses[2][0], b.Meses[2][1], b.Meses[2][2]});
                          E::Tecla(Qt::Key_E, Qt::AltModifier);   // the sub judice tab, on its January
                      }});
    passos.push_back({"the sub judice January", [] { return E::FocoEm("DgsSubJudice"); },
                      [&b] {
                          DigitaLinha({b.SubJudice[0], b.SubJudice[1], b.SubJudice[2], b.SubJudice[3]});
                          E::Tecla(Qt::Key_Insert, Qt::AltModifier);   // stored; a new item follows
                      }});
}

// The verification frame of the active window.
TFrPruvVerifica* Verificacao()
{
    return E::Ativa() ? E::Ativa()->findChild<TFrPruvVerifica*>() : nullptr;
}

// The visible field of that name in the active window (the funds page repeats the
// beneficiaries' fields).
template <class W = QWidget> const W* Mostrado(const char* nome)
{
    if (E::Ativa())
        for (const W* w : E::Ativa()->findChildren<const W*>(QLatin1String(nome)))
            if (w->isVisible())
                return w;
    return nullptr;
}

QString TextoDoRotulo(const char* nome)
{
    const auto* w = Mostrado<QLabel>(nome);
    return w ? w->text().trimmed() : QString();
}

QString TextoDe(const char* nome)
{
    const auto* w = Mostrado<QLineEdit>(nome);
    return w ? w->text() : QString();
}

// The text of an edit shown in that window, active or not.
QString TextoEm(const char* janela, const char* nome)
{
    for (const QWidget* topo : QApplication::topLevelWidgets())
        if (topo->objectName() == QLatin1String(janela))
            for (const auto* w : topo->findChildren<const QLineEdit*>(QLatin1String(nome)))
                if (w->isVisible())
                    return w->text();
    return {};
}

bool Visivel(const char* nome)
{
    return Mostrado(nome) != nullptr;
}

// The report creates its file when printing starts and pumps events while it prints: only the
// trailer a PDF ends with says the printing is over.
bool ImpressaoTerminada(const QStringList& arquivos)
{
    if (arquivos.isEmpty())
        return false;
    QFile pdf(arquivos.front());
    if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16)
        return false;
    pdf.seek(std::max<qint64>(0, pdf.size() - 64));
    return pdf.readAll().contains("%%EOF");
}

// The message box the program shows, once the keys reach it.
const QMessageBox* Mensagem()
{
    const auto* caixa = qobject_cast<const QMessageBox*>(QApplication::activeModalWidget());
    return caixa && caixa == E::Ativa() ? caixa : nullptr;
}

// The typed beneficiary whose statement the page shows.
const TBeneficiarioDigitado* BeneficiarioDoComprovante(bool Exige)
{
    const auto* campo = Mostrado<QLineEdit>("edtNiBenef");
    const QString numero = campo ? campo->text().remove(QRegularExpression(QStringLiteral("\\D"))) : QString();
    for (const TBeneficiarioDigitado& b : Beneficiarios)
        if (numero == QLatin1String(b.Cpf))
            return &b;
    if (Exige)
        ADD_FAILURE() << "a statement of " << numero.toStdString();
    return nullptr;
}

qint64 Quantia(const char* texto)
{
    return QByteArray(texto).toLongLong() * 10000;
}

// The amount a summary field shows, in the model's units.
qint64 QuantiaMostrada(const char* campo)
{
    const auto* edit = Mostrado<QLineEdit>(campo);
    if (!edit) {
        ADD_FAILURE() << "no field " << campo;
        return -1;
    }
    QString texto = edit->text();
    texto.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    return std::llround(texto.toDouble() * 10000);
}

// The summary's totals are those of the values typed, 13th salary included.
void ConfereResumo()
{
    qint64 rendimento = 0, deducao = 0, imposto = 0, sjRendimento = 0, sjDeducao = 0, sjImposto = 0, deposito = 0;
    for (const TBeneficiarioDigitado& b : Beneficiarios) {
        for (const auto& mes : b.Meses) {
            rendimento += Quantia(mes[0]);
            deducao += Quantia(mes[1]);
            imposto += Quantia(mes[2]);
        }
        sjRendimento += Quantia(b.SubJudice[0]);
        sjDeducao += Quantia(b.SubJudice[1]);
        sjImposto += Quantia(b.SubJudice[2]);
        deposito += Quantia(b.SubJudice[3]);
    }
    EXPECT_EQ(QuantiaMostrada("DeTotBen"), qint64(std::size(Beneficiarios)) * 10000);
    EXPECT_EQ(QuantiaMostrada("DeTotRend"), rendimento);
    EXPECT_EQ(QuantiaMostrada("DeTotDed"), deducao);
    EXPECT_EQ(QuantiaMostrada("DeTotIrrf"), imposto);
    EXPECT_EQ(QuantiaMostrada("DeTotRendSubJud"), sjRendimento);
    EXPECT_EQ(QuantiaMostrada("DeTotDedSubJud"), sjDeducao);
    EXPECT_EQ(QuantiaMostrada("DeTotIrrfSubJud"), sjImposto);
    EXPECT_EQ(QuantiaMostrada("DeTotDepSubJud"), deposito);
}

// Loads the clerk's company of 2002 from the current program folder.
bool CarregaEmpresaGama(TPruv& Lida)
{
    Lida.GetDeclarante().SetNi(QStringLiteral("11222333000181"));
    Lida.SetAno(QStringLiteral("2002"));
    return TColecaoPruv().Carrega(Lida);
}

// The declaration of the current program folder holds every value the clerk typed.
void ConfereDeclaracao(bool Comprovantes)
{
    TErros erros;
    TPruv lida;
    lida.SetErros(&erros);
    ASSERT_TRUE(CarregaEmpresaGama(lida));
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
        const auto b = std::find_if(
            std::begin(Beneficiarios), std::end(Beneficiarios),
            [&](const TBeneficiarioDigitado& d) { return item.GetBeneficiario().GetNi() == QLatin1String(d.Cpf); });
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
        if (Comprovantes) {
            // A statement of nothing but zeros is not stored.
            TComprovantePF comprovante(item.GetBeneficiario());
            EXPECT_EQ(lida.GetColecaoComprovante().Carrega(comprovante), Quantia(b->Comprovante[0]) > 0);
            const TQuadroRendTributaveis& q = comprovante.GetQuadro3();
            EXPECT_EQ(q.GetLinha2().GetValor(), Quantia(b->Comprovante[0]));
            EXPECT_EQ(q.GetLinha3().GetValor(), Quantia(b->Comprovante[1]));
            EXPECT_EQ(q.GetLinha4().GetValor(), Quantia(b->Comprovante[2]));
        }
    }
    itens.EncerraLeitura();
    EXPECT_EQ(achados, std::size(Beneficiarios));
}

// A first start: the tips closed, a new declaration chosen on the initial screen.
Passos DoInicioANovaDeclaracao()
{
    return {
        {"the tips close with Esc", [] { return E::AtivaE("FoNovidade"); }, [] { E::Tecla(Qt::Key_Escape); }},
        {"the initial screen offers a new declaration", [] { return E::AtivaE("FoInicial"); },
         [] { E::Tecla(Qt::Key_Return); }},
    };
}

// From the print assistant's welcome: the whole declaration, to paper; printed with no printer,
// the message naming the PDF file is answered.
void ImprimeDeclaracao(Passos& passos, const ImpressorasSimuladas& impressoras)
{
    passos.insert(
        passos.end(),
        {
            {"the print assistant's welcome: Avançar",
             [] { return E::AtivaE("FoAssistRelatorios") && E::FocoEm("BtnAvancar"); },
             [] { E::Tecla(Qt::Key_A, Qt::AltModifier); }},
            {"the whole declaration is the first choice: Avançar",
             [] { return E::AtivaE("FoAssistRelatorios") && Visivel("RBDeclaracao"); },
             [] {
                 EXPECT_EQ(E::NomeDoFoco().toStdString(), "RBDeclaracao") << "the page opens on its first option";
                 E::Tecla(Qt::Key_A, Qt::AltModifier);
             }},
            {"to paper rather than the screen: Tab to the choice, Down",
             [] { return E::AtivaE("FoAssistRelatorios") && Visivel("RBImprimir"); },
             [] {
                 for (int t = 0; t < 8 && !E::FocoEm("RBVisualizar") && !E::FocoEm("RBImprimir"); ++t)
                     E::Tecla(Qt::Key_Tab);
                 E::Tecla(Qt::Key_Down);
                 E::Tecla(Qt::Key_O, Qt::AltModifier);
             }},
            {"no printer: the message tells where the PDF file went; Return",
             [&impressoras] { return ImpressaoTerminada(impressoras.Arquivos()) && Mensagem(); },
             [&impressoras] {
                 EXPECT_TRUE(Mensagem()->text().contains(QDir::toNativeSeparators(impressoras.Arquivos().front())))
                     << Mensagem()->text().toStdString();
                 E::Tecla(Qt::Key_Return);
             }},
        });
}

// From the import assistant's welcome: a declaration file (Arquivo outlives the run) typed in,
// Concluir.
void ImportaDeclaracao(Passos& passos, const QString& Arquivo)
{
    passos.insert(passos.end(),
                  {
                      {"the import assistant's welcome: Avançar",
                       [] { return E::AtivaE("FoAssistImportacao") && E::FocoEm("BtnAvancar"); },
                       [] { E::Tecla(Qt::Key_A, Qt::AltModifier); }},
                      {"a declaration: Tab to the file name",
                       [] { return E::AtivaE("FoAssistImportacao") && Visivel("EdArquivo"); },
                       [] {
                           EXPECT_EQ(E::NomeDoFoco().toStdString(), "RBDeclaracao") << "the first option";
                           for (int t = 0; t < 8 && !E::FocoEm("EdArquivo"); ++t)
                               E::Tecla(Qt::Key_Tab);
                       }},
                      {"the file's name; Concluir", [] { return E::FocoEm("EdArquivo"); },
                       [&Arquivo] {
                           E::Digita(Arquivo);
                           E::Tecla(Qt::Key_O, Qt::AltModifier);
                       }},
                  });
}

// Leaving by the menu: Declaração, Sair do Programa, yes to the question.
void SaiPeloMenu(Passos& passos)
{
    passos.insert(
        passos.end(),
        {
            {"leaving by the menu", [] { return E::AtivaE("Pruv2003"); }, [] { E::Tecla(Qt::Key_D, Qt::AltModifier); }},
            {"the menu", [] { return QApplication::activePopupWidget() != nullptr; }, [] { E::Tecla(Qt::Key_S); }},
            {"leaving asks", [] { return E::Ativa() && !E::AtivaE("Pruv2003"); }, [] { E::Tecla(Qt::Key_Return); }},
        });
}

// The printers of the stand-in, with the clerk pressing Ctrl+F as the first report starts to
// print: the key waits in the queue, as a typed key does, until the printing keeps the windows
// alive.
class ImpressoraComTecla final : public IImpressoras {
public:
    explicit ImpressoraComTecla(IImpressoras& impressoras)
        : FImpressoras(impressoras)
        , FAnterior(Impressoras::Instala(this))
    {}
    ~ImpressoraComTecla() override { Impressoras::Instala(FAnterior); }
    ImpressoraComTecla(const ImpressoraComTecla&) = delete;
    ImpressoraComTecla& operator=(const ImpressoraComTecla&) = delete;

    [[nodiscard]] int Teclas() const { return FTeclas; }

    [[nodiscard]] bool ExisteImpressora() const override { return FImpressoras.ExisteImpressora(); }
    [[nodiscard]] QStringList Instaladas() const override { return FImpressoras.Instaladas(); }
    [[nodiscard]] int CodigoPapelPadrao() const override { return FImpressoras.CodigoPapelPadrao(); }
    [[nodiscard]] TEscolhaImpressora Escolha() const override { return FImpressoras.Escolha(); }
    void Escolhe(const TEscolhaImpressora& escolha) override { FImpressoras.Escolhe(escolha); }
    [[nodiscard]] std::unique_ptr<QPrinter> CriaImpressora(const QString& nomeDocumento) const override
    {
        if (FTeclas == 0)
            for (QWidget* janela : QApplication::topLevelWidgets())
                if (janela->objectName() == QLatin1String("Pruv2003") && janela->focusWidget()) {
                    ++FTeclas;
                    for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease})
                        QCoreApplication::postEvent(janela->focusWidget(),
                                                    new QKeyEvent(tipo, Qt::Key_F, Qt::ControlModifier));
                    // Long enough for the printing's next keep-alive to take the queued events.
                    QThread::msleep(60);
                }
        return FImpressoras.CriaImpressora(nomeDocumento);
    }

private:
    IImpressoras& FImpressoras;
    IImpressoras* FAnterior;
    mutable int FTeclas = 0;
};

}   // namespace

TEST(Escriturario, ADeclarationTypedFromTheProgramsStartWithTheKeyboardOnly)
{
    const QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    QDir().mkpath(base);
    TVolumes::DefinePastaBase(base);
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta() + QStringLiteral("/pdf"));
    impressoras.Nomes.clear();   // only the PDF stand-in

    static QElapsedTimer pausa;
    Passos passos = DoInicioANovaDeclaracao();
    passos.insert(passos.end(),
                  {
                      {"the new declaration: number, year, name",
                       [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("DeCpfCnpj"); },
                       [] {
                           E::Digita(QStringLiteral("11222333000181"));
                           E::Tecla(Qt::Key_Tab);
                           E::Tecla(Qt::Key_Tab);
                           E::Digita(QStringLiteral("EMPRESA GAMA LTDA"));
                           E::Tecla(Qt::Key_Return);
                       }},
                      {"the declaration opens on its name; the nature is the first",
                       [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeNome"); },
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
                      {"to the beneficiaries by their tab's letter",
                       [] { return E::AtivaE("Pruv2003") && !E::FocoEm("DeTelefone"); },
                       [] { E::Tecla(Qt::Key_B, Qt::AltModifier); }},
                  });
    for (const TBeneficiarioDigitado& b : Beneficiarios)
        DigitaBeneficiario(passos, b);
    passos.insert(passos.end(),
                  {
                      {"to the income statements by their tab's letter",
                       [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeCpfCnpjBenef"); },
                       [] { E::Tecla(Qt::Key_C, Qt::AltModifier); }},
                  });
    // The statements one after the other: the first opens on its beneficiary's number, Alt+Page
    // Down goes on to the next.
    static const TBeneficiarioDigitado* anterior = nullptr;
    anterior = nullptr;
    for (std::size_t i = 0; i < std::size(Beneficiarios); ++i) {
        passos.push_back({"a statement, Tab to its deductions",
                          [] { return E::AtivaE("Pruv2003") && BeneficiarioDoComprovante(false) != anterior; },
                          [] {
                              for (int t = 0; t < 8 && !E::FocoEm("edtPrevOficial"); ++t)
                                  E::Tecla(Qt::Key_Tab);
                          }});
        passos.push_back({"the statement's deductions", [] { return E::FocoEm("edtPrevOficial"); },
                          [i] {
                              anterior = BeneficiarioDoComprovante(true);
                              if (anterior)
                                  for (const char* valor : anterior->Comprovante) {
                                      E::Digita(QString::fromLatin1(valor));
                                      E::Tecla(Qt::Key_Tab);
                                  }
                              E::Tecla(i + 1 < std::size(Beneficiarios) ? Qt::Key_PageDown : Qt::Key_B,
                                       Qt::AltModifier);
                          }});
    }
    passos.insert(
        passos.end(),
        {
            {"the summary by its letter", [] { return E::AtivaE("Pruv2003") && E::FocoEm("DblcCodRet"); },
             [] { E::Tecla(Qt::Key_R, Qt::AltModifier); }},
            {"the summary shows the totals of what was typed", [] { return E::FocoDentroDe("PgResumo"); },
             [] {
                 ConfereResumo();
                 E::Tecla(Qt::Key_E, Qt::ControlModifier);   // the pending items
             }},
            // Concluded holds before the run starts, too: the clerk waits for the one that ran.
            {"the verification ends without errors; Esc closes it",
             [] {
                 return E::AtivaE("FoPendencias") && Verificacao() && Verificacao()->Concluida()
                     && Verificacao()->NumVerificados() > 0;
             },
             [] {
                 EXPECT_EQ(Verificacao()->NumErros(), 0);
                 E::Tecla(Qt::Key_Escape);
             }},
            {"back on the summary; the delivery file",
             [] { return E::AtivaE("Pruv2003") && E::FocoDentroDe("PgResumo"); },
             [] { E::Tecla(Qt::Key_G, Qt::ControlModifier); }},
            {"the place of transmission", [] { return E::AtivaE("FoAssistGeracao") && E::FocoEm("DBLCUF"); },
             [] { E::Digita(QStringLiteral("SP")); }},
            {"the list drops as one types: Return takes the state",
             [] { return QApplication::activePopupWidget() != nullptr; }, [] { E::Tecla(Qt::Key_Return); }},
            {"Concluir", [] { return E::AtivaE("FoAssistGeracao") && E::FocoEm("DBLCUF"); },
             [] { E::Tecla(Qt::Key_O, Qt::AltModifier); }},
            {"not transmitting now: Tab to the answer, Right to Não",
             [] { return E::AtivaE("FoAssistGeracao") && Visivel("RBNao"); },
             [] {
                 EXPECT_TRUE(E::FocoEm("RBSim") || E::FocoEm("RBNao"))
                     << "the first option, not " << E::NomeDoFoco().toStdString();
                 for (int t = 0; t < 8 && !E::FocoEm("RBSim") && !E::FocoEm("RBNao"); ++t)
                     E::Tecla(Qt::Key_Tab);
                 E::Tecla(Qt::Key_Right);   // Não stands beside Sim
                 E::Tecla(Qt::Key_A, Qt::AltModifier);
             }},
            {"the file is written: Fechar", [] { return E::AtivaE("FoAssistGeracao") && Visivel("Memo2"); },
             [] { E::Tecla(Qt::Key_F, Qt::AltModifier); }},
            {"back on the summary; printing", [] { return E::AtivaE("Pruv2003") && E::FocoDentroDe("PgResumo"); },
             [] {
                 // The date of the writing shows at once.
                 EXPECT_TRUE(TextoDe("DtpDataGera").contains(QRegularExpression(QStringLiteral("\\d"))));
                 E::Tecla(Qt::Key_M, Qt::ControlModifier);
             }},
        });
    ImprimeDeclaracao(passos, impressoras);
    passos.insert(
        passos.end(),
        {
            {"printed on the default printer; closing the declaration",
             [&impressoras] { return E::AtivaE("Pruv2003") && ImpressaoTerminada(impressoras.Arquivos()); },
             [] { E::Tecla(Qt::Key_F, Qt::ControlModifier); }},
            {"closed; opening it again", [] { return E::AtivaE("Pruv2003") && !Visivel("PgDeclaracao"); },
             [] { E::Tecla(Qt::Key_A, Qt::ControlModifier); }},
            {"the open dialog lists it: Return",
             [] { return E::AtivaE("FoAbreDeclaracao") && E::FocoEm("DBGrDeclaracao"); },
             [] { E::Tecla(Qt::Key_Return); }},
            {"open again; searching", [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeNome"); },
             [] { E::Tecla(Qt::Key_S, Qt::ControlModifier); }},
            {"the search window: Shift+Tab to its criterion", [] { return E::AtivaE("FoPesquisar"); },
             [] {
                 for (int t = 0; t < 8 && !E::FocoEm("CbChave"); ++t)
                     E::Tecla(Qt::Key_Backtab);
             }},
            {"by name: Alt+Down opens the criteria", [] { return E::FocoEm("CbChave"); },
             [] { E::Tecla(Qt::Key_Down, Qt::AltModifier); }},
            {"the last criterion: Down to it, Return", [] { return QApplication::activePopupWidget() != nullptr; },
             [] {
                 for (int i = 0; i < 3; ++i)
                     E::Tecla(Qt::Key_Down);
                 E::Tecla(Qt::Key_Return);
             }},
            {"the name typed", [] { return E::FocoEm("EdChave"); },
             [] {
                 E::Digita(QStringLiteral("ANA"));
                 pausa.start();
             }},
            // The list follows the typing after a pause of the keys.
            {"the search follows the typing: Return locates",
             [] { return E::FocoEm("EdChave") && Visivel("DbgBeneficiarios") && pausa.hasExpired(1000); },
             [] { E::Tecla(Qt::Key_Return); }},
            // The declaration shows the one found and the search keeps the keyboard, in the field
            // it was typed in.
            {"located: the beneficiary's page shows the one found, the search keeps the keys",
             [] {
                 return E::AtivaE("FoPesquisar") && E::FocoEm("EdChave")
                     && !TextoEm("Pruv2003", "DeNomeBenef").isEmpty();
             },
             [] {
                 EXPECT_EQ(TextoEm("Pruv2003", "DeNomeBenef"), QStringLiteral("ANA PEREIRA"));
                 EXPECT_EQ(TextoDe("EdChave"), QStringLiteral("ANA"));
                 E::Tecla(Qt::Key_Backtab);
                 E::Tecla(Qt::Key_Return);
             }},
            // Return on the criterion locates as well; the criterion keeps the keys.
            {"located again from the criterion, the search kept",
             [] { return E::AtivaE("FoPesquisar") && E::FocoEm("CbChave"); },
             [] {
                 EXPECT_EQ(TextoEm("Pruv2003", "DeNomeBenef"), QStringLiteral("ANA PEREIRA"));
                 EXPECT_EQ(TextoDe("EdChave"), QStringLiteral("ANA"));
                 E::Tecla(Qt::Key_Escape);
             }},
            {"leaving by the menu: Declaração, Sair do Programa", [] { return E::AtivaE("Pruv2003"); },
             [] { E::Tecla(Qt::Key_D, Qt::AltModifier); }},
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
    ConfereDeclaracao(true);
    const QStringList entregues = QDir(base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/11222333000181/2002"))
                                      .entryList({QStringLiteral("*.dec")}, QDir::Files);
    ASSERT_EQ(entregues.size(), 1);
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    EXPECT_GT(QFileInfo(impressoras.Arquivos().front()).size(), 0);
    // For a person looking at the paper the clerk printed.
    if (const QString guarda = qEnvironmentVariable("PRUV_ESCRITURARIO_PAPEL"); !guarda.isEmpty())
        QFile::copy(impressoras.Arquivos().front(), guarda);

    // The delivery file, imported into a fresh program folder through the import assistant.
    static QString entregue;
    entregue = base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/11222333000181/2002/") + entregues.front();
    const QString fresca = ProgramaDeTeste::Pasta() + QStringLiteral("/fresca");
    QDir().mkpath(fresca);
    qputenv("PRUV2003_HOME", fresca.toLocal8Bit());
    TPastas::DirecionaConfiguracoesQt();
    Passos importacao({
        {"the tips close with Esc", [] { return E::AtivaE("FoNovidade"); }, [] { E::Tecla(Qt::Key_Escape); }},
        {"the initial screen: Esc to the main window", [] { return E::AtivaE("FoInicial"); },
         [] { E::Tecla(Qt::Key_Escape); }},
        {"importing", [] { return E::AtivaE("Pruv2003"); }, [] { E::Tecla(Qt::Key_I, Qt::ControlModifier); }},
    });
    ImportaDeclaracao(importacao, entregue);
    importacao.insert(importacao.end(),
                      {
                          {"imported: Fechar", [] { return E::AtivaE("FoAssistImportacao") && Visivel("LbTotDecImp"); },
                           [] {
                               EXPECT_EQ(TextoDoRotulo("LbTotDecImp"), QStringLiteral("1"));
                               EXPECT_EQ(TextoDoRotulo("LbTotBenefAdic"), QString::number(std::size(Beneficiarios)));
                               E::Tecla(Qt::Key_F, Qt::AltModifier);
                           }},
                      });
    SaiPeloMenu(importacao);
    Escriturario importador(std::move(importacao));
    EXPECT_EQ(ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia2")), 0);
    EXPECT_EQ(importador.Parado(), std::string()) << "stopped at " << importador.Parado();
    // The delivery layout carries no income statement: the statement's deductions were compared
    // in the first folder.
    ConfereDeclaracao(false);
}

// The main window while it is on the screen, whether or not it is active.
QWidget* JanelaPrincipal()
{
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela->objectName() == QLatin1String("Pruv2003") && janela->isVisible())
            return janela;
    return nullptr;
}

// Not a database: the program shows its error and goes on with what can mend it. The user
// closes the main window, after the splash or while it still runs, and confirms; the program
// must end then.
void FechaSobreUmArquivoQueNaoEBanco(bool duranteOSplash)
{
    QDir().mkpath(TPastas::Dados());
    {
        QFile estragado(TPastas::Dados() + QStringLiteral("/pruv2003.db"));
        ASSERT_TRUE(estragado.open(QIODevice::WriteOnly));
        estragado.write(QByteArray(8192, 'x'));
    }
    Escriturario escriturario({
        {"the error", [] { return E::Ativa() && !E::AtivaE("Pruv2003"); }, [] { E::Tecla(Qt::Key_Return); }},
        {"the main window, closed as the window's own button does",
         // The main window stays disabled while the splash runs.
         [duranteOSplash] {
             return JanelaPrincipal() && JanelaPrincipal()->isEnabled() != duranteOSplash
                 && !QApplication::activeModalWidget();
         },
         [] { JanelaPrincipal()->close(); }},
        {"leaving asks", [] { return QApplication::activeModalWidget() != nullptr; }, [] { E::Tecla(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_EQ(ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia")), 0);
    EXPECT_EQ(escriturario.Feitos(), 3u) << "stopped at " << escriturario.Parado();
    EXPECT_LT(relogio.elapsed(), 10000) << "the program went on after its window had closed";
}

TEST(Escriturario, AProgramStartedOnADatabaseItCannotReadEndsWhenClosed)
{
    FechaSobreUmArquivoQueNaoEBanco(false);
}

// Closed before the program's own loop has begun: with no window left that loop would wait for
// ever, and a second start would only bring the hidden window back. The tests' environment
// switches the splash off; this case needs it.
TEST(Escriturario, AProgramClosedDuringItsSplashEnds)
{
    const VariavelDeAmbiente splash("PRUV2003_NO_SPLASH", nullptr);
    FechaSobreUmArquivoQueNaoEBanco(true);
}

// A first start to a new company's declaration, open on its name.
Passos AteUmaDeclaracaoAberta()
{
    Passos passos = DoInicioANovaDeclaracao();
    passos.push_back({"the new declaration: number, year, name",
                      [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("DeCpfCnpj"); },
                      [] {
                          E::Digita(QStringLiteral("11222333000181"));
                          E::Tecla(Qt::Key_Tab);
                          E::Tecla(Qt::Key_Tab);
                          E::Digita(QStringLiteral("EMPRESA GAMA LTDA"));
                          E::Tecla(Qt::Key_Return);
                      }});
    return passos;
}

bool DeclaracaoAbertaNoNome()
{
    return E::AtivaE("Pruv2003") && E::FocoEm("DeNome") && !EstadoPrograma::EmProcessamento;
}

// What the program showed, message by message, while a case runs.
QStringList& MensagensVistas()
{
    static QStringList vistas;
    return vistas;
}

// Answers the message shown with a key, noting its text.
void RespondeMensagem(Qt::Key tecla)
{
    MensagensVistas() << Mensagem()->text();
    E::Tecla(tecla);
}

// A first run of the program that stores a new declaration and leaves.
void ArmazenaUmaDeclaracao(const QString& instancia)
{
    Passos passos = AteUmaDeclaracaoAberta();
    passos.push_back({"opened; leaving", [] { return DeclaracaoAbertaNoNome(); }, [] {}});
    SaiPeloMenu(passos);
    Escriturario escriturario(std::move(passos));
    ASSERT_EQ(ExecutaPrograma(instancia), 0);
    ASSERT_EQ(escriturario.Parado(), std::string());
}

// Fills a table with rows of another declaration, then overwrites every page of its rows but the
// first, as a failing disk would: the table opens, and the damage is met when its rows are read.
void DanificaTabela(const char* tabela)
{
    const QString arquivo = TPastas::Dados() + QStringLiteral("/pruv2003.db");
    qint64 raiz = 0, tamanho = 0;
    {
        sqlite3* banco = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(arquivo).constData(), &banco, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        const auto executa = [banco](const QByteArray& sql) {
            sqlite3_stmt* consulta = nullptr;
            sqlite3_prepare_v2(banco, sql.constData(), -1, &consulta, nullptr);
            QList<QByteArray> linha;
            std::vector<QList<QByteArray>> linhas;
            while (sqlite3_step(consulta) == SQLITE_ROW) {
                linha.clear();
                for (int c = 0; c < sqlite3_column_count(consulta); ++c)
                    linha << reinterpret_cast<const char*>(sqlite3_column_text(consulta, c));
                linhas.push_back(linha);
            }
            sqlite3_finalize(consulta);
            return linhas;
        };
        const auto nome = executa("SELECT name, rootpage FROM sqlite_master WHERE type = 'table' AND name LIKE '"
                                  + QByteArray(tabela) + "%'");
        ASSERT_EQ(nome.size(), 1u) << tabela;
        QByteArrayList colunas, valores;
        for (const auto& coluna : executa("SELECT name FROM pragma_table_info('" + nome[0][0] + "')")) {
            colunas << '"' + coluna[0] + '"';
            valores << "printf('9%04d', value)";
        }
        executa("INSERT INTO \"" + nome[0][0] + "\" (" + colunas.join(',')
                + ") WITH RECURSIVE n(value) AS (SELECT 1 UNION ALL SELECT value + 1 FROM n WHERE value < 2000) "
                  "SELECT "
                + valores.join(',') + " FROM n");
        raiz = executa("SELECT rootpage FROM sqlite_master WHERE name = '" + nome[0][0] + "'")[0][0].toLongLong();
        tamanho = executa("PRAGMA page_size")[0][0].toLongLong();
        sqlite3_close(banco);
    }
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek((raiz - 1) * tamanho);
    const QByteArray pagina = f.read(tamanho);
    const auto numero = [&pagina](qsizetype posicao) {
        return static_cast<qint64>(qFromBigEndian<quint32>(pagina.constData() + posicao));
    };
    constexpr char InteriorIndice = 0x02, InteriorTabela = 0x05;
    ASSERT_TRUE(pagina[0] == InteriorIndice || pagina[0] == InteriorTabela) << "one page only";
    std::vector<qint64> filhas{numero(8)};
    const int celulas = qFromBigEndian<quint16>(pagina.constData() + 3);
    for (int c = 0; c < celulas; ++c)
        filhas.push_back(numero(qFromBigEndian<quint16>(pagina.constData() + 12 + 2 * c)));
    for (const qint64 filha : filhas) {
        f.seek((filha - 1) * tamanho);
        f.write(QByteArray(static_cast<int>(tamanho), '\xff'));
    }
}

// Closing while a new beneficiary is typed: leaving is asked first, and a wrong number is shown
// after the question, with the clerk back on it; emptied with Esc, the new item is nothing to keep
// and the program leaves without it.
TEST(Escriturario, ClosingDuringANewItemAsksFirstAndLeavesAnEmptyOneBehind)
{
    MensagensVistas().clear();
    Passos passos = AteUmaDeclaracaoAberta();
    passos.insert(
        passos.end(),
        {
            {"opened: to the beneficiaries", [] { return DeclaracaoAbertaNoNome(); },
             [] { E::Tecla(Qt::Key_B, Qt::AltModifier); }},
            {"a new item: the code", [] { return E::AtivaE("Pruv2003") && E::FocoEm("DblcCodRet"); },
             [] {
                 E::Digita(QStringLiteral("0561"));
                 E::Tecla(Qt::Key_Tab);
             }},
            {"a wrong CPF, and the window is closed", [] { return E::FocoEm("DeCpfCnpjBenef"); },
             [] {
                 E::Digita(QStringLiteral("12345678900"));
                 JanelaPrincipal()->close();
             }},
            {"leaving asks first: Sim", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
            {"the wrong CPF, after the question: OK", [] { return Mensagem() != nullptr; },
             [] { RespondeMensagem(Qt::Key_Return); }},
            // With no window manager offscreen, the window that stayed is given the keys back
            // as one would.
            {"the window stays", [] { return JanelaPrincipal() && !QApplication::activeModalWidget(); },
             [] { JanelaPrincipal()->activateWindow(); }},
            {"back on the CPF: Esc empties it, and the window is closed",
             [] { return E::FocoEm("DeCpfCnpjBenef") && !QApplication::activeModalWidget(); },
             [] {
                 E::Tecla(Qt::Key_Escape);
                 JanelaPrincipal()->close();
             }},
            {"leaving asks: Sim", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
            {"the program has ended", [] { return false; }, [] {}},
        });
    Escriturario escriturario(std::move(passos));
    EXPECT_EQ(ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia")), 0);
    const std::string vistas = MensagensVistas().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(escriturario.Feitos(), 11u) << "stopped at " << escriturario.Parado() << "; messages: " << vistas;
    ASSERT_EQ(MensagensVistas().size(), 3) << vistas;
    EXPECT_EQ(MensagensVistas()[0], QStringLiteral("Deseja sair do programa?"));
    EXPECT_TRUE(MensagensVistas()[1].contains(QStringLiteral("CPF"))
                && MensagensVistas()[1].contains(QStringLiteral("inválid")))
        << vistas;
    EXPECT_EQ(MensagensVistas()[2], QStringLiteral("Deseja sair do programa?"));
}

// A copy started on a program folder that another copy uses (another login, another session:
// another runtime folder) says so and ends, before it reads or writes anything there.
TEST(Escriturario, AProgramFolderInUseByAnotherCopyIsSaidAndTheProgramEnds)
{
    QLockFile outraCopia(ProgramaDeTeste::Pasta() + QStringLiteral("/pruv2003.lock"));
    ASSERT_TRUE(outraCopia.tryLock(0));
    MensagensVistas().clear();
    Escriturario escriturario({
        {"the folder is in use: OK", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    EXPECT_NE(ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/outra-sessao")), 0);
    EXPECT_EQ(escriturario.Feitos(), 1u) << "stopped at " << escriturario.Parado();
    ASSERT_EQ(MensagensVistas().size(), 1);
    EXPECT_TRUE(MensagensVistas().front().contains(QStringLiteral("em uso"))
                && MensagensVistas().front().contains(QDir::toNativeSeparators(ProgramaDeTeste::Pasta())))
        << MensagensVistas().front().toStdString();
    EXPECT_FALSE(QFileInfo::exists(TPastas::Dados())) << "the data folder was touched";
}

// A program folder where no lock can be taken (here a folder stands where the lock file goes)
// would let a second copy in unseen: the start says so and asks; No ends it before it reads or
// writes anything there, Yes goes on.
TEST(Escriturario, AProgramFolderThatTakesNoLockIsNotUsedWithoutAsking)
{
    ASSERT_TRUE(QDir(ProgramaDeTeste::Pasta()).mkdir(QStringLiteral("pruv2003.lock")));
    for (const bool continua : {false, true}) {
        SCOPED_TRACE(continua ? "goes on" : "ends");
        MensagensVistas().clear();
        Passos passos{{"no lock: the start asks", [] { return Mensagem() != nullptr; },
                       [continua] { RespondeMensagem(continua ? Qt::Key_S : Qt::Key_N); }}};
        if (continua) {
            passos.push_back(DoInicioANovaDeclaracao().front());
            passos.push_back(
                {"the initial screen: Esc", [] { return E::AtivaE("FoInicial"); }, [] { E::Tecla(Qt::Key_Escape); }});
            SaiPeloMenu(passos);
        }
        passos.push_back({"the program has ended", [] { return false; }, [] {}});
        Escriturario escriturario(std::move(passos));
        const int saida = ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia"));
        const std::string vistas = MensagensVistas().join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(escriturario.Feitos(), continua ? 6u : 1u)
            << "stopped at " << escriturario.Parado() << "; " << vistas;
        ASSERT_FALSE(MensagensVistas().isEmpty());
        EXPECT_TRUE(MensagensVistas().front().contains(QDir::toNativeSeparators(ProgramaDeTeste::Pasta()))
                    && MensagensVistas().front().contains(QStringLiteral("Deseja continuar?")))
            << vistas;
        if (!continua) {
            EXPECT_NE(saida, 0);
            EXPECT_FALSE(QFileInfo::exists(TPastas::Dados())) << "the data folder was touched";
        }
    }
}

// Enter on the question about going on without the folder's lock answers No: a second copy is
// never put on a folder by a reflex.
TEST(Escriturario, EnterOnTheQuestionAboutGoingOnWithoutTheLockEndsTheStart)
{
    ASSERT_TRUE(QDir(ProgramaDeTeste::Pasta()).mkdir(QStringLiteral("pruv2003.lock")));
    MensagensVistas().clear();
    Escriturario escriturario({
        {"no lock: the start asks; Enter", [] { return Mensagem() != nullptr; },
         [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    EXPECT_NE(ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia")), 0);
    EXPECT_EQ(escriturario.Feitos(), 1u) << "stopped at " << escriturario.Parado();
    EXPECT_FALSE(QFileInfo::exists(TPastas::Dados())) << "the start went on";
}

// A first copy of the session that is stopped (or hung) takes no request, though the system
// takes its connection: a later start does not end silently, it says that a copy runs but does
// not answer, and ends.
TEST(Escriturario, AStartWhileTheFirstCopyIsStoppedSaysItDoesNotAnswer)
{
    const QString instancia = ProgramaDeTeste::Pasta() + QStringLiteral("/instancia");
    int pronto[2];
    ASSERT_EQ(::pipe(pronto), 0);
    const pid_t primeira = fork();
    ASSERT_GE(primeira, 0);
    if (primeira == 0) {
        ::alarm(60);
        TInstanciaUnica copia(instancia);
        if (copia.InstanciaAnterior() || ::write(pronto[1], "1", 1) != 1)
            ::_exit(2);
        for (;;)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    ::close(pronto[1]);
    char nada = 0;
    ASSERT_EQ(::read(pronto[0], &nada, 1), 1);
    ::close(pronto[0]);
    ::kill(primeira, SIGSTOP);
    const auto termina = qScopeGuard([primeira] {
        ::kill(primeira, SIGKILL);
        ::waitpid(primeira, nullptr, 0);
    });
    MensagensVistas().clear();
    Escriturario escriturario({
        {"a copy runs but does not answer: OK", [] { return Mensagem() != nullptr; },
         [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    EXPECT_NE(ExecutaPrograma(instancia), 0);
    EXPECT_EQ(escriturario.Feitos(), 1u) << "stopped at " << escriturario.Parado();
    ASSERT_EQ(MensagensVistas().size(), 1);
    EXPECT_TRUE(MensagensVistas().front().contains(QStringLiteral("não responde")))
        << MensagensVistas().front().toStdString();
}

// A damaged table met while a declaration opens: the numbered message names the table and says
// how to mend it, and the program keeps only what can.
TEST(Escriturario, ADamagedTableMetWhileADeclarationOpensIsToldWithItsRemedy)
{
    const QString instancia = ProgramaDeTeste::Pasta() + QStringLiteral("/instancia");
    ArmazenaUmaDeclaracao(instancia);
    if (::testing::Test::HasFatalFailure())
        return;
    DanificaTabela("PruvItem");
    if (::testing::Test::HasFatalFailure())
        return;
    MensagensVistas().clear();
    Escriturario escriturario({
        {"the start dialog offers the stored declaration: OK",
         [] { return E::AtivaE("FoInicial") && E::FocoEm("RbAbrir"); }, [] { E::Tecla(Qt::Key_Return); }},
        {"the damaged table: OK", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
        {"the main window, closed", [] { return JanelaPrincipal() && !QApplication::activeModalWidget(); },
         [] { JanelaPrincipal()->close(); }},
        {"leaving asks: Sim", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
        {"the automatic backup is not made of damaged data, and says so: OK", [] { return Mensagem() != nullptr; },
         [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    ExecutaPrograma(instancia);
    EXPECT_EQ(MensagensVistas().size(), 3) << MensagensVistas().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(escriturario.Feitos(), 5u) << "stopped at " << escriturario.Parado() << "; messages: "
                                         << MensagensVistas().join(QStringLiteral(" | ")).toStdString();
    ASSERT_GE(MensagensVistas().size(), 1);
    const QString& texto = MensagensVistas().front();
    EXPECT_TRUE(texto.contains(QStringLiteral("PruvItem")) && texto.contains(QStringLiteral("danificad"))
                && texto.contains(QStringLiteral("Reorganizar"))
                && texto.contains(QStringLiteral("cópia de segurança")))
        << texto.toStdString();
}

// Message 150 says the program will end: after its OK it does, whichever window met the full disk.
TEST(Escriturario, TooLittleDiskSpaceMetInTheStartDialogEndsTheProgram)
{
    const QString instancia = ProgramaDeTeste::Pasta() + QStringLiteral("/instancia");
    ArmazenaUmaDeclaracao(instancia);
    if (::testing::Test::HasFatalFailure())
        return;
    static bool cheio = false;
    cheio = false;
    const TEspacoEmDisco::Simulacao espaco(
        [](const QString&) { return cheio ? EspacoMinimoEmDisco - 1 : EspacoMinimoEmDisco * 1000; });
    MensagensVistas().clear();
    Escriturario escriturario({
        {"the start dialog offers the stored declaration; the disk fills; OK",
         [] { return E::AtivaE("FoInicial") && E::FocoEm("RbAbrir"); },
         [] {
             cheio = true;
             E::Tecla(Qt::Key_Return);
         }},
        {"too little space: OK", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended", [] { return false; }, [] {}},
    });
    ExecutaPrograma(instancia);
    // The program ended by asking every loop to end: one pass of the application's own loop takes
    // that back for the next case.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_EQ(escriturario.Feitos(), 2u) << "stopped at " << escriturario.Parado();
    ASSERT_EQ(MensagensVistas().size(), 1);
    EXPECT_TRUE(MensagensVistas().front().contains(QStringLiteral("será finalizado")))
        << MensagensVistas().front().toStdString();
}

// A data folder that takes no writes, said so at the start: a stored declaration opened and closed
// unchanged writes nothing there, backs nothing up, and leaving asks only whether to leave. Every
// write from the opened declaration on fails, as such a folder's would.
TEST(Escriturario, OnADataFolderThatTakesNoWritesClosingAnUnchangedDeclarationSaysNothingMore)
{
    const QString instancia = ProgramaDeTeste::Pasta() + QStringLiteral("/instancia");
    ArmazenaUmaDeclaracao(instancia);
    if (::testing::Test::HasFatalFailure())
        return;
    const auto desarma = qScopeGuard([] { FalhasDeArquivo::Desarma(); });
    const TDatabase::SimulacaoSomenteLeitura somenteLeitura;
    MensagensVistas().clear();
    Escriturario escriturario({
        {"the start says nothing will be written: OK", [] { return Mensagem() != nullptr; },
         [] { RespondeMensagem(Qt::Key_Return); }},
        {"the start dialog offers the stored declaration: OK",
         [] { return E::AtivaE("FoInicial") && E::FocoEm("RbAbrir"); }, [] { E::Tecla(Qt::Key_Return); }},
        {"opened: from here on no write goes through, and the window is closed",
         [] { return DeclaracaoAbertaNoNome(); },
         [] {
             // Removals are left out: the program folder's lock (outside the data folder) goes
             // at exit, as it must.
             FalhasDeArquivo::Arma({0,
                                    TFalhasDeArquivo::Todas & ~(TFalhasDeArquivo::Leitura | TFalhasDeArquivo::Remocao),
                                    FalhasDeArquivo::Efeito::ErroES, true,
                                    FalhasDeArquivo::Programa | FalhasDeArquivo::Biblioteca | FalhasDeArquivo::Banco});
             JanelaPrincipal()->close();
         }},
        {"leaving asks: Sim", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
        {"the program has ended (a message shown now is one too many: noted and answered)",
         [] {
             if (Mensagem() != nullptr)
                 RespondeMensagem(Qt::Key_Return);
             return false;
         },
         [] {}},
    });
    ExecutaPrograma(instancia);
    const bool escreveu = FalhasDeArquivo::Disparou();
    const QString primeira = FalhasDeArquivo::Disparada();
    FalhasDeArquivo::Desarma();
    const std::string vistas = MensagensVistas().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(escriturario.Feitos(), 4u) << "stopped at " << escriturario.Parado() << "; messages: " << vistas;
    ASSERT_EQ(MensagensVistas().size(), 2) << vistas;
    EXPECT_TRUE(MensagensVistas()[0].contains(QStringLiteral("não permite gravação"))) << vistas;
    EXPECT_EQ(MensagensVistas()[1], QStringLiteral("Deseja sair do programa?"));
    EXPECT_FALSE(escreveu) << "tried to write: " << primeira.toStdString();
}

// The disk fills as the clerk has typed (Digitado, from the declaration open on its name): every
// save fails, and closing says so once, then lets the clerk leave without saving instead of
// keeping the program open for ever.
void FechaComODiscoCheio(Passos Digitado)
{
    const auto desarma = qScopeGuard([] {
        FalhasDeArquivo::Desarma();
        FalhasDeDisco::Desarma();
    });
    MensagensVistas().clear();
    Passos passos = AteUmaDeclaracaoAberta();
    passos.insert(passos.end(), Digitado.begin(), Digitado.end());
    passos.insert(
        passos.end(),
        {
            {"typed: the disk fills, and the window is closed",
             [] { return E::AtivaE("Pruv2003") && !EstadoPrograma::EmProcessamento; },
             [] {
                 FalhasDeDisco::Arma({0, FalhasDeDisco::Todas, true, true});
                 FalhasDeArquivo::Arma({0,
                                        TFalhasDeArquivo::Escrita | TFalhasDeArquivo::Descarga
                                            | TFalhasDeArquivo::Sincronia | TFalhasDeArquivo::Renomeacao,
                                        FalhasDeArquivo::Efeito::DiscoCheio, true});
                 JanelaPrincipal()->close();   // as Alt+F4 or the window's button does
             }},
            {"leaving asks: Sim", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
            {"the save fails: OK", [] { return Mensagem() != nullptr; }, [] { RespondeMensagem(Qt::Key_Return); }},
            {"leave without saving: Sim", [] { return Mensagem() != nullptr; },
             [] { RespondeMensagem(Qt::Key_Return); }},
            {"the automatic backup cannot be written either: OK", [] { return Mensagem() != nullptr; },
             [] { RespondeMensagem(Qt::Key_Return); }},
            {"the program has ended", [] { return false; }, [] {}},
        });
    const std::size_t passosAteOFim = passos.size() - 1;
    Escriturario escriturario(std::move(passos));
    ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia"));
    FalhasDeArquivo::Desarma();
    FalhasDeDisco::Desarma();
    const std::string vistas = MensagensVistas().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(escriturario.Feitos(), passosAteOFim)
        << "stopped at " << escriturario.Parado() << "; messages: " << vistas;
    ASSERT_EQ(MensagensVistas().size(), 4) << vistas;
    EXPECT_EQ(MensagensVistas()[0], QStringLiteral("Deseja sair do programa?"));
    EXPECT_TRUE(MensagensVistas()[1].contains(QStringLiteral("disco está cheio"))) << vistas;
    EXPECT_TRUE(MensagensVistas()[2].contains(QStringLiteral("sem gravar"))) << vistas;
    EXPECT_TRUE(MensagensVistas()[3].contains(QStringLiteral("cópia"), Qt::CaseInsensitive)) << vistas;
}

TEST(Escriturario, OnAFullDiskClosingSaysWhatIsNotSavedAndLeaves)
{
    FechaComODiscoCheio({{"opened: the name changed", [] { return DeclaracaoAbertaNoNome(); },
                          [] {
                              E::Tecla(Qt::Key_End);
                              E::Digita(QStringLiteral(" SA"));
                          }}});
    // What was stored before the disk filled is still there, without the change.
    TErros erros;
    TPruv lida;
    lida.SetErros(&erros);
    ASSERT_TRUE(CarregaEmpresaGama(lida));
    EXPECT_EQ(lida.GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA GAMA LTDA"));
}

// The same with a beneficiary's amount typed: the item cannot be stored either.
TEST(Escriturario, OnAFullDiskClosingDuringABeneficiarysAmountLeavesToo)
{
    FechaComODiscoCheio({
        {"opened: to the beneficiaries", [] { return DeclaracaoAbertaNoNome(); },
         [] { E::Tecla(Qt::Key_B, Qt::AltModifier); }},
        {"a person on 0561", [] { return E::FocoEm("DblcCodRet"); },
         [] {
             E::Digita(QStringLiteral("0561"));
             E::Tecla(Qt::Key_Tab);
         }},
        {"the person's CPF", [] { return E::FocoEm("DeCpfCnpjBenef"); },
         [] {
             E::Digita(QString::fromLatin1(Beneficiarios[0].Cpf));
             E::Tecla(Qt::Key_Tab);
         }},
        {"the person's name", [] { return E::FocoEm("DeNomeBenef"); },
         [] {
             E::Digita(QString::fromLatin1(Beneficiarios[0].Nome));
             E::Tecla(Qt::Key_Return);   // on to the months
         }},
        {"January's income", [] { return E::FocoEm("DgrRendimentos"); },
         [] { DigitaLinha({Beneficiarios[0].Meses[0][0]}); }},
    });
}

// A company of 2002 typed by a clerk who passed over 2003, printed with no printer while a key
// was pressed, then an import of another company with its statements, all by the keyboard.
TEST(Escriturario, AYearPassedOverAPrintoutWithoutPrinterAndTheImportLogsKeptByKeyboard)
{
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta() + QStringLiteral("/pdf"));
    impressoras.Nomes.clear();   // only the PDF stand-in
    ImpressoraComTecla tecla(impressoras);

    // Another company's declaration, with one value line refused, and its statements, all refused.
    static const QString outra = QStringLiteral("11444777000161");
    static QString declaracao, comprovantes;
    {
        TDeclaracaoEntrega d;
        d.Ano = QStringLiteral("2002");
        d.Ni = outra;
        d.Nome = QStringLiteral("COMERCIO E FILHOS LTDA");
        TItemEntrega item;
        item.Codigo = QStringLiteral("0561");
        item.BeneficiarioPf = true;
        item.NiBeneficiario = QLatin1String(Beneficiarios[0].Cpf);
        item.NomeBeneficiario = QLatin1String(Beneficiarios[0].Nome);
        item.Valor(TItemEntrega::TSerie::Rendimento, 1) = Quantia("1000");
        const QByteArray boa = ImportacaoDeTeste::Valores('2', 2, outra, item, 0);
        declaracao = ProgramaDeTeste::Pasta() + QStringLiteral("/declaracao.txt");
        comprovantes = ProgramaDeTeste::Pasta() + QStringLiteral("/comprovantes.txt");
        QFile arquivo(declaracao);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(ImportacaoDeTeste::Tipo1(1, d) + "\r\n" + boa + "\r\n"
                      + ImportacaoDeTeste::Troca(ImportacaoDeTeste::Valores('2', 3, outra, item, 0), 688, "9")
                      + "\r\n");
        arquivo.close();
        QFile linhas(comprovantes);
        ASSERT_TRUE(linhas.open(QIODevice::WriteOnly));
        linhas.write(QByteArray(50, '1') + "\r\n" + QByteArray(60, '2') + "\r\n");
    }

    Passos passos = DoInicioANovaDeclaracao();
    passos.insert(passos.end(),
                  {
                      {"the new declaration: the number, Tab to the year",
                       [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("DeCpfCnpj"); },
                       [] {
                           E::Digita(QStringLiteral("11222333000181"));
                           E::Tecla(Qt::Key_Tab);
                       }},
                      {"Up to 2003", [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("CbAnoRet"); },
                       [] { E::Tecla(Qt::Key_Up); }},
                      {"2003 is of extinction: the message, Return", [] { return Mensagem() != nullptr; },
                       [] {
                           EXPECT_TRUE(Mensagem()->text().contains(QStringLiteral("2003")))
                               << Mensagem()->text().toStdString();
                           E::Tecla(Qt::Key_Return);
                       }},
                      {"Down back to 2002, Tab to the name",
                       [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("CbAnoRet"); },
                       [] {
                           E::Tecla(Qt::Key_Down);
                           E::Tecla(Qt::Key_Tab);
                       }},
                      {"the name, Return", [] { return E::AtivaE("FoNovaDeclaracao") && E::FocoEm("DeNome"); },
                       [] {
                           E::Digita(QStringLiteral("EMPRESA GAMA LTDA"));
                           E::Tecla(Qt::Key_Return);
                       }},
                      {"the declaration opens, not of extinction; printing",
                       [] { return E::AtivaE("Pruv2003") && E::FocoEm("DeNome"); },
                       [] {
                           const auto* sim = Mostrado<QRadioButton>("RbSimEncerramento");
                           const auto* nao = Mostrado<QRadioButton>("RbNaoEncerramento");
                           EXPECT_TRUE(sim && nao && !sim->isChecked() && nao->isChecked());
                           E::Tecla(Qt::Key_M, Qt::ControlModifier);
                       }},
                  });
    // The clerk's Ctrl+F while the report prints (ImpressoraComTecla) must not close the
    // declaration under it.
    ImprimeDeclaracao(passos, impressoras);
    passos.insert(passos.end(),
                  {
                      {"printed, the declaration still open; importing",
                       [] { return E::AtivaE("Pruv2003") && !EstadoPrograma::EmProcessamento; },
                       [] {
                           EXPECT_TRUE(Visivel("PgDeclaracao"));
                           E::Tecla(Qt::Key_I, Qt::ControlModifier);
                       }},
                  });
    ImportaDeclaracao(passos, declaracao);
    passos.insert(
        passos.end(),
        {
            {"imported with a line refused: Fechar shows the report",
             [] { return E::AtivaE("FoAssistImportacao") && Visivel("LbTotRej"); },
             [] {
                 EXPECT_NE(TextoDoRotulo("LbTotRej"), QStringLiteral("0"));
                 E::Tecla(Qt::Key_F, Qt::AltModifier);
             }},
            {"the report of the refused line: Esc", [] { return E::AtivaE("FoPreview") && Visivel("ToolButton2"); },
             [] { E::Tecla(Qt::Key_Escape); }},
            {"the statements now", [] { return E::AtivaE("Pruv2003"); },
             [] { E::Tecla(Qt::Key_I, Qt::ControlModifier); }},
            {"the welcome again: Avançar", [] { return E::AtivaE("FoAssistImportacao") && E::FocoEm("BtnAvancar"); },
             [] { E::Tecla(Qt::Key_A, Qt::AltModifier); }},
            {"Tab to the kind of import, Right to the statements",
             [] { return E::AtivaE("FoAssistImportacao") && Visivel("EdArquivo"); },
             [] {
                 for (int t = 0; t < 8 && !E::FocoEm("RBDeclaracao"); ++t)
                     E::Tecla(Qt::Key_Tab);
                 E::Tecla(Qt::Key_Right);
             }},
            {"Tab to the file name", [] { return E::FocoEm("RBComprovante"); },
             [] {
                 for (int t = 0; t < 8 && !E::FocoEm("EdArquivo"); ++t)
                     E::Tecla(Qt::Key_Tab);
             }},
            {"the statements' file; Avançar", [] { return E::FocoEm("EdArquivo"); },
             [] {
                 E::Digita(comprovantes);
                 E::Tecla(Qt::Key_A, Qt::AltModifier);
             }},
            {"the imported declaration, the second: Tab to the list, Down, Avançar",
             [] { return E::AtivaE("FoAssistImportacao") && Visivel("DBGrDeclaracao"); },
             [] {
                 for (int t = 0; t < 8 && !E::FocoEm("DBGrDeclaracao"); ++t)
                     E::Tecla(Qt::Key_Tab);
                 E::Tecla(Qt::Key_Down);
                 E::Tecla(Qt::Key_A, Qt::AltModifier);
             }},
            {"the sample: Avançar", [] { return E::AtivaE("FoAssistImportacao") && Visivel("grdImpCompr"); },
             [] { E::Tecla(Qt::Key_A, Qt::AltModifier); }},
            {"every statement refused: Fechar shows their report",
             [] { return E::AtivaE("FoAssistImportacao") && Visivel("lblComprRejeitados"); },
             [] {
                 EXPECT_EQ(TextoDoRotulo("lblComprRejeitados"), QStringLiteral("2"));
                 E::Tecla(Qt::Key_F, Qt::AltModifier);
             }},
            {"the statements' report: Esc", [] { return E::AtivaE("FoPreview") && Visivel("ToolButton2"); },
             [] { E::Tecla(Qt::Key_Escape); }},
        });
    SaiPeloMenu(passos);
    Escriturario escriturario(std::move(passos));
    const int resultado = ExecutaPrograma(ProgramaDeTeste::Pasta() + QStringLiteral("/instancia"));
    EXPECT_EQ(escriturario.Parado(), std::string()) << "stopped at " << escriturario.Parado();
    EXPECT_EQ(resultado, 0);
    EXPECT_EQ(tecla.Teclas(), 1);

    // Stored as the clerk left it: of 2002, no special situation.
    TErros erros;
    TPruv lida;
    lida.SetErros(&erros);
    ASSERT_TRUE(CarregaEmpresaGama(lida));
    EXPECT_FALSE(lida.GetSituacaoEspecial());
    // The log of the declaration's refused line, where the help sends the clerk to correct it.
    QFile log(TPastas::ErroImp() + QStringLiteral("/11444777.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << log.fileName().toStdString();
    EXPECT_TRUE(log.readAll().contains(outra.toLatin1()));
}
