#include "exchange/TTabelaImpItem.h"

#include <QStringList>

#include "platform/db/TFieldType.h"

namespace {

std::vector<TFieldDef> Campos()
{
    return {
        {QStringLiteral("IN_ANEXO"), ftString, 1, false},   {QStringLiteral("E_PRUV/ANEXO_DK"), ftString, 5, false},
        {QStringLiteral("TRIB_TRIBU"), ftString, 4, false}, {QStringLiteral("E_IN_PF_PJ"), ftString, 1, false},
        {QStringLiteral("E_NR_PF_PJ"), ftString, 14, false}, {QStringLiteral("TIPO_REND"), ftString, 1, false},
    };
}

std::vector<TIndexDef> Indices()
{
    return {
        {QStringLiteral("IndSemRend"), QStringLiteral("IN_ANEXO;E_PRUV/ANEXO_DK;TRIB_TRIBU;E_IN_PF_PJ;E_NR_PF_PJ"), 0},
    };
}

const QString CondicaoGrupo = QStringLiteral(
    " WHERE \"IN_ANEXO\" = ?1 AND \"E_PRUV/ANEXO_DK\" = ?2 AND \"TRIB_TRIBU\" = ?3"
    " AND \"E_IN_PF_PJ\" = ?4 AND \"E_NR_PF_PJ\" = ?5");

QStringList ValoresGrupo(const TTabelaImpItem::TChave& Chave)
{
    return {Chave.InAnexo, Chave.ChaveDono, Chave.Codigo, Chave.TipoBenef, Chave.NiBenef};
}

QString Identificador(const TTabelaImpItem::TChave& Chave)
{
    return Chave.Identificador.trimmed().isEmpty() ? QStringLiteral("0") : Chave.Identificador;
}

}  // namespace

TTabelaImpItem::TTabelaImpItem()
    : TTabelaTrabalho(QStringLiteral("ImpItem"), Campos(), Indices())
{
}

bool TTabelaImpItem::ExisteGrupo(const TChave& Chave)
{
    return Executa(QStringLiteral("SELECT 1 FROM ") + Tabela() + CondicaoGrupo, ValoresGrupo(Chave));
}

bool TTabelaImpItem::Existe(const TChave& Chave)
{
    return Executa(QStringLiteral("SELECT 1 FROM ") + Tabela() + CondicaoGrupo + QStringLiteral(" AND \"TIPO_REND\" = ?6"),
                   ValoresGrupo(Chave) << Identificador(Chave));
}

void TTabelaImpItem::Inclui(const TChave& Chave)
{
    if (Existe(Chave))
        return;
    Executa(QStringLiteral("INSERT INTO ") + Tabela() + QStringLiteral(" (\"IN_ANEXO\", \"E_PRUV/ANEXO_DK\", \"TRIB_TRIBU\", \"E_IN_PF_PJ\","
                                                     " \"E_NR_PF_PJ\", \"TIPO_REND\") VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
            ValoresGrupo(Chave) << Identificador(Chave));
}
