#include "shell/assistant/BotoesDialogo.h"

#include <QDialog>
#include <QPushButton>

#include "shell/assistant/TAssistente.h"
#include "shell/common/TFoAjuda.h"

TBotoesDialogo CriaBotoesDialogo(QDialog& Dialogo, const char* NomeOk, const char* NomeCancela, int HelpContext)
{
    constexpr int Largura = 75;
    constexpr int Altura = 25;
    constexpr int Passo = 83;
    constexpr int Margem = 8;
    const int topo = Dialogo.height() - Altura - 9;
    int esquerda = Dialogo.width() - Margem - Largura - 2 * Passo;
    auto botao = [&](const char* nome, const char* legenda) {
        auto* b = new QPushButton(QString::fromUtf8(legenda), &Dialogo);
        b->setObjectName(QLatin1String(nome));
        b->setGeometry(esquerda, topo, Largura, Altura);
        b->setAutoDefault(false);
        esquerda += Passo;
        return b;
    };
    TBotoesDialogo botoes{botao(NomeOk, "&OK"), botao(NomeCancela, "&Cancelar"), botao("HelpBtn", "&Ajuda")};
    botoes.Ok->setDefault(true);
    botoes.Cancela->setProperty("ModalResult", mrCancel);
    QObject::connect(botoes.Cancela, &QPushButton::clicked, &Dialogo, &QDialog::reject);
    QObject::connect(botoes.Ajuda, &QPushButton::clicked, &Dialogo, [HelpContext] { TFoAjuda::Mostra(HelpContext); });
    return botoes;
}
