#include "shell/common/UtilJanelas.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#include "components/controls/combos/IComboItens.h"
#include "model/declaration/TNaturezas.h"
#include "model/values/Utilitarios.h"
#include "platform/report/IImpressoras.h"
#include "platform/report/TRelatorio.h"
#include "platform/ui/TCursorOcupado.h"

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

void FocaPrimeiro(QWidget* Primeiro, QWidget* Segundo, QWidget* Terceiro, QWidget* Quarto)
{
    for (QWidget* controle : {Primeiro, Segundo, Terceiro, Quarto}) {
        if (controle && controle->isVisible() && controle->isEnabled() && controle->focusPolicy() != Qt::NoFocus) {
            controle->setFocus();
            return;
        }
    }
}

void DefineHelpContext(QWidget& Controle, int HelpContext)
{
    Controle.setProperty(PropriedadeHelpContext, HelpContext);
}

int ObtemHelpContext(const QObject* Controle)
{
    constexpr int Nenhum = 10000;
    const auto* controle = qobject_cast<const QWidget*>(Controle);
    if (!controle)
        return Nenhum;
    for (; controle; controle = controle->parentWidget())
        if (const int contexto = controle->property(PropriedadeHelpContext).toInt(); contexto != 0)
            return contexto;
    return Nenhum;
}

void AjustaPapel(TRelatorio& Relatorio)
{
    Relatorio.Papel().DefineCodigo(Impressoras::Atual().CodigoPapelPadrao());
}

QString ProgramaNavegador()
{
    const QStringList escolhidos = qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& escolhido : escolhidos) {
        const QString programa = QStandardPaths::findExecutable(escolhido.trimmed());
        if (!programa.isEmpty())
            return programa;
    }
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

bool ExisteNavegador(bool Abrir)
{
    QFile pagina(DiretorioPrograma() + QStringLiteral("/PRUV.HTM"));
    if (!pagina.open(QIODevice::WriteOnly))
        return false;
    pagina.close();
    const QString programa = ProgramaNavegador();
    bool existe = !programa.isEmpty();
    if (existe && Abrir) {
        TCursorOcupado ocupado;
        existe = QProcess::startDetached(programa, {QString::fromLatin1(EnderecoSitio)});
    }
    pagina.remove();
    return existe;
}

void PreencheCombo(IComboItens& Combo, const TNaturezas& Naturezas)
{
    Combo.LimpaItens();
    for (const TNatureza* natureza : Naturezas.GetDisponiveis())
        if (!natureza->GetDescricao().trimmed().isEmpty())
            Combo.AdicionaItem(natureza->GetDescricao());
    const bool temItens = Combo.QuantidadeItens() > 0;
    if (!temItens)
        Combo.SetItemIndex(-1);
    QWidget& controle = Combo.Controle();
    controle.setEnabled(temItens);
    QPalette paleta = controle.palette();
    paleta.setColor(QPalette::Base, QApplication::palette().color(temItens ? QPalette::Base : QPalette::Button));
    controle.setPalette(paleta);
}
