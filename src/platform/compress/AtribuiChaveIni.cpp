#include "platform/compress/AtribuiChaveIni.h"

#include <QList>

namespace {

bool EhSecao(const QByteArray& linha, QByteArray& nome)
{
    const QByteArray t = linha.trimmed();
    if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']'))
        return false;
    nome = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool EhChave(const QByteArray& linha, const QByteArray& chave)
{
    const qsizetype igual = linha.indexOf('=');
    return igual > 0 && linha.left(igual).trimmed().compare(chave, Qt::CaseInsensitive) == 0;
}

}  // namespace

QByteArray AtribuiChaveIni(const QByteArray& texto, const QByteArray& secao, const QByteArray& chave,
                           const QByteArray& valor)
{
    QList<QByteArray> linhas = texto.split('\n');
    for (auto& l : linhas)
        if (l.endsWith('\r'))
            l.chop(1);
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();   // the line end of the last line, not an empty line

    const QByteArray nova = chave + '=' + valor;
    qsizetype inicio = -1;     // index of the section's heading
    qsizetype ultima = -1;     // last non-blank line of the section
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        QByteArray nome;
        if (EhSecao(linhas[i], nome)) {
            if (inicio >= 0)
                break;
            if (nome.compare(secao, Qt::CaseInsensitive) == 0)
                inicio = ultima = i;
            continue;
        }
        if (inicio < 0)
            continue;
        if (EhChave(linhas[i], chave)) {
            linhas[i] = nova;
            return linhas.join("\r\n") + "\r\n";
        }
        if (!linhas[i].trimmed().isEmpty())
            ultima = i;
    }
    if (inicio >= 0) {
        linhas.insert(ultima + 1, nova);
    } else {
        linhas.append('[' + secao + ']');
        linhas.append(nova);
    }
    return linhas.join("\r\n") + "\r\n";
}
