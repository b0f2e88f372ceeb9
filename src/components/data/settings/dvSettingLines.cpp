#include "components/data/settings/dvSettingLines.h"

#include "components/data/settings/dvStr.h"

namespace {

const QChar tab = QLatin1Char('\t');
const QString pontoEVirgula = QStringLiteral(";");

QString FirstToken(const QString& linha, QChar separador)
{
    const qsizetype k = linha.indexOf(separador);
    return k < 0 ? linha : linha.left(k);
}

bool Flag(const QString& token)
{
    return token.isEmpty() || token.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0;
}

QString FlagText(bool valor)
{
    return valor ? QStringLiteral("T") : QStringLiteral("F");
}

int FindByFirstToken(const QStringList& linhas, const QString& campo, QChar separador, Qt::CaseSensitivity caixa)
{
    for (int i = 0; i < linhas.size(); ++i)
        if (FirstToken(linhas[i], separador).compare(campo, caixa) == 0)
            return i;
    return -1;
}

}   // namespace

int dvFindPictureMaskLine(const QStringList& masks, const QString& field)
{
    return FindByFirstToken(masks, field, tab, Qt::CaseInsensitive);
}

TdvPictureMaskInfo dvPictureMaskLineInfo(const QStringList& masks, const QString& field)
{
    TdvPictureMaskInfo info;
    const int i = dvFindPictureMaskLine(masks, field);
    if (i < 0)
        return info;
    const QStringList partes = masks[i].split(tab);
    info.Mask = partes.value(1);
    info.AutoFill = Flag(partes.value(2));
    info.AllowInvalidExit = Flag(partes.value(3));
    return info;
}

void dvSetPictureMaskLine(QStringList& masks, const QString& field, const TdvPictureMaskInfo& info,
                          TdvPictureMaskKeep keep)
{
    const int i = dvFindPictureMaskLine(masks, field);
    TdvPictureMaskInfo novo = info;
    if (i >= 0) {
        const TdvPictureMaskInfo atual = dvPictureMaskLineInfo(masks, field);
        if (keep.Mask)
            novo.Mask = atual.Mask;
        if (keep.Flags) {
            novo.AutoFill = atual.AutoFill;
            novo.AllowInvalidExit = atual.AllowInvalidExit;
        }
    }
    if (novo.Mask.isEmpty()) {
        if (i >= 0)
            masks.removeAt(i);
        return;
    }
    const QString linha = field + tab + novo.Mask + tab + FlagText(novo.AutoFill) + tab
        + FlagText(novo.AllowInvalidExit);
    if (i >= 0)
        masks[i] = linha;
    else
        masks << linha;
}

void dvControlTypeLineInfo(const QStringList& controlTypes, const QString& field, QString& type, QString& parameters)
{
    type.clear();
    parameters.clear();
    const int i = FindByFirstToken(controlTypes, field, QLatin1Char(';'), Qt::CaseInsensitive);
    if (i < 0)
        return;
    int pos = 1;
    const QString& linha = controlTypes[i];
    dvStrGetToken(linha, pos, pontoEVirgula);
    type = dvStrGetToken(linha, pos, pontoEVirgula);
    if (pos > 0)
        parameters = linha.mid(pos - 1, dvMaxControlParameters);
}

bool dvIsCustomControlType(const QString& type)
{
    for (const char* tipo : {"CustomEdit", "LookupCombo", "Combo"})
        if (type.compare(QLatin1String(tipo), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool dvHasRichEditLine(const QStringList& controlTypes, const QString& field)
{
    const QString inicio = field + QStringLiteral(";RichEdit");
    for (const QString& linha : controlTypes)
        if (linha.startsWith(inicio, Qt::CaseInsensitive))
            return true;
    return false;
}

QString dvFieldLookupLinks(const QStringList& lookupFields, const QStringList& lookupLinks, const QString& field)
{
    const int i = FindByFirstToken(lookupFields, field, QLatin1Char(';'), Qt::CaseSensitive);
    return i < 0 ? QString() : lookupLinks.value(i);
}

QString dvFieldLookupResultField(const QStringList& lookupFields, const QString& field)
{
    const int i = FindByFirstToken(lookupFields, field, QLatin1Char(';'), Qt::CaseSensitive);
    return i < 0 ? QString() : lookupFields[i].split(QLatin1Char(';')).value(3);
}

void dvRemoveObsoleteLines(const std::function<bool(const QString&)>& fieldExists, QStringList& lookupFields,
                           QStringList& lookupLinks, QStringList& controlTypes)
{
    for (int i = int(lookupFields.size()) - 1; i >= 0; --i) {
        if (fieldExists(FirstToken(lookupFields[i], QLatin1Char(';'))))
            continue;
        lookupFields.removeAt(i);
        if (i < lookupLinks.size())
            lookupLinks.removeAt(i);
    }
    for (int i = int(controlTypes.size()) - 1; i >= 0; --i)
        if (!fieldExists(FirstToken(controlTypes[i], QLatin1Char(';'))))
            controlTypes.removeAt(i);
}

bool dvFindSelectedField(const QStringList& selected, const QString& field, int& index)
{
    index = FindByFirstToken(selected, field, tab, Qt::CaseInsensitive);
    return index >= 0;
}

QString dvStringsToText(const QStringList& lines, bool blank)
{
    return lines.join(blank ? QStringLiteral(" ") : QStringLiteral("\r\n"));
}
