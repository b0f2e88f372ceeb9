#pragma once
#include <QVariant>
#include <vector>

// Marks one record of a dataset so that it can be found again: the values of its key (or its
// row number in a query's answer). Empty when there is no current record.
class TBookmark {
public:
    TBookmark() = default;
    explicit TBookmark(std::vector<QVariant> chave)
        : FChave(std::move(chave))
    {}

    [[nodiscard]] bool IsNull() const { return FChave.empty(); }
    [[nodiscard]] const std::vector<QVariant>& Chave() const { return FChave; }

    friend bool operator==(const TBookmark& a, const TBookmark& b) { return a.FChave == b.FChave; }
    friend bool operator!=(const TBookmark& a, const TBookmark& b) { return !(a == b); }

private:
    std::vector<QVariant> FChave;
};
