#include "components/controls/dvDialogButton.h"

#include <QPushButton>
#include <QStyle>

QPushButton* dvCreateDialogButton(QWidget* owner, TdvDialogButtonKind kind)
{
    const TdvDialogButtonSpec spec = dvIntl().DialogButtonSpec(kind, owner->logicalDpiY());
    auto* botao = new QPushButton(spec.Caption, owner);
    botao->hide();
    botao->resize(spec.Width, spec.Height);
    botao->setAutoDefault(false);
    if (spec.Bitmapped) {
        const QStyle::StandardPixmap glifo = kind == TdvDialogButtonKind::bkOK       ? QStyle::SP_DialogOkButton
                                             : kind == TdvDialogButtonKind::bkCancel ? QStyle::SP_DialogCancelButton
                                                                                     : QStyle::SP_DialogHelpButton;
        botao->setIcon(botao->style()->standardIcon(glifo));
        QFont fonte(QStringLiteral("Liberation Sans"));
        fonte.setPixelSize(11);
        fonte.setBold((spec.FontStyle & fsBold) != 0);
        fonte.setItalic((spec.FontStyle & fsItalic) != 0);
        fonte.setUnderline((spec.FontStyle & fsUnderline) != 0);
        fonte.setStrikeOut((spec.FontStyle & fsStrikeOut) != 0);
        botao->setFont(fonte);
    }
    return botao;
}
