#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

// One column of a grid's layout as it is stored: the field name, the width in characters, the
// title and the read-only flag ("T" or "F").
struct TdvStoredColumn {
    QString FieldName;
    QString Width;
    QString Title;
    QString ReadOnly;
};

// Where a published grid keeps its column layout: one section of an INI file (written through
// the program's own INI class) or of the settings that stand in for the registry, one line per
// column, the field name as the key and "width;;title;;flag" as the value (";;" being the
// Delimiter). The grid asks for the layout when its window is first made and stores it when it
// is destroyed, while Enabled.
class TdvIniAttributes final {
public:
    explicit TdvIniAttributes(const QWidget& grid)
        : FGrid(grid)
    {}

    bool Enabled = false;
    bool SaveToRegistry = false;
    // On loading, the designed columns that the stored layout lacks are appended.
    bool CheckNewFields = false;

    // The stored file name; empty: IniFileName of the library's texts, else the program's name
    // (without folder and extension) with ".ini".
    [[nodiscard]] QString FileName() const;
    void SetFileName(const QString& nome) { FFileName = nome; }
    // The stored section; empty: the owner form's name joined to the grid's name.
    [[nodiscard]] QString SectionName() const;
    void SetSectionName(const QString& nome) { FSectionName = nome; }
    [[nodiscard]] const QString& Delimiter() const { return FDelimiter; }
    void SetDelimiter(const QString& delimitador) { FDelimiter = delimitador; }
    void SetOwnerFormName(const QString& nome) { FOwnerFormName = nome; }

    // Replaces the section by the columns. Shows a warning and writes nothing for a missing
    // registry file name, a missing folder or an empty delimiter, except while the grid is
    // being destroyed, when it stops without a word.
    void Save(const std::vector<TdvStoredColumn>& colunas, bool destroying) const;
    // The Selected lines of the stored layout; false (the lines as they were) when the section is
    // empty or cannot be used. A value without the delimiter shows "Key Delimiter Not Found" and
    // leaves the designed lines.
    bool Load(QStringList& selected) const;

private:
    // A message for the settings that make a store unusable, or empty.
    [[nodiscard]] QString ProblemaDeArquivo() const;

    const QWidget& FGrid;
    QString FOwnerFormName;
    QString FFileName;
    QString FSectionName;
    QString FDelimiter = QStringLiteral(";;");
};
