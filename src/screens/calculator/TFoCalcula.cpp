#include "screens/calculator/TFoCalcula.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "shell/common/ContextoAjuda.h"
#include "model/values/TDragMonetario.h"
#include "platform/widgets/controls/TCustomEdit.h"
#include "platform/ui/SobreODono.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"
#include "screens/fields/TArrasteMonetario.h"
#include "screens/calculator/TCLEDLabel.h"

namespace {

QPointer<TFoCalcula>& Janela()
{
    static QPointer<TFoCalcula> janela;
    return janela;
}

}   // namespace

void MostraCalculadora()
{
    if (Janela())
        return;
    // A tool window of the window that asked (the main window): it goes when that one goes.
    QWidget* dono = QApplication::activeWindow();
    Janela() = new TFoCalcula(dono);
    // Centred on the window that asked, as the system would place it, but whole on the screen.
    const QScreen* tela = dono ? dono->screen() : QGuiApplication::primaryScreen();
    if (tela) {
        // Before the first show the frame is not known: the window manager's border is guessed.
        Janela()->ensurePolished();
        Janela()->layout()->activate();
        const QSize moldura = Janela()->size() + QSize(2, 30);
        const QRect centro = dono ? dono->frameGeometry() : tela->availableGeometry();
        Janela()->move(TFoCalcula::Posicao(centro, moldura, tela->availableGeometry()));
    }
    Janela()->show();
    // Shown, its frame is known: moved back into the screen where the guess fell short.
    if (tela) {
        const QRect moldura = Janela()->frameGeometry();
        const QPoint lugar = TFoCalcula::Posicao(moldura, moldura.size(), tela->availableGeometry());
        if (lugar != moldura.topLeft())
            Janela()->move(lugar);
    }
    // Shown as the user asked for it: in front and taking the keys, whatever the window manager
    // does with a new tool window.
    Janela()->raise();
    Janela()->activateWindow();
}

TFoCalcula* TFoCalcula::Aberta()
{
    return Janela().data();
}

QPoint TFoCalcula::Posicao(const QRect& dono, const QSize& moldura, const QRect& tela)
{
    return CentroSobre(dono, moldura, tela);
}

