#include "platform/db/sqlite/TEsquemaTabela.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

const QString SufixoSemCaixa = QStringLiteral("$ci");

struct TTipoDeclarado {
    TFieldType Tipo;
    const char* Prefixo;   // first word of the declared type
    const char* Resto;     // what follows it, giving SQLite the affinity
};

// Order matters: longer prefixes first.
const TTipoDeclarado Tipos[] = {
    {ftFmtMemo, "FMTMEMO", " TEXT"},
    {ftMemo, "MEMO", " TEXT"},
    {ftString, "TEXT", ""},
    {ftSmallint, "SMALLINT", ""},
    {ftWord, "WORD", " INTEGER"},
    {ftAutoInc, "AUTOINC", " INTEGER"},
    {ftLargeint, "BIGINT", ""},
    {ftCurrency, "CURRENCY", " INTEGER"},
    {ftBoolean, "BOOLEAN", ""},
    {ftBCD, "BCD", " REAL"},
    {ftDateTime, "DATETIME", " REAL"},
    {ftDate, "DATE", " REAL"},
    {ftTime, "TIME", " REAL"},
    {ftFloat, "FLOAT", ""},
    {ftGraphic, "GRAPHIC", " BLOB"},
    {ftVarBytes, "VARBYTES", " BLOB"},
    {ftBytes, "BYTES", " BLOB"},
    {ftBlob, "BLOB", ""},
    {ftInteger, "INTEGER", ""},
};

int TamanhoDeclarado(const QString& declarado)
{
    static const QRegularExpression tamanho(QStringLiteral("\\((\\d+)\\)"));
    const auto achado = tamanho.match(declarado);
    return achado.hasMatch() ? achado.captured(1).toInt() : 0;
}

}   // namespace

QString TEsquemaTabela::Aspas(const QString& identificador)
{
    QString texto;
    texto.reserve(identificador.size() + 2);
    AcrescentaAspas(texto, identificador);
    return texto;
}

void TEsquemaTabela::AcrescentaAspas(QString& texto, const QString& identificador)
{
    texto += QLatin1Char('"');
    for (const QChar c : identificador) {
        if (c == QLatin1Char('"'))
            texto += QLatin1Char('"');
        texto += c;
    }
    texto += QLatin1Char('"');
}

QString TEsquemaTabela::NomeIndiceSqlite(const QString& tabela, const QString& indice)
{
    return tabela + QLatin1Char('$') + indice;
}

QString TEsquemaTabela::ColunaSemCaixa(const QString& campo)
{
    return campo + SufixoSemCaixa;
}

QString TEsquemaTabela::TipoDeclarado(const TFieldDef& campo)
{
    for (const auto& t : Tipos) {
        if (t.Tipo != campo.DataType)
            continue;
        QString texto = QString::fromLatin1(t.Prefixo) + QString::fromLatin1(t.Resto);
        if ((campo.DataType == ftString || campo.DataType == ftBCD || campo.DataType == ftBytes
             || campo.DataType == ftVarBytes)
            && campo.Size > 0)
            texto += QStringLiteral("(%1)").arg(campo.Size);
        return texto;
    }
    throw EDatabaseError(QStringLiteral("Field '%1' has a type that cannot be stored").arg(campo.Name));
}

