#pragma once
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>

#include "platform/db/sqlite/TFieldType.h"

class QIODevice;
class TDataSet;

// One field of a dataset: its definition, how it is shown (label, width, alignment, visibility)
// and typed access to its value in the dataset's current record. Texts of numbers and dates use
// the program's fixed formats (decimal ",", "dd/mm/yyyy"). Conversions that fail raise
// EDatabaseError naming the field.
class TField {
public:
    TField(TFieldType tipo, const QString& nome, int tamanho = 0, TFieldKind tipoCampo = fkData);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    // Definition
    [[nodiscard]] const QString& FieldName() const { return FFieldName; }
    [[nodiscard]] TFieldType DataType() const { return FDataType; }
    [[nodiscard]] TFieldKind FieldKind() const { return FFieldKind; }
    [[nodiscard]] int Size() const { return FSize; }         // characters of a text, decimals of a BCD
    [[nodiscard]] int FieldNo() const { return FFieldNo; }   // the table column, from 1; 0 when none
    [[nodiscard]] TDataSet* DataSet() const { return FDataSet; }
    [[nodiscard]] int Index() const;   // position in the dataset's field list
    void SetIndex(int indice);
    [[nodiscard]] bool Calculated() const { return FFieldKind == fkCalculated || FFieldKind == fkInternalCalc; }
    [[nodiscard]] bool Lookup() const { return FFieldKind == fkLookup; }
    [[nodiscard]] bool IsBlob() const { return IsBlobType(FDataType); }
    [[nodiscard]] bool IsNumeric() const;

    // How it is shown
    [[nodiscard]] QString DisplayLabel() const { return FDisplayLabel.isEmpty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const QString& rotulo);
    [[nodiscard]] QString DisplayName() const { return DisplayLabel(); }
    [[nodiscard]] int DisplayWidth() const;
    void SetDisplayWidth(int largura);
    [[nodiscard]] bool Visible() const { return FVisible; }
    void SetVisible(bool visivel);
    [[nodiscard]] TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alinhamento);
    [[nodiscard]] bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool somenteLeitura) { FReadOnly = somenteLeitura; }
    [[nodiscard]] bool Required() const { return FRequired; }
    void SetRequired(bool obrigatorio) { FRequired = obrigatorio; }
    [[nodiscard]] bool CanModify() const;

    // Lookup fields: the value is LookupResultField of the record of LookupDataSet whose
    // LookupKeyFields equal this dataset's KeyFields (';'-separated lists).
    TDataSet* LookupDataSet = nullptr;   // not owned
    QString KeyFields;
    QString LookupKeyFields;
    QString LookupResultField;

    // Value in the current record
    [[nodiscard]] bool IsNull() const;
    [[nodiscard]] QVariant Value() const;   // as stored; invalid when blank
    void SetValue(const QVariant& valor);
    void Clear() { SetValue(QVariant()); }
    [[nodiscard]] QString AsString() const { return TextoPadrao(); }   // inline: filters ask it on every row
    void SetAsString(const QString& texto);
    [[nodiscard]] int AsInteger() const;
    void SetAsInteger(int valor);
    [[nodiscard]] qint64 AsLargeInt() const;
    void SetAsLargeInt(qint64 valor);
    [[nodiscard]] double AsFloat() const;
    void SetAsFloat(double valor);
    // Exact fixed point with four implied decimals: the stored count of a currency field;
    // other numbers are scaled by 10000 (rounded half away from zero).
    [[nodiscard]] qint64 AsFixed4() const;
    void SetAsFixed4(qint64 decimosDeMilesimo);
    [[nodiscard]] bool AsBoolean() const;
    void SetAsBoolean(bool valor);
    [[nodiscard]] double AsDateTime() const;   // day count from 30/12/1899, time as fraction
    void SetAsDateTime(double valor);
    [[nodiscard]] QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& bytes);

    // Texts for the controls: DisplayText for showing, Text for editing; OnGetText replaces both.
    [[nodiscard]] QString DisplayText() const;
    [[nodiscard]] QString Text() const;
    void SetText(const QString& texto);   // OnSetText when set, else SetAsString

    // Blobs
    void LoadFromStream(QIODevice& origem);
    void SaveToStream(QIODevice& destino) const;

    // Asks the controls bound to this field to take the focus.
    void FocusControl();

    std::function<void(TField* campo, QString& texto, bool displayText)> OnGetText;
    std::function<void(TField* campo, const QString& texto)> OnSetText;
    std::function<void(TField* campo)> OnChange;
    std::function<void(TField* campo)> OnValidate;

    // The texts of the fixed formats, shared with the filters and searches.
    [[nodiscard]] static QString TextoDeData(double dias, TFieldType tipo);
    [[nodiscard]] static bool LeData(const QString& texto, TFieldType tipo, double& dias);
    [[nodiscard]] static QString TextoDeFloat(double valor);
    [[nodiscard]] static bool LeFloat(const QString& texto, double& valor);
    [[nodiscard]] static QString TextoDeFixed4(qint64 valor);
    [[nodiscard]] static bool LeFixed4(const QString& texto, qint64& valor);
    [[nodiscard]] static bool LeInteiro(const QString& texto, qint64& valor);

private:
    friend class TDataSet;

    [[noreturn]] void ValorInvalido(const QString& texto, const char* tipo) const;
    [[nodiscard]] QVariant Normaliza(const QVariant& valor) const;
    [[nodiscard]] QString TextoPadrao() const;

    QString FFieldName;
    TFieldType FDataType;
    TFieldKind FFieldKind;
    int FSize;
    int FFieldNo = 0;
    int FPosicaoValor = -1;   // slot in the dataset's records
    TDataSet* FDataSet = nullptr;
    bool FPersistente = false;   // added by the program, kept when the dataset closes
    QString FDisplayLabel;
    int FDisplayWidth = -1;   // -1: the type's default
    bool FVisible = true;
    TAlignment FAlignment;
    bool FReadOnly = false;
    bool FRequired = false;
};
