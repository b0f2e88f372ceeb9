#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "model/values/TDadoBasico.h"
#include "platform/ui/InterfaceUsuario.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFrComprovante.h"
#include "screens/grids/TPruvGridComprPJ.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/edits/TPruvMemo.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePJ.h"

namespace {

// The income-statement page of a stored declaration with a person on 0561, a person with only
// financial income and a company, driven through the main window.
class TFrComprovanteTest : public DeclaracaoAbertaDeTeste {
protected:
    void SetUp() override
    {
        DeclaracaoAbertaDeTeste::SetUp();
        auto pruv = Armazenada(Matriz);
        Item(*pruv, *pruv, "0561", CpfBeneficiario, 1000);
        Item(*pruv, *pruv, "8053", NumeroDe("333444555"), 200);
        Item(*pruv, *pruv, "1708", Outra, 300);
        pruv.reset();
        Inicia();
        Abre(Matriz);
        quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
        QApplication::processEvents();
    }
    template <class W = QWidget> W* Campo(const char* nome) const
    {
        return quadro->Comprovante().findChild<W*>(QLatin1String(nome));
    }
    [[nodiscard]] QTabWidget* Fichas() const { return Campo<QTabWidget>("PageControl1"); }
    [[nodiscard]] QString FichaAtual() const { return Fichas()->currentWidget()->objectName(); }
    [[nodiscard]] bool Mostrada(const char* ficha) const
    {
        return Fichas()->isTabVisible(Fichas()->indexOf(Campo(ficha)));
    }
    // Clicks the tab as the user does.
    void ClicaFicha(const char* ficha) const
    {
        QTabBar* barra = Fichas()->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(Fichas()->indexOf(Campo(ficha))).center());
        QApplication::processEvents();
    }
    void Clica(const char* botao) const
    {
        Campo<QToolButton>(botao)->click();
        QApplication::processEvents();
    }
    // The declaration opened again with a company before the other, on this page: its number.
    QString AbreComOutraEmpresa()
    {
        const QString primeira = NumeroDe("445556660001");
        EXPECT_TRUE(janela->FecharDeclaracao());
        {
            auto pruv = Lida(Matriz);
            Item(*pruv, *pruv, "1708", primeira, 400);
        }
        Abre(Matriz);
        quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
        QApplication::processEvents();
        return primeira;
    }
};

}   // namespace

TEST_F(TFrComprovanteTest, EachBeneficiaryShowsTheTabsOfItsStatement)
{
    const struct {
        const char* atual;
        std::vector<const char*> mostradas;
        std::vector<const char*> ocultas;
    } casos[] = {
        {"RendTributaveis",
         {"RendTributaveis", "RendIsentos", "TribExclusiva", "InformacoesPF"},
         {"ComprovanteVazio", "NaturezaPJ"}},
        {"ComprovanteVazio", {"ComprovanteVazio"}, {"RendTributaveis", "NaturezaPJ"}},   // financial income only
        {"NaturezaPJ", {"NaturezaPJ", "InfComplementares"}, {"InfComplementaresIN4", "RendTributaveis"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.atual);
        EXPECT_EQ(FichaAtual(), QLatin1String(c.atual));
        for (const char* ficha : c.mostradas)
            EXPECT_TRUE(Mostrada(ficha)) << ficha;
        for (const char* ficha : c.ocultas)
            EXPECT_FALSE(Mostrada(ficha)) << ficha;
        Clica("BbNext");
    }
    EXPECT_FALSE(Campo("BbNext")->isEnabled());
    EXPECT_EQ(Campo<QLabel>("lblCompVazio1")->isVisibleTo(Campo("ComprovanteVazio")), true);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFrComprovanteTest, DeductionsAboveTheDeclarationsAreCheckedOnceBeforeTheTabChangesAndTheStatementIsStored)
{
    ASSERT_EQ(FichaAtual(), QStringLiteral("RendTributaveis"));
    auto* deducao = Campo<TPruvEdit>("edtPrevOficial");
    deducao->setFocus();
    QTest::keyClick(deducao, Qt::Key_End);
    QTest::keyClick(deducao, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(deducao, QStringLiteral("500"));

    dialogos.Responde(Resposta::Cancela);
    ClicaFicha("RendIsentos");
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{167});
    EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Erro);
    EXPECT_EQ(dialogos.Mensagens().front().HelpCtx, 30000);
    EXPECT_EQ(FichaAtual(), QStringLiteral("RendTributaveis"));   // refused
    EXPECT_EQ(Foco(), QStringLiteral("edtPrevOficial"));
    dialogos.Responde(Resposta::Cancela);
    EXPECT_FALSE(quadro->PodeSair());   // the declaration is not left either

    dialogos.Limpa();
    dialogos.Responde(Resposta::Ok);
    ClicaFicha("RendIsentos");
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{167});
    EXPECT_EQ(FichaAtual(), QStringLiteral("RendIsentos"));
    ClicaFicha("RendTributaveis");
    ClicaFicha("RendIsentos");
    EXPECT_EQ(dialogos.Codigos().size(), 1u);   // nothing changed since: not asked again

    Clica("BbNext");
    EXPECT_EQ(Linhas("ComprPf"), 1);
    Clica("BbFirst");
    EXPECT_EQ(Campo<TPruvEdit>("edtPrevOficial")->text(), QStringLiteral("500,00"));
}

