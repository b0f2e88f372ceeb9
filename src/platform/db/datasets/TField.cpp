#include "platform/db/datasets/TField.h"

#include <QDate>
#include <QIODevice>
#include <QLocale>
#include <QTime>
#include <cmath>
#include <limits>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TFieldDef.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/files/TFormatSettings.h"

namespace {

const QDate DiaZero(1899, 12, 30);

bool EhInteiro(TFieldType tipo)
{
    return tipo == ftSmallint || tipo == ftInteger || tipo == ftWord || tipo == ftAutoInc || tipo == ftLargeint;
}

bool EhVariantNumerico(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
        return true;
    default:
        return false;
    }
}

// Read straight when stored as such, the usual case; converted otherwise.
qint64 Inteiro(const QVariant& valor)
{
    if (valor.typeId() == QMetaType::LongLong)
        return *static_cast<const qint64*>(valor.constData());
    return valor.toLongLong();
}

qint64 ArredondaDivisao(qint64 valor, qint64 divisor)
{
    const qint64 metade = divisor / 2;
    return valor >= 0 ? (valor + metade) / divisor : -((-valor + metade) / divisor);
}

}   // namespace

TField::TField(TFieldType tipo, const QString& nome, int tamanho, TFieldKind tipoCampo)
    : FFieldName(nome)
    , FDataType(tipo)
    , FFieldKind(tipoCampo)
    , FSize(tamanho)
    , FAlignment(EhInteiro(tipo) || tipo == ftFloat || tipo == ftCurrency || tipo == ftBCD ? taRightJustify
                                                                                           : taLeftJustify)
{}

bool TField::IsNumeric() const
{
    return EhInteiro(FDataType) || FDataType == ftFloat || FDataType == ftCurrency || FDataType == ftBCD;
}

int TField::Index() const
{
    if (!FDataSet)
        return -1;
    for (int i = 0; i < FDataSet->FieldCount(); ++i) {
        if (FDataSet->Fields(i) == this)
            return i;
    }
    return -1;
}

void TField::SetIndex(int indice)
{
    if (!FDataSet)
        return;
    auto& campos = FDataSet->FFields;
    const int atual = Index();
    indice = std::clamp(indice, 0, static_cast<int>(campos.size()) - 1);
    if (atual < 0 || atual == indice)
        return;
    auto proprio = std::move(campos[static_cast<std::size_t>(atual)]);
    campos.erase(campos.begin() + atual);
    campos.insert(campos.begin() + indice, std::move(proprio));
    if (FDataSet->Active())
        FDataSet->DataEvent(deLayoutChange, 0);
}

void TField::SetDisplayLabel(const QString& rotulo)
{
    FDisplayLabel = rotulo == FFieldName ? QString() : rotulo;
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deLayoutChange, 0);
}

int TField::DisplayWidth() const
{
    if (FDisplayWidth >= 0)
        return FDisplayWidth;
    switch (FDataType) {
    case ftString:
        return FSize;
    case ftSmallint:
    case ftWord:
        return 6;
    case ftInteger:
    case ftAutoInc:
        return 11;
    case ftLargeint:
        return 15;
    case ftBoolean:
        return 5;
    case ftDate:
        return 10;
    case ftTime:
        return 8;
    case ftDateTime:
        return 18;
    default:
        return 10;
    }
}

void TField::SetDisplayWidth(int largura)
{
    FDisplayWidth = largura;
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deLayoutChange, 0);
}

void TField::SetVisible(bool visivel)
{
    if (FVisible == visivel)
        return;
    FVisible = visivel;
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deLayoutChange, 0);
}

void TField::SetAlignment(TAlignment alinhamento)
{
    if (FAlignment == alinhamento)
        return;
    FAlignment = alinhamento;
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deLayoutChange, 0);
}

