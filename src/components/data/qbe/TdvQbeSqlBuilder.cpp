#include "components/data/qbe/TdvQbeSqlBuilder.h"

#include <QRegularExpression>
#include <sqlite3.h>

#include "components/data/common/dvSystem.h"
#include "components/data/datasets/dvFieldValues.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"

namespace {

// The exact ten-thousandths of a decimal text ("12.5" gives 125000); false past four decimals.
bool DezMilesimos(const QString& texto, qint64& valor)
{
    static const QRegularExpression numero(QStringLiteral("^(-?)(\\d{1,14})(?:\\.(\\d{0,4}))?$"));
    const auto achado = numero.match(texto);
    if (!achado.hasMatch())
        return false;
    const QString decimais = (achado.captured(3) + QStringLiteral("0000")).left(4);
    valor = achado.captured(2).toLongLong() * 10000 + decimais.toLongLong();
    if (!achado.captured(1).isEmpty())
        valor = -valor;
    return true;
}

// A pattern's wildcards in SQL's LIKE: ".." any run, "@" one character; the rest literal.
QString PadraoLike(const QString& padrao)
{
    QString sql;
    for (qsizetype i = 0; i < padrao.size(); ++i) {
        const QChar c = padrao.at(i);
        if (c == QLatin1Char('.') && i + 1 < padrao.size() && padrao.at(i + 1) == QLatin1Char('.')) {
            sql += QLatin1Char('%');
            ++i;
        } else if (c == QLatin1Char('@')) {
            sql += QLatin1Char('_');
        } else {
            if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
                sql += QLatin1Char('\\');
            sql += c;
        }
    }
    return sql;
}

const char* OperadorSql(TdvQbeOperator operador)
{
    switch (operador) {
    case TdvQbeOperator::Less:
        return "<";
    case TdvQbeOperator::Greater:
        return ">";
    case TdvQbeOperator::LessOrEqual:
        return "<=";
    case TdvQbeOperator::GreaterOrEqual:
        return ">=";
    default:
        return "=";
    }
}

struct TMarca {
    int Bloco;
    int Campo;
    TdvQbeCheck Tipo;
    bool operator==(const TMarca&) const = default;
};

}   // namespace

TdvQbeSqlBuilder::TdvQbeSqlBuilder(TDatabase& database, bool blankAsZero)
    : FBanco(database)
    , FBrancoZero(blankAsZero)
{}

void TdvQbeSqlBuilder::Falha(int bloco, const QString& texto) const
{
    const int linha = FConsulta && bloco >= 0 ? FConsulta->Blocks[static_cast<std::size_t>(bloco)].Line : 0;
    throw EDBEngineError(QStringLiteral("Query-by-example, line %1: %2").arg(linha).arg(texto), SQLITE_ERROR);
}

const TFieldDef& TdvQbeSqlBuilder::Def(int bloco, int campo) const
{
    const auto b = static_cast<std::size_t>(bloco);
    return FEsquemas[b].Campos[static_cast<std::size_t>(FColunas[b][static_cast<std::size_t>(campo)])];
}

QString TdvQbeSqlBuilder::Referencia(int bloco, int campo) const
{
    return QStringLiteral("t%1.").arg(bloco + 1) + TEsquemaTabela::Aspas(Def(bloco, campo).Name);
}

QString TdvQbeSqlBuilder::Comparavel(int bloco, int campo) const
{
    if (FBrancoZero && (dvIsIntegerType(Def(bloco, campo).DataType) || dvIsFloatType(Def(bloco, campo).DataType)))
        return QStringLiteral("COALESCE(%1, 0)").arg(Referencia(bloco, campo));
    return Referencia(bloco, campo);
}

QString TdvQbeSqlBuilder::Parametro(const QVariant& valor)
{
    const QString nome = QStringLiteral("q%1").arg(FResultado.Params.size() + 1);
    FResultado.Params.emplace_back(nome, valor);
    return QLatin1Char(':') + nome;
}

