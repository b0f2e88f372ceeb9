#include "platform/db/cursors/TCursorConsulta.h"

#include <QStringList>
#include <algorithm>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

void TCursorConsulta::LigaParametros(TComando& comando, const std::vector<std::pair<QString, QVariant>>& parametros)
{
    for (const auto& [nome, valor] : parametros) {
        const int indice = comando.IndiceParametro(QLatin1Char(':') + nome);
        if (indice > 0)
            comando.Liga(indice, valor);
    }
}

TCursorConsulta::TCursorConsulta(TDatabase& banco, const QString& sql,
                                 const std::vector<std::pair<QString, QVariant>>& parametros)
    : FBanco(&banco)
    , FParametros(parametros)
{
    banco.SoltaLeituras();
    TComando comando(banco.Conexao(), sql);
    if (comando.Colunas() == 0)
        throw EDatabaseError(QStringLiteral("The query returns no rows"));
    // The statement alone, to run again inside another: what followed it and its closing
    // semicolon left out (a comment that ends it ends at the line break written after it).
    FSql = comando.Instrucao().trimmed();
    if (FSql.endsWith(QLatin1Char(';')))
        FSql.chop(1);
    LigaParametros(comando, parametros);
    LeLinhas(comando, false);
    const int colunas = comando.Colunas();
    for (int i = 0; i < colunas; ++i) {
        const QString declarado = comando.TipoDeclarado(i);
        if (!declarado.isEmpty()) {
            FCampos.push_back(TEsquemaTabela::DefDoTipoDeclarado(comando.NomeColuna(i), declarado));
            continue;
        }
        // An expression: the type of the values it gave.
        TFieldDef def{comando.NomeColuna(i), ftUnknown, 0, false};
        int maiorTexto = 1;
        for (const auto& linha : FLinhas) {
            const QVariant& valor = linha[static_cast<std::size_t>(i)];
            switch (valor.typeId()) {
            case QMetaType::LongLong:
                if (def.DataType == ftUnknown || def.DataType == ftInteger)
                    def.DataType = (valor.toLongLong() > 2147483647LL || valor.toLongLong() < -2147483648LL)
                        ? ftLargeint
                        : ftInteger;
                break;
            case QMetaType::Double:
                if (def.DataType != ftString && def.DataType != ftBlob)
                    def.DataType = ftFloat;
                break;
            case QMetaType::QString:
                def.DataType = ftString;
                maiorTexto = std::max(maiorTexto, static_cast<int>(valor.toString().size()));
                break;
            case QMetaType::QByteArray:
                def.DataType = ftBlob;
                break;
            default:
                break;
            }
        }
        if (def.DataType == ftUnknown)
            def.DataType = ftString;
        if (def.DataType == ftString)
            def.Size = std::max(maiorTexto, def.Size);
        FCampos.push_back(def);
    }
}

void TCursorConsulta::LeLinhas(TComando& comando, bool comOrdem)
{
    // Kept whole until the answer is read whole: a failing step leaves the rows as they were.
    const int colunas = comando.Colunas() - (comOrdem ? 1 : 0);
    std::vector<std::vector<QVariant>> linhas;
    std::vector<qint64> ordens;
    while (comando.Passo()) {
        std::vector<QVariant> linha;
        linha.reserve(static_cast<std::size_t>(colunas));
        for (int i = 0; i < colunas; ++i)
            linha.push_back(comando.Valor(i));
        linhas.push_back(std::move(linha));
        if (comOrdem)
            ordens.push_back(comando.Valor(colunas).toLongLong());
    }
    FLinhas = std::move(linhas);
    FOrdens = std::move(ordens);
    FFiltrada = comOrdem;
}

qint64 TCursorConsulta::Posicao(qint64 ordem) const
{
    if (!FFiltrada)
        return std::clamp<qint64>(ordem, 0, static_cast<qint64>(FLinhas.size()));
    return std::lower_bound(FOrdens.begin(), FOrdens.end(), ordem) - FOrdens.begin();
}

bool TCursorConsulta::Linha(qint64 posicao, TRegistro& registro) const
{
    if (posicao < 0 || posicao >= static_cast<qint64>(FLinhas.size()))
        return false;
    const auto& linha = FLinhas[static_cast<std::size_t>(posicao)];
    registro.Valores.assign(linha.begin(), linha.end());
    for (std::size_t i = 0; i < FCampos.size(); ++i) {
        if (IsTextType(FCampos[i].DataType) && (!registro.Valores[i].isValid() || registro.Valores[i].isNull()))
            registro.Valores[i] = QString();
    }
    registro.RowId = !FFiltrada ? posicao : FOrdens[static_cast<std::size_t>(posicao)];
    return true;
}

