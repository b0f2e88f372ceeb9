#include "assistants/pages/TPaginaArquivo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

TPaginaArquivo TPaginaArquivo::Cria(const QString& Nome, QWidget* Extra)
{
    return Cria(Nome, QStringLiteral("Selecione ou digite o nome completo do arquivo de cópia de segurança"), Extra);
}

TPaginaArquivo TPaginaArquivo::Cria(const QString& Nome, const QString& Legenda, QWidget* Extra)
{
    auto* painel = new QWidget;
    painel->setObjectName(Nome);
    auto* grupo = new QGroupBox(Legenda, painel);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    auto* edit = new QLineEdit(grupo);
    edit->setObjectName(QStringLiteral("EdArquivo"));
    auto* botao = new QPushButton(QStringLiteral("..."), grupo);
    botao->setObjectName(QStringLiteral("BitBtn1"));
    botao->setFixedWidth(28);
    auto* linha = new QHBoxLayout(grupo);
    linha->addWidget(edit, 1);
    linha->addWidget(botao);
    auto* layout = new QVBoxLayout(painel);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addWidget(grupo);
    if (Extra) {
        Extra->setParent(painel);
        layout->addWidget(Extra);
    }
    layout->addStretch();
    return {painel, edit, botao};
}

QString TPaginaArquivo::Filtro()
{
    return QStringLiteral("Cópias de segurança da base de dados (*.cmp)");
}
