#include "components/data/dvRichText.h"

#include <vector>

namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document's text.
bool IsHiddenDestination(const QByteArray& palavra)
{
    static const char* const ocultos[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "object",
                                          "header", "footer", "headerl", "headerr", "footerl", "footerr",
                                          "listtable", "listoverridetable", "rsidtbl", "generator",
                                          "themedata", "datastore", "latentstyles", "fldinst"};
    for (const char* o : ocultos)
        if (palavra == o)
            return true;
    return false;
}

// Windows-1252: Latin-1 but for 0x80 to 0x9F (unassigned bytes keep their code).
QChar Cp1252(int byte)
{
    static const char16_t faixa80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(faixa80[byte - 0x80]);
    return QChar(char16_t(byte));
}

struct TEstado {
    bool Oculto = false;
    int SaltoUnicode = 1;   // fallback characters after a \u escape
};

}  // namespace

bool dvIsRichText(const QByteArray& content)
{
    return content.startsWith("{\\rtf");
}

QString dvRichTextToPlain(const QByteArray& content)
{
    if (!dvIsRichText(content))
        return QString::fromLatin1(content);

    QString texto;
    std::vector<TEstado> pilha{TEstado{}};
    int saltar = 0;   // fallback characters still to skip
    const qsizetype n = content.size();
    auto emite = [&](QChar c) {
        if (saltar > 0) {
            --saltar;
            return;
        }
        if (!pilha.back().Oculto)
            texto += c;
    };

    for (qsizetype k = 0; k < n; ++k) {
        const char c = content[k];
        if (c == '{') {
            pilha.push_back(pilha.back());
            saltar = 0;
        } else if (c == '}') {
            if (pilha.size() > 1)
                pilha.pop_back();
            saltar = 0;
        } else if (c == '\r' || c == '\n') {
            continue;
        } else if (c != '\\') {
            emite(QLatin1Char(c));
        } else if (k + 1 < n) {
            const char s = content[k + 1];
            if (IsLetter(s)) {
                qsizetype f = k + 1;
                while (f < n && IsLetter(content[f]))
                    ++f;
                const QByteArray palavra = content.mid(k + 1, f - k - 1);
                bool temParametro = false;
                int parametro = 0;
                bool negativo = false;
                if (f < n && content[f] == '-') {
                    negativo = true;
                    ++f;
                }
                while (f < n && IsDigit(content[f])) {
                    parametro = parametro * 10 + (content[f] - '0');
                    temParametro = true;
                    ++f;
                }
                if (negativo)
                    parametro = -parametro;
                if (f < n && content[f] == ' ')
                    ++f;
                k = f - 1;
                if (IsHiddenDestination(palavra))
                    pilha.back().Oculto = true;
                else if (palavra == "par" || palavra == "line")
                    emite(QLatin1Char('\n'));
                else if (palavra == "tab")
                    emite(QLatin1Char('\t'));
                else if (palavra == "uc" && temParametro)
                    pilha.back().SaltoUnicode = parametro;
                else if (palavra == "u" && temParametro) {
                    emite(QChar(char16_t(parametro < 0 ? parametro + 65536 : parametro)));
                    saltar = pilha.back().SaltoUnicode;
                }
            } else if (s == '\'') {
                // Two hex digits; a broken escape gives nothing.
                qsizetype f = k + 2;
                int valor = 0;
                while (f < n && f < k + 4 && HexValue(content[f]) >= 0)
                    valor = valor * 16 + HexValue(content[f++]);
                if (f == k + 4)
                    emite(Cp1252(valor));
                k = f - 1;
            } else {
                if (s == '*')
                    pilha.back().Oculto = true;   // an optional destination this reader does not know
                else if (s == '\\' || s == '{' || s == '}')
                    emite(QLatin1Char(s));
                else if (s == '~')
                    emite(QLatin1Char(' '));
                else if (s == '_')
                    emite(QLatin1Char('-'));
                ++k;
            }
        }
    }
    while (texto.endsWith(QLatin1Char('\n')))
        texto.chop(1);
    return texto;
}
