#include "components/controls/richtext/TdvRichParagraphDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "components/data/settings/TdvIntl.h"
#include "platform/widgets/controls/TComboBox.h"

namespace {

QString OuPadrao(const QString& texto, const QString& padrao)
{
    return texto.isEmpty() ? padrao : texto;
}

}   // namespace

TdvRichParagraphDialog::TTextos TdvRichParagraphDialog::Textos(const TdvParagraphFormat& f, TdvMeasurementUnits u)
{
    auto medida = [u](int twips, int divisoes) {
        return dvFormatMeasurementRounded(
            static_cast<double>(twips) / TwipsPorPolegada
                * (u == TdvMeasurementUnits::muCentimeters ? CentimetrosPorPolegada : 1.0),
            u, divisoes);
    };
    TTextos t;
    t.Left = medida(f.StartIndentValue + f.OffsetValue, 0);
    t.FirstLine = medida(-f.OffsetValue, 0);
    t.Right = medida(f.RightIndentValue, 0);
    t.Before = medida(f.SpaceBeforeValue, 100);
    t.After = medida(f.SpaceAfterValue, 100);
    t.LineSpacing = std::clamp(f.LineSpacingRule, 0, 5);
    if (t.LineSpacing == 5)
        t.At = dvFormatNumber(f.LineSpacingValue / 20.0);
    else if (t.LineSpacing == 3 || t.LineSpacing == 4)
        t.At = medida(f.LineSpacingValue, 100);
    t.Alignment = f.Align == 2 ? 2 : f.Align == 3 ? 1 : 0;
    return t;
}

QString TdvRichParagraphDialog::AtDaEscolha(int item, TdvMeasurementUnits u)
{
    if (item == 3 || item == 4) {
        // One sixth of an inch, cut to two decimals.
        double valor = 1.0 / 6.0;
        if (u == TdvMeasurementUnits::muCentimeters)
            valor *= CentimetrosPorPolegada;
        return dvFormatMeasurement(std::trunc(valor * 100.0) / 100.0, u);
    }
    return item == 5 ? QStringLiteral("1") : QString();
}

int TdvRichParagraphDialog::PrimeiroInvalido(const TTextos& t, TdvMeasurementUnits u)
{
    const QString* edits[] = {&t.Left, &t.FirstLine, &t.Right, &t.Before, &t.After};
    for (int i = 0; i < 5; ++i)
        if (!dvMeasurementInRange(*edits[i], u))
            return i;
    return !t.At.isEmpty() && !dvMeasurementInRange(t.At, u) ? 5 : -1;
}

TdvParagraphFormat TdvRichParagraphDialog::Pedido(const TTextos& t, TdvMeasurementUnits u)
{
    auto twips = [u](const QString& texto) {
        int valor = 0;
        return dvParseMeasurement(texto, u, valor) ? valor : 0;
    };
    const TdvRichEditParagraphDlg& textos = dvIntl().RichEdit.ParagraphDialog;
    TdvParagraphFormat f;
    f.Changes = TdvParagraphFormat::Alignment | TdvParagraphFormat::Offset | TdvParagraphFormat::RightIndent
        | TdvParagraphFormat::StartIndent | TdvParagraphFormat::SpaceBefore | TdvParagraphFormat::SpaceAfter
        | TdvParagraphFormat::LineSpacing;
    f.AlignmentCaption = t.Alignment == 2 ? textos.AlignRight
        : t.Alignment == 1                ? textos.AlignCenter
                                          : textos.AlignLeft;
    const int esquerda = twips(t.Left);
    const int primeira = twips(t.FirstLine);
    f.OffsetValue = std::min(-primeira, esquerda);
    f.StartIndentValue = primeira + esquerda;
    f.RightIndentValue = twips(t.Right);
    f.SpaceBeforeValue = twips(t.Before);
    f.SpaceAfterValue = twips(t.After);
    f.LineSpacingRule = t.LineSpacing;
    if (t.LineSpacing == 5) {
        double linhas = 0;
        f.LineSpacingValue = dvParseNumber(t.At, linhas) ? static_cast<int>(linhas * 20) : 20;
    } else {
        f.LineSpacingValue = t.At.isEmpty() ? 0 : twips(t.At);
    }
    return f;
}

