#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "model/people/TCpf.h"
#include "model/values/TDragMonetario.h"
#include "model/values/TMonetario.h"
#include "model/values/TTexto.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/widgets/TecladoDeTeste.h"
#include "screens/edits/TLinhasEdit.h"
#include "screens/edits/TPruvCustomEdit.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/edits/TPruvMemo.h"
#include "screens/fields/TArrasteMonetario.h"
#include "screens/fields/TSaidaDeCampo.h"

using namespace TecladoDeTeste;

namespace {

// A field that may fill the next one as it is left, as a stored number lends its name.
class CampoQueEmpresta final : public QLineEdit {
public:
    std::function<void()> AoSair;

protected:
    void focusOutEvent(QFocusEvent* e) override
    {
        if (AoSair)
            AoSair();
        QLineEdit::focusOutEvent(e);
    }
};

// A bound edit between an edit before it, a memo and a button after it, shown and focused.
struct Janela {
    Janela()
    {
        auto* layout = new QVBoxLayout(&janela);
        layout->addWidget(antes);
        layout->addWidget(edit);
        layout->addWidget(memo);
        layout->addWidget(depois);
        layout->addWidget(cancela);
        cancela->setProperty(TSaidaDeCampo::PropriedadeModalResult, TSaidaDeCampo::mrCancel);
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        QApplication::setActiveWindow(&janela);
        antes->setFocus();
    }
    void Entra(QWidget* w)
    {
        w->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    // The deferred messages of a refused exit come once the events are processed.
    static void Eventos() { QTest::qWait(10); }

    DialogosRoteirizados dialogos;
    QWidget janela;
    CampoQueEmpresta* antes = new CampoQueEmpresta;
    TPruvEdit* edit = new TPruvEdit;
    TPruvMemo* memo = new TPruvMemo;
    QLineEdit* depois = new QLineEdit;
    QPushButton* cancela = new QPushButton(QStringLiteral("Cancelar"));
};

}   // namespace

TEST(TPruvEdit, ShowsTheRawTextWhileFocusedAndWritesItBackFormattedOnLeaving)
{
    Janela j;
    TMonetario valor;
    valor.SetTexto(QStringLiteral("1234,5"));
    int aposModificar = 0;
    j.edit->SetTipoDeDado(TTipoDeDado::Numerico);
    j.edit->AposModificar = [&](TPruvCustomEdit*) { ++aposModificar; };
    j.edit->SetDado(&valor);
    EXPECT_EQ(j.edit->text(), QStringLiteral("1.234,50"));

    j.Entra(j.edit);
    EXPECT_EQ(j.edit->text(), QStringLiteral("1234,50"));
    EXPECT_EQ(j.edit->selectedText(), QStringLiteral("1234,50"));
    Digita(QStringLiteral("987"));
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("987,00"));
    EXPECT_EQ(j.edit->text(), QStringLiteral("987,00"));
    EXPECT_EQ(aposModificar, 1);
    EXPECT_TRUE(j.dialogos.Textos().isEmpty());

    // A change of the value from elsewhere shows at once.
    valor.SetTexto(QStringLiteral("5"));
    EXPECT_EQ(j.edit->text(), QStringLiteral("5,00"));
}

TEST(TPruvEdit, EscBringsTheValueBackAndWritesNothing)
{
    Janela j;
    TTexto valor;
    valor.SetTexto(QStringLiteral("Original"));
    j.edit->SetDado(&valor);
    j.Entra(j.edit);
    Digita(QStringLiteral("Outro"));
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(j.edit->text(), QStringLiteral("Original"));
    EXPECT_FALSE(j.edit->Modified());
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("Original"));
}

TEST(TPruvEdit, ARefusedTextKeepsTheFocusAndTheTextAndShowsTheModelsMessageOnce)
{
    Janela j;
    TCpf cpf;
    j.edit->SetDado(&cpf);
    j.Entra(j.edit);
    Digita(QStringLiteral("11144477736"));   // wrong check digit
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), j.edit);
    EXPECT_EQ(j.edit->text(), QStringLiteral("11144477736"));
    Janela::Eventos();
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{66});
    EXPECT_EQ(QApplication::focusWidget(), j.edit);
    EXPECT_EQ(j.edit->text(), QStringLiteral("11144477736"));
    EXPECT_EQ(j.edit->selectedText(), j.edit->text());   // kept, selected: retyping replaces it
    EXPECT_EQ(cpf.GetTexto(), QString());

    // Typed again, it goes through and shows masked.
    Digita(QStringLiteral("11144477735"));
    Tecla(Qt::Key_Tab);
    Janela::Eventos();
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{66});
    EXPECT_EQ(cpf.GetTexto(), QStringLiteral("11144477735"));
    EXPECT_EQ(j.edit->text(), QStringLiteral("111.444.777-35"));
    EXPECT_NE(QApplication::focusWidget(), j.edit);
}

