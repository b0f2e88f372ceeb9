#include "components/controls/edits/dvDialogButton.h"

#include <QPushButton>
#include <QStyle>

QPushButton* dvCreateDialogButton(QWidget* owner, TdvDialogButtonKind kind)
{
    const TdvDialogButtonSpec botaoDef = dvIntl().DialogButtonSpec(kind, owner->logicalDpiY());
    auto* botao = new QPushButton(botaoDef.Caption, owner);
    botao->hide();
    botao->resize(botaoDef.Width, botaoDef.Height);
    botao->setAutoDefault(false);
    if (botaoDef.Bitmapped) {
        const QStyle::StandardPixmap glifo = kind == TdvDialogButtonKind::bkOK ? QStyle::SP_DialogOkButton
            : kind == TdvDialogButtonKind::bkCancel                            ? QStyle::SP_DialogCancelButton
                                                                               : QStyle::SP_DialogHelpButton;
        botao->setIcon(botao->style()->standardIcon(glifo));
        QFont fonte(QStringLiteral("Liberation Sans"));
        fonte.setPixelSize(11);
        fonte.setBold((botaoDef.FontStyle & fsBold) != 0);
        fonte.setItalic((botaoDef.FontStyle & fsItalic) != 0);
        fonte.setUnderline((botaoDef.FontStyle & fsUnderline) != 0);
        fonte.setStrikeOut((botaoDef.FontStyle & fsStrikeOut) != 0);
        botao->setFont(fonte);
    }
    return botao;
}
