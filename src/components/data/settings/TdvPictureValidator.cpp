#include "components/data/settings/TdvPictureValidator.h"

#include "components/data/common/dvCommon.h"

namespace {

bool IsComplete(TPicResult r)
{
    return r == TPicResult::prComplete || r == TPicResult::prAmbiguous;
}

bool IsIncomplete(TPicResult r)
{
    return r == TPicResult::prIncomplete || r == TPicResult::prIncompNoFill;
}

bool IsLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u > 128;
}

QChar AsciiUpper(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 'a' + 'A')) : c;
}

// Characters that end the literals auto-fill may append.
bool IsSpecial(QChar c)
{
    static const QString especiais = QStringLiteral(" !#&*,?@[]{}~");
    return especiais.contains(c);
}

// How deep a position lies inside optional parts and groups.
struct TProfundidade {
    int Colchetes = 0;
    int Chaves = 0;

    void Conta(QChar c)
    {
        if (c == QLatin1Char('['))
            ++Colchetes;
        else if (c == QLatin1Char(']'))
            --Colchetes;
        else if (c == QLatin1Char('{'))
            ++Chaves;
        else if (c == QLatin1Char('}'))
            --Chaves;
    }
    [[nodiscard]] bool Fora() const { return Colchetes == 0 && Chaves == 0; }
};

// One match of an input against a picture. Positions are indexes; "term" is the index where the
// part being matched ends (the end of the picture, or the closing bracket of a group).
class TCasamento {
public:
    TCasamento(const QString& picture, QString& input)
        : FPic(picture)
        , FIn(input)
    {}

    TPicResult Run()
    {
        FI = 0;
        FJ = 0;
        return Process(int(FPic.size()));
    }

    [[nodiscard]] int I() const { return FI; }
    [[nodiscard]] int J() const { return FJ; }

private:
    [[nodiscard]] QChar P(int k) const { return k >= 0 && k < FPic.size() ? FPic[k] : QChar(); }

    void Consume(QChar c)
    {
        FIn[FJ] = c;
        ++FJ;
        ++FI;
    }

    // Moves k past one item: a character, an escaped character, a bracketed part or a
    // repetition with its item.
    void ToGroupEnd(int& k, int term) const
    {
        TProfundidade profundidade;
        do {
            if (k >= term)
                return;
            const QChar c = P(k);
            profundidade.Conta(c);
            if (c == QLatin1Char(';'))
                ++k;
            else if (c == QLatin1Char('*')) {
                ++k;
                while (dvIsDigit(P(k)))
                    ++k;
                ToGroupEnd(k, term);
                continue;
            }
            ++k;
        } while (!profundidade.Fora());
    }

    // Moves FI to the start of the next alternative; false when there is none.
    bool SkipToComma(int term)
    {
        do {
            ToGroupEnd(FI, term);
        } while (FI < term && P(FI) != QLatin1Char(','));
        if (FI < term && P(FI) == QLatin1Char(','))
            ++FI;
        return FI < term;
    }

    [[nodiscard]] int CalcTerm(int term) const
    {
        int k = FI;
        ToGroupEnd(k, term);
        return k;
    }

    TPicResult Iteration(int term)
    {
        int vezes = 0;
        ++FI;   // the '*'
        while (dvIsDigit(P(FI))) {
            vezes = vezes * 10 + (P(FI).unicode() - '0');
            ++FI;
        }
        if (FI >= term)
            return TPicResult::prSyntax;

        const int inicio = FI;
        const int fim = CalcTerm(term);
        TPicResult r = TPicResult::prError;
        if (vezes != 0) {
            for (int n = 0; n < vezes; ++n) {
                FI = inicio;
                r = Process(fim);
                if (!IsComplete(r))
                    return r == TPicResult::prEmpty ? TPicResult::prIncomplete : r;
            }
        } else {
            for (;;) {
                FI = inicio;
                const int antes = FJ;
                r = Process(fim);
                if (!IsComplete(r))
                    break;
                if (FJ == antes) {   // an item that takes nothing would repeat for ever
                    r = TPicResult::prAmbiguous;
                    break;
                }
            }
            if (r == TPicResult::prEmpty || r == TPicResult::prError)
                r = TPicResult::prAmbiguous;
        }
        FI = fim;
        return r;
    }

    TPicResult Group(int term)
    {
        const int fim = CalcTerm(term);
        ++FI;   // the opening bracket
        const TPicResult r = Process(fim - 1);
        if (!IsIncomplete(r))
            FI = fim;
        return r;
    }

    // The input ran out: an incomplete match is complete when only optional parts remain.
    [[nodiscard]] TPicResult CheckComplete(TPicResult r, int term) const
    {
        if (!IsIncomplete(r))
            return r;
        int k = FI;
        for (;;) {
            if (P(k) == QLatin1Char('['))
                ToGroupEnd(k, term);
            else if (P(k) == QLatin1Char('*') && !dvIsDigit(P(k + 1)) && k < term) {
                ++k;
                ToGroupEnd(k, term);
            } else
                break;
            if (k >= term)
                break;
        }
        return k >= term ? TPicResult::prAmbiguous : r;
    }

