#include "components/data/qbe/TdvQbeParser.h"

#include <sqlite3.h>

#include "components/data/qbe/TdvQbeTokenizer.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace {

[[noreturn]] void Falha(int linha, const QString& texto)
{
    throw EDBEngineError(QStringLiteral("Query-by-example, line %1: %2").arg(linha).arg(texto), SQLITE_ERROR);
}

bool EhPalavra(const TdvQbeToken& t, const char* palavra)
{
    return t.Kind == TdvQbeTokenKind::Word && t.Text.compare(QLatin1String(palavra), Qt::CaseInsensitive) == 0;
}

// The parts of a line between its bars; the empty part after a final bar is dropped.
QStringList Partes(const QString& linha)
{
    QStringList partes = linha.split(QLatin1Char('|'));
    if (partes.size() > 1 && partes.back().trimmed().isEmpty())
        partes.removeLast();
    for (QString& p : partes)
        p = p.trimmed();
    return partes;
}

TdvQbeCondition Condicao(const std::vector<TdvQbeToken>& tokens, int linha)
{
    TdvQbeCondition c;
    std::size_t i = 0;
    if (i < tokens.size() && EhPalavra(tokens[i], "not")) {
        c.Negated = true;
        ++i;
    }
    bool temOperador = false;
    if (i < tokens.size() && tokens[i].Kind == TdvQbeTokenKind::Operator) {
        static const struct {
            const char* Texto;
            TdvQbeOperator Operador;
        } operadores[] = {
            {"=", TdvQbeOperator::Equal},   {"<>", TdvQbeOperator::NotEqual},    {"<", TdvQbeOperator::Less},
            {">", TdvQbeOperator::Greater}, {"<=", TdvQbeOperator::LessOrEqual}, {">=", TdvQbeOperator::GreaterOrEqual},
        };
        for (const auto& o : operadores)
            if (tokens[i].Text == QLatin1String(o.Texto))
                c.Operator = o.Operador;
        temOperador = true;
        ++i;
    } else if (i < tokens.size() && EhPalavra(tokens[i], "like")) {
        c.Operator = TdvQbeOperator::Like;
        temOperador = true;
        ++i;
    } else if (i + 1 == tokens.size() && EhPalavra(tokens[i], "blank")) {
        c.Operator = TdvQbeOperator::Blank;
        return c;
    }
    if (i == tokens.size())
        Falha(linha,
              temOperador || c.Negated ? QStringLiteral("an operator without a value")
                                       : QStringLiteral("an empty condition"));

    const TdvQbeToken& primeiro = tokens[i];
    if (primeiro.Kind == TdvQbeTokenKind::Element || primeiro.Kind == TdvQbeTokenKind::Quoted) {
        if (i + 1 != tokens.size())
            Falha(linha, QStringLiteral("unexpected text after \"%1\"").arg(primeiro.Text));
        if (primeiro.Kind == TdvQbeTokenKind::Element) {
            if (c.Operator == TdvQbeOperator::Like)
                Falha(linha, QStringLiteral("\"like\" needs a pattern, not an example element"));
            c.Element = primeiro.Text;
        } else {
            c.Value = primeiro.Text;
        }
    } else {
        // Words and blanks between them make one value, as written.
        for (; i < tokens.size(); ++i) {
            if (tokens[i].Kind != TdvQbeTokenKind::Word)
                Falha(linha, QStringLiteral("\"%1\" cannot follow a value").arg(tokens[i].Text));
            if (!c.Value.isEmpty() && tokens[i].SpaceBefore)
                c.Value += QLatin1Char(' ');
            c.Value += tokens[i].Text;
        }
        c.Pattern = c.Value.contains(QLatin1String("..")) || c.Value.contains(QLatin1Char('@'));
        if (c.Pattern && c.Operator == TdvQbeOperator::Equal)
            c.Operator = TdvQbeOperator::Like;
    }
    if (c.Operator == TdvQbeOperator::Like)
        c.Pattern = true;
    return c;
}

}   // namespace