TFieldDef TEsquemaTabela::DefDoTipoDeclarado(const QString& nome, const QString& tipoDeclarado)
{
    const QString declarado = tipoDeclarado.trimmed().toUpper();
    TFieldDef def{nome, ftUnknown, 0, false};
    // The first word of the declared type, up to a blank or a parenthesis.
    const qsizetype fimPrimeira = [&] {
        for (qsizetype i = 0; i < declarado.size(); ++i)
            if (declarado.at(i) == QLatin1Char(' ') || declarado.at(i) == QLatin1Char('('))
                return i;
        return declarado.size();
    }();
    const QStringView primeira = QStringView(declarado).first(fimPrimeira);
    for (const auto& t : Tipos) {
        if (primeira == QLatin1String(t.Prefixo)) {
            def.DataType = t.Tipo;
            break;
        }
    }
    if (def.DataType == ftUnknown) {
        // A column made elsewhere: SQLite's affinity rules.
        if (declarado.contains(QLatin1String("INT")))
            def.DataType = ftInteger;
        else if (declarado.contains(QLatin1String("CHAR")) || declarado.contains(QLatin1String("CLOB"))
                 || declarado.contains(QLatin1String("TEXT")))
            def.DataType = ftString;
        else if (declarado.contains(QLatin1String("BLOB")))
            def.DataType = ftBlob;
        else if (declarado.isEmpty())
            def.DataType = ftString;
        else
            def.DataType = ftFloat;
    }
    def.Size = TamanhoDeclarado(declarado);
    if (def.DataType == ftString && def.Size == 0)
        def.Size = 255;
    return def;
}

