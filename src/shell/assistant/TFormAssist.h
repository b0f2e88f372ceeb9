#pragma once
#include <QDialog>
#include <QPointer>
#include <array>

#include "shell/assistant/TAssistente.h"

class QFrame;
class QLabel;
class QPushButton;

// The form of every assistant: up to 15 page panels above a bar with Voltar, Avançar, Concluir
// and Cancelar, driven by the steps of TAssistente.
//
// A concrete assistant derives from it; its constructor gives the page panels (DefinePagina),
// adds one step per page (AdicionaEstado) and calls Processa once, which executes step 1. Its
// MostraPagina calls ExibePagina and sets the buttons for the page. The entry routine then calls
// ExibeModal and frees the form only after it returns, never from inside a step or a signal.
class TFormAssist : public QDialog, public TAssistente {
    Q_OBJECT
public:
    explicit TFormAssist(QWidget* owner = nullptr);
    ~TFormAssist() override;

    // Shows the form modally and answers its modal result (mrOk or mrCancel). An assistant that
    // already ended while step 1 ran in the constructor is not shown at all.
    int ExibeModal();

    // The page panel numbered n (1..MaxEstados), nullptr when none was given.
    [[nodiscard]] QWidget* Pagina(int n) const;

    // The width a window needs so that a title bar shows the whole caption in that font.
    [[nodiscard]] static int LarguraParaTitulo(const QString& titulo, const QFont& fonte);

public slots:
    // Escape and the window's close button cancel, like the Cancelar button.
    void reject() override;

protected:
    // Takes the panel into the page area, hidden, as page n (1..MaxEstados).
    void DefinePagina(int n, QWidget* painel);
    // Hides the page now shown, shows page n and makes it the current page; the focus goes to
    // its first option or field (the checked option of a group), so that the keys choose at
    // once; a page of text alone leaves it on the buttons.
    void ExibePagina(int n);
    // The focus goes to the first enabled of Avançar, Concluir, Voltar and Cancelar, unless the
    // page shown holds it (on the option or field ExibePagina gave it).
    void FocaBotoes();
    // Enables or disables Voltar, Avançar, Concluir and Cancelar.
    void DefineBotoes(bool Retornar, bool Avancar, bool Ok, bool Cancelar);
    // Concluir becomes "&Fechar" with the closing picture on a final page; "C&oncluir" otherwise.
    void MostraFechar(bool Fechar);
    void Termina(int resultado) override;
    // After the step's work: a step that greyed the option its page opened on gives the focus
    // back to the page's first enabled one, never on to the buttons.
    void Processa() override;
    void changeEvent(QEvent* evento) override;
    // Return on an option or a field goes on as from the buttons: Avançar, or Concluir where
    // Avançar is off.
    void keyPressEvent(QKeyEvent* evento) override;

    QLabel* ImgFechar;   // a picture of the closing button, for the final pages' text
    QFrame* PnInferior;
    QFrame* Bevel1;
    QWidget* PnDireita;
    QWidget* PnEsquerda;
    QWidget* PnPaginas;   // the page panels' area
    QPushButton* BtnRetornar;
    QPushButton* BtnAvancar;
    QPushButton* BtnOK;
    QPushButton* CancelBtn;

private slots:
    void BtnRetornarClick();
    void BtnAvancarClick();
    void BtnOKClick();
    void CancelBtnClick();
    // F1: the help of the focused control's context (the assistant's own, as its controls carry
    // no other), which becomes the program's current help context.
    void MostraAjuda();

private:
    void FocaPrimeiroCampo(QWidget& pagina);
    // The buttons come after every page's controls in the Tab chain, so that Tab walks the page
    // first and a control greyed while it has the focus hands it on within its page.
    void BotoesAoFimDaTabulacao();

    std::array<QWidget*, MaxEstados + 1> FPaginas{};   // [0] unused; children of PnPaginas
    QPointer<QWidget> FFocoDaPagina;                   // what the page shown opened on
};
