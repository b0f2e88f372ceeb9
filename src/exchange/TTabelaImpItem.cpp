#include "exchange/TTabelaImpItem.h"

bool TTabelaImpItem::Registra(const TChave& Chave, bool PrimeiraDoGrupo)
{
    // The parts joined by a character no part holds, so that no two keys read alike.
    const QChar separador(u'\x1f');
    QString grupo;
    grupo.reserve(Chave.InAnexo.size() + Chave.ChaveDono.size() + Chave.Codigo.size() + Chave.TipoBenef.size()
                  + Chave.NiBenef.size() + 4);
    grupo.append(Chave.InAnexo).append(separador).append(Chave.ChaveDono).append(separador).append(Chave.Codigo)
        .append(separador).append(Chave.TipoBenef).append(separador).append(Chave.NiBenef);
    const QString identificador = Chave.Identificador.trimmed().isEmpty() ? QStringLiteral("0") : Chave.Identificador;

    auto achado = FGrupos.find(grupo);
    const bool grupoVisto = achado != FGrupos.end();
    if (!grupoVisto)
        achado = FGrupos.insert(grupo, QString());
    // Identifiers are one character each.
    const bool linhaVista = achado->contains(identificador);
    if (!linhaVista)
        achado->append(identificador);
    return PrimeiraDoGrupo ? grupoVisto : linhaVista;
}

void TTabelaImpItem::Esvazia()
{
    FGrupos.clear();
}