bool TField::CanModify() const
{
    if (FReadOnly || !FDataSet)
        return false;
    return FFieldKind == fkData || FFieldKind == fkInternalCalc ? FDataSet->CanModify() : false;
}

void TField::ValorInvalido(const QString& texto, const char* tipo) const
{
    throw EDatabaseError(QStringLiteral("'%1' is not a valid %2 value for field '%3'")
                             .arg(texto, QString::fromLatin1(tipo), DisplayName()));
}

// ---- fixed formats ----

QString TField::TextoDeData(double dias, TFieldType tipo)
{
    const auto& formato = TFormatSettings::Programa();
    const double inteiro = std::floor(dias);
    const QDate data = DiaZero.addDays(static_cast<qint64>(inteiro));
    const auto milissegundos = static_cast<int>(std::llround((dias - inteiro) * 86400000.0));
    const QTime hora = QTime(0, 0).addMSecs(milissegundos);
    auto doisDigitos = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    const QString textoData = doisDigitos(data.day()) + formato.DateSeparator + doisDigitos(data.month())
        + formato.DateSeparator + QStringLiteral("%1").arg(data.year(), 4, 10, QLatin1Char('0'));
    const QString textoHora = doisDigitos(hora.hour()) + formato.TimeSeparator + doisDigitos(hora.minute())
        + formato.TimeSeparator + doisDigitos(hora.second());
    if (tipo == ftDate)
        return textoData;
    if (tipo == ftTime)
        return textoHora;
    return milissegundos == 0 ? textoData : textoData + QLatin1Char(' ') + textoHora;
}

