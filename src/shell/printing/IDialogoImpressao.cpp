#include "shell/printing/IDialogoImpressao.h"

#include "shell/printing/TDialogoImpressaoQt.h"

namespace {

IDialogoImpressao* Instalado = nullptr;

}   // namespace

IDialogoImpressao& DialogoImpressao::Atual()
{
    if (Instalado != nullptr)
        return *Instalado;
    static TDialogoImpressaoQt qt;
    return qt;
}

IDialogoImpressao* DialogoImpressao::Instala(IDialogoImpressao* dialogo)
{
    IDialogoImpressao* anterior = Instalado;
    Instalado = dialogo;
    return anterior;
}
