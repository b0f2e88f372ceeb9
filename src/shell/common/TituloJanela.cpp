#include "shell/common/TituloJanela.h"

#include <QApplication>
#include <QWidget>

QString TituloJanela(const QString& Nome, const QString& Estabelecimento)
{
    if (Nome.isEmpty())
        return QStringLiteral("Pruv 2003");
    QString sufixo;
    if (Estabelecimento == QLatin1String("0001"))
        sufixo = QStringLiteral("Matriz");
    else if (Estabelecimento > QLatin1String("0001"))
        sufixo = QStringLiteral("Filial ") + Estabelecimento;
    return QStringLiteral("Pruv 2003 - ") + Nome + QStringLiteral("   ") + sufixo;
}

void AtualizaTitulo(const QString& Nome, const QString& Estabelecimento)
{
    for (QWidget* janela : QApplication::topLevelWidgets()) {
        if (janela->inherits("TPruv2003")) {
            janela->setWindowTitle(TituloJanela(Nome, Estabelecimento));
            return;
        }
    }
}
