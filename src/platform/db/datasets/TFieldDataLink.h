#pragma once
#include <QString>
#include <functional>

#include "platform/db/datasets/TDataLink.h"

// The link of a control that shows one field of the current record.
class TFieldDataLink : public TDataLink {
public:
    [[nodiscard]] TField* Field() const { return FField; }
    [[nodiscard]] const QString& FieldName() const { return FFieldName; }
    void SetFieldName(const QString& nome);
    [[nodiscard]] bool CanModify() const;
    void Modified() { FModified = true; }   // the control changed its text
    void Reset();                           // the control's text is discarded

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;
    std::function<void()> OnActiveChange;
    std::function<void()> OnFocusControl;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void FocusControl(TField* campo) override;
    void LayoutChanged() override;
    void RecordChanged(TField* campo) override;
    void UpdateData() override;

private:
    void AtualizaCampo();

    QString FFieldName;
    TField* FField = nullptr;
    bool FModified = false;
};
