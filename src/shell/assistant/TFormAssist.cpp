#include "shell/assistant/TFormAssist.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QTextEdit>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <stdexcept>

#include "shell/common/ContextoAjuda.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/FocaPrimeiro.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TFoAjuda.h"
#include "platform/widgets/keyboard/TOrdemTab.h"
#include "platform/widgets/windows/TMinimoDoProjeto.h"

namespace {

constexpr int LarguraForm = 524;
constexpr int AlturaForm = 240;
constexpr int AlturaInferior = 41;
constexpr int AlturaBevel = 8;
constexpr int LarguraDireita = 340;
constexpr int LarguraEsquerda = 137;
constexpr QSize TamanhoBotao(90, 24);
// What a window manager's title bar takes besides the caption: the icon, the buttons, the margins.
constexpr int MargemTitulo = 160;

QPushButton* CriaBotao(QWidget* pai, const char* nome, const QString& texto)
{
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QLatin1String(nome));
    botao->setFixedSize(TamanhoBotao);
    return botao;
}

// A small picture of the Concluir button, which the final pages show in their text.
QPixmap FiguraFechar()
{
    QPixmap figura(44, 18);
    figura.fill(Qt::transparent);
    QPainter pintor(&figura);
    pintor.setPen(QColor(Qt::white));
    pintor.setBrush(QColor(192, 192, 192));
    pintor.drawRect(0, 0, 43, 17);
    pintor.setPen(QColor(Qt::black));
    pintor.drawLine(43, 0, 43, 17);
    pintor.drawLine(0, 17, 43, 17);
    QFont fonte = pintor.font();
    fonte.setPixelSize(9);
    pintor.setFont(fonte);
    pintor.drawText(QRect(0, 0, 44, 18), Qt::AlignCenter, QStringLiteral("Concluir"));
    return figura;
}

}   // namespace

TFormAssist::TFormAssist(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("FormAssist"));
    setWindowTitle(QStringLiteral("FormAssist"));
    resize(LarguraForm, AlturaForm);
    new TMinimoDoProjeto(*this);

    PnPaginas = new QWidget(this);
    PnPaginas->setObjectName(QStringLiteral("PnPaginas"));
    auto* areaPaginas = new QGridLayout(PnPaginas);
    areaPaginas->setContentsMargins(0, 0, 0, 0);

    ImgFechar = new QLabel(PnPaginas);
    ImgFechar->setObjectName(QStringLiteral("ImgFechar"));
    ImgFechar->setPixmap(FiguraFechar());
    ImgFechar->setFixedSize(44, 18);
    ImgFechar->setAttribute(Qt::WA_TranslucentBackground);
    ImgFechar->hide();

    PnInferior = new QFrame(this);
    PnInferior->setObjectName(QStringLiteral("PnInferior"));
    PnInferior->setFixedHeight(AlturaInferior);
    PnInferior->setFrameShape(QFrame::NoFrame);

    Bevel1 = new QFrame(PnInferior);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(AlturaBevel);

    PnEsquerda = new QWidget(PnInferior);
    PnEsquerda->setObjectName(QStringLiteral("PnEsquerda"));
    PnEsquerda->setFixedWidth(LarguraEsquerda);
    PnDireita = new QWidget(PnInferior);
    PnDireita->setObjectName(QStringLiteral("PnDireita"));
    PnDireita->setFixedWidth(LarguraDireita);

    CancelBtn = CriaBotao(PnEsquerda, "CancelBtn", QStringLiteral("&Cancelar"));
    BtnRetornar = CriaBotao(PnDireita, "BtnRetornar", QStringLiteral("&Voltar"));
    BtnRetornar->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    BtnRetornar->setEnabled(false);
    BtnAvancar = CriaBotao(PnDireita, "BtnAvancar", QStringLiteral("&Avançar"));
    BtnAvancar->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    BtnAvancar->setLayoutDirection(Qt::RightToLeft);   // the arrow to the right of the caption
    BtnAvancar->setDefault(true);
    BtnOK = CriaBotao(PnDireita, "BtnOK", QStringLiteral("C&oncluir"));

    auto* esquerda = new QHBoxLayout(PnEsquerda);
    esquerda->setContentsMargins(8, 0, 0, 6);
    esquerda->addWidget(CancelBtn, 0, Qt::AlignLeft | Qt::AlignBottom);
    auto* direita = new QHBoxLayout(PnDireita);
    direita->setContentsMargins(0, 0, 8, 6);
    direita->addStretch();
    for (QPushButton* botao : {BtnRetornar, BtnAvancar, BtnOK})
        direita->addWidget(botao, 0, Qt::AlignBottom);

    auto* linhaBotoes = new QHBoxLayout;
    linhaBotoes->setContentsMargins(0, 0, 0, 0);
    linhaBotoes->addWidget(PnEsquerda);
    linhaBotoes->addStretch();
    linhaBotoes->addWidget(PnDireita);
    auto* inferior = new QVBoxLayout(PnInferior);
    inferior->setContentsMargins(0, 0, 0, 0);
    inferior->setSpacing(0);
    inferior->addWidget(Bevel1);
    inferior->addLayout(linhaBotoes, 1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addWidget(PnPaginas, 1);
    form->addWidget(PnInferior);

    // The assistant is modal: the main window's F1 cannot reach it, so it has its own.
    auto* ajuda = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(ajuda, &QShortcut::activated, this, &TFormAssist::MostraAjuda);

    connect(BtnRetornar, &QPushButton::clicked, this, &TFormAssist::BtnRetornarClick);
    connect(BtnAvancar, &QPushButton::clicked, this, &TFormAssist::BtnAvancarClick);
    connect(BtnOK, &QPushButton::clicked, this, &TFormAssist::BtnOKClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFormAssist::CancelBtnClick);
}