TEST(TPruvEdit, ValidaShowsTheRefusalAtOnceAndAnswersFalse)
{
    Janela j;
    TCpf cpf;
    j.edit->SetDado(&cpf);
    j.Entra(j.edit);
    Digita(QStringLiteral("123"));
    EXPECT_FALSE(j.edit->Valida());
    EXPECT_EQ(j.dialogos.Codigos(), std::vector<int>{66});
    EXPECT_EQ(j.edit->text(), QStringLiteral("123"));
}

TEST(TPruvEdit, LeavingForACancelButtonWritesNothingAndShowsNothing)
{
    Janela j;
    TCpf cpf;
    j.edit->SetDado(&cpf);
    j.Entra(j.edit);
    Digita(QStringLiteral("123"));
    j.Entra(j.cancela);
    Janela::Eventos();
    EXPECT_EQ(QApplication::focusWidget(), j.cancela);
    EXPECT_TRUE(j.dialogos.Textos().isEmpty());
    EXPECT_EQ(cpf.GetTexto(), QString());
}

TEST(TPruvEdit, FiltersTheCharactersByTheKindOfData)
{
    const struct {
        TTipoDeDado tipo;
        const char* digitado;
        const char* fica;
    } casos[] = {
        {TTipoDeDado::Numerico, "123456789012", "12345678901"},   // a twelfth integer digit
        {TTipoDeDado::Numerico, "1.5,3x", "1,53"},                // "." types the comma, once
        {TTipoDeDado::ApenasNumeros, "12a-3", "123"},
        {TTipoDeDado::AlfaNumerico, "12a-3", "12a-3"},
    };
    Janela j;
    TTexto valor;
    j.edit->SetDado(&valor);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        j.edit->SetTipoDeDado(c.tipo);
        j.Entra(j.edit);
        j.edit->selectAll();
        Tecla(Qt::Key_Delete);
        Digita(QString::fromUtf8(c.digitado));
        EXPECT_EQ(j.edit->text(), QString::fromUtf8(c.fica));
        Tecla(Qt::Key_Escape);
        j.Entra(j.antes);
    }
}

TEST(TPruvEdit, TheSecondDecimalOfAMoneyEditMovesOnToTheNextControl)
{
    Janela j;
    TMonetario valor;
    j.edit->SetTipoDeDado(TTipoDeDado::Numerico);
    j.edit->SetDado(&valor);
    j.Entra(j.edit);
    Digita(QStringLiteral("0,5"));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), j.edit);
    Digita(QStringLiteral("0"));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), j.memo);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("0,50"));
}

TEST(TPruvEdit, EnterFiresOnPressEnterOrAdvancesWithAutoAvanco)
{
    Janela j;
    TTexto valor;
    j.edit->SetDado(&valor);
    j.Entra(j.edit);
    Tecla(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), j.edit);   // neither assigned: Enter does nothing

    j.edit->SetAutoAvanco(true);
    Tecla(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), j.memo);

    int enter = 0;
    j.edit->OnPressEnter = [&](TPruvCustomEdit*) { ++enter; };
    j.Entra(j.edit);
    Tecla(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(QApplication::focusWidget(), j.edit);
}

TEST(TPruvEdit, PasteIntoADigitsOnlyEditTakesOnlyDigits)
{
    const struct {
        const char* colado;
        const char* fica;
    } casos[] = {
        {"12a", ""},
        {"123", "123"},
    };
    Janela j;
    TTexto valor;
    j.edit->SetTipoDeDado(TTipoDeDado::ApenasNumeros);
    j.edit->SetDado(&valor);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.colado);
        j.Entra(j.edit);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.colado));
        Tecla(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(j.edit->text(), QString::fromUtf8(c.fica));
        Tecla(Qt::Key_Escape);
    }
}

TEST(TPruvEdit, AnAmountDroppedOnAMoneyEditIsWrittenAtOnce)
{
    Janela j;
    TMonetario valor;
    j.edit->SetTipoDeDado(TTipoDeDado::Numerico);
    j.edit->SetDado(&valor);
    TDragMonetario dados(QStringLiteral("321,5"));
    // The application hands a drop to the control that took the drag on entering.
    const auto solta = [&] {
        QDragEnterEvent entra(QPoint(5, 5), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(j.edit, &entra);
        QDropEvent soltar(QPointF(5, 5), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(j.edit, &soltar);
        return entra.isAccepted();
    };
    EXPECT_TRUE(solta());
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("321,50"));
    EXPECT_EQ(j.edit->text(), QStringLiteral("321,50"));

    j.edit->SetReadOnly(true);
    valor.Limpa();
    EXPECT_FALSE(solta());
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("0,00"));
}