bool TField::LeData(const QString& texto, TFieldType tipo, double& dias)
{
    const auto& formato = TFormatSettings::Programa();
    const QString limpo = texto.simplified();
    QString parteData = limpo;
    QString parteHora;
    if (tipo == ftTime) {
        parteData.clear();
        parteHora = limpo;
    } else if (const qsizetype branco = limpo.indexOf(QLatin1Char(' ')); branco > 0) {
        parteData = limpo.left(branco);
        parteHora = limpo.mid(branco + 1);
    }
    double resultado = 0;
    if (!parteData.isEmpty()) {
        const QStringList partes = parteData.split(formato.DateSeparator);
        if (partes.size() != 3)
            return false;
        bool okDia = false, okMes = false, okAno = false;
        const int dia = partes[0].toInt(&okDia);
        const int mes = partes[1].toInt(&okMes);
        int ano = partes[2].toInt(&okAno);
        if (!okDia || !okMes || !okAno || partes[2].size() > 4)
            return false;
        if (partes[2].size() <= 2)
            ano += ano < 50 ? 2000 : 1900;
        const QDate data(ano, mes, dia);
        if (!data.isValid() || ano < 1)
            return false;
        resultado = static_cast<double>(DiaZero.daysTo(data));
    } else if (tipo != ftTime) {
        return false;
    }
    if (!parteHora.isEmpty()) {
        const QStringList partes = parteHora.split(formato.TimeSeparator);
        if (partes.size() < 2 || partes.size() > 3)
            return false;
        bool ok[3] = {true, true, true};
        const int h = partes[0].toInt(&ok[0]);
        const int m = partes[1].toInt(&ok[1]);
        const int s = partes.size() == 3 ? partes[2].toInt(&ok[2]) : 0;
        if (!ok[0] || !ok[1] || !ok[2] || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
            return false;
        resultado += ((h * 60 + m) * 60 + s) / 86400.0;
    } else if (tipo == ftTime) {
        return false;
    }
    dias = resultado;
    return true;
}

QString TField::TextoDeFloat(double valor)
{
    QString texto = QString::number(valor, 'g', 15);
    texto.replace(QLatin1String("e+"), QLatin1String("E"));
    texto.replace(QLatin1Char('e'), QLatin1Char('E'));
    texto.replace(QLatin1Char('.'), TFormatSettings::Programa().DecimalSeparator);
    return texto;
}

bool TField::LeFloat(const QString& texto, double& valor)
{
    QString limpo = texto.trimmed();
    if (limpo.isEmpty() || limpo.contains(QLatin1Char('.')))
        return false;
    limpo.replace(TFormatSettings::Programa().DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double lido = QLocale::c().toDouble(limpo, &ok);
    if (!ok || !std::isfinite(lido))
        return false;
    valor = lido;
    return true;
}

QString TField::TextoDeFixed4(qint64 valor)
{
    const bool negativo = valor < 0;
    const quint64 absoluto = negativo ? static_cast<quint64>(-(valor + 1)) + 1 : static_cast<quint64>(valor);
    QString texto = QString::number(absoluto / 10000);
    const quint64 fracao = absoluto % 10000;
    if (fracao != 0) {
        QString decimais = QStringLiteral("%1").arg(fracao, 4, 10, QLatin1Char('0'));
        while (decimais.endsWith(QLatin1Char('0')))
            decimais.chop(1);
        texto += TFormatSettings::Programa().DecimalSeparator + decimais;
    }
    return negativo ? QLatin1Char('-') + texto : texto;
}

bool TField::LeFixed4(const QString& texto, qint64& valor)
{
    const QString limpo = texto.trimmed();
    qsizetype i = 0;
    bool negativo = false;
    if (i < limpo.size() && (limpo[i] == QLatin1Char('-') || limpo[i] == QLatin1Char('+')))
        negativo = limpo[i++] == QLatin1Char('-');
    quint64 inteiro = 0;
    int digitos = 0;
    while (i < limpo.size() && limpo[i].isDigit()) {
        inteiro = inteiro * 10 + static_cast<quint64>(limpo[i++].digitValue());
        if (++digitos > 15)
            return false;
    }
    quint64 fracao = 0;
    int casas = 0;
    bool arredonda = false;
    if (i < limpo.size() && limpo[i] == TFormatSettings::Programa().DecimalSeparator) {
        ++i;
        while (i < limpo.size() && limpo[i].isDigit()) {
            if (casas < 4)
                fracao = fracao * 10 + static_cast<quint64>(limpo[i].digitValue());
            else if (casas == 4)
                arredonda = limpo[i].digitValue() >= 5;
            ++casas;
            ++digitos;
            ++i;
        }
    }
    if (i != limpo.size() || digitos == 0)
        return false;
    for (int c = std::min(casas, 4); c < 4; ++c)
        fracao *= 10;
    const quint64 total = inteiro * 10000 + fracao + (arredonda ? 1 : 0);
    if (total > static_cast<quint64>(std::numeric_limits<qint64>::max()))
        return false;
    valor = negativo ? -static_cast<qint64>(total) : static_cast<qint64>(total);
    return true;
}

bool TField::LeInteiro(const QString& texto, qint64& valor)
{
    bool ok = false;
    const qint64 lido = texto.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return false;
    valor = lido;
    return true;
}

// ---- values ----

QVariant TField::Normaliza(const QVariant& valor) const
{
    if (!valor.isValid() || valor.isNull())
        return IsTextType(FDataType) ? QVariant(QString()) : QVariant();
    const bool ehTexto = valor.typeId() == QMetaType::QString;
    switch (FDataType) {
    case ftString:
        return TFieldDef::Corta(valor.toString(), FSize);
    case ftMemo:
    case ftFmtMemo:
        return valor.typeId() == QMetaType::QByteArray ? QString::fromLatin1(valor.toByteArray()) : valor.toString();
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
        qint64 numero = 0;
        if (ehTexto) {
            if (valor.toString().trimmed().isEmpty())
                return {};
            if (!LeInteiro(valor.toString(), numero))
                ValorInvalido(valor.toString(), "integer");
        } else if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float) {
            numero = std::llround(valor.toDouble());
        } else {
            numero = valor.toLongLong();
        }
        qint64 minimo = std::numeric_limits<qint32>::min();
        qint64 maximo = std::numeric_limits<qint32>::max();
        if (FDataType == ftSmallint) {
            minimo = -32768;
            maximo = 32767;
        } else if (FDataType == ftWord) {
            minimo = 0;
            maximo = 65535;
        } else if (FDataType == ftLargeint) {
            minimo = std::numeric_limits<qint64>::min();
            maximo = std::numeric_limits<qint64>::max();
        }
        if (numero < minimo || numero > maximo)
            throw EDatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                     .arg(numero)
                                     .arg(DisplayName())
                                     .arg(minimo)
                                     .arg(maximo));
        return numero;
    }
    case ftBoolean: {
        if (ehTexto) {
            const QString texto = valor.toString().trimmed().toUpper();
            if (texto.isEmpty())
                return {};
            // A beginning of "True" or "False".
            if (QStringLiteral("TRUE").startsWith(texto))
                return qint64(1);
            if (QStringLiteral("FALSE").startsWith(texto))
                return qint64(0);
            ValorInvalido(valor.toString(), "boolean");
        }
        return qint64(valor.toBool() ? 1 : 0);
    }
    case ftFloat:
    case ftBCD: {
        if (ehTexto) {
            if (valor.toString().trimmed().isEmpty())
                return {};
            double numero = 0;
            if (!LeFloat(valor.toString(), numero))
                ValorInvalido(valor.toString(), "floating point");
            return numero;
        }
        return valor.toDouble();
    }
    case ftCurrency: {
        if (ehTexto) {
            if (valor.toString().trimmed().isEmpty())
                return {};
            qint64 numero = 0;
            if (!LeFixed4(valor.toString(), numero))
                ValorInvalido(valor.toString(), "currency");
            return numero;
        }
        if (EhVariantNumerico(valor) || valor.typeId() == QMetaType::Bool)
            return valor.toLongLong();
        return static_cast<qint64>(std::llround(valor.toDouble() * 10000.0));
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
        if (ehTexto) {
            if (valor.toString().trimmed().isEmpty())
                return {};
            double dias = 0;
            if (!LeData(valor.toString(), FDataType, dias))
                ValorInvalido(valor.toString(), FDataType == ftTime ? "time" : "date");
            return dias;
        }
        if (valor.typeId() == QMetaType::QDate)
            return static_cast<double>(DiaZero.daysTo(valor.toDate()));
        if (valor.typeId() == QMetaType::QDateTime) {
            const QDateTime momento = valor.toDateTime();
            return static_cast<double>(DiaZero.daysTo(momento.date()))
                + momento.time().msecsSinceStartOfDay() / 86400000.0;
        }
        double dias = valor.toDouble();
        if (FDataType == ftDate)
            dias = std::floor(dias);
        else if (FDataType == ftTime)
            dias -= std::floor(dias);
        return dias;
    }
    case ftBlob:
    case ftGraphic:
    case ftBytes:
    case ftVarBytes:
        return ehTexto ? valor.toString().toLatin1() : valor.toByteArray();
    default:
        return valor;
    }
}

