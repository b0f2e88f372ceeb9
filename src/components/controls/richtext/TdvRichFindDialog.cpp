#include "components/controls/richtext/TdvRichFindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/data/settings/TdvIntl.h"

TdvRichFindDialog::TdvRichFindDialog(TdvCustomRichEdit& editor, bool substitui)
    : QDialog(editor.window())
    , FEditor(&editor)
{
    setObjectName(substitui ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(substitui ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* campos = new QFormLayout;
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    campos->addRow(QStringLiteral("Fi&nd what:"), FindEdit);
    ReplaceEdit = new QLineEdit(this);
    ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
    if (substitui)
        campos->addRow(QStringLiteral("Re&place with:"), ReplaceEdit);
    else
        ReplaceEdit->hide();
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    WholeWord->setObjectName(QStringLiteral("WholeWord"));
    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(campos);
    esquerda->addWidget(WholeWord);
    esquerda->addWidget(MatchCase);
    esquerda->addStretch();

    auto* botoes = new QVBoxLayout;
    auto botao = [&](const char* nome, const QString& titulo) {
        auto* b = new QPushButton(titulo, this);
        b->setObjectName(QLatin1String(nome));
        botoes->addWidget(b);
        return b;
    };
    FindNextButton = botao("FindNextButton", QStringLiteral("&Find Next"));
    FindNextButton->setDefault(true);
    ReplaceButton = botao("ReplaceButton", QStringLiteral("&Replace"));
    ReplaceAllButton = botao("ReplaceAllButton", QStringLiteral("Replace &All"));
    ReplaceButton->setVisible(substitui);
    ReplaceAllButton->setVisible(substitui);
    QPushButton* cancela = botao("CancelButton", dvIntl().BtnCancelCaption);
    botoes->addStretch();
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(esquerda, 1);
    tudo->addLayout(botoes);

    connect(FindNextButton, &QPushButton::clicked, this, [this] {
        PreparaBusca();
        if (FEditor)
            FEditor->FindNextMatch();
    });
    connect(ReplaceButton, &QPushButton::clicked, this, [this] {
        PreparaBusca();
        if (FEditor)
            FEditor->ReplaceMatch(ReplaceEdit->text(), false);
    });
    connect(ReplaceAllButton, &QPushButton::clicked, this, [this] {
        PreparaBusca();
        if (FEditor)
            FEditor->ReplaceMatch(ReplaceEdit->text(), true);
    });
    connect(cancela, &QPushButton::clicked, this, &QDialog::close);
}

void TdvRichFindDialog::PreparaBusca()
{
    if (!FEditor)
        return;
    FEditor->LastSearchText = FindEdit->text();
    FEditor->SearchOptions = (MatchCase->isChecked() ? TdvCustomRichEdit::soMatchCase : 0u)
        | (WholeWord->isChecked() ? TdvCustomRichEdit::soWholeWord : 0u);
}
