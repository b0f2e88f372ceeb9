#pragma once
#include <QPlainTextEdit>

#include "platform/widgets/keyboard/TEntradaDoCampo.h"
#include "screens/fields/TVinculoDado.h"

class TDadoBasico;

// A memo bound to one text value of the model, which it observes. As the bound edits: raw text
// while it has the focus, formatted otherwise; written back when the user leaves it (blank lines
// dropped first), not when the focus went to a button that cancels the dialog; a refused text
// keeps the user in the memo with the value's message. Tab and Shift+Tab move to the next and
// previous fields, as in every other field: the text takes no tab. Entering selects the whole
// text however the focus came, the click that brought it included; only a later click puts the
// caret where it falls.
class TPruvMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TPruvMemo(QWidget* parent = nullptr);

    [[nodiscard]] TDadoBasico* Dado() const { return FVinculo.Dado(); }
    // Observes the value (not owned; null unbinds) and shows its text.
    void SetDado(TDadoBasico* Dado);

    // 0: no limit.
    [[nodiscard]] int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int tamanho) { FMaxLength = std::max(0, tamanho); }
    [[nodiscard]] bool Modified() const;
    void SetModified(bool valor);

    // Writes a modified text back; a refused text stays, the focus comes back and the value's
    // message is shown: the answer is then false.
    bool Valida();
    // Drops what was typed: the value's text again, nothing written.
    void Descarta() { Reapresenta(); }

    std::function<void()> OnEnter;
    std::function<void()> OnExit;

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool Escreve(bool adiaMensagem);
    // The exit: blank lines dropped, the text written back and shown formatted.
    void Sai();
    void Reapresenta();
    void RemoveLinhasEmBranco();
    void Limita();

    TVinculoDado FVinculo;
    int FMaxLength = 0;
    TEntradaDoCampo FEntrada;
    bool FGestoDeEntrada =
        false;   // the press that brought the focus, its release and its double-click keep the text whole
};
