#include "components/controls/edits/TdvMemoDlg.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "components/controls/edits/TdvMemoDialog.h"
#include "components/controls/edits/dvDialogButton.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

constexpr int LarguraBotaoDoUsuario = 89;
constexpr int AlturaBotaoDoUsuario = 26;

// Runs a handler of the form; nothing may unwind through the event loop.
template <typename F> void Protegido(F&& acao)
{
    try {
        acao();
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
    }
}

}   // namespace

TdvMemoDlg::TLayout TdvMemoDlg::LayoutFor(const QSize& cliente, int larguraBotao, bool somenteLeitura,
                                          bool comBotaoDoUsuario)
{
    const int larguraForm = cliente.width() + 2 * FrameWidth;
    const int alturaForm = cliente.height() + 2 * FrameWidth + CaptionHeight;
    const int larguraMemo = larguraForm - 20;
    const int alturaMemo = alturaForm - (2 * FrameWidth + CaptionHeight + 53);
    TLayout l;
    l.Memo = {6, 6, 6 + larguraMemo, 6 + alturaMemo};
    l.ButtonsTop = alturaMemo + 17;
    l.PanelTop = l.Memo.Bottom + 2;
    l.CancelLeft = larguraMemo - (larguraBotao + 20);
    if (somenteLeitura) {
        l.OkLeft = comBotaoDoUsuario ? l.Memo.Left + larguraMemo - larguraBotao - 25
                                     : l.Memo.Left + (larguraMemo - larguraBotao) / 2;
    } else {
        l.OkLeft = larguraMemo - 2 * (larguraBotao + 20);
        l.CancelVisible = true;
    }
    return l;
}

QSize TdvMemoDlg::ClientSizeFor(int largura, int altura)
{
    return {largura - 2 * FrameWidth, altura - 2 * FrameWidth - CaptionHeight};
}

TdvMemoDlg::TdvMemoDlg(QWidget* parent)
    : QDialog(parent)
    , Memo(new QPlainTextEdit(this))
    , UserButtonPanel(new QWidget(this))
    , UserButton1(new QPushButton(UserButtonPanel))
    , UserButton2(new QPushButton(UserButtonPanel))
{
    setWindowTitle(QStringLiteral("Dialog"));
    QFont fonte(QStringLiteral("Liberation Sans"), 8);
    fonte.setBold(true);
    setFont(fonte);
    resize(ClientSizeFor(DesignedWidth, DesignedHeight));
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setTabChangesFocus(false);
    Memo->installEventFilter(this);
    UserButtonPanel->hide();
    for (QPushButton* b : {UserButton1, UserButton2}) {
        b->resize(LarguraBotaoDoUsuario, AlturaBotaoDoUsuario);
        b->setAutoDefault(false);
        b->hide();
    }
    OKBtn = dvCreateDialogButton(this, TdvDialogButtonKind::bkOK);
    CancelBtn = dvCreateDialogButton(this, TdvDialogButtonKind::bkCancel);
    setTabOrder(Memo, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        Protegido([this] {
            OKBtnClick();
            done(Accepted);
        });
    });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { Protegido([this] { done(Rejected); }); });
    connect(UserButton1, &QPushButton::clicked, this, [this] { Protegido([this] { UserButton1Click(); }); });
    connect(UserButton2, &QPushButton::clicked, this, [this] { Protegido([this] { UserButton2Click(); }); });
}

void TdvMemoDlg::SetRequestedBounds(int left, int top, int right, int bottom)
{
    FLeft = left;
    FTop = top;
    FRight = right;
    FBottom = bottom;
}

