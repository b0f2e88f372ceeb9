#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "components/controls/combos/IComboItens.h"
#include "model/declaration/TNaturezas.h"
#include "shell/common/UtilJanelas.h"
#include "model/values/Utilitarios.h"
#include "platform/report/ImpressorasSimuladas.h"
#include "platform/report/TRelatorio.h"

namespace {

// Stands for the program's main window, which the caption routine finds by its class.
class TPruv2003 : public QMainWindow {
    Q_OBJECT
};

// Restores an environment variable when the test ends.
class Ambiente {
public:
    explicit Ambiente(const char* nome)
        : FNome(nome)
        , FValor(qgetenv(nome))
        , FDefinida(qEnvironmentVariableIsSet(nome))
    {}
    ~Ambiente()
    {
        if (FDefinida)
            qputenv(FNome, FValor);
        else
            qunsetenv(FNome);
    }

private:
    const char* FNome;
    QByteArray FValor;
    bool FDefinida;
};

class ComboDeTeste final : public IComboItens {
public:
    QWidget& Controle() override { return FEdit; }
    void LimpaItens() override { Itens.clear(); }
    void AdicionaItem(const QString& Texto) override { Itens << Texto; }
    int QuantidadeItens() const override { return static_cast<int>(Itens.size()); }
    void SetItemIndex(int Indice) override { Indice_ = Indice; }

    QStringList Itens{QStringLiteral("velho")};
    int Indice_ = 0;
    QLineEdit FEdit;
};

}   // namespace

TEST(TituloJanela, SuffixByEstablishment)
{
    const struct {
        const char* nome;
        const char* estabelecimento;
        const char* titulo;
    } casos[] = {
        {"", "0001", "Pruv 2003"},
        {"ACME", "0001", "Pruv 2003 - ACME   Matriz"},
        {"ACME", "0002", "Pruv 2003 - ACME   Filial 0002"},
        {"ACME", "0000", "Pruv 2003 - ACME   "},
        {"ACME", "", "Pruv 2003 - ACME   "},
        {"Maria", "", "Pruv 2003 - Maria   "},
        {"ACME", "A", "Pruv 2003 - ACME   Filial A"},   // text comparison
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        EXPECT_EQ(TituloJanela(QString::fromUtf8(c.nome), QString::fromUtf8(c.estabelecimento)),
                  QString::fromUtf8(c.titulo));
    }
}

TEST(AtualizaTitulo, SetsTheMainWindowsCaption)
{
    QMainWindow outra;
    TPruv2003 principal;
    AtualizaTitulo(QStringLiteral("ACME"), QStringLiteral("0001"));
    EXPECT_EQ(principal.windowTitle(), QStringLiteral("Pruv 2003 - ACME   Matriz"));
    EXPECT_EQ(outra.windowTitle(), QString());
}

TEST(FocaPrimeiro, TheFirstThatCanTakeTheFocus)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* oculto = new QLineEdit;
    auto* desabilitado = new QLineEdit;
    auto* semFoco = new QLineEdit;
    auto* bom = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(oculto), static_cast<QWidget*>(desabilitado),
                       static_cast<QWidget*>(semFoco), static_cast<QWidget*>(bom)})
        layout->addWidget(w);
    desabilitado->setEnabled(false);
    semFoco->setFocusPolicy(Qt::NoFocus);
    janela.show();
    oculto->hide();
    FocaPrimeiro(oculto, desabilitado, semFoco, bom);
    EXPECT_EQ(janela.focusWidget(), bom);
    FocaPrimeiro(nullptr, oculto, nullptr, nullptr);
    EXPECT_EQ(janela.focusWidget(), bom);
}

TEST(ObtemHelpContext, FromTheControlOrItsNearestParent)
{
    QWidget janela;
    auto* painel = new QWidget(&janela);
    auto* botao = new QPushButton(painel);
    EXPECT_EQ(ObtemHelpContext(botao), 10000);
    DefineHelpContext(janela, 12600);
    EXPECT_EQ(ObtemHelpContext(botao), 12600);
    DefineHelpContext(*painel, 300);
    EXPECT_EQ(ObtemHelpContext(botao), 300);
    DefineHelpContext(*botao, 7);
    EXPECT_EQ(ObtemHelpContext(botao), 7);
    QObject naoJanela;
    EXPECT_EQ(ObtemHelpContext(&naoJanela), 10000);
    EXPECT_EQ(ObtemHelpContext(nullptr), 10000);
}