TdvQbeCell TdvQbeParser::ParseCell(const QString& text, int line)
{
    TdvQbeCell celula;
    std::vector<TdvQbeToken> tokens = TdvQbeTokenizer::Tokens(text);
    std::size_t i = 0;
    if (!tokens.empty()) {
        if (EhPalavra(tokens[0], "check"))
            celula.Check = TdvQbeCheck::Check;
        else if (EhPalavra(tokens[0], "checkplus"))
            celula.Check = TdvQbeCheck::CheckPlus;
        else if (EhPalavra(tokens[0], "checkdescending"))
            celula.Check = TdvQbeCheck::CheckDescending;
        if (celula.Check != TdvQbeCheck::None)
            i = 1;
    }
    // "changeto" and its value end the cell; a comma may part it from the conditions.
    for (std::size_t j = i; j < tokens.size(); ++j) {
        if (!EhPalavra(tokens[j], "changeto"))
            continue;
        const std::vector<TdvQbeToken> valor(tokens.begin() + static_cast<std::ptrdiff_t>(j) + 1, tokens.end());
        if (valor.empty())
            Falha(line, QStringLiteral("\"changeto\" without a value"));
        TdvQbeCondition novo = Condicao(valor, line);
        if (novo.Operator != TdvQbeOperator::Equal || novo.Negated || novo.Pattern)
            Falha(line, QStringLiteral("\"changeto\" takes a value or an example element only"));
        celula.ChangeTo = novo;
        tokens.resize(j > i && tokens[j - 1].Kind == TdvQbeTokenKind::Comma ? j - 1 : j);
        break;
    }
    if (i == tokens.size())
        return celula;
    // Alternatives split by "or", conditions by ",".
    celula.Alternatives.emplace_back();
    std::vector<TdvQbeToken> atual;
    const auto fechaCondicao = [&] {
        celula.Alternatives.back().push_back(Condicao(atual, line));
        atual.clear();
    };
    for (; i < tokens.size(); ++i) {
        if (tokens[i].Kind == TdvQbeTokenKind::Comma) {
            fechaCondicao();
        } else if (EhPalavra(tokens[i], "or")) {
            fechaCondicao();
            celula.Alternatives.emplace_back();
        } else {
            atual.push_back(tokens[i]);
        }
    }
    fechaCondicao();
    return celula;
}

TdvQbeQuery TdvQbeParser::Parse(const QString& text)
{
    TdvQbeQuery consulta;
    const QStringList linhas = text.split(QLatin1Char('\n'));
    TdvQbeBlock* bloco = nullptr;
    for (int n = 0; n < linhas.size(); ++n) {
        const int numero = n + 1;
        QString linha = linhas[n];
        if (linha.endsWith(QLatin1Char('\r')))
            linha.chop(1);
        const QString limpa = linha.trimmed();
        if (limpa.isEmpty()) {
            bloco = nullptr;
            continue;
        }
        if (!limpa.contains(QLatin1Char('|'))) {
            if (limpa.compare(QLatin1String("Query"), Qt::CaseInsensitive) == 0
                || limpa.compare(QLatin1String("EndQuery"), Qt::CaseInsensitive) == 0
                || limpa.startsWith(QLatin1String("ANSWER:"), Qt::CaseInsensitive)) {
                bloco = nullptr;
                continue;
            }
            if (bloco)
                Falha(numero, QStringLiteral("a row of table %1 without \"|\"").arg(bloco->Table));
            Falha(numero, QStringLiteral("\"%1\" is not understood").arg(limpa));
        }
        const QStringList partes = Partes(linha);
        if (!bloco) {
            TdvQbeBlock novo;
            novo.Table = partes.value(0);
            novo.Fields = partes.mid(1);
            novo.Line = numero;
            if (novo.Table.isEmpty())
                Falha(numero, QStringLiteral("a table heading without the table's name"));
            if (novo.Fields.isEmpty())
                Falha(numero, QStringLiteral("table %1 names no field").arg(novo.Table));
            for (const QString& campo : novo.Fields)
                if (campo.isEmpty())
                    Falha(numero, QStringLiteral("table %1 has a field heading without a name").arg(novo.Table));
            consulta.Blocks.push_back(std::move(novo));
            bloco = &consulta.Blocks.back();
            continue;
        }
        const QString palavra = partes.value(0);
        TdvQbeAction acao = TdvQbeAction::None;
        if (palavra.compare(QLatin1String("insert"), Qt::CaseInsensitive) == 0)
            acao = TdvQbeAction::Insert;
        else if (palavra.compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0)
            acao = TdvQbeAction::Delete;
        else if (!palavra.isEmpty())
            Falha(numero, QStringLiteral("\"%1\" under the table's name is not understood").arg(palavra));
        if (bloco->Rows.empty())
            bloco->Action = acao;
        else if (acao != bloco->Action)
            Falha(numero,
                  QStringLiteral("every row of table %1 must carry the same word under its name").arg(bloco->Table));
        if (partes.size() - 1 > bloco->Fields.size())
            Falha(numero, QStringLiteral("more cells than table %1 has fields").arg(bloco->Table));
        std::vector<TdvQbeCell> celulas;
        for (int c = 0; c < bloco->Fields.size(); ++c)
            celulas.push_back(ParseCell(partes.value(c + 1), numero));
        bloco->Rows.push_back(std::move(celulas));
    }
    if (consulta.Blocks.empty())
        Falha(linhas.size(), QStringLiteral("the text names no table"));
    for (const TdvQbeBlock& b : consulta.Blocks)
        if (b.Rows.empty())
            Falha(b.Line, QStringLiteral("table %1 has no example row").arg(b.Table));
    return consulta;
}
