#include <QApplication>
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/printing/TDialogoImpressaoQt.h"

namespace {

struct TVisto {
    bool Aberto = false;
    Qt::WindowFlags Tipo;
    QRect Moldura;
};

// What the print dialog looks like once it shows; it is then cancelled.
TVisto AoAbrir(QWidget& dono)
{
    TVisto visto;
    auto* espera = new QTimer;
    auto tentativas = std::make_shared<int>(250);
    QObject::connect(espera, &QTimer::timeout, [espera, tentativas, &visto] {
        if (auto* dialogo = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            dialogo && dialogo->isVisible()) {
            visto = {true, dialogo->windowFlags(), dialogo->frameGeometry()};
            dialogo->reject();
        } else if (--*tentativas > 0) {
            return;
        }
        espera->stop();
        espera->deleteLater();
    });
    espera->start(20);
    QPrinter impressora;
    impressora.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(TDialogoImpressaoQt().Executa(impressora, 1, 3, &dono).Confirmada);
    return visto;
}

}   // namespace

// The verification window stays on top of the others: the print dialog of the preview opened from
// it opens in front of it (on top too), over the preview, and wholly on the screen even where the
// preview reaches past the screen's edge.
TEST(TDialogoImpressaoQt, OpensInFrontOverItsOwnerAndWhollyOnTheScreen)
{
    const QRect tela = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget verificacao(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    verificacao.setGeometry(tela.center().x(), tela.top() + 40, tela.width() / 3, tela.height() / 2);
    verificacao.show();
    const struct {
        const char* caso;
        QRect previa;
    } casos[] = {
        {"the preview over the screen", tela},
        {"the preview past the screen's corner", QRect(tela.right() - 150, tela.bottom() - 100, 600, 400)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDialog previa(&verificacao);
        previa.setWindowFlags(Qt::Window);
        previa.setGeometry(c.previa);
        previa.show();
        const TVisto visto = AoAbrir(previa);
        ASSERT_TRUE(visto.Aberto);
        EXPECT_TRUE(visto.Tipo.testFlag(Qt::WindowStaysOnTopHint)) << "opens beneath the verification window";
        EXPECT_TRUE(tela.contains(visto.Moldura)) << "partly off the screen";
        EXPECT_TRUE(visto.Moldura.intersects(previa.frameGeometry())) << "away from its owner";
    }

    // Opened from a window of no such kind, it is a plain dialog.
    QDialog previa;
    previa.setGeometry(tela);
    previa.show();
    const TVisto visto = AoAbrir(previa);
    ASSERT_TRUE(visto.Aberto);
    EXPECT_FALSE(visto.Tipo.testFlag(Qt::WindowStaysOnTopHint));
}