TFoCalcula::TFoCalcula(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FoCalcula"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Calculadora"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);

    PaDisplay = new QFrame(this);
    PaDisplay->setObjectName(QStringLiteral("PaDisplay"));
    PaDisplay->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PaDisplay->setToolTip(
        QStringLiteral("Clique e arraste com mouse o valor do visor para o campo onde se deseja transportar o valor."));
    PaDisplay->setAcceptDrops(true);
    PaDisplay->setAutoFillBackground(true);
    QPalette fundo = PaDisplay->palette();
    fundo.setColor(QPalette::Window, fundo.color(QPalette::Base));
    PaDisplay->setPalette(fundo);
    LlDisplay = new TCLEDLabel(PaDisplay);
    LlDisplay->setObjectName(QStringLiteral("LlDisplay"));
    LlDisplay->setFixedSize(209, 30);
    LlDisplay->SetBorderGap(1);
    LlDisplay->SetOnColor(palette().color(QPalette::WindowText));
    LlDisplay->SetOffColor(fundo.color(QPalette::Base));
    LlDisplay->SetBackGroundColor(fundo.color(QPalette::Base));
    const auto indicador = [this](const char* nome, const QString& texto) {
        auto* l = new QLabel(texto, PaDisplay);
        l->setObjectName(QString::fromLatin1(nome));
        l->setVisible(false);
        return l;
    };
    LbMemoria = indicador("LbMemoria", QStringLiteral("M"));
    LbSom = indicador("LbSom", QStringLiteral("+"));
    LbSub = indicador("LbSub", QStringLiteral("--"));
    LbMult = indicador("LbMult", QStringLiteral("x"));
    LbDiv = indicador("LbDiv", QStringLiteral("/"));
    auto* indicadores = new QVBoxLayout;
    indicadores->setSpacing(0);
    auto* linha1 = new QHBoxLayout;
    linha1->addWidget(LbMemoria);
    linha1->addStretch();
    auto* linha2 = new QHBoxLayout;
    for (QLabel* l : {LbSom, LbSub, LbMult, LbDiv})
        linha2->addWidget(l);
    indicadores->addLayout(linha1);
    indicadores->addLayout(linha2);
    auto* visor = new QHBoxLayout(PaDisplay);
    visor->setContentsMargins(4, 4, 4, 4);
    visor->addLayout(indicadores);
    visor->addStretch();
    visor->addWidget(LlDisplay);
    PaDisplay->installEventFilter(this);
    LlDisplay->installEventFilter(this);

    auto* teclas = new QGridLayout;
    teclas->setSpacing(3);
    const struct {
        const char* nome;
        const char* legenda;
        int linha, coluna;
    } botoes[] = {
        {"BtMC", "MC", 0, 0}, {"BtMR", "MR", 0, 1},     {"BtMSub", "M--", 0, 2},   {"BtMSom", "M+", 0, 3},
        {"BtAC", "AC", 0, 4}, {"Bt7", "7", 1, 0},       {"Bt8", "8", 1, 1},        {"Bt9", "9", 1, 2},
        {"BtDiv", "/", 1, 3}, {"BtCE", "CE", 1, 4},     {"Bt4", "4", 2, 0},        {"Bt5", "5", 2, 1},
        {"Bt6", "6", 2, 2},   {"BtMul", "x", 2, 3},     {"BtSinal", "+/--", 2, 4}, {"Bt1", "1", 3, 0},
        {"Bt2", "2", 3, 1},   {"Bt3", "3", 3, 2},       {"BtSub", "--", 3, 3},     {"BtRes", "=", 3, 4},
        {"Bt0", "0", 4, 0},   {"BtVirgula", ",", 4, 1}, {"BtSom", "+", 4, 3},
    };
    for (const auto& b : botoes) {
        auto* botao = new QPushButton(QString::fromUtf8(b.legenda), this);
        botao->setObjectName(QString::fromLatin1(b.nome));
        botao->setFocusPolicy(Qt::NoFocus);
        botao->setFixedSize(40, 26);
        teclas->addWidget(botao, b.linha, b.coluna);
        const QString nome = QString::fromLatin1(b.nome);
        connect(botao, &QPushButton::clicked, this, [this, nome] {
            Executa([this, nome] {
                TCalculadora& c = FCalculadora;
                if (nome.size() == 3 && nome.at(2).isDigit())
                    c.Digito(nome.at(2).unicode() - u'0');
                else if (nome == QLatin1String("BtVirgula"))
                    c.Virgula();
                else if (nome == QLatin1String("BtDiv"))
                    c.Operacao(u'/');
                else if (nome == QLatin1String("BtMul"))
                    c.Operacao(u'x');
                else if (nome == QLatin1String("BtSub"))
                    c.Operacao(u'-');
                else if (nome == QLatin1String("BtSom"))
                    c.Operacao(u'+');
                else if (nome == QLatin1String("BtRes"))
                    c.Resultado();
                else if (nome == QLatin1String("BtAC"))
                    c.AC();
                else if (nome == QLatin1String("BtCE"))
                    c.CE();
                else if (nome == QLatin1String("BtSinal"))
                    c.TrocaSinal();
                else if (nome == QLatin1String("BtMC"))
                    c.MC();
                else if (nome == QLatin1String("BtMR"))
                    c.MR();
                else if (nome == QLatin1String("BtMSub"))
                    c.MSubtrai();
                else if (nome == QLatin1String("BtMSom"))
                    c.MSoma();
            });
        });
    }

    RbFixa2 = new QRadioButton(QStringLiteral("0,00"), this);
    RbFixa2->setObjectName(QStringLiteral("RbFixa2"));
    RbFixa4 = new QRadioButton(QStringLiteral("0,0000"), this);
    RbFixa4->setObjectName(QStringLiteral("RbFixa4"));
    RbLivre = new QRadioButton(QStringLiteral("&Livre"), this);
    RbLivre->setObjectName(QStringLiteral("RbLivre"));
    RbFixa2->setChecked(true);
    for (QRadioButton* rb : {RbFixa2, RbFixa4, RbLivre}) {
        // Tab reaches the choice and the arrows move it; the keys it does not take still reach
        // the calculator, and a click leaves the focus where it was.
        rb->setFocusPolicy(Qt::TabFocus);
        connect(rb, &QRadioButton::toggled, this, [this, rb](bool marcado) {
            if (!marcado)
                return;
            Executa([this, rb] {
                FCalculadora.SetCasas(rb == RbFixa2       ? TCalculadora::TCasas::Fixa2
                                          : rb == RbFixa4 ? TCalculadora::TCasas::Fixa4
                                                          : TCalculadora::TCasas::Livre);
            });
        });
    }
    auto* transportar = new QPushButton(QStringLiteral("&Transportar"), this);
    transportar->setObjectName(QStringLiteral("BtTransportar"));
    transportar->setFocusPolicy(Qt::NoFocus);
    transportar->setToolTip(
        QStringLiteral("Após acionar este botão, clique no campo para onde o valor do visor deve ser transportado."));
    connect(transportar, &QPushButton::clicked, this, [this] { Executa([this] { Transporta(); }); });

    MeFita = new QPlainTextEdit(this);
    MeFita->setObjectName(QStringLiteral("MeFita"));
    MeFita->setReadOnly(true);
    MeFita->setFocusPolicy(Qt::NoFocus);
    MeFita->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    MeFita->setFixedWidth(170);

    auto* casas = new QHBoxLayout;
    casas->addWidget(RbFixa2);
    casas->addWidget(RbFixa4);
    casas->addWidget(RbLivre);
    casas->addStretch();
    casas->addWidget(transportar);
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(PaDisplay);
    esquerda->addLayout(teclas);
    esquerda->addLayout(casas);
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(esquerda);
    tudo->addWidget(MeFita);
    setFixedSize(sizeHint());
    Mostra();
}