QVariant TdvQbeSqlBuilder::Valor(int bloco, int campo, const TdvQbeCondition& condicao) const
{
    const TFieldDef& def = Def(bloco, campo);
    const QString& texto = condicao.Value;
    const auto naoServe = [&]() -> QVariant {
        Falha(bloco, QStringLiteral("\"%1\" does not suit field %2").arg(texto, def.Name));
    };
    if (condicao.Pattern) {
        if (!IsTextType(def.DataType))
            Falha(bloco, QStringLiteral("a pattern applies to text fields only, not to %1").arg(def.Name));
        return PadraoLike(texto);
    }
    bool ok = false;
    switch (def.DataType) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
        return texto;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
        const qint64 inteiro = texto.toLongLong(&ok);
        return ok ? QVariant(inteiro) : naoServe();
    }
    case ftBoolean:
        if (texto.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || texto == QLatin1String("1"))
            return qint64(1);
        if (texto.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || texto == QLatin1String("0"))
            return qint64(0);
        return naoServe();
    case ftFloat:
    case ftBCD: {
        const double real = texto.toDouble(&ok);
        return ok ? QVariant(real) : naoServe();
    }
    case ftCurrency: {
        qint64 dezMil = 0;
        return DezMilesimos(texto, dezMil) ? QVariant(dezMil) : naoServe();
    }
    case ftDate:
        return dvIsValidDate(texto) ? QVariant(dvTextToDate(texto)) : naoServe();
    case ftTime:
        return dvIsValidTime(texto) ? QVariant(dvTextToTime(texto)) : naoServe();
    case ftDateTime:
        if (dvIsValidDateTime(texto))
            return dvTextToDateTime(texto);
        return dvIsValidDate(texto) ? QVariant(dvTextToDate(texto)) : naoServe();
    default:
        return naoServe();
    }
}

QString TdvQbeSqlBuilder::Condicao(int bloco, int campo, const TdvQbeCondition& condicao,
                                   const std::map<QString, TColuna>& elementos)
{
    QString positiva;
    if (condicao.Operator == TdvQbeOperator::Blank) {
        const QString coluna = Referencia(bloco, campo);
        positiva = IsTextType(Def(bloco, campo).DataType) ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(coluna)
                                                          : QStringLiteral("%1 IS NULL").arg(coluna);
        return condicao.Negated ? QStringLiteral("NOT ") + positiva : positiva;
    }
    QString direita;
    if (!condicao.Element.isEmpty()) {
        const auto it = elementos.find(condicao.Element);
        if (it == elementos.end())
            Falha(bloco,
                  QStringLiteral("example element _%1 is only compared, never given a field").arg(condicao.Element));
        direita = Comparavel(it->second.Bloco, it->second.Campo);
    } else {
        direita = Parametro(Valor(bloco, campo, condicao));
    }
    if (condicao.Operator == TdvQbeOperator::Like)
        positiva = QStringLiteral("%1 LIKE %2 ESCAPE '\\'").arg(Referencia(bloco, campo), direita);
    else
        positiva = QStringLiteral("%1 %2 %3")
                       .arg(Comparavel(bloco, campo), QLatin1String(OperadorSql(condicao.Operator)), direita);
    // "not" and "<>" take the blank fields in, which a comparison with them leaves out.
    if (condicao.Negated != (condicao.Operator == TdvQbeOperator::NotEqual))
        return QStringLiteral("NOT COALESCE(%1, 0)").arg(positiva);
    return positiva;
}

void TdvQbeSqlBuilder::Prepara(const TdvQbeQuery& query)
{
    FConsulta = &query;
    FResultado = {};
    FEsquemas.clear();
    FColunas.clear();
    FDe.clear();
    FAlternativas = 1;
    const int blocos = static_cast<int>(query.Blocks.size());
    for (int b = 0; b < blocos; ++b) {
        const TdvQbeBlock& bloco = query.Blocks[static_cast<std::size_t>(b)];
        if (bloco.Table.startsWith(QLatin1Char(':')) || bloco.Table.contains(QLatin1Char('/'))
            || bloco.Table.contains(QLatin1Char('\\')))
            Falha(b, QStringLiteral("table %1 is not in this database").arg(bloco.Table));
        const QString real = FBanco.NomeReal(bloco.Table);
        if (real.isEmpty())
            Falha(b, QStringLiteral("table %1 does not exist").arg(bloco.Table));
        FEsquemas.push_back(TEsquemaTabela::Le(FBanco, real));
        std::vector<int> colunas;
        for (const QString& campo : bloco.Fields) {
            const int coluna = FEsquemas.back().IndiceCampo(campo);
            if (coluna < 0)
                Falha(b, QStringLiteral("field %1 is not in table %2").arg(campo, bloco.Table));
            colunas.push_back(coluna);
        }
        FColunas.push_back(std::move(colunas));
        FDe << QStringLiteral("%1 AS t%2").arg(TEsquemaTabela::Aspas(real)).arg(b + 1);
        FAlternativas = std::max(FAlternativas, bloco.Rows.size());
    }
    for (int b = 0; b < blocos; ++b) {
        const std::size_t linhas = query.Blocks[static_cast<std::size_t>(b)].Rows.size();
        if (linhas != 1 && linhas != FAlternativas)
            Falha(b,
                  QStringLiteral("table %1 has %2 rows where the others have %3")
                      .arg(query.Blocks[static_cast<std::size_t>(b)].Table)
                      .arg(linhas)
                      .arg(FAlternativas));
    }
}

