#include "assistants/TPaginaComFigura.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "shell/TDmGeral.h"

TPaginaComFigura TPaginaComFigura::Cria(const QString& Nome, const QStringList& Textos)
{
    TPaginaComFigura pagina{new QWidget, {}};
    pagina.Painel->setObjectName(Nome);
    auto* figura = new QLabel(pagina.Painel);
    figura->setObjectName(QStringLiteral("Image1"));
    figura->setPixmap(TDmGeral::IlCor(TImagem::GerarCopia).scaled(TDmGeral::Tamanho * 2));
    figura->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* coluna = new QVBoxLayout;
    for (const QString& texto : Textos) {
        auto* rotulo = new QLabel(texto, pagina.Painel);
        rotulo->setWordWrap(true);
        rotulo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        coluna->addWidget(rotulo);
        pagina.Textos.push_back(rotulo);
    }
    coluna->addStretch();
    auto* layout = new QHBoxLayout(pagina.Painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->setSpacing(16);
    layout->addWidget(figura, 0, Qt::AlignTop);
    layout->addLayout(coluna, 1);
    return pagina;
}

QWidget* TPaginaComFigura::ComTexto(const QString& Nome, const QString& NomeRotulo, const QString& Texto,
                                    QLabel*& Rotulo)
{
    const TPaginaComFigura pagina = Cria(Nome, {Texto});
    Rotulo = pagina.Textos.front();
    Rotulo->setObjectName(NomeRotulo);
    return pagina.Painel;
}
