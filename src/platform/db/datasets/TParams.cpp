#include "platform/db/datasets/TParams.h"

#include "platform/db/sqlite/EDatabaseError.h"

void TParam::SetAsString(const QString& texto)
{
    FValue = texto;
    if (FDataType == ftUnknown)
        FDataType = ftString;
}

void TParam::SetAsInteger(int valor)
{
    FValue = static_cast<qint64>(valor);
    if (FDataType == ftUnknown)
        FDataType = ftInteger;
}

void TParam::SetAsFloat(double valor)
{
    FValue = valor;
    if (FDataType == ftUnknown)
        FDataType = ftFloat;
}

void TParam::SetAsBoolean(bool valor)
{
    FValue = valor;
    if (FDataType == ftUnknown)
        FDataType = ftBoolean;
}

TParam& TParams::Items(int indice)
{
    if (indice < 0 || indice >= Count())
        throw EDatabaseError(QStringLiteral("List index out of bounds (%1)").arg(indice));
    return FItens[static_cast<std::size_t>(indice)];
}

TParam* TParams::FindParam(const QString& nome)
{
    for (auto& parametro : FItens) {
        if (parametro.Name().compare(nome, Qt::CaseInsensitive) == 0)
            return &parametro;
    }
    return nullptr;
}

TParam& TParams::ParamByName(const QString& nome)
{
    TParam* parametro = FindParam(nome);
    if (!parametro)
        throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(nome));
    return *parametro;
}

TParam& TParams::CreateParam(TFieldType tipo, const QString& nome)
{
    FItens.emplace_back(nome, tipo);
    return FItens.back();
}

void TParams::ParseSQL(const QString& sql)
{
    std::vector<TParam> novos;
    QChar aspas;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            aspas = c;
            continue;
        }
        if (c != QLatin1Char(':') || i + 1 >= sql.size() || !(sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_')))
            continue;
        qsizetype fim = i + 1;
        while (fim < sql.size() && (sql[fim].isLetterOrNumber() || sql[fim] == QLatin1Char('_')))
            ++fim;
        const QString nome = sql.mid(i + 1, fim - i - 1);
        i = fim - 1;
        bool repetido = false;
        for (const auto& p : novos)
            repetido = repetido || p.Name().compare(nome, Qt::CaseInsensitive) == 0;
        if (repetido)
            continue;
        TParam* antigo = FindParam(nome);
        novos.push_back(antigo ? *antigo : TParam(nome));
    }
    FItens = std::move(novos);
}