void TdvMemoDlg::FormShow()
{
    if (FShownOnce)
        return;
    FShownOnce = true;
    FOKPressed = false;
    // Every property of the given font is set, so that none is taken from the form's own.
    QFont fonteMemo = FFont;
    fonteMemo.setWeight(FFont.weight());
    fonteMemo.setStyle(FFont.style());
    Memo->setFont(fonteMemo);
    setWindowTitle(FCaption);
    if ((FLeft == 0 && FTop == 0) || FLeft > 0 || FTop > 0)
        resize(ClientSizeFor(FRight - FLeft, FBottom - FTop));
    if (FLeft > 0 || FTop > 0)
        move(FLeft, FTop);
    if (FCentred) {
        if (const QScreen* tela = screen()) {
            const QSize fora = size() + QSize(2 * FrameWidth, 2 * FrameWidth + CaptionHeight);
            move(tela->geometry().center() - QPoint(fora.width() / 2, fora.height() / 2));
        }
    }
    if (!FSizeable)
        setFixedSize(size());
    ResizeControls();
    PlaceUserButtons();
    QFont fonteForm = font();
    const TdvFontStyles estilo = dvIntl().DialogFontStyle;
    fonteForm.setBold((estilo & fsBold) != 0);
    fonteForm.setItalic((estilo & fsItalic) != 0);
    fonteForm.setUnderline((estilo & fsUnderline) != 0);
    fonteForm.setStrikeOut((estilo & fsStrikeOut) != 0);
    setFont(fonteForm);
    if (FOwner) {
        FOwner->FDialog = this;
        FOwner->DoInitDialog();
    }
    Memo->document()->setModified(false);
    connect(Memo, &QPlainTextEdit::textChanged, this, [this] { MemoChange(); });
}

void TdvMemoDlg::PlaceUserButtons()
{
    int x = 10;
    int direita = 0;
    for (QPushButton* b : {UserButton1, UserButton2}) {
        if (b->text().isEmpty())
            continue;
        b->move(x, 2);
        b->show();
        direita = x + b->width();
        x = direita + 15;
    }
    if (direita == 0)
        return;
    UserButtonPanel->setGeometry(Memo->x() - 1, Memo->y() + Memo->height() + 2, direita + 10, AlturaBotaoDoUsuario + 4);
    UserButtonPanel->show();
}

void TdvMemoDlg::ResizeControls()
{
    const bool comBotao = !UserButton1->text().isEmpty() || !UserButton2->text().isEmpty();
    const TLayout l = LayoutFor(size(), OKBtn->width(), Memo->isReadOnly(), comBotao);
    Memo->setGeometry(l.Memo.ToQRect());
    OKBtn->move(l.OkLeft, l.ButtonsTop);
    CancelBtn->move(l.CancelLeft, l.ButtonsTop);
    if (UserButtonPanel->isVisibleTo(this))
        UserButtonPanel->move(UserButtonPanel->x(), l.PanelTop);
    if (l.CancelVisible)
        CancelBtn->show();
    OKBtn->show();
}

void TdvMemoDlg::MemoChange()
{
    OKBtn->setEnabled(true);
}

void TdvMemoDlg::OKBtnClick()
{
    FOKPressed = true;
    FResult = Accepted;
}

bool TdvMemoDlg::FormCloseQuery()
{
    bool podeFechar = true;
    if (Memo->document()->isModified() && !FOKPressed) {
        podeFechar = InterfaceUsuario::Mostra(dvIntl().UserMessages.MemoChangesWarning, TipoDialogo::Confirmacao,
                                              Botao::Sim | Botao::Nao)
            == Resposta::Sim;
        if (podeFechar)
            FResult = Rejected;
    } else if (FOKPressed && FResult != Accepted) {
        podeFechar = false;
    }
    FOKPressed = false;
    return podeFechar;
}

void TdvMemoDlg::done(int resultado)
{
    FResult = resultado;
    if (FormCloseQuery())
        QDialog::done(FResult);
}

void TdvMemoDlg::UserButton1Click()
{
    if (FOwner && FOwner->OnUserButton1Click)
        FOwner->OnUserButton1Click(this, Memo);
}

void TdvMemoDlg::UserButton2Click()
{
    if (FOwner && FOwner->OnUserButton2Click)
        FOwner->OnUserButton2Click(this, Memo);
}

void TdvMemoDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Protegido([this] { FormShow(); });
}

void TdvMemoDlg::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    ResizeControls();
}

bool TdvMemoDlg::eventFilter(QObject* objeto, QEvent* e)
{
    if (objeto != Memo || e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, e);
    const auto* tecla = static_cast<QKeyEvent*>(e);
    const bool enter = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
    if ((enter && (tecla->modifiers() & Qt::ControlModifier)) || tecla->key() == Qt::Key_F2) {
        Protegido([this] {
            OKBtnClick();
            done(Accepted);
        });
        return true;
    }
    if (tecla->key() == Qt::Key_Escape) {
        Protegido([this] { done(Rejected); });
        return true;
    }
    return QDialog::eventFilter(objeto, e);
}