TEST(TPruvEdit, AValueFreedWhileObservedLeavesTheEditUnboundAndUsable)
{
    Janela j;
    auto valor = std::make_unique<TTexto>();
    valor->SetTexto(QStringLiteral("Nome"));
    j.edit->SetDado(valor.get());
    valor.reset();
    EXPECT_EQ(j.edit->Dado(), nullptr);
    j.Entra(j.edit);
    Digita(QStringLiteral("x"));
    Tecla(Qt::Key_Tab);
    EXPECT_TRUE(j.dialogos.Textos().isEmpty());

    auto texto = std::make_unique<TTexto>();
    j.memo->SetDado(texto.get());
    texto.reset();
    EXPECT_EQ(j.memo->Dado(), nullptr);
}

// The name that a field left lends to the next one shows only as the focus gets there: the
// click that chose the field leaves it selected whole, so that what is typed replaces it, as it
// does any text the field holds. Only a later click in the field being typed puts the caret
// where it falls.
TEST(TPruvEdit, ATextLentAsAClickChoosesTheFieldIsReplacedByWhatIsTyped)
{
    const struct {
        const char* caso;
        bool emprestaAoSair;   // the text comes as the focus leaves the field before
        bool vistoAntes;       // the focus got there by Tab, and the click comes afterwards
        const char* digitado;
        const char* resultado;
    } casos[] = {
        {"lent as the click comes", true, false, "EMPRESA BETA LTDA", "EMPRESA BETA LTDA"},
        {"lent as Tab comes, then a click", true, true, " SA", "EMPRESA ALFA LTDA SA"},
        {"shown before, the click brings the focus", false, false, "EMPRESA BETA LTDA", "EMPRESA BETA LTDA"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Janela j;
        TTexto valor;
        if (!c.emprestaAoSair)
            valor.SetTexto(QStringLiteral("EMPRESA ALFA LTDA"));
        j.edit->SetDado(&valor);
        j.antes->AoSair = [&valor] {
            if (valor.GetTexto().isEmpty())
                valor.SetTexto(QStringLiteral("EMPRESA ALFA LTDA"));
        };
        j.antes->setFocus();
        QCoreApplication::processEvents();
        if (c.vistoAntes)
            j.Entra(j.edit);
        QTest::mouseClick(j.edit, Qt::LeftButton, {}, QPoint(j.edit->width() - 5, j.edit->height() / 2));
        EXPECT_EQ(QApplication::focusWidget(), j.edit);
        QTest::keyClicks(j.edit, QLatin1String(c.digitado));
        EXPECT_EQ(j.edit->text(), QLatin1String(c.resultado));
        Tecla(Qt::Key_Tab);
        EXPECT_EQ(valor.GetTexto(), QLatin1String(c.resultado));
    }
}

TEST(TPruvMemo, DropsBlankLinesBeforeWritingBack)
{
    Janela j;
    TTexto valor;
    j.memo->SetDado(&valor);
    j.Entra(j.memo);
    Digita(QStringLiteral("linha um"));
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Digita(QStringLiteral("linha dois"));
    Tecla(Qt::Key_Return);
    Digita(QStringLiteral("   "));
    Tecla(Qt::Key_Return);
    j.Entra(j.depois);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("linha um\nlinha dois"));
    EXPECT_EQ(j.memo->toPlainText(), QStringLiteral("linha um\nlinha dois"));

    // Left for the cancel button, nothing is written.
    j.Entra(j.memo);
    Digita(QStringLiteral("mais"));
    j.Entra(j.cancela);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("linha um\nlinha dois"));
}

namespace {

// An unbound typed edit alone in a window, focused, with a box of that size.
struct EditSozinho {
    explicit EditSozinho(QSize tamanho)
    {
        edit->setGeometry(QRect(QPoint(0, 0), tamanho));
        janela.resize(tamanho + QSize(20, 20));
        janela.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&janela));
        QApplication::setActiveWindow(&janela);
        edit->setFocus();
    }
    QWidget janela;
    TPruvCustomEdit* edit = new TPruvCustomEdit(&janela);
};

}   // namespace

