#pragma once
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "model/PruvDeTeste.h"
#include "platform/widgets/grid/TCustomGrid.h"
#include "screens/pages/ComandosDeclaracao.h"
#include "screens/pages/TFrDeclaracao.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/window/TPruv2003.h"

// Runs Acao on the modal dialog of that name as soon as it shows; one still open afterwards is
// cancelled, so that a failed expectation never leaves the test waiting.
template <class D = QDialog> void AoAbrir(const char* nome, std::function<void(D&)> Acao)
{
    QTimer::singleShot(0, [nome, Acao] {
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            auto* dialogo = qobject_cast<D*>(janela);
            if (!dialogo || janela->objectName() != QLatin1String(nome) || !dialogo->isVisible())
                continue;
            QApplication::setActiveWindow(dialogo);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialogo));
            Acao(*dialogo);
            if (dialogo->isVisible())
                dialogo->reject();
            return;
        }
        ADD_FAILURE() << "no dialog " << nome;
    });
}

// The program's main window with its real declaration frame and dialogs, over declarations
// stored in the case's database.
class DeclaracaoAbertaDeTeste : public PruvDeTeste {
protected:
    std::unique_ptr<TPruv2003> janela;
    TFrDeclaracao* quadro = nullptr;
    int resumos = 0;           // summary computations
    int resultadoResumo = 1;   // what each answers
    // The program's own summary computation instead of the counted one above.
    bool calculoDoPrograma = false;

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        EstadoPrograma::BaseIndisponivel = false;
        EstadoPrograma::EmProcessamento = false;
    }
    void TearDown() override
    {
        janela.reset();
        colecao.reset();
    }
    void Inicia()
    {
        janela.reset();   // one main window at a time
        janela = std::make_unique<TPruv2003>();
        TRotinasPrincipal rotinas;
        DefineRotinasDeclaracao(rotinas, janela.get());
        if (!calculoDoPrograma)
            rotinas.CalculaResumo = [this](TPruv& pruv) {
                ++resumos;
                if (resultadoResumo == 1)
                    pruv.GetResumo().SetOK(true);
                return resultadoResumo;
            };
        janela->DefineRotinas(std::move(rotinas));
        quadro = janela->findChild<TFrDeclaracao*>(QStringLiteral("FrDeclaracao"));
        janela->show();
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    // Loads the stored declaration into the window's object, as the open dialog does, and opens it.
    void Abre(const QString& ni, const char* ano = "2002")
    {
        TPruv& pruv = janela->ObtemDeclaracao();
        pruv.GetDeclarante().SetNi(ni);
        pruv.SetAno(QLatin1String(ano));
        ASSERT_TRUE(janela->ObtemColecao().Carrega(pruv));
        janela->AbrirDeclaracao();
    }
    // The stored declaration as a new object reads it.
    std::unique_ptr<TPruv> Lida(const QString& ni, const char* ano = "2002")
    {
        auto pruv = std::make_unique<TPruv>();
        pruv->SetErros(&erros);
        pruv->GetDeclarante().SetNi(ni);
        pruv->SetAno(QLatin1String(ano));
        TColecaoPruv outra;
        EXPECT_TRUE(outra.Carrega(*pruv));
        return pruv;
    }
    template <class W = QWidget> W* Campo(const char* nome) const { return janela->findChild<W*>(QLatin1String(nome)); }
    // Types into the field as the user does: focus, select all (End, Shift+Home: Ctrl+A is the
    // command Abrir), the text; then Tab leaves it.
    static void Digita(QWidget* campo, const QString& texto)
    {
        campo->setFocus();
        QApplication::processEvents();
        QTest::keyClick(campo, Qt::Key_End);
        QTest::keyClick(campo, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(campo, Qt::Key_Delete);
        QTest::keyClicks(campo, texto);
    }
    static void Tab(QWidget* campo)
    {
        QTest::keyClick(campo, Qt::Key_Tab);
        QApplication::processEvents();
    }
    [[nodiscard]] QString Foco() const
    {
        const QWidget* foco = QApplication::focusWidget();
        return foco ? foco->objectName() : QString();
    }
    // A click where the user points: the widget on top there takes it (an open editor covers its
    // cell).
    static void ClicaOndeAponta(QWidget* w, QPoint ponto)
    {
        QWidget* janela = w->window();
        const QPoint global = w->mapToGlobal(ponto);
        QWidget* alvo = janela->childAt(janela->mapFromGlobal(global));
        QTest::mouseClick(alvo ? alvo : w, Qt::LeftButton, {}, (alvo ? alvo : w)->mapFromGlobal(global));
        QApplication::processEvents();
    }
    // A locate made while another window has the activation, as the pending items' window
    // makes it; the declaration's window active again afterwards.
    void LocalizaDeOutraJanela(const QString& item, std::uint8_t objeto) const
    {
        QWidget outra;
        outra.show();
        outra.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&outra));
        janela->PosicionaCampo(QString(), item, objeto);
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
        QApplication::processEvents();
    }
    static void ClicaCelula(TCustomGrid* grade, int coluna, int linha)
    {
        ClicaOndeAponta(grade->viewport(), grade->CellRect(coluna, linha).ToQRect().center());
    }
};
