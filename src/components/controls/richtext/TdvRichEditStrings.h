#pragma once
#include <QString>
#include <QStringList>

class QIODevice;
class TdvCustomRichEdit;

// The Lines of a rich-text edit: one line per paragraph of its document. Changing a line
// changes the text in place; setting the whole text loads it without the change being taken
// for the user's edit.
class TdvRichEditStrings final {
public:
    explicit TdvRichEditStrings(TdvCustomRichEdit& dono);

    [[nodiscard]] int Count() const;
    [[nodiscard]] QString Strings(int indice) const;   // empty past the end
    void Put(int indice, const QString& texto);
    void Insert(int indice, const QString& texto);   // Count appends
    void Add(const QString& texto) { Insert(Count(), texto); }
    void Delete(int indice);
    void Clear();
    [[nodiscard]] QString Text() const;   // lines joined by CR LF
    void SetText(const QString& texto);
    [[nodiscard]] QStringList ToStringList() const;
    void BeginUpdate();
    void EndUpdate();
    void LoadFromStream(QIODevice& origem);
    void SaveToStream(QIODevice& destino) const;

private:
    TdvCustomRichEdit& FDono;
    int FAtualizacoes = 0;
};
