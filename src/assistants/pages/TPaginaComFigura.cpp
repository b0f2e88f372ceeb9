#include "assistants/pages/TPaginaComFigura.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "assistants/pages/PaginasAssistente.h"
#include "assistants/pages/RotuloAssistente.h"

TPaginaComFigura TPaginaComFigura::Cria(const QString& Nome, const QStringList& Textos)
{
    return Cria(Nome, Textos, TImagem::GerarCopia);
}

TPaginaComFigura TPaginaComFigura::Cria(const QString& Nome, const QStringList& Textos, TImagem Figura)
{
    TPaginaComFigura pagina{new QWidget, {}, nullptr};
    pagina.Painel->setObjectName(Nome);
    auto* figura = new QLabel(pagina.Painel);
    figura->setObjectName(QStringLiteral("Image1"));
    figura->setPixmap(FiguraDe(Figura));
    figura->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* coluna = new QVBoxLayout;
    for (const QString& texto : Textos) {
        QLabel* rotulo = RotuloAssistente(texto, pagina.Painel);
        coluna->addWidget(rotulo);
        pagina.Textos.push_back(rotulo);
    }
    coluna->addStretch();
    pagina.Coluna = coluna;
    auto* layout = new QHBoxLayout(pagina.Painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->setSpacing(16);
    layout->addWidget(figura, 0, Qt::AlignTop);
    layout->addLayout(coluna, 1);
    return pagina;
}

void TPaginaComFigura::Acrescenta(QWidget* Controle) const
{
    Controle->setParent(Painel);
    Coluna->insertWidget(Coluna->count() - 1, Controle);   // before the closing stretch
}

QWidget* TPaginaComFigura::ComTexto(const QString& Nome, const QString& NomeRotulo, const QString& Texto,
                                    QLabel*& Rotulo)
{
    const TPaginaComFigura pagina = Cria(Nome, {Texto});
    Rotulo = pagina.Textos.front();
    Rotulo->setObjectName(NomeRotulo);
    return pagina.Painel;
}
