#include "components/controls/richtext/TdvRichTabDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/data/settings/TdvIntl.h"

namespace {

QString OuPadrao(const QString& texto, const QString& padrao)
{
    return texto.isEmpty() ? padrao : texto;
}

// The number of a position text, its unit marks removed.
bool Numero(const QString& texto, double& valor)
{
    QString t = texto;
    while (!t.isEmpty() && QStringLiteral(" 'cmCM").contains(t.back()))
        t.chop(1);
    return dvParseNumber(t, valor);
}

}   // namespace

bool TdvRichTabDialog::AcrescentaTab(QStringList& lista, const QString& texto, TdvMeasurementUnits unidade)
{
    double valor = 0;
    int twips = 0;
    if (texto.trimmed().isEmpty() || !Numero(texto, valor) || !dvParseMeasurement(texto, unidade, twips) || twips < 0
        || twips > MedidaMaximaTwips || lista.size() >= MaximoTabs)
        return false;
    const QString formatado = dvFormatMeasurement(valor, unidade);
    if (lista.contains(formatado))
        return false;
    qsizetype pos = 0;
    while (pos < lista.size()) {
        double outro = 0;
        if (Numero(lista[pos], outro) && outro > valor)
            break;
        ++pos;
    }
    lista.insert(pos, formatado);
    return true;
}

QList<int> TdvRichTabDialog::Posicoes(const QStringList& lista, TdvMeasurementUnits unidade)
{
    QList<int> posicoes;
    for (const QString& texto : lista) {
        int twips = 0;
        if (dvParseMeasurement(texto, unidade, twips) && posicoes.size() < MaximoTabs)
            posicoes.append(twips);
    }
    return posicoes;
}

TdvRichTabDialog::TdvRichTabDialog(TdvCustomRichEdit& editor)
    : QDialog(editor.window())
    , FEditor(editor)
{
    const TdvRichEditTabDlg& t = dvIntl().RichEdit.TabDialog;
    const bool dicas = (editor.EditorOptions & reoShowHints) != 0;
    setObjectName(QStringLiteral("dvRichTabDialog"));
    setWindowTitle(OuPadrao(t.TabDlgCaption, QStringLiteral("Tabs")));
    auto* grupo = new QGroupBox(OuPadrao(t.TabGroupBoxCaption, QStringLiteral("&Tab Stop Position")), this);
    Edit1 = new QLineEdit(grupo);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    ListBox1 = new QListWidget(grupo);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* vg = new QVBoxLayout(grupo);
    vg->addWidget(Edit1);
    vg->addWidget(ListBox1);
    auto botao = [this](const char* nome, const QString& titulo) {
        auto* b = new QPushButton(titulo, this);
        b->setObjectName(QLatin1String(nome));
        b->setAutoDefault(false);
        return b;
    };
    Button1 = botao("Button1", OuPadrao(t.SetTabButtonCaption, QStringLiteral("&Set")));
    Button2 = botao("Button2", OuPadrao(t.ClearTabButtonCaption, QStringLiteral("Cl&ear")));
    Button4 = botao("Button4", OuPadrao(t.ClearAllButtonCaption, QStringLiteral("Clear A&ll")));
    OKButton = botao("OKButton", dvIntl().BtnOKCaption);
    OKButton->setDefault(true);
    Button3 = botao("Button3", dvIntl().BtnCancelCaption);
    if (dicas) {
        Edit1->setToolTip(t.TabPositionEditHint);
        ListBox1->setToolTip(t.ListBoxHint);
        Button1->setToolTip(t.SetButtonHint);
        Button2->setToolTip(t.ClearButtonHint);
        Button4->setToolTip(t.ClearAllButtonHint);
    }
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {OKButton, Button3, Button1, Button2, Button4})
        botoes->addWidget(b);
    botoes->addStretch();
    auto* tudo = new QHBoxLayout(this);
    tudo->addWidget(grupo);
    tudo->addLayout(botoes);

    QStringList lista;
    for (const int twips : editor.GetParagraphFormat().Tabs)
        lista << editor.FormatMeasurement(editor.TwipsToMeasurement(twips));
    MostraLista(lista);

    Edit1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TdvRichTabDialog::Define);
    connect(Button2, &QPushButton::clicked, this, [this] { qDeleteAll(ListBox1->selectedItems()); });
    connect(Button4, &QPushButton::clicked, ListBox1, &QListWidget::clear);
    connect(OKButton, &QPushButton::clicked, this, &TdvRichTabDialog::OKClick);
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList TdvRichTabDialog::Lista() const
{
    QStringList lista;
    for (int i = 0; i < ListBox1->count(); ++i)
        lista << ListBox1->item(i)->text();
    return lista;
}

void TdvRichTabDialog::MostraLista(const QStringList& lista)
{
    ListBox1->clear();
    ListBox1->addItems(lista);
}

void TdvRichTabDialog::Define()
{
    QStringList lista = Lista();
    if (AcrescentaTab(lista, Edit1->text(), FEditor.MeasurementUnits))
        MostraLista(lista);
    Edit1->clear();
}

bool TdvRichTabDialog::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == Edit1 && evento->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(evento)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            // While the position is typed, Enter sets it; in an empty edit it closes with OK.
            if (Edit1->text().isEmpty())
                OKClick();
            else
                Define();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TdvRichTabDialog::OKClick()
{
    if (!Edit1->text().isEmpty()) {
        if (!dvMeasurementInRange(Edit1->text(), FEditor.MeasurementUnits)) {
            Edit1->setFocus();
            return;
        }
        Define();
    }
    TdvParagraphFormat f;
    f.Changes = TdvParagraphFormat::TabStops;
    f.Tabs = Posicoes(Lista(), FEditor.MeasurementUnits);
    FEditor.SetParagraphFormat(f);
    accept();
}
