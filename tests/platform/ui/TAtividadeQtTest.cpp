#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <functional>

#include "platform/ui/TAtividadeQt.h"

namespace {

// A main window with its commands and a field, and the dialog of a long work with its Cancel.
struct TJanelas {
    QMainWindow Principal;
    QLineEdit* Campo = new QLineEdit;
    QPushButton* Comando = new QPushButton(QStringLiteral("Comando"));
    QAction* Fechar = new QAction(QStringLiteral("Fechar"), &Principal);
    QDialog Trabalho;
    QPushButton* Cancelar = new QPushButton(QStringLiteral("Cancelar"), &Trabalho);
    int Fechadas = 0;
    int Comandos = 0;
    int Cancelados = 0;

    TJanelas()
    {
        auto* centro = new QWidget;
        auto* layout = new QVBoxLayout(centro);
        layout->addWidget(Campo);
        layout->addWidget(Comando);
        Principal.setCentralWidget(centro);
        Fechar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
        Fechar->setShortcutContext(Qt::ApplicationShortcut);
        Principal.addAction(Fechar);
        QObject::connect(Fechar, &QAction::triggered, [this] { ++Fechadas; });
        QObject::connect(Comando, &QPushButton::clicked, [this] { ++Comandos; });
        QObject::connect(Cancelar, &QPushButton::clicked, [this] { ++Cancelados; });
        Trabalho.show();
        // The main window active, as when a command of it started the work: its shortcuts apply.
        Principal.show();
        Principal.activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(&Principal));
        Campo->setFocus();
    }
};

// Input as the window system hands it over: queued, delivered when events are pumped.
void Tecla(QWidget* alvo, Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {})
{
    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyPress, tecla, mod, texto));
    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyRelease, tecla, mod, texto));
}

void Clique(QWidget* alvo)
{
    const QPointF meio = QRectF(alvo->rect()).center();
    for (const QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(alvo,
                                    new QMouseEvent(tipo, meio, alvo->mapToGlobal(meio), Qt::LeftButton,
                                                    tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                    Qt::NoModifier));
}

}   // namespace

// Input that arrives while a long work keeps the windows alive runs nothing behind the work's
// back; the work's own window keeps its Esc and its buttons. Afterwards input works again.
TEST(TAtividadeQt, InputArrivingDuringLongWorkRunsNoCommandButTheWorksCancel)
{
    const struct {
        const char* caso;
        std::function<void(TJanelas&)> entrada;
        std::function<bool(const TJanelas&)> aconteceu;
        bool duranteTrabalho;
    } casos[] = {
        {"Ctrl+F in the main window's field", [](TJanelas& j) { Tecla(j.Campo, Qt::Key_F, Qt::ControlModifier); },
         [](const TJanelas& j) { return j.Fechadas == 1; }, false},
        {"a letter typed into the main window",
         [](TJanelas& j) { Tecla(j.Campo, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); },
         [](const TJanelas& j) { return j.Campo->text() == QLatin1String("x"); }, false},
        {"a click on a command of the main window", [](TJanelas& j) { Clique(j.Comando); },
         [](const TJanelas& j) { return j.Comandos == 1; }, false},
        {"Esc in the work's window", [](TJanelas& j) { Tecla(&j.Trabalho, Qt::Key_Escape); },
         [](const TJanelas& j) { return !j.Trabalho.isVisible(); }, true},
        {"a click on the work's Cancel", [](TJanelas& j) { Clique(j.Cancelar); },
         [](const TJanelas& j) { return j.Cancelados == 1; }, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TJanelas janelas;
        {
            TAtividadeQt atividade;
            c.entrada(janelas);
            atividade.MantemVivo();
        }
        EXPECT_EQ(c.aconteceu(janelas), c.duranteTrabalho);

        // The same input once the work is over reaches its target.
        if (!c.duranteTrabalho) {
            c.entrada(janelas);
            QCoreApplication::processEvents();
            EXPECT_TRUE(c.aconteceu(janelas));
        }
    }
}

// A question the work asks while it pumps is answered with the keys as usual.
TEST(TAtividadeQt, AWindowOpenedDuringTheWorkTakesItsKeys)
{
    TJanelas janelas;
    QString digitado;
    QTimer::singleShot(0, [&] {
        QDialog pergunta;
        auto* resposta = new QLineEdit(&pergunta);
        QTimer::singleShot(0, [&] {
            Tecla(resposta, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
            Tecla(resposta, Qt::Key_Escape);
        });
        pergunta.exec();
        digitado = resposta->text();
    });
    TAtividadeQt atividade;
    atividade.MantemVivo();
    EXPECT_EQ(digitado, QStringLiteral("s"));
}