bool TField::IsNull() const
{
    if (!FDataSet)
        return true;
    const QVariant& valor = FDataSet->Valor(*this);
    // The usual text value, read on every row of a walk; a null one holds an empty string.
    if (IsTextType(FDataType) && valor.metaType() == QMetaType::fromType<QString>())
        return static_cast<const QString*>(valor.constData())->isEmpty();
    return !valor.isValid() || valor.isNull();
}

QVariant TField::Value() const
{
    if (!FDataSet || IsNull())
        return {};
    return FDataSet->Valor(*this);
}

void TField::SetValue(const QVariant& valor)
{
    if (!FDataSet)
        throw EDatabaseError(QStringLiteral("Field '%1' has no dataset").arg(FFieldName));
    FDataSet->GravaValor(*this, valor);
}

QString TField::TextoPadrao() const
{
    if (!FDataSet)
        return {};
    const QVariant& valor = FDataSet->Valor(*this);
    if (IsTextType(FDataType) && valor.metaType() == QMetaType::fromType<QString>()) {
        const auto* texto = static_cast<const QString*>(valor.constData());
        return texto->isEmpty() ? QString() : *texto;
    }
    if (!valor.isValid() || valor.isNull())
        return {};
    switch (FDataType) {
    case ftBoolean:
        return valor.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case ftFloat:
    case ftBCD:
        return TextoDeFloat(valor.toDouble());
    case ftCurrency:
        return TextoDeFixed4(valor.toLongLong());
    case ftDate:
    case ftTime:
    case ftDateTime:
        return TextoDeData(valor.toDouble(), FDataType);
    case ftBlob:
    case ftGraphic:
    case ftBytes:
    case ftVarBytes:
        return QString::fromLatin1(valor.toByteArray());
    default:
        return valor.toString();
    }
}

