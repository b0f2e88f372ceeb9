#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

// An INI file could not be read back before a change, or could not be written; the text is
// the system's, Erro its error number (0 when none). The file is then as it was.
class EIniFile : public std::runtime_error {
public:
    explicit EIniFile(const std::string& texto, int erro = 0)
        : std::runtime_error(texto)
        , FErro(erro)
    {}
    [[nodiscard]] int Erro() const { return FErro; }

private:
    int FErro;
};

// An INI file kept in its own order. Sections and keys match without regard to case or to the
// blanks around them; a value is the raw text after the first "=" (no trimming, no quotes taken
// off). Comments, blank lines and unknown lines stay where they are; a new key goes at the end of its section and a
// new section at the end of the file. Every read looks at the file afresh and every change is
// written at once, to a temporary name beside the file and then renamed, so several objects
// on one file never overwrite each other's keys. Latin-1 with CR LF; LF alone reads as well.
// A missing or unreadable file reads as empty.
class TIniFile final {
public:
    explicit TIniFile(QString caminho);

    [[nodiscard]] const QString& FileName() const { return FCaminho; }

    // A file's lines as they are read: split at LF, a CR before it dropped.
    [[nodiscard]] static QList<QByteArray> Linhas(const QByteArray& bytes);

    [[nodiscard]] QString ReadString(const QString& secao, const QString& chave, const QString& padrao) const;
    // As ReadString, but a file that exists and cannot be read raises EIniFile instead of
    // reading as empty: for a value whose absence would be taken for an answer.
    [[nodiscard]] QString ReadStringChecked(const QString& secao, const QString& chave, const QString& padrao) const;
    // A value that is not a decimal integer gives the default.
    [[nodiscard]] int ReadInteger(const QString& secao, const QString& chave, int padrao) const;
    // A whole number other than 0 is true; a value that is not one gives the default.
    [[nodiscard]] bool ReadBool(const QString& secao, const QString& chave, bool padrao) const;
    // The key names of a section, in file order.
    [[nodiscard]] QStringList ReadSection(const QString& secao) const;
    [[nodiscard]] QStringList ReadSections() const;
    // The "key=value" lines of a section, in file order.
    [[nodiscard]] QStringList ReadSectionValues(const QString& secao) const;
    [[nodiscard]] bool SectionExists(const QString& secao) const;
    [[nodiscard]] bool ValueExists(const QString& secao, const QString& chave) const;

    // Each raises EIniFile when the file exists but cannot be read, cannot be written, or when
    // a name or value cannot be stored (a line end, a character beyond Latin-1, an empty key, a
    // key holding "=" or a section holding "]"). Nothing is written when nothing changes.
    void WriteString(const QString& secao, const QString& chave, const QString& valor);
    // One value for WriteStrings.
    struct TValor {
        QString Secao;
        QString Chave;
        QString Valor;
    };
    // As WriteString of each value in turn, read once and committed once: a file of many keys
    // costs one write, and each key the same work however many the file holds. Raises before
    // anything is written when one of them cannot be stored.
    void WriteStrings(const QList<TValor>& valores);
    void WriteInteger(const QString& secao, const QString& chave, int valor);
    void WriteBool(const QString& secao, const QString& chave, bool valor);   // "1" or "0"
    void DeleteKey(const QString& secao, const QString& chave);
    void EraseSection(const QString& secao);

private:
    QString FCaminho;
};
