#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

#include "exchange/layout/LayoutDeclar.h"
#include "exchange/import/TLogErros.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "exchange/delivery/TRegistroTipo4.h"
#include "platform/files/TPastas.h"

// Helpers of the import tests: input files, the lines of the delivery layout as the writer makes
// them, and the error log read back a pair at a time.
namespace ImportacaoDeTeste {

// Writes the lines, each ended by Fim, into a file of the program folder; its path.
inline QString Arquivo(const QList<QByteArray>& Linhas, const QByteArray& Fim = "\r\n",
                       const QString& Nome = QStringLiteral("entrada.txt"))
{
    const QString caminho = TPastas::Programa() + QLatin1Char('/') + Nome;
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return {};
    for (const QByteArray& linha : Linhas)
        arquivo.write(linha + Fim);
    return caminho;
}

inline QByteArray Tipo1(int Sequencia, const TDeclaracaoEntrega& Declaracao)
{
    return TRegistroTipo1::Monta(Sequencia, Declaracao, QString(), QString()).Bytes();
}

// One value line of the item for the declarant (type 2) or fund (type 5) of that number.
inline QByteArray Valores(char Tipo, int Sequencia, const QString& Ni, const TItemEntrega& Item, int Identificador)
{
    return TRegistroTipo2::Monta(Tipo, Sequencia, LayoutDeclar::NiDaLinha(Ni, Ni.size() == 11), Item, Identificador)
        .Bytes();
}

inline QByteArray Tipo4(int Sequencia, const TAnexoEntrega& Anexo, const TDeclaracaoEntrega& Administradora)
{
    return TRegistroTipo4::Monta(Sequencia, Anexo, Administradora).Bytes();
}

// The line with Texto put at position Posicao (from 1).
inline QByteArray Troca(QByteArray Linha, int Posicao, const QByteArray& Texto)
{
    return Linha.replace(Posicao - 1, Texto.size(), Texto);
}

// The pairs of the log of that base name: message, line.
inline std::vector<std::pair<QString, QString>> Log(const QString& NomeBase)
{
    std::vector<std::pair<QString, QString>> pares;
    TLogErros log;
    if (!QFile::exists(TPastas::ErroImp() + QLatin1Char('/') + NomeBase + QStringLiteral(".dsc"))
        || !log.AbreLeitura(NomeBase))
        return pares;
    while (log.LeProximo())
        pares.emplace_back(log.Mensagem(), log.Linha());
    log.Fecha();
    return pares;
}

inline QStringList Mensagens(const QString& NomeBase)
{
    QStringList mensagens;
    for (const auto& [mensagem, linha] : Log(NomeBase))
        mensagens << mensagem;
    return mensagens;
}

}   // namespace ImportacaoDeTeste
