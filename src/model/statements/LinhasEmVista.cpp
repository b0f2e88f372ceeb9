#include "model/statements/LinhasEmVista.h"

#include <vector>

#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"

bool PercorreAplicando(TdvTable& Tabela, const std::function<bool()>& Aplica)
{
    bool aplicou = false;
    std::vector<TBookmark> recusadas;
    Tabela.First();
    while (!Tabela.Eof()) {
        if (Aplica())
            aplicou = true;
        else
            recusadas.push_back(Tabela.GetBookmark());
        Tabela.Next();
    }
    for (const TBookmark& marca : recusadas) {
        Tabela.GotoBookmark(marca);
        Tabela.Delete();
    }
    return aplicou;
}

void ExcluiEmVista(TdvTable& Tabela)
{
    Tabela.First();
    while (!Tabela.IsEmpty())
        Tabela.Delete();
}
