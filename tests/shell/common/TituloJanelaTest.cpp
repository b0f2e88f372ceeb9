#include <QMainWindow>
#include <gtest/gtest.h>

#include "shell/common/TituloJanela.h"

namespace {

// Stands for the program's main window, which the caption routine finds by its class.
class TPruv2003 : public QMainWindow {
    Q_OBJECT
};

}   // namespace

TEST(TituloJanela, SuffixByEstablishment)
{
    const struct {
        const char* nome;
        const char* estabelecimento;
        const char* titulo;
    } casos[] = {
        {"", "0001", "Pruv 2003"},
        {"ACME", "0001", "Pruv 2003 - ACME   Matriz"},
        {"ACME", "0002", "Pruv 2003 - ACME   Filial 0002"},
        {"ACME", "0000", "Pruv 2003 - ACME   "},
        {"ACME", "", "Pruv 2003 - ACME   "},
        {"Maria", "", "Pruv 2003 - Maria   "},
        {"ACME", "A", "Pruv 2003 - ACME   Filial A"},   // text comparison
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        EXPECT_EQ(TituloJanela(QString::fromUtf8(c.nome), QString::fromUtf8(c.estabelecimento)),
                  QString::fromUtf8(c.titulo));
    }
}

TEST(AtualizaTitulo, SetsTheMainWindowsCaption)
{
    QMainWindow outra;
    TPruv2003 principal;
    AtualizaTitulo(QStringLiteral("ACME"), QStringLiteral("0001"));
    EXPECT_EQ(principal.windowTitle(), QStringLiteral("Pruv 2003 - ACME   Matriz"));
    EXPECT_EQ(outra.windowTitle(), QString());
}

#include "TituloJanelaTest.moc"
