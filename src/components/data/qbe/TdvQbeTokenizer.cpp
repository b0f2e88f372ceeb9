#include "components/data/qbe/TdvQbeTokenizer.h"

#include <sqlite3.h>

#include "platform/db/sqlite/EDatabaseError.h"

namespace {

bool IsElementChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool IsOperatorChar(QChar c)
{
    return c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>');
}

}   // namespace

std::vector<TdvQbeToken> TdvQbeTokenizer::Tokens(const QString& cell)
{
    std::vector<TdvQbeToken> tokens;
    qsizetype i = 0;
    const qsizetype n = cell.size();
    bool espaco = false;
    while (i < n) {
        const QChar c = cell.at(i);
        if (c.isSpace()) {
            espaco = true;
            ++i;
            continue;
        }
        TdvQbeToken token;
        token.SpaceBefore = espaco;
        espaco = false;
        if (c == QLatin1Char('"')) {
            ++i;
            bool fechado = false;
            while (i < n) {
                const QChar d = cell.at(i++);
                if (d == QLatin1Char('\\') && i < n) {
                    token.Text += cell.at(i++);
                } else if (d == QLatin1Char('"')) {
                    fechado = true;
                    break;
                } else {
                    token.Text += d;
                }
            }
            if (!fechado)
                throw EDBEngineError(QStringLiteral("a quoted text is not closed: %1").arg(cell.trimmed()),
                                     SQLITE_ERROR);
            token.Kind = TdvQbeTokenKind::Quoted;
        } else if (c == QLatin1Char(',')) {
            token.Kind = TdvQbeTokenKind::Comma;
            token.Text = c;
            ++i;
        } else if (IsOperatorChar(c)) {
            token.Kind = TdvQbeTokenKind::Operator;
            token.Text = c;
            ++i;
            // "<=", ">=" and "<>" are one operator.
            if (i < n && c != QLatin1Char('=')
                && (cell.at(i) == QLatin1Char('=') || (c == QLatin1Char('<') && cell.at(i) == QLatin1Char('>'))))
                token.Text += cell.at(i++);
        } else if (c == QLatin1Char('_') && i + 1 < n && IsElementChar(cell.at(i + 1))) {
            token.Kind = TdvQbeTokenKind::Element;
            ++i;
            while (i < n && IsElementChar(cell.at(i)))
                token.Text += cell.at(i++);
            token.Text = token.Text.toLower();
        } else {
            token.Kind = TdvQbeTokenKind::Word;
            while (i < n && !cell.at(i).isSpace() && cell.at(i) != QLatin1Char(',') && cell.at(i) != QLatin1Char('"')
                   && !IsOperatorChar(cell.at(i)))
                token.Text += cell.at(i++);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}
