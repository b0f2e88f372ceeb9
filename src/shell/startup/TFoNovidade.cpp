#include "shell/startup/TFoNovidade.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/common/ContextoAjuda.h"
#include "shell/startup/TFormN.h"
#include "shell/common/TDmGeral.h"

namespace {

const QColor Verde(0, 255, 0);       // lime
const QColor Azulado(0, 128, 128);   // teal
const QColor Marinho(0, 0, 128);

struct TTopico {
    const char* Legenda;
    const char* Texto;
    const char* Complemento;   // after an empty line; topic 2 only
};

const TTopico Topicos[TFoNovidade::NumTopicos] = {
    {"Utilização do número do recibo",
     "Para a gravação de declarações retificadoras, a partir do ano-calendário 2002, será necessária a informação do "
     "número do recibo da última declaração entregue.",
     nullptr},
    {"Extrato do Processamento",
     "O resultado do processamento da declaração poderá ser consultado na página da Morvex Federal na Internet, no "
     "prazo de 7 dias após a entrega, com o código de acesso formado pelo CNPJ/CPF do declarante e pelo número do "
     "recibo de entrega.",
     "IMPORTANTE: Essa opção somente estará disponível para declarações referentes aos anos-calendário 2002 e 2003 "
     "(extinção, encerramento de espólio, saída definitiva do país)."},
    {"Rendimentos sem retenção",
     "Para as pessoas obrigadas a apresentar a Pruv, também deverão ser informados os rendimentos do trabalho não "
     "assalariado, aluguéis, royalties ou benefícios de previdência privada, acima de R$ 6.000,00, pagos durante o "
     "ano-calendário, ainda que não tenham sofrido retenção.",
     nullptr},
    {"Apenas uma declaração por arquivo",
     "O Programa não permitirá a gravação de declarações com mais de um estabelecimento no mesmo arquivo.", nullptr},
    {"Impressão do Recibo",
     "O recibo de entrega, de declarações gravadas em disquete ou no disco rígido, somente será impresso após sua "
     "transmissão. ",
     nullptr},
    {"Declarações retificadoras",
     "Para os anos-calendário 1999 , 2000, 2001, 2002 e 2003,  a  Pruv retificadora deverá conter todos os códigos e "
     "beneficiários anteriormente informados pelo declarante (com alterações ou não) e os códigos e  beneficiários a "
     "serem adicionados.  Os códigos e beneficiários a serem excluídos não deverão ser informados.",
     nullptr},
    {"Anos-calendário entregues neste programa",
     "Este programa servirá para gravar declarações dos anos-calendário 1997 a 2002. O ano-calendário 2003 deve se "
     "referir a declarações de extinção/espólio/saída definitiva.",
     nullptr},
    {"Transmissão de declarações de Extinção",
     "As declarações de extinção, a partir de 2003, poderão também ser transmitidas pela Internet.", nullptr},
    {"Alterações de códigos para ano-calendário 2002",
     "Ato Declaratório Executivo Vimbe nº 9, de 16 de janeiro de 2002, divulga códigos de arrecadação do Imposto de "
     "Renda Retido na Fonte, para os casos que especifica. Ver detalhes no Ajuda do programa.",
     nullptr},
};

void Colore(QWidget* controle, QPalette::ColorRole papel, const QColor& cor)
{
    QPalette paleta = controle->palette();
    paleta.setColor(papel, cor);
    controle->setPalette(paleta);
}

TFoNovidade* Existente = nullptr;

}   // namespace

QString TFoNovidade::Legenda(int n)
{
    return n >= 1 && n <= NumTopicos ? QString::fromUtf8(Topicos[n - 1].Legenda) : QString();
}

QString TFoNovidade::TextoBalao(int n)
{
    if (n < 1 || n > NumTopicos)
        return {};
    const TTopico& t = Topicos[n - 1];
    QString texto = QString::fromUtf8(t.Texto);
    if (t.Complemento)
        texto += QStringLiteral("\n\n") + QString::fromUtf8(t.Complemento);
    return texto;
}

TFoNovidade::TFoNovidade(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FoNovidade"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Dicas"));
    setMouseTracking(true);

    auto* figura = new QLabel(this);
    figura->setObjectName(QStringLiteral("Image1"));
    figura->setPixmap(TDmGeral::IlCor(TImagem::Ajuda).scaled(TDmGeral::Tamanho * 2));
    figura->setAlignment(Qt::AlignTop);

    auto* titulo = new QLabel(QStringLiteral("Dicas da Pruv 2003"), this);
    QFont fonteTitulo(QStringLiteral("Arial"));
    fonteTitulo.setPixelSize(16);
    fonteTitulo.setBold(true);
    titulo->setFont(fonteTitulo);
    Colore(titulo, QPalette::WindowText, Marinho);

    auto* grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(6);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(13);
    for (int n = 1; n <= NumTopicos; ++n) {
        auto* forma = new QLabel(this);
        forma->setObjectName(QStringLiteral("Shape%1").arg(n));
        forma->setFixedSize(12, 12);
        forma->setAutoFillBackground(true);
        auto* rotulo = new QLabel(Legenda(n), this);
        rotulo->setObjectName(QStringLiteral("Label%1").arg(n));
        rotulo->setFont(fonte);
        rotulo->setCursor(Qt::PointingHandCursor);
        Formas[static_cast<std::size_t>(n - 1)] = forma;
        Rotulos[static_cast<std::size_t>(n - 1)] = rotulo;
        grade->addWidget(forma, n - 1, 0, Qt::AlignVCenter);
        grade->addWidget(rotulo, n - 1, 1, Qt::AlignLeft | Qt::AlignVCenter);
        PintaTopico(n, false);
    }
    grade->setColumnStretch(1, 1);

    BbFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    BbFechar->setObjectName(QStringLiteral("BbFechar"));
    connect(BbFechar, &QPushButton::clicked, this, &QDialog::accept);

    auto* coluna = new QVBoxLayout;
    coluna->addWidget(titulo);
    coluna->addSpacing(8);
    coluna->addLayout(grade);
    coluna->addStretch();
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BbFechar);
    coluna->addLayout(botoes);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addWidget(figura, 0, Qt::AlignTop);
    layout->addLayout(coluna, 1);

    // The mouse over any part of the window, a caption or a shape, comes here.
    for (QWidget* filho : findChildren<QWidget*>()) {
        filho->setMouseTracking(true);
        filho->installEventFilter(this);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(IntervaloPisca);
    connect(Timer1, &QTimer::timeout, this, &TFoNovidade::Pisca);
    Timer1->start();
}

