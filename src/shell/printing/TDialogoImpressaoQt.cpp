#include "shell/printing/TDialogoImpressaoQt.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/ui/SobreODono.h"
#include "shell/printing/TDialogoConfiguraImpressora.h"

TEscolhaImpressao TDialogoImpressaoQt::Executa(QPrinter& impressora, int minimo, int maximo, QWidget* dono)
{
    QPrintDialog dialogo(&impressora, dono);
    dialogo.setMinMax(minimo, maximo);
    dialogo.setFromTo(minimo, maximo);
    dialogo.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintSelection
                       | QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintToFile);
    AbreSobreODono(dialogo);
    TEscolhaImpressao escolha;
    if (dialogo.exec() != QDialog::Accepted)
        return escolha;
    escolha.Confirmada = true;
    switch (dialogo.printRange()) {
    case QAbstractPrintDialog::AllPages:
        escolha.Faixa = TFaixaImpressao::Todas;
        break;
    case QAbstractPrintDialog::Selection:
    case QAbstractPrintDialog::CurrentPage:
        escolha.Faixa = TFaixaImpressao::Selecao;
        break;
    case QAbstractPrintDialog::PageRange:
        escolha.Faixa = TFaixaImpressao::Paginas;
        escolha.De = dialogo.fromPage();
        escolha.Ate = dialogo.toPage();
        break;
    }
    return escolha;
}

bool TDialogoImpressaoQt::Configura(TEscolhaImpressora& escolha, const QStringList& impressoras, QWidget* dono)
{
    TDialogoConfiguraImpressora dialogo(impressoras, escolha, dono);
    AbreSobreODono(dialogo);
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    escolha = dialogo.Escolha();
    return true;
}
