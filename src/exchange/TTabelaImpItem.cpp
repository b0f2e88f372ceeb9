#include "exchange/TTabelaImpItem.h"

namespace {

// The parts joined by a character no part holds, so that no two keys read alike.
QString Grupo(const TTabelaImpItem::TChave& Chave)
{
    const QChar separador(u'\x1f');
    return Chave.InAnexo + separador + Chave.ChaveDono + separador + Chave.Codigo + separador + Chave.TipoBenef
           + separador + Chave.NiBenef;
}

QString Linha(const TTabelaImpItem::TChave& Chave)
{
    const QString identificador = Chave.Identificador.trimmed().isEmpty() ? QStringLiteral("0") : Chave.Identificador;
    return Grupo(Chave) + QChar(u'\x1f') + identificador;
}

}  // namespace

bool TTabelaImpItem::ExisteGrupo(const TChave& Chave) const
{
    return FGrupos.contains(Grupo(Chave));
}

bool TTabelaImpItem::Existe(const TChave& Chave) const
{
    return FLinhas.contains(Linha(Chave));
}

void TTabelaImpItem::Inclui(const TChave& Chave)
{
    FGrupos.insert(Grupo(Chave));
    FLinhas.insert(Linha(Chave));
}

void TTabelaImpItem::Esvazia()
{
    FGrupos.clear();
    FLinhas.clear();
}