TdvRichParagraphDialog::TdvRichParagraphDialog(TdvCustomRichEdit& editor)
    : QDialog(editor.window())
    , FEditor(editor)
{
    const TdvRichEditParagraphDlg& t = dvIntl().RichEdit.ParagraphDialog;
    const bool dicas = (editor.EditorOptions & reoShowHints) != 0;
    setObjectName(QStringLiteral("dvRichParagraphDialog"));
    setWindowTitle(OuPadrao(t.ParagraphDlgCaption, QStringLiteral("Paragraph")));

    auto edit = [this](const char* nome) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setMaximumWidth(90);
        return e;
    };
    AlignmentCombo = new TComboBox(this);
    AlignmentCombo->setObjectName(QStringLiteral("AlignmentCombo"));
    AlignmentCombo->addItems({OuPadrao(t.AlignLeft, QStringLiteral("Left")),
                              OuPadrao(t.AlignCenter, QStringLiteral("Center")),
                              OuPadrao(t.AlignRight, QStringLiteral("Right"))});
    LeftEdit = edit("LeftEdit");
    RightEdit = edit("RightEdit");
    FirstLineEdit = edit("FirstLineEdit");
    BeforeParagraphEdit = edit("BeforeParagraphEdit");
    AfterParagraphEdit = edit("AfterParagraphEdit");
    WithinParagraphEdit = edit("WithinParagraphEdit");
    LineSpacingComboBox = new TComboBox(this);
    LineSpacingComboBox->setObjectName(QStringLiteral("LineSpacingComboBox"));
    LineSpacingComboBox->addItems(
        {OuPadrao(t.SpacingSingle, QStringLiteral("Single")), OuPadrao(t.Spacing1_5, QStringLiteral("1.5 Lines")),
         OuPadrao(t.SpacingDouble, QStringLiteral("Double")), OuPadrao(t.SpacingAtLeast, QStringLiteral("At least")),
         OuPadrao(t.SpacingExactly, QStringLiteral("Exactly")),
         OuPadrao(t.SpacingMultiple, QStringLiteral("Multiple"))});
    if (dicas) {
        LeftEdit->setToolTip(t.LeftEditHint);
        RightEdit->setToolTip(t.RightEditHint);
        FirstLineEdit->setToolTip(t.FirstLineEditHint);
        AlignmentCombo->setToolTip(t.AlignmentHint);
    }

    auto* recuos = new QGroupBox(OuPadrao(t.IndentationGroupBoxCaption, QStringLiteral("Indentation")), this);
    auto* fr = new QFormLayout(recuos);
    fr->addRow(OuPadrao(t.LeftEditCaption, QStringLiteral("&Left:")), LeftEdit);
    fr->addRow(OuPadrao(t.RightEditCaption, QStringLiteral("&Right:")), RightEdit);
    fr->addRow(OuPadrao(t.FirstLineEditCaption, QStringLiteral("First line:")), FirstLineEdit);
    auto* espacos = new QGroupBox(OuPadrao(t.SpacingGroupCaption, QStringLiteral("Spacing")), this);
    auto* fe = new QFormLayout(espacos);
    fe->addRow(OuPadrao(t.BeforeParagraphCaption, QStringLiteral("&Before:")), BeforeParagraphEdit);
    fe->addRow(OuPadrao(t.AfterParagraphCaption, QStringLiteral("Aft&er:")), AfterParagraphEdit);
    fe->addRow(OuPadrao(t.WithinParagraphCaption, QStringLiteral("Li&ne spacing:")), LineSpacingComboBox);
    fe->addRow(OuPadrao(t.WithinParagraphAtCaption, QStringLiteral("&At")), WithinParagraphEdit);
    auto* alinha = new QFormLayout;
    alinha->addRow(OuPadrao(t.AlignmentCaption, QStringLiteral("Ali&gnment")), AlignmentCombo);

    OKBtn = new QPushButton(dvIntl().BtnOKCaption, this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(dvIntl().BtnCancelCaption, this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* botoes = new QVBoxLayout;
    botoes->addWidget(OKBtn);
    botoes->addWidget(CancelBtn);
    botoes->addStretch();
    auto* painel = new QVBoxLayout;
    painel->addWidget(recuos);
    painel->addWidget(espacos);
    painel->addLayout(alinha);
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(painel);
    tudo->addLayout(botoes);

    const TTextos iniciais = Textos(editor.GetParagraphFormat(), editor.MeasurementUnits);
    LeftEdit->setText(iniciais.Left);
    FirstLineEdit->setText(iniciais.FirstLine);
    RightEdit->setText(iniciais.Right);
    BeforeParagraphEdit->setText(iniciais.Before);
    AfterParagraphEdit->setText(iniciais.After);
    AlignmentCombo->setCurrentIndex(iniciais.Alignment);
    LineSpacingComboBox->setCurrentIndex(iniciais.LineSpacing);
    WithinParagraphEdit->setText(iniciais.At);

    connect(LineSpacingComboBox, &QComboBox::activated, this, [this](int item) {
        FMudandoAt = true;
        WithinParagraphEdit->clear();
        WithinParagraphEdit->setText(AtDaEscolha(item, FEditor.MeasurementUnits));
        FMudandoAt = false;
    });
    connect(WithinParagraphEdit, &QLineEdit::textEdited, this, [this] {
        // A value typed for a rule that takes none makes it a multiple of lines.
        if (!FMudandoAt && LineSpacingComboBox->currentIndex() <= 2)
            LineSpacingComboBox->setCurrentIndex(5);
    });
    connect(OKBtn, &QPushButton::clicked, this, &TdvRichParagraphDialog::OKClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TdvRichParagraphDialog::TTextos TdvRichParagraphDialog::TextosAtuais() const
{
    TTextos t;
    t.Left = LeftEdit->text();
    t.FirstLine = FirstLineEdit->text();
    t.Right = RightEdit->text();
    t.Before = BeforeParagraphEdit->text();
    t.After = AfterParagraphEdit->text();
    t.At = WithinParagraphEdit->text();
    t.LineSpacing = LineSpacingComboBox->currentIndex();
    t.Alignment = AlignmentCombo->currentIndex();
    return t;
}

void TdvRichParagraphDialog::OKClick()
{
    const TTextos t = TextosAtuais();
    QLineEdit* edits[] = {LeftEdit,           FirstLineEdit,      RightEdit, BeforeParagraphEdit,
                          AfterParagraphEdit, WithinParagraphEdit};
    const int invalido = PrimeiroInvalido(t, FEditor.MeasurementUnits);
    if (invalido >= 0) {
        edits[invalido]->setFocus();
        edits[invalido]->selectAll();
        return;
    }
    FEditor.SetParagraphFormat(Pedido(t, FEditor.MeasurementUnits));
    accept();
}
