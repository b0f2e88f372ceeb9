#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/widgets/controls/TPopupMenu.h"

TEST(TPopupMenu, BarBreaksStartColumnsAndOnlyEnabledItemsAreChosen)
{
    QWidget dono;
    TPopupMenu menu(&dono);
    QString escolhido;
    std::vector<TMenuItem> itens;
    for (const char* texto : {"Edit Year", "-", "1990", "1991", "2000", "2001"}) {
        TMenuItem item;
        item.Caption = QString::fromLatin1(texto);
        item.OnClick = [&escolhido, texto] { escolhido = QString::fromLatin1(texto); };
        itens.push_back(item);
    }
    itens[2].BarBreak = true;
    itens[4].BarBreak = true;
    itens[5].Enabled = false;
    menu.SetItems(itens);

    EXPECT_EQ(menu.ItemRect(0).left(), menu.ItemRect(1).left());
    EXPECT_GT(menu.ItemRect(2).left(), menu.ItemRect(0).right());
    EXPECT_EQ(menu.ItemRect(2).top(), menu.ItemRect(0).top());
    EXPECT_EQ(menu.ItemRect(3).top(), menu.ItemRect(2).bottom() + 1);
    EXPECT_GT(menu.ItemRect(4).left(), menu.ItemRect(2).right());
    EXPECT_EQ(menu.ItemAt(menu.ItemRect(3).center()), 3);

    menu.Popup(dono.mapToGlobal(QPoint(0, 0)));
    EXPECT_TRUE(menu.Showing());
    EXPECT_FALSE(menu.Choose(1));   // a separator
    EXPECT_FALSE(menu.Choose(5));   // disabled
    EXPECT_TRUE(menu.Showing());
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Down);   // over the separator
    EXPECT_EQ(menu.Highlighted(), 2);
    QTest::keyClick(&menu, Qt::Key_Right);
    EXPECT_EQ(menu.Highlighted(), 4);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_FALSE(menu.Showing());
    EXPECT_EQ(escolhido, QStringLiteral("2000"));

    // A press outside closes the menu, chooses nothing and is not passed on.
    menu.Popup(dono.mapToGlobal(QPoint(0, 0)));
    QMouseEvent fora(QEvent::MouseButtonPress, QPointF(-5, -5), menu.mapToGlobal(QPointF(-5, -5)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&menu, &fora);
    EXPECT_FALSE(menu.Showing());
    EXPECT_TRUE(menu.testAttribute(Qt::WA_NoMouseReplay));
    EXPECT_EQ(escolhido, QStringLiteral("2000"));
}