TEST(AjustaPapel, TheDefaultPrintersPaperOrLetter)
{
    const struct {
        int codigoImpressora;
        int codigoRelatorio;
    } casos[] = {
        {9, 9}, {1, 1}, {14, 14}, {24, 24}, {26, 26}, {15, 1}, {0, 1}, {256, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigoImpressora);
        ImpressorasSimuladas impressoras(DiretorioPrograma());
        impressoras.CodigoPapel = c.codigoImpressora;
        TRelatorio relatorio;
        AjustaPapel(relatorio);
        EXPECT_EQ(relatorio.Papel().Codigo(), c.codigoRelatorio);
    }
}

TEST(ExisteNavegador, FoundThroughTheBrowserVariableOrXdgOpen)
{
    Ambiente path("PATH"), browser("BROWSER");
    const QString pasta = DiretorioPrograma() + QStringLiteral("/bin");
    QDir().mkpath(pasta);
    qputenv("PATH", pasta.toLocal8Bit());
    qunsetenv("BROWSER");
    EXPECT_EQ(ProgramaNavegador(), QString());
    EXPECT_FALSE(ExisteNavegador(false));

    // A stand-in browser that writes down the address it was given.
    const QString saida = DiretorioPrograma() + QStringLiteral("/aberto.txt");
    QFile script(pasta + QStringLiteral("/xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\n").arg(saida).toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ProgramaNavegador(), script.fileName());

    qputenv("BROWSER", "nao-existe:xdg-open");
    EXPECT_EQ(ProgramaNavegador(), script.fileName());

    EXPECT_TRUE(ExisteNavegador(false));
    EXPECT_FALSE(QFile::exists(saida));
    EXPECT_TRUE(ExisteNavegador(true));
    QElapsedTimer relogio;
    relogio.start();
    while (!QFile::exists(saida) && relogio.elapsed() < 5000)
        QThread::msleep(10);
    QFile aberto(saida);
    ASSERT_TRUE(aberto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aberto.readAll().trimmed(), QByteArray(EnderecoSitio));
    EXPECT_FALSE(QFile::exists(DiretorioPrograma() + QStringLiteral("/PRUV.HTM")));
}

TEST(ExisteNavegador, FalseWhenTheProgramFolderCannotTakeTheTemporaryPage)
{
    Ambiente home("PRUV2003_HOME");
    qputenv("PRUV2003_HOME", (DiretorioPrograma() + QStringLiteral("/nao-existe")).toLocal8Bit());
    EXPECT_FALSE(ExisteNavegador(false));
}

TEST(PreencheCombo, AvailableDescriptionsWithoutBlanks)
{
    TNaturezas naturezas;
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[5]);   // empty description
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[8]);
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[9]);
    ComboDeTeste combo;
    combo.FEdit.setEnabled(false);
    PreencheCombo(combo, naturezas);
    EXPECT_EQ(combo.Itens, (QStringList{QStringLiteral("Pessoa Física"), QStringLiteral("Pessoa Jurídica")}));
    EXPECT_TRUE(combo.FEdit.isEnabled());
    EXPECT_EQ(combo.Indice_, 0);
    EXPECT_EQ(combo.FEdit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

TEST(PreencheCombo, WithoutItemsTheComboIsDisabled)
{
    TNaturezas naturezas;
    naturezas.AdicionaDisponivel(naturezas.GetTodas()[5]);
    ComboDeTeste combo;
    PreencheCombo(combo, naturezas);
    EXPECT_TRUE(combo.Itens.isEmpty());
    EXPECT_EQ(combo.Indice_, -1);
    EXPECT_FALSE(combo.FEdit.isEnabled());
    EXPECT_EQ(combo.FEdit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
}

#include "UtilJanelasTest.moc"
