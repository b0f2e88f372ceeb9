#include "platform/widgets/controls/TSelecaoDoSistema.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

QString& Substituta()
{
    static QString texto;
    return texto;
}

}   // namespace

QString TSelecaoDoSistema::Texto()
{
    QClipboard* area = QGuiApplication::clipboard();
    return area->supportsSelection() ? area->text(QClipboard::Selection) : Substituta();
}

void TSelecaoDoSistema::SetTexto(const QString& Texto)
{
    QClipboard* area = QGuiApplication::clipboard();
    if (area->supportsSelection())
        area->setText(Texto, QClipboard::Selection);
    else
        Substituta() = Texto;
}
