#include "components/controls/richtext/TdvUrlHighlighter.h"

#include <QRegularExpression>

#include "components/controls/richtext/TdvCustomRichEdit.h"

TdvUrlHighlighter::TdvUrlHighlighter(TdvCustomRichEdit& editor)
    : QSyntaxHighlighter(editor.document())
    , FEditor(editor)
{}

QList<std::pair<int, int>> TdvUrlHighlighter::Links(const QString& texto)
{
    static const QRegularExpression url(QStringLiteral(R"((?:https?://|ftp://|file://|mailto:|www\.)[^\s<>"]+)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QList<std::pair<int, int>> links;
    for (auto it = url.globalMatch(texto); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        links.append({static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength())});
    }
    return links;
}

void TdvUrlHighlighter::highlightBlock(const QString& texto)
{
    if (!FEditor.AutoURLDetect())
        return;
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    for (const auto& [inicio, tamanho] : Links(texto))
        setFormat(inicio, tamanho, link);
}