const std::vector<TdvQbeCell>& TdvQbeSqlBuilder::Linha(int bloco, std::size_t alternativa) const
{
    const auto& rows = FConsulta->Blocks[static_cast<std::size_t>(bloco)].Rows;
    return rows.size() == 1 ? rows[0] : rows[alternativa];
}

std::map<QString, TdvQbeSqlBuilder::TColuna> TdvQbeSqlBuilder::Elementos(std::size_t alternativa, int exceto) const
{
    // The field that gives each example element: its first plain occurrence.
    std::map<QString, TColuna> elementos;
    for (int b = 0; b < static_cast<int>(FConsulta->Blocks.size()); ++b) {
        if (b == exceto)
            continue;
        const auto& celulas = Linha(b, alternativa);
        for (int c = 0; c < static_cast<int>(celulas.size()); ++c) {
            const TdvQbeCell& celula = celulas[static_cast<std::size_t>(c)];
            if (celula.Alternatives.size() != 1)
                continue;
            for (const TdvQbeCondition& cond : celula.Alternatives.front())
                if (!cond.Element.isEmpty() && cond.Operator == TdvQbeOperator::Equal && !cond.Negated)
                    elementos.try_emplace(cond.Element, TColuna{b, c});
        }
    }
    return elementos;
}

QString TdvQbeSqlBuilder::Onde(std::size_t alternativa, const std::map<QString, TColuna>& elementos, int exceto)
{
    QStringList condicoes;
    for (int b = 0; b < static_cast<int>(FConsulta->Blocks.size()); ++b) {
        if (b == exceto)
            continue;
        const auto& celulas = Linha(b, alternativa);
        for (int c = 0; c < static_cast<int>(celulas.size()); ++c) {
            QStringList ou;
            for (const auto& todas : celulas[static_cast<std::size_t>(c)].Alternatives) {
                QStringList e;
                for (const TdvQbeCondition& cond : todas) {
                    const auto it = elementos.find(cond.Element);
                    // The occurrence that gives the element asks nothing.
                    if (!cond.Element.isEmpty() && it != elementos.end() && it->second.Bloco == b
                        && it->second.Campo == c && cond.Operator == TdvQbeOperator::Equal && !cond.Negated)
                        continue;
                    e << Condicao(b, c, cond, elementos);
                }
                if (!e.isEmpty())
                    ou << e.join(QStringLiteral(" AND "));
            }
            if (!ou.isEmpty())
                condicoes << (ou.size() == 1
                                  ? ou.front()
                                  : QStringLiteral("(") + ou.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
        }
    }
    return condicoes.join(QStringLiteral(" AND "));
}

QString TdvQbeSqlBuilder::Expressao(int bloco, int campo, const TdvQbeCondition& valor,
                                    const std::map<QString, TColuna>& elementos)
{
    QString expressao;
    if (valor.Element.isEmpty()) {
        expressao = Parametro(Valor(bloco, campo, valor));
    } else {
        const auto it = elementos.find(valor.Element);
        if (it == elementos.end())
            Falha(bloco, QStringLiteral("example element _%1 is only used, never given a field").arg(valor.Element));
        expressao = Referencia(it->second.Bloco, it->second.Campo);
    }
    // SQLite keeps any length; the dataset cuts a text to its field's width, and so does this.
    const TFieldDef& def = Def(bloco, campo);
    if (def.DataType == ftString && def.Size > 0)
        expressao = QStringLiteral("substr(%1, 1, %2)").arg(expressao).arg(def.Size);
    return expressao;
}

TdvQbeSql TdvQbeSqlBuilder::Build(const TdvQbeQuery& query)
{
    if (query.ChangesData())
        throw EDBEngineError(QStringLiteral("Query-by-example: the text changes data and has no answer"), SQLITE_ERROR);
    Prepara(query);
    const int blocos = static_cast<int>(query.Blocks.size());

    std::vector<TMarca> marcas;
    QStringList onde;
    for (std::size_t a = 0; a < FAlternativas; ++a) {
        std::vector<TMarca> estas;
        for (int b = 0; b < blocos; ++b) {
            const auto& celulas = Linha(b, a);
            for (int c = 0; c < static_cast<int>(celulas.size()); ++c)
                if (celulas[static_cast<std::size_t>(c)].Check != TdvQbeCheck::None)
                    estas.push_back({b, c, celulas[static_cast<std::size_t>(c)].Check});
        }
        if (a == 0)
            marcas = estas;
        else if (estas != marcas)
            Falha(0, QStringLiteral("every row must check the same fields"));
        const QString condicoes = Onde(a, Elementos(a, -1), -1);
        onde << (condicoes.isEmpty() ? QStringLiteral("1") : condicoes);
    }
    if (marcas.empty())
        Falha(0, QStringLiteral("no field is checked: the query has no answer"));

    QStringList colunas;
    QStringList nomes;
    QStringList ordem;
    bool repetidas = false;
    for (std::size_t i = 0; i < marcas.size(); ++i) {
        const TMarca& m = marcas[i];
        QString nome = Def(m.Bloco, m.Campo).Name;
        for (int n = 1; nomes.contains(nome, Qt::CaseInsensitive); ++n)
            nome = Def(m.Bloco, m.Campo).Name + QStringLiteral("_%1").arg(n);
        nomes << nome;
        colunas << Referencia(m.Bloco, m.Campo) + QStringLiteral(" AS ") + TEsquemaTabela::Aspas(nome);
        if (m.Tipo == TdvQbeCheck::CheckPlus)
            repetidas = true;
        else
            ordem << QStringLiteral("%1 %2").arg(i + 1).arg(m.Tipo == TdvQbeCheck::CheckDescending ? "DESC" : "ASC");
    }
    FResultado.Sql = QStringLiteral("SELECT %1%2 FROM %3")
                         .arg(repetidas ? QString() : QStringLiteral("DISTINCT "), colunas.join(QStringLiteral(", ")),
                              FDe.join(QStringLiteral(", ")));
    if (onde.size() > 1)
        FResultado.Sql += QStringLiteral(" WHERE (") + onde.join(QStringLiteral(") OR (")) + QLatin1Char(')');
    else if (onde.front() != QLatin1String("1"))
        FResultado.Sql += QStringLiteral(" WHERE ") + onde.front();
    if (!ordem.isEmpty())
        FResultado.Sql += QStringLiteral(" ORDER BY ") + ordem.join(QStringLiteral(", "));
    return std::move(FResultado);
}

std::vector<TdvQbeSql> TdvQbeSqlBuilder::BuildChanges(const TdvQbeQuery& query)
{
    Prepara(query);
    const int blocos = static_cast<int>(query.Blocks.size());
    int alvo = -1;
    for (int b = 0; b < blocos; ++b) {
        const TdvQbeBlock& bloco = query.Blocks[static_cast<std::size_t>(b)];
        for (const auto& row : bloco.Rows)
            for (const TdvQbeCell& celula : row)
                if (celula.Check != TdvQbeCheck::None)
                    Falha(b, QStringLiteral("a query that changes data checks no field"));
        if (!bloco.ChangesData())
            continue;
        if (alvo >= 0)
            Falha(b, QStringLiteral("one query changes one table only"));
        alvo = b;
    }
    if (alvo < 0)
        Falha(0, QStringLiteral("the text changes no data"));
    const TdvQbeBlock& alterado = query.Blocks[static_cast<std::size_t>(alvo)];
    const QString tabela = TEsquemaTabela::Aspas(FEsquemas[static_cast<std::size_t>(alvo)].Nome);
    const QString apelido = QStringLiteral("t%1").arg(alvo + 1);
    QStringList outras = FDe;
    outras.removeAt(alvo);

    // One statement per row of the changed table, run in order: each row is its own change.
    std::vector<TdvQbeSql> comandos;
    for (std::size_t a = 0; a < alterado.Rows.size(); ++a) {
        FResultado = {};
        const auto& celulas = alterado.Rows[a];
        if (alterado.Action == TdvQbeAction::Insert) {
            const auto elementos = Elementos(a, alvo);
            QStringList campos;
            QStringList valores;
            for (int c = 0; c < static_cast<int>(celulas.size()); ++c) {
                const TdvQbeCell& celula = celulas[static_cast<std::size_t>(c)];
                if (celula.ChangeTo)
                    Falha(alvo, QStringLiteral("an inserted row changes nothing"));
                if (celula.Alternatives.empty())
                    continue;
                if (celula.Alternatives.size() != 1 || celula.Alternatives.front().size() != 1)
                    Falha(alvo, QStringLiteral("an inserted row gives one value to each field"));
                const TdvQbeCondition& valor = celula.Alternatives.front().front();
                if (valor.Operator != TdvQbeOperator::Equal || valor.Negated || valor.Pattern)
                    Falha(alvo, QStringLiteral("an inserted row gives values and example elements only"));
                campos << TEsquemaTabela::Aspas(Def(alvo, c).Name);
                valores << Expressao(alvo, c, valor, elementos);
            }
            if (campos.isEmpty())
                Falha(alvo, QStringLiteral("an inserted row gives no value"));
            const QString onde = Onde(a, elementos, alvo);
            FResultado.Sql = QStringLiteral("INSERT INTO %1 (%2) SELECT %3")
                                 .arg(tabela, campos.join(QStringLiteral(", ")), valores.join(QStringLiteral(", ")));
            if (!outras.isEmpty())
                FResultado.Sql += QStringLiteral(" FROM ") + outras.join(QStringLiteral(", "));
            if (!onde.isEmpty())
                FResultado.Sql += QStringLiteral(" WHERE ") + onde;
        } else {
            const auto elementos = Elementos(a, -1);
            QStringList mudancas;
            for (int c = 0; c < static_cast<int>(celulas.size()); ++c) {
                const TdvQbeCell& celula = celulas[static_cast<std::size_t>(c)];
                if (!celula.ChangeTo)
                    continue;
                if (alterado.Action == TdvQbeAction::Delete)
                    Falha(alvo, QStringLiteral("a deleted row changes nothing"));
                mudancas << TEsquemaTabela::Aspas(Def(alvo, c).Name) + QStringLiteral(" = ")
                        + Expressao(alvo, c, *celula.ChangeTo, elementos);
            }
            if (alterado.Action == TdvQbeAction::None && mudancas.isEmpty())
                Falha(alvo, QStringLiteral("row %1 of table %2 changes no field").arg(a + 1).arg(alterado.Table));
            const QString onde = Onde(a, elementos, -1);
            if (alterado.Action == TdvQbeAction::Delete) {
                FResultado.Sql = QStringLiteral("DELETE FROM %1 AS %2").arg(tabela, apelido);
                if (!outras.isEmpty())
                    FResultado.Sql += QStringLiteral(" WHERE EXISTS (SELECT 1 FROM %1%2)")
                                          .arg(outras.join(QStringLiteral(", ")),
                                               onde.isEmpty() ? QString() : QStringLiteral(" WHERE ") + onde);
                else if (!onde.isEmpty())
                    FResultado.Sql += QStringLiteral(" WHERE ") + onde;
            } else {
                FResultado.Sql =
                    QStringLiteral("UPDATE %1 AS %2 SET %3").arg(tabela, apelido, mudancas.join(QStringLiteral(", ")));
                if (!outras.isEmpty())
                    FResultado.Sql += QStringLiteral(" FROM ") + outras.join(QStringLiteral(", "));
                if (!onde.isEmpty())
                    FResultado.Sql += QStringLiteral(" WHERE ") + onde;
            }
        }
        comandos.push_back(std::move(FResultado));
    }
    return comandos;
}
