#include "components/data/richtext/TdvRtfWriter.h"

#include <QStringList>

namespace {

void Numero(QByteArray& saida, const char* palavra, int valor)
{
    saida += '\\';
    saida += palavra;
    saida += QByteArray::number(valor);
}

// A font name keeps its ';' escaped (a bare one ends the name) and its breaks as characters.
void Texto(QByteArray& saida, const QString& texto, bool nome = false)
{
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (nome && u == ';') {
            saida += "\\'3b";
        } else if (nome && (u == '\t' || u == 0x2028)) {
            Numero(saida, "u", u);
            saida += '?';
        } else if (u == '\\' || u == '{' || u == '}') {
            saida += '\\';
            saida += static_cast<char>(u);
        } else if (u == '\t') {
            saida += "\\tab ";
        } else if (u == 0x2028) {
            saida += "\\line ";
        } else if (u < 0x20) {
            continue;   // no other control character has a place in the text
        } else if (u < 0x80) {
            saida += static_cast<char>(u);
        } else if (u >= 0xA0 && u < 0x100) {
            saida += "\\'" + QByteArray::number(u, 16).rightJustified(2, '0');
        } else {
            Numero(saida, "u", static_cast<qint16>(u));
            saida += '?';
        }
    }
}

int Indice(QStringList& lista, const QString& item)
{
    int i = static_cast<int>(lista.indexOf(item));
    if (i < 0) {
        lista.append(item);
        i = static_cast<int>(lista.size()) - 1;
    }
    return i;
}

}   // namespace

QByteArray TdvRtfWriter::Write(const TdvRtfDocument& documento)
{
    // The tables come first: collect the faces and colours the runs use.
    QStringList fontes;
    QList<int> cores;
    for (const TdvRtfParagraph& p : documento.Paragraphs)
        for (const TdvRtfRun& r : p.Runs) {
            if (!r.Format.Font.isEmpty())
                Indice(fontes, r.Format.Font);
            for (const int cor : {r.Format.Color, r.Format.Highlight})
                if (cor >= 0 && !cores.contains(cor))
                    cores.append(cor);
        }

    QByteArray saida = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl";
    for (int i = 0; i < fontes.size(); ++i) {
        saida += "{";
        Numero(saida, "f", i);
        saida += "\\fnil ";
        Texto(saida, fontes[i], true);
        saida += ";}";
    }
    saida += "}{\\colortbl ;";
    for (const int cor : cores) {
        Numero(saida, "red", (cor >> 16) & 0xFF);
        Numero(saida, "green", (cor >> 8) & 0xFF);
        Numero(saida, "blue", cor & 0xFF);
        saida += ';';
    }
    saida += "}\r\n";

    for (std::size_t n = 0; n < documento.Paragraphs.size(); ++n) {
        const TdvRtfParagraph& p = documento.Paragraphs[n];
        if (n > 0)
            saida += "\\par\r\n";
        saida += "\\pard";
        switch (p.Alignment) {
        case TdvRtfAlignment::Left:
            break;
        case TdvRtfAlignment::Center:
            saida += "\\qc";
            break;
        case TdvRtfAlignment::Right:
            saida += "\\qr";
            break;
        case TdvRtfAlignment::Justify:
            saida += "\\qj";
            break;
        }
        const struct {
            const char* palavra;
            int valor;
        } medidas[] = {
            {"fi", p.FirstIndent}, {"li", p.LeftIndent}, {"ri", p.RightIndent},
            {"sb", p.SpaceBefore}, {"sa", p.SpaceAfter}, {"sl", p.LineSpacing},
        };
        for (const auto& m : medidas)
            if (m.valor != 0)
                Numero(saida, m.palavra, m.valor);
        if (p.LineMultiple)
            saida += "\\slmult1";
        for (const int tab : p.Tabs)
            Numero(saida, "tx", tab);
        if (p.Bullet)
            saida += "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}";
        for (const TdvRtfRun& r : p.Runs) {
            saida += "\\plain";
            if (!r.Format.Font.isEmpty())
                Numero(saida, "f", static_cast<int>(fontes.indexOf(r.Format.Font)));
            Numero(saida, "fs", r.Format.HalfPoints);
            if (r.Format.Bold)
                saida += "\\b";
            if (r.Format.Italic)
                saida += "\\i";
            if (r.Format.Underline)
                saida += "\\ul";
            if (r.Format.StrikeOut)
                saida += "\\strike";
            if (r.Format.Color >= 0)
                Numero(saida, "cf", static_cast<int>(cores.indexOf(r.Format.Color)) + 1);
            if (r.Format.Highlight >= 0)
                Numero(saida, "highlight", static_cast<int>(cores.indexOf(r.Format.Highlight)) + 1);
            saida += ' ';
            Texto(saida, r.Text);
        }
    }
    saida += "\r\n}";
    return saida;
}
