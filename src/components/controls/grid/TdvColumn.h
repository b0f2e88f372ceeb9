#pragma once
#include <QString>

class TdvCustomDBGrid;

// One shown field of a grid: its name and the text of its footer cell. A grid keeps one per
// mapped field and a default one that answers for names without a column of their own.
class TdvColumn {
public:
    TdvColumn(TdvCustomDBGrid& grid, const QString& fieldName, bool padrao = false);

    [[nodiscard]] const QString& FieldName() const { return FFieldName; }
    [[nodiscard]] TdvCustomDBGrid& Grid() const { return FGrid; }
    [[nodiscard]] const QString& FooterValue() const { return FFooterValue; }
    // A different text repaints the footer (never for the default column).
    void SetFooterValue(const QString& valor);
    // The grid's Selected line of the field says "T" in its fourth part; never the default column.
    [[nodiscard]] bool ReadOnly() const;

private:
    TdvCustomDBGrid& FGrid;
    QString FFieldName;
    QString FFooterValue;
    bool FPadrao;
};