TFoNovidade::~TFoNovidade()
{
    LiberaBalao();
}

int TFoNovidade::TopicoEm(const QPoint& ponto) const
{
    for (int n = 1; n <= NumTopicos; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        if (Rotulos[i]->geometry().contains(ponto) || Formas[i]->geometry().contains(ponto))
            return n;
    }
    return 0;
}

void TFoNovidade::PintaTopico(int n, bool aceso)
{
    const auto i = static_cast<std::size_t>(n - 1);
    Colore(Formas[i], QPalette::Window, aceso ? Verde : Azulado);
    QFont fonte = Rotulos[i]->font();
    fonte.setUnderline(aceso);
    Rotulos[i]->setFont(fonte);
    // Topic 9 keeps blinking whatever the mouse does.
    if (n != NumTopicos || aceso)
        Colore(Rotulos[i], QPalette::WindowText, aceso ? Marinho : Qt::black);
}

void TFoNovidade::MoveMouse(const QPoint& ponto)
{
    const int topico = TopicoEm(ponto);
    if (topico == FTopicoAtual)
        return;
    if (topico == 0) {
        for (int n = 1; n <= NumTopicos; ++n)
            PintaTopico(n, false);
    } else {
        if (FTopicoAtual > 0)
            PintaTopico(FTopicoAtual, false);
        PintaTopico(topico, true);
    }
    FTopicoAtual = topico;
}

void TFoNovidade::Clica(const QPoint& ponto)
{
    LiberaBalao();
    MoveMouse(ponto);
    if (FTopicoAtual <= 0)
        return;
    FBalao = new TFormN(this);
    FBalao->DefineTexto(TextoBalao(FTopicoAtual));
    FBalao->layout()->activate();   // placed at the size it shows with, the memo's least height included
    const QScreen* tela = screen();
    const QRect visivel = tela ? tela->availableGeometry() : QRect(QPoint(0, 0), QSize(1 << 15, 1 << 15));
    const QRect fechar(BbFechar->mapToGlobal(QPoint(0, 0)), BbFechar->size());
    FBalao->move(TFormN::Posicao(mapToGlobal(ponto), FBalao->size(), visivel, fechar));
    FBalao->show();
}

void TFoNovidade::LiberaBalao()
{
    if (FBalao) {
        FBalao->close();
        delete FBalao.data();
    }
}

void TFoNovidade::Pisca()
{
    FPiscaAceso = !FPiscaAceso;
    Colore(Rotulos[NumTopicos - 1], QPalette::WindowText,
           FTopicoAtual == NumTopicos ? Marinho : (FPiscaAceso ? Verde : QColor(Qt::black)));
}

bool TFoNovidade::TeclaDoBalao(QEvent* evento)
{
    if (!BalaoAberto())
        return false;
    if (evento->type() == QEvent::ShortcutOverride) {
        evento->accept();
        return true;
    }
    if (evento->type() == QEvent::KeyPress) {
        // A modifier alone is the first half of a key; the whole key closes the balloon.
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla != Qt::Key_Shift && tecla != Qt::Key_Control && tecla != Qt::Key_Alt && tecla != Qt::Key_Meta
            && tecla != Qt::Key_AltGr)
            LiberaBalao();
        return true;
    }
    return false;
}

bool TFoNovidade::event(QEvent* evento)
{
    return TeclaDoBalao(evento) || QDialog::event(evento);
}

bool TFoNovidade::eventFilter(QObject* objeto, QEvent* evento)
{
    if (TeclaDoBalao(evento))
        return true;
    auto* controle = qobject_cast<QWidget*>(objeto);
    if (controle && controle != BbFechar) {
        if (evento->type() == QEvent::MouseMove) {
            MoveMouse(controle->mapTo(this, static_cast<QMouseEvent*>(evento)->position().toPoint()));
        } else if (evento->type() == QEvent::MouseButtonPress) {
            Clica(controle->mapTo(this, static_cast<QMouseEvent*>(evento)->position().toPoint()));
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFoNovidade::mouseMoveEvent(QMouseEvent* evento)
{
    MoveMouse(evento->position().toPoint());
}

void TFoNovidade::mousePressEvent(QMouseEvent* evento)
{
    Clica(evento->position().toPoint());
}

void TFoNovidade::keyPressEvent(QKeyEvent*)
{
    LiberaBalao();
    close();
}

void TFoNovidade::changeEvent(QEvent* evento)
{
    QDialog::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        LiberaBalao();
}

void MostraNovidades(QWidget* Dono)
{
    if (Existente)
        return;
    TFoNovidade janela(Dono);
    Existente = &janela;
    janela.exec();
    Existente = nullptr;
}
