#include "model/statements/TColecaoComprovantePFBasica.h"

#include "components/data/datasets/TdvTable.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/LinhasEmVista.h"
#include "model/statements/TComprovante.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"

TColecaoComprovantePFBasica::TColecaoComprovantePFBasica(IDeclaracao& Declaracao)
    : FDeclaracao(Declaracao)
{}

bool TColecaoComprovantePFBasica::Localiza(const TComprovante& Comprovante)
{
    MostraDeclaracaoDe(Comprovante);
    SelecionaIndice(QString());
    return Tabela().FindKey({Comprovante.GetChaveDeclaracao(), Comprovante.GetBeneficiario().GetRaiz()});
}

bool TColecaoComprovantePFBasica::Carrega(TComprovante& Comprovante)
{
    if (Localiza(Comprovante)) {
        LeRegistro(Comprovante);
        return true;
    }
    LimpaDados(Comprovante);
    return false;
}

void TColecaoComprovantePFBasica::Exclui(TComprovante& Comprovante)
{
    EmTransacao(Tabela(), [&] {
        if (Localiza(Comprovante))
            TColecao::Exclui();
    });
}

void TColecaoComprovantePFBasica::ExcluiTodos()
{
    EmTransacao(Tabela(), [&] {
        FiltraDeclaracao();
        ExcluiEmVista(Tabela());
        Grava();
    });
}

void TColecaoComprovantePFBasica::FiltraDeclaracao()
{
    FiltraChave(FDeclaracao.GetChave());
    FChaveEmVista = FDeclaracao.GetChave();
    SetFiltrado(true);
}

void TColecaoComprovantePFBasica::Desfaz()
{
    DescartaEdicao(Tabela());
}

void TColecaoComprovantePFBasica::FiltraChave(const QString& Chave)
{
    RestringeTabela(Tabela(), QString(), {Chave, QStringLiteral("000000000")}, {Chave, QStringLiteral("999999999")},
                    {QStringLiteral("E_PRUV_DK = ") + Chave});
}

void TColecaoComprovantePFBasica::MostraDeclaracaoDe(const TComprovante& Comprovante)
{
    const QString chave = Comprovante.GetChaveDeclaracao();
    if (chave == FChaveEmVista)
        return;
    FiltraChave(chave);
    FChaveEmVista = chave;
    SetFiltrado(true);
}

bool TColecaoComprovantePFBasica::LeRegistroDe(TComprovante& Comprovante)
{
    const TdvTable& tabela = Tabela();
    if (tabela.Bof() && tabela.Eof()) {
        LimpaDados(Comprovante);
        return false;
    }
    if (tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->AsString() != Comprovante.GetChaveDeclaracao())
        throw EColecaoError(CodigoMensagem::BeneficiarioDeOutraPruv, QString(), 0);
    return true;
}

void TColecaoComprovantePFBasica::Insere()
{
    Tabela().Append();
}

void TColecaoComprovantePFBasica::EditaOuInsere(bool Encontrado)
{
    if (Encontrado)
        Tabela().Edit();
    else
        Insere();
}
