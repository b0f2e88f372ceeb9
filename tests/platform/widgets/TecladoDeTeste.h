#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// Keys delivered where the window system would deliver them: to the open pop-up when there is
// one (it holds the keyboard), else to the focused widget.
namespace TecladoDeTeste {

inline QWidget* Destino()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

inline void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& texto = QString())
{
    QWidget* destino = Destino();
    if (!destino)
        return;
    QString t = texto;
    if (t.isEmpty() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        if (tecla >= Qt::Key_Space && tecla <= Qt::Key_AsciiTilde)
            t = QString(QChar(tecla)).toLower();
        else if (tecla == Qt::Key_Backspace)
            t = QStringLiteral("\b");
        else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
            t = QStringLiteral("\r");
        else if (tecla == Qt::Key_Escape)
            t = QStringLiteral("\x1b");
    }
    QKeyEvent press(QEvent::KeyPress, tecla, mods, t);
    QApplication::sendEvent(destino, &press);
    if (QWidget* solta = Destino()) {
        QKeyEvent release(QEvent::KeyRelease, tecla, mods, t);
        QApplication::sendEvent(solta, &release);
    }
}

// Each character as the key that types it.
inline void Digita(const QString& texto)
{
    for (const QChar c : texto) {
        const QChar maiuscula = c.toUpper();
        const Qt::Key tecla = static_cast<Qt::Key>(maiuscula.unicode());
        const Qt::KeyboardModifiers mods = (c.isLetter() && c.isUpper()) ? Qt::ShiftModifier : Qt::NoModifier;
        Tecla(tecla, mods, QString(c));
    }
}

}   // namespace TecladoDeTeste
