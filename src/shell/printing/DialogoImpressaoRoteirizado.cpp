#include "shell/printing/DialogoImpressaoRoteirizado.h"

#include <stdexcept>

DialogoImpressaoRoteirizado::DialogoImpressaoRoteirizado()
    : FAnterior(DialogoImpressao::Instala(this))
{}

DialogoImpressaoRoteirizado::~DialogoImpressaoRoteirizado()
{
    DialogoImpressao::Instala(FAnterior);
}

void DialogoImpressaoRoteirizado::Responde(const TEscolhaImpressao& escolha)
{
    FRespostas.push_back(escolha);
}

TEscolhaImpressao DialogoImpressaoRoteirizado::Executa(QPrinter& /*impressora*/, int minimo, int maximo,
                                                       QWidget* /*dono*/)
{
    FOfertas.push_back({minimo, maximo});
    if (FRespostas.empty())
        throw std::logic_error("diálogo de impressão sem resposta roteirizada");
    const TEscolhaImpressao escolha = FRespostas.front();
    FRespostas.pop_front();
    return escolha;
}

void DialogoImpressaoRoteirizado::RespondeConfiguracao(const std::optional<TEscolhaImpressora>& escolha)
{
    FConfiguracoes.push_back(escolha);
}

bool DialogoImpressaoRoteirizado::Configura(TEscolhaImpressora& escolha, const QStringList& impressoras,
                                            QWidget* /*dono*/)
{
    FOfertasConfiguracao.push_back({impressoras, escolha});
    if (FConfiguracoes.empty())
        throw std::logic_error("configuração de impressora sem resposta roteirizada");
    const std::optional<TEscolhaImpressora> resposta = FConfiguracoes.front();
    FConfiguracoes.pop_front();
    if (!resposta)
        return false;
    escolha = *resposta;
    return true;
}
