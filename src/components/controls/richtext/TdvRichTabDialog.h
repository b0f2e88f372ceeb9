#pragma once
#include <QDialog>
#include <QStringList>

#include "components/controls/richtext/dvRichMeasure.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class TdvCustomRichEdit;

// The tab dialog of the rich-text edit: the current paragraph's tab stops as a sorted list of
// unique positions (at most 32), in the edit's unit.
class TdvRichTabDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TdvRichTabDialog(TdvCustomRichEdit& editor);

    static constexpr int MaximoTabs = 32;
    // Adds a typed position to the list in its place: an empty, invalid, out-of-range (0 to
    // 22 inches) or repeated position, or one past a full list, changes nothing. False then.
    static bool AcrescentaTab(QStringList& lista, const QString& texto, TdvMeasurementUnits unidade);
    // The positions of the list in twips, in order.
    [[nodiscard]] static QList<int> Posicoes(const QStringList& lista, TdvMeasurementUnits unidade);

    [[nodiscard]] QStringList Lista() const;

    QLineEdit* Edit1;
    QListWidget* ListBox1;
    QPushButton* Button1;   // Set
    QPushButton* Button2;   // Clear
    QPushButton* Button4;   // Clear All
    QPushButton* OKButton;
    QPushButton* Button3;   // Cancel

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Define();
    void OKClick();
    void MostraLista(const QStringList& lista);

    TdvCustomRichEdit& FEditor;
};
