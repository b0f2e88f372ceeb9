#include "platform/widgets/controls/TCustomEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <memory>

#include "platform/widgets/controls/TSelecaoDoSistema.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

TCustomEdit::TCustomEdit(QWidget* parent)
    : QLineEdit(parent)
    , FEntrada(*this)
{
    setAcceptDrops(false);
    setDragEnabled(false);
    QLineEdit::setMaxLength(32767);
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

void TCustomEdit::SetText(const QString& texto)
{
    // The same text is no change: no change event, the caret stays.
    if (texto == text())
        return;
    // The length limit stops the user's typing only: a longer text set here (a masked number)
    // shows whole, and typing is limited again once a shorter text is set.
    AlargaLimite(texto);
    setText(texto);
    // A text the program puts in the field being edited (its value written back, another item
    // shown) was not typed: like the text found on entering, it is selected for typing to replace.
    if (hasFocus() && Entered())
        selectAll();
    else
        setCursorPosition(0);
}

void TCustomEdit::SubstituiTexto(const QString& texto)
{
    AlargaLimite(texto);
    selectAll();
    insert(texto);
}

void TCustomEdit::AlargaLimite(const QString& texto)
{
    QLineEdit::setMaxLength(std::max(FMaxLength > 0 ? FMaxLength : 32767, static_cast<int>(texto.size())));
}

int TCustomEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TCustomEdit::SelLength() const
{
    return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
}

void TCustomEdit::SetSelStart(int inicio)
{
    deselect();
    setCursorPosition(inicio);
}

void TCustomEdit::SetSelLength(int tamanho)
{
    setSelection(SelStart(), tamanho);
}

void TCustomEdit::SetSel(int ancora, int cursor)
{
    const int n = static_cast<int>(text().size());
    ancora = std::clamp(ancora, 0, n);
    cursor = std::clamp(cursor, 0, n);
    if (ancora == cursor)
        SetSelStart(cursor);
    else
        setSelection(ancora, cursor - ancora);
}

void TCustomEdit::SetMaxLength(int tamanho)
{
    FMaxLength = std::max(0, tamanho);
    QLineEdit::setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetBorderStyle(TBorderStyle estilo)
{
    if (estilo == FBorderStyle)
        return;
    FBorderStyle = estilo;
    setFrame(estilo == TBorderStyle::bsSingle);
    if (FAutoSize)
        AdjustHeight();
    update();
}

void TCustomEdit::SetAutoSize(bool valor)
{
    if (valor == FAutoSize)
        return;
    FAutoSize = valor;
    if (valor)
        AdjustHeight();
}

void TCustomEdit::SetReadOnlyFlag(bool valor)
{
    FReadOnly = valor;
    UpdateTyping();
}

void TCustomEdit::UpdateTyping()
{
    setReadOnly(FReadOnly || !CanType());
}

void TCustomEdit::SetEditRect(const TRect& r)
{
    FEditRect = r;
    FTemEditRect = true;
    AplicaMargens();
}

QRect TCustomEdit::ClientRect() const
{
    if (!hasFrame())
        return rect();
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    const int borda = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcao, this);
    return rect().adjusted(borda, borda, -borda, -borda);
}

void TCustomEdit::AplicaMargens()
{
    if (!FTemEditRect)
        return;
    const QRect c = ClientRect();
    setTextMargins(std::max(0, FEditRect.Left), std::max(0, FEditRect.Top), std::max(0, c.width() - FEditRect.Right),
                   std::max(0, c.height() - FEditRect.Bottom));
}

void TCustomEdit::EndLoading()
{
    if (!FLoading)
        return;
    FLoading = false;
    Loaded();
}

int TCustomEdit::SystemFontHeight()
{
    return QFontMetrics(QApplication::font()).height();
}

void TCustomEdit::AdjustHeight()
{
    // The platform's rule for new-style 3-D edits: the font's height plus eight border units.
    setFixedHeight(QFontMetrics(font()).height() + 8);
}

QChar TCustomEdit::CharOf(const QKeyEvent& e)
{
    const auto mods = e.modifiers();
    switch (e.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(9);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    if (ctrl && !alt) {
        if (e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
            return QChar(e.key() - Qt::Key_A + 1);
        return {};
    }
    if (alt && !ctrl)
        return {};
    const QString texto = e.text();
    if (texto.size() != 1)
        return {};
    const QChar c = texto.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return {};
    return c;
}

bool TCustomEdit::WantsKey(int) const
{
    return false;
}

void TCustomEdit::WndKey(TKeyMessage& m)
{
    if (m.Kind == TKeyMessage::WM_KEYDOWN)
        KeyDown(m.Key, m.Shift);
    else
        KeyPress(m.Char);
}

void TCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(key, shift);
}

void TCustomEdit::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(key);
}

void TCustomEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(key, shift);
}

