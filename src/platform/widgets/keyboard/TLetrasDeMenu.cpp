#include "platform/widgets/keyboard/TLetrasDeMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

void TLetrasDeMenu::Instala(QMenu& menu)
{
    menu.installEventFilter(new TLetrasDeMenu(&menu));
}

bool TLetrasDeMenu::eventFilter(QObject* objeto, QEvent* evento)
{
    auto* menu = qobject_cast<QMenu*>(objeto);
    if (!menu || evento->type() != QEvent::KeyPress)
        return false;
    const auto* tecla = static_cast<const QKeyEvent*>(evento);
    // The keys Qt's menu takes as letters: plain, with Shift or with Alt.
    if ((tecla->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier)) || tecla->text().size() != 1
        || !tecla->text().at(0).isLetterOrNumber())
        return false;
    const QChar letra = tecla->text().at(0).toUpper();
    QList<QAction*> comLetra;
    QList<QAction*> ativas;
    for (QAction* acao : menu->actions()) {
        if (!acao->isVisible() || acao->isSeparator())
            continue;
        const QKeySequence mnemonico = QKeySequence::mnemonic(acao->text());
        if (mnemonico.isEmpty() || QChar(static_cast<char32_t>(mnemonico[0].key())).toUpper() != letra)
            continue;
        comLetra << acao;
        if (acao->isEnabled())
            ativas << acao;
    }
    if (ativas.size() == comLetra.size())
        return false;   // no disabled item shares it: Qt's own way
    if (ativas.isEmpty())
        return true;
    if (ativas.size() == 1) {
        menu->setActiveAction(ativas.first());
        // As Enter on it: a command runs, a submenu opens.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
        return true;
    }
    const int atual = static_cast<int>(ativas.indexOf(menu->activeAction()));
    menu->setActiveAction(ativas.at((atual + 1) % ativas.size()));
    return true;
}
