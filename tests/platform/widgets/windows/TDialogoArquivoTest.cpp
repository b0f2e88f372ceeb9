#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "platform/widgets/windows/TDialogoArquivo.h"
#include "support/ProgramaDeTeste.h"

// The dialog opens showing every column whole: each title, and every value but the names (a
// file's type, "Documento de Texto", arrives after the dialog shows, once its folder is listed).
TEST(TDialogoArquivo, OpensWithEveryColumnAndEveryValueWhole)
{
    for (const char* nome : {"a.txt", "notas.txt"}) {
        QFile arquivo(ProgramaDeTeste::Pasta() + QLatin1Char('/') + QLatin1String(nome));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    QStringList cortados;
    bool listou = false;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        auto* lista = dialogo->findChild<QTreeView*>();
        ASSERT_NE(lista, nullptr);
        // Until the two files are listed and the columns have had their chance to follow.
        const auto cortes = [&] {
            QStringList achados;
            const QModelIndex pasta = lista->rootIndex();
            const QHeaderView* titulos = lista->header();
            for (int c = 1; c < titulos->count(); ++c) {
                if (titulos->isSectionHidden(c))
                    continue;
                for (int r = 0; r < lista->model()->rowCount(pasta); ++r) {
                    const QString texto = lista->model()->index(r, c, pasta).data().toString();
                    if (lista->fontMetrics().horizontalAdvance(texto) >= titulos->sectionSize(c))
                        achados << texto;
                }
            }
            return achados;
        };
        listou = QTest::qWaitFor([&] { return lista->model()->rowCount(lista->rootIndex()) == 2; }, 5000);
        (void)QTest::qWaitFor([&] { return cortes().isEmpty(); }, 2000);
        cortados = cortes();
        dialogo->reject();
    });
    (void)TDialogoArquivo::Abre(nullptr, ProgramaDeTeste::Pasta(), QStringLiteral("Todos (*)"));
    EXPECT_TRUE(listou);
    EXPECT_TRUE(cortados.isEmpty()) << cortados.join(QLatin1String(", ")).toStdString();
}