bool TCustomEdit::OfereceAosPais(const QKeyEvent& e)
{
    QWidget* pai = parentWidget();
    if (!pai || isWindow())
        return false;
    // Each widget on the way ignores what it does not take; a dialog keeps Enter and Esc.
    QKeyEvent copia(e.type(), e.key(), e.modifiers(), e.text(), e.isAutoRepeat(), static_cast<ushort>(e.count()));
    QApplication::sendEvent(pai, &copia);
    return copia.isAccepted();
}

void TCustomEdit::ProcessKey(QKeyEvent* e)
{
    FShiftAtual = e->modifiers();
    FTempoTecla = e->timestamp();
    if (e->type() == QEvent::KeyRelease) {
        int key = e->key();
        KeyUp(key, e->modifiers());
        if (key != 0)
            QLineEdit::keyReleaseEvent(e);
        e->accept();
        return;
    }
    const int key = e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && !WantsKey(key)
        && OfereceAosPais(*e)) {
        e->accept();
        return;
    }
    QPointer<TCustomEdit> vivo(this);
    TKeyMessage desce{TKeyMessage::WM_KEYDOWN, key, {}, e->modifiers()};
    WndKey(desce);
    if (!vivo)
        return;
    const QChar original = CharOf(*e);
    QChar caractere = original;
    if (!original.isNull()) {
        TKeyMessage letra{TKeyMessage::WM_CHAR, 0, original, e->modifiers()};
        WndKey(letra);
        if (!vivo)
            return;
        caractere = letra.Char;
    }
    AcaoDaTecla(e, desce.Key != 0, original, caractere);
    e->accept();
}

// What the line edit itself does with the key once the messages went through: a key that types a
// character acts by that character (unless it was dropped), any other key by its key-down.
void TCustomEdit::AcaoDaTecla(QKeyEvent* e, bool teclaViva, QChar original, QChar caractere)
{
    if (original.isNull()) {
        if (!teclaViva)
            return;
        // Alt with a letter or digit types nothing (no menu, tab or button took it): the line
        // edit gets the key without its text, so that it only moves.
        const Qt::KeyboardModifiers mods = e->modifiers();
        if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) && !e->text().isEmpty()) {
            QKeyEvent semTexto(QEvent::KeyPress, e->key(), mods, QString());
            ExecutaAcao(&semTexto);
            return;
        }
        ExecutaAcao(e);
        return;
    }
    if (caractere.isNull())
        return;
    const ushort u = caractere.unicode();
    if (u == 9 || u == 13 || u == 27)
        return;
    if (caractere == original) {
        ExecutaAcao(e);
        return;
    }
    if (u < 32)
        return;
    QKeyEvent trocado(QEvent::KeyPress, e->key(), e->modifiers() & ~Qt::ControlModifier, QString(caractere));
    ExecutaAcao(&trocado);
}

