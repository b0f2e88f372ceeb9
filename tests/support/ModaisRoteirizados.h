#pragma once
#include <QApplication>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

// While one lives, every modal window that opens is handed, by its object name in the order they
// open, to the next queued action, which must end it; a window with no action left is closed as
// Escape would close it. Names records each window handled.
class ModaisRoteirizados {
public:
    using Acao = std::function<void(QDialog& janela)>;

    ModaisRoteirizados()
    {
        // An exit asked for while no event loop ran (a case whose program ended at start-up) would
        // end every modal loop at once: one pass of the application's loop takes it back.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        FRelogio.setInterval(5);
        QObject::connect(&FRelogio, &QTimer::timeout, [this] { Trata(); });
        FRelogio.start();
    }

    void Responde(Acao acao) { FAcoes.push_back(std::move(acao)); }

    QStringList Nomes;

private:
    void Trata()
    {
        auto* janela = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!janela || !janela->isVisible() || FEmTratamento.contains(janela))
            return;
        FEmTratamento << janela;   // an action may open another window: that one is handled meanwhile
        Nomes << janela->objectName();
        if (FAcoes.empty()) {
            janela->reject();
        } else {
            Acao acao = std::move(FAcoes.front());
            FAcoes.pop_front();
            acao(*janela);
        }
        FEmTratamento.removeOne(janela);
    }

    QTimer FRelogio;
    std::deque<Acao> FAcoes;
    QList<QDialog*> FEmTratamento;
};
