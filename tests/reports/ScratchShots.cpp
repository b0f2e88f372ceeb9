#include <QApplication>
#include <QPrinter>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>
#include "platform/report/TImpressorasSistema.h"
#include "support/ProgramaDeTeste.h"
TEST(Shots, Orient)
{
    QString f = ProgramaDeTeste::Pasta() + "/x.pdf";
    auto p = TImpressorasSistema::ImpressoraPdf(f);
    p->setPageSize(QPageSize(QPageSize::Letter));
    p->setPageOrientation(QPageLayout::Landscape);
    p->setFullPage(true);
    bool ok = p->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0,0,0,0)));
    printf("ok %d orient %d\n", ok, int(p->pageLayout().orientation()));
    QPainter pt(p.get()); pt.drawText(100,100,"x"); pt.end();
    QProcess::execute("pdfinfo", {f});
}
