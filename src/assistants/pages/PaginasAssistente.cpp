#include "assistants/pages/PaginasAssistente.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

QWidget* PaginaComFigura(const char* Nome, const QPixmap& Figura, std::initializer_list<QWidget*> Controles)
{
    auto* painel = new QWidget;
    painel->setObjectName(QLatin1String(Nome));
    auto* imagem = new QLabel(painel);
    imagem->setPixmap(Figura);
    auto* coluna = new QVBoxLayout;
    for (QWidget* controle : Controles) {
        controle->setParent(painel);
        coluna->addWidget(controle);
    }
    coluna->addStretch();
    auto* layout = new QHBoxLayout(painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->setSpacing(16);
    layout->addWidget(imagem, 0, Qt::AlignTop);
    layout->addLayout(coluna, 1);
    return painel;
}

QWidget* PaginaDeQuadro(const char* Nome, QWidget* Quadro)
{
    auto* painel = new QWidget;
    painel->setObjectName(QLatin1String(Nome));
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(0, 0, 0, 0);
    Quadro->setParent(painel);
    layout->addWidget(Quadro);
    return painel;
}

QPixmap FiguraDe(TImagem Imagem)
{
    return TDmGeral::IlCor(Imagem).scaled(TDmGeral::Tamanho * 2);
}