bool TCursorConsulta::Busca(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    if (!de)
        return Linha(modo == gmNext ? 0 : static_cast<qint64>(FLinhas.size()) - 1, registro);
    // By its place in the whole answer: `de` may be a record that the filter left out.
    if (!FFiltrada)
        return Linha(de->RowId + (modo == gmNext ? 1 : -1), registro);
    return Linha(modo == gmNext ? Posicao(de->RowId + 1) : Posicao(de->RowId) - 1, registro);
}

bool TCursorConsulta::BuscaBookmark(const TBookmark& marca, TRegistro& registro)
{
    if (marca.IsNull())
        return false;
    const qint64 ordem = marca.Chave().front().toLongLong();
    const qint64 posicao = Posicao(ordem);
    return Linha(posicao, registro) && registro.RowId == ordem;
}

TBookmark TCursorConsulta::Bookmark(const TRegistro& registro) const
{
    return TBookmark({QVariant(registro.RowId)});
}

int TCursorConsulta::Compara(const TBookmark& a, const TBookmark& b)
{
    const qint64 x = a.Chave().front().toLongLong();
    const qint64 y = b.Chave().front().toLongLong();
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool TCursorConsulta::BuscaNumero(int numero, TRegistro& registro)
{
    return Linha(numero - 1, registro);
}

void TCursorConsulta::Grava(TRegistro&, const TRegistro*)
{
    ExigeModificavel(false);   // a query's rows are never written back
}

void TCursorConsulta::Apaga(const TRegistro&)
{
    ExigeModificavel(false);   // a query's rows are never written back
}

TEsquemaTabela TCursorConsulta::Esquema() const
{
    // The columns as the answer names and types them (those of the unfiltered answer, so that a
    // filter never changes a computed column's type).
    TEsquemaTabela esquema;
    esquema.Campos = FCampos;
    for (const TFieldDef& campo : FCampos)
        esquema.NomesAspas << TEsquemaTabela::Aspas(campo.Name);
    return esquema;
}

bool TCursorConsulta::AceitaExpressao(const QByteArray& expressao, QString& erro)
{
    try {
        // Kept: the dataset applies the expression it was told is good right after.
        FTraduzida = {expressao, TFiltroSql::Traduz(expressao, Esquema())};
        return true;
    } catch (const EDatabaseError& e) {
        erro = e.Mensagem();
        return false;
    }
}

void TCursorConsulta::DefineExpressoes(const std::vector<QByteArray>& expressoes)
{
    std::vector<TClausulaSql> condicoes;
    for (const QByteArray& expressao : expressoes)
        condicoes.push_back(FTraduzida && FTraduzida->first == expressao ? FTraduzida->second
                                                                         : TFiltroSql::Traduz(expressao, Esquema()));
    FTraduzida.reset();
    if (condicoes.empty() && !FFiltrada)
        return;   // the rows read on opening are the whole answer
    QString sql = FSql;
    std::vector<QVariant> valores;
    if (!condicoes.empty()) {
        QStringList partes;
        for (const TClausulaSql& condicao : condicoes) {
            partes << QLatin1Char('(') + condicao.Sql + QLatin1Char(')');
            valores.insert(valores.end(), condicao.Valores.begin(), condicao.Valores.end());
        }
        // Each row is numbered in the order the text alone gives (SQLite does not push a condition
        // below a numbering over the whole answer), so that a record keeps its bookmark with the
        // filter and without it.
        sql = QStringLiteral("SELECT * FROM (SELECT *, row_number() OVER () - 1 AS \"#ordem\" FROM (%1\n))"
                             " WHERE %2 ORDER BY \"#ordem\"")
                  .arg(FSql, partes.join(QStringLiteral(" AND ")));
    }
    FBanco->SoltaLeituras();
    TComando comando(FBanco->Conexao(), sql);
    LigaParametros(comando, FParametros);
    // The condition's markers come after every one of the text, so they are numbered last.
    int marcador = comando.Parametros() - static_cast<int>(valores.size());
    for (const QVariant& valor : valores)
        comando.Liga(++marcador, valor);
    LeLinhas(comando, !condicoes.empty());
}