TFormAssist::~TFormAssist() = default;

int TFormAssist::LarguraParaTitulo(const QString& titulo, const QFont& fonte)
{
    // Title bars commonly draw the caption in bold.
    QFont negrito(fonte);
    negrito.setBold(true);
    return QFontMetrics(negrito).horizontalAdvance(titulo) + MargemTitulo;
}

void TFormAssist::changeEvent(QEvent* evento)
{
    QDialog::changeEvent(evento);
    // The window manager cuts a caption wider than the window: the window grows with it.
    if (evento->type() == QEvent::WindowTitleChange) {
        const int largura = LarguraParaTitulo(windowTitle(), font());
        if (width() < largura)
            resize(largura, height());
    }
}

void TFormAssist::keyPressEvent(QKeyEvent* evento)
{
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (enter && !(evento->modifiers() & ~Qt::KeypadModifier) && !qobject_cast<QPushButton*>(focusWidget())) {
        for (QPushButton* botao : {BtnAvancar, BtnOK})
            if (botao->isEnabled() && botao->isVisible()) {
                evento->accept();
                botao->click();
                return;
            }
    }
    QDialog::keyPressEvent(evento);
}

void TFormAssist::MostraAjuda()
{
    const QWidget* foco = focusWidget();
    EstadoPrograma::ContextoAjuda = ObtemHelpContext(foco ? foco : this);
    TFoAjuda::Mostra(EstadoPrograma::ContextoAjuda, this);
}

int TFormAssist::ExibeModal()
{
    if (ModalResult() != 0)
        return ModalResult();
    BotoesAoFimDaTabulacao();   // controls a page took after it was given
    exec();
    // Closed by anything else than the stepping (the application quitting): a cancel.
    return ModalResult() != 0 ? ModalResult() : mrCancel;
}

QWidget* TFormAssist::Pagina(int n) const
{
    return n >= 1 && n <= MaxEstados ? FPaginas[static_cast<std::size_t>(n)] : nullptr;
}

void TFormAssist::DefinePagina(int n, QWidget* painel)
{
    if (n < 1 || n > MaxEstados || !painel)
        throw std::logic_error("assistant page out of 1..15");
    painel->setParent(PnPaginas);
    static_cast<QGridLayout*>(PnPaginas->layout())->addWidget(painel, 0, 0);
    painel->hide();
    FPaginas[static_cast<std::size_t>(n)] = painel;
    BotoesAoFimDaTabulacao();
}

void TFormAssist::BotoesAoFimDaTabulacao()
{
    const QList<QWidget*> botoes = {CancelBtn, BtnRetornar, BtnAvancar, BtnOK};
    QWidget* ultimo = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (!botoes.contains(w))
            ultimo = w;
    if (!ultimo)
        return;
    for (QWidget* botao : botoes) {
        setTabOrder(ultimo, botao);
        ultimo = botao;
    }
}

void TFormAssist::DefineBotoes(bool Retornar, bool Avancar, bool Ok, bool Cancelar)
{
    BtnRetornar->setEnabled(Retornar);
    BtnAvancar->setEnabled(Avancar);
    BtnOK->setEnabled(Ok);
    CancelBtn->setEnabled(Cancelar);
}

void TFormAssist::MostraFechar(bool Fechar)
{
    BtnOK->setText(Fechar ? QStringLiteral("&Fechar") : QStringLiteral("C&oncluir"));
    BtnOK->setIcon(Fechar ? style()->standardIcon(QStyle::SP_DialogCloseButton) : QIcon());
}

