#pragma once
#include <QByteArray>
#include <memory>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/data/settings/dvProperties.h"

class TDataSource;
class TFieldDataLink;

// The rich-text edit bound to one field: a blob field holds the content as rich text (plain
// text loads too), any other field its text. The content reaches the field when the control is
// left or the record is posted; a control left unchanged leaves the record as it was.
class TdvDBRichEdit : public TdvCustomRichEdit {
    Q_OBJECT
    // Published, so that a grid can bind the control it names to its own cells.
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TdvDBRichEdit(QWidget* parent = nullptr);
    ~TdvDBRichEdit() override;

    [[nodiscard]] TDataSource* DataSource() const;
    void SetDataSource(TDataSource* fonte);   // not owned
    [[nodiscard]] QString DataField() const;
    void SetDataField(const QString& campo);
    [[nodiscard]] bool AutoDisplay() const { return FAutoDisplay; }
    void SetAutoDisplay(bool valor);

    // The blob's bytes into the content: rich text when they are, else plain text.
    void LoadFromBlobField(TField* campo);

    [[nodiscard]] bool EffectiveReadOnly() const override;
    void BeginFieldEdit() override;
    void WriteToField() override;
    [[nodiscard]] bool IsContentLoaded() const override { return FCarregado; }
    [[nodiscard]] TField* GetBoundField() const override;
    void LoadFromField() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void DataChange();
    void AoMudarTexto();

    std::unique_ptr<TFieldDataLink> FDataLink;
    bool FAutoDisplay = true;
    bool FCarregado = false;
    QByteArray FConteudoAoEditar;
};