TEST_F(TFrComprovanteTest, WithSynchronisingOnTheStatementFollowsTheBeneficiaryLeft)
{
    QAction* sincronizar = janela->Comando(QStringLiteral("MiSincronizar"));
    if (!sincronizar->isChecked())
        sincronizar->trigger();
    ASSERT_TRUE(sincronizar->isChecked());
    quadro->AtivaPagina(TPaginaDeclaracao::Beneficiarios);
    QApplication::processEvents();
    QWidget& beneficiarios = quadro->Pagina(TPaginaDeclaracao::Beneficiarios);
    for (const char* botao : {"BbFirst", "BbNext", "BbNext"})
        beneficiarios.findChild<QToolButton*>(QLatin1String(botao))->click();   // the company on 1708
    quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
    QApplication::processEvents();
    EXPECT_EQ(RemoveMascara(Campo<TPruvEdit>("edtNiBenef")->Text()), Outra);
    EXPECT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
}

namespace {

// Answers every message (OK unless told) and, while the first is on the screen, runs what the
// window system makes the main window run when the message takes the activation.
class DialogosComReentrada final : public IDialogos {
public:
    explicit DialogosComReentrada(std::function<void()> Durante, Resposta resposta = Resposta::Ok)
        : FAnterior(InterfaceUsuario::Instala(this))
        , FDurante(std::move(Durante))
        , FResposta(resposta)
    {}
    ~DialogosComReentrada() override { InterfaceUsuario::Instala(FAnterior); }
    Resposta Mostra(const TMensagemDialogo& mensagem) override
    {
        Codigos.push_back(mensagem.Referencia);
        if (Codigos.size() == 1 && FDurante)
            FDurante();
        return FResposta;
    }
    std::vector<int> Codigos;

private:
    IDialogos* FAnterior;
    std::function<void()> FDurante;
    Resposta FResposta;
};

}   // namespace

// The deductions question is one window, and an OK holds until a deduction changes: leaving the
// page again, even after coming back to it, asks nothing more.
TEST_F(TFrComprovanteTest, TheDeductionsQuestionShowsOnceUntilADeductionChanges)
{
    DialogosComReentrada mensagens([this] { EXPECT_TRUE(quadro->PodeSair()); });
    const auto digita = [this](const char* valor) {
        auto* deducao = Campo<TPruvEdit>("edtPrevOficial");
        Digita(deducao, QLatin1String(valor));
        Tab(deducao);
    };
    const auto saiEVolta = [this] {
        quadro->AtivaPagina(TPaginaDeclaracao::Resumo);
        QApplication::processEvents();
        quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
        QApplication::processEvents();
    };
    digita("500");
    saiEVolta();
    EXPECT_EQ(mensagens.Codigos, std::vector<int>{167});
    saiEVolta();
    saiEVolta();
    EXPECT_EQ(mensagens.Codigos.size(), 1u);
    digita("600");
    saiEVolta();
    EXPECT_EQ(mensagens.Codigos.size(), 2u);
}

