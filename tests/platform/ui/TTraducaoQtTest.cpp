#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <QFileDialog>
#include <QPushButton>

#include "platform/ui/TTraducaoQt.h"
#include "support/ProgramaDeTeste.h"

namespace {

QString Legenda(QDialogButtonBox::StandardButton botao)
{
    QDialogButtonBox caixa(botao);
    return caixa.button(botao)->text().remove(QLatin1Char('&'));   // mnemonics differ among styles
}

}   // namespace

TEST(TTraducaoQt, QtsStandardDialogsSpeakPortugueseWhileItLives)
{
    ASSERT_EQ(Legenda(QDialogButtonBox::Cancel), QStringLiteral("Cancel"));
    {
        const TTraducaoQt traducao;
        ASSERT_TRUE(traducao.Carregada())
            << "qt6-translations-l10n missing from " << TTraducaoQt::PastaPadrao().toStdString();
        EXPECT_EQ(Legenda(QDialogButtonBox::Cancel), QStringLiteral("Cancelar"));
        EXPECT_EQ(Legenda(QDialogButtonBox::Yes), QStringLiteral("Sim"));
        EXPECT_EQ(Legenda(QDialogButtonBox::No), QStringLiteral("Não"));

        // The file dialog of the backup's "..." button: Qt's own dialog, not the system's.
        QFileDialog dialogo;
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        auto* botoes = dialogo.findChild<QDialogButtonBox*>();
        ASSERT_NE(botoes, nullptr);
        EXPECT_EQ(botoes->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                  QStringLiteral("Cancelar"));
    }
    EXPECT_EQ(Legenda(QDialogButtonBox::Cancel), QStringLiteral("Cancel"));   // removed with it
}

TEST(TTraducaoQt, WithoutTheTranslationsQtStaysInEnglish)
{
    const TTraducaoQt traducao(ProgramaDeTeste::Pasta());   // holds no translation
    EXPECT_FALSE(traducao.Carregada());
    EXPECT_EQ(Legenda(QDialogButtonBox::Cancel), QStringLiteral("Cancel"));
}

TEST(TTraducaoQt, TheFileDialogsNamesAndQtsDatesAreBrazilianWhileItLives)
{
    const QFileInfo pasta(ProgramaDeTeste::Pasta());
    QFileIconProvider icones;
    ASSERT_EQ(icones.type(pasta), QStringLiteral("Folder"));
    {
        const TTraducaoQt traducao;
        EXPECT_EQ(icones.type(pasta), QStringLiteral("Pasta"));
        EXPECT_EQ(QLocale().monthName(12), QStringLiteral("dezembro"));
        EXPECT_EQ(QLocale().dayName(1), QStringLiteral("segunda-feira"));
        // The program's own numbers never go through Qt's locale: its fixed formats stay.
        EXPECT_EQ(QString::number(1234.5, 'f', 2), QStringLiteral("1234.50"));
    }
    EXPECT_EQ(icones.type(pasta), QStringLiteral("Folder"));
    EXPECT_NE(QLocale().monthName(12), QStringLiteral("dezembro"));
}
