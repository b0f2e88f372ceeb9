#include "components/controls/edits/TdvDBPicture.h"

#include "components/controls/edits/TdvCustomMaskEdit.h"
#include "components/data/settings/IdvPublished.h"
#include "components/data/settings/TdvPictureValidator.h"
#include "components/data/settings/dvPictureMasks.h"
#include "platform/ui/InterfaceUsuario.h"

TdvDBPicture::TdvDBPicture(TdvCustomMaskEdit* owner)
    : FOwner(owner)
{}

IdvPublished* TdvDBPicture::DataSet() const
{
    return FOwner ? FOwner->PictureDataSet() : nullptr;
}

QString TdvDBPicture::Field() const
{
    return FOwner ? FOwner->PictureField() : QString();
}

bool TdvDBPicture::MaskFromDataSet() const
{
    return PictureMaskFromDataSet && DataSet() && !Field().isEmpty() && DataSet()->PublishedPictureMasks();
}

namespace {

TdvPictureMaskInfo InfoDaLinha(IdvPublished* dataSet, const QString& campo)
{
    return dvGetPictureMaskInfo(dataSet, campo, true);
}

}   // namespace

QString TdvDBPicture::PictureMask() const
{
    if (MaskFromDataSet())
        return InfoDaLinha(DataSet(), Field()).Mask;
    return FPictureMask;
}

void TdvDBPicture::SetPictureMask(const QString& mascara)
{
    if (MaskFromDataSet() && !DataSet()->TablePicture(Field()).isEmpty()) {
        InterfaceUsuario::Mostra(QStringLiteral("Picture mask already defined in Paradox table. "), TipoDialogo::Aviso,
                                 Botao::Ok);
        return;
    }
    FPictureMask = mascara;
    if (MaskFromDataSet())
        dvSetPictureMaskInfo(DataSet(), Field(), {mascara, FAutoFill, FAllowInvalidExit},
                             {.Mask = false, .Flags = true});
}

bool TdvDBPicture::AutoFill() const
{
    if (MaskFromDataSet()) {
        const TdvPictureMaskInfo info = InfoDaLinha(DataSet(), Field());
        if (!info.Mask.isEmpty())
            return info.AutoFill;
    }
    return FAutoFill;
}

void TdvDBPicture::SetAutoFill(bool valor)
{
    FAutoFill = valor;
    if (MaskFromDataSet()) {
        TdvPictureMaskInfo linha = dvGetPictureMaskInfo(DataSet(), Field(), false);
        linha.AutoFill = valor;
        dvSetPictureMaskInfo(DataSet(), Field(), linha, {.Mask = true, .Flags = false});
    }
}

bool TdvDBPicture::PassesPicture(const QString& texto) const
{
    const QString mascara = PictureMask();
    if (texto.isEmpty() || mascara.isEmpty())
        return true;
    QString copia = texto;
    return TdvPictureValidator(mascara, AutoFill()).Picture(copia, false) == TPicResult::prComplete;
}

bool TdvDBPicture::AllowInvalidExit() const
{
    return MaskFromDataSet() ? false : FAllowInvalidExit;
}

void TdvDBPicture::SetAllowInvalidExit(bool valor)
{
    if (!MaskFromDataSet())
        FAllowInvalidExit = valor;
}

void TdvDBPicture::Assign(const TdvDBPicture& origem)
{
    FPictureMask = origem.PictureMask();
    FAutoFill = origem.AutoFill();
}

void TdvDBPicture::RefreshFromDataSet()
{
    if (!MaskFromDataSet())
        return;
    const TdvPictureMaskInfo info = InfoDaLinha(DataSet(), Field());
    FPictureMask = info.Mask;
    if (!info.Mask.isEmpty())
        FAutoFill = info.AutoFill;
}