    // Matches one alternative, up to the next ',' or term.
    TPicResult Scan(int term)
    {
        TPicResult r = TPicResult::prEmpty;
        while (FI < term && P(FI) != QLatin1Char(',')) {
            if (FJ >= FIn.size())
                return CheckComplete(r, term);
            QChar c = FIn[FJ];
            const QChar p = P(FI);
            if (p == QLatin1Char('#')) {
                if (!dvIsDigit(c))
                    return TPicResult::prError;
                Consume(c);
            } else if (p == QLatin1Char('?')) {
                if (!IsLetter(c))
                    return TPicResult::prError;
                Consume(c);
            } else if (p == QLatin1Char('&')) {
                if (!IsLetter(c))
                    return TPicResult::prError;
                Consume(c.toUpper());
            } else if (p == QLatin1Char('~')) {
                if (!IsLetter(c))
                    return TPicResult::prError;
                Consume(c.toLower());
            } else if (p == QLatin1Char('!')) {
                Consume(c.toUpper());
            } else if (p == QLatin1Char('@')) {
                Consume(c);
            } else if (p == QLatin1Char('*')) {
                r = Iteration(term);
                if (!IsComplete(r))
                    return r;
            } else if (p == QLatin1Char('{')) {
                r = Group(term);
                if (!IsComplete(r))
                    return r;
            } else if (p == QLatin1Char('[')) {
                r = Group(term);
                if (IsIncomplete(r))
                    return r;
                if (r == TPicResult::prError)
                    r = TPicResult::prAmbiguous;
            } else {
                if (p == QLatin1Char(';'))
                    ++FI;
                const QChar literal = P(FI);
                if (AsciiUpper(literal) != AsciiUpper(c)) {
                    // A blank typed last where a literal belongs stands for that literal.
                    if (c == QLatin1Char(' ') && FJ == FIn.size() - 1)
                        c = literal;
                    else
                        return TPicResult::prError;
                }
                Consume(literal);
            }
            r = r == TPicResult::prAmbiguous ? TPicResult::prIncompNoFill : TPicResult::prIncomplete;
        }
        return r == TPicResult::prIncompNoFill ? TPicResult::prAmbiguous : TPicResult::prComplete;
    }

    // Tries the alternatives of pic[FI, term) in turn. A failed try leaves the input as it was;
    // an incomplete one is kept in case no later alternative goes further.
    TPicResult Process(int term)
    {
        int inicioI = FI;
        const int inicioJ = FJ;
        const QString textoInicial = FIn;
        bool incompleto = false;
        int incI = 0;
        int incJ = 0;
        QString incTexto;
        TPicResult resultado = TPicResult::prError;
        TPicResult r;
        for (;;) {
            r = Scan(term);
            if (IsComplete(r) && incompleto && FJ < incJ) {
                r = TPicResult::prIncomplete;
                FJ = incJ;
            }
            if (r != TPicResult::prError && r != TPicResult::prIncomplete)
                break;
            resultado = r;
            if (!incompleto && r == TPicResult::prIncomplete) {
                incompleto = true;
                incI = FI;
                incJ = FJ;
                incTexto = FIn;
            }
            FI = inicioI;
            FJ = inicioJ;
            FIn = textoInicial;
            if (!SkipToComma(term)) {
                if (incompleto) {
                    FI = incI;
                    FJ = incJ;
                    FIn = incTexto;
                    return TPicResult::prIncomplete;
                }
                return resultado;
            }
            inicioI = FI;
        }
        if (r == TPicResult::prComplete && incompleto)
            return TPicResult::prAmbiguous;
        return r;
    }

    const QString& FPic;
    QString& FIn;
    int FI = 0;
    int FJ = 0;
};

}   // namespace

TdvPictureValidator::TdvPictureValidator(const QString& picture, bool autoFill)
    : FOptions(autoFill ? 5 : 4)
    , FPicture(picture)
{
    QString vazio;
    if (Picture(vazio, false) != TPicResult::prEmpty)
        FStatus = 1;
}

bool TdvPictureValidator::SyntaxOk() const
{
    const qsizetype n = FPicture.size();
    if (n == 0)
        return false;
    if (FPicture[n - 1] == QLatin1Char(';'))
        return false;
    if (FPicture[n - 1] == QLatin1Char('*') && (n < 2 || FPicture[n - 2] != QLatin1Char(';')))
        return false;
    TProfundidade profundidade;
    for (qsizetype k = 0; k < n; ++k) {
        if (FPicture[k] == QLatin1Char(';'))
            ++k;   // an escaped character is no bracket
        else
            profundidade.Conta(FPicture[k]);
    }
    return profundidade.Fora();
}

TPicResult TdvPictureValidator::Picture(QString& input, bool autoFill) const
{
    if (!SyntaxOk())
        return TPicResult::prSyntax;
    if (input.isEmpty())
        return TPicResult::prEmpty;

    QString texto = input;
    TCasamento casamento(FPicture, texto);
    TPicResult r = casamento.Run();
    if (r != TPicResult::prError && r != TPicResult::prSyntax && casamento.J() < texto.size())
        r = TPicResult::prError;

    if (r == TPicResult::prIncomplete && autoFill) {
        int i = casamento.I();
        bool preencheu = false;
        while (i < FPicture.size() && !IsSpecial(FPicture[i])) {
            if (FPicture[i] == QLatin1Char(';'))
                ++i;
            texto += FPicture[i];
            ++i;
            preencheu = true;
        }
        if (preencheu)
            r = casamento.Run();
    }

    if (r == TPicResult::prError)
        return r;   // the text stays as typed
    input = texto;
    if (r == TPicResult::prAmbiguous)
        return TPicResult::prComplete;
    if (r == TPicResult::prIncompNoFill)
        return TPicResult::prIncomplete;
    return r;
}

bool TdvPictureValidator::IsValidInput(QString& text, bool suppressFill) const
{
    if (FPicture.isEmpty())
        return true;
    const bool preenche = (FOptions & 1) != 0 && !suppressFill;
    return Picture(text, preenche) != TPicResult::prError;
}

bool TdvPictureValidator::IsValid(const QString& text) const
{
    if (FPicture.isEmpty())
        return true;
    QString copia = text;
    const TPicResult r = Picture(copia, false);
    return r == TPicResult::prComplete || r == TPicResult::prEmpty;
}