// A field the user cannot change shows its value formatted even with the focus, looks read-only
// and is no Tab stop: the beneficiary's number here, the totals and the date of writing on the
// summary.
TEST_F(TFrComprovanteTest, ReadOnlyFieldsShowTheirValueFormattedAndAreNoTabStop)
{
    auto* ni = Campo<TPruvEdit>("edtNiBenef");
    ni->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(ni->hasFocus());
    EXPECT_EQ(RemoveMascara(ni->text()), CpfBeneficiario);
    EXPECT_NE(ni->text(), CpfBeneficiario);
    for (QWidget* pagina : {static_cast<QWidget*>(&quadro->Comprovante()), &quadro->Pagina(TPaginaDeclaracao::Resumo)})
        for (QWidget* campo : pagina->findChildren<QWidget*>()) {
            const auto* edit = qobject_cast<TPruvEdit*>(campo);
            const bool somenteLeitura = (edit && edit->ReadOnly())
                || campo->objectName() == QLatin1String("DtpDataGera");
            if (!somenteLeitura)
                continue;
            SCOPED_TRACE(campo->objectName().toStdString());
            EXPECT_FALSE(campo->focusPolicy() & Qt::TabFocus);
            EXPECT_EQ(campo->palette().color(QPalette::Base), campo->palette().color(QPalette::Button));
        }
}

TEST_F(TFrComprovanteTest, ACompanysStatementShowsOneRowForEachOfItsLines)
{
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    EXPECT_TRUE(grade->isVisibleTo(Campo("NaturezaPJ")));
    EXPECT_EQ(grade->RowCount(), 2);   // the titles and January of 1708
    EXPECT_EQ(grade->GetTexto(0, 1), QStringLiteral("Jan"));
    EXPECT_EQ(grade->GetTexto(1, 1), QStringLiteral("1708"));
}

// "Desfaz preenchimento", clicked (it takes no focus) or by its key, reads the statement again as
// stored: a nature typed is dropped whether its cell was left or is still being typed, and so is
// complementary information still being typed; leaving the field afterwards, and the statement,
// stores none of it.
TEST_F(TFrComprovanteTest, UndoDropsWhatWasTypedEvenInTheFieldBeingTyped)
{
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    auto* memo = Campo<TPruvMemo>("edtInfComplPJ");
    const QString natureza = grade->GetTexto(2, 1);
    const struct {
        const char* ficha;
        bool deixado;    // the field was left before the undo
        Qt::Key tecla;   // with Alt; none: a click
    } casos[] = {
        {"NaturezaPJ", true, Qt::Key_unknown},           {"NaturezaPJ", false, Qt::Key_unknown},
        {"NaturezaPJ", false, Qt::Key_Backspace},        {"InfComplementares", false, Qt::Key_unknown},
        {"InfComplementares", false, Qt::Key_Backspace},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ficha << " " << c.deixado << " " << c.tecla);
        const bool naGrade = QLatin1String(c.ficha) == QLatin1String("NaturezaPJ");
        const char* outra = naGrade ? "InfComplementares" : "NaturezaPJ";
        ClicaFicha(c.ficha);
        QWidget* campo = naGrade ? static_cast<QWidget*>(grade) : memo;
        campo->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ALUGUEL DE SALAS"));
        if (naGrade) {
            ASSERT_TRUE(grade->InplaceEditor() && grade->InplaceEditor()->isVisible());
        }
        if (c.deixado) {
            ClicaFicha(outra);
            ClicaFicha(c.ficha);
        }
        if (c.tecla == Qt::Key_unknown)
            QTest::mouseClick(Campo("BbCancel"), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), c.tecla, Qt::AltModifier);
        QApplication::processEvents();
        ClicaFicha(outra);   // the field is left
        ClicaFicha(c.ficha);
        EXPECT_EQ(grade->GetTexto(2, 1), natureza);
        EXPECT_EQ(memo->toPlainText(), QString());
        Clica("BbFirst");   // a statement that changed is stored as it is left
        EXPECT_EQ(Linhas("ComprPj"), 0);
        EXPECT_EQ(Linhas("InfoComp"), 0);
        Clica("BbLast");
        EXPECT_EQ(grade->GetTexto(2, 1), natureza);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// A move to another beneficiary, clicked (the button takes no focus) or by its key, stores the
// nature still being typed with the statement it belongs to, and gives it to no other.
TEST_F(TFrComprovanteTest, AMoveStoresTheNatureBeingTypedWithItsOwnStatement)
{
    const QString primeira = AbreComOutraEmpresa();
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(RemoveMascara(Campo<TPruvEdit>("edtNiBenef")->Text()), primeira);
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    const QString natureza = grade->GetTexto(2, 1);
    const struct {
        Qt::Key tecla;   // with Alt; none: a click
        const char* texto;
    } casos[] = {{Qt::Key_unknown, "ALUGUEL DE SALAS"}, {Qt::Key_Right, "LOCACAO DE MAQUINAS"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        ASSERT_EQ(RemoveMascara(Campo<TPruvEdit>("edtNiBenef")->Text()), primeira);
        grade->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(c.texto));
        if (c.tecla == Qt::Key_unknown)
            QTest::mouseClick(Campo("BbNext"), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), c.tecla, Qt::AltModifier);
        QApplication::processEvents();
        ASSERT_EQ(RemoveMascara(Campo<TPruvEdit>("edtNiBenef")->Text()), Outra);
        EXPECT_EQ(grade->GetTexto(2, 1), natureza);
        Campo<QTabWidget>("PageControl1")->setFocus();   // the grid is left
        QApplication::processEvents();
        Clica("BbPrior");
        EXPECT_EQ(grade->GetTexto(2, 1), QLatin1String(c.texto));
    }
    EXPECT_EQ(Linhas("ComprPj"), 1);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// Whatever changes the statement shown while a nature is being typed, the nature stays with the
