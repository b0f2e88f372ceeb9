#include "components/controls/richtext/dvRichSearch.h"

#include <algorithm>

namespace dvRichSearch {

namespace {

bool Palavra(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool Aceita(const QString& texto, int pos, int tamanho, unsigned opcoes)
{
    if ((opcoes & WholeWord) == 0)
        return true;
    const bool antes = pos > 0 && Palavra(texto.at(pos - 1));
    const bool depois = pos + tamanho < texto.size() && Palavra(texto.at(pos + tamanho));
    return !antes && !depois;
}

Qt::CaseSensitivity Caixa(unsigned opcoes)
{
    return (opcoes & MatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

}   // namespace

int Procura(const QString& texto, const QString& procura, int de, int ate, unsigned opcoes)
{
    const int n = static_cast<int>(procura.size());
    if (n == 0)
        return -1;
    ate = std::min(ate, static_cast<int>(texto.size()));
    for (int pos = std::max(de, 0); pos + n <= ate;) {
        pos = static_cast<int>(texto.indexOf(procura, pos, Caixa(opcoes)));
        if (pos < 0 || pos + n > ate)
            return -1;
        if (Aceita(texto, pos, n, opcoes))
            return pos;
        ++pos;
    }
    return -1;
}

int ProcuraParaTras(const QString& texto, const QString& procura, int inicio, int tamanho, unsigned opcoes)
{
    const int n = static_cast<int>(procura.size());
    if (n == 0 || inicio < 0)
        return -1;
    const int limite = inicio - tamanho;
    for (int pos = std::min(inicio, static_cast<int>(texto.size()) - n); pos >= 0 && pos >= limite; --pos) {
        pos = static_cast<int>(texto.lastIndexOf(procura, pos, Caixa(opcoes)));
        if (pos < 0 || pos < limite)
            return -1;
        if (Aceita(texto, pos, n, opcoes))
            return pos;
    }
    return -1;
}

}   // namespace dvRichSearch
