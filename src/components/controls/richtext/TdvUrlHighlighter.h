#pragma once
#include <QSyntaxHighlighter>

class TdvCustomRichEdit;

// Shows the links of a rich-text edit with URL detection on as links (blue, underlined). Only
// the display changes: the content and its rich text stay as they are.
class TdvUrlHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit TdvUrlHighlighter(TdvCustomRichEdit& editor);

    // The links of a paragraph's text: start and length of each.
    [[nodiscard]] static QList<std::pair<int, int>> Links(const QString& texto);

protected:
    void highlightBlock(const QString& texto) override;

private:
    TdvCustomRichEdit& FEditor;
};
