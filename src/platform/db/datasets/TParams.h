#pragma once
#include <QString>
#include <QVariant>
#include <vector>

#include "platform/db/sqlite/TFieldType.h"

// A parameter of a statement (":NOME" in its text).
class TParam {
public:
    TParam() = default;
    TParam(const QString& nome, TFieldType tipo = ftUnknown)
        : FName(nome)
        , FDataType(tipo)
    {}

    [[nodiscard]] const QString& Name() const { return FName; }
    void SetName(const QString& nome) { FName = nome; }
    [[nodiscard]] TFieldType DataType() const { return FDataType; }
    void SetDataType(TFieldType tipo) { FDataType = tipo; }
    [[nodiscard]] const QVariant& Value() const { return FValue; }
    void SetValue(const QVariant& valor) { FValue = valor; }
    [[nodiscard]] bool IsNull() const { return !FValue.isValid() || FValue.isNull(); }
    void Clear() { FValue = QVariant(); }
    [[nodiscard]] QString AsString() const { return FValue.toString(); }
    void SetAsString(const QString& texto);
    void SetAsInteger(int valor);
    void SetAsFloat(double valor);
    void SetAsBoolean(bool valor);

private:
    QString FName;
    TFieldType FDataType = ftUnknown;
    QVariant FValue;
};

// The parameters of a statement, found by name without regard to case.
class TParams {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(FItens.size()); }
    [[nodiscard]] TParam& Items(int indice);
    [[nodiscard]] TParam* FindParam(const QString& nome);
    [[nodiscard]] TParam& ParamByName(const QString& nome);   // raises EDatabaseError when absent
    TParam& CreateParam(TFieldType tipo, const QString& nome);
    void Clear() { FItens.clear(); }
    // The parameters named in an SQL text (":NOME" outside quotes), keeping the values of those
    // that stay.
    void ParseSQL(const QString& sql);

private:
    std::vector<TParam> FItens;
};
