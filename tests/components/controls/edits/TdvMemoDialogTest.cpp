#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "components/controls/edits/TdvMemoDialog.h"
#include "components/controls/edits/TdvMemoDlg.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/datasets/TTable.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/ProgramaDeTeste.h"

namespace {

using Acao = std::function<void(TdvMemoDlg&)>;

// The memo dialog of a component on a window, driven while it runs modally.
class DialogoDeMemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        janela.resize(300, 200);
        janela.show();
        componente.Font = QFont(QStringLiteral("Liberation Sans"), 9);
        componente.Caption = QStringLiteral("Observação");
    }

    // Runs Execute with acao done on the dialog once it is up; the dialog must be closed by then.
    bool Executa(const Acao& acao)
    {
        QTimer::singleShot(0, &janela, [acao] {
            auto* dialogo = qobject_cast<TdvMemoDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialogo, nullptr);
            acao(*dialogo);
            if (dialogo->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialogo->QDialog::done(QDialog::Rejected);
            }
        });
        return componente.Execute();
    }

    static void Digita(TdvMemoDlg& d, const QString& texto)
    {
        d.Memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(d.Memo, texto);
    }

    DialogosRoteirizados dialogos;
    QWidget janela;
    TdvMemoDialog componente{&janela};
};

// The component bound to column OBS (a memo) or NOME of a one-row table.
class DialogoDeMemoLigado : public DialogoDeMemo {
protected:
    void SetUp() override
    {
        DialogoDeMemo::SetUp();
        const QString dados = ProgramaDeTeste::Pasta() + QStringLiteral("/DADOS");
        QDir().mkpath(dados);
        tabela.SetDatabaseName(dados);
        tabela.SetTableName(QStringLiteral("Nota"));
        tabela.CreateTable({{QStringLiteral("NOME"), ftString, 30}, {QStringLiteral("OBS"), ftMemo}}, {});
        tabela.Open();
        tabela.Append();
        tabela.FieldByName(QStringLiteral("NOME"))->SetAsString(QStringLiteral("Ana"));
        tabela.FieldByName(QStringLiteral("OBS"))->SetAsString(QStringLiteral("linha 1\r\nlinha 2"));
        tabela.Post();
        fonte.SetDataSet(&tabela);
        componente.SetDataSource(&fonte);
        componente.SetDataField(QStringLiteral("OBS"));
    }

    TTable tabela;
    TDataSource fonte;
};

}   // namespace

TEST(TdvMemoDlg, LayoutKeepsTheMeasuredMarginsOfTheFramedWindow)
{
    const struct {
        bool leitura, usuario;
        int ok;
        bool cancela;
    } casos[] = {
        {false, false, 541 - 194, true},
        {true, false, 6 + (541 - 77) / 2, false},   // centred under the memo
        {true, true, 6 + 541 - 77 - 25, false},
    };
    for (const auto& c : casos) {
        const TdvMemoDlg::TLayout l = TdvMemoDlg::LayoutFor(QSize(555, 370), 77, c.leitura, c.usuario);
        EXPECT_EQ(l.Memo, (TRect{6, 6, 547, 323}));
        EXPECT_EQ(l.ButtonsTop, 334);
        EXPECT_EQ(l.OkLeft, c.ok);
        EXPECT_EQ(l.CancelLeft, 541 - 97);
        EXPECT_EQ(l.CancelVisible, c.cancela);
        EXPECT_EQ(l.PanelTop, 325);
    }
    EXPECT_EQ(TdvMemoDlg::ClientSizeFor(561, 395), QSize(555, 370));
}

