#include "platform/db/cursors/TCursorConsulta.h"

#include <QStringList>

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
    LeLinhas(comando);
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

void TCursorConsulta::LeLinhas(TComando& comando)
{
    const int colunas = comando.Colunas();
    FLinhas.clear();
    while (comando.Passo()) {
        std::vector<QVariant> linha;
        linha.reserve(static_cast<std::size_t>(colunas));
        for (int i = 0; i < colunas; ++i)
            linha.push_back(comando.Valor(i));
        FLinhas.push_back(std::move(linha));
    }
}

bool TCursorConsulta::Linha(qint64 indice, TRegistro& registro) const
{
    if (indice < 0 || indice >= static_cast<qint64>(FLinhas.size()))
        return false;
    const auto& linha = FLinhas[static_cast<std::size_t>(indice)];
    registro.Valores.assign(linha.begin(), linha.end());
    for (std::size_t i = 0; i < FCampos.size(); ++i) {
        if (IsTextType(FCampos[i].DataType) && (!registro.Valores[i].isValid() || registro.Valores[i].isNull()))
            registro.Valores[i] = QString();
    }
    registro.RowId = indice;
    return true;
}

bool TCursorConsulta::Busca(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    if (!de)
        return Linha(modo == gmNext ? 0 : static_cast<qint64>(FLinhas.size()) - 1, registro);
    return Linha(de->RowId + (modo == gmNext ? 1 : -1), registro);
}

bool TCursorConsulta::BuscaBookmark(const TBookmark& marca, TRegistro& registro)
{
    return !marca.IsNull() && Linha(marca.Chave().front().toLongLong(), registro);
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
    FFiltrada = !condicoes.empty();
    QString sql = FSql;
    std::vector<QVariant> valores;
    if (!condicoes.empty()) {
        QStringList partes;
        for (const TClausulaSql& condicao : condicoes) {
            partes << QLatin1Char('(') + condicao.Sql + QLatin1Char(')');
            valores.insert(valores.end(), condicao.Valores.begin(), condicao.Valores.end());
        }
        sql = QStringLiteral("SELECT * FROM (%1\n) WHERE %2").arg(FSql, partes.join(QStringLiteral(" AND ")));
    }
    FBanco->SoltaLeituras();
    TComando comando(FBanco->Conexao(), sql);
    LigaParametros(comando, FParametros);
    // The condition's markers come after every one of the text, so they are numbered last.
    int marcador = comando.Parametros() - static_cast<int>(valores.size());
    for (const QVariant& valor : valores)
        comando.Liga(++marcador, valor);
    LeLinhas(comando);
}
