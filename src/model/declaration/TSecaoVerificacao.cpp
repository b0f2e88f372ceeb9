#include "model/declaration/TSecaoVerificacao.h"

#include "model/declaration/IVerificacao.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/declaration/TResumo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TConferenciaContribuinte.h"
#include "platform/ui/InterfaceUsuario.h"

void IncluiSecao(IVerificacao& Frame, const TErros& Erros, const QString& Titulo)
{
    TSecaoVerificacao secao(Frame, Titulo);
    if (!Erros.Vazia())
        secao.IncluiErros();
    secao.Termina();
}

void TSecaoVerificacao::IncluiErros()
{
    IncluiErros(FTitulo);
}

void TSecaoVerificacao::IncluiErros(const QString& Cabecalho)
{
    if (!FCabecalhoEscrito) {
        FFrame.IncluiLinha(QStringLiteral("10") + Cabecalho);
        FCabecalhoEscrito = true;
    }
    FFrame.IncluiErros();
}

void TSecaoVerificacao::Termina()
{
    if (!FCabecalhoEscrito)
        FFrame.IncluiLinha(QStringLiteral("20") + FTitulo);
    FFrame.IncluiLinha(QString());
}

int VerificaItens(TColecaoPruvItem& Itens, TPruvItem& Lido, TPruvAnexo& Dono, TErros& Erros, IVerificacao& Frame,
                  int& Verificados, TSecaoVerificacao& Secao)
{
    TResumo& resumo = Dono.GetResumo();
    resumo.Zera();
    TConferenciaContribuinte conferencia;
    Erros.Limpa();
    int lidos = 0;
    Itens.IniciaLeitura();
    while (!Frame.Interrompida() && Itens.LeProximo(Lido)) {
        ++lidos;
        Frame.MostraVerificados(++Verificados);
        resumo.Aplica(TResumo::Mudanca(nullptr, Lido));   // each item read is added, as a new one
        InterfaceUsuario::Atividade().MantemVivo();
        Erros.Limpa();
        Lido.VerificaPendencias(Erros, conferencia);
        if (!Erros.Vazia() || Frame.Interrompida())
            Secao.IncluiErros();
    }
    Itens.EncerraLeitura();
    return lidos;
}
