#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The items of a combo box: texts in order, kept sorted (without regard to case) when Sorted,
// found without regard to case, with a notice after every change.
class TdvComboItems {
public:
    std::function<void()> OnChange;

    [[nodiscard]] int Count() const { return static_cast<int>(FLinhas.size()); }
    [[nodiscard]] const QString& operator[](int i) const { return FLinhas.at(i); }
    [[nodiscard]] const QStringList& Strings() const { return FLinhas; }
    // The position where it went.
    int Add(const QString& texto);
    void Insert(int i, const QString& texto);
    void Delete(int i);
    void Clear();
    void Assign(const QStringList& linhas);
    // The first item equal to the text without regard to case, -1 when none.
    [[nodiscard]] int IndexOf(const QString& texto) const;

    [[nodiscard]] bool Sorted() const { return FSorted; }
    void SetSorted(bool valor);

private:
    void Ordena();
    void Avisa();

    QStringList FLinhas;
    bool FSorted = false;
};