TEST(TPruvCustomEdit, ALimitedEditRefusesWhatWouldScrollOnOneLineOrBelowTheLastOfSeveral)
{
    const QString palavras = QStringLiteral("casa bola dado faca gato ");
    // One line: no more than the box is wide.
    EditSozinho linha(QSize(120, 24));
    linha.edit->SetLimitado(true);
    QTest::keyClicks(linha.edit, palavras + palavras + palavras);
    const QString umaLinha = linha.edit->text();
    EXPECT_LT(umaLinha.size(), (palavras + palavras + palavras).size());
    EXPECT_LE(QFontMetrics(linha.edit->font()).horizontalAdvance(umaLinha), 120);

    // Two lines high: the words wrap onto the second line, and no further.
    const int alturaLinha = QFontMetrics(linha.edit->font()).height();
    EditSozinho duas(QSize(120, 2 * alturaLinha + 10));
    duas.edit->SetMultiline(true);
    duas.edit->SetLimitado(true);
    QTest::keyClicks(duas.edit, palavras + palavras + palavras + palavras);
    const QString duasLinhas = duas.edit->text();
    EXPECT_GT(duasLinhas.size(), umaLinha.size() + 5);   // more than one line's worth
    EXPECT_LT(duasLinhas.size(), (palavras + palavras + palavras + palavras).size());
    EXPECT_EQ(duas.edit->height(), 2 * alturaLinha + 10);   // the box kept its height

    // Up and Down move between the lines.
    EXPECT_EQ(duas.edit->cursorPosition(), duasLinhas.size());
    QTest::keyClick(duas.edit, Qt::Key_Up);
    const int acima = duas.edit->cursorPosition();
    EXPECT_LT(acima, umaLinha.size() + 1);
    EXPECT_GT(acima, 0);
    QTest::keyClick(duas.edit, Qt::Key_Up);   // no line above the first
    EXPECT_EQ(duas.edit->cursorPosition(), acima);
    QTest::keyClick(duas.edit, Qt::Key_Down);
    EXPECT_GT(duas.edit->cursorPosition(), umaLinha.size() - 5);
}

TEST(TPruvCustomEdit, AMultiLineEditBreaksItsTextAtItsLineBreaks)
{
    const QFont fonte;
    const TLinhasEdit semQuebra(QStringLiteral("primeira\r\nsegunda\nterceira"), fonte, 400, false);
    EXPECT_EQ(semQuebra.Linhas(), 3);
    EXPECT_EQ(semQuebra.LinhaDe(0), 0);
    EXPECT_EQ(semQuebra.LinhaDe(10), 1);   // "segunda" starts after the CR LF
    EXPECT_EQ(semQuebra.LinhaDe(19), 2);
    const int acima = semQuebra.Vizinha(12, -1);   // from "se|gunda" up into "primeira", near its start
    EXPECT_GE(acima, 1);
    EXPECT_LE(acima, 3);
    EXPECT_EQ(semQuebra.Vizinha(acima, -1), acima);   // no line above the first
    // Words longer than the box wrap only when the edit may not scroll sideways.
    const QString longo = QStringLiteral("uma frase bem comprida que passa da largura da caixa");
    EXPECT_EQ(TLinhasEdit(longo, fonte, 80, false).Linhas(), 1);
    EXPECT_GT(TLinhasEdit(longo, fonte, 80, true).Linhas(), 2);
}

TEST(TPruvEdit, AnAmountIsDraggedOnlyWhileTheButtonOfItsPressIsHeld)
{
    Janela j;
    TMonetario valor;
    valor.SetTexto(QStringLiteral("2222"));
    j.edit->SetTipoDeDado(TTipoDeDado::Numerico);
    j.edit->SetDado(&valor);
    const QPoint inicio = j.edit->rect().center();

    // Held: the drag begins past the threshold.
    QTest::mousePress(j.edit, Qt::LeftButton, Qt::ShiftModifier, inicio);
    QTest::mouseMove(j.edit, inicio + QPoint(30, 0));
    EXPECT_TRUE(TArrasteMonetario::EmCurso());
    TArrasteMonetario::Cancela();
    QTest::mouseRelease(j.depois, Qt::LeftButton);

    // The release went elsewhere (to a message shown meanwhile): the mouse moving on carries
    // nothing, now or once a button is held again.
    QTest::mousePress(j.edit, Qt::LeftButton, Qt::ShiftModifier, inicio);
    QTest::mouseRelease(j.depois, Qt::LeftButton);
    QTest::mouseMove(j.edit, inicio + QPoint(30, 0));
    EXPECT_FALSE(TArrasteMonetario::EmCurso());
    QTest::mousePress(j.depois, Qt::LeftButton);
    QTest::mouseMove(j.edit, inicio + QPoint(40, 0));
    EXPECT_FALSE(TArrasteMonetario::EmCurso());
    QTest::mouseRelease(j.depois, Qt::LeftButton);
    EXPECT_EQ(valor.GetTexto(), QStringLiteral("2222,00"));
}