void TField::SetAsString(const QString& texto)
{
    SetValue(texto);
}

int TField::AsInteger() const
{
    const qint64 valor = AsLargeInt();
    if (valor < std::numeric_limits<int>::min() || valor > std::numeric_limits<int>::max())
        ValorInvalido(AsString(), "integer");
    return static_cast<int>(valor);
}

void TField::SetAsInteger(int valor)
{
    SetAsLargeInt(valor);
}

qint64 TField::AsLargeInt() const
{
    if (IsNull())
        return 0;
    const QVariant& valor = FDataSet->Valor(*this);
    switch (FDataType) {
    case ftFloat:
    case ftBCD:
    case ftDate:
    case ftTime:
    case ftDateTime:
        return std::llround(valor.toDouble());
    case ftCurrency:
        return ArredondaDivisao(valor.toLongLong(), 10000);
    case ftString:
    case ftMemo:
    case ftFmtMemo: {
        qint64 numero = 0;
        if (!LeInteiro(valor.toString(), numero))
            ValorInvalido(valor.toString(), "integer");
        return numero;
    }
    default:
        return valor.toLongLong();
    }
}

void TField::SetAsLargeInt(qint64 valor)
{
    if (FDataType == ftCurrency)
        SetValue(static_cast<double>(valor));
    else if (IsTextType(FDataType))
        SetValue(QString::number(valor));
    else
        SetValue(valor);
}

double TField::AsFloat() const
{
    if (IsNull())
        return 0;
    const QVariant& valor = FDataSet->Valor(*this);
    switch (FDataType) {
    case ftCurrency:
        return static_cast<double>(valor.toLongLong()) / 10000.0;
    case ftString:
    case ftMemo:
    case ftFmtMemo: {
        double numero = 0;
        if (!LeFloat(valor.toString(), numero))
            ValorInvalido(valor.toString(), "floating point");
        return numero;
    }
    default:
        return valor.toDouble();
    }
}

void TField::SetAsFloat(double valor)
{
    if (IsTextType(FDataType))
        SetValue(TextoDeFloat(valor));
    else
        SetValue(valor);
}

qint64 TField::AsFixed4() const
{
    if (!FDataSet)
        return 0;
    // Money columns are read on every row of a walk: the value is fetched once.
    const QVariant& valor = FDataSet->Valor(*this);
    if (FDataType == ftCurrency) {
        // Stored as qint64: a null one holds 0.
        if (valor.metaType() == QMetaType::fromType<qint64>())
            return *static_cast<const qint64*>(valor.constData());
        return !valor.isValid() || valor.isNull() ? 0 : Inteiro(valor);
    }
    if (IsNull())
        return 0;
    if (EhInteiro(FDataType))
        return Inteiro(valor) * 10000;
    if (IsTextType(FDataType)) {
        qint64 numero = 0;
        if (!LeFixed4(valor.toString(), numero))
            ValorInvalido(valor.toString(), "currency");
        return numero;
    }
    return static_cast<qint64>(std::llround(valor.toDouble() * 10000.0));
}