int TEsquemaTabela::IndiceCampo(const QString& nome) const
{
    // As the column is written first, as bytes; then without regard to case.
    for (std::size_t i = 0; i < Campos.size(); ++i) {
        if (Campos[i].Name == nome)
            return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < Campos.size(); ++i) {
        if (Campos[i].Name.size() == nome.size() && Campos[i].Name.compare(nome, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const TIndexDef* TEsquemaTabela::Indice(const QString& nome) const
{
    for (const auto& indice : Indices) {
        if (nome.isEmpty() ? indice.IsPrimary() : indice.Name.compare(nome, Qt::CaseInsensitive) == 0)
            return &indice;
    }
    return nullptr;
}

QString TEsquemaTabela::Marcadores(int quantidade)
{
    QString marcadores;
    marcadores.reserve(2 * std::max(quantidade, 1) + 1);
    marcadores += QLatin1Char('(');
    for (int i = 0; i < quantidade; ++i)
        marcadores += i > 0 ? QLatin1String(",?") : QLatin1String("?");
    marcadores += QLatin1Char(')');
    return marcadores;
}

QStringList TEsquemaTabela::CamposDoIndice(const TIndexDef& indice) const
{
    const TIndexDef* inicio = Indices.data();
    const std::less<const TIndexDef*> antes;
    if (CamposIndices.size() == Indices.size() && !antes(&indice, inicio) && antes(&indice, inicio + Indices.size()))
        return CamposIndices[static_cast<std::size_t>(&indice - inicio)];
    return indice.FieldList();
}

TEsquemaTabela TEsquemaTabela::Le(TDatabase& banco, const QString& nomeTabela)
{
    if (const auto guardado = banco.EsquemaGuardado(nomeTabela))
        return *guardado;
    TEsquemaTabela esquema = LeDoBanco(banco, nomeTabela);
    banco.GuardaEsquema(nomeTabela, std::make_shared<const TEsquemaTabela>(esquema));
    return esquema;
}

QString TEsquemaTabela::MontaSelecao(const TEsquemaTabela& esquema)
{
    QStringList colunas;
    if (esquema.ChavePrimaria.isEmpty())
        colunas << QStringLiteral("rowid");
    for (const auto& campo : esquema.Campos)
        colunas << Aspas(campo.Name);
    return QStringLiteral("SELECT %1 FROM %2").arg(colunas.join(QLatin1Char(',')), Aspas(esquema.Nome));
}

TEsquemaTabela TEsquemaTabela::LeDoBanco(TDatabase& banco, const QString& nomeTabela)
{
    TEsquemaTabela esquema;
    esquema.Nome = banco.NomeReal(nomeTabela);
    if (esquema.Nome.isEmpty())
        throw EDatabaseError(QStringLiteral("no such table: %1").arg(TDatabase::NomeSemExtensao(nomeTabela)));
    const QString tabela = Aspas(esquema.Nome);

    {
        TComando& c = banco.Comando(QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1"));
        c.LigaTexto(1, esquema.Nome);
        if (c.Passo())
            esquema.SemRowid = c.Texto(0).contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive);
        c.Reinicia();
    }
    std::vector<std::pair<int, QString>> chave;
    {
        TComando c(banco.Conexao(), QStringLiteral("PRAGMA table_info(%1)").arg(tabela));
        while (c.Passo()) {
            esquema.Campos.push_back(DefDoTipoDeclarado(c.Texto(1), c.Texto(2)));
            esquema.NaoNulo.push_back(c.Inteiro(3) != 0 || c.Inteiro(5) > 0);
            if (c.Inteiro(5) > 0)
                chave.emplace_back(static_cast<int>(c.Inteiro(5)), c.Texto(1));
        }
    }
    std::sort(chave.begin(), chave.end());
    for (const auto& [ordem, campo] : chave)
        esquema.ChavePrimaria << campo;
    if (!esquema.ChavePrimaria.isEmpty()) {
        esquema.Indices.push_back({QString(), esquema.ChavePrimaria.join(QLatin1Char(';')),
                                   TIndexOption::ixPrimary | TIndexOption::ixUnique});
        esquema.NomesSqlite << QString();
    }

    struct TIndiceLido {
        QString NomeSqlite;
        bool Unico;
    };
    std::vector<TIndiceLido> lidos;
    {
        TComando c(banco.Conexao(), QStringLiteral("PRAGMA index_list(%1)").arg(tabela));
        while (c.Passo()) {
            if (c.Texto(3) == QLatin1String("c"))
                lidos.push_back({c.Texto(1), c.Inteiro(2) != 0});
        }
    }
    std::sort(lidos.begin(), lidos.end(), [](const TIndiceLido& a, const TIndiceLido& b) {
        return a.NomeSqlite.compare(b.NomeSqlite, Qt::CaseInsensitive) < 0;
    });
    const QString prefixo = esquema.Nome + QLatin1Char('$');
    for (const auto& lido : lidos) {
        TIndexDef def;
        def.Name = lido.NomeSqlite.startsWith(prefixo, Qt::CaseInsensitive) ? lido.NomeSqlite.mid(prefixo.size())
                                                                            : lido.NomeSqlite;
        if (lido.Unico)
            def.Options |= TIndexOption::ixUnique;
        QStringList campos;
        TComando c(banco.Conexao(), QStringLiteral("PRAGMA index_xinfo(%1)").arg(Aspas(lido.NomeSqlite)));
        while (c.Passo()) {
            if (c.Inteiro(5) == 0)
                continue;   // the key columns SQLite appends
            QString campo = c.Texto(2);
            if (campo.endsWith(SufixoSemCaixa)) {
                campo.chop(SufixoSemCaixa.size());
                def.Options |= TIndexOption::ixCaseInsensitive;
            }
            if (c.Texto(4).compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0)
                def.Options |= TIndexOption::ixCaseInsensitive;
            else if (c.Texto(4).compare(QLatin1String(TDatabase::ColacaoNomes), Qt::CaseInsensitive) == 0)
                def.CamposNome << campo;
            if (c.Inteiro(3) != 0)
                def.Options |= TIndexOption::ixDescending;
            campos << campo;
        }
        def.Fields = campos.join(QLatin1Char(';'));
        esquema.Indices.push_back(def);
        esquema.NomesSqlite << lido.NomeSqlite;
    }
    esquema.Selecao = MontaSelecao(esquema);
    for (const auto& indice : esquema.Indices)
        esquema.CamposIndices.push_back(indice.FieldList());
    for (const auto& campo : esquema.Campos) {
        esquema.NomesAspas << Aspas(campo.Name);
        esquema.NomesSemCaixaAspas << (IsTextType(campo.DataType) ? Aspas(ColunaSemCaixa(campo.Name)) : QString());
    }
    return esquema;
}

void TEsquemaTabela::Cria(TDatabase& banco, const QString& nome, const std::vector<TFieldDef>& campos,
                          const std::vector<TIndexDef>& indices)
{
    const QString nomeTabela = TDatabase::NomeSemExtensao(nome);
    if (nomeTabela.isEmpty() || campos.empty())
        throw EDatabaseError(QStringLiteral("a table needs a name and at least one field"));
    QStringList colunas;
    for (const auto& campo : campos) {
        QString coluna = Aspas(campo.Name) + QLatin1Char(' ') + TipoDeclarado(campo);
        if (IsTextType(campo.DataType))
            coluna += QStringLiteral(" NOT NULL DEFAULT ''");
        else if (campo.Required)
            coluna += QStringLiteral(" NOT NULL");
        colunas << coluna;
    }
    QString chave;
    for (const auto& indice : indices) {
        if (!indice.IsPrimary())
            continue;
        QStringList nomes;
        for (const QString& campo : indice.FieldList()) {
            auto it = std::find_if(campos.begin(), campos.end(),
                                   [&](const TFieldDef& c) { return c.Name.compare(campo, Qt::CaseInsensitive) == 0; });
            if (it == campos.end())
                throw EDatabaseError(QStringLiteral("no such column: %1").arg(campo));
            nomes << Aspas(it->Name);
        }
        chave = nomes.join(QLatin1Char(','));
    }
    QString sql = QStringLiteral("CREATE TABLE %1 (%2").arg(Aspas(nomeTabela), colunas.join(QStringLiteral(", ")));
    if (!chave.isEmpty())
        sql += QStringLiteral(", PRIMARY KEY(%1)) WITHOUT ROWID").arg(chave);
    else
        sql += QLatin1Char(')');

    TTransacao t(banco);
    const QString existente = banco.NomeReal(nomeTabela);
    if (!existente.isEmpty())
        banco.Escreve(QStringLiteral("DROP TABLE %1").arg(Aspas(existente)));
    banco.Escreve(sql);
    for (const auto& indice : indices) {
        if (!indice.IsPrimary())
            AdicionaIndice(banco, nomeTabela, indice);
    }
    t.Confirma();
}

bool TEsquemaTabela::Atualiza(TDatabase& banco, const QString& nome, const std::vector<TFieldDef>& campos,
                              const std::vector<TIndexDef>& indices)
{
    const TEsquemaTabela atual = Le(banco, nome);
    QString colunas;
    int presentes = 0;
    for (const TFieldDef& campo : campos) {
        if (atual.IndiceCampo(campo.Name) < 0)
            continue;
        if (presentes++ > 0)
            colunas += QLatin1Char(',');
        AcrescentaAspas(colunas, campo.Name);
    }
    if (presentes == static_cast<int>(campos.size()))
        return AdicionaIndicesAusentes(banco, atual, indices);
    for (const TFieldDef& campo : atual.Campos) {
        const bool conhecido = std::any_of(campos.begin(), campos.end(), [&](const TFieldDef& c) {
            return c.Name.compare(campo.Name, Qt::CaseInsensitive) == 0;
        });
        if (!conhecido)
            throw EDatabaseError(
                QStringLiteral("a coluna %1 da tabela %2 não é do programa").arg(campo.Name, atual.Nome));
    }
    std::vector<TIndexDef> primario;
    for (const TIndexDef& indice : indices)
        if (indice.IsPrimary())
            primario.push_back(indice);

    // The fresh table takes the old one's name only once every row is in it.
    const QString copia = atual.Nome + QStringLiteral("$nova");
    TTransacao t(banco);
    Cria(banco, copia, campos, primario);
    if (presentes > 0)
        banco.Escreve(
            QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(Aspas(copia), colunas, Aspas(atual.Nome)));
    banco.Escreve(QStringLiteral("DROP TABLE %1").arg(Aspas(atual.Nome)));
    banco.Escreve(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(Aspas(copia), Aspas(atual.Nome)));
    for (const TIndexDef& indice : indices)
        if (!indice.IsPrimary())
            AdicionaIndice(banco, atual.Nome, indice);
    t.Confirma();
    return true;
}

bool TEsquemaTabela::AdicionaIndicesAusentes(TDatabase& banco, const TEsquemaTabela& atual,
                                             const std::vector<TIndexDef>& indices)
{
    std::vector<const TIndexDef*> ausentes;
    for (const TIndexDef& indice : indices)
        if (!indice.IsPrimary() && !atual.Indice(indice.Name))
            ausentes.push_back(&indice);
    if (ausentes.empty())
        return false;
    TTransacao t(banco);
    for (const TIndexDef* indice : ausentes)
        AdicionaIndice(banco, atual.Nome, *indice);
    t.Confirma();
    return true;
}

void TEsquemaTabela::Apaga(TDatabase& banco, const QString& nomeTabela)
{
    const QString real = banco.NomeReal(nomeTabela);
    if (real.isEmpty())
        throw EDatabaseError(QStringLiteral("no such table: %1").arg(TDatabase::NomeSemExtensao(nomeTabela)));
    TTransacao t(banco);
    banco.Escreve(QStringLiteral("DROP TABLE %1").arg(Aspas(real)));
    t.Confirma();
}

void TEsquemaTabela::AdicionaIndice(TDatabase& banco, const QString& nomeTabela, const TIndexDef& indice)
{
    if (indice.IsPrimary() || indice.Name.isEmpty())
        throw EDatabaseError(QStringLiteral("the primary index is made with the table"));
    if ((indice.Options & TIndexOption::ixDescending) != 0)
        throw EDatabaseError(QStringLiteral("descending indexes are not supported"));
    const TEsquemaTabela esquema = Le(banco, nomeTabela);

    QStringList ocultas;
    {
        TComando c(banco.Conexao(), QStringLiteral("PRAGMA table_xinfo(%1)").arg(Aspas(esquema.Nome)));
        while (c.Passo())
            ocultas << c.Texto(1);
    }
    TTransacao t(banco);
    QStringList colunas;
    for (const QString& nome : indice.FieldList()) {
        const int i = esquema.IndiceCampo(nome);
        if (i < 0)
            throw EDatabaseError(QStringLiteral("no such column: %1").arg(nome));
        const TFieldDef& campo = esquema.Campos[static_cast<std::size_t>(i)];
        if (indice.IsCaseInsensitive() && IsTextType(campo.DataType)) {
            const QString oculta = ColunaSemCaixa(campo.Name);
            if (!ocultas.contains(oculta)) {
                banco.Escreve(
                    QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT GENERATED ALWAYS AS (%3) VIRTUAL COLLATE NOCASE")
                        .arg(Aspas(esquema.Nome), Aspas(oculta), Aspas(campo.Name)));
                ocultas << oculta;
            }
            colunas << Aspas(oculta);
        } else if (IsTextType(campo.DataType) && indice.CamposNome.contains(campo.Name, Qt::CaseInsensitive)) {
            colunas << Aspas(campo.Name) + QStringLiteral(" COLLATE ") + QLatin1String(TDatabase::ColacaoNomes);
        } else {
            colunas << Aspas(campo.Name);
        }
    }
    if (colunas.isEmpty())
        throw EDatabaseError(QStringLiteral("an index needs at least one field"));
    const bool unico = (indice.Options & TIndexOption::ixUnique) != 0;
    banco.Escreve(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                      .arg(unico ? QStringLiteral("UNIQUE ") : QString(),
                           Aspas(NomeIndiceSqlite(esquema.Nome, indice.Name)), Aspas(esquema.Nome),
                           colunas.join(QLatin1Char(','))));
    t.Confirma();
}

void TEsquemaTabela::RemoveIndice(TDatabase& banco, const QString& nomeTabela, const QString& nomeIndice)
{
    const TEsquemaTabela esquema = Le(banco, nomeTabela);
    const TIndexDef* indice = esquema.Indice(nomeIndice);
    if (!indice || indice->IsPrimary())
        throw EDatabaseError(QStringLiteral("Index '%1' not found").arg(nomeIndice));
    TTransacao t(banco);
    banco.Escreve(QStringLiteral("DROP INDEX %1").arg(Aspas(NomeIndiceSqlite(esquema.Nome, indice->Name))));
    t.Confirma();
}