// statement it was typed for (stored with it, or dropped by the undo); and after the road, the two
// clicks that open the nature find it selected, so that what is typed replaces it.
TEST_F(TFrComprovanteTest, ANatureTypedStaysWithItsStatementAndTheRoadBackIntoItSelectsIt)
{
    const QString primeira = AbreComOutraEmpresa();
    const auto armazenada = [this](const QString& ni) {
        auto lida = Lida(Matriz);
        TBeneficiarioPruv beneficiario(lida.get());
        beneficiario.SetNi(ni);
        TComprovantePJ comprovante(beneficiario);
        lida->GetColecaoComprovante().Carrega(comprovante);
        return comprovante.GetLinha(0).GetNatureza();
    };
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    const QString antes = armazenada(primeira);
    const QString daOutra = armazenada(Outra);
    const struct {
        const char* como;
        std::function<void()> age;
        bool guardada;   // the nature typed is stored with the first company, which is left
    } casos[] = {
        {"Desfaz preenchimento clicked", [this] { QTest::mouseClick(Campo("BbCancel"), Qt::LeftButton); }, false},
        {"the other company located from another window", [this] { LocalizaDeOutraJanela(Outra, 3); }, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        Clica("BbFirst");
        Clica("BbNext");
        Clica("BbNext");
        grade->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ALUGUEL"));
        c.age();
        QApplication::processEvents();
        EXPECT_EQ(RemoveMascara(Campo<TPruvEdit>("edtNiBenef")->Text()), c.guardada ? Outra : primeira);
        EXPECT_EQ(armazenada(primeira), c.guardada ? QStringLiteral("ALUGUEL") : antes);
        EXPECT_EQ(armazenada(Outra), daOutra);
        grade->setFocus();
        ClicaCelula(grade, 2, 1);
        ClicaCelula(grade, 2, 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("LOCACAO"));
        Campo<QTabWidget>("PageControl1")->setFocus();   // the grid is left
        QApplication::processEvents();
        EXPECT_EQ(grade->GetTexto(2, 1), QStringLiteral("LOCACAO"));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

// Tab leaves the complementary information for the next field, as in every other field: no tab
// is typed into the text.
TEST_F(TFrComprovanteTest, TabLeavesTheComplementaryInformationAsEveryOtherField)
{
    const struct {
        const char* ficha;
        const char* memo;
    } casos[] = {{"InformacoesPF", "EdtInfComplPF"}, {"InfComplementares", "edtInfComplPJ"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.memo);
        if (QLatin1String(c.memo) == QLatin1String("edtInfComplPJ")) {
            Clica("BbNext");
            Clica("BbNext");
        }
        ClicaFicha(c.ficha);
        auto* memo = Campo<TPruvMemo>(c.memo);
        memo->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(memo, QStringLiteral("PLANO"));
        QTest::keyClick(memo, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_NE(Foco(), QLatin1String(c.memo));
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("PLANO"));
        memo->setFocus();
        QApplication::processEvents();
        QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
        QApplication::processEvents();
        EXPECT_NE(Foco(), QLatin1String(c.memo));
        EXPECT_FALSE(memo->toPlainText().contains(QLatin1Char('\t')));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// A company's lines show their month and code: the grid, laid out after it took its current
// cell, opens on its first column, and the scroll bar still reaches the last.
TEST_F(TFrComprovanteTest, ACompanysLinesShowTheirMonthAndCode)
{
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    EXPECT_EQ(grade->LeftCol(), 0);
    EXPECT_EQ(grade->Col(), 2);
    for (int coluna = 0; coluna <= 3; ++coluna)
        EXPECT_FALSE(grade->CellRect(coluna, 1).ToQRect().isEmpty()) << coluna;
    QScrollBar* barra = grade->horizontalScrollBar();
    barra->triggerAction(QAbstractSlider::SliderToMaximum);
    QApplication::processEvents();
    EXPECT_FALSE(grade->CellRect(4, 1).ToQRect().isEmpty());
    barra->triggerAction(QAbstractSlider::SliderToMinimum);
    QApplication::processEvents();
    EXPECT_EQ(grade->LeftCol(), 0);
}

// In a wide window the company's grid grows with it and shows every column whole; in the
// narrowest one Right and Left bring the last and the first columns into sight.
TEST_F(TFrComprovanteTest, ACompanysGridShowsEveryColumnInAWideWindowAndTheKeysReachThem)
{
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    const auto inteira = [grade](int coluna) {
        const QRect r = grade->CellRect(coluna, 1).ToQRect();
        return !r.isEmpty() && r.right() < grade->viewport()->width() && r.width() >= grade->ColWidths(coluna);
    };
    const QSize menor = janela->size();
    janela->resize(1100, menor.height());
    QApplication::processEvents();
    for (int coluna = 0; coluna < 5; ++coluna)
        EXPECT_TRUE(inteira(coluna)) << "1100 pixels, column " << coluna;

    janela->resize(menor);
    QApplication::processEvents();
    grade->setFocus();
    QApplication::processEvents();
    QTest::keyClick(grade, Qt::Key_Right);
    EXPECT_TRUE(inteira(4)) << "Right shows the tax";
    EXPECT_TRUE(inteira(2)) << "and the nature still";
    EXPECT_EQ(grade->Col(), 2);
    QTest::keyClick(grade, Qt::Key_Left);
    EXPECT_TRUE(inteira(0)) << "Left shows the month";
    EXPECT_TRUE(inteira(1)) << "and the code";
}

// With every column in sight Right and Left are the grid's own: the next and the previous line.
TEST_F(TFrComprovanteTest, WithEveryColumnShownRightAndLeftMoveToTheNextAndPreviousLine)
{
    ASSERT_TRUE(janela->FecharDeclaracao());
    {
        auto pruv = Lida(Matriz);
        Item(*pruv, *pruv, "3280", Outra, 400);   // a second line for the company
    }
    Abre(Matriz);
    quadro->AtivaPagina(TPaginaDeclaracao::Comprovante);
    QApplication::processEvents();
    Clica("BbNext");
    Clica("BbNext");
    ASSERT_EQ(FichaAtual(), QStringLiteral("NaturezaPJ"));
    janela->resize(1100, janela->height());
    QApplication::processEvents();
    auto* grade = Campo<TPruvGridComprPJ>("grdNatRendPJ");
    ASSERT_EQ(grade->RowCount(), 3);
    grade->setFocus();
    QApplication::processEvents();
    const struct {
        Qt::Key tecla;
        int linha;
    } passos[] = {{Qt::Key_Right, 2}, {Qt::Key_Right, 1}, {Qt::Key_Left, 2}, {Qt::Key_Left, 1}};
    for (const auto& p : passos) {
        QTest::keyClick(grade, p.tecla);
        EXPECT_EQ(grade->Row(), p.linha);
        EXPECT_EQ(grade->Col(), 2);
        EXPECT_EQ(grade->LeftCol(), 0);
    }
}

// However the caret reaches a field of the statement, what it holds is selected and what is
// typed replaces it; only a click inside the field being typed puts the caret where it falls.
// The question of a refused check holds the activation while the focus is moved, as a real
// message does; the main window is active again once it is answered.
TEST_F(TFrComprovanteTest, EveryRoadIntoAFieldSelectsWhatItHolds)
{
    const auto entra = [this](const char* nome) {
        Campo(nome)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    };
    const auto tecla = [](Qt::Key k, Qt::KeyboardModifiers m = {}, const char* texto = "") {
        if (*texto)
            QTest::keyClicks(QApplication::focusWidget(), QLatin1String(texto));
        else
            QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    };
    const auto clica = [this](const char* nome, int x) {
        QWidget* campo = Campo(nome);
        if (auto* memo = qobject_cast<TPruvMemo*>(campo))
            campo = memo->viewport();   // where a memo takes the mouse
        QTest::mouseClick(campo, Qt::LeftButton, {}, QPoint(x < 0 ? campo->width() + x : x, 10));
        QApplication::processEvents();
    };
    const auto recusaECancela = [&] {
        QPushButton pergunta(QStringLiteral("Cancelar"));   // the question's own window
        DialogosComReentrada mensagens(
            [&] {
                pergunta.show();
                QApplication::setActiveWindow(&pergunta);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&pergunta));
            },
            Resposta::Cancela);
        tecla(Qt::Key_S, Qt::AltModifier);
        EXPECT_EQ(mensagens.Codigos, std::vector<int>{167});
        janela->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela.get()));
        QApplication::processEvents();
    };
    const struct {
        const char* caso;
        const char* de;   // the field focused first
        const char* alvo;
        const char* guardado;
        std::function<void()> caminho;
        const char* resultado;   // after "77" is typed
    } casos[] = {
        {"a click that brings the focus", "edtPrevOficial", "edtPrevPrivada", "150,00",
         [&] { clica("edtPrevPrivada", 6); }, "77"},
        {"Tab", "edtPrevOficial", "edtPrevPrivada", "150,00", [&] { tecla(Qt::Key_Tab); }, "77"},
        {"Enter", "edtPensaoAlim", "edt65anos", "40,00", [&] { tecla(Qt::Key_Return); }, "77"},
        {"the second decimal", "edtPrevOficial", "edtPrevPrivada", "150,00", [&] { tecla({}, {}, "0,00"); }, "77"},
        {"a tab clicked", "edtNiBenef", "edt65anos", "40,00", [&] { ClicaFicha("RendIsentos"); }, "77"},
        {"a tab's letter", "edtNiBenef", "edt65anos", "40,00", [&] { tecla(Qt::Key_S, Qt::AltModifier); }, "77"},
        {"the letter of the tab shown", "edtNiBenef", "edtPrevOficial", "150,00",
         [&] { tecla(Qt::Key_T, Qt::AltModifier); }, "77"},
        {"undo while typing", "edtPrevPrivada", "edtPrevPrivada", "0,00",
         [&] {
             tecla({}, {}, "9");
             Clica("BbCancel");
         },
         "77"},
        {"a refused check answered Cancelar, then the second decimal", "edtPrevOficial", "edtPrevPrivada", "150,00",
         [&] {
             tecla({}, {}, "1000,00");
             recusaECancela();
             EXPECT_EQ(Foco(), QStringLiteral("edtPrevOficial"));
             tecla({}, {}, "700,00");
         },
         "77"},
        {"a click inside the field being typed", "edtIsentoTextoOutros", "edtIsentoTextoOutros", "PLANO",
         [&] { clica("edtIsentoTextoOutros", -6); }, "PLANO77"},
        {"a click that brings the focus into the memo", "edtNatureza", "EdtInfComplPF", "PLANO",
         [&] { clica("EdtInfComplPF", 6); }, "77"},
        // The tab shown is not left: the deductions are not checked, no question takes the typing.
        {"the letter of the tab shown after a deduction typed", "edtPrevPrivada", "edtPensaoAlim", "40,00",
         [&] { tecla({}, {}, "1000,00"), tecla(Qt::Key_T, Qt::AltModifier); }, "77"},
        // The field kept shows what it stored, the user's to replace.
        {"a move refused by the check answered Cancelar", "edtPrevOficial", "edtPrevOficial", "150,00",
         [&] {
             tecla({}, {}, "9");
             const DialogosComReentrada deducoesAcima(nullptr, Resposta::Cancela);
             Clica("BbNext");
         },
         "77"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QByteArray ficha("RendTributaveis");
        for (int i = 0; i < Fichas()->count(); ++i)
            if (Fichas()->widget(i)->isAncestorOf(Campo(c.de)))
                ficha = Fichas()->widget(i)->objectName().toLatin1();
        ClicaFicha(ficha.constData());
        auto* edit = Campo<TPruvEdit>(c.alvo);
        auto* memo = Campo<TPruvMemo>(c.alvo);
        (edit ? edit->Dado() : memo->Dado())->SetTexto(QLatin1String(c.guardado));
        entra(c.de);
        c.caminho();
        EXPECT_EQ(Foco(), QLatin1String(c.alvo));
        tecla({}, {}, "77");
        EXPECT_EQ(edit ? edit->text() : memo->toPlainText(), QLatin1String(c.resultado));
        // Nothing of the case stays for the next one: the typing dropped, the deductions at zero.
        tecla(Qt::Key_Escape);
        for (const char* deducao : {"edtPrevOficial", "edtPrevPrivada", "edtPensaoAlim"})
            Campo<TPruvEdit>(deducao)->Dado()->SetTexto(QStringLiteral("0,00"));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}