void TField::SetAsFixed4(qint64 decimosDeMilesimo)
{
    if (FDataType == ftCurrency)
        SetValue(decimosDeMilesimo);
    else if (EhInteiro(FDataType))
        SetValue(ArredondaDivisao(decimosDeMilesimo, 10000));
    else if (IsTextType(FDataType))
        SetValue(TextoDeFixed4(decimosDeMilesimo));
    else
        SetValue(static_cast<double>(decimosDeMilesimo) / 10000.0);
}

bool TField::AsBoolean() const
{
    if (IsNull())
        return false;
    const QVariant& valor = FDataSet->Valor(*this);
    if (IsTextType(FDataType)) {
        const QString texto = valor.toString().trimmed().toUpper();
        return texto.startsWith(QLatin1Char('T')) || texto.startsWith(QLatin1Char('Y'));
    }
    return valor.toDouble() != 0;
}

void TField::SetAsBoolean(bool valor)
{
    if (IsTextType(FDataType))
        SetValue(valor ? QStringLiteral("True") : QStringLiteral("False"));
    else
        SetValue(qint64(valor ? 1 : 0));
}

double TField::AsDateTime() const
{
    if (IsNull())
        return 0;
    const QVariant& valor = FDataSet->Valor(*this);
    if (IsTextType(FDataType)) {
        double dias = 0;
        if (!LeData(valor.toString(), ftDateTime, dias))
            ValorInvalido(valor.toString(), "date");
        return dias;
    }
    return valor.toDouble();
}

void TField::SetAsDateTime(double valor)
{
    if (IsTextType(FDataType))
        SetValue(TextoDeData(valor, ftDateTime));
    else
        SetValue(valor);
}

QByteArray TField::AsBytes() const
{
    if (IsNull())
        return {};
    const QVariant& valor = FDataSet->Valor(*this);
    if (valor.typeId() == QMetaType::QByteArray)
        return valor.toByteArray();
    return AsString().toLatin1();
}

void TField::SetAsBytes(const QByteArray& bytes)
{
    if (IsTextType(FDataType))
        SetValue(QString::fromLatin1(bytes));
    else
        SetValue(bytes);
}

QString TField::DisplayText() const
{
    QString texto;
    if (OnGetText) {
        OnGetText(const_cast<TField*>(this), texto, true);
        return texto;
    }
    switch (FDataType) {
    case ftMemo:
    case ftFmtMemo:
        return IsNull() ? QStringLiteral("(Memo)") : QStringLiteral("(MEMO)");
    case ftBlob:
    case ftBytes:
    case ftVarBytes:
        return IsNull() ? QStringLiteral("(Blob)") : QStringLiteral("(BLOB)");
    case ftGraphic:
        return IsNull() ? QStringLiteral("(Graphic)") : QStringLiteral("(GRAPHIC)");
    default:
        return TextoPadrao();
    }
}

QString TField::Text() const
{
    QString texto;
    if (OnGetText) {
        OnGetText(const_cast<TField*>(this), texto, false);
        return texto;
    }
    return TextoPadrao();
}

void TField::SetText(const QString& texto)
{
    if (OnSetText)
        OnSetText(this, texto);
    else
        SetAsString(texto);
}

void TField::LoadFromStream(QIODevice& origem)
{
    SetAsBytes(origem.readAll());
}

void TField::SaveToStream(QIODevice& destino) const
{
    const QByteArray bytes = AsBytes();
    if (destino.write(bytes) != bytes.size())
        throw EDatabaseError(
            QStringLiteral("Field '%1' could not be written: %2").arg(DisplayName(), destino.errorString()));
}

void TField::FocusControl()
{
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(this));
}