TEST_F(DialogoDeMemo, LinesAreWrittenBackOnlyWhenConfirmed)
{
    componente.Lines = {QStringLiteral("um"), QStringLiteral("dois")};
    EXPECT_TRUE(Executa([](TdvMemoDlg& d) {
        EXPECT_EQ(d.Memo->toPlainText(), QStringLiteral("um\ndois"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Observação"));
        EXPECT_FALSE(d.OKBtn->isEnabled());
        Digita(d, QStringLiteral("!"));
        EXPECT_TRUE(d.OKBtn->isEnabled());
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    }));
    EXPECT_EQ(componente.Lines, (QStringList{QStringLiteral("um"), QStringLiteral("dois!")}));
    EXPECT_TRUE(dialogos.Mensagens().empty());

    dialogos.Responde(Resposta::Sim);
    EXPECT_FALSE(Executa([](TdvMemoDlg& d) {
        Digita(d, QStringLiteral("?"));
        QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    }));
    EXPECT_EQ(componente.Lines.last(), QStringLiteral("dois!"));
    EXPECT_EQ(dialogos.Textos(), QStringList{dvIntl().UserMessages.MemoChangesWarning});
}

TEST_F(DialogoDeMemo, EscAfterTypingAsksAndNoKeepsTheText)
{
    dialogos.Responde(Resposta::Nao);
    dialogos.Responde(Resposta::Sim);
    EXPECT_FALSE(Executa([this](TdvMemoDlg& d) {
        Digita(d, QStringLiteral("abc"));
        QTest::keyClick(d.Memo, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.Memo->toPlainText(), QStringLiteral("abc"));
        EXPECT_EQ(dialogos.Mensagens().size(), 1u);
        QTest::keyClick(d.Memo, Qt::Key_Escape);
    }));
    EXPECT_TRUE(componente.Lines.isEmpty());
}

TEST_F(DialogoDeMemo, CtrlEnterAndF2Confirm)
{
    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
    } casos[] = {
        {Qt::Key_Return, Qt::ControlModifier},
        {Qt::Key_F2, Qt::NoModifier},
    };
    for (const auto& c : casos) {
        componente.Lines.clear();
        EXPECT_TRUE(Executa([&c](TdvMemoDlg& d) {
            Digita(d, QStringLiteral("x"));
            QTest::keyClick(d.Memo, c.tecla, c.mods);
        }));
        EXPECT_EQ(componente.Lines, QStringList{QStringLiteral("x")});
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(DialogoDeMemo, BoundsFollowDlgLeftAndDlgTop)
{
    const QRect tela = QGuiApplication::primaryScreen()->geometry();
    const struct {
        int esquerda, topo, largura, altura;
        QSize cliente;
        bool centrado;
    } casos[] = {
        {-1, 0, 561, 396, QSize(555, 370), true},   // as the grid asks: the designed size
        {0, 0, 400, 300, QSize(394, 275), true},
        {20, 30, 561, 396, QSize(555, 371), false},
    };
    for (const auto& c : casos) {
        componente.DlgLeft = c.esquerda;
        componente.DlgTop = c.topo;
        componente.DlgWidth = c.largura;
        componente.DlgHeight = c.altura;
        Executa([&c, &tela](TdvMemoDlg& d) {
            EXPECT_EQ(d.size(), c.cliente);
            const QPoint canto = c.centrado
                ? tela.center() - QPoint((c.cliente.width() + 6) / 2, (c.cliente.height() + 25) / 2)
                : QPoint(20, 30);
            EXPECT_EQ(d.pos(), canto);
            QTest::keyClick(d.Memo, Qt::Key_Escape);
        });
    }
}

TEST_F(DialogoDeMemo, UserButtonsSitBelowTheMemoAndReachTheOwner)
{
    componente.UserButton1Caption = QStringLiteral("Limpar");
    componente.UserButton2Caption = QStringLiteral("Data");
    QStringList eventos;
    componente.OnInitDialog = [&eventos, this](TdvMemoDlg* d) {
        eventos << QStringLiteral("init");
        EXPECT_EQ(componente.Dialog(), d);
    };
    componente.OnCloseDialog = [&eventos](TdvMemoDlg*) { eventos << QStringLiteral("close"); };
    componente.OnUserButton1Click = [&eventos](TdvMemoDlg*, QPlainTextEdit* memo) {
        eventos << QStringLiteral("limpar");
        memo->clear();
    };
    dialogos.Responde(Resposta::Sim);
    Executa([](TdvMemoDlg& d) {
        EXPECT_TRUE(d.UserButtonPanel->isVisible());
        EXPECT_EQ(d.UserButton1->x(), 10);
        EXPECT_EQ(d.UserButton2->x(), 10 + 89 + 15);
        EXPECT_EQ(d.UserButtonPanel->geometry(), QRect(5, d.Memo->geometry().bottom() + 3, 213, 30));
        d.Memo->setPlainText(QStringLiteral("texto"));
        QTest::mouseClick(d.UserButton1, Qt::LeftButton);
        EXPECT_EQ(d.Memo->toPlainText(), QString());
        QTest::keyClick(d.Memo, Qt::Key_Escape);
    });
    EXPECT_EQ(eventos, (QStringList{QStringLiteral("init"), QStringLiteral("limpar"), QStringLiteral("close")}));
    EXPECT_EQ(componente.Dialog(), nullptr);
}

TEST_F(DialogoDeMemoLigado, ConfirmingPutsTheRecordInEditWithTheText)
{
    EXPECT_TRUE(Executa([](TdvMemoDlg& d) {
        EXPECT_EQ(d.Memo->toPlainText(), QStringLiteral("linha 1\nlinha 2"));
        Digita(d, QStringLiteral("!"));
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    }));
    EXPECT_EQ(tabela.State(), dsEdit);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("OBS"))->AsString(), QStringLiteral("linha 1\r\nlinha 2!"));
    tabela.Cancel();

    componente.SetDataField(QStringLiteral("NOME"));
    dialogos.Responde(Resposta::Sim);
    EXPECT_FALSE(Executa([](TdvMemoDlg& d) {
        EXPECT_EQ(d.Memo->toPlainText(), QStringLiteral("Ana"));
        Digita(d, QStringLiteral("!"));
        QTest::keyClick(d.Memo, Qt::Key_Escape);
    }));
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("NOME"))->AsString(), QStringLiteral("Ana"));
}

TEST_F(DialogoDeMemoLigado, AFieldThatCannotBeWrittenIsOnlyShown)
{
    tabela.FieldByName(QStringLiteral("OBS"))->SetReadOnly(true);
    EXPECT_TRUE(Executa([](TdvMemoDlg& d) {
        EXPECT_TRUE(d.Memo->isReadOnly());
        EXPECT_FALSE(d.CancelBtn->isVisible());
        EXPECT_TRUE(d.OKBtn->isEnabled());
        EXPECT_EQ(d.OKBtn->x(), 6 + (d.Memo->width() - d.OKBtn->width()) / 2);
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    }));
    EXPECT_EQ(tabela.State(), dsBrowse);
    EXPECT_EQ(tabela.FieldByName(QStringLiteral("OBS"))->AsString(), QStringLiteral("linha 1\r\nlinha 2"));
}
