#include "platform/ui/TDialogosQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace {

struct TDefinicaoBotao {
    std::uint16_t Bit;
    Resposta Resultado;
    const char* Legenda;
    QMessageBox::ButtonRole Papel;
};

// In the order they appear, as in the platform's standard message dialog.
constexpr TDefinicaoBotao definicoes[] = {
    {Botao::Sim, Resposta::Sim, "&Sim", QMessageBox::YesRole},
    {Botao::Nao, Resposta::Nao, "&Não", QMessageBox::NoRole},
    {Botao::Ok, Resposta::Ok, "OK", QMessageBox::AcceptRole},
    {Botao::Cancela, Resposta::Cancela, "Cancelar", QMessageBox::RejectRole},
    {Botao::Aborta, Resposta::Aborta, "&Anular", QMessageBox::RejectRole},
    {Botao::Repete, Resposta::Repete, "&Repetir", QMessageBox::AcceptRole},
    {Botao::Ignora, Resposta::Ignora, "&Ignorar", QMessageBox::AcceptRole},
    {Botao::Todos, Resposta::Todos, "&Todos", QMessageBox::YesRole},
    {Botao::NaoParaTodos, Resposta::NaoParaTodos, "N&ão para todos", QMessageBox::NoRole},
    {Botao::SimParaTodos, Resposta::SimParaTodos, "Sim para t&odos", QMessageBox::YesRole},
    {Botao::Ajuda, Resposta::Nenhuma, "&Ajuda", QMessageBox::HelpRole},
};

const char* const propriedadeResposta = "pruvResposta";

QString Titulo(TipoDialogo tipo)
{
    switch (tipo) {
    case TipoDialogo::Aviso:
        return QStringLiteral("Aviso");
    case TipoDialogo::Erro:
        return QStringLiteral("Erro");
    case TipoDialogo::Informacao:
        return QStringLiteral("Informação");
    case TipoDialogo::Confirmacao:
        return QStringLiteral("Confirmação");
    case TipoDialogo::Personalizado:
        break;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon Icone(TipoDialogo tipo)
{
    switch (tipo) {
    case TipoDialogo::Aviso:
        return QMessageBox::Warning;
    case TipoDialogo::Erro:
        return QMessageBox::Critical;
    case TipoDialogo::Informacao:
        return QMessageBox::Information;
    case TipoDialogo::Confirmacao:
        return QMessageBox::Question;
    case TipoDialogo::Personalizado:
        break;
    }
    return QMessageBox::NoIcon;
}

QAbstractButton* BotaoDe(const QMessageBox& caixa, Resposta resposta)
{
    for (QAbstractButton* b : caixa.buttons())
        if (b->property(propriedadeResposta).toInt() == static_cast<int>(resposta))
            return b;
    return nullptr;
}

}   // namespace

TDialogosQt::TDialogosQt(QWidget* pai, PedidoDeAjuda ajuda)
    : FPai(pai)
    , FAjuda(std::move(ajuda))
{}

void TDialogosQt::Monta(QMessageBox& caixa, const TMensagemDialogo& mensagem)
{
    // A message has the size of its text: the window manager offers no maximise button.
    caixa.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // A window kept above the others (the pending items) would hide the question under it.
    for (const QWidget* janela : QApplication::topLevelWidgets())
        if (janela != &caixa && janela->isVisible() && janela->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            caixa.setWindowFlag(Qt::WindowStaysOnTopHint);
            break;
        }
    caixa.setWindowTitle(Titulo(mensagem.Tipo));
    caixa.setIcon(Icone(mensagem.Tipo));
    caixa.setText(mensagem.Texto);
    caixa.setTextFormat(Qt::PlainText);
    // F1 in the message opens its help, as its Help button does; the property is the one the
    // program's help reads from any window.
    if (mensagem.HelpCtx > 0)
        caixa.setProperty("HelpContext", mensagem.HelpCtx);

    std::uint16_t botoes = mensagem.Botoes;
    if ((botoes & ~Botao::Ajuda) == 0)
        botoes |= Botao::Ok;   // a dialog must have a way out
    for (const auto& d : definicoes) {
        if ((botoes & d.Bit) == 0)
            continue;
        QPushButton* b = caixa.addButton(QString::fromUtf8(d.Legenda), d.Papel);
        b->setProperty(propriedadeResposta, static_cast<int>(d.Resultado));
    }

    // Enter takes the button asked for, else the first of OK and Yes; Escape the first of Cancel,
    // No and OK.
    for (Resposta r : {mensagem.Padrao, Resposta::Ok, Resposta::Sim})
        if (QAbstractButton* b = r == Resposta::Nenhuma ? nullptr : BotaoDe(caixa, r)) {
            caixa.setDefaultButton(qobject_cast<QPushButton*>(b));
            break;
        }
    for (Resposta r : {Resposta::Cancela, Resposta::Nao, Resposta::Ok})
        if (QAbstractButton* b = BotaoDe(caixa, r)) {
            caixa.setEscapeButton(b);
            break;
        }
}

Resposta TDialogosQt::RespostaDoBotao(const QMessageBox& caixa)
{
    const QAbstractButton* b = caixa.clickedButton();
    return b ? static_cast<Resposta>(b->property(propriedadeResposta).toInt()) : Resposta::Nenhuma;
}

Resposta TDialogosQt::Mostra(const TMensagemDialogo& mensagem)
{
    QMessageBox caixa(FPai);
    Monta(caixa, mensagem);
    for (;;) {
        caixa.exec();
        QAbstractButton* b = caixa.clickedButton();
        if (b && caixa.buttonRole(b) == QMessageBox::HelpRole) {
            if (FAjuda)
                FAjuda(mensagem.HelpCtx, &caixa);
            continue;   // help is not an answer
        }
        return RespostaDoBotao(caixa);
    }
}
