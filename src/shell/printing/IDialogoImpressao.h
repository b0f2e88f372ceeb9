#pragma once
#include <QStringList>

class QPrinter;
class QWidget;
struct TEscolhaImpressora;

// Which pages the user chose to print.
enum class TFaixaImpressao {
    Todas,     // every page
    Selecao,   // the page on the screen
    Paginas,   // the pages De to Ate
};

struct TEscolhaImpressao {
    bool Confirmada = false;
    TFaixaImpressao Faixa = TFaixaImpressao::Todas;
    int De = 0;
    int Ate = 0;
};

// The print dialog: offers the pages minimo to maximo, all of them, or the page on the screen;
// the user may also change the printer and its settings.
class IDialogoImpressao {
public:
    virtual ~IDialogoImpressao() = default;
    virtual TEscolhaImpressao Executa(QPrinter& impressora, int minimo, int maximo, QWidget* dono) = 0;
    // The printer set-up: one of the installed printers (impressoras), its paper and its
    // orientation, starting from escolha, which receives them; false when the user gave up.
    virtual bool Configura(TEscolhaImpressora& escolha, const QStringList& impressoras, QWidget* dono) = 0;
};

// The dialog in use: the Qt one unless another is installed (tests install
// DialogoImpressaoRoteirizado). Installed objects are not owned and must outlive their
// installation; installing nullptr goes back to the Qt dialog.
namespace DialogoImpressao {

IDialogoImpressao& Atual();
IDialogoImpressao* Instala(IDialogoImpressao* dialogo);   // returns what was installed before

}   // namespace DialogoImpressao