namespace {

// A control the user chooses or types in: not a command button, nor a text only shown.
bool EhOpcaoOuCampo(const QWidget& w)
{
    if (qobject_cast<const QPushButton*>(&w) || qobject_cast<const QToolButton*>(&w))
        return false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(&w))
        return !edit->isReadOnly();
    if (const auto* texto = qobject_cast<const QPlainTextEdit*>(&w))
        return !texto->isReadOnly();
    if (const auto* rico = qobject_cast<const QTextEdit*>(&w))
        return !rico->isReadOnly();
    return true;
}

// Tab stops there. Qt leaves Tab only on the radio button of a group that last took the focus: the
// one checked after that one was greyed still counts.
bool PegaTab(const QWidget& w)
{
    if ((w.focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
        return true;
    const auto* radio = qobject_cast<const QRadioButton*>(&w);
    return radio && radio->isChecked() && w.focusPolicy() != Qt::NoFocus;
}

// A radio group is entered on its checked option, as Tab enters it.
QWidget* OpcaoMarcada(QWidget& w)
{
    auto* opcao = qobject_cast<QRadioButton*>(&w);
    if (!opcao || opcao->isChecked() || !opcao->autoExclusive() || !opcao->parentWidget())
        return &w;
    for (QRadioButton* irma : opcao->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (irma->isChecked() && irma->isVisibleTo(opcao->parentWidget()) && irma->isEnabled())
            return irma;
    return &w;
}

}   // namespace

void TFormAssist::ExibePagina(int n)
{
    if (QWidget* atual = Pagina(PaginaAtual()); atual && PaginaAtual() != n)
        atual->hide();
    if (QWidget* nova = Pagina(n)) {
        nova->show();
        FocaPrimeiroCampo(*nova);
    }
    SetPaginaAtual(n);
}

void TFormAssist::FocaBotoes()
{
    const QWidget* pagina = Pagina(PaginaAtual());
    if (const QWidget* foco = focusWidget();
        pagina && foco && pagina->isAncestorOf(foco) && foco->isEnabled() && foco->isVisibleTo(pagina))
        return;
    FocaPrimeiro(BtnAvancar, BtnOK, BtnRetornar, CancelBtn);
}

void TFormAssist::FocaPrimeiroCampo(QWidget& pagina)
{
    // The first as the eye reads the page, whatever order the controls were made in.
    if (pagina.layout())
        pagina.layout()->activate();
    QList<QWidget*> campos;
    QList<QRect> lugares;
    for (QWidget* w = pagina.nextInFocusChain(); w && w != &pagina; w = w->nextInFocusChain())
        if (pagina.isAncestorOf(w) && w->isVisibleTo(&pagina) && w->isEnabled() && PegaTab(*w) && EhOpcaoOuCampo(*w)) {
            campos << w;
            lugares << QRect(w->mapTo(&pagina, QPoint(0, 0)), w->size());
        }
    FFocoDaPagina = nullptr;
    if (const QList<int> ordem = TOrdemTab::OrdemDeLeitura(lugares); !ordem.isEmpty()) {
        FFocoDaPagina = OpcaoMarcada(*campos[ordem.front()]);
        FFocoDaPagina->setFocus(Qt::TabFocusReason);
    }
}

void TFormAssist::Processa()
{
    TAssistente::Processa();
    QWidget* pagina = Pagina(PaginaAtual());
    if (ModalResult() != 0 || !pagina || !FFocoDaPagina)
        return;
    const QWidget* foco = focusWidget();
    if (!FFocoDaPagina->isEnabled() || !foco || !pagina->isAncestorOf(foco))
        FocaPrimeiroCampo(*pagina);
}

void TFormAssist::Termina(int resultado)
{
    // Only hides the form and leaves the modal loop once the running handler returns; the form
    // itself lives on until the entry routine frees it.
    done(resultado);
}

void TFormAssist::reject()
{
    CancelBtnClick();
}

void TFormAssist::BtnRetornarClick()
{
    ExcecaoAplicacao::Protege([this] { Retorna(); });
}

void TFormAssist::BtnAvancarClick()
{
    ExcecaoAplicacao::Protege([this] { Avanca(BotaoAvancar); });
}

void TFormAssist::BtnOKClick()
{
    ExcecaoAplicacao::Protege([this] { Avanca(BotaoConcluir); });
}

void TFormAssist::CancelBtnClick()
{
    ExcecaoAplicacao::Protege([this] { Cancelar(); });
}
