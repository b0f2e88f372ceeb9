#pragma once
#include <QString>
#include <functional>

#include "platform/widgets/controls/TCustomEdit.h"

class TLinhasEdit;

// The characters an edit takes: any; money (at most 11 integer digits and 2 decimals, "." and
// "," typed as the decimal comma); digits only.
enum class TTipoDeDado { AlfaNumerico, Numerico, ApenasNumeros };

// A typed edit with the write-back protocol of the program's fields: raw text while it has the
// focus, formatted text otherwise; the text goes back into its value when the user leaves it, and
// a text the value refuses shows the value's numbered message and keeps the user, and the typed
// text, in the edit. Leaving for a button that cancels the dialog writes nothing. Esc brings
// the value's text back. Entering selects the whole text, however the focus came: the mouse
// gesture that brought it (a click, a double-click, Shift+click, the middle button) leaves it
// selected, so that what comes next replaces it; only a later click puts the caret where it
// falls. A text the value got as the focus came (the field left lent it) is replaced whole by the
// first input of any kind, also a double-click, Shift+click or the middle button after a click.
// This class has no value: TPruvEdit binds one.
class TPruvCustomEdit : public TCustomEdit {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TPruvCustomEdit* sender)>;

    explicit TPruvCustomEdit(QWidget* parent = nullptr);

    // Fired by Enter; without it, Enter moves on to the next control when AutoAvanco is set.
    TNotifyEvent OnPressEnter;
    // Fired after the text was written back into the value.
    TNotifyEvent AposModificar;

    [[nodiscard]] Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment alinhamento) { setAlignment(alinhamento | Qt::AlignVCenter); }
    // The text may not grow past the visible box: it does not scroll sideways nor, in a
    // multi-line edit, down; a multi-line one breaks its lines at the words instead.
    [[nodiscard]] bool Limitado() const { return FLimitado; }
    void SetLimitado(bool valor);
    // The text shows on as many lines as the box holds, broken at its own line breaks (and at
    // the words when Limitado); Up and Down move between the lines. The box keeps its height.
    [[nodiscard]] bool Multiline() const { return FMultiline; }
    void SetMultiline(bool valor);
    [[nodiscard]] TTipoDeDado TipoDeDado() const { return FTipoDeDado; }
    void SetTipoDeDado(TTipoDeDado tipo) { FTipoDeDado = tipo; }
    [[nodiscard]] bool AutoAvanco() const { return FAutoAvanco; }
    void SetAutoAvanco(bool valor) { FAutoAvanco = valor; }
    // The text the value refused stays selected after the message, so that what the user types
    // next replaces it (a caret left after a full field would drop every digit typed); off, the
    // caret stays after it.
    void SetSelecionaRecusado(bool valor) { FSelecionaRecusado = valor; }

    [[nodiscard]] virtual bool TemDado() const { return false; }
    // The text to show: the value's formatted or raw text; here the edit's own.
    [[nodiscard]] virtual QString GetTexto(bool Formatado) const;
    // Writes the text into the value, raising the value's TErro when it refuses it.
    virtual void SetTexto(const QString& Texto);

    // Writes a modified text back (not when the focus went to a cancel button). A refused text
    // is kept, the focus comes back here, the value's message is shown and the answer is false.
    bool Valida();
    // Drops what was typed, as Esc does: the value's text again, nothing written.
    void Descarta();
    // The text now shown was lent by another field (a stored declarant's name): the first input
    // of any kind replaces it whole. A text that comes as the focus arrives is taken as lent.
    void MarcaEmprestado() { FEntrada.Emprestado = true; }

protected:
    // A refusal while the focus is moving shows its message once the move is over.
    bool ValidaAoSair();
    // The value's text, raw while the edit has the focus.
    void Reapresenta();
    // Moves the focus on once the key being handled is done.
    void AvancaFoco();

    void DoEnter() override;
    void DoExit() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    // A money field takes a paste, the clipboard's or the selection's (the middle button), only
    // when the whole text reads as one amount (TMonetario::Quantia); a digits-only field only
    // when it is all digits.
    void WMPaste() override;
    void PasteSelection(const QString& texto) override;
    // A person's text in place of the field's, when it reads as one amount: else message 114 (or
    // 165 above the maximum), the field unchanged and the answer false. A blank text changes
    // nothing.
    bool ColaQuantia(const QString& texto);
    // Whether a pasted text goes in as the edit pastes any text: a money field's goes through
    // ColaQuantia here instead, a digits-only field's only when it is all digits.
    [[nodiscard]] bool ColaComoTexto(const QString& texto);
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool Escreve(bool adiaMensagem);
    // Where the text is drawn, inside the border.
    [[nodiscard]] QRect AreaTexto() const;
    // Whether the text would still fit the box (Limitado).
    [[nodiscard]] bool Cabe(const QString& texto) const;
    // The text's lines as the multi-line box shows them.
    [[nodiscard]] TLinhasEdit Linhas() const;
    // The character position under a point of the multi-line box.
    [[nodiscard]] int PosicaoEm(QPoint ponto) const;
    // How far the multi-line text is moved up so that the caret's line shows.
    [[nodiscard]] qreal Deslocamento(const TLinhasEdit& linhas) const;

    bool FLimitado = false;
    bool FMultiline = false;
    int FAncora = 0;   // where a selection by the mouse started, in a multi-line box
    TTipoDeDado FTipoDeDado = TTipoDeDado::AlfaNumerico;
    bool FAutoAvanco = false;
    bool FSelecionaRecusado = true;
    // What decides whether the next input replaces the whole text, in one place: set as the
    // field is entered or a text is lent to it, dropped as the field is left.
    struct TEntrada {
        bool MantemTexto = false;   // a write-back failed: the entry back here keeps what was typed
        bool Emprestado = false;    // the text came as the focus arrived, and nothing was typed since
        bool GestoDeEntrada =
            false;   // the press that brought the focus, its release and its double-click keep the text whole
    };
    TEntrada FEntrada;
};
