#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// Cuts the text of one cell of a query-by-example row into its words: quoted texts, example
// elements ("_" followed by letters, digits or "_"), the comparison operators, commas and the
// runs of other characters between blanks.
enum class TdvQbeTokenKind : std::uint8_t { Word, Quoted, Element, Operator, Comma };

struct TdvQbeToken {
    TdvQbeTokenKind Kind = TdvQbeTokenKind::Word;
    QString Text;   // a quoted text without its quotes; an element without its "_"
    bool SpaceBefore = false;
};

class TdvQbeTokenizer final {
public:
    // Raises EDBEngineError for a quoted text that is not closed. Inside quotes, "\" takes the
    // next character as it is.
    static std::vector<TdvQbeToken> Tokens(const QString& cell);
};
