#include "shell/DialogoImpressaoRoteirizado.h"

#include <stdexcept>

DialogoImpressaoRoteirizado::DialogoImpressaoRoteirizado()
    : FAnterior(DialogoImpressao::Instala(this))
{
}

DialogoImpressaoRoteirizado::~DialogoImpressaoRoteirizado()
{
    DialogoImpressao::Instala(FAnterior);
}

void DialogoImpressaoRoteirizado::Responde(const TEscolhaImpressao& escolha)
{
    FRespostas.push_back(escolha);
}

TEscolhaImpressao DialogoImpressaoRoteirizado::Executa(QPrinter& /*impressora*/, int minimo,
                                                       int maximo, QWidget* /*dono*/)
{
    FOfertas.push_back({minimo, maximo});
    if (FRespostas.empty())
        throw std::logic_error("diálogo de impressão sem resposta roteirizada");
    const TEscolhaImpressao escolha = FRespostas.front();
    FRespostas.pop_front();
    return escolha;
}
