#pragma once
#include <QLineEdit>
#include <functional>

#include "platform/widgets/keyboard/TEntradaDoCampo.h"
#include "platform/widgets/painting/TRect.h"

enum class TBorderStyle { bsNone, bsSingle };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// One key message of an edit: the key going down (a Qt::Key code) or the character it types.
// A handler drops the message by setting Key to 0 or Char to null.
struct TKeyMessage {
    enum TKind { WM_KEYDOWN, WM_CHAR };
    TKind Kind = WM_KEYDOWN;
    int Key = 0;
    QChar Char;
    Qt::KeyboardModifiers Shift;
};

// Single-line edit with the protocol the library's edits are written against. Every key is
// split into a key-down message and, when it types one, a character message; each goes through
// WndKey (KeyDown, then KeyPress) before the line edit's own handling, and either step may drop
// it. Enter and Esc that the edit does not want are offered first to its parents (a dialog's
// default and cancel buttons), as the platform's dialog keys are. Focus arriving from or leaving
// to another control runs CMEnter/CMExit; a pop-up of the edit taking the keyboard does not. A
// focus moved to another control while another window held the activation (the answer to a
// question) is an exit too: it runs as the window becomes active again, so that the next
// arrival here is an entry.
class TCustomEdit : public QLineEdit {
    Q_OBJECT
    // Reached by name by the library's routines (0 none, 1 single).
    Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
public:
    explicit TCustomEdit(QWidget* parent = nullptr);

    // Events the owner may assign.
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyUp;
    std::function<void()> OnChange;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

    [[nodiscard]] QString Text() const { return text(); }
    // The caret goes to the start, as the platform's edit puts it (in the field being edited the
    // text is selected instead); the same text changes nothing.
    void SetText(const QString& texto);
    // The text in place of the whole text, as a paste puts it (undoable, modified, the caret
    // after it), and whole: the length limit stops typing only.
    void SubstituiTexto(const QString& texto);
    [[nodiscard]] bool Modified() const { return isModified(); }
    void SetModified(bool valor) { setModified(valor); }

    [[nodiscard]] int SelStart() const;
    [[nodiscard]] int SelLength() const;
    void SetSelStart(int inicio);     // the caret there, nothing selected
    void SetSelLength(int tamanho);   // selects from SelStart
    void SetSel(int ancora, int cursor);
    void SelectAll() { selectAll(); }

    [[nodiscard]] int MaxLength() const { return FMaxLength; }   // 0: no limit
    void SetMaxLength(int tamanho);
    [[nodiscard]] TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle estilo);
    [[nodiscard]] int BorderStyleValue() const { return FBorderStyle == TBorderStyle::bsSingle ? 1 : 0; }
    void SetBorderStyleValue(int valor) { SetBorderStyle(valor ? TBorderStyle::bsSingle : TBorderStyle::bsNone); }
    [[nodiscard]] bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool valor);
    [[nodiscard]] bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool valor) { FAutoSelect = valor; }
    [[nodiscard]] TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase caixa) { FCharCase = caixa; }

    // The platform's own read-only flag: typing is refused while it is set. The derived edits
    // drive it; their published ReadOnly may mean something else.
    [[nodiscard]] bool ReadOnlyFlag() const { return FReadOnly; }
    void SetReadOnlyFlag(bool valor);

    // The area inside the window border, where children and the text are placed.
    [[nodiscard]] QRect ClientRect() const;
    // The formatting rectangle, in client coordinates: where the text is laid out.
    void SetEditRect(const TRect& r);
    [[nodiscard]] const TRect& EditRect() const { return FEditRect; }

    // Built in code, a control has no loading phase of its own: the owner calls EndLoading once
    // the properties are set, or it runs when the control is first shown.
    [[nodiscard]] bool IsLoading() const { return FLoading; }
    void EndLoading();

    // Applies again what depends on the window's style bits (border, transparency).
    virtual void RecreateWnd() {}

    // The modifier keys of the key being handled (the keyboard state of its messages).
    [[nodiscard]] Qt::KeyboardModifiers CurrentShift() const { return FShiftAtual; }
    // When that key was typed, in milliseconds of the event clock.
    [[nodiscard]] quint64 CurrentKeyTime() const { return FTempoTecla; }

    // A key typed while a pop-up of this edit holds the keyboard: handled as if typed here.
    void ProcessKey(QKeyEvent* e);

    // The character a key types: 8, 9, 13 and 27 for Backspace, Tab, Enter and Esc, 1 to 26 for
    // Ctrl with a letter, else the event's printable text; null when it types none.
    [[nodiscard]] static QChar CharOf(const QKeyEvent& e);
    // Height of a line in the application's default font.
    [[nodiscard]] static int SystemFontHeight();

protected:
    virtual void Loaded() {}
    // Routes one key message: a key-down of Enter or Esc goes to the parents first unless
    // WantsKey; then KeyDown, or KeyPress for a character.
    virtual void WndKey(TKeyMessage& m);
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    [[nodiscard]] virtual bool WantsKey(int key) const;
    // False keeps typing out (and the caret hidden) without touching the read-only flag.
    [[nodiscard]] virtual bool CanType() const { return true; }
    void UpdateTyping();
    virtual void CMEnter();
    virtual void CMExit();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Change();
    virtual void Resized() {}
    virtual void FontChanged() {}
    virtual void AdjustHeight();
    virtual void WMPaste() { paste(); }
    // The middle button pastes the window system's selection in place of the selected text (its
    // press puts the caret where it falls, unless the derived edit keeps the selection for it);
    // through here, so that an edit that checks a paste checks this one too.
    virtual void PasteSelection(const QString& texto);
    virtual void WMCut() { cut(); }
    virtual void WMUndo() { undo(); }
    virtual void WMClear() { del(); }
    // True once CMEnter ran and until CMExit let the focus go.
    [[nodiscard]] bool Entered() const { return FEntrada.Entrou(); }
    // How the focus came for the last entry (a click, Tab, a program's move).
    [[nodiscard]] Qt::FocusReason EnterReason() const { return FEntrada.Motivo(); }
    // True once, for the press of the click that brought the focus.
    bool TakeEnterClick() { return FEntrada.TomaCliqueDeEntrada(); }

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool OfereceAosPais(const QKeyEvent& e);
    void AcaoDaTecla(QKeyEvent* e, bool teclaViva, QChar original, QChar caractere);
    void ExecutaAcao(QKeyEvent* e);
    void AplicaMargens();
    // The line edit's limit raised to the text's length, for a text set rather than typed.
    void AlargaLimite(const QString& texto);

    int FMaxLength = 0;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    bool FAutoSize = true;
    bool FAutoSelect = true;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    bool FReadOnly = false;
    bool FLoading = true;
    TEntradaDoCampo FEntrada;
    TRect FEditRect;
    bool FTemEditRect = false;
    Qt::KeyboardModifiers FShiftAtual;
    quint64 FTempoTecla = 0;
};
