#include <QWidget>
#include <gtest/gtest.h>

#include "platform/widgets/controls/TPopupListBox.h"

namespace {

void Preenche(TPopupListBox& lista, const QStringList& itens)
{
    for (const QString& item : itens)
        lista.AddItem(item);
}

}   // namespace

TEST(TPopupListBox, FindsTheNextRowBeginningWithTheTextWrappingRound)
{
    QWidget dono;
    TPopupListBox lista(&dono);
    Preenche(lista, {QStringLiteral("Nome"), QStringLiteral("CPF"), QStringLiteral("CNPJ"), QStringLiteral("cnpj 2")});
    const struct {
        const char* prefixo;
        int inicio;
        int achado;
    } casos[] = {
        {"c", -1, 1},   {"c", 1, 2}, {"c", 3, 1},   // wraps round past the last row
        {"CNPJ", 2, 3},                             // without regard to case
        {"x", -1, -1},  {"", -1, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.prefixo);
        EXPECT_EQ(lista.FindString(QString::fromLatin1(c.prefixo), c.inicio), c.achado);
    }
}

TEST(TPopupListBox, SelectionStaysWithinTheRows)
{
    QWidget dono;
    TPopupListBox lista(&dono);
    Preenche(lista, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(lista.ItemIndex(), -1);
    lista.ListKeyDown(Qt::Key_Down);
    EXPECT_EQ(lista.ItemIndex(), 0);
    lista.ListKeyDown(Qt::Key_End);
    lista.ListKeyDown(Qt::Key_Down);
    EXPECT_EQ(lista.ItemIndex(), 2);
    EXPECT_FALSE(lista.SetItemIndex(3));
    EXPECT_EQ(lista.ItemIndex(), -1);
}

TEST(TPopupListBox, SortedListsInsertWithoutRegardToCase)
{
    QWidget dono;
    TPopupListBox lista(&dono);
    lista.SetSorted(true);
    Preenche(lista, {QStringLiteral("b"), QStringLiteral("C"), QStringLiteral("a")});
    EXPECT_EQ(lista.ItemText(0), QStringLiteral("a"));
    EXPECT_EQ(lista.ItemText(1), QStringLiteral("b"));
    EXPECT_EQ(lista.ItemText(2), QStringLiteral("C"));
}
