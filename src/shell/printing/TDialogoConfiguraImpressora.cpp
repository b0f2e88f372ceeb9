#include "shell/printing/TDialogoConfiguraImpressora.h"
#include "shell/common/ContextoAjuda.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/widgets/controls/TComboBox.h"

namespace {

// The codes TPapel knows, in its order; of codes of one size (Letter and Letter small) the first.
QList<int> TodosOsCodigos()
{
    QList<int> codigos;
    QList<QPageSize::PageSizeId> tamanhos;
    for (int codigo = 1; codigo <= 26; ++codigo) {
        if (!TPapel::CodigoValido(codigo) || tamanhos.contains(TPapel::TamanhoDoCodigo(codigo)))
            continue;
        tamanhos.append(TPapel::TamanhoDoCodigo(codigo));
        codigos.append(codigo);
    }
    return codigos;
}

}   // namespace

QList<int> TDialogoConfiguraImpressora::CodigosOferecidos(const QList<QPageSize>& tamanhos)
{
    const QList<int> todos = TodosOsCodigos();
    QList<int> codigos;
    for (int codigo : todos)
        for (const QPageSize& tamanho : tamanhos)
            if (tamanho.id() == TPapel::TamanhoDoCodigo(codigo)) {
                codigos.append(codigo);
                break;
            }
    return codigos.isEmpty() ? todos : codigos;
}

TDialogoConfiguraImpressora::TDialogoConfiguraImpressora(const QStringList& impressoras,
                                                         const TEscolhaImpressora& inicial, QWidget* dono)
    : QDialog(dono)
{
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Configurar Impressora"));

    CbImpressora = new TComboBox(this);
    CbImpressora->setObjectName(QStringLiteral("CbImpressora"));
    CbImpressora->addItems(impressoras);
    CbImpressora->setCurrentIndex(std::max<qsizetype>(0, impressoras.indexOf(inicial.Nome)));
    CbPapel = new TComboBox(this);
    CbPapel->setObjectName(QStringLiteral("CbPapel"));
    auto* impressora = new QGroupBox(QStringLiteral("Impressora"), this);
    auto* formImpressora = new QFormLayout(impressora);
    formImpressora->addRow(QStringLiteral("&Nome:"), CbImpressora);

    auto* papel = new QGroupBox(QStringLiteral("Papel"), this);
    auto* formPapel = new QFormLayout(papel);
    formPapel->addRow(QStringLiteral("&Tamanho:"), CbPapel);

    auto* orientacao = new QGroupBox(QStringLiteral("Orientação"), this);
    RbRetrato = new QRadioButton(QStringLiteral("&Retrato"), orientacao);
    RbRetrato->setObjectName(QStringLiteral("RbRetrato"));
    RbPaisagem = new QRadioButton(QStringLiteral("&Paisagem"), orientacao);
    RbPaisagem->setObjectName(QStringLiteral("RbPaisagem"));
    (inicial.Orientacao == TOrientacao::Paisagem ? RbPaisagem : RbRetrato)->setChecked(true);
    auto* colunaOrientacao = new QVBoxLayout(orientacao);
    colunaOrientacao->addWidget(RbRetrato);
    colunaOrientacao->addWidget(RbPaisagem);

    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botoes->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* linha = new QHBoxLayout;
    linha->addWidget(papel, 1);
    linha->addWidget(orientacao);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(impressora);
    layout->addLayout(linha);
    layout->addWidget(botoes);

    PreenchePapeis(inicial.CodigoPapel);
    connect(CbImpressora, &QComboBox::currentIndexChanged, this,
            [this] { PreenchePapeis(CbPapel->currentData().toInt()); });
}

void TDialogoConfiguraImpressora::PreenchePapeis(int codigoDesejado)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(CbImpressora->currentText());
    const QList<int> codigos = CodigosOferecidos(info.supportedPageSizes());
    if (!codigos.contains(codigoDesejado))
        codigoDesejado = TPapel::CodigoDoTamanho(info.defaultPageSize().id());
    CbPapel->clear();
    for (int codigo : codigos) {
        CbPapel->addItem(QPageSize::name(TPapel::TamanhoDoCodigo(codigo)), codigo);
        if (codigo == codigoDesejado)
            CbPapel->setCurrentIndex(CbPapel->count() - 1);
    }
}

TEscolhaImpressora TDialogoConfiguraImpressora::Escolha() const
{
    TEscolhaImpressora escolha;
    escolha.Nome = CbImpressora->currentText();
    escolha.CodigoPapel = CbPapel->currentData().toInt();
    escolha.Orientacao = RbPaisagem->isChecked() ? TOrientacao::Paisagem : TOrientacao::Retrato;
    return escolha;
}
