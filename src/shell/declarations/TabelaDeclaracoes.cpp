#include "shell/declarations/TabelaDeclaracoes.h"

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/people/TNi.h"
#include "model/storage/OperacoesTabela.h"
#include "platform/db/datasets/TField.h"

QString CpfCnpjArmazenado(const QString& NrPfPj)
{
    const QString raiz = NrPfPj.trimmed();
    QString numero = raiz + CalculaDV(raiz);
    FormataNi(numero);
    return numero;
}

std::unique_ptr<TdvTable> CriaTbPruv(bool ComSelecao)
{
    std::unique_ptr<TdvTable> tabela = CriaTabela(TColecaoPruv::NomeArquivo());
    tabela->SetIndexName(QStringLiteral("IChavePruv"));
    if (ComSelecao)
        tabela->AddField(std::make_unique<TField>(ftString, QStringLiteral("Selected"), 1, fkCalculated));
    tabela->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF_CNPJ"), 18, fkCalculated));
    TdvTable* t = tabela.get();
    tabela->OnCalcFields = [t](TDataSet*) {
        t->FieldByName(QStringLiteral("CPF_CNPJ"))
            ->SetAsString(CpfCnpjArmazenado(t->FieldByName(QStringLiteral("NR_PF_PJ"))->AsString()));
    };
    return tabela;
}
