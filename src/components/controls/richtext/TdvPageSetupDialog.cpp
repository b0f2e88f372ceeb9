#include "components/controls/richtext/TdvPageSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/report/pages/TPapel.h"
#include "platform/widgets/controls/TComboBox.h"

TdvPageSetupDialog::TdvPageSetupDialog(TdvCustomRichEdit& editor, QWidget* parent)
    : QDialog(parent)
    , FEditor(editor)
{
    setObjectName(QStringLiteral("dvPageSetupDialog"));
    setWindowTitle(QStringLiteral("Page Setup"));
    const QString unidade = editor.MeasurementUnits == TdvMeasurementUnits::muInches ? QStringLiteral(" (in)")
                                                                                     : QStringLiteral(" (cm)");
    auto* campos = new QFormLayout(this);
    auto edit = [&](const char* nome, const QString& rotulo, double valor) {
        auto* e = new QLineEdit(dvFormatNumber(valor), this);
        e->setObjectName(QLatin1String(nome));
        campos->addRow(rotulo + unidade, e);
        return e;
    };
    TopEdit = edit("TopEdit", QStringLiteral("&Top"), editor.PrintMargins.Top);
    BottomEdit = edit("BottomEdit", QStringLiteral("&Bottom"), editor.PrintMargins.Bottom);
    LeftEdit = edit("LeftEdit", QStringLiteral("&Left"), editor.PrintMargins.Left);
    RightEdit = edit("RightEdit", QStringLiteral("&Right"), editor.PrintMargins.Right);
    PaperCombo = new TComboBox(this);
    PaperCombo->setObjectName(QStringLiteral("PaperCombo"));
    for (int codigo : {1, 5, 7, 8, 9, 11, 12, 13}) {
        PaperCombo->addItem(QPageSize(TPapel::TamanhoDoCodigo(codigo)).name(), codigo);
        if (codigo == editor.PaperSize)
            PaperCombo->setCurrentIndex(PaperCombo->count() - 1);
    }
    // Without printer-sized lines the paper does not change how the text wraps.
    PaperCombo->setEnabled(editor.EditWidth == TdvRichEditWidth::rewPrinterSize);
    campos->addRow(QStringLiteral("&Paper"), PaperCombo);
    auto* botoes = new QDialogButtonBox(this);
    OKBtn = botoes->addButton(dvIntl().BtnOKCaption, QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    botoes->addButton(dvIntl().BtnCancelCaption, QDialogButtonBox::RejectRole);
    campos->addRow(botoes);
    connect(OKBtn, &QPushButton::clicked, this, &TdvPageSetupDialog::OKClick);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TdvPageSetupDialog::OKClick()
{
    double valores[4] = {};
    QLineEdit* edits[] = {TopEdit, BottomEdit, LeftEdit, RightEdit};
    for (int i = 0; i < 4; ++i) {
        if (!dvParseNumber(edits[i]->text(), valores[i]) || valores[i] < 0 || valores[i] > 22) {
            edits[i]->setFocus();
            edits[i]->selectAll();
            return;
        }
    }
    FEditor.PrintMargins = {valores[0], valores[1], valores[2], valores[3]};
    if (PaperCombo->isEnabled())
        FEditor.PaperSize = PaperCombo->currentData().toInt();
    accept();
}
