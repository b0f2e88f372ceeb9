#pragma once
#include <QString>

// Text search of the rich-text edit over its document's raw text (positions are the cursor's).
namespace dvRichSearch {

enum : unsigned { MatchCase = 1, WholeWord = 2 };

// The first match that starts from de and ends by ate; -1 when none. A whole word has no
// letter, digit or underscore right before or after it.
[[nodiscard]] int Procura(const QString& texto, const QString& procura, int de, int ate, unsigned opcoes);
// The last match that starts at inicio or before, but not before inicio - tamanho; -1 when none.
[[nodiscard]] int ProcuraParaTras(const QString& texto, const QString& procura, int inicio, int tamanho,
                                  unsigned opcoes);

}   // namespace dvRichSearch
