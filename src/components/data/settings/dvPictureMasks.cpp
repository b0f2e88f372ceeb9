#include "components/data/settings/dvPictureMasks.h"

#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/TdvPictureValidator.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"

IdvPublished* dvGetPictureMaskOwner(QObject* control, TDataSet* dataset)
{
    if (!dataset) {
        if (const TDataSource* fonte = dvGetDataSource(control))
            dataset = fonte->DataSet();
    }
    IdvPublished* doDataSet = dvPublished(dataset);
    if (dvGetPictureMaskFromDataSet(control) && dvGetPictureMasks(doDataSet))
        return doDataSet;
    return dvPublished(control);
}

TdvPictureMaskInfo dvGetPictureMaskInfo(IdvPublished* owner, const QString& field, bool useTablePictures)
{
    QStringList* linhas = dvGetPictureMasks(owner);
    TdvPictureMaskInfo info = linhas ? dvPictureMaskLineInfo(*linhas, field) : TdvPictureMaskInfo{};
    if (useTablePictures && owner) {
        const QString daTabela = owner->TablePicture(field);
        if (!daTabela.isEmpty()) {
            info.Mask = daTabela;
            if (linhas && dvFindPictureMaskLine(*linhas, field) >= 0)
                dvSetPictureMaskLine(*linhas, field, info);
        }
    }
    return info;
}

void dvSetPictureMaskInfo(IdvPublished* owner, const QString& field, const TdvPictureMaskInfo& info,
                          TdvPictureMaskKeep keep)
{
    if (QStringList* linhas = dvGetPictureMasks(owner))
        dvSetPictureMaskLine(*linhas, field, info, keep);
}

QString dvGetTablePicture(TDataSet* dataset, const QString& field)
{
    const IdvPublished* publicado = dvPublished(dataset);
    if (!publicado || !dataset->FindField(field))
        return {};
    return publicado->TablePicture(field);
}

void dvValidatePictureFields(TDataSet* dataset, const IdvPublished::TInvalidValueEvent& onInvalidValue)
{
    if (!dataset)
        return;
    IdvPublished* publicado = dvPublished(dataset);
    for (int i = 0; i < dataset->FieldCount(); ++i) {
        TField* campo = dataset->Fields(i);
        const TdvPictureMaskInfo info = dvGetPictureMaskInfo(publicado, campo->FieldName(), true);
        if (info.Mask.isEmpty())
            continue;
        QString texto = campo->Text();
        if (texto.isEmpty())
            continue;
        if (TdvPictureValidator(info.Mask, false).Picture(texto, false) == TPicResult::prComplete)
            continue;
        if (!campo->ReadOnly())
            campo->FocusControl();
        if (onInvalidValue)
            onInvalidValue(dataset, campo);
        throw EDatabaseError(dvIntl().UserMessages.PictureValidateError + campo->DisplayName());
    }
}