template <typename F> void TFoCalcula::Executa(F&& f)
{
    try {
        f();
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
    Mostra();
}

void TFoCalcula::Mostra()
{
    const TCalculadora& c = FCalculadora;
    LlDisplay->SetErro(c.Erro());
    LlDisplay->SetTexto(c.Visor());
    LlDisplay->SetOnColor(c.Negativo() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    LbMemoria->setVisible(c.MemoriaVisivel());
    LbSom->setVisible(c.Indicador() == u'+');
    LbSub->setVisible(c.Indicador() == u'-');
    LbMult->setVisible(c.Indicador() == u'x');
    LbDiv->setVisible(c.Indicador() == u'/');
    const auto& fita = c.Fita();
    for (; FLinhasNaFita < fita.size(); ++FLinhasNaFita) {
        const auto& l = fita[FLinhasNaFita];
        MeFita->appendPlainText(QStringLiteral("%1 %2").arg(l.Texto, 17).arg(l.Sinal));
    }
}

void TFoCalcula::Transporta()
{
    TArrasteMonetario::Inicia(std::make_unique<TDragMonetario>(FCalculadora.Entrada()), PaDisplay,
                              TArrasteMonetario::Clique);
}

void TFoCalcula::keyPressEvent(QKeyEvent* e)
{
    if (e->modifiers().testFlag(Qt::ControlModifier) && e->key() == Qt::Key_C) {
        QGuiApplication::clipboard()->setText(FCalculadora.Entrada());
        return;
    }
    if (e->modifiers().testFlag(Qt::ControlModifier) && e->key() == Qt::Key_V) {
        const QString colado = QGuiApplication::clipboard()->text();
        Executa([this, &colado] {
            for (const QChar c : colado)
                (void)FCalculadora.Tecla(c);
        });
        return;
    }
    const QChar c = TCustomEdit::CharOf(*e);
    bool tratada = false;
    if (!c.isNull())
        Executa([this, c, &tratada] { tratada = FCalculadora.Tecla(c); });
    if (!tratada)
        QWidget::keyPressEvent(e);
}

bool TFoCalcula::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto != PaDisplay && objeto != LlDisplay)
        return false;
    switch (evento->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(evento);
        FArraste.Pressiona(m->globalPosition().toPoint(), m->button() == Qt::LeftButton);
        return false;
    }
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(evento);
        if (FArraste.Partiu(m->globalPosition().toPoint(), m->buttons())) {
            Executa([this] {
                TArrasteMonetario::Inicia(std::make_unique<TDragMonetario>(FCalculadora.Entrada()), PaDisplay,
                                          TArrasteMonetario::Pressionado);
            });
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        FArraste.Solta();
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(evento);
        const bool outro = TArrasteMonetario::Origem() != PaDisplay;
        if (outro && qobject_cast<const TDragMonetario*>(d->mimeData()))
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(evento);
        const auto* dados = qobject_cast<const TDragMonetario*>(d->mimeData());
        if (!dados || TArrasteMonetario::Origem() == PaDisplay) {
            d->ignore();
            return true;
        }
        d->acceptProposedAction();
        const long double valor = static_cast<long double>(dados->Monetario().GetValor()) / TMonetario::Escala;
        Executa([this, valor] { FCalculadora.RecebeValor(valor); });
        return true;
    }
    default:
        return false;
    }
}
