#include "model/schema/EsquemaPrograma.h"

#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/items/TColecaoJudicial.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/statements/TColecaoCompensavel.h"
#include "model/statements/TColecaoComprovantePF.h"
#include "model/statements/TColecaoComprovantePJ.h"
#include "model/statements/TColecaoInfoCompl.h"
#include "model/storage/ChavesDadas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"

TTabelaPrograma TabelaUfPrograma()
{
    return {QStringLiteral("Tabuf.DB"),
            {{QStringLiteral("SG_UF"), ftString, 2}, {QStringLiteral("NM_UF"), ftString, 20}},
            {{QString(), QStringLiteral("SG_UF"), TIndexOption::ixPrimary}}};
}

TTabelaPrograma TabelaVerificaPrograma()
{
    // No key: the rows come back in the order they were appended.
    return {QStringLiteral("Verifica.DB"),
            {{QStringLiteral("A_QUEM_PERTENCE"), ftString, 30},
             {QStringLiteral("QUEM_EH"), ftString, 30},
             {QStringLiteral("OBJETO"), ftSmallint},
             {QStringLiteral("GRAVIDADE"), ftSmallint},
             {QStringLiteral("DESCRICAO"), ftString, 255}},
            {}};
}

TTabelaPrograma TabelaGeradasPrograma()
{
    // No key: the rows come back in the order the files were found.
    return {QStringLiteral("Geradas.DB"),
            {{QStringLiteral("ANO"), ftString, 4},
             {QStringLiteral("DATA_GERA"), ftDateTime},
             {QStringLiteral("HASH"), ftString, 12},
             {QStringLiteral("TIPO"), ftString, 12},
             {QStringLiteral("NOME_ARQUIVO"), ftString, 255},
             {QStringLiteral("CAMINHO"), ftString, 1024},   // a folder path, deeper than a drive's
             {QStringLiteral("NOME"), ftString, 60},
             {QStringLiteral("IN_PF_PJ"), ftString, 1},
             {QStringLiteral("NR_PF_PJ"), ftString, 14}},
            {}};
}

std::vector<TTabelaPrograma> TabelasPrograma()
{
    return {
        {TColecaoPruv::NomeArquivo(), TColecaoPruv::Campos(), TColecaoPruv::Indices()},
        {TColecaoAnexo::NomeArquivo(), TColecaoAnexo::Campos(), TColecaoAnexo::Indices()},
        {ChavesDadas::NomeArquivo(), ChavesDadas::Campos(), ChavesDadas::Indices()},
        {TColecaoResponsavel::NomeArquivo(), TColecaoResponsavel::Campos(), TColecaoResponsavel::Indices()},
        {TColecaoPruvItem::NomeArquivo(), TColecaoPruvItem::Campos(), TColecaoPruvItem::Indices()},
        {TColecaoJudicial::NomeArquivo(), TColecaoJudicial::Campos(), TColecaoJudicial::Indices()},
        {TColecaoResumo::NomeArquivo(), TColecaoResumo::Campos(), TColecaoResumo::Indices()},
        {TColecaoBeneficiario::NomeArquivo(), TColecaoBeneficiario::Campos(), TColecaoBeneficiario::Indices()},
        {QStringLiteral("ComprPf.db"), TColecaoComprovantePF::Campos(), TColecaoComprovantePF::Indices()},
        {QStringLiteral("ComprPj.db"), TColecaoComprovantePJ::Campos(), TColecaoComprovantePJ::Indices()},
        {QStringLiteral("InfoComp.db"), TColecaoInfoCompl::Campos(), TColecaoInfoCompl::Indices()},
        {QStringLiteral("Compvel.db"), TColecaoCompensavel::Campos(), TColecaoCompensavel::Indices()},
        // Filled from the codes file by its collection, on first use.
        {TColecaoCodigoRetencao::NomeArquivo(), TColecaoCodigoRetencao::Campos(), TColecaoCodigoRetencao::Indices()},
        TabelaUfPrograma(),
        TabelaVerificaPrograma(),
        TabelaGeradasPrograma(),
    };
}

void CriaTabelasPrograma(TDatabase& Banco)
{
    // Until a table is at work, a failure (another program holding the lock) is the file's.
    QString atual = TDatabase::NomeArquivo();
    try {
        TTransacao transacao(Banco);
        for (const TTabelaPrograma& tabela : TabelasPrograma()) {
            atual = tabela.Nome;
            if (Banco.NomeReal(tabela.Nome).isEmpty())
                TEsquemaTabela::Cria(Banco, tabela.Nome, tabela.Campos, tabela.Indices);
            else
                TEsquemaTabela::Atualiza(Banco, tabela.Nome, tabela.Campos, tabela.Indices);
        }
        atual = TDatabase::NomeArquivo();
        transacao.Confirma();
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(atual, e), TipoDialogo::Erro, Botao::Ok,
                          0);
    }
}
