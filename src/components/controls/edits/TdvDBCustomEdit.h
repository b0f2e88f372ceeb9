#pragma once
#include <QDateTime>
#include <QPalette>
#include <array>

#include "components/controls/edits/TdvCustomMaskEdit.h"
#include "components/data/settings/dvProperties.h"
#include "platform/db/sqlite/TFieldType.h"

class IdvEditGrid;
class TDataSet;
class TDataSource;
class TField;
class TFieldDataLink;

// What an unbound edit holds besides plain text.
enum class TdvEditDataType { dvDefault, dvEdtDate, dvEdtTime, dvEdtDateTime };

// The library's data-aware masked edit: it shows and edits one field of a dataset through a data
// source, and writes the text back when the record is updated. Without a data source it keeps its
// own text, optionally treated as a date, a time or a date and time (Space completes them from
// the clock).
class TdvDBCustomEdit : public TdvCustomMaskEdit {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TdvDBCustomEdit(QWidget* parent = nullptr);
    ~TdvDBCustomEdit() override;

    [[nodiscard]] TDataSource* DataSource() const;
    // Not owned; it must outlive the edit or be taken away first.
    void SetDataSource(TDataSource* fonte);
    [[nodiscard]] QString DataField() const;
    void SetDataField(const QString& campo);
    [[nodiscard]] TField* Field() const;
    [[nodiscard]] TFieldDataLink& DataLink() { return *FDataLink; }
    // A data source is set.
    [[nodiscard]] bool Bound() const;
    [[nodiscard]] TAlignment UnboundAlignment() const { return FUnboundAlignment; }
    void SetUnboundAlignment(TAlignment alinhamento);

    // The link's flag: the user may not change the value.
    [[nodiscard]] bool ReadOnly() const;
    void SetReadOnly(bool valor);
    [[nodiscard]] bool AutoFillDate() const { return FAutoFillDate; }
    void SetAutoFillDate(bool valor) { FAutoFillDate = valor; }
    [[nodiscard]] TdvEditDataType UnboundDataType() const { return FUnboundDataType; }
    void SetUnboundDataType(TdvEditDataType tipo) { FUnboundDataType = tipo; }
    // First year of the window of two-digit years; 0 means 1950.
    int Epoch = 0;
    // Option flags: 1 set while a combo box writes the text chosen in its list; 2 the
    // drop-down button acts on the click (else on the press); 0 and 3 unused here.
    std::array<bool, 4> OptionFlags{false, false, true, false};

    // Assigns the settings; a mask in use clears the platform mask.
    void SetPicture(const TdvDBPicture& picture);

    // The field's text again (bound) or the text kept on entering (unbound), all selected and
    // not modified.
    virtual void Reset();
    [[nodiscard]] virtual bool HasEditableText() const { return true; }
    // Whether the edit may change its value now.
    [[nodiscard]] virtual bool EditCanModify();
    // What goes into the field for the text.
    [[nodiscard]] virtual QString TextForField() const { return text(); }
    // The text shown for a field value; false when the edit has none of its own.
    virtual bool DisplayTextForValue(const QString& valor, QString& texto) const;
    // The link's data change: the field's text (unbound: empty text and no platform mask).
    virtual void DataChange();
    // The link's editing state: typing is allowed while the record is being edited.
    virtual void EditingChange();
    // Before the record is posted: the text checked against the mask and written to the field.
    virtual void UpdateData();

    [[nodiscard]] IdvPublished* PictureDataSet() const override;
    [[nodiscard]] QString PictureField() const override { return DataField(); }

protected:
    [[nodiscard]] bool Focado() const { return FFocado; }
    [[nodiscard]] bool TransparentFrameInEffect() const;
    // Puts the data link into edit state (nothing without one); false when it cannot edit.
    virtual bool LinkEdit();
    virtual void LinkModified();
    // The value may change by a key: the link can edit, or, unbound, the edit is not ReadOnly
    // (its platform flag is then cleared).
    bool PermiteEdicao();
    [[nodiscard]] bool IsDateEdit() const;
    [[nodiscard]] bool IsTimeOnlyEdit() const;
    void DateCompletion();
    // The field takes the character (numbers only digits, signs and their separators).
    [[nodiscard]] virtual bool FieldAcceptsChar(QChar c) const;
    // Whether typed characters are checked against the field at all.
    [[nodiscard]] virtual bool ChecksFieldChars() const { return true; }
    // The alignment shown: left while focused, the field's or UnboundAlignment otherwise.
    void ApplyAlignment();

    // The grid this edit is a cell editor of, if any.
    [[nodiscard]] IdvEditGrid* Grid() const;
    // Inside a grid: true when the key goes to the grid instead of the edit.
    [[nodiscard]] bool KeyForGrid(int key, Qt::KeyboardModifiers shift) const;

    void Loaded() override;
    void WndKey(TKeyMessage& m) override;
    [[nodiscard]] bool WantsKey(int key) const override;
    bool focusNextPrevChild(bool next) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    [[nodiscard]] bool CanType() const override { return HasEditableText(); }
    void CMEnter() override;
    void CMExit() override;
    void DoEnter() override;
    void Change() override;
    void Resized() override;
    void FontChanged() override;
    void AdjustHeight() override;
    void RecreateWnd() override;
    void WMPaste() override;
    void WMCut() override;
    void WMUndo() override;
    void PictureEditing() override;
    // The frame over the window's own drawing.
    virtual void DrawFrame(QPainter& p);

    void paintEvent(QPaintEvent* e) override;

private:
    void VoltaMaxLength();
    // Cut or undo by the line edit, with the link put in edit state and told of the change.
    void EditaNaPlataforma(void (QLineEdit::*acao)(), bool valida);
    void EscreveData(TField& campo, const QString& texto);

    std::unique_ptr<TFieldDataLink> FDataLink;
    TAlignment FUnboundAlignment = taLeftJustify;
    TAlignment FFieldAlignment = taLeftJustify;
    bool FAutoFillDate = true;
    TdvEditDataType FUnboundDataType = TdvEditDataType::dvDefault;
    bool FFocado = false;
    QString FUnboundText;
    bool FTransparenteAplicado = false;
    QPalette FPaletaNormal;
};