void TCustomEdit::ExecutaAcao(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            WMPaste();
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        if (!isReadOnly())
            WMCut();
        return;
    }
    if (e->matches(QKeySequence::Undo)) {
        if (!isReadOnly())
            WMUndo();
        return;
    }
    if (FCharCase != TEditCharCase::ecNormal && e->text().size() == 1 && e->text().at(0).isLetter()) {
        const QString t = FCharCase == TEditCharCase::ecUpperCase ? e->text().toUpper() : e->text().toLower();
        QKeyEvent caixa(QEvent::KeyPress, e->key(), e->modifiers(), t);
        QLineEdit::keyPressEvent(&caixa);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

bool TCustomEdit::event(QEvent* e)
{
    try {
        FEntrada.Evento(*e, [this] { CMExit(); });
        return QLineEdit::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}

void TCustomEdit::keyPressEvent(QKeyEvent* e)
{
    ProcessKey(e);
}

void TCustomEdit::keyReleaseEvent(QKeyEvent* e)
{
    ProcessKey(e);
}

void TCustomEdit::inputMethodEvent(QInputMethodEvent* e)
{
    // Composed characters (dead keys) arrive here rather than as key events; they go through the
    // same character messages so that no rule of typing is bypassed.
    if (e->preeditString().isEmpty() && e->replacementLength() == 0 && !e->commitString().isEmpty()) {
        QPointer<TCustomEdit> vivo(this);
        for (const QChar c : e->commitString()) {
            QKeyEvent tecla(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            ProcessKey(&tecla);
            if (!vivo)
                return;
        }
        e->accept();
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void TCustomEdit::CMEnter()
{
    DoEnter();
}

void TCustomEdit::CMExit()
{
    DoExit();
}

void TCustomEdit::DoEnter()
{
    if (OnEnter)
        OnEnter();
}

void TCustomEdit::DoExit()
{
    if (OnExit)
        OnExit();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange();
}

void TCustomEdit::focusInEvent(QFocusEvent* e)
{
    // The first focus of a window that opens counts as entering; coming back from a pop-up or
    // from another window does not.
    if (FEntrada.Chega(e->reason()))
        CMEnter();
    // The line edit would select everything on Tab; selecting is the derived edits' decision.
    QFocusEvent semSelecao(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&semSelecao);
}

void TCustomEdit::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() == Qt::PopupFocusReason)
        return;   // keeps the caret and the selection while a pop-up holds the keyboard
    if (!FEntrada.Sai(e->reason(), [this] { CMExit(); }))
        return;
    QLineEdit::focusOutEvent(e);
}

void TCustomEdit::showEvent(QShowEvent* e)
{
    EndLoading();
    QLineEdit::showEvent(e);
}

void TCustomEdit::resizeEvent(QResizeEvent* e)
{
    QLineEdit::resizeEvent(e);
    AplicaMargens();
    Resized();
}

void TCustomEdit::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        if (FAutoSize && !FLoading)
            AdjustHeight();
        FontChanged();
    }
}

void TCustomEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // The standard menu, with its editing commands routed through the same handlers as the keys.
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // Known by their names where the line edit gives them, else by their captions (the line
    // edit's own, shortcut apart): a command missed would act on the text unchecked.
    const struct {
        const char* nome;
        const char* legenda;
        void (TCustomEdit::*acao)();
    } rotas[] = {
        {"edit-paste", "&Paste", &TCustomEdit::WMPaste},
        {"edit-cut", "Cu&t", &TCustomEdit::WMCut},
        {"edit-undo", "&Undo", &TCustomEdit::WMUndo},
        {"edit-delete", "Delete", &TCustomEdit::WMClear},
    };
    for (QAction* acao : menu->actions()) {
        const QString legenda = acao->text().section(QLatin1Char('\t'), 0, 0);
        for (const auto& rota : rotas) {
            if (acao->objectName() == QLatin1String(rota.nome) || legenda == QLineEdit::tr(rota.legenda)) {
                disconnect(acao, &QAction::triggered, nullptr, nullptr);
                connect(acao, &QAction::triggered, this, [this, f = rota.acao] {
                    try {
                        (this->*f)();
                    } catch (...) {
                        TExcecaoDeEvento::Trata(std::current_exception());
                    }
                });
            }
        }
    }
    menu->exec(e->globalPos());
}

void TCustomEdit::PasteSelection(const QString& texto)
{
    // The press put the caret where it fell, unless the edit kept its selection for it.
    insert(texto);
}

void TCustomEdit::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::MiddleButton) {
        QLineEdit::mouseReleaseEvent(e);
        return;
    }
    e->accept();
    const QString selecao = TSelecaoDoSistema::Texto();
    if (!isReadOnly() && !selecao.isEmpty())
        PasteSelection(selecao);
}
