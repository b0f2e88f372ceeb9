#include "components/controls/richtext/TdvRichEditStrings.h"

#include <QIODevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "components/controls/richtext/TdvCustomRichEdit.h"

TdvRichEditStrings::TdvRichEditStrings(TdvCustomRichEdit& dono)
    : FDono(dono)
{}

int TdvRichEditStrings::Count() const
{
    const QTextDocument* d = FDono.document();
    // An empty document holds one empty block and no line.
    return d->isEmpty() ? 0 : d->blockCount();
}

QString TdvRichEditStrings::Strings(int indice) const
{
    const QTextBlock bloco = FDono.document()->findBlockByNumber(indice);
    return indice >= 0 && indice < Count() && bloco.isValid() ? bloco.text() : QString();
}

void TdvRichEditStrings::Put(int indice, const QString& texto)
{
    const QTextBlock bloco = FDono.document()->findBlockByNumber(indice);
    if (indice < 0 || indice >= Count() || !bloco.isValid())
        return;
    QTextCursor c(bloco);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(texto);
}

void TdvRichEditStrings::Insert(int indice, const QString& texto)
{
    const int n = Count();
    if (indice < 0 || indice > n)
        return;
    QTextDocument* d = FDono.document();
    if (n == 0) {
        QTextCursor(d).insertText(texto);
    } else if (indice == n) {
        QTextCursor c(d);
        c.movePosition(QTextCursor::End);
        c.insertBlock();
        c.insertText(texto);
    } else {
        QTextCursor c(d->findBlockByNumber(indice));
        c.insertText(texto);
        c.insertBlock();
    }
}

void TdvRichEditStrings::Delete(int indice)
{
    const int n = Count();
    if (indice < 0 || indice >= n)
        return;
    const QTextBlock bloco = FDono.document()->findBlockByNumber(indice);
    QTextCursor c(bloco);
    if (indice < n - 1) {
        c.setPosition(bloco.next().position(), QTextCursor::KeepAnchor);
    } else if (indice > 0) {
        c.setPosition(bloco.previous().position() + bloco.previous().length() - 1);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    } else {
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    c.removeSelectedText();
}

void TdvRichEditStrings::Clear()
{
    FDono.SetText(QString());
}

QString TdvRichEditStrings::Text() const
{
    return ToStringList().join(QStringLiteral("\r\n"));
}

void TdvRichEditStrings::SetText(const QString& texto)
{
    FDono.SetText(texto);
}

QStringList TdvRichEditStrings::ToStringList() const
{
    QStringList linhas;
    const int n = Count();
    for (int i = 0; i < n; ++i)
        linhas << Strings(i);
    return linhas;
}

void TdvRichEditStrings::BeginUpdate()
{
    if (FAtualizacoes++ == 0)
        FDono.setUpdatesEnabled(false);
}

void TdvRichEditStrings::EndUpdate()
{
    if (FAtualizacoes > 0 && --FAtualizacoes == 0)
        FDono.setUpdatesEnabled(true);
}

void TdvRichEditStrings::LoadFromStream(QIODevice& origem)
{
    FDono.LoadFromStreamAs(origem, false);
}

void TdvRichEditStrings::SaveToStream(QIODevice& destino) const
{
    destino.write(FDono.SaveToBytes());
}
