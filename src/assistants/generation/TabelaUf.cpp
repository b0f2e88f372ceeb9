#include "assistants/generation/TabelaUf.h"

#include <vector>

#include "components/data/datasets/TdvTable.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace TabelaUf {

namespace {

struct TEstadoFederado {
    const char* Sigla;
    const char16_t* Nome;
};

constexpr TEstadoFederado Estados[] = {
    {"AC", u"ACRE"},        {"AL", u"ALAGOAS"},   {"AM", u"AMAZONAS"},          {"AP", u"AMAPÁ"},
    {"BA", u"BAHIA"},       {"CE", u"CEARÁ"},     {"DF", u"DISTRITO FEDERAL"},  {"ES", u"ESPÍRITO SANTO"},
    {"GO", u"GOIÁS"},       {"MA", u"MARANHÃO"},  {"MG", u"MINAS GERAIS"},      {"MS", u"MATO GROSSO DO SUL"},
    {"MT", u"MATO GROSSO"}, {"PA", u"PARÁ"},      {"PB", u"PARAÍBA"},           {"PE", u"PERNAMBUCO"},
    {"PI", u"PIAUÍ"},       {"PR", u"PARANÁ"},    {"RJ", u"RIO DE JANEIRO"},    {"RN", u"RIO GRANDE DO NORTE"},
    {"RO", u"RONDÔNIA"},    {"RR", u"RORAIMA"},   {"RS", u"RIO GRANDE DO SUL"}, {"SC", u"SANTA CATARINA"},
    {"SE", u"SERGIPE"},     {"SP", u"SÃO PAULO"}, {"TO", u"TOCANTINS"},
};

void Preenche(TdvTable& Tabela)
{
    EmTransacao(Tabela, [&Tabela] {
        for (const TEstadoFederado& estado : Estados) {
            Tabela.Append();
            Tabela.FieldByName(QLatin1String(SG_UF))->SetAsString(QLatin1String(estado.Sigla));
            Tabela.FieldByName(QLatin1String(NM_UF))->SetAsString(QString::fromUtf16(estado.Nome));
            Tabela.Post();
        }
    });
    Tabela.First();
}

}   // namespace

bool Abre(TdvTable& Tabela)
{
    if (Tabela.Active())
        Tabela.Close();
    try {
        if (!Tabela.Exists()) {
            const TTabelaPrograma esquema = TabelaUfPrograma();
            Tabela.CreateTable(esquema.Campos, esquema.Indices);
        }
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(Tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
    if (!AbreTabela(Tabela))
        return false;
    if (Tabela.IsEmpty())
        Preenche(Tabela);
    return true;
}

QList<std::pair<QString, QString>> Lista()
{
    const std::unique_ptr<TdvTable> tabela = CriaTabela(QLatin1String(NomeArquivo));
    QList<std::pair<QString, QString>> estados;
    if (!Abre(*tabela))
        return estados;
    for (tabela->First(); !tabela->Eof(); tabela->Next())
        estados.append({tabela->FieldByName(QLatin1String(SG_UF))->AsString(),
                        tabela->FieldByName(QLatin1String(NM_UF))->AsString()});
    FechaTabela(*tabela);
    return estados;
}

}   // namespace TabelaUf
